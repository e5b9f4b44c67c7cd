#include "review/qt/view_window.hpp"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <QWindow>

namespace sarvelo::qt {

void setViewWindowFlags(QWidget* window, bool tool) {
    window->setWindowFlags((tool ? Qt::Tool : Qt::Dialog) | Qt::WindowStaysOnTopHint |
                           Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                           Qt::WindowCloseButtonHint);
}

void centreOnScreen(QWidget* window) {
    QScreen* screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    if (!screen) return;
    QRect frame = window->frameGeometry();
    frame.moveCenter(screen->availableGeometry().center());
    window->move(frame.topLeft());
}

ActivationRebuild::ActivationRebuild(QWidget* window, std::function<void()> rebuild)
    : QObject(window), window_(window), rebuild_(std::move(rebuild)) {
    connect(qGuiApp, &QGuiApplication::focusWindowChanged, this,
            &ActivationRebuild::focusWindowChanged);
}

bool ActivationRebuild::ownedByWindow(QWindow* w) const {
    const QWindow* own = window_->windowHandle();
    for (const QWindow* p = w->transientParent(); p; p = p->transientParent())
        if (p == own) return true;
    return false;
}

void ActivationRebuild::focusWindowChanged(QWindow* focused) {
    if (!focused) return;  // another program took the focus
    if (focused == window_->windowHandle()) {
        const bool rebuild = otherWindowSeen_ && !keepNext_;
        otherWindowSeen_ = false;
        keepNext_ = false;
        if (rebuild) rebuild_();
    } else if (!ownedByWindow(focused)) {
        otherWindowSeen_ = true;
    }
}

}  // namespace sarvelo::qt
