// The processing run's host on the desktop: progress on the window's bar,
// questions and messages in message boxes, pending events let through.
#pragma once

#include <QElapsedTimer>
#include <QPointer>
#include <QProgressBar>
#include <functional>

#include "engine/host.hpp"

class QWidget;

namespace sarvelo {

class QtHost : public Host {
public:
    // `beforeModal` runs before any box is shown, so that the window shows
    // the table as it stands while the user reads the box.
    QtHost(QWidget* window, QProgressBar* bar, std::function<void()> beforeModal = {});

    void setProgressMaximum(int maximum) override;
    void setProgress(int position) override;
    void letEventsThrough() override;
    bool askYesNo(const std::string& title, const std::string& text) override;
    void showMessage(const std::string& text) override;

private:
    QPointer<QWidget> window_;
    QPointer<QProgressBar> bar_;
    std::function<void()> beforeModal_;
    QElapsedTimer sinceEvents_;  // since events were last let through
    int maximum_ = 1;
    long long shownStep_ = -1;  // the bar's last step
};

// A plain message box with an OK button, titled with the application's name;
// `detail`, when given, says why under the message.
void showOkMessage(QWidget* parent, const QString& text, const QString& detail = {});
// A question with "Oui" and "Non"; true for "Oui". `yesByDefault` false
// makes "Non" the button Entrée presses.
bool askYesNoBox(QWidget* parent, const QString& title, const QString& text, bool yesByDefault = true);

}  // namespace sarvelo
