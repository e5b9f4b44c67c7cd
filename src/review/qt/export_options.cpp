#include "review/qt/export_options.hpp"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QVBoxLayout>

#include "review/qt/dialog_buttons.hpp"

namespace sarvelo::qt {

namespace {

QLineEdit* field(QWidget* parent, const char* name, const QString& text = {}) {
    auto* edit = new QLineEdit(text, parent);
    edit->setObjectName(QString::fromLatin1(name));
    edit->setMinimumWidth(320);
    return edit;
}

}  // namespace

bool hasExportOptions(interchange::ExportFormat format) {
    return format != interchange::ExportFormat::KeyBaseCsv && format != interchange::ExportFormat::KeyBaseTsv;
}

ExportOptionsDialog::ExportOptionsDialog(interchange::ExportFormat format, const QString& title, QWidget* parent)
    : QDialog(parent), title_(field(this, "Titre", title)) {
    const bool html = format == interchange::ExportFormat::Html;
    setWindowTitle(html ? QStringLiteral("Clé interactive") : QStringLiteral("Clé imprimée"));
    auto* column = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Titre de la clé :"), title_);
    if (html) {
        source_ = field(this, "Source");
        author_ = field(this, "Auteur");
        language_ = new QComboBox(this);
        language_->setObjectName(QStringLiteral("Langue"));
        language_->addItem(QStringLiteral("Celle des mots de la clé"), QString());
        language_->addItem(QStringLiteral("Français"), QStringLiteral("fr"));
        language_->addItem(QStringLiteral("English"), QStringLiteral("en"));
        form->addRow(QStringLiteral("Source (ouvrage) :"), source_);
        form->addRow(QStringLiteral("Auteur :"), author_);
        form->addRow(QStringLiteral("Langue de la page :"), language_);
    } else {
        backReferences_ = new QCheckBox(QStringLiteral("Numéro du couplet qui mène à chaque couplet : 2(1)."), this);
        backReferences_->setObjectName(QStringLiteral("Renvois"));
        form->addRow(backReferences_);
    }
    column->addLayout(form);
    const DialogButtons buttons = addOkAnnulerRow(this, column);
    connect(buttons.ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(buttons.annuler, &QPushButton::clicked, this, &QDialog::reject);
}

interchange::ExportOptions ExportOptionsDialog::options() const {
    interchange::ExportOptions options;
    options.title = title_->text().toStdString();
    if (source_) options.source = source_->text().trimmed().toStdString();
    if (author_) options.author = author_->text().trimmed().toStdString();
    if (language_) options.language = language_->currentData().toString().toStdString();
    if (backReferences_) options.backReferences = backReferences_->isChecked();
    return options;
}

}  // namespace sarvelo::qt
