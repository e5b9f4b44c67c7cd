// Helpers for the window tests: answering message boxes as a user would and
// setting up a small key.
#pragma once

#include <QApplication>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "review/qt/line_index_dialog.hpp"
#include "ui/main_window.hpp"

namespace sarvelo::testing {

// Closes every message box that becomes modal, remembering its title and
// text; a Yes/No box is answered with `answer` ("&Oui" or "&Non").
class MessageCatcher {
public:
    explicit MessageCatcher(QString answer = QStringLiteral("&Non")) : answer_(std::move(answer)) {
        QObject::connect(&timer_, &QTimer::timeout, [this] { poll(); });
        timer_.start(10);
    }
    QStringList texts;
    QStringList titles;
    QStringList buttons;  // button captions of each box, joined by "|"

private:
    void poll() {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box) return;
        texts << box->text();
        titles << box->windowTitle();
        QStringList captions;
        QAbstractButton* pick = nullptr;
        for (QAbstractButton* b : box->buttons()) {
            captions << b->text();
            if (b->text() == answer_) pick = b;
        }
        buttons << captions.join('|');
        if (!pick) pick = box->buttons().value(0);
        QTest::mouseClick(pick, Qt::LeftButton);
    }
    QString answer_;
    QTimer timer_;
};

// Answers the line-index dialog the next times it comes up: highlights
// `length` characters from `start` with the keyboard, then "Ok" (or
// "Annuler"). Remembers what codenb showed.
class LineIndexAnswer {
public:
    LineIndexAnswer(int start, int length, bool ok = true) : start_(start), length_(length), ok_(ok) {
        QObject::connect(&timer_, &QTimer::timeout, [this] { poll(); });
        timer_.start(10);
    }
    QStringList shown;

private:
    void poll() {
        auto* dialog = qobject_cast<TIndice_ligne*>(QApplication::activeModalWidget());
        if (!dialog || !dialog->isVisible()) return;
        QLineEdit* codenb = dialog->codenb();
        shown << codenb->text();
        QTest::keyClick(codenb, Qt::Key_Home);
        for (int i = 0; i < start_; ++i) QTest::keyClick(codenb, Qt::Key_Right);
        for (int i = 0; i < length_; ++i) QTest::keyClick(codenb, Qt::Key_Right, Qt::ShiftModifier);
        QTest::mouseClick(ok_ ? dialog->okButton() : dialog->cancelButton(), Qt::LeftButton);
    }
    int start_, length_;
    bool ok_;
    QTimer timer_;
};

// A shown, active main window.
inline std::unique_ptr<TSarvelo> openWindow() {
    auto w = std::make_unique<TSarvelo>();
    w->resize(1200, 800);
    w->show();
    w->activateWindow();
    QApplication::setActiveWindow(w.get());
    (void)QTest::qWaitForWindowActive(w.get());
    return w;
}

// Numbered leads, "." after the number, references after " ...",
// determinations after "=>".
inline void useSmallKeyLayout(TSarvelo& w) {
    KeyParams& p = w.params();
    p.Separ1 = ". ";
    p.format_renvois = 1;
    p.Separ2 = " ...";
    p.Liste_separ_3 = {"=>"};
    w.paramsChanged();
}

// 2 x `couplets` leads, every one ending in a determination: a run that lets
// events through once per row.
inline QString manyDeterminations(int couplets) {
    QString text;
    for (int i = 1; i <= couplets; ++i)
        text += QStringLiteral("%1. Chapeau %1 => Amanita %1\n%1. Pied %1 => Lepiota %1\n").arg(i);
    return text;
}

inline const char* kSmallKey =
    "1. Chapeau rouge ... 2\n"
    "1. Chapeau blanc => Amanita alba\n"
    "2. Pied court => Lepiota\n"
    "2. Pied long => Inocybe\n";

// A key pressed in the main window as the user does: on the active window
// (a message box that has just closed may have taken the activation).
inline void press(TSarvelo& w, int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    w.activateWindow();
    QApplication::setActiveWindow(&w);
    QTest::keyClick(&w, static_cast<Qt::Key>(key), modifiers);
}

// The entry of a menu or of one of its submenus with this caption.
inline QAction* findMenuEntry(QMenu* menu, const QString& caption) {
    for (QAction* a : menu->actions()) {
        if (a->text() == caption) return a;
        if (a->menu())
            if (QAction* found = findMenuEntry(a->menu(), caption)) return found;
    }
    return nullptr;
}

// Clicks a check box or radio button on its indicator.
inline void clickButton(QAbstractButton* b) { QTest::mouseClick(b, Qt::LeftButton, {}, QPoint(8, b->height() / 2)); }

// Opens a menu of the menu bar and clicks one of its entries.
inline void clickMenuEntry(TSarvelo& w, const QString& menuCaption, const QString& entry) {
    w.activateWindow();
    QApplication::setActiveWindow(&w);
    QMenuBar* bar = w.menuBar();
    QMenu* menu = nullptr;
    for (QAction* a : bar->actions())
        if (a->text() == menuCaption) {
            menu = a->menu();
            QTest::mouseClick(bar, Qt::LeftButton, {}, bar->actionGeometry(a).center());
        }
    if (!menu) return;
    (void)QTest::qWaitFor([menu] { return menu->isVisible(); }, 1000);
    for (QAction* a : menu->actions())
        if (a->text() == entry) QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(a).center());
    (void)QTest::qWaitFor([menu] { return !menu->isVisible(); }, 1000);
}

}  // namespace sarvelo::testing
