// TSaisie: a one-line field for short literals that may be invisible (a
// separator of one space, a tab). It keeps the real text; a coloured overlay
// lies over it and shows the same text with spaces, tabs and line breaks as
// visible codes. Clicking the overlay uncovers the field for editing; leaving
// the field, or resting the mouse for one timer interval, covers it again.
#pragma once

#include <QColor>
#include <QLabel>
#include <QLineEdit>
#include <QTimer>

namespace sarvelo {

class TSaisie : public QLineEdit {
    Q_OBJECT
    Q_PROPERTY(QColor Affichage_couleur READ Affichage_couleur WRITE setAffichage_couleur)
    Q_PROPERTY(int Code_Retour_a_la_ligne READ Code_Retour_a_la_ligne WRITE setCode_Retour_a_la_ligne)
    Q_PROPERTY(int Code_espace READ Code_espace WRITE setCode_espace)
    Q_PROPERTY(int Code_tabulation READ Code_tabulation WRITE setCode_tabulation)
    Q_PROPERTY(int Vitesse READ Vitesse WRITE setVitesse)

public:
    explicit TSaisie(QWidget* parent = nullptr);

    QColor Affichage_couleur() const { return couleur_; }
    void setAffichage_couleur(const QColor& c);
    int Code_Retour_a_la_ligne() const { return codeRetour_; }
    void setCode_Retour_a_la_ligne(int code);
    int Code_espace() const { return codeEspace_; }
    void setCode_espace(int code);
    int Code_tabulation() const { return codeTab_; }
    void setCode_tabulation(int code);
    int Vitesse() const { return vitesse_; }
    void setVitesse(int ms);

    // The text with its codes (U+0007 for a space and so on), as the overlay
    // holds it before the codes are given drawable glyphs.
    QString codedText() const;
    QLabel* overlay() const { return overlay_; }
    bool overlayShown() const { return !overlay_->isHidden(); }
    QTimer* timer() const { return timer_; }

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void rebuildOverlay();
    void redoChange();
    void timerFired();
    void uncover();

    QLabel* overlay_;
    QTimer* timer_;
    QColor couleur_{255, 255, 0};
    int codeRetour_ = 182;
    int codeEspace_ = 7;
    int codeTab_ = 26;
    int vitesse_ = 500;
};

}  // namespace sarvelo
