#include "app/cli_options.hpp"

#include <CLI/CLI.hpp>

#include <algorithm>
#include <cstdio>
#include <functional>

#include "components/build_date.hpp"
#include "engine/text.hpp"
#include "interchange/formats.hpp"

namespace sarvelo::cli {

namespace {

// Reads the values an option was given (all its occurrences, in order) into
// the options; returns what the option expects when they do not fit.
using Apply = std::function<std::optional<std::string>(Options&, const std::vector<std::string>&)>;

struct OptionEntry {
    const char* names;            // CLI11 names: "-c,--config"
    const char* value = nullptr;  // shown in the help; nullptr for a flag
    int arity = 1;                // values per occurrence
    const char* help;             // wrapped at 80 columns, continued lines unindented
    Apply apply;
};

// A value that names a file; the last occurrence wins.
Apply fileInto(std::string Options::*field) {
    return [field](Options& o, const std::vector<std::string>& values) -> std::optional<std::string> {
        if (values.empty() || values.back().empty()) return "attend un nom de fichier";
        o.*field = values.back();
        return std::nullopt;
    };
}

// A text of the exports' options; the last occurrence wins.
Apply textInto(std::string interchange::ExportOptions::*field, const char* expected) {
    return [field, expected](Options& o, const std::vector<std::string>& values) -> std::optional<std::string> {
        if (values.empty() || values.back().empty()) return std::string(expected);
        o.exportOptions.*field = values.back();
        return std::nullopt;
    };
}

Apply exportFlagInto(bool interchange::ExportOptions::*field) {
    return [field](Options& o, const std::vector<std::string>&) -> std::optional<std::string> {
        o.exportOptions.*field = true;
        return std::nullopt;
    };
}

Apply flagInto(bool Options::*field) {
    return [field](Options& o, const std::vector<std::string>&) -> std::optional<std::string> {
        o.*field = true;
        return std::nullopt;
    };
}

// Every option, in the order of the help. One entry per option: its names,
// its value, its help text and what it writes into Options.
const std::vector<OptionEntry>& optionTable() {
    static const std::vector<OptionEntry> table = {
        {.names = "-c,--config",
         .value = "FICHIER",
         .help = "paramètres de la clé : lignes \"[Nom] valeur\" (la partie\n"
                 "d'un document de clé après \"Configuration pour Sarvelo\" ;\n"
                 "un fichier qui contient cette ligne est lu après elle) ;\n"
                 "les paramètres non nommés gardent leur valeur de\n"
                 "démarrage, une liste nommée remplace celle de départ",
         .apply = fileInto(&Options::configFile)},
        {.names = "-d,--document",
         .value = "FICHIER",
         .help = "écrit un document de clé (.Sarvelo) : le texte de la clé\n"
                 "et les paramètres utilisés",
         .apply = fileInto(&Options::documentFile)},
        {.names = "-o,--cle",
         .value = "FICHIER",
         .help = "écrit la clé terminée, une ligne par entrée (\"-\" : sortie\n"
                 "standard) ; écrite seulement si la clé est sans erreur",
         .apply = fileInto(&Options::finishedKeyFile)},
        {.names = "--en-ordre",
         .help = "la clé terminée dans l'ordre des couplets (\"En ordre\")",
         .apply = flagInto(&Options::ordered)},
        {.names = "-t,--tableau",
         .value = "FICHIER",
         .help = "écrit le tableau de résultat (Nb, separ., texte, separ.,\n"
                 "Def ou renvois) en texte séparé par des tabulations",
         .apply = fileInto(&Options::tableFile)},
        {.names = "-a,--arbre",
         .value = "FICHIER",
         .help = "écrit la structure de la clé en texte indenté",
         .apply = fileInto(&Options::treeFile)},
        {.names = "-e,--exporter",
         .value = "FORMAT FICHIER",
         .arity = 2,
         .help = "exporte la clé sans erreur ; FORMAT : csv ou tsv (KeyBase),\n"
                 "html (clé interactive), crochets ou indentee (texte),\n"
                 "crochets-rtf ou indentee-rtf (RTF), pdf (clé indentée)\n"
                 "ou crochets-pdf (PDF) ; l'option peut être répétée",
         .apply = [](Options& o, const std::vector<std::string>& values) -> std::optional<std::string> {
             for (std::size_t i = 0; i < values.size(); i += 2) {
                 const interchange::FormatInfo* info = interchange::findFormat(values[i]);
                 if (!info) return "attend un format parmi " + interchange::formatNames();
                 if (i + 1 >= values.size() || values[i + 1].empty()) return "attend un format et un nom de fichier";
                 o.exports.emplace_back(info, values[i + 1]);
             }
             if (values.empty()) return "attend un format et un nom de fichier";
             return std::nullopt;
         }},
        {.names = "--keybase",
         .help = "CLE est une clé KeyBase, quel que soit son nom (pour\n"
                 "l'entrée standard \"-\" par exemple)",
         .apply = flagInto(&Options::keyBase)},
        {.names = "--noms-seuls",
         .help = "exporte les déterminations en noms seuls, sans numéro,\n"
                 "auteurs ni renvoi de page (les noms relient les clés\n"
                 "dans KeyBase)",
         .apply = exportFlagInto(&interchange::ExportOptions::bareNames)},
        {.names = "--tableur",
         .help = "csv et tsv : une cellule qu'un tableur exécuterait comme\n"
                 "une formule (=, +, -, @ en tête) est précédée d'une\n"
                 "apostrophe ; sans l'option elle est écrite telle\n"
                 "quelle et signalée sur la sortie d'erreur",
         .apply = exportFlagInto(&interchange::ExportOptions::spreadsheetSafe)},
        {.names = "--chaque-repetee",
         .help = "une vérification par définition atteinte depuis\n"
                 "plusieurs couplets (par défaut : une ligne pour toutes)",
         .apply = flagInto(&Options::everyRepeatedTaxon)},
        {.names = "--titre",
         .value = "TEXTE",
         .help = "titre de la clé interactive et de la clé imprimée (par\n"
                 "défaut : la première ligne du texte quand elle n'est\n"
                 "pas une entrée)",
         .apply = textInto(&interchange::ExportOptions::title, "attend un titre non vide")},
        {.names = "--source",
         .value = "TEXTE",
         .help = "clé interactive : l'ouvrage d'où vient la clé",
         .apply = textInto(&interchange::ExportOptions::source, "attend un texte non vide")},
        {.names = "--auteur",
         .value = "TEXTE",
         .help = "clé interactive : l'auteur de la clé",
         .apply = textInto(&interchange::ExportOptions::author, "attend un texte non vide")},
        {.names = "--langue",
         .value = "fr|en",
         .help = "langue de la clé interactive (par défaut : celle des\n"
                 "mots de la clé, le français sinon)",
         .apply = [](Options& o, const std::vector<std::string>& values) -> std::optional<std::string> {
             if (values.empty() || (values.back() != "fr" && values.back() != "en")) return "attend fr ou en";
             o.exportOptions.language = values.back();
             return std::nullopt;
         }},
        {.names = "--renvois-arriere",
         .help = "clés imprimées : chaque numéro de couplet suivi du\n"
                 "couplet qui y mène, \"2(1).\"",
         .apply = [](Options& o, const std::vector<std::string>&) -> std::optional<std::string> {
             o.exportOptions.backReferences = true;
             return std::nullopt;
         }},
        {.names = "-r,--recursive",
         .value = "oui|non",
         .help = "réponse à la question \"La clé semble récursive ?\"\n"
                 "(par défaut : non)",
         .apply = [](Options& o, const std::vector<std::string>& values) -> std::optional<std::string> {
             if (values.empty() || (values.back() != "oui" && values.back() != "non")) return "attend oui ou non";
             o.nestedYes = values.back() == "oui";
             return std::nullopt;
         }},
        {.names = "-p,--partiel",
         .help = "mode partiel : s'arrête après la construction du tableau",
         .apply = flagInto(&Options::partial)},
        {.names = "-v,--verifier-seulement",
         .value = "FICHIER",
         .help = "vérifie la clé et écrit seulement le rapport des\n"
                 "vérifications (\"-\" : sortie standard), sans clé\n"
                 "terminée, tableau ni structure",
         .apply = fileInto(&Options::checksFile)},
        {.names = "--tsv",
         .help = "le rapport des vérifications en texte séparé par des\n"
                 "tabulations (niveau, genre, couplet, rang, ligne, texte)",
         .apply = flagInto(&Options::checksTsv)},
        {.names = "-q,--silencieux",
         .help = "n'affiche pas les messages du traitement",
         .apply = flagInto(&Options::quiet)},
        {.names = "-i,--indentee",
         .help = "CLE est une clé indentée (retraits, étiquettes I., A.,\n"
                 "a., 1. ou numéros 1.2.1.) : elle est convertie en clé\n"
                 "numérotée par couplets, traitée avec ses propres\n"
                 "paramètres (sans --config)",
         .apply = flagInto(&Options::indented)},
        {.names = "--convertie",
         .value = "FICHIER",
         .help = "avec --indentee : écrit la clé convertie suivie de\n"
                 "\"Configuration pour Sarvelo\" et de ses paramètres\n"
                 "(utilisable ensuite comme CLE et comme --config)",
         .apply = fileInto(&Options::convertedFile)},
        {.names = "--tabulation",
         .value = "N",
         .help = "avec --indentee : largeur d'une tabulation (8 par défaut)",
         .apply = [](Options& o, const std::vector<std::string>& values) -> std::optional<std::string> {
             const auto width = values.empty() ? std::nullopt : text::toInteger(values.back());
             if (!width || *width < 1 || *width > 32) return "attend un nombre de 1 à 32";
             o.tabWidth = *width;
             return std::nullopt;
         }},
        {.names = "--detecter",
         .help = "détecte la mise en page (sans --config) : écrit les\n"
                 "paramètres trouvés en lignes \"[Nom] valeur\", utilisables\n"
                 "avec --config, et traite la clé avec eux pour -o, -t, -a,\n"
                 "-e et -d ; sans mise en page qui traite la clé, les\n"
                 "lignes qui l'empêchent sont listées ; quand une autre\n"
                 "sortie est \"-\", ces lignes vont sur la sortie d'erreur",
         .apply = flagInto(&Options::detect)},
        {.names = "--version",
         .help = "affiche la version et la date de compilation",
         .apply = nullptr},
        {.names = "-h,--help",
         .help = "affiche cette aide",
         .apply = nullptr},
    };
    return table;
}

constexpr const char* kUsageHead = R"(Usage : sarvelo-cli [options] [--] CLE

Traite la clé de détermination du fichier CLE (texte Windows-1252 ou UTF-8, ou
document de clé .Sarvelo ; "-" pour l'entrée standard) avec les paramètres du
fichier de configuration, ou avec ceux du document de clé.
Une clé KeyBase (fichier .csv, .tsv ou keybase_export_*.txt : from, statement,
to, et les colonnes subkey et shortcut) est lue avec les paramètres qui la
traitent ; --config est alors facultatif. Ses clés liées (subkey) suivent la clé
principale, chacune sous un titre "Clé : Nom" ; ses vérifications donnent les
numéros de couplet et de ligne du fichier.
Une CLE qui contient la ligne "Configuration pour Sarvelo" est lue jusqu'à elle.

Options :
)";

constexpr const char* kUsageTail = R"(
Une option longue prend sa valeur après un espace ou après "=" (--cle=FICHIER) ;
les options courtes sans valeur se groupent (-qp) ; "--" termine les options
(un fichier de clé dont le nom commence par "-" vient après lui).

Les fichiers lus (fichier, tube ou entrée standard) font au plus 64 Mo ; toute
fin de ligne est reconnue (CR LF, LF ou CR seul). Les fichiers écrits sont en
UTF-8, d'abord dans un fichier temporaire renommé ensuite : un échec d'écriture
laisse l'ancien fichier intact. Dans le tableau, une tabulation ou un saut de
ligne à l'intérieur d'une cellule est écrit \t ou \n. Une seule sortie peut
être "-" (la sortie standard).

Après le traitement, les vérifications de la clé (renvois vers un couplet qui
n'existe pas, couplets inaccessibles, boucles, couplets à une seule entrée ...)
sont listées sur la sortie d'erreur avec les numéros de ligne du fichier CLE.
Les fichiers demandés sont tous écrits, ou aucun : ils le sont avec le code 0
ou 3 (clé terminée et exports compris), et avec le code 1 seulement pour le
tableau, la structure, le document et le rapport des vérifications.

Code de sortie :
  0  traitement sans erreur, aucune erreur de vérification (des avertissements
     peuvent rester)
  1  la clé contient des erreurs (les rangs et lignes en erreur sont listés sur la
     sortie d'erreur), ou elle est vide
  3  traitement sans erreur (la clé terminée est écrite) mais les vérifications
     trouvent des erreurs
  2  entrée inutilisable (fichier illisible, paramètres incorrects, option
     inconnue ou mal employée, mémoire insuffisante) : une ligne d'erreur nomme
     le fichier ou l'option et la raison
)";

// "--config" of "-c,--config": the name errors give.
std::string longName(const OptionEntry& entry) {
    const std::string names = entry.names;
    const auto comma = names.rfind(',');
    return comma == std::string::npos ? names : names.substr(comma + 1);
}

// "  -c, --config FICHIER" then the help at column 27, or on the next line
// when the names are too long.
std::string helpEntry(const OptionEntry& option) {
    constexpr std::size_t kColumn = 27;
    const std::string names = option.names;
    const auto comma = names.find(',');
    std::string left = comma == std::string::npos ? "      " + names : "  " + names.substr(0, comma) + ", " + names.substr(comma + 1);
    if (option.value) left += std::string(" ") + option.value;
    const std::string indent(kColumn, ' ');
    std::string entry = left.size() + 2 <= kColumn ? left + std::string(kColumn - left.size(), ' ') : left + "\n" + indent;
    for (const char* c = option.help; *c; ++c) {
        entry += *c;
        if (*c == '\n') entry += indent;
    }
    return entry + "\n";
}

CommandLine stop(int status, std::string error) {
    CommandLine line;
    line.exitStatus = status;
    line.error = std::move(error);
    return line;
}

CommandLine usageError(const std::string& message) { return stop(2, "sarvelo-cli: " + message); }

}  // namespace

std::vector<std::string> outputPaths(const Options& o) {
    std::vector<std::string> paths;
    for (const std::string* path :
         {&o.finishedKeyFile, &o.tableFile, &o.treeFile, &o.checksFile, &o.documentFile, &o.convertedFile})
        if (!path->empty()) paths.push_back(*path);
    for (const auto& [format, path] : o.exports) paths.push_back(path);
    return paths;
}

bool writesToStandardOutput(const Options& o) {
    const auto paths = outputPaths(o);
    return std::find(paths.begin(), paths.end(), "-") != paths.end();
}

std::string usageText() {
    std::string text = kUsageHead;
    for (const OptionEntry& entry : optionTable()) text += helpEntry(entry);
    return text + kUsageTail;
}

std::string versionText(const char* program) {
    const BuildDate d = buildDate();
    char date[16];
    std::snprintf(date, sizeof date, "%02d/%02d/%04d", d.day, d.month, d.year);
    return std::string(program) + " " + SARVELO_VERSION + " (compilé le " + date + ")\n";
}

CommandLine parseCommandLine(int argc, const char* const* argv) {
    return parseCommandLine(std::vector<std::string>(argv + (argc > 0 ? 1 : 0), argv + argc));
}

CommandLine parseCommandLine(const std::vector<std::string>& given) {
    // "--cle=" gives an empty value: CLI11 would take the next argument instead.
    std::vector<std::string> args;
    bool optionsEnded = false;
    for (const std::string& a : given) {
        if (!optionsEnded && a.starts_with("--") && a.size() > 3 && a.back() == '=' && a.find('=') == a.size() - 1) {
            args.push_back(a.substr(0, a.size() - 1));
            args.emplace_back();
        } else {
            args.push_back(a);
        }
        optionsEnded = optionsEnded || a == "--";
    }

    CLI::App app;
    app.set_help_flag();
    app.allow_extras();
    std::vector<std::pair<const OptionEntry*, CLI::Option*>> bound;
    for (const OptionEntry& entry : optionTable()) {
        CLI::Option* option = entry.value ? app.add_option(entry.names)
                                               ->expected(0, entry.arity)
                                               ->multi_option_policy(CLI::MultiOptionPolicy::TakeAll)
                                         : app.add_flag(entry.names)->disable_flag_override();
        bound.emplace_back(&entry, option);
    }
    std::vector<std::string> keyFiles;
    app.add_option("CLE", keyFiles);
    // CLI11 takes the arguments from the last one.
    std::vector<std::string> reversed(args.rbegin(), args.rend());
    try {
        app.parse(reversed);
    } catch (const CLI::ParseError& error) {
        // Only a value given to a flag ("--partiel=oui") gets here; CLI11
        // starts its message with the option's name, with or without dashes.
        const std::string what = error.what();
        std::string name = what.substr(0, what.find_first_of(": "));
        name.erase(0, name.find_first_not_of('-'));
        for (const OptionEntry& entry : optionTable()) {
            const std::string names = std::string(",") + entry.names + ",";
            if (names.find(",-" + name + ",") != std::string::npos || names.find(",--" + name + ",") != std::string::npos)
                name = longName(entry);
        }
        return usageError("l'option " + name + " est mal employée (voir --help)");
    }
    if (app.get_option("--help")->count() > 0) {
        CommandLine line;
        line.exitStatus = 0;
        line.output = usageText();
        return line;
    }
    if (app.get_option("--version")->count() > 0) {
        CommandLine line;
        line.exitStatus = 0;
        line.output = versionText();
        return line;
    }
    for (const std::string& extra : app.remaining())
        if (extra != "--") return usageError("option inconnue : " + extra + " (voir --help)");

    CommandLine line;
    Options& o = line.options;
    for (const auto& [entry, option] : bound) {
        if (option->count() == 0 || !entry->apply) continue;
        if (const auto expects = entry->apply(o, option->results()))
            return usageError("l'option " + longName(*entry) + " " + *expects);
    }
    if (keyFiles.size() > 1) return usageError("un seul fichier de clé est attendu (voir --help)");
    if (keyFiles.empty() || keyFiles.front().empty()) return usageError("aucun fichier de clé (voir --help)");
    o.keyFile = keyFiles.front();
    if (o.indented && !o.configFile.empty()) return usageError("--indentee fournit ses propres paramètres : pas de --config");
    if (!o.indented && !o.convertedFile.empty()) return usageError("--convertie s'emploie avec --indentee");
    if (o.detect && (o.indented || !o.configFile.empty()))
        return usageError("--detecter trouve lui-même les paramètres : ni --config ni --indentee");
    const auto paths = outputPaths(o);
    if (std::count(paths.begin(), paths.end(), "-") > 1)
        return usageError("une seule sortie peut être \"-\" (la sortie standard)");
    return line;
}

}  // namespace sarvelo::cli
