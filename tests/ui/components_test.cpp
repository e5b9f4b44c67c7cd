// The customisable toolbar and its dialog, the build-date label and the about box.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QDir>
#include <QLabel>
#include <QListWidget>
#include <QMainWindow>
#include <QMenuBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QToolButton>
#include <functional>

#include "components/licence.hpp"
#include "components/qt/date_compilation.hpp"
#include "components/qt/propos.hpp"
#include "components/qt/toolbar_perso.hpp"
#include "ui_support.hpp"

namespace sarvelo {
namespace {

using testing::clickMenuEntry;
using testing::openWindow;
using testing::press;

// Runs `act` on the first modal dialog of type T that opens, once.
template <class T>
void whenModal(std::function<void(T*)> act) {
    auto* timer = new QTimer;
    QObject::connect(timer, &QTimer::timeout, [timer, act] {
        if (auto* d = qobject_cast<T*>(QApplication::activeModalWidget())) {
            timer->stop();
            timer->deleteLater();
            act(d);
        }
    });
    timer->start(10);
}

void clickItem(QListWidget* list, int row) {
    QListWidgetItem* item = list->item(row);
    ASSERT_NE(item, nullptr);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(item).center());
}

struct Owner : QMainWindow {
    QAction* ouvrir = nullptr;
    TToolBarPerso* bar = nullptr;
    Owner() {
        QMenu* fichier = menuBar()->addMenu(QStringLiteral("Fichier"));
        fichier->addAction(QStringLiteral("Nouveau"));
        ouvrir = fichier->addAction(QStringLiteral("Ouvrir"));
        ouvrir->setShortcut(QKeySequence(QStringLiteral("Ctrl+O")));
        ouvrir->setStatusTip(QStringLiteral("Ouvre une clé"));
        fichier->addSeparator();
        fichier->addMenu(QStringLiteral("Récents"))->addAction(QStringLiteral("clé 1"));
        QMenu* archives = menuBar()->addMenu(QStringLiteral("Archives"));
        archives->menuAction()->setVisible(false);
        archives->addAction(QStringLiteral("Format 1"));
        menuBar()->addAction(QStringLiteral("Aide"));
        bar = new TToolBarPerso(this);
        addToolBar(bar);
        // One file per test process: tests run side by side.
        bar->setFichierIni(QDir(QString::fromStdString(::testing::TempDir()))
                               .filePath(QStringLiteral("owner_%1.ini").arg(QCoreApplication::applicationPid())));
        QFile::remove(bar->FichierIni());
    }
    ~Owner() { QFile::remove(bar->FichierIni()); }
};

TEST(ToolBarPersoTest, CommandsComeFromEveryMenuHiddenOnesIncluded) {
    Owner owner;
    owner.show();  // showing the owner runs Actualise
    std::vector<std::string> names;
    for (const auto& c : owner.bar->commands()) names.push_back(c.name);
    EXPECT_EQ(names, (std::vector<std::string>{"Fichier =>| Nouveau", "Fichier =>| Ouvrir", "Fichier =>| clé 1",
                                               "Archives =>| Format 1", "Aide"}));
    EXPECT_EQ(owner.bar->dialog()->liste()->item(3)->text(), QStringLiteral("Archives =>| Format 1"));
}

TEST(ToolBarPersoTest, PersonaliserBuildsSavesAndRunsTheToolbar) {
    Owner owner;
    owner.show();
    QString layoutHint;
    whenModal<TBarreIconePerso>([&](TBarreIconePerso* d) {
        EXPECT_EQ(d->windowTitle(), QStringLiteral("Personaliser"));
        EXPECT_FALSE(d->button(QStringLiteral("Ajouter"))->isEnabled());
        clickItem(d->liste(), 1);
        QTest::mouseClick(d->button(QStringLiteral("Ajouter")), Qt::LeftButton);
        QTest::mouseClick(d->button(QStringLiteral("Separateur")), Qt::LeftButton);
        QTest::mouseClick(d->button(QStringLiteral("Separateur")), Qt::LeftButton);
        QTest::mouseClick(d->button(QStringLiteral("Ajouter")), Qt::LeftButton);  // the next command
        clickItem(d->listefin(), 0);
        layoutHint = d->listefin()->toolTip();
        d->findChild<QCheckBox*>(QStringLiteral("checkraccourci"))->setChecked(true);
        QTest::mouseClick(d->button(QStringLiteral("Ok")), Qt::LeftButton);
    });
    owner.bar->Personnalise();

    EXPECT_EQ(layoutHint, QStringLiteral("Fichier =>"));
    const toolbar::Layout expected{
        {"Fichier =>| Ouvrir ¯1®-1", std::string(toolbar::kSeparator), "Fichier =>| clé 1 ¯2®-1"}, true, false};
    EXPECT_EQ(owner.bar->layout(), expected);
    toolbar::Layout saved;
    ASSERT_TRUE(toolbar::loadLayout(owner.bar->FichierIni().toStdString(), "Tralven 1", saved));
    EXPECT_EQ(saved, expected);

    const QList<QWidget*> buttons = owner.bar->buttons();
    ASSERT_EQ(buttons.size(), 3);
    auto* first = qobject_cast<QToolButton*>(buttons[0]);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->toolTip(), QStringLiteral("Ouvrir (Ctrl+O)"));
    EXPECT_EQ(buttons[1]->width(), 8);
    QSignalSpy triggered(owner.ouvrir, &QAction::triggered);
    QTest::mouseClick(first, Qt::LeftButton);
    EXPECT_EQ(triggered.count(), 1);
}

TEST(ToolBarPersoTest, AnnulerChangesNothing) {
    Owner owner;
    owner.show();
    owner.bar->setLayout({{"Aide ¯4®-1"}, false, false});
    whenModal<TBarreIconePerso>([](TBarreIconePerso* d) {
        QTest::mouseClick(d->button(QStringLiteral("Effacer")), Qt::LeftButton);  // disabled: nothing selected yet
        clickItem(d->listefin(), 0);
        QTest::mouseClick(d->button(QStringLiteral("Effacer")), Qt::LeftButton);
        EXPECT_EQ(d->listefin()->count(), 0);
        QTest::mouseClick(d->button(QStringLiteral("Annuler")), Qt::LeftButton);
    });
    owner.bar->Personnalise();
    EXPECT_EQ(owner.bar->layout().entries, (std::vector<std::string>{"Aide ¯4®-1"}));
    EXPECT_FALSE(QFile::exists(owner.bar->FichierIni()));
}

TEST(ToolBarPersoTest, UnreadableIconIsReportedOnceNotAtEveryActivation) {
    Owner owner;
    owner.show();
    std::string reason;
    ASSERT_TRUE(toolbar::saveLayout(owner.bar->FichierIni().toStdString(), "Tralven 1",
                                    {{"Aide ¯4®-1", "Fichier =>| Ouvrir ¯1®un", "Aide ¯4®-1"}, false, false}, reason));
    testing::MessageCatcher catcher;
    owner.bar->Actualise();
    owner.bar->Actualise();  // as when the box's closing activates the window again
    EXPECT_EQ(catcher.texts, QStringList{QStringLiteral("'un' n'est pas une valeur entière correcte")});
    EXPECT_EQ(owner.bar->buttons().size(), 1);  // the entry after it only
}

TEST(ToolBarPersoTest, ALayoutThatCannotBeWrittenSaysWhy) {
    Owner owner;
    owner.bar->setFichierIni(QDir::tempPath());  // a folder: no file can be written there
    EXPECT_FALSE(owner.bar->SauveIni());
    EXPECT_FALSE(owner.bar->erreurIni().isEmpty());
    owner.bar->setFichierIni(QDir::tempPath() + QStringLiteral("/sarvelo_toolbar_ok.ini"));
    EXPECT_TRUE(owner.bar->SauveIni());
    EXPECT_TRUE(owner.bar->erreurIni().isEmpty());
    QFile::remove(owner.bar->FichierIni());
}

// The main window's settings file, private to this test process.
struct PrivateSettings {
    QString name = QCoreApplication::applicationName();
    PrivateSettings() {
        QCoreApplication::setApplicationName(QStringLiteral("ui_tests_%1").arg(QCoreApplication::applicationPid()));
        QFile::remove(path());
    }
    ~PrivateSettings() {
        QFile::remove(path());
        QCoreApplication::setApplicationName(name);
    }
    static QString path() { return TToolBarPerso::settingsFile(QStringLiteral("sarvelo.ini")); }
};

TEST(MainWindowComponentsTest, ToolbarLayoutIsReadBackAtEveryActivation) {
    PrivateSettings settings;
    auto w = openWindow();
    TToolBarPerso* bar = w->toolBarPerso();
    EXPECT_TRUE(bar->isHidden());  // nothing on it yet
    EXPECT_EQ(bar->FichierIni(), PrivateSettings::path());

    int action = -1;
    for (std::size_t i = 0; i < bar->commands().size(); ++i)
        if (bar->commands()[i].name == "Traitement =>| Action") action = static_cast<int>(i);
    ASSERT_GE(action, 0);
    std::string reason;
    ASSERT_TRUE(toolbar::saveLayout(PrivateSettings::path().toStdString(), "Tralven Sarvelo",
                                    {{toolbar::commandEntry("Traitement =>| Action", action, -1)}, true, false},
                                    reason));
    QWidget other;
    other.show();
    QApplication::setActiveWindow(&other);
    press(*w, Qt::Key_Escape);  // the main window is active again
    ASSERT_EQ(bar->buttons().size(), 1);
    EXPECT_FALSE(bar->isHidden());
    EXPECT_EQ(bar->buttons()[0]->toolTip(), QStringLiteral("Action (F9)"));
}

TEST(MainWindowComponentsTest, ParametreLaBarreOpensPersonaliser) {
    PrivateSettings settings;
    auto w = openWindow();
    QString title;
    whenModal<TBarreIconePerso>([&](TBarreIconePerso* d) {
        title = d->windowTitle();
        QStringList names;
        for (int i = 0; i < d->liste()->count(); ++i) names << d->liste()->item(i)->text();
        EXPECT_TRUE(names.contains(QStringLiteral("Archives =>| Format 5")));
        EXPECT_TRUE(names.contains(QStringLiteral("Aide =>| A propos ...")));
        QTest::mouseClick(d->button(QStringLiteral("Annuler")), Qt::LeftButton);
    });
    clickMenuEntry(*w, QStringLiteral("Options"), QStringLiteral("Paramètre la barre d'icone"));
    (void)QTest::qWaitFor([&] { return !title.isEmpty(); }, 2000);
    EXPECT_EQ(title, QStringLiteral("Personaliser"));
    // The layout, unchanged, is saved all the same.
    toolbar::Layout saved{{"x"}, true, true};
    EXPECT_TRUE(toolbar::loadLayout(PrivateSettings::path().toStdString(), "Tralven Sarvelo", saved));
    EXPECT_EQ(saved, toolbar::Layout{});
}

TEST(MainWindowComponentsTest, AboutBoxShowsTheVersionField) {
    auto w = openWindow();
    struct Case {
        std::string version;
        QString shown;
    } cases[] = {{"2.02.2011", QStringLiteral("Version : 2.02.2011")}, {"", QStringLiteral("Version : ")}};
    for (const Case& c : cases) {
        w->params().Version = c.version;
        QString shown, title, credit;
        whenModal<Tpropos>([&](Tpropos* d) {
            shown = d->LaVersion()->text();
            title = d->windowTitle();
            credit = d->Copyright()->text();
            QTest::keyClick(d, Qt::Key_Return);
        });
        press(*w, Qt::Key_F1);
        (void)QTest::qWaitFor([&] { return !shown.isEmpty(); }, 2000);
        EXPECT_EQ(shown, c.shown);
        EXPECT_EQ(title, QStringLiteral("A propos"));
        EXPECT_EQ(credit, QString::fromUtf8(kCredit) + "\n" + QString::fromUtf8(kLicenceLine));
        EXPECT_FALSE(w->propos()->isVisible());
    }
}

TEST(MainWindowComponentsTest, DateLabelShowsItsTitleAndTheBuildDate) {
    auto w = openWindow();
    auto* label = w->findChild<TDate_compilation*>(QStringLiteral("Date_compilation1"));
    ASSERT_NE(label, nullptr);
    const QDate built = TDate_compilation::dateCompilation();
    ASSERT_TRUE(built.isValid());
    EXPECT_LE(built, QDate::currentDate().addDays(1));
    const QString date = label->locale().toString(built, QLocale::ShortFormat);
    EXPECT_EQ(label->text(), QStringLiteral("Compilé le : ") + date);
    label->setTitre(QStringLiteral("Le "));
    EXPECT_EQ(label->text(), QStringLiteral("Le ") + date);
}

}  // namespace
}  // namespace sarvelo
