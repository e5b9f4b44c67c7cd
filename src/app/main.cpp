// Sarvelo, the desktop program: the main window, maximised, until it closes.
// `sarvelo FICHIER` opens the file as the menus would (a key document, a
// KeyBase file, or a text or RTF file).
#include <cstring>
#include <iostream>

#include <QApplication>
#include <QScreen>
#include <QStringList>
#include <QTimer>

#include "app/cli_options.hpp"
#include "ui/main_window.hpp"
#include "ui/open_file.hpp"
#include "ui/translations.hpp"

namespace {

constexpr const char* kUsage = R"(Usage : sarvelo [options] [--] [FICHIER]

Ouvre la fenêtre de Sarvelo ; avec FICHIER, l'ouvre comme les menus le feraient
(document de clé .Sarvelo, clé KeyBase .csv ou .tsv, texte ou fichier RTF).

Options :
  -h, --help     affiche cette aide
      --version  affiche la version et la date de compilation
)";

// --help and --version are answered before any window, so they need no display.
int answeredAtOnce(int argc, char* argv[]) {
    for (int i = 1; i < argc && std::strcmp(argv[i], "--") != 0; ++i) {
        if (std::strcmp(argv[i], "-h") == 0 || std::strcmp(argv[i], "--help") == 0) {
            std::cout << kUsage;
            return 0;
        }
        if (std::strcmp(argv[i], "--version") == 0) {
            std::cout << sarvelo::cli::versionText("sarvelo");
            return 0;
        }
    }
    return -1;
}

// The file to open among the arguments Qt left (it takes its own, -platform
// and the like); an option of no one's is an error.
struct FileArgument {
    QString file;
    bool wrong = false;
};

FileArgument fileArgument(const QStringList& arguments) {
    FileArgument a;
    bool options = true;
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString& arg = arguments[i];
        if (options && arg == QStringLiteral("--")) {
            options = false;
        } else if (options && arg.startsWith('-') && arg.size() > 1) {
            std::cerr << "sarvelo: option inconnue : " << arg.toStdString() << " (voir --help)\n";
            a.wrong = true;
        } else if (!a.file.isEmpty()) {
            std::cerr << "sarvelo: un seul fichier est attendu (voir --help)\n";
            a.wrong = true;
        } else {
            a.file = arg;
        }
    }
    return a;
}

}  // namespace

int main(int argc, char* argv[]) {
    if (const int status = answeredAtOnce(argc, argv); status >= 0) return status;
    QApplication app(argc, argv);
    const FileArgument argument = fileArgument(QApplication::arguments());
    if (argument.wrong) return 2;
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
    if (!argument.file.isEmpty()) {
        const QString path = argument.file;
        QTimer::singleShot(0, &window, [&window, path] { sarvelo::openFileAsMenusWould(window, path); });
    }
    return app.exec();
}
