// TDate_compilation: a label that reads `Titre` followed by the day the
// program was built, in the locale's short date format.
#pragma once

#include <QDate>
#include <QLabel>

namespace sarvelo {

class TDate_compilation : public QLabel {
    Q_OBJECT
    Q_PROPERTY(QString Titre READ Titre WRITE setTitre)

public:
    explicit TDate_compilation(QWidget* parent = nullptr);

    QString Titre() const { return titre_; }
    void setTitre(const QString& titre);
    static QDate dateCompilation();

protected:
    void changeEvent(QEvent* event) override;

private:
    void refresh();

    QString titre_ = QStringLiteral("Compilé le : ");
};

}  // namespace sarvelo
