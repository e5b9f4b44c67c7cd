#include "ui/qt_host.hpp"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

#include <algorithm>

namespace sarvelo {

void showOkMessage(QWidget* parent, const QString& text, const QString& detail) {
    QMessageBox box(QMessageBox::NoIcon, QApplication::applicationName(), text, QMessageBox::Ok, parent);
    if (!detail.isEmpty()) box.setInformativeText(detail);
    box.exec();
}

QtHost::QtHost(QWidget* window, QProgressBar* bar, std::function<void()> beforeModal)
    : window_(window), bar_(bar), beforeModal_(std::move(beforeModal)) {}

// A maximum of 0 would put the bar in its busy state for good: a text of one
// line or none still shows an idle bar.
void QtHost::setProgressMaximum(int maximum) {
    maximum_ = std::max(maximum, 1);
    shownStep_ = -1;
    if (bar_) bar_->setMaximum(maximum_);
}

// The bar moves by two-hundredths of the run: set at every line of a long
// key, it would repaint itself a hundred thousand times.
void QtHost::setProgress(int position) {
    const long long step = static_cast<long long>(position) * 200 / maximum_;
    if (step == shownStep_ && position != 0) return;
    shownStep_ = step;
    if (bar_) bar_->setValue(position);
}

// A run asks at every determination: events go through on the first call
// and then at most every 15 ms, often enough for a live window, rarely enough
// that a long key is not spent in the event loop.
void QtHost::letEventsThrough() {
    if (sinceEvents_.isValid() && sinceEvents_.elapsed() < 15) return;
    QCoreApplication::processEvents();
    sinceEvents_.start();
}

bool QtHost::askYesNo(const std::string& title, const std::string& text) {
    if (beforeModal_) beforeModal_();
    return askYesNoBox(window_, QString::fromStdString(title), QString::fromStdString(text));
}

bool askYesNoBox(QWidget* parent, const QString& title, const QString& text, bool yesByDefault) {
    QMessageBox box(QMessageBox::Question, title, text, QMessageBox::NoButton, parent);
    QPushButton* yes = box.addButton(QStringLiteral("&Oui"), QMessageBox::YesRole);
    QPushButton* no = box.addButton(QStringLiteral("&Non"), QMessageBox::NoRole);
    box.setDefaultButton(yesByDefault ? yes : no);
    box.setEscapeButton(no);
    box.exec();
    return box.clickedButton() == yes;
}

void QtHost::showMessage(const std::string& text) {
    if (beforeModal_) beforeModal_();
    showOkMessage(window_, QString::fromStdString(text));
}

}  // namespace sarvelo
