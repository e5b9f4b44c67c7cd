// sarvelo-cli: the processing run on files, for many keys and for scripts.
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iostream>
#include <iterator>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "documents/config_entries.hpp"
#include "documents/encoding.hpp"
#include "documents/key_document.hpp"
#include "engine/detection.hpp"
#include "engine/engine.hpp"
#include "engine/text.hpp"
#include "interchange/formats.hpp"
#include "interchange/key_model.hpp"
#include "interchange/keybase.hpp"
#include "review/finished_key.hpp"
#include "review/findings_report.hpp"
#include "review/tree.hpp"

using namespace sarvelo;

namespace {

constexpr const char* kUsage = R"(Usage : sarvelo-cli [options] CLE

Traite la clé de détermination du fichier CLE (texte Windows-1252 ou UTF-8, ou
document de clé .Sarvelo ; "-" pour l'entrée standard) avec les paramètres du
fichier de configuration, ou avec ceux du document de clé.
Une clé KeyBase (fichier .csv ou .tsv : couplet, texte, destination) est lue avec
les paramètres qui la traitent ; --config est alors facultatif.
Une CLE qui contient la ligne "Configuration pour Sarvelo" est lue jusqu'à elle.

Options :
  -c, --config FICHIER     paramètres de la clé : lignes "[Nom] valeur" (la partie
                           d'un document de clé après "Configuration pour Sarvelo" ;
                           un fichier qui contient cette ligne est lu après elle) ;
                           les paramètres non nommés gardent leur valeur de
                           démarrage, une liste nommée remplace celle de départ
  -d, --document FICHIER   écrit un document de clé (.Sarvelo) : le texte de la clé
                           et les paramètres utilisés
  -o, --cle FICHIER        écrit la clé terminée, une ligne par entrée ("-" : sortie
                           standard) ; écrite seulement si la clé est sans erreur
      --en-ordre           la clé terminée dans l'ordre des couplets ("En ordre")
  -t, --tableau FICHIER    écrit le tableau de résultat (Nb, separ., texte, separ.,
                           Def ou renvois) en texte séparé par des tabulations
  -a, --arbre FICHIER      écrit la structure de la clé en texte indenté
  -e, --exporter FORMAT FICHIER
                           exporte la clé sans erreur ; FORMAT : csv ou tsv (KeyBase),
                           html (clé interactive), crochets ou indentee (texte),
                           crochets-rtf ou indentee-rtf (RTF) ; l'option peut
                           être répétée
      --titre TEXTE        titre de la clé interactive (par défaut : la première
                           ligne du texte quand elle n'est pas une entrée)
  -r, --recursive oui|non  réponse à la question "La clé semble récursive ?"
                           (par défaut : non)
  -p, --partiel            mode partiel : s'arrête après la construction du tableau
  -v, --verifier-seulement FICHIER
                           vérifie la clé et écrit seulement le rapport des
                           vérifications ("-" : sortie standard), sans clé
                           terminée, tableau ni structure
      --tsv                le rapport des vérifications en texte séparé par des
                           tabulations (niveau, genre, couplet, rang, ligne, texte)
  -q, --silencieux         n'affiche pas les messages du traitement
  -i, --indentee           CLE est une clé indentée (retraits, étiquettes I., A.,
                           a., 1. ou numéros 1.2.1.) : elle est convertie en clé
                           numérotée par couplets, traitée avec ses propres
                           paramètres (sans --config)
      --convertie FICHIER  avec --indentee : écrit la clé convertie suivie de
                           "Configuration pour Sarvelo" et de ses paramètres
                           (utilisable ensuite comme CLE et comme --config)
      --tabulation N       avec --indentee : largeur d'une tabulation (8 par défaut)
      --detecter           détecte la mise en page (sans --config) : écrit les
                           paramètres trouvés en lignes "[Nom] valeur", utilisables
                           avec --config, et traite la clé avec eux pour -o, -t, -a,
                           -e et -d ; sans mise en page qui traite la clé, les
                           lignes qui l'empêchent sont listées
  -h, --help               affiche cette aide

Les fichiers lus (fichier, tube ou entrée standard) font au plus 64 Mo ; toute
fin de ligne est reconnue (CR LF, LF ou CR seul). Les fichiers écrits sont en
UTF-8, d'abord dans un fichier temporaire renommé ensuite : un échec d'écriture
laisse l'ancien fichier intact. Dans le tableau, une tabulation ou un saut de
ligne à l'intérieur d'une cellule est écrit \t ou \n.

Après le traitement, les vérifications de la clé (renvois vers un couplet qui
n'existe pas, couplets inaccessibles, boucles, couplets à une seule entrée ...)
sont listées sur la sortie d'erreur avec les numéros de ligne du fichier CLE.

Code de sortie :
  0  traitement sans erreur, aucune erreur de vérification (des avertissements
     peuvent rester)
  1  la clé contient des erreurs (les rangs et lignes en erreur sont listés sur la
     sortie d'erreur)
  3  traitement sans erreur (la clé terminée est écrite) mais les vérifications
     trouvent des erreurs
  2  entrée inutilisable (fichier illisible, paramètres incorrects) : une ligne
     d'erreur nomme le fichier et la raison
)";

struct Options {
    std::string keyFile;
    std::string configFile;
    std::string finishedKeyFile;
    std::string tableFile;
    std::string treeFile;
    std::string checksFile;
    bool checksTsv = false;
    std::vector<std::pair<const interchange::FormatInfo*, std::string>> exports;
    std::string title;
    std::string documentFile;
    bool ordered = false;
    bool nestedYes = false;
    bool partial = false;
    bool quiet = false;
    bool indented = false;
    std::string convertedFile;
    int tabWidth = 8;
    bool detect = false;
};

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

// Writes lines to a file, or to standard output for "-"; false on failure.
bool writeLines(const std::string& path, const std::vector<std::string>& lines, std::string& reason) {
    std::string buffer;
    for (const auto& line : lines) {
        buffer += line;
        buffer += '\n';
    }
    if (path == "-") {
        std::cout << buffer;
        return static_cast<bool>(std::cout.flush());
    }
    return writeFileAtomically(path, buffer, reason);
}

std::string escapeCell(const std::string& cell) {
    std::string out;
    for (char c : cell) {
        if (c == '\t') out += "\\t";
        else if (c == '\n') out += "\\n";
        else if (c == '\r') out += "\\r";
        else if (c == '\\') out += "\\\\";
        else out += c;
    }
    return out;
}

std::vector<std::string> tableLines(const ResultTable& table) {
    std::vector<std::string> lines;
    lines.reserve(table.rowCount());
    for (int r = 0; r < table.rowCount(); ++r) {
        std::string line;
        for (int c = 0; c < ResultTable::kShownColumns; ++c) {
            if (c) line += '\t';
            line += escapeCell(table.cell(r, c));
        }
        lines.push_back(std::move(line));
    }
    return lines;
}

// --indentee: the key text becomes the converted couplet key and the
// parameters those that process it; --convertie keeps both in one file.
std::optional<int> convertIndented(const Options& o, Lines& lines, KeyParams& params) {
    IndentedKey converted = convertIndentedKey(lines, o.tabWidth);
    if (!converted.converted) return fail(o.keyFile, converted.message);
    if (!o.quiet) std::cerr << converted.message << "\n";
    lines = std::move(converted.lines);
    setIndentedKeyLayout(params);
    if (!o.convertedFile.empty()) {
        std::vector<std::string> document = lines;
        document.emplace_back(kConfigurationMarker);
        for (auto& entry : configurationEntries(params)) document.push_back(std::move(entry));
        std::string reason;
        if (!writeLines(o.convertedFile, document, reason)) return fail(o.convertedFile, reason);
    }
    return std::nullopt;
}

// --detecter: the best proposal's parameters, written as configuration lines
// (those that differ from the start-up values); an indented key is converted.
std::optional<int> detectParameters(const Options& o, Lines& lines, KeyParams& params) {
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
    const bool stdoutTaken = o.finishedKeyFile == "-" || o.tableFile == "-" || o.treeFile == "-" || o.documentFile == "-";
    std::string buffer;
    for (const auto& e : entries) buffer += e + "\n";
    (stdoutTaken ? std::cerr : std::cout) << buffer;
    return std::nullopt;
}

// Parses the command line; returns an exit code when the program must stop.
std::optional<int> parse(int argc, char** argv, Options& o) {
    std::vector<std::string> args(argv + 1, argv + argc);
    auto value = [&](std::size_t& i) -> std::optional<std::string> {
        if (i + 1 >= args.size()) return std::nullopt;
        return args[++i];
    };
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        std::string* target = nullptr;
        if (a == "-h" || a == "--help") {
            std::cout << kUsage;
            return 0;
        } else if (a == "-c" || a == "--config") target = &o.configFile;
        else if (a == "-o" || a == "--cle") target = &o.finishedKeyFile;
        else if (a == "-t" || a == "--tableau") target = &o.tableFile;
        else if (a == "-a" || a == "--arbre") target = &o.treeFile;
        else if (a == "-v" || a == "--verifier-seulement") target = &o.checksFile;
        else if (a == "--tsv") o.checksTsv = true;
        else if (a == "--en-ordre") o.ordered = true;
        else if (a == "--titre") target = &o.title;
        else if (a == "-d" || a == "--document") target = &o.documentFile;
        else if (a == "-e" || a == "--exporter") {
            const auto format = value(i);
            const interchange::FormatInfo* info = format ? interchange::findFormat(*format) : nullptr;
            if (!info) return fail("", "--exporter attend un format parmi " + interchange::formatNames());
            const auto file = value(i);
            if (!file || file->empty()) return fail("", "l'option " + a + " attend un format et un nom de fichier");
            o.exports.emplace_back(info, *file);
        } else if (a == "--en-ordre") o.ordered = true;
        else if (a == "-p" || a == "--partiel") o.partial = true;
        else if (a == "-q" || a == "--silencieux") o.quiet = true;
        else if (a == "-i" || a == "--indentee") o.indented = true;
        else if (a == "--convertie") target = &o.convertedFile;
        else if (a == "--detecter") o.detect = true;
        else if (a == "--tabulation") {
            const auto v = value(i);
            const auto width = v ? text::toInteger(*v) : std::nullopt;
            if (!width || *width < 1 || *width > 32) return fail("", "--tabulation attend un nombre de 1 à 32");
            o.tabWidth = *width;
        }
        else if (a == "-r" || a == "--recursive") {
            const auto v = value(i);
            if (!v || (*v != "oui" && *v != "non")) return fail("", "--recursive attend oui ou non");
            o.nestedYes = *v == "oui";
        } else if (a.size() > 1 && a[0] == '-' && a != "-") {
            return fail("", "option inconnue : " + a + " (voir --help)");
        } else if (o.keyFile.empty()) {
            o.keyFile = a;
        } else {
            return fail("", "un seul fichier de clé est attendu (voir --help)");
        }
        if (target) {
            const auto v = value(i);
            if (!v || v->empty()) return fail("", "l'option " + a + " attend un nom de fichier");
            *target = *v;
        }
    }
    if (o.keyFile.empty()) return fail("", "aucun fichier de clé (voir --help)");
    if (o.indented && !o.configFile.empty()) return fail("", "--indentee fournit ses propres paramètres : pas de --config");
    if (!o.indented && !o.convertedFile.empty()) return fail("", "--convertie s'emploie avec --indentee");
    if (o.detect && (o.indented || !o.configFile.empty()))
        return fail("", "--detecter trouve lui-même les paramètres : ni --config ni --indentee");
    return std::nullopt;
}

}  // namespace

int main(int argc, char** argv) {
    Options o;
    if (const auto code = parse(argc, argv, o)) return *code;

    // A key document (RTF or text) brings its own key text and configuration.
    const FileBytes keyBytes = readFileBytes(o.keyFile);
    if (keyBytes.error) return fail(o.keyFile, *keyBytes.error);
    Lines lines;
    RichText keyText;
    std::vector<std::string> configLines;
    bool ownConfiguration = false;
    if (interchange::isKeyBaseFileName(o.keyFile)) {
        interchange::ImportedKey imported = interchange::importKeyBase(decodeText(keyBytes.bytes));
        if (imported.error) return fail(o.keyFile, *imported.error);
        if (!o.quiet)
            for (const auto& warning : imported.warnings) std::cerr << o.keyFile << ": " << warning << "\n";
        lines = std::move(imported.text);
        configLines = std::move(imported.configuration);
        keyText = RichText::fromLines(lines);
        ownConfiguration = true;
    } else {
        std::optional<KeyDocument> document = readKeyDocument(keyBytes.bytes);
        if (!document) return fail(o.keyFile, "ce n'est pas un fichier texte ni un document de clé (fichier binaire)");
        keyText = std::move(document->keyText);
        lines = keyText.lines();
        configLines = std::move(document->configuration);
        ownConfiguration = document->hasMarker;
    }
    if (o.configFile.empty() && !ownConfiguration && !o.indented && !o.detect)
        return fail("", "aucun fichier de paramètres : --config FICHIER (voir --help)");

    KeyParams params;
    if (o.detect) {
        if (const auto code = detectParameters(o, lines, params)) return *code;
    } else if (o.indented) {
        if (const auto code = convertIndented(o, lines, params)) return *code;
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

    if (o.documentFile == "-") {
        std::cout << keyDocumentRtf(keyText, params);
    } else if (!o.documentFile.empty()) {
        if (const auto failure = saveKeyDocument(o.documentFile, keyText, params)) return fail("", *failure);
    }
    keyText = RichText();  // only the document needed the formatted text: the run's peak goes without it

    ResultTable table;
    CliHost host(o.nestedYes, o.quiet);
    RunOptions options;
    options.partialMode = o.partial;
    const RunResult result = runProcessing(lines, params, table, host, options);

    std::string reason;
    bool inError = false;
    for (int r = 1; r < table.rowCount() && !inError; ++r) inError = rowInError(table, r);
    const int status = inError ? 1 : hasErreur(result.findings) ? 3 : 0;
    if (!o.checksFile.empty()) {
        const auto report = o.checksTsv ? findingsTsv(result.findings) : findingsReport(result.findings);
        if (!writeLines(o.checksFile, report, reason)) return fail(o.checksFile, reason);
        return status;
    }

    if (!o.tableFile.empty() && !writeLines(o.tableFile, tableLines(table), reason))
        return fail(o.tableFile, reason);
    if (!o.treeFile.empty() && !writeLines(o.treeFile, text::splitLines(treeAsText(buildTree(table))), reason))
        return fail(o.treeFile, reason);

    if ((!o.finishedKeyFile.empty() || !o.exports.empty()) && result.outcome != RunOutcome::Success && !o.quiet)
        std::cerr << "clé terminée non écrite : la clé n'a pas été traitée sans erreur\n";
    if (result.outcome == RunOutcome::Success) {
        const std::string title = o.title.empty() ? interchange::proposedTitle(lines, table) : o.title;
        for (const auto& [format, file] : o.exports) {
            const interchange::Exported exported = interchange::exportKey(table, format->format, title);
            if (exported.failure) return fail(file, *exported.failure);
            const bool written = file == "-" ? static_cast<bool>((std::cout << exported.bytes).flush())
                                             : writeFileAtomically(file, exported.bytes, reason);
            if (!written) return fail(file, reason);
        }
    }
    if (!o.finishedKeyFile.empty() && result.outcome == RunOutcome::Success) {
        // What the finished-key window shows: the lines of the tidied table.
        std::vector<std::string> finished = finishedKeyLines(table);
        if (o.ordered) {
            auto ordered = orderFinishedKey(finished);
            if (ordered.failure) return fail(o.finishedKeyFile, *ordered.failure);
            finished = std::move(ordered.lines);
        }
        if (!writeLines(o.finishedKeyFile, finished, reason)) return fail(o.finishedKeyFile, reason);
    }
    // After the writes, so that a failed one is reported alone. One write for
    // the whole list: a faulty long key has a line per row.
    std::string listed;
    for (const Finding& f : result.findings) listed += findingLine(f) + '\n';
    std::cerr << listed;
    return status;
}
