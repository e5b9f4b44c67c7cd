// The "Clé terminée" window: the finished key, one line per lead, to order, browse and save.
#pragma once

#include <QDialog>
#include <QTimer>
#include <functional>
#include <string>
#include <vector>

#include "engine/table.hpp"
#include "review/qt/key_export.hpp"

class QLabel;
class QPlainTextEdit;
class QPrinter;
class QPushButton;
class QSpinBox;

namespace sarvelo::qt {
class ActivationRebuild;
}

class TBD_Fin : public QDialog {
    Q_OBJECT
public:
    // `table` is the main window's result table; it must outlive the window.
    explicit TBD_Fin(const sarvelo::ResultTable* table, QWidget* parent = nullptr);

    // Writes the key built from the table into the window without showing it.
    void buildFromTable();
    // Corrections typed in the window are kept until they are saved or the
    // key is built again; true when there are none, or the user lets them go.
    bool mayDiscardEdits();
    bool edited() const { return edited_; }
    // The grey band of a result made from an earlier text.
    void setStale(bool stale);
    // Asked before "Enregistrer", "Exporter..." and "Imprimer" write (a stale
    // result, a key in error); false stops the writing.
    using WriteCheck = std::function<bool(QWidget* parent, sarvelo::qt::ResultWriting writing)>;
    void setBeforeWrite(WriteCheck check) { beforeWrite_ = std::move(check); }
    // "Imprimer": the printer, asked with QPrintDialog unless replaced; false
    // when the user cancels.
    using PrinterChooser = std::function<bool(QPrinter& printer, QWidget* parent)>;
    void setPrinterChooser(PrinterChooser chooser) { printer_ = std::move(chooser); }
    // "Trier la clé terminée": builds, puts in order and shows the window modally; when it is
    // already shown, builds and orders it in place and brings it to the front.
    void showOrdered();
    // Shows the window without blocking the caller.
    void present();
    // Builds, then shows the window without blocking; the activation that
    // follows does not build it a second time.
    void buildAndPresent();

    // The lines of the text as the user sees them (a long key finished
    // filling first).
    std::vector<std::string> lines();
    // A long key is still going in (the window is read-only meanwhile).
    bool filling() const { return !pending_.empty(); }

    // Asks for the file name of "Enregistrer"; an empty name means the user cancelled.
    // Replaceable so that the save can run without a dialog.
    using FileNameProvider = std::function<QString(QWidget* parent)>;
    void setFileNameProvider(FileNameProvider provider) { fileName_ = std::move(provider); }

    // "Exporter...": the file, format and title, asked with a dialog unless replaced.
    void setExportChoiceProvider(sarvelo::qt::ExportChoiceProvider provider) { exportChoice_ = std::move(provider); }
    // The title the interactive key proposes (from the working text).
    void setTitleSource(std::function<QString()> source) { titleSource_ = std::move(source); }

public slots:
    void FormActivate();
    void ExporterClick();
    void OrdreClick();
    void AllerClick();
    void EnregistrerClick();
    void FermerClick();
    void ImprimerClick();

signals:
    // "Aller": the table row whose lead gave the selected line, or no signal when the text no
    // longer matches the table (the user edited it, or the line number is beyond the text).
    void goToTableRow(int row);

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void setText(std::vector<std::string> lines);
    void fillStep();
    void finishFilling();
    bool orderText();
    static QString askFileName(QWidget* parent);

    const sarvelo::ResultTable* table_;
    QPlainTextEdit* fin_;
    QPushButton* fermer_;
    QPushButton* enregistrer_;
    QPushButton* ordre_;
    QPushButton* exporter_;
    QSpinBox* versLigne_;
    QPushButton* aller_;
    sarvelo::qt::ActivationRebuild* activation_;
    FileNameProvider fileName_;
    sarvelo::qt::ExportChoiceProvider exportChoice_;
    std::function<QString()> titleSource_;
    WriteCheck beforeWrite_;
    PrinterChooser printer_;
    QLabel* stale_;

    // Table row of each line while the text is as built or ordered here; emptied on user edits.
    std::vector<int> lineRows_;
    bool settingText_ = false;
    // A long key goes in a screenful first, then in slices while the window
    // stays live; read-only until it is whole.
    std::vector<std::string> pending_;
    std::size_t pendingFrom_ = 0;
    QTimer* filling_ = nullptr;
    bool edited_ = false;
    bool shownOnce_ = false;
};
