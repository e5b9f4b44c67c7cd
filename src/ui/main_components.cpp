// The main window's components: the customisable toolbar, whose layout
// lives in "sarvelo.ini", and the about box.
#include <QAction>

#include "components/licence.hpp"
#include "components/qt/propos.hpp"
#include "components/qt/toolbar_perso.hpp"
#include "documents/key_document.hpp"
#include "ui/qt_host.hpp"
#include "ui/main_window.hpp"

namespace sarvelo {

namespace {

QString iniFile() { return TToolBarPerso::settingsFile(QStringLiteral("sarvelo.ini")); }

}  // namespace

void TSarvelo::buildComponents() {
    toolBar_->setFichierIni(iniFile());
    toolBar_->setSectionIni(QStringLiteral("Tralven Sarvelo"));
    toolBar_->setSauvegarde(TToolBarPerso::Automatique);
    toolBar_->setPopupAccepte(false);
    // Another program may have changed the file meanwhile: read again at
    // every activation.
    connect(toolBar_, &TToolBarPerso::ownerActivated, this, [this] {
        toolBar_->setFichierIni(iniFile());
        toolBar_->Actualise();
    });
    // The strip shows once the user has put buttons on it.
    connect(toolBar_, &TToolBarPerso::rebuilt, this, [this](int buttons) { toolBar_->setVisible(buttons > 0); });
    connect(action("Parametrelabarredicone1"), &QAction::triggered, this, [this] {
        toolBar_->Personnalise();
        // The buttons stay as chosen for this session; say why they will not come back.
        if (!toolBar_->SauveIni())
            showOkMessage(this, QString::fromStdString(cannotCreateMessage(toolBar_->FichierIni().toStdString(),
                                                                           toolBar_->erreurIni().toStdString())));
    });

    propos_ = new Tpropos([this] { return QString::fromStdString(params_.Version); },
                          [this] {
                              // The credit belongs to the key document; the licence to the program.
                              return QString::fromStdString(params_.copyright) + QLatin1Char('\n') +
                                     QString::fromUtf8(kLicenceLine);
                          },
                          this);
    connect(action("Apropos1"), &QAction::triggered, propos_, &QDialog::exec);
}

}  // namespace sarvelo
