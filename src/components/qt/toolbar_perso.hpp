// TToolBarPerso: a toolbar that the user fills with buttons for any command
// of its window's menus, and TBarreIconePerso ("Personaliser"), the dialog in
// which the layout is built. The rules live in components/toolbar_layout.hpp;
// here the menus are walked, the dialog drawn and the buttons made.
#pragma once

#include <QDialog>
#include <QIcon>
#include <QList>
#include <QPointer>
#include <QToolBar>
#include <vector>

#include "components/toolbar_layout.hpp"

class QAction;
class QCheckBox;
class QListWidget;
class QMainWindow;
class QPushButton;
class QToolButton;

namespace sarvelo {

class TBarreIconePerso : public QDialog {
    Q_OBJECT

public:
    explicit TBarreIconePerso(QWidget* parent = nullptr);

    // The command list ("Liste des menus") and the layout being edited.
    void setCommands(std::vector<toolbar::Command> commands);
    void setLayout(const toolbar::Layout& layout);
    toolbar::Layout layout() const;
    // Fills the icon chooser once: one item per icon, then "Vide".
    void setIcons(const QList<QIcon>& icons);

    QListWidget* liste() const { return liste_; }
    QListWidget* listefin() const { return listefin_; }
    QListWidget* chooser() const { return chooser_; }
    QPushButton* button(const QString& caption) const;

private:
    void refresh();
    void run(void (toolbar::LayoutEditor::*command)());

    toolbar::LayoutEditor editor_;
    QList<QIcon> icons_;
    QListWidget* liste_;
    QListWidget* listefin_;
    QListWidget* chooser_;
    QWidget* left_;
    QCheckBox* checkraccourci_;
    QCheckBox* lhint_;
    QPushButton *ajouter_, *insert_, *enlever_, *effacer_, *icones_, *haut_, *bas_;
};

class TToolBarPerso : public QToolBar {
    Q_OBJECT
    Q_PROPERTY(QString FichierIni READ FichierIni WRITE setFichierIni)
    Q_PROPERTY(QString SectionIni READ SectionIni WRITE setSectionIni)
    Q_PROPERTY(Sauvegardes Sauvegarde READ Sauvegarde WRITE setSauvegarde)
    Q_PROPERTY(bool PopupAccepte READ PopupAccepte WRITE setPopupAccepte)
    Q_PROPERTY(QString Version READ Version WRITE setVersion)
    Q_PROPERTY(QString VosCommentaires READ VosCommentaires WRITE setVosCommentaires)

public:
    enum Sauvegardes { Automatique, Fermeture, sur_demande };
    Q_ENUM(Sauvegardes)

    // Hooks the owner's showing (Actualise) and closing (SauveIni when
    // saving on close); the owner's menus give the commands.
    explicit TToolBarPerso(QMainWindow* owner);

    QString FichierIni() const { return fichierIni_; }
    void setFichierIni(const QString& path) { fichierIni_ = path; }
    QString SectionIni() const { return sectionIni_; }
    void setSectionIni(const QString& section) { sectionIni_ = section; }
    Sauvegardes Sauvegarde() const { return sauvegarde_; }
    void setSauvegarde(Sauvegardes when) { sauvegarde_ = when; }
    bool PopupAccepte() const { return popupAccepte_; }
    void setPopupAccepte(bool accept) { popupAccepte_ = accept; }
    const QList<QIcon>& ImagesMenu() const { return images_; }
    void setImagesMenu(const QList<QIcon>& icons) { images_ = icons; }
    // Informational: writing them changes nothing.
    QString Version() const;
    void setVersion(const QString&) {}
    QString VosCommentaires() const;
    void setVosCommentaires(const QString&) {}

    void Personnalise();
    // False when the file could not be written; erreurIni() then says why.
    bool SauveIni();
    const QString& erreurIni() const { return erreurIni_; }
    void ChargeIni();
    void Actualise();
    void Reconstruit();

    const toolbar::Layout& layout() const { return layout_; }
    void setLayout(const toolbar::Layout& layout) { layout_ = layout; }
    const std::vector<toolbar::Command>& commands() const { return commands_; }
    TBarreIconePerso* dialog() const { return dialog_; }
    // The buttons made from the layout, left to right.
    QList<QWidget*> buttons() const;

    // "sarvelo.ini"-style settings beside the executable, or in the user's
    // configuration folder when the executable's folder cannot be written.
    static QString settingsFile(const QString& name);

signals:
    // The owner window became active (it reloads the layout then).
    void ownerActivated();
    // After every rebuilding, with the number of buttons made.
    void rebuilt(int buttons);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void PrepareCommandes();

    QMainWindow* owner_;
    TBarreIconePerso* dialog_;
    QString fichierIni_;
    QString erreurIni_;
    QString sectionIni_ = QStringLiteral("Tralven 1");
    Sauvegardes sauvegarde_ = Automatique;
    bool popupAccepte_ = false;
    QList<QIcon> images_;
    toolbar::Layout layout_;
    std::vector<toolbar::Command> commands_;
    std::vector<QPointer<QAction>> actions_;  // at the commands' positions
    QList<QAction*> own_;                      // toolbar actions of the buttons made
    std::string reported_;                     // the last unreadable entry reported
};

}  // namespace sarvelo
