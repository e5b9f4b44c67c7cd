// sarvelo-cli: the processing run on files, for many keys and for scripts.
#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iostream>
#include <iterator>
#include <memory>
#include <new>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include <dlfcn.h>
#include <malloc.h>
#include <unistd.h>

#include "app/cli_options.hpp"
#include "app/pdf_module.hpp"

#include "documents/config_entries.hpp"
#include "documents/encoding.hpp"
#include "documents/key_document.hpp"
#include "engine/engine.hpp"
#include "engine/text.hpp"
#include "interchange/formats.hpp"
#include "interchange/key_model.hpp"
#include "interchange/keybase.hpp"
#include "layout/detection.hpp"
#include "review/finished_key.hpp"
#include "review/findings_report.hpp"
#include "review/tree.hpp"

using namespace sarvelo;
using sarvelo::cli::Options;

namespace {

class CliHost : public Host {
public:
    CliHost(bool answer, bool quiet) : answer_(answer), quiet_(quiet) {}
    bool askYesNo(const std::string& title, const std::string& question) override {
        if (!quiet_) std::cerr << title << " : " << question << "\n-> " << (answer_ ? "oui" : "non") << "\n";
        return answer_;
    }
    void showMessage(const std::string& message) override {
        if (!quiet_) std::cerr << message << "\n";
    }

private:
    bool answer_;
    bool quiet_;
};

int fail(const std::string& file, const std::string& reason) {
    std::cerr << "sarvelo-cli: " << (file.empty() ? "" : file + ": ") << reason << "\n";
    return 2;
}

std::string linesText(const std::vector<std::string>& lines) {
    std::size_t size = 0;
    for (const auto& line : lines) size += line.size() + 1;
    std::string buffer;
    buffer.reserve(size);
    for (const auto& line : lines) {
        buffer += line;
        buffer += '\n';
    }
    return buffer;
}

// The PDF module, beside the program (build tree) or in its installed
// folder; loaded once a PDF is asked, it starts the application that
// measures the fonts and stops it when the outputs are made.
class PdfPrinting {
public:
    PdfPrinting(int& argc, char** argv) {
        char self[4096];
        const ssize_t length = ::readlink("/proc/self/exe", self, sizeof self - 1);
        std::string dir = length > 0 ? std::string(self, static_cast<std::size_t>(length)) : std::string();
        dir.erase(dir.find_last_of('/') + 1);
        for (const std::string& path : {dir + kPdfModuleName, dir + SARVELO_PDF_MODULE_DIR "/" + kPdfModuleName}) {
            // Kept loaded to the end: Qt's threads may outlive the application.
            if ((module_ = ::dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL | RTLD_NODELETE))) break;
        }
        if (!module_) return;
        start_ = reinterpret_cast<decltype(start_)>(::dlsym(module_, "sarvelo_pdf_start"));
        export_ = reinterpret_cast<decltype(export_)>(::dlsym(module_, "sarvelo_pdf_export"));
        stop_ = reinterpret_cast<decltype(stop_)>(::dlsym(module_, "sarvelo_pdf_stop"));
        if (start_ && export_ && stop_) start_(&argc, argv);
    }
    ~PdfPrinting() {
        if (start_ && export_ && stop_) stop_();
    }
    PdfPrinting(const PdfPrinting&) = delete;
    PdfPrinting& operator=(const PdfPrinting&) = delete;

    interchange::Exported exportKey(const ResultTable& table, interchange::ExportFormat format,
                                    const interchange::ExportOptions& options) const {
        interchange::Exported exported;
        if (!start_ || !export_ || !stop_) exported.failure = "le module PDF de sarvelo-cli est introuvable";
        else export_(&table, static_cast<int>(format), &options, &exported);
        return exported;
    }

private:
    void* module_ = nullptr;
    decltype(&sarvelo_pdf_start) start_ = nullptr;
    decltype(&sarvelo_pdf_export) export_ = nullptr;
    decltype(&sarvelo_pdf_stop) stop_ = nullptr;
};

// Every output of one run: the files are renamed over their targets together
// or not at all, once every output is decided, and at most one output is
// standard output.
class Outputs {
public:
    // A file goes to its temporary file at once: a long key's outputs do not
    // wait in memory for each other.
    void add(const std::string& path, std::string bytes) {
        if (path == "-") standardOutput_ = std::move(bytes);
        else files_.add(path, bytes);
    }
    void addLines(const std::string& path, const std::vector<std::string>& lines) { add(path, linesText(lines)); }
    // Returns the exit status of a failed write.
    std::optional<int> write() {
        const auto failure = files_.commit([this] {
            return standardOutput_.empty() || static_cast<bool>((std::cout << standardOutput_).flush());
        });
        if (!failure) return std::nullopt;
        return fail(failure->path, failure->reason + " ; aucun fichier écrit");
    }

private:
    FilesTogether files_;
    std::string standardOutput_;
};

// The bytes the table file escapes.
constexpr std::array<bool, 256> kEscaped = [] {
    std::array<bool, 256> table{};
    for (const char c : {'\t', '\n', '\r', '\\', '\0'}) table[static_cast<unsigned char>(c)] = true;
    return table;
}();
bool escaped(char c) { return kEscaped[static_cast<unsigned char>(c)]; }

// Where the next byte to escape stands, npos without one. Eight bytes are
// looked at together: a byte under 14 (every escaped control character is)
// or a backslash stops the word, which is then read byte by byte.
std::size_t nextEscape(std::string_view s, std::size_t from) {
    constexpr std::uint64_t ones = 0x0101010101010101ULL, highs = 0x8080808080808080ULL;
    for (; from + 8 <= s.size(); from += 8) {
        std::uint64_t word;
        std::memcpy(&word, s.data() + from, 8);
        const std::uint64_t backslash = word ^ (ones * '\\');
        if ((((word - ones * 14) & ~word) | ((backslash - ones) & ~backslash)) & highs) break;
    }
    for (; from < s.size(); ++from)
        if (escaped(s[from])) return from;
    return std::string_view::npos;
}

// A cell of the table file: tabs, line ends, backslashes and NULs escaped.
// The text between escapes goes in one piece.
void appendEscapedCell(std::string& out, std::string_view cell) {
    std::size_t from = 0;
    for (std::size_t i = nextEscape(cell, 0); i != std::string_view::npos; i = nextEscape(cell, from)) {
        const char c = cell[i];
        out.append(cell.substr(from, i - from));
        out += '\\';
        out += c == '\t' ? 't' : c == '\n' ? 'n' : c == '\r' ? 'r' : c == '\0' ? '0' : '\\';
        from = i + 1;
    }
    out.append(cell.substr(from));
}

// The shown columns, a line per row; sized first so that a long table is
// written once (escapes, two bytes each, are rare: a little room is left).
std::string tableText(const ResultTable& table) {
    std::size_t size = 0;
    for (int r = 0; r < table.rowCount(); ++r)
        for (int c = 0; c < ResultTable::kShownColumns; ++c) size += table.cell(r, c).size() + 1;
    std::string out;
    out.reserve(size + size / 64);
    for (int r = 0; r < table.rowCount(); ++r) {
        for (int c = 0; c < ResultTable::kShownColumns; ++c) {
            if (c) out += '\t';
            appendEscapedCell(out, table.cell(r, c));
        }
        out += '\n';
    }
    return out;
}

// Text as written line by line: every line ended by "\n", "\r\n" and "\r"
// read as line ends.
std::string asLines(std::string text) {
    if (text.find('\r') != std::string::npos) return linesText(text::splitLines(text));
    if (!text.empty() && text.back() != '\n') text += '\n';
    return text;
}

// --indentee: the key text becomes the converted couplet key and the
// parameters those that process it; --convertie keeps both in one file.
std::optional<int> convertIndented(const Options& o, Lines& lines, KeyParams& params, Outputs& outputs) {
    IndentedKey converted = convertIndentedKey(lines, o.tabWidth);
    if (!converted.converted) return fail(o.keyFile, converted.message);
    if (!o.quiet) std::cerr << converted.message << "\n";
    lines = std::move(converted.lines);
    setIndentedKeyLayout(params);
    if (!o.convertedFile.empty()) {
        std::vector<std::string> document = lines;
        document.emplace_back(kConfigurationMarker);
        for (auto& entry : configurationEntries(params)) document.push_back(std::move(entry));
        outputs.addLines(o.convertedFile, document);
    }
    return std::nullopt;
}

// --detecter: the best proposal's parameters, written as configuration lines
// (those that differ from the start-up values); an indented key is converted.
std::optional<int> detectParameters(const Options& o, Lines& lines, KeyParams& params, Outputs& outputs) {
    const LayoutDetection detection = detectLayout(lines, 1);
    for (const auto& obstacle : detection.obstacles) {
        if (obstacle.line >= 0) std::cerr << o.keyFile << ":" << obstacle.line + 1 << ": ";
        std::cerr << obstacle.reason << (obstacle.text.empty() ? "" : " : " + obstacle.text) << "\n";
    }
    if (detection.proposals.empty()) return 1;
    const LayoutProposal& best = detection.proposals.front();
    if (!detection.processes() && !o.quiet)
        std::cerr << (best.score.errorRows > 0 || best.outcome != RunOutcome::Success ? kMsgNothingProcesses
                                                                                       : kMsgChecksFindErrors)
                  << "\n";
    if (best.convertsIndented) lines = convertIndentedKey(lines, o.tabWidth).lines;
    else if (!best.convertedText.empty()) lines = best.convertedText;
    params = best.params;
    const KeyParams startUp;
    const std::vector<std::string> all = configurationEntries(params);
    std::vector<std::string> entries;
    for (const auto& info : paramInfos()) {
        if (sameValue(startUp, params, info)) continue;
        const std::string prefix = "[" + std::string(info.name) + "]";
        for (const auto& entry : all)
            if (entry.starts_with(prefix)) entries.push_back(entry);
    }
    // The parameters go to standard output unless an output already does.
    if (cli::writesToStandardOutput(o)) std::cerr << linesText(entries);
    else outputs.addLines("-", entries);
    return std::nullopt;
}

int run(int argc, char** argv) {
    cli::CommandLine commandLine = cli::parseCommandLine(argc, argv);
    if (commandLine.exitStatus) {
        std::cout << commandLine.output;
        if (!commandLine.error.empty()) std::cerr << commandLine.error << "\n";
        return *commandLine.exitStatus;
    }
    const cli::Options& o = commandLine.options;

    // A key document (RTF or text) brings its own key text and configuration.
    // The run reads the key as `TextLines` (one buffer); the formatted text
    // of an RTF document is kept only until the document is written.
    TextLines lines;
    std::optional<RichText> formatted;
    std::vector<std::string> configLines;
    bool ownConfiguration = false;
    // A KeyBase file's own couplet labels and lines, for the findings.
    std::vector<std::string> coupletLabels;
    std::vector<int> fileLines;
    {
        // The file's bytes go once read: they would double the run's peak.
        FileBytes keyBytes = readFileBytes(o.keyFile);
        if (keyBytes.error) return fail(o.keyFile, *keyBytes.error);
        if (o.keyBase || interchange::isKeyBaseFileName(o.keyFile)) {
            std::string decoded = decodeText(keyBytes.bytes);
            std::string().swap(keyBytes.bytes);
            interchange::ImportedKey imported = interchange::importKeyBase(decoded);
            if (imported.error) return fail(o.keyFile, *imported.error);
            if (!o.quiet) {
                std::string listed;
                for (const auto& warning : imported.warnings) listed += o.keyFile + ": " + warning + "\n";
                std::cerr << listed;
            }
            lines = TextLines::of(imported.text);
            configLines = std::move(imported.configuration);
            coupletLabels = std::move(imported.coupletLabels);
            fileLines = std::move(imported.fileLines);
            ownConfiguration = true;
        } else {
            std::optional<KeyDocumentLines> document = readKeyDocumentLines(std::move(keyBytes.bytes));
            if (!document) return fail(o.keyFile, "ce n'est pas un fichier texte ni un document de clé (fichier binaire)");
            if (document->replaced && !o.quiet) std::cerr << o.keyFile << ": " << replacedBytesMessage(document->replaced) << "\n";
            lines = std::move(document->keyText);
            formatted = std::move(document->formatted);
            configLines = std::move(document->configuration);
            ownConfiguration = document->hasMarker;
        }
    }
    if (o.configFile.empty() && !ownConfiguration && !o.indented && !o.detect)
        return fail("", "aucun fichier de paramètres : --config FICHIER (voir --help)");
    // An empty key is a faulty one, like a blank one: nothing to process or write.
    const auto blank = [](std::string_view l) { return l.find_first_not_of(" \t\r\f\v") == std::string_view::npos; };
    std::size_t firstText = 0;
    while (firstText < lines.size() && blank(lines[firstText])) ++firstText;
    if (firstText == lines.size()) {
        std::cerr << "sarvelo-cli: " << o.keyFile << ": la clé est vide (aucune ligne de texte)\n";
        return 1;
    }

    Outputs outputs;
    KeyParams params;
    if (o.detect || o.indented) {
        Lines working = lines.toLines();
        if (o.detect) {
            if (const auto code = detectParameters(o, working, params, outputs)) return *code;
        } else {
            if (const auto code = convertIndented(o, working, params, outputs)) return *code;
        }
        // A converted key is the document's text: it reopens and processes the same.
        // Compared line by line: the key is not copied again for it.
        bool same = working.size() == lines.size();
        for (std::size_t i = 0; same && i < working.size(); ++i) same = working[i] == lines[i];
        if (!same) {
            lines = TextLines::of(working);
            formatted.reset();
        }
    } else {
        if (!o.configFile.empty()) {
            const TextFile config = readTextFile(o.configFile);
            if (config.error) return fail(o.configFile, *config.error);
            // A file holding the marker line is read after it, like a key document.
            SplitDocument document = splitDocument(text::splitLines(config.text));
            configLines = document.hasMarker ? document.configuration : document.keyText;
        }
        const std::string& paramSource = o.configFile.empty() ? o.keyFile : o.configFile;
        // The lines go over the start-up values: a hand-written file may name only
        // what differs (a document names every parameter, so it reads the same).
        if (const auto failure = applyConfigurationOver(params, configLines)) return fail(paramSource, *failure);
        if (!preconditionMet(params)) return fail(paramSource, kMsgNoSeparator);
    }

    if (!o.documentFile.empty()) {
        if (!formatted) formatted = RichText::fromLines(lines.toLines());
        outputs.add(o.documentFile, keyDocumentRtf(*formatted, params));
    }
    formatted.reset();  // only the document needed the formatted text: the run's peak goes without it

    ResultTable table;
    CliHost host(o.nestedYes, o.quiet);
    RunOptions options;
    options.partialMode = o.partial;
    options.checks.everyRepeatedTaxon = o.everyRepeatedTaxon;
    if (!coupletLabels.empty() && !o.detect && !o.indented) options.checks.coupletLabels = &coupletLabels;
    RunResult result = runProcessing(lines, params, table, host, options);
    // The table holds the key from here on; an export's title needs the first
    // line of text only.
    std::size_t titleLine = 0;
    while (titleLine < lines.size() && lines[titleLine].find_first_not_of(" \t") == std::string_view::npos) ++titleLine;
    lines.truncate(titleLine + 1);
    if (!fileLines.empty() && !o.detect && !o.indented)
        for (Finding& f : result.findings)
            if (f.line >= 0)
                f.line = static_cast<std::size_t>(f.line) < fileLines.size() ? fileLines[static_cast<std::size_t>(f.line)] - 1 : -1;
    // PDF pages are laid out with Qt's fonts, without a display.
    std::optional<PdfPrinting> printing;
    for (const auto& [format, file] : o.exports)
        if (interchange::isPdf(format->format) && !printing) printing.emplace(argc, argv);

    // The run's own scan says whether a row is in error, except in partial mode.
    bool inError = result.outcome == RunOutcome::Errors;
    if (result.outcome == RunOutcome::PartialStop)
        for (int r = 1; r < table.rowCount() && !inError; ++r) inError = rowInError(table, r);
    const int status = inError ? 1 : hasErreur(result.findings) ? 3 : 0;
    // One write for the whole list: a faulty long key has a line per row.
    std::string listed;
    for (const Finding& f : result.findings) listed += findingLine(f) + '\n';
    // Listed whatever is written: they explain a refused export too.
    const auto finish = [&](std::optional<int> failed) {
        std::cerr << listed;
        return failed ? *failed : status;
    };

    if (!o.checksFile.empty()) {
        outputs.addLines(o.checksFile, o.checksTsv ? findingsTsv(result.findings) : findingsReport(result.findings));
        return finish(outputs.write());
    }

    if (!o.tableFile.empty()) outputs.add(o.tableFile, tableText(table));
    if (!o.treeFile.empty()) outputs.add(o.treeFile, asLines(treeText(table)));
    if ((!o.finishedKeyFile.empty() || !o.exports.empty()) && result.outcome != RunOutcome::Success && !o.quiet)
        std::cerr << "clé terminée non écrite : la clé n'a pas été traitée sans erreur\n";
    if (result.outcome == RunOutcome::Success) {
        interchange::ExportOptions exportOptions = o.exportOptions;
        if (exportOptions.title.empty()) exportOptions.title = interchange::proposedTitle(lines, table);
        for (const auto& [format, file] : o.exports) {
            interchange::Exported exported = interchange::isPdf(format->format)
                                                  ? printing->exportKey(table, format->format, exportOptions)
                                                  : interchange::exportKey(table, format->format, exportOptions);
            if (exported.failure) return finish(fail(file, *exported.failure + " ; aucun fichier écrit"));
            std::string warned;
            for (const auto& warning : exported.warnings) warned += file + ": " + warning + "\n";
            std::cerr << warned;
            outputs.add(file, std::move(exported.bytes));
        }
        if (!o.finishedKeyFile.empty()) {
            // What the finished-key window shows: the lines of the tidied table.
            if (o.ordered) {
                auto ordered = orderFinishedKey(finishedKeyLines(table));
                if (ordered.failure) return finish(fail(o.finishedKeyFile, *ordered.failure + " ; aucun fichier écrit"));
                outputs.addLines(o.finishedKeyFile, ordered.lines);
            } else {
                outputs.add(o.finishedKeyFile, finishedKeyText(table));
            }
        }
    }
    return finish(outputs.write());
}

}  // namespace

int main(int argc, char** argv) {
    // A long key's buffers (its text, the table, each output) come and go one
    // after the other. Mapped apart, as the allocator does beyond 32 MB, each
    // would be faulted in afresh page by page, which makes the time per lead
    // grow with the key; kept in the heap, the next buffer reuses their room.
    mallopt(M_MMAP_THRESHOLD, 256 << 20);
    mallopt(M_TRIM_THRESHOLD, 512 << 20);
    // A key too large for the memory left ends like any unusable input.
    try {
        return run(argc, argv);
    } catch (const std::bad_alloc&) {
        std::cout.flush();
        std::fputs("sarvelo-cli: mémoire insuffisante pour traiter la clé ; aucun fichier écrit\n", stderr);
        return 2;
    }
}
