#include "documents/key_document.hpp"

#include "documents/config_entries.hpp"
#include "documents/encoding.hpp"
#include "documents/file_io.hpp"

namespace sarvelo {

namespace {

// Line breaks inside a value are written as "\r\n", as a selection of the
// working text gives them.
std::string withWindowsBreaks(const std::string& line) {
    if (line.find('\n') == std::string::npos) return line;
    std::string out;
    out.reserve(line.size() + 8);
    for (const char c : line) {
        if (c == '\n' && (out.empty() || out.back() != '\r')) out += '\r';
        out += c;
    }
    return out;
}

}  // namespace

std::string keyDocumentRtf(const RichText& keyText, const KeyParams& params) {
    RichText whole = keyText;
    const std::vector<std::string> entries = configurationEntries(params);
    whole.paragraphs.reserve(whole.paragraphs.size() + entries.size() + 1);
    whole.paragraphs.emplace_back().append(kConfigurationMarker, {});
    for (const auto& entry : entries) whole.paragraphs.emplace_back().append(entry, {});
    return writeRtf(whole);
}

KeyDocument splitKeyDocument(RichText text) {
    KeyDocument doc;
    auto& paras = text.paragraphs;
    std::size_t marker = 0;
    while (marker < paras.size() && paras[marker].text() != kConfigurationMarker) ++marker;
    if (marker < paras.size()) {
        doc.hasMarker = true;
        doc.configuration.reserve(paras.size() - marker - 1);
        for (std::size_t i = marker + 1; i < paras.size(); ++i)
            doc.configuration.push_back(withWindowsBreaks(paras[i].text()));
        paras.resize(marker);
    }
    doc.keyText = std::move(text);
    return doc;
}

std::optional<KeyDocument> readKeyDocument(std::string_view bytes) {
    RtfReading reading = readRtf(bytes);
    if (!reading.wasRtf && bytes.find('\0') != std::string_view::npos && !hasUtf16ByteOrderMark(bytes))
        return std::nullopt;
    KeyDocument document = splitKeyDocument(std::move(reading.text));
    document.replaced = reading.replaced;
    return document;
}

std::optional<KeyDocumentLines> readKeyDocumentLines(std::string bytes) {
    KeyDocumentLines out;
    if (looksLikeRtf(bytes)) {
        std::optional<KeyDocument> document = readKeyDocument(bytes);
        if (!document) return std::nullopt;
        out.keyText = TextLines::of(document->keyText.lines());
        out.formatted = std::move(document->keyText);
        out.configuration = std::move(document->configuration);
        out.hasMarker = document->hasMarker;
        out.replaced = document->replaced;
        return out;
    }
    if (bytes.find('\0') != std::string_view::npos && !hasUtf16ByteOrderMark(bytes)) return std::nullopt;
    {
        DecodedText decoded = takeDecodedText(std::move(bytes));
        out.replaced = decoded.replaced;
        out.keyText = TextLines::splitOwned(std::move(decoded.text));
    }
    std::size_t marker = 0;
    while (marker < out.keyText.size() && out.keyText[marker] != kConfigurationMarker) ++marker;
    if (marker < out.keyText.size()) {
        out.hasMarker = true;
        // A line of plain text holds no line break: the entries are as read.
        for (std::size_t i = marker + 1; i < out.keyText.size(); ++i) out.configuration.emplace_back(out.keyText[i]);
        out.keyText.truncate(marker);
    }
    return out;
}

LoadedDocument loadKeyDocument(const std::string& path) {
    LoadedDocument loaded;
    FileBytes file = readFileBytes(path);
    if (file.binary) {
        loaded.error = kMsgLoadFailed;
        return loaded;
    }
    if (file.error) {
        loaded.error = cannotOpenMessage(path, *file.error);
        return loaded;
    }
    std::optional<KeyDocument> document = readKeyDocument(file.bytes);
    if (!document) {
        loaded.error = kMsgLoadFailed;
        return loaded;
    }
    loaded.document = std::move(*document);
    return loaded;
}

std::optional<std::string> markerLineInKeyText(const RichText& keyText) {
    for (std::size_t i = 0; i < keyText.paragraphs.size(); ++i)
        if (keyText.paragraphs[i].text() == kConfigurationMarker)
            return "La ligne " + std::to_string(i + 1) + " du texte de la clé est \"" + kConfigurationMarker +
                   "\" : le document s'arrêterait à elle en s'ouvrant. Modifiez cette ligne avant d'enregistrer.";
    return std::nullopt;
}

std::optional<std::string> saveKeyDocument(const std::string& path, const RichText& keyText,
                                           const KeyParams& params) {
    if (auto marker = markerLineInKeyText(keyText)) return marker;
    std::string reason;
    if (!writeFileAtomically(path, keyDocumentRtf(keyText, params), reason)) return cannotCreateMessage(path, reason);
    return std::nullopt;
}

std::string cannotOpenMessage(const std::string& path, const std::string& reason) {
    return "Impossible d'ouvrir le fichier \"" + path + "\". " + reason;
}

std::string cannotCreateMessage(const std::string& path, const std::string& reason) {
    return "Impossible de créer le fichier \"" + path + "\". " + reason;
}

}  // namespace sarvelo
