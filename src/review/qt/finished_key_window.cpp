#include "review/qt/finished_key_window.hpp"

#include <QFileDialog>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QSaveFile>
#include <QSpinBox>
#include <QTextBlock>
#include <QVBoxLayout>
#include <algorithm>
#include <deque>
#include <unordered_map>

#include "review/finished_key.hpp"
#include "review/qt/stale_band.hpp"
#include "review/qt/view_window.hpp"

namespace {

bool givesLine(std::string_view kind) {
    return kind == sarvelo::kReference || kind == sarvelo::kDetermination ||
           kind == sarvelo::kSectionReference;
}

// A line as "En ordre" writes it back: the number part without leading zeros. Lines that
// cannot be ordered keep their text (the ordering stops on them anyway).
std::string orderedForm(const std::string& line) {
    const auto comma = line.find(',');
    const std::string number = line.substr(0, comma);
    if (number.empty() || number.find_first_not_of("0123456789") != std::string::npos)
        return line;
    const auto first = number.find_first_not_of('0');
    const std::string rest = comma == std::string::npos ? std::string() : line.substr(comma);
    return (first == std::string::npos ? std::string("0") : number.substr(first)) + rest;
}

}  // namespace

TBD_Fin::TBD_Fin(const sarvelo::ResultTable* table, QWidget* parent)
    : QDialog(parent), table_(table) {
    setObjectName("BD_Fin");
    setWindowTitle("Clé terminée");
    sarvelo::qt::setViewWindowFlags(this, false);
    setModal(false);
    setFont(QFont("Arial Narrow"));
    resize(870, 639);

    fin_ = new QPlainTextEdit(this);
    fin_->setObjectName("Fin");
    fin_->setLineWrapMode(QPlainTextEdit::NoWrap);
    fin_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    fin_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    fin_->setPlainText("Fin");
    connect(fin_, &QPlainTextEdit::textChanged, this, [this] {
        if (settingText_) return;
        lineRows_.clear();
        edited_ = true;
    });

    auto* panel = new QWidget(this);
    panel->setObjectName("panel");
    fermer_ = new QPushButton("Fermer", panel);
    fermer_->setObjectName("Fermer");
    enregistrer_ = new QPushButton("Enregistrer", panel);
    enregistrer_->setObjectName("Enregistrer");
    enregistrer_->setDefault(true);
    ordre_ = new QPushButton("En ordre", panel);
    ordre_->setObjectName("Ordre");
    exporter_ = new QPushButton("Exporter...", panel);
    exporter_->setObjectName("Exporter");
    exporter_->setAutoDefault(false);
    auto* goLabel = new QLabel("Allé à ligne ", panel);
    versLigne_ = new QSpinBox(panel);
    versLigne_->setObjectName("vers_ligne");
    versLigne_->setRange(1, 1);
    versLigne_->setValue(1);
    aller_ = new QPushButton("Aller", panel);
    aller_->setObjectName("Aller");
    aller_->setAutoDefault(false);

    auto* panelLayout = new QHBoxLayout(panel);
    panelLayout->addWidget(fermer_);
    panelLayout->addWidget(enregistrer_);
    panelLayout->addWidget(ordre_);
    panelLayout->addWidget(exporter_);
    panelLayout->addStretch();
    panelLayout->addWidget(goLabel);
    panelLayout->addWidget(versLigne_);
    panelLayout->addWidget(aller_);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    stale_ = sarvelo::qt::makeStaleBand(this);
    layout->addWidget(stale_);
    layout->addWidget(fin_, 1);
    layout->addWidget(panel);

    connect(fermer_, &QPushButton::clicked, this, &TBD_Fin::FermerClick);
    connect(enregistrer_, &QPushButton::clicked, this, &TBD_Fin::EnregistrerClick);
    connect(ordre_, &QPushButton::clicked, this, &TBD_Fin::OrdreClick);
    connect(aller_, &QPushButton::clicked, this, &TBD_Fin::AllerClick);
    connect(exporter_, &QPushButton::clicked, this, &TBD_Fin::ExporterClick);

    activation_ = new sarvelo::qt::ActivationRebuild(this, [this] { FormActivate(); });
    filling_ = new QTimer(this);
    filling_->setInterval(0);
    connect(filling_, &QTimer::timeout, this, &TBD_Fin::fillStep);
}

std::vector<std::string> TBD_Fin::lines() {
    finishFilling();
    std::vector<std::string> out;
    const QString text = fin_->toPlainText();
    if (text.isEmpty()) return out;
    const QStringList parts = text.split(QChar('\n'));
    out.reserve(static_cast<std::size_t>(parts.size()));
    for (const QString& part : parts) out.push_back(part.toStdString());
    // A final line break does not start another line.
    if (out.size() > 1 && out.back().empty()) out.pop_back();
    return out;
}

namespace {

// Lines put in at once: the first screenful of a long key, then each slice
// (a slice takes a few tens of milliseconds: the window stays live).
constexpr std::size_t kFirstLines = 2000, kFillSlice = 10000;

QString joinedLines(const std::vector<std::string>& lines, std::size_t from, std::size_t to) {
    QString text;
    for (std::size_t i = from; i < to; ++i) {
        if (i > from) text += QChar('\n');
        text += QString::fromStdString(lines[i]);
    }
    return text;
}

}  // namespace

void TBD_Fin::setText(std::vector<std::string> lines) {
    filling_->stop();
    pending_.clear();
    fin_->setReadOnly(false);
    const std::size_t first = std::min(lines.size(), kFirstLines);
    settingText_ = true;
    fin_->setPlainText(joinedLines(lines, 0, first));
    settingText_ = false;
    edited_ = false;
    if (first < lines.size()) {
        pending_ = std::move(lines);
        pendingFrom_ = first;
        fin_->setReadOnly(true);
        filling_->start();
    }
}

void TBD_Fin::fillStep() {
    if (pending_.empty()) return;
    const std::size_t to = std::min(pending_.size(), pendingFrom_ + kFillSlice);
    QTextDocument* doc = fin_->document();
    const bool undo = doc->isUndoRedoEnabled();
    doc->setUndoRedoEnabled(false);
    QTextCursor end(doc);
    end.movePosition(QTextCursor::End);
    settingText_ = true;
    end.insertText(QChar('\n') + joinedLines(pending_, pendingFrom_, to));
    settingText_ = false;
    doc->setUndoRedoEnabled(undo);
    pendingFrom_ = to;
    if (pendingFrom_ == pending_.size()) {
        filling_->stop();
        pending_.clear();
        fin_->setReadOnly(false);
    }
}

void TBD_Fin::finishFilling() {
    while (!pending_.empty()) fillStep();
}

bool TBD_Fin::mayDiscardEdits() {
    if (!edited_) return true;
    QMessageBox box(QMessageBox::Question, "Sarvelo",
                    "Remplacer les corrections faites dans « Clé terminée » par la clé traitée ?",
                    QMessageBox::NoButton, this);
    QPushButton* yes = box.addButton("&Oui", QMessageBox::YesRole);
    QPushButton* no = box.addButton("&Non", QMessageBox::NoRole);
    box.setDefaultButton(no);
    box.setEscapeButton(no);
    box.exec();
    return box.clickedButton() == yes;
}

void TBD_Fin::setStale(bool stale) { stale_->setVisible(stale); }

void TBD_Fin::buildFromTable() {
    std::vector<std::string> built;
    std::vector<int> rows;
    if (table_) {
        built = sarvelo::finishedKeyLines(*table_);
        for (int row = 1; row <= table_->dataRows(); ++row)
            if (givesLine(table_->cell(row, sarvelo::kKind))) rows.push_back(row);
    }
    const std::size_t count = built.size();
    setText(std::move(built));
    lineRows_ = rows.size() == count ? std::move(rows) : std::vector<int>{};
    versLigne_->setMaximum(std::max(1, static_cast<int>(count)));
}

// Shown again, the window follows the table unless the user has corrected its text.
void TBD_Fin::FormActivate() {
    if (!edited_) buildFromTable();
}

bool TBD_Fin::orderText() {
    const std::vector<std::string> current = lines();
    sarvelo::OrderResult ordered = sarvelo::orderFinishedKey(current);
    if (ordered.failure) {
        // The text stays as it was: nothing the user typed is lost.
        QMessageBox::warning(this, "Sarvelo", QString::fromStdString(*ordered.failure));
        return false;
    }
    // Follow each line to its new place so that "Aller" still finds its table row.
    std::vector<int> rows;
    if (!lineRows_.empty() && lineRows_.size() == current.size()) {
        std::unordered_map<std::string, std::deque<int>> rowsOf;
        for (std::size_t i = 0; i < current.size(); ++i)
            rowsOf[orderedForm(current[i])].push_back(lineRows_[i]);
        rows.reserve(ordered.lines.size());
        for (const std::string& line : ordered.lines) {
            auto found = rowsOf.find(line);
            if (found == rowsOf.end() || found->second.empty()) {
                rows.clear();
                break;
            }
            rows.push_back(found->second.front());
            found->second.pop_front();
        }
    }
    setText(std::move(ordered.lines));
    lineRows_ = std::move(rows);
    return true;
}

void TBD_Fin::OrdreClick() { orderText(); }

void TBD_Fin::AllerClick() {
    finishFilling();
    const int line = versLigne_->value();
    QTextDocument* doc = fin_->document();
    QTextBlock block = doc->findBlockByNumber(line - 1);
    if (!block.isValid()) block = doc->lastBlock();
    QTextCursor cursor(doc);
    cursor.setPosition(block.position());
    cursor.setPosition(block.position() + block.length() - 1, QTextCursor::KeepAnchor);
    fin_->setTextCursor(cursor);
    fin_->ensureCursorVisible();
    fin_->setFocus(Qt::OtherFocusReason);
    if (line >= 1 && line <= static_cast<int>(lineRows_.size()))
        emit goToTableRow(lineRows_[static_cast<std::size_t>(line - 1)]);
}

QString TBD_Fin::askFileName(QWidget* parent) {
    QFileDialog dialog(parent, "Enregistrer sous");
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setNameFilter("Format Clé (*.cle)");
    dialog.setDefaultSuffix("cle");
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    return dialog.selectedFiles().first();
}

void TBD_Fin::EnregistrerClick() {
    if (beforeWrite_ && !beforeWrite_(this, sarvelo::qt::ResultWriting::Save)) return;
    const QString name = fileName_ ? fileName_(this) : askFileName(this);
    if (name.isEmpty()) {
        // The sorted view ends with "Enregistrer" even when the save was cancelled.
        if (isModal()) reject();
        return;
    }
    QByteArray bytes;
    for (const std::string& line : lines()) {
        bytes.append(line.data(), static_cast<qsizetype>(line.size()));
        bytes.append('\n');
    }
    QSaveFile file(name);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
        // The window stays open with its text, so the user can try another place.
        QMessageBox::warning(this, "Sarvelo",
                             QString("Impossible d'enregistrer le fichier « %1 » :\n%2")
                                 .arg(name, file.errorString()));
        return;
    }
    edited_ = false;
    accept();
}

void TBD_Fin::FermerClick() { reject(); }

// The finished key as the window shows it, corrections included.
void TBD_Fin::ImprimerClick() {
    if (!edited_) buildFromTable();
    if (lines().empty()) {
        QMessageBox::information(parentWidget(), "Sarvelo", "Aucune clé terminée à imprimer : F9 traite la clé.");
        return;
    }
    if (beforeWrite_ && !beforeWrite_(parentWidget(), sarvelo::qt::ResultWriting::Print)) return;
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(windowTitle());
    const bool chosen = printer_ ? printer_(printer, parentWidget()) : [&] {
        QPrintDialog dialog(&printer, parentWidget());
        dialog.setWindowTitle("Imprimer la clé terminée");
        return dialog.exec() == QDialog::Accepted;
    }();
    if (!chosen) return;
    finishFilling();
    QTextDocument page;
    page.setDefaultFont(fin_->font());
    page.setPlainText(fin_->toPlainText());
    page.print(&printer);
}

// The key is exported from the result table, not from the text of the window,
// so that every format describes the key as processed.
void TBD_Fin::ExporterClick() {
    if (!table_ || (beforeWrite_ && !beforeWrite_(this, sarvelo::qt::ResultWriting::Export))) return;
    const QString title = titleSource_ ? titleSource_() : QStringLiteral("Clé d'identification");
    const auto choice = exportChoice_ ? exportChoice_(this, title) : sarvelo::qt::askExportChoice(this, title);
    if (choice) sarvelo::qt::exportResultTable(this, *table_, *choice);
}

void TBD_Fin::present() {
    show();
    raise();
    activateWindow();
}

void TBD_Fin::buildAndPresent() {
    if (mayDiscardEdits()) buildFromTable();
    const bool active = QGuiApplication::focusWindow() && QGuiApplication::focusWindow() == windowHandle();
    if (!active) activation_->keepNextActivation();
    present();
}

void TBD_Fin::showOrdered() {
    if (mayDiscardEdits()) buildFromTable();
    orderText();
    const bool active = QGuiApplication::focusWindow() &&
                        QGuiApplication::focusWindow() == windowHandle();
    if (!active) activation_->keepNextActivation();
    if (isVisible()) {
        // Already shown without blocking: it cannot become modal, so it is ordered in place.
        raise();
        activateWindow();
        return;
    }
    exec();
}

void TBD_Fin::showEvent(QShowEvent* event) {
    if (!shownOnce_) {
        shownOnce_ = true;
        sarvelo::qt::centreOnScreen(this);
    }
    QDialog::showEvent(event);
}

void TBD_Fin::hideEvent(QHideEvent* event) {
    activation_->windowHidden();
    QDialog::hideEvent(event);
}
