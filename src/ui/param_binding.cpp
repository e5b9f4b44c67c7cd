#include "ui/param_binding.hpp"

#include <QCheckBox>
#include <QComboBox>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QSpinBox>

#include "components/qt/saisie.hpp"
#include "engine/text.hpp"
#include "ui/radio_group.hpp"

namespace sarvelo {

namespace {

QString qs(std::string_view s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }

QStringList qlist(const TextList& items) {
    QStringList out;
    out.reserve(static_cast<qsizetype>(items.size()));
    for (const auto& s : items) out.append(QString::fromStdString(s));
    return out;
}

TextList listItems(const QListWidget* list) {
    TextList out;
    out.reserve(static_cast<std::size_t>(list->count()));
    for (int i = 0; i < list->count(); ++i) out.push_back(list->item(i)->text().toStdString());
    return out;
}

}  // namespace

QWidget* makeParamControl(const ParamInfo& info, QWidget* parent) {
    QWidget* w = nullptr;
    switch (info.kind) {
        case ParamKind::Text: w = new TSaisie(parent); break;
        case ParamKind::Flag: w = new QCheckBox(qs(info.caption), parent); break;
        case ParamKind::Integer: {
            auto* spin = new QSpinBox(parent);
            spin->setRange(info.minimum, info.maximum);
            w = spin;
            break;
        }
        case ParamKind::Choice: {
            QStringList items = qlist(info.optionList());
            if (info.caption.empty()) {
                auto* combo = new QComboBox(parent);
                combo->addItems(items);
                w = combo;
            } else {
                w = new TRadioGroup(qs(info.caption), items, parent);
            }
            break;
        }
        case ParamKind::List: w = new QListWidget(parent); break;
        case ParamKind::Lines: {
            auto* edit = new QPlainTextEdit(parent);
            edit->setLineWrapMode(QPlainTextEdit::NoWrap);
            w = edit;
            break;
        }
    }
    w->setObjectName(qs(info.name));
    if (info.hidden) w->hide();
    return w;
}

ParamBinding::ParamBinding(KeyParams& params, QWidget* root) : QObject(root), params_(params) {
    const auto infos = paramInfos();
    controls_.resize(infos.size(), nullptr);
    for (std::size_t i = 0; i < infos.size(); ++i) {
        QWidget* w = root->findChild<QWidget*>(qs(infos[i].name));
        controls_[i] = w;
        if (w) bind(infos[i], w);
    }
    showAll();
}

QWidget* ParamBinding::control(std::string_view name) const {
    const auto infos = paramInfos();
    for (std::size_t i = 0; i < infos.size(); ++i)
        if (infos[i].name == name) return controls_[i];
    return nullptr;
}

QStringList ParamBinding::missingControls() const {
    QStringList out;
    const auto infos = paramInfos();
    for (std::size_t i = 0; i < infos.size(); ++i) {
        QWidget* w = controls_[i];
        bool ok = false;
        switch (infos[i].kind) {
            case ParamKind::Text: ok = qobject_cast<TSaisie*>(w); break;
            case ParamKind::Flag: ok = qobject_cast<QCheckBox*>(w); break;
            case ParamKind::Integer: ok = qobject_cast<QSpinBox*>(w); break;
            case ParamKind::Choice: ok = qobject_cast<TRadioGroup*>(w) || qobject_cast<QComboBox*>(w); break;
            case ParamKind::List: ok = qobject_cast<QListWidget*>(w); break;
            case ParamKind::Lines: ok = qobject_cast<QPlainTextEdit*>(w); break;
        }
        if (!ok) out.append(qs(infos[i].name));
    }
    return out;
}

void ParamBinding::bind(const ParamInfo& info, QWidget* w) {
    const ParamInfo* p = &info;
    auto read = [this, p] {
        if (!showing_) readControl(*p);
    };
    if (auto* e = qobject_cast<TSaisie*>(w)) {
        connect(e, &QLineEdit::textChanged, this, read);
    } else if (auto* c = qobject_cast<QCheckBox*>(w)) {
        connect(c, &QCheckBox::toggled, this, read);
    } else if (auto* s = qobject_cast<QSpinBox*>(w)) {
        connect(s, &QSpinBox::valueChanged, this, read);
    } else if (auto* g = qobject_cast<TRadioGroup*>(w)) {
        connect(g, &TRadioGroup::itemIndexChanged, this, read);
    } else if (auto* b = qobject_cast<QComboBox*>(w)) {
        connect(b, &QComboBox::currentIndexChanged, this, read);
    } else if (auto* l = qobject_cast<QListWidget*>(w)) {
        QAbstractItemModel* m = l->model();
        connect(m, &QAbstractItemModel::rowsInserted, this, read);
        connect(m, &QAbstractItemModel::rowsRemoved, this, read);
        connect(m, &QAbstractItemModel::dataChanged, this, read);
        connect(m, &QAbstractItemModel::modelReset, this, read);
    } else if (auto* t = qobject_cast<QPlainTextEdit*>(w)) {
        connect(t, &QPlainTextEdit::textChanged, this, read);
    }
}

void ParamBinding::readControl(const ParamInfo& info) {
    QWidget* w = control(info.name);
    std::visit(
        [&](auto* field) {
            using T = std::remove_pointer_t<decltype(field)>;
            if constexpr (std::is_same_v<T, std::string>) {
                *field = static_cast<TSaisie*>(w)->text().toStdString();
            } else if constexpr (std::is_same_v<T, bool>) {
                *field = static_cast<QCheckBox*>(w)->isChecked();
            } else if constexpr (std::is_same_v<T, int>) {
                if (auto* s = qobject_cast<QSpinBox*>(w)) *field = s->value();
                else if (auto* g = qobject_cast<TRadioGroup*>(w)) *field = g->itemIndex();
                else if (auto* b = qobject_cast<QComboBox*>(w)) *field = b->currentIndex();
            } else {
                if (auto* l = qobject_cast<QListWidget*>(w))
                    *field = listItems(l);
                else if (auto* t = qobject_cast<QPlainTextEdit*>(w))
                    *field = text::splitLines(t->toPlainText().toStdString());
            }
        },
        fieldOf(params_, info));
    emit changed(info);
}

void ParamBinding::show(std::string_view name) {
    if (const ParamInfo* info = findParam(name)) show(*info);
}

void ParamBinding::show(const ParamInfo& info) {
    QWidget* w = control(info.name);
    if (!w) return;
    showing_ = true;
    std::visit(
        [&](auto* field) {
            using T = std::remove_pointer_t<decltype(field)>;
            if constexpr (std::is_same_v<T, std::string>) {
                auto* e = static_cast<TSaisie*>(w);
                const QString value = QString::fromStdString(*field);
                if (e->text() != value) e->setText(value);
            } else if constexpr (std::is_same_v<T, bool>) {
                static_cast<QCheckBox*>(w)->setChecked(*field);
            } else if constexpr (std::is_same_v<T, int>) {
                if (auto* s = qobject_cast<QSpinBox*>(w)) {
                    s->setValue(*field);
                    *field = s->value();  // out-of-range values are brought into range
                } else if (auto* g = qobject_cast<TRadioGroup*>(w)) {
                    g->setItemIndex(*field);
                } else if (auto* b = qobject_cast<QComboBox*>(w)) {
                    b->setCurrentIndex(*field >= 0 && *field < b->count() ? *field : -1);
                }
            } else {
                if (auto* l = qobject_cast<QListWidget*>(w)) {
                    if (listItems(l) != *field) {
                        l->clear();
                        l->addItems(qlist(*field));
                    }
                } else if (auto* t = qobject_cast<QPlainTextEdit*>(w)) {
                    if (text::splitLines(t->toPlainText().toStdString()) != *field)
                        t->setPlainText(QString::fromStdString(text::joinLines(*field)));
                }
            }
        },
        fieldOf(params_, info));
    showing_ = false;
    emit changed(info);
}

void ParamBinding::showAll() {
    for (const auto& info : paramInfos()) show(info);
}

}  // namespace sarvelo
