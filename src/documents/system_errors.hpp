// The reasons the system gives for a failed file operation, in French
// whatever the locale, for the messages that name a file.
#pragma once

#include <string>

namespace sarvelo {

// The French text of an errno value ("permission refusée"); an unlisted one
// reads "erreur système N".
std::string frenchSystemError(int errnum);

}  // namespace sarvelo
