// Binding between the key-parameter record and the window's named controls.
// The controls are made and bound by walking the parameter description: each
// control bears its parameter's name, and every edit of a control is written
// at once into the record the engine reads. Commands that change the record
// directly call show() so that the control follows.
#pragma once

#include <QObject>
#include <QString>
#include <QWidget>
#include <string_view>

#include "engine/parameters.hpp"

namespace sarvelo {

// The control of one parameter, by kind: text TSaisie, flag QCheckBox,
// integer QSpinBox, choice TRadioGroup (titled) or QComboBox (untitled),
// list QListWidget, lines QPlainTextEdit. Hidden parameters get hidden controls.
QWidget* makeParamControl(const ParamInfo& info, QWidget* parent);

class ParamBinding : public QObject {
    Q_OBJECT

public:
    // Finds every parameter's control among the children of `root` by name.
    ParamBinding(KeyParams& params, QWidget* root);

    QWidget* control(std::string_view name) const;
    // Record to control(s).
    void show(const ParamInfo& info);
    void show(std::string_view name);
    void showAll();
    // Names of parameters without a control of the right type (empty when
    // the window is complete).
    QStringList missingControls() const;

signals:
    // A parameter's value changed in the record (by its control or show()).
    void changed(const sarvelo::ParamInfo& info);

private:
    void bind(const ParamInfo& info, QWidget* w);
    void readControl(const ParamInfo& info);

    KeyParams& params_;
    std::vector<QWidget*> controls_;  // parallel to paramInfos()
    bool showing_ = false;
};

}  // namespace sarvelo
