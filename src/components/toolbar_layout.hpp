// The customisable toolbar without its widgets: the layout entries, the rules
// of the customisation dialog, the settings file and the plan of buttons that
// the toolbar builds from a layout. The Qt toolbar (components/qt/) only
// walks the menus, draws and runs what is decided here.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace sarvelo::toolbar {

// Layout entries that are not commands.
inline constexpr std::string_view kSeparator = "= = Séparateur = = = = = = = = = = = = = = = = =";
inline constexpr std::string_view kDivider = "---- Ligne -------------------------------------------";
// What an entry missing from the settings file reads as.
inline constexpr std::string_view kMissingEntry = "Erreur";
// Layouts longer than this cannot show on any screen: a damaged file that
// claims more entries is read up to here.
inline constexpr int kMaxEntries = 1000;

// Where a menu entry lies, for its display name.
enum class MenuPlace {
    MainMenuEntry,  // under a top-level menu of the main menu
    MainMenuTop,    // a top-level entry that runs a command itself
    PopupEntry      // in a popup menu
};

// "Fichier =>| Ouvrir", "Aide", "-[Couleurs]-| Rouge": `top` is the caption
// of the top-level menu or, for a popup, of the entry's first-level submenu.
std::string displayName(MenuPlace place, std::string_view top, std::string_view caption);

// What the buttons of the toolbar run: one per eligible menu entry.
struct Command {
    std::string name;      // display name
    std::string hint;      // the menu entry's own hint
    std::string shortcut;  // as text, "Ctrl+O", or empty
    int image = -1;        // the menu entry's icon, -1 for none
};

// "Fichier =>| Ouvrir ¯1®-1": display name, position in the command list,
// image index.
std::string commandEntry(std::string_view name, int position, int image);
bool isCommandEntry(std::string_view entry);
// The caption a command shows: its display name after "| " (the whole name
// for a top-level entry); for an entry, also cut before " ¯".
std::string ownCaption(std::string_view name);
std::string entryCaption(std::string_view entry);
// The layout list's hint for an entry: its text up to the first "|".
std::string entryHint(std::string_view entry);
// The image index of a command entry, when it reads as an integer.
std::optional<int> entryImage(std::string_view entry);
// The same entry with another image index.
std::string withImage(std::string_view entry, int image);

// A toolbar's layout and its two hint options, as saved.
struct Layout {
    std::vector<std::string> entries;
    bool raccourci = false;  // hints carry the shortcut
    bool aide = false;       // hints carry the menu entry's hint
    bool operator==(const Layout&) const = default;
};

// The settings file (INI, written in Windows-1252, read in Windows-1252 or
// UTF-8). Saving rewrites "Totals", "Raccourci", "Aide" and the entries of
// `section`, keeping everything else the file held. Returns false with a
// French reason when the file cannot be written.
bool saveLayout(const std::string& path, const std::string& section, const Layout& layout, std::string& reason);
// Returns false, leaving `layout` alone, when the file does not exist. A file
// that cannot be read as settings gives an empty layout.
bool loadLayout(const std::string& path, const std::string& section, Layout& layout);

// The customisation dialog's rules, on a copy of the layout that "Ok" takes
// over. Commands that need a selection do nothing without one.
class LayoutEditor {
public:
    LayoutEditor() = default;
    LayoutEditor(std::vector<Command> commands, Layout layout);

    const Layout& layout() const { return layout_; }
    Layout& layout() { return layout_; }
    const std::vector<Command>& commands() const { return commands_; }
    void setCommands(std::vector<Command> commands);
    int selectedCommand() const { return command_; }
    int selectedEntry() const { return entry_; }
    bool chooserShown() const { return chooser_; }

    void selectCommand(int index);  // a click in "Liste des menus"
    void selectEntry(int index);    // a click in "Aspect du menu"
    void add();                     // "Ajouter"
    void insert();                  // "Insert"
    void addSeparator();            // "Separateur"
    void addDivider();              // "Barre Verticale"
    void remove();                  // "Enlever"
    void clear();                   // "Effacer"
    void up();                      // haut
    void down();                    // bas
    void toggleChooser();           // "Icones"
    void chooseImage(int image);    // an icon of the chooser, -1 for "Vide"

    // Which buttons are enabled.
    struct Buttons {
        bool ajouter = false, insert = false, enlever = false, effacer = false, icones = false, haut = false,
             bas = false;
    };
    Buttons buttons() const;

private:
    void put(std::size_t at);
    void appendMarker(std::string_view marker);

    std::vector<Command> commands_;
    Layout layout_;
    int command_ = -1;
    int entry_ = -1;
    bool commandClicked_ = false;
    bool entryClicked_ = false;
    bool entryIsCommand_ = false;
    bool chooser_ = false;
};

// One button of the toolbar, in layout order.
struct ButtonPlan {
    enum class Kind { Separator, Divider, Command } kind = Kind::Separator;
    int command = -1;  // position in the command list
    int image = -1;
    std::string hint;
};

struct ToolbarPlan {
    std::vector<ButtonPlan> buttons;       // left to right
    std::optional<std::string> message;    // an unreadable image index, to report
};

// The buttons of a layout. Entries are taken from the last to the first; an
// entry whose position is unreadable or outside `commands`, or whose image
// index is unreadable (reported), ends the plan: the entries before it get
// no button.
ToolbarPlan planToolbar(const Layout& layout, const std::vector<Command>& commands);

}  // namespace sarvelo::toolbar
