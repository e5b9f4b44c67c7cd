#include "ui/keybase_import.hpp"

#include <QFile>
#include <QFileDialog>
#include <QTextEdit>

#include "documents/config_entries.hpp"
#include "documents/encoding.hpp"
#include "engine/text.hpp"
#include "interchange/keybase.hpp"
#include "ui/main_window.hpp"
#include "ui/qt_host.hpp"

namespace sarvelo {

namespace {

constexpr int kWarningsShown = 15;

}  // namespace

void importKeyBaseCommand(TSarvelo& window) {
    const QString name =
        QFileDialog::getOpenFileName(&window, QStringLiteral("Importer une clé KeyBase"), {},
                                     QStringLiteral("Clé KeyBase (*.csv *.tsv *.txt);;Tous les fichiers (*)"));
    if (!name.isEmpty()) importKeyBaseFile(window, name);
}

bool importKeyBaseFile(TSarvelo& window, const QString& fileName) {
    QtHost host(&window, nullptr);
    const TextFile file = readTextFile(QFile::encodeName(fileName).toStdString());
    if (file.error) {
        host.showMessage("Impossible d'ouvrir le fichier « " + fileName.toStdString() + " » :\n" + *file.error);
        return false;
    }
    const interchange::ImportedKey imported = interchange::importKeyBase(file.text);
    if (imported.error) {
        host.showMessage(*imported.error);
        return false;
    }
    if (!window.memo1()->toPlainText().trimmed().isEmpty() &&
        !host.askYesNo("Confirmation", "Remplacer le texte de travail par la clé importée ?"))
        return false;

    // The credit, the version and the table's visibility belong to the program, not to the key.
    applyConfiguration(window.params(), imported.configuration, {"copyright", "Version", "Developpement"});
    window.paramsChanged();
    window.setWorkingText(QString::fromStdString(text::joinLines(imported.text)));
    window.setImportedCoupletLabels(imported.coupletLabels);

    if (!imported.warnings.empty()) {
        std::string message = "Clé KeyBase importée ; à vérifier :";
        const int count = static_cast<int>(imported.warnings.size());
        for (int i = 0; i < std::min(count, kWarningsShown); ++i)
            message += "\n" + imported.warnings[static_cast<std::size_t>(i)];
        if (count > kWarningsShown) message += "\n... et " + std::to_string(count - kWarningsShown) + " autres";
        host.showMessage(message);
    }
    return true;
}

}  // namespace sarvelo
