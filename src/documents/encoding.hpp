// Reading key texts from files: UTF-16 when a byte-order mark says so,
// otherwise Windows-1252 or UTF-8, told apart by whether the bytes are valid
// UTF-8. Nothing is ever dropped: every byte becomes a character.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "documents/file_io.hpp"

namespace sarvelo {

bool isValidUtf8(std::string_view bytes);
// Windows-1252 bytes to UTF-8 (the five unassigned codes become the control
// characters of the same number, so that they survive a round trip).
std::string windows1252ToUtf8(std::string_view bytes);
// The bytes begin with a UTF-16 byte-order mark (either byte order).
bool hasUtf16ByteOrderMark(std::string_view bytes);
// UTF-16 after its byte-order mark; a lone surrogate or a last odd byte
// becomes U+FFFD, so that the damage stays visible.
std::string utf16ToUtf8(std::string_view bytes);
// UTF-16 with a byte-order mark, UTF-8 as is (a leading byte-order mark
// removed), anything else as Windows-1252. A text that is UTF-8 but for a
// few bytes (one damaged, a last character cut in half) is read as UTF-8,
// each bad byte as U+FFFD, counted in `replaced`.
struct DecodedText {
    std::string text;
    std::size_t replaced = 0;
};
DecodedText decodeTextCounted(std::string_view bytes);
// The same, taking the bytes: well-formed UTF-8 becomes the text without a copy.
DecodedText takeDecodedText(std::string&& bytes);
std::string decodeText(std::string_view bytes);
// "3 octets qui ne sont pas de l'UTF-8 ont été lus comme "\uFFFD"".
std::string replacedBytesMessage(std::size_t count);
// UTF-8 to Windows-1252; characters it cannot hold are written as "?" and
// counted in `lost` when given.
std::string utf8ToWindows1252(std::string_view utf8, std::size_t* lost = nullptr);

struct TextFile {
    std::string text;                  // UTF-8
    std::optional<std::string> error;  // French reason when the file is unusable
    std::size_t replaced = 0;          // bad bytes of a UTF-8 text, read as U+FFFD
};

// Reads a whole text file (or standard input for "-"). Refuses unreadable,
// binary (NUL bytes) and huge files.
TextFile readTextFile(const std::string& path);

}  // namespace sarvelo
