// "Détecter la mise en page" (menu "Traitement"): the best few layouts found
// in the working text, each with its outcome and the first rows of its table;
// "Applique" takes one over, "Paramètres précédents" brings back the ones
// before it. Where nothing processes the text, the lines that stop it are
// listed and a double click shows them in the text.
#pragma once

#include <QDialog>
#include <optional>

#include "layout/detection.hpp"

class QLabel;
class QListWidget;
class QPushButton;
class QTableWidget;

namespace sarvelo {

class TSarvelo;

inline constexpr const char* kDetectLayoutCaption = "Détecter la mise en page";
inline constexpr const char* kDetectLayoutHint =
    "Propose les paramètres de la clé d'après le texte : numérotation, séparateurs, renvois";
inline constexpr const char* kApplyCaption = "Applique";
inline constexpr const char* kPreviousCaption = "Paramètres précédents";
inline constexpr const char* kMsgProposals = "%1 mise(s) en page proposée(s), la meilleure en tête : « Applique » la prend";
inline constexpr const char* kMsgApplied = "Paramètres appliqués : F9 traite la clé. « Paramètres précédents » les rétablit.";
inline constexpr const char* kMsgRestored = "Les paramètres d'avant sont rétablis.";
inline constexpr const char* kMsgDetecting = "Détection de la mise en page…";
inline constexpr const char* kObstaclesCaption = "Ce qui empêche le traitement (double-clic : voir la ligne) :";

class TDetection : public QDialog {
    Q_OBJECT

public:
    explicit TDetection(TSarvelo& window);

    // Studies the working text as it is now and shows the proposals.
    void detect();
    const LayoutDetection& detection() const { return detection_; }

    QTableWidget* proposalsTable() const { return proposals_; }
    QTableWidget* previewTable() const { return preview_; }
    QListWidget* obstaclesList() const { return obstacles_; }
    QPushButton* applyButton() const { return apply_; }
    QPushButton* previousButton() const { return previous_; }
    QLabel* statusLabel() const { return status_; }

private:
    void showPreview(int proposal);
    void applyCurrent();
    void restorePrevious();
    void goToLine(int line);

    TSarvelo& window_;
    LayoutDetection detection_;
    std::optional<KeyParams> before_;
    QLabel* status_ = nullptr;
    QTableWidget* proposals_ = nullptr;
    QTableWidget* preview_ = nullptr;
    QLabel* obstaclesCaption_ = nullptr;
    QListWidget* obstacles_ = nullptr;
    QPushButton* apply_ = nullptr;
    QPushButton* previous_ = nullptr;
};

// The menu command: one dialog per window, studying the text anew each time.
void detectLayoutCommand(TSarvelo& window);

}  // namespace sarvelo
