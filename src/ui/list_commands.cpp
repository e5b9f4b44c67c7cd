#include "ui/list_commands.hpp"

#include "engine/recognition.hpp"
#include "review/line_index.hpp"
#include "review/qt/line_index_dialog.hpp"
#include "ui/qt_host.hpp"

namespace sarvelo {

bool askComplexEntry(KeyParams& p, const std::string& selection, TIndice_ligne& dialog, QWidget* parent) {
    const std::string pattern = codage(selection);
    // A full list is said before the user highlights anything in vain.
    if (canAddComplexEntry(p, pattern) == ComplexAdd::Full) {
        showOkMessage(parent, QString::fromUtf8(kMsgComplexListFull));
        return false;
    }
    const auto index = dialog.ask(pattern);
    if (!index || addComplexEntry(p, pattern, *index) != ComplexAdd::Added) return false;
    p.mixte_edit = pattern;
    return true;
}

bool askComplexCorrection(KeyParams& p, int row, TIndice_ligne& dialog) {
    if (row < 0 || row >= static_cast<int>(p.Liste_mixte.size())) return false;
    // The dialog shows the class pattern of the field, so that the index
    // pattern lines up with the entry it goes with.
    const std::string pattern = codage(p.mixte_edit);
    const auto index = dialog.ask(pattern);
    return index && correctComplexEntry(p, row, pattern, *index);
}

}  // namespace sarvelo
