// Pieces shared by the "Structure" and "Clé terminée" windows: window flags, centring and
// the activation that makes them rebuild from the result table.
#pragma once

#include <QObject>
#include <functional>

class QWidget;
class QWindow;

namespace sarvelo::qt {

// A view window stays on top of the main window without blocking it and offers only a close box.
void setViewWindowFlags(QWidget* window, bool tool);

// Places a window in the middle of the available desktop area of its screen.
void centreOnScreen(QWidget* window);

// Calls `rebuild` each time `window` becomes the active window after another window of the
// program had been active (or on its first activation). Coming back from one of the window's
// own dialogs (a message box, the save dialog) or from another program does not count: the
// table cannot have changed meanwhile, and rebuilding would throw away what the user just did.
class ActivationRebuild : public QObject {
    Q_OBJECT
public:
    ActivationRebuild(QWidget* window, std::function<void()> rebuild);

    // The next activation keeps the current content (used when the content was just prepared).
    void keepNextActivation() { keepNext_ = true; }
    // A hidden window shows the current table when it comes back.
    void windowHidden() {
        keepNext_ = false;
        otherWindowSeen_ = true;
    }

private:
    void focusWindowChanged(QWindow* focused);
    bool ownedByWindow(QWindow* w) const;

    QWidget* window_;
    std::function<void()> rebuild_;
    bool otherWindowSeen_ = true;  // so the first activation builds
    bool keepNext_ = false;
};

}  // namespace sarvelo::qt
