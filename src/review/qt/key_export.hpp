// "Exporter..." of the "Clé terminée" window: the file and its type asked of
// the user, the key of the result table written in that format.
#pragma once

#include <QString>
#include <functional>
#include <optional>

#include "engine/table.hpp"
#include "interchange/formats.hpp"

class QWidget;

namespace sarvelo::qt {

// What is about to write the result table's key out of the program.
enum class ResultWriting { Save, Export, Print };

struct ExportChoice {
    QString fileName;
    interchange::ExportFormat format;
    QString title;                         // of the interactive or printed key
    interchange::ExportOptions options{};  // the rest of what the user asked for (its title aside)
};

// Asks for the file, its type and, for the interactive and printed keys,
// their options (title proposed: `title`), for KeyBase its own; no choice when
// the user cancels.
using ExportChoiceProvider = std::function<std::optional<ExportChoice>(QWidget* parent, const QString& title)>;
std::optional<ExportChoice> askExportChoice(QWidget* parent, const QString& title);

// Writes the key in the chosen format. A key that cannot be exported or a
// file that cannot be written is reported in a message box; false then.
// What a reader of the file would read otherwise is listed after writing.
bool exportResultTable(QWidget* parent, const ResultTable& table, const ExportChoice& choice);

}  // namespace sarvelo::qt
