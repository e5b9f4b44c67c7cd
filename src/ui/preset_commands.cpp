#include "ui/preset_commands.hpp"

#include <QAction>
#include <QTabWidget>

#include "review/presets.hpp"
#include "review/qt/preset_window.hpp"
#include "ui/main_window.hpp"
#include "ui/param_binding.hpp"

namespace sarvelo {

void usePreset(TSarvelo& w, const TFormatPreset& preset) {
    const TextList criteres = preset.criteres();
    if (criteres.empty()) {
        w.setWorkingText(preset.sampleText());
        return;
    }
    const int front = w.pages()->currentIndex();
    w.setPageByCommand(TSarvelo::kPageDefinition);
    w.setWorkingText(preset.sampleText());
    for (std::string_view name : applyCriteres(w.params(), criteres)) w.binding().show(name);
    w.setPageByCommand(front);
}

void buildPresetCommands(TSarvelo& w) {
    for (int n = 1; n <= kPresetCount; ++n) {
        auto* preset = new TFormatPreset(n, &w);
        QObject::connect(preset, &TFormatPreset::utilise, &w, [&w, preset] { usePreset(w, *preset); });
        const QByteArray name = "Format" + QByteArray::number(n) + "1";
        if (QAction* a = w.action(name.constData()))
            QObject::connect(a, &QAction::triggered, preset, [preset] { preset->exec(); });
    }
}

}  // namespace sarvelo
