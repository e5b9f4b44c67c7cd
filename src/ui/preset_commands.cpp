#include "ui/preset_commands.hpp"

#include <QAction>
#include <QTabWidget>
#include <QTextEdit>

#include "documents/qt/rich_text_qt.hpp"
#include "review/presets.hpp"
#include "review/qt/preset_window.hpp"
#include "ui/document_commands.hpp"
#include "ui/main_window.hpp"
#include "ui/param_binding.hpp"

namespace sarvelo {

// The sample replaces the working text as one step that Ctrl+Z takes back.
void usePreset(TSarvelo& w, const TFormatPreset& preset) {
    if (!w.documents()->mayReplaceText()) return;
    std::vector<std::string> lines;
    for (const QString& line : preset.sampleText().split(QLatin1Char('\n'))) lines.push_back(line.toStdString());
    const TextList criteres = preset.criteres();
    if (criteres.empty()) {
        replaceEditorRichText(*w.memo1(), RichText::fromLines(lines));
        return;
    }
    const int front = w.pages()->currentIndex();
    w.setPageByCommand(TSarvelo::kPageDefinition);
    replaceEditorRichText(*w.memo1(), RichText::fromLines(lines));
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
