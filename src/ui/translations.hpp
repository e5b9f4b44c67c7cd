// Qt's own dialogs and buttons (file dialogs, Yes/No, the overwrite
// question) in French, like the rest of the program.
#pragma once

class QCoreApplication;

namespace sarvelo {

// Loads Qt's French translations; false when they are not installed (the
// dialogs then stay in English).
bool installFrenchTranslations(QCoreApplication& app);

}  // namespace sarvelo
