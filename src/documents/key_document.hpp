// Key documents (".Sarvelo"): an RTF file holding the key text, the marker
// line "Configuration pour Sarvelo" and one paragraph per configuration
// entry. A line break inside an entry stays inside its paragraph.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "documents/rich_text.hpp"
#include "engine/parameters.hpp"
#include "engine/text_lines.hpp"

namespace sarvelo {

inline constexpr const char* kMsgLoadFailed = "Erreur au chargement du flux";

struct KeyDocument {
    RichText keyText;                        // the paragraphs before the marker line
    std::vector<std::string> configuration;  // the entry lines after it, in file order
    bool hasMarker = false;
    std::size_t replaced = 0;  // bad bytes of a UTF-8 text, read as U+FFFD
};

// The whole file: key text, marker line, entries of `params`.
std::string keyDocumentRtf(const RichText& keyText, const KeyParams& params);

// Splits read text at the first line that is exactly the marker. Without
// one, everything is key text and the configuration is empty.
KeyDocument splitKeyDocument(RichText text);

// Reads a document from its bytes; nothing when they are neither RTF nor
// text (binary data).
std::optional<KeyDocument> readKeyDocument(std::string_view bytes);

// The same reading for a run that needs the lines only: a text file is cut
// into lines without paragraphs of runs (a text of many short lines stays a
// small multiple of its size); an RTF document keeps its formatted text.
struct KeyDocumentLines {
    TextLines keyText;
    std::optional<RichText> formatted;       // an RTF document's paragraphs
    std::vector<std::string> configuration;  // as in `KeyDocument`
    bool hasMarker = false;
    std::size_t replaced = 0;
};
// Taken by value: a text file's bytes become its lines in place.
std::optional<KeyDocumentLines> readKeyDocumentLines(std::string bytes);

struct LoadedDocument {
    KeyDocument document;
    std::optional<std::string> error;  // the message to show; nothing else is set then
};

// Reads a document file; a file that is not RTF is read as plain text.
LoadedDocument loadKeyDocument(const std::string& path);

// The marker line inside the key text would end the key there when the
// document is read back: the message naming its line, or nothing.
std::optional<std::string> markerLineInKeyText(const RichText& keyText);

// Writes the document through a temporary file; a key text holding the
// marker line is refused. A failure leaves the earlier file as it was.
// Returns the message to show on failure.
std::optional<std::string> saveKeyDocument(const std::string& path, const RichText& keyText,
                                           const KeyParams& params);

// "Impossible d'ouvrir le fichier "%s". %s" and "Impossible de créer le fichier "%s". %s".
std::string cannotOpenMessage(const std::string& path, const std::string& reason);
std::string cannotCreateMessage(const std::string& path, const std::string& reason);

}  // namespace sarvelo
