// The export formats, for the command line and the "Clé terminée" window.
#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "engine/table.hpp"

namespace sarvelo::interchange {

enum class ExportFormat {
    KeyBaseCsv, KeyBaseTsv, Html, Bracketed, Indented, BracketedRtf, IndentedRtf,
    IndentedPdf, BracketedPdf  // written through Qt: interchange/qt/printed_pdf.hpp
};

struct FormatInfo {
    ExportFormat format;
    std::string_view name;       // on the command line
    std::string_view caption;    // file type in the save dialog
    std::string_view extension;  // without the dot
};

std::span<const FormatInfo> exportFormats();
const FormatInfo* findFormat(std::string_view name);
// "csv, tsv, ..." for messages.
std::string formatNames();

struct Exported {
    std::string bytes;                   // UTF-8 (RTF: ASCII with Unicode codes)
    std::optional<std::string> failure;  // French reason nothing was written
    std::vector<std::string> warnings;   // French: what the reader of the file would read otherwise
};

// What a user adds to an exported key.
struct ExportOptions {
    std::string title;           // heads the HTML page and the printed key
    std::string source;          // the book or article the key comes from (HTML key)
    std::string author;          // of the key (HTML key)
    std::string language;        // of the HTML key's interface: "fr", "en", or empty to guess
    bool backReferences = false; // printed keys: "2(1)"
    bool bareNames = false;        // determinations as bare names (bareName)
    bool spreadsheetSafe = false;  // KeyBase: an apostrophe before a cell a spreadsheet would run
};

// The key every format writes: from the table, its determinations as bare
// names when asked.
struct KeyBuild;
KeyBuild exportedKey(const ResultTable& table, const ExportOptions& options);

// The key of an error-free table in a format. The PDF formats need Qt: here
// they give a failure; interchange/qt/printed_pdf.hpp writes them.
Exported exportKey(const ResultTable& table, ExportFormat format, const ExportOptions& options);
inline Exported exportKey(const ResultTable& table, ExportFormat format, const std::string& title) {
    ExportOptions options;
    options.title = title;
    return exportKey(table, format, options);
}
bool isPdf(ExportFormat format);

}  // namespace sarvelo::interchange
