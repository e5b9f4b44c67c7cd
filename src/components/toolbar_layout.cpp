#include "components/toolbar_layout.hpp"

// Only the narrow, UTF-8 form of the INI reader is used, compiled here.
#define SI_NO_CONVERSION
#define SI_IMPLEMENTATION  // header-only: Debian's header keeps the bodies behind it
#include <SimpleIni.h>

#include <algorithm>
#include <charconv>
#include <filesystem>
#include <system_error>

#include "documents/encoding.hpp"
#include "documents/file_io.hpp"

namespace sarvelo::toolbar {

namespace {

constexpr std::string_view kPositionMark = "\u00AF";  // "¯"
constexpr std::string_view kImageMark = "\u00AE";     // "®"
// A settings file is a few kilobytes; anything far larger is no settings file.
constexpr std::size_t kMaxIniBytes = 4u * 1024u * 1024u;

std::optional<int> readInteger(std::string_view text) {
    if (!text.empty() && text.front() == '+') text.remove_prefix(1);
    int value = 0;
    const char* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, value);
    if (text.empty() || ec != std::errc() || ptr != end) return std::nullopt;
    return value;
}

// The position and image texts of a command entry, when it has both marks.
struct EntryParts {
    std::string_view position, image;
    std::size_t nameEnd = 0;
};

std::optional<EntryParts> split(std::string_view entry) {
    const std::size_t p = entry.rfind(kPositionMark);
    if (p == std::string_view::npos) return std::nullopt;
    const std::size_t i = entry.find(kImageMark, p);
    if (i == std::string_view::npos) return std::nullopt;
    EntryParts parts;
    parts.nameEnd = p;
    parts.position = entry.substr(p + kPositionMark.size(), i - p - kPositionMark.size());
    parts.image = entry.substr(i + kImageMark.size());
    return parts;
}

}  // namespace

std::string displayName(MenuPlace place, std::string_view top, std::string_view caption) {
    switch (place) {
        case MenuPlace::MainMenuEntry: return std::string(top) + " =>| " + std::string(caption);
        case MenuPlace::MainMenuTop: return std::string(caption);
        case MenuPlace::PopupEntry: return "-[" + std::string(top) + "]-| " + std::string(caption);
    }
    return std::string(caption);
}

std::string commandEntry(std::string_view name, int position, int image) {
    return std::string(name) + " " + std::string(kPositionMark) + std::to_string(position) +
           std::string(kImageMark) + std::to_string(image);
}

bool isCommandEntry(std::string_view entry) { return entry != kSeparator && entry != kDivider; }

std::string ownCaption(std::string_view name) {
    const std::size_t bar = name.find("| ");
    return std::string(bar == std::string_view::npos ? name : name.substr(bar + 2));
}

std::string entryCaption(std::string_view entry) {
    if (const auto parts = split(entry)) {
        entry = entry.substr(0, parts->nameEnd);
        if (!entry.empty() && entry.back() == ' ') entry.remove_suffix(1);
    }
    return ownCaption(entry);
}

std::string entryHint(std::string_view entry) { return std::string(entry.substr(0, entry.find('|'))); }

std::optional<int> entryImage(std::string_view entry) {
    const auto parts = split(entry);
    return parts ? readInteger(parts->image) : std::nullopt;
}

std::string withImage(std::string_view entry, int image) {
    const auto parts = split(entry);
    if (!parts) return std::string(entry);
    const std::size_t imageStart = static_cast<std::size_t>(parts->image.data() - entry.data());
    return std::string(entry.substr(0, imageStart)) + std::to_string(image);
}

// --- Settings file --------------------------------------------------------------

namespace {

// The file's settings, read as UTF-8 whatever the file's code page. False
// when the file does not exist.
bool readIni(const std::string& path, CSimpleIniA& ini) {
    std::error_code ec;
    if (!std::filesystem::exists(path, ec)) return false;
    const FileBytes file = readFileBytes(path, kMaxIniBytes);
    if (!file.error) ini.LoadData(decodeText(file.bytes));
    return true;
}

}  // namespace

bool saveLayout(const std::string& path, const std::string& section, const Layout& layout, std::string& reason) {
    if (path.empty()) return true;
    CSimpleIniA ini(true);
    ini.SetSpaces(false);
    readIni(path, ini);
    const char* s = section.c_str();
    ini.SetLongValue(s, "Totals", static_cast<long>(layout.entries.size()));
    ini.SetValue(s, "Raccourci", layout.raccourci ? "1" : "0");
    ini.SetValue(s, "Aide", layout.aide ? "1" : "0");
    for (std::size_t i = 0; i < layout.entries.size(); ++i)
        ini.SetValue(s, std::to_string(i).c_str(), layout.entries[i].c_str());
    std::string text;
    if (ini.Save(text) < 0) {
        reason = "Les réglages de la barre d'icones n'ont pas pu être écrits.";
        return false;
    }
    return writeFileAtomically(path, utf8ToWindows1252(text), reason);
}

bool loadLayout(const std::string& path, const std::string& section, Layout& layout) {
    if (path.empty()) return false;
    CSimpleIniA ini(true);
    if (!readIni(path, ini)) return false;
    const char* s = section.c_str();
    const long totals = std::clamp(ini.GetLongValue(s, "Totals", 0), 0L, static_cast<long>(kMaxEntries));
    layout.raccourci = ini.GetBoolValue(s, "Raccourci", false);
    layout.aide = ini.GetBoolValue(s, "Aide", false);
    layout.entries.clear();
    for (long i = 0; i < totals; ++i)
        layout.entries.emplace_back(ini.GetValue(s, std::to_string(i).c_str(), kMissingEntry.data()));
    return true;
}

// --- Customisation dialog --------------------------------------------------------

LayoutEditor::LayoutEditor(std::vector<Command> commands, Layout layout)
    : commands_(std::move(commands)), layout_(std::move(layout)) {}

void LayoutEditor::setCommands(std::vector<Command> commands) {
    commands_ = std::move(commands);
    if (command_ >= static_cast<int>(commands_.size())) command_ = -1;
}

void LayoutEditor::selectCommand(int index) {
    if (index < 0 || index >= static_cast<int>(commands_.size())) return;
    command_ = index;
    commandClicked_ = true;
}

void LayoutEditor::selectEntry(int index) {
    if (index < 0 || index >= static_cast<int>(layout_.entries.size())) return;
    entry_ = index;
    entryClicked_ = true;
    entryIsCommand_ = isCommandEntry(layout_.entries[static_cast<std::size_t>(index)]);
}

void LayoutEditor::put(std::size_t at) {
    if (command_ < 0 || command_ >= static_cast<int>(commands_.size())) return;
    const Command& c = commands_[static_cast<std::size_t>(command_)];
    std::string entry = commandEntry(c.name, command_, c.image);
    auto& entries = layout_.entries;
    if (std::find(entries.begin(), entries.end(), entry) != entries.end()) return;
    entries.insert(entries.begin() + static_cast<std::ptrdiff_t>(std::min(at, entries.size())), std::move(entry));
    // The next click adds the next command.
    command_ = (command_ + 1) % static_cast<int>(commands_.size());
}

void LayoutEditor::add() { put(layout_.entries.size()); }

void LayoutEditor::insert() {
    const bool selected = entry_ >= 0 && entry_ < static_cast<int>(layout_.entries.size());
    const std::size_t at = selected ? static_cast<std::size_t>(entry_) : layout_.entries.size();
    const std::size_t before = layout_.entries.size();
    put(at);
    // The selected entry moved one place down with the insertion.
    if (selected && layout_.entries.size() > before) ++entry_;
}

void LayoutEditor::appendMarker(std::string_view marker) {
    auto& entries = layout_.entries;
    if (entries.empty() || entries.back() == marker) return;
    entries.emplace_back(marker);
}

void LayoutEditor::addSeparator() { appendMarker(kSeparator); }
void LayoutEditor::addDivider() { appendMarker(kDivider); }

void LayoutEditor::remove() {
    auto& entries = layout_.entries;
    if (entry_ < 0 || entry_ >= static_cast<int>(entries.size())) return;
    entries.erase(entries.begin() + entry_);
    entry_ = -1;
}

void LayoutEditor::clear() {
    layout_.entries.clear();
    entry_ = -1;
}

void LayoutEditor::up() {
    if (entry_ <= 0 || entry_ >= static_cast<int>(layout_.entries.size())) return;
    std::swap(layout_.entries[static_cast<std::size_t>(entry_)], layout_.entries[static_cast<std::size_t>(entry_ - 1)]);
    --entry_;
}

void LayoutEditor::down() {
    if (entry_ < 0 || entry_ + 1 >= static_cast<int>(layout_.entries.size())) return;
    std::swap(layout_.entries[static_cast<std::size_t>(entry_)], layout_.entries[static_cast<std::size_t>(entry_ + 1)]);
    ++entry_;
}

void LayoutEditor::toggleChooser() {
    if (buttons().icones) chooser_ = !chooser_;
}

void LayoutEditor::chooseImage(int image) {
    if (entry_ < 0 || entry_ >= static_cast<int>(layout_.entries.size())) return;
    std::string& entry = layout_.entries[static_cast<std::size_t>(entry_)];
    if (isCommandEntry(entry)) entry = withImage(entry, image);
}

LayoutEditor::Buttons LayoutEditor::buttons() const {
    Buttons b;
    b.ajouter = commandClicked_;
    b.insert = entryClicked_;
    b.icones = entryClicked_ && entryIsCommand_;
    b.enlever = b.effacer = b.haut = b.bas = entryClicked_ && !chooser_;
    return b;
}

// --- Building the toolbar ----------------------------------------------------------

ToolbarPlan planToolbar(const Layout& layout, const std::vector<Command>& commands) {
    ToolbarPlan plan;
    const auto& entries = layout.entries;
    std::size_t first = entries.size();  // buttons are built for entries [first, size)
    std::vector<ButtonPlan> reversed;
    while (first > 0) {
        const std::string& entry = entries[first - 1];
        ButtonPlan b;
        if (entry == kSeparator) {
            b.kind = ButtonPlan::Kind::Separator;
        } else if (entry == kDivider) {
            b.kind = ButtonPlan::Kind::Divider;
        } else {
            const auto parts = split(entry);
            const auto position = parts ? readInteger(parts->position) : std::nullopt;
            if (!position || *position < 0 || *position >= static_cast<int>(commands.size())) break;
            const auto image = readInteger(parts->image);
            if (!image) {
                plan.message = "'" + std::string(parts->image) + "' n'est pas une valeur entière correcte";
                break;
            }
            const Command& c = commands[static_cast<std::size_t>(*position)];
            b.kind = ButtonPlan::Kind::Command;
            b.command = *position;
            b.image = *image;
            b.hint = ownCaption(c.name);
            if (layout.raccourci && !c.shortcut.empty()) b.hint += " (" + c.shortcut + ")";
            if (layout.aide && !c.hint.empty()) b.hint += "\n" + c.hint;
        }
        reversed.push_back(std::move(b));
        --first;
    }
    plan.buttons.assign(reversed.rbegin(), reversed.rend());
    return plan;
}

}  // namespace sarvelo::toolbar
