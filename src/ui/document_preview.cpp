#include "ui/document_preview.hpp"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QTextEdit>
#include <QVBoxLayout>

#include "components/qt/saisie.hpp"
#include "documents/config_entries.hpp"
#include "documents/qt/rich_text_qt.hpp"
#include "ui/main_window.hpp"
#include "ui/param_binding.hpp"
#include "ui/parameter_pages.hpp"

namespace sarvelo {

namespace {

const QColor kRed(255, 0, 0);

// Parameters that only the main window holds.
bool mirrored(const ParamInfo& info) {
    return info.page <= 5 && info.name != "copyright" && info.name != "Version" && info.name != "Developpement";
}

}  // namespace

TFormat_X::TFormat_X(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("Format_X"));
    setWindowTitle(QStringLiteral("Format X"));
    setModal(true);
    resize(900, 620);
    auto* column = new QVBoxLayout(this);

    memo1_ = new QTextEdit(this);
    memo1_->setObjectName(QStringLiteral("memo1"));
    QFont arial(QStringLiteral("Arial"));
    arial.setPixelSize(13);
    memo1_->document()->setDefaultFont(arial);
    memo1_->setLineWrapMode(QTextEdit::NoWrap);
    memo1_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    memo1_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    memo1_->setReadOnly(true);
    column->addWidget(memo1_, 1);

    onglets_ = new QTabWidget(this);
    onglets_->setObjectName(QStringLiteral("onglets"));
    const QStringList captions{QStringLiteral("(0) Formatage"), QStringLiteral("(1) Numérotation"),
                               QStringLiteral("(2) Renvois"),   QStringLiteral("(3) Section"),
                               QStringLiteral("(4) Définition"), QStringLiteral("(5) Autres lignes")};
    for (int i = 0; i < captions.size(); ++i) {
        auto* page = new QWidget(onglets_);
        page->setEnabled(false);  // values shown, nothing changed
        // ...but in the ordinary text colour: disabled grey on grey is not readable.
        QPalette readable = page->palette();
        for (const QPalette::ColorRole role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
            readable.setColor(QPalette::Disabled, role, readable.color(QPalette::Active, role));
        page->setPalette(readable);
        onglets_->addTab(page, captions[i]);
    }
    // The same controls and the same pages as the main window's.
    for (const ParamInfo& info : paramInfos())
        if (mirrored(info)) makeParamControl(info, onglets_->widget(info.page));
    pages_ = std::make_unique<ParameterPages>(onglets_, false);
    pages_->build();
    onglets_->setFixedHeight(TSarvelo::kTabFull + 24);
    column->addWidget(onglets_);
    binding_ = new ParamBinding(mirror_, this);

    auto* strip = new QHBoxLayout;
    auto* utilise = new QPushButton(QStringLiteral("Utilise que le format"), this);
    utilise->setObjectName(QStringLiteral("Utilise"));
    auto* ouvre = new QPushButton(QStringLiteral("Ouvre"), this);
    ouvre->setObjectName(QStringLiteral("BitBtn1"));
    auto* legend = new QLabel(QStringLiteral("En rouge les paramètres différents de la clé actuellement utilisée"), this);
    QFont bold = legend->font();
    bold.setBold(true);
    legend->setFont(bold);
    legend->setStyleSheet(QStringLiteral("color: rgb(255,0,0);"));
    strip->addWidget(utilise);
    strip->addWidget(ouvre);
    strip->addWidget(legend, 1);
    column->addLayout(strip);

    connect(utilise, &QPushButton::clicked, this, [this] { finish(Choice::FormatOnly); });
    connect(ouvre, &QPushButton::clicked, this, [this] { finish(Choice::Open); });
    connect(onglets_, &QTabWidget::currentChanged, this, &TFormat_X::tabSelected);
    onglets_->setCurrentIndex(1);
    FormatClick();
}

TFormat_X::~TFormat_X() = default;

QWidget* TFormat_X::control(std::string_view name) const { return binding_->control(name); }

std::optional<std::string> TFormat_X::present(const KeyDocument& document, const KeyParams* current) {
    choice_ = Choice::Cancelled;
    setEditorRichText(*memo1_, document.keyText);
    memo1_->moveCursor(QTextCursor::Start);
    // A document without configuration (a text or RTF of the key alone)
    // opens with the start-up parameters, not with every one blank.
    criteres_ = document.hasMarker ? document.configuration : configurationEntries(KeyParams{});
    const auto failure = applyConfiguration(mirror_, criteres_);
    binding_->showAll();
    FormatClick();
    // Without a current document there is nothing to compare with: all grey.
    for (const ParamInfo& info : paramInfos())
        if (QWidget* w = mirrored(info) ? control(info.name) : nullptr)
            mark(w, current && !sameValue(mirror_, *current, info));
    return failure;
}

void TFormat_X::FormatClick() {
    pages_->showFormatPanel(mirror_.Format);
}

void TFormat_X::mark(QWidget* w, bool different) {
    const QColor colour = different ? kRed : palette().color(QPalette::Button);
    w->setProperty("different", different);
    QPalette pal = w->palette();
    // Fields paint their Base, boxes and groups their Window.
    pal.setColor(QPalette::Base, colour);
    pal.setColor(QPalette::Window, colour);
    w->setPalette(pal);
    w->setAutoFillBackground(true);
    if (auto* field = qobject_cast<TSaisie*>(w)) field->setAffichage_couleur(colour);
}

bool TFormat_X::markedDifferent(std::string_view name) const {
    const QWidget* w = control(name);
    return w && w->property("different").toBool();
}

void TFormat_X::finish(Choice choice) {
    choice_ = choice;
    accept();
}

}  // namespace sarvelo
