// "Ouvrir fichier texte": a text or RTF file read as the working text.
#pragma once

#include <cstddef>
#include <optional>
#include <string>

#include "documents/rich_text.hpp"

namespace sarvelo {

inline constexpr const char* kMsgTextFileFailed = "Erreur sur le fichier, impossible à ouvrir";

// The editor lays a line out as a whole: a line this long (no key has one)
// would freeze the window for many seconds, so such a file is refused.
inline constexpr std::size_t kMaxLineChars = 1'000'000;

struct WorkingTextFile {
    RichText text;
    bool wasRtf = false;
    std::size_t replaced = 0;  // bad bytes of a UTF-8 text, read as U+FFFD
    std::optional<std::string> error;  // French reason: the file is refused, nothing was read
};

// RTF when the file begins as RTF does, otherwise text (UTF-16 with its
// byte-order mark, UTF-8, else Windows-1252). Refuses unreadable, binary,
// huge files and files with a line longer than kMaxLineChars.
WorkingTextFile readWorkingTextFile(const std::string& path);

}  // namespace sarvelo
