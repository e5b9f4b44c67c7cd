// Sarvelo, the desktop program: the main window, maximised, until it closes.
#include <QApplication>
#include <QScreen>

#include "ui/main_window.hpp"
#include "ui/translations.hpp"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    sarvelo::installFrenchTranslations(app);
    // The title stays empty until the main window names the program.
    QApplication::setApplicationDisplayName(QString());
    QApplication::setApplicationName(QStringLiteral("Sarvelo"));
    sarvelo::TSarvelo window;
    // Without a window manager (a virtual display) maximising does nothing:
    // the window then takes the screen's whole free area itself.
    window.setGeometry(window.screen()->availableGeometry());
    window.showMaximized();
    return app.exec();
}
