#include "review/qt/key_export.hpp"

#include "interchange/qt/printed_pdf.hpp"
#include "review/qt/export_options.hpp"

#include <QCheckBox>
#include <QDialog>
#include <QFileDialog>
#include <QVBoxLayout>
#include <QMessageBox>
#include <QSaveFile>
#include <QStringList>

#include "review/qt/dialog_buttons.hpp"

namespace sarvelo::qt {

namespace {

QString fromView(std::string_view s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }

QString filterOf(const interchange::FormatInfo& info) {
    return fromView(info.caption) + " (*." + fromView(info.extension) + ")";
}

constexpr int kWarningsShown = 15;

// "Noms seuls" and "Protéger pour un tableur", for a KeyBase file.
bool askKeyBaseOptions(QWidget* parent, interchange::ExportOptions& options) {
    QDialog dialog(parent);
    dialog.setObjectName(QStringLiteral("OptionsKeyBase"));
    dialog.setWindowTitle(QStringLiteral("Exporter pour KeyBase"));
    auto* column = new QVBoxLayout(&dialog);
    auto* bare = new QCheckBox(QStringLiteral("Noms seuls : déterminations sans numéro, auteurs ni renvoi de page"), &dialog);
    bare->setObjectName(QStringLiteral("NomsSeuls"));
    auto* safe = new QCheckBox(QStringLiteral("Protéger pour un tableur : apostrophe devant une cellule commençant par =, +, - ou @"),
                               &dialog);
    safe->setObjectName(QStringLiteral("Tableur"));
    bare->setChecked(options.bareNames);
    safe->setChecked(options.spreadsheetSafe);
    column->addWidget(bare);
    column->addWidget(safe);
    const DialogButtons buttons = addOkAnnulerRow(&dialog, column);
    QObject::connect(buttons.ok, &QPushButton::clicked, &dialog, &QDialog::accept);
    QObject::connect(buttons.annuler, &QPushButton::clicked, &dialog, &QDialog::reject);
    if (dialog.exec() != QDialog::Accepted) return false;
    options.bareNames = bare->isChecked();
    options.spreadsheetSafe = safe->isChecked();
    return true;
}

}  // namespace

std::optional<ExportChoice> askExportChoice(QWidget* parent, const QString& title) {
    QStringList filters;
    for (const auto& info : interchange::exportFormats()) filters << filterOf(info);
    QFileDialog dialog(parent, QStringLiteral("Exporter la clé"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setNameFilters(filters);
    const auto formats = interchange::exportFormats();
    auto suffixFor = [&](const QString& filter) {
        const auto i = filters.indexOf(filter);
        return i < 0 ? QString() : fromView(formats[static_cast<std::size_t>(i)].extension);
    };
    dialog.setDefaultSuffix(suffixFor(filters.front()));
    QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog,
                     [&](const QString& filter) { dialog.setDefaultSuffix(suffixFor(filter)); });
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    const auto index = filters.indexOf(dialog.selectedNameFilter());
    const auto& format = formats[static_cast<std::size_t>(std::max<qsizetype>(index, 0))];
    ExportChoice choice{dialog.selectedFiles().first(), format.format, title};
    if (hasExportOptions(choice.format)) {
        ExportOptionsDialog options(choice.format, title, parent);
        if (options.exec() != QDialog::Accepted) return std::nullopt;
        choice.options = options.options();
        choice.title = QString::fromStdString(choice.options.title);
    }
    if ((choice.format == interchange::ExportFormat::KeyBaseCsv || choice.format == interchange::ExportFormat::KeyBaseTsv) &&
        !askKeyBaseOptions(parent, choice.options))
        return std::nullopt;
    return choice;
}

bool exportResultTable(QWidget* parent, const ResultTable& table, const ExportChoice& choice) {
    interchange::ExportOptions options = choice.options;
    options.title = choice.title.toStdString();
    const interchange::Exported exported = interchange::exportKeyWithPdf(table, choice.format, options);
    if (exported.failure) {
        QMessageBox::warning(parent, QStringLiteral("Sarvelo"), QString::fromStdString(*exported.failure));
        return false;
    }
    QSaveFile file(choice.fileName);
    const auto size = static_cast<qint64>(exported.bytes.size());
    if (!file.open(QIODevice::WriteOnly) || file.write(exported.bytes.data(), size) != size || !file.commit()) {
        QMessageBox::warning(parent, QStringLiteral("Sarvelo"),
                             QStringLiteral("Impossible d'enregistrer le fichier « %1 » :\n%2")
                                 .arg(choice.fileName, file.errorString()));
        return false;
    }
    if (!exported.warnings.empty()) {
        QString message = QStringLiteral("Clé exportée ; à vérifier :");
        const auto count = static_cast<int>(exported.warnings.size());
        for (int i = 0; i < std::min(count, kWarningsShown); ++i)
            message += '\n' + QString::fromStdString(exported.warnings[static_cast<std::size_t>(i)]);
        if (count > kWarningsShown) message += QStringLiteral("\n... et %1 autres").arg(count - kWarningsShown);
        QMessageBox::information(parent, QStringLiteral("Sarvelo"), message);
    }
    return true;
}

}  // namespace sarvelo::qt
