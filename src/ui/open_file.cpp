#include "ui/open_file.hpp"

#include "interchange/keybase.hpp"
#include "ui/document_commands.hpp"
#include "ui/keybase_import.hpp"
#include "ui/main_window.hpp"
#include "ui/text_input.hpp"

namespace sarvelo {

void openFileAsMenusWould(TSarvelo& window, const QString& path) {
    if (path.endsWith(QStringLiteral(".sarvelo"), Qt::CaseInsensitive)) window.documents()->open(path);
    else if (interchange::isKeyBaseFileName(path.toStdString())) importKeyBaseFile(window, path);
    else window.textInput()->openTextFile(path);
}

}  // namespace sarvelo
