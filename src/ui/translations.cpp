#include "ui/translations.hpp"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace sarvelo {

namespace {

// Captions the French catalogue of Qt lacks, seen in the file dialogs'
// "Type" column.
class MissingFrench : public QTranslator {
public:
    using QTranslator::QTranslator;
    bool isEmpty() const override { return false; }
    QString translate(const char* context, const char* source, const char* /*disambiguation*/,
                      int /*n*/) const override {
        if (qstrcmp(context, "QAbstractFileIconProvider") != 0 && qstrcmp(context, "QFileIconProvider") != 0)
            return {};
        static const struct {
            const char* english;
            const char* french;
        } kCaptions[] = {{"Folder", "Dossier"}, {"File", "Fichier"}, {"%1 File", "Fichier %1"},
                         {"Drive", "Lecteur"}, {"File Folder", "Dossier"}, {"Alias", "Alias"},
                         {"Shortcut", "Raccourci"}, {"Unknown", "Inconnu"}};
        for (const auto& c : kCaptions)
            if (qstrcmp(source, c.english) == 0) return QString::fromUtf8(c.french);
        return {};
    }
};

}  // namespace

bool installFrenchTranslations(QCoreApplication& app) {
    const QString folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    bool loaded = false;
    QCoreApplication::installTranslator(new MissingFrench(&app));
    for (const char* catalogue : {"qtbase_fr", "qt_fr"}) {
        auto* translator = new QTranslator(&app);
        if (translator->load(QString::fromLatin1(catalogue), folder)) {
            QCoreApplication::installTranslator(translator);
            loaded = true;
        } else {
            delete translator;
        }
    }
    QLocale::setDefault(QLocale(QLocale::French, QLocale::France));
    return loaded;
}

}  // namespace sarvelo
