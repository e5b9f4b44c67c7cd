// Sarvelo, the desktop program: the main window, maximised, until it closes.
// `sarvelo FICHIER` opens the file as the menus would (a key document, a
// KeyBase file, or a text or RTF file).
#include <QApplication>
#include <QScreen>
#include <QStringList>
#include <QTimer>

#include "ui/main_window.hpp"
#include "ui/open_file.hpp"
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
    // Once the window shows, so that the key document's preview opens over it.
    const QStringList arguments = QApplication::arguments();
    if (arguments.size() > 1) {
        const QString path = arguments.at(1);
        QTimer::singleShot(0, &window, [&window, path] { sarvelo::openFileAsMenusWould(window, path); });
    }
    return app.exec();
}
