#pragma once

#include <array>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "keyweld/editor/cell_text.h"
#include "keyweld/editor/editor_ports.h"
#include "shared/formats/shortcut_files.h"
#include "shared/formats/shortcut_keys.h"

namespace keyweld {

// 1 = Tag, 2 = CAT Command, 3 = Both, as the settings file stores it.
enum class ViewMode { Tag = 1, Command = 2, Both = 3 };

// A stored value outside 1..3 opens the CAT Command view, as a missing one does.
ViewMode viewModeFromSetting(int value);
GridKind gridOf(ViewMode mode);

// One key of the two panels.
struct KeyPosition {
    int panel = 1;
    int row = 1;

    friend bool operator==(const KeyPosition&, const KeyPosition&) = default;
};

// What a save ended with.
struct SaveOutcome {
    enum class Status { Saved, Declined, Failed };
    Status status = Status::Saved;
    std::optional<FileWriteFailure> failure;  // with Failed
};

// What closing the editor did besides closing.
struct CloseOutcome {
    std::optional<FileWriteFailure> saveFailure;
    std::optional<FileWriteFailure> viewModeFailure;
};

// The shortcut editor's data and rules: three grid pairs of 2 x 26 key rows, the copy last
// read from the files, the view mode, and the open, save, close and send operations.
// The pair on screen is ahead of the others; its texts reach the rest on a view change and
// before a save.
class ShortcutEditor {
  public:
    ShortcutEditor(std::filesystem::path workingDir, EditorLink& link, EditorQuestions& questions);

    // Reads the view mode, fills the reserved rows and reads both files.
    void start();

    ViewMode viewMode() const { return mode_; }
    GridKind shownGrid() const { return gridOf(mode_); }
    // View menu: copies the old view's texts into the other pairs when the mode changes.
    void changeView(ViewMode mode);

    const std::string& text(GridKind grid, int panel, int row, int column) const;
    bool editable(int panel, int row) const;
    // Stores what the cell editor holds; false when the cell is not editable or unchanged.
    bool setTyped(GridKind grid, int panel, int row, int column, std::string_view typed);
    // Paste onto a cell; false when nothing changed (no text, reserved row, same text).
    bool paste(GridKind grid, int panel, int row, int column, std::string_view clipboard);

    bool modified() const;

    // File/Open; false when the user kept the edits.
    bool open();
    SaveOutcome save();
    // The window closes whatever the outcome.
    CloseOutcome close();
    // Ended from outside (SIGTERM, SIGINT, SIGHUP): nobody is there to answer, so unsaved edits
    // stay unsaved and the files as they are; the view mode is stored as on any close.
    CloseOutcome closeUnattended();

    KeyPosition currentKey() const { return current_; }
    void setCurrentKey(KeyPosition key);

    // The text a key would send: none for a reserved or empty key.
    std::optional<std::string> commandOf(KeyPosition key) const;
    // A key button or shortcut key: hands the key's text to the link, which sends and logs it.
    void sendKey(KeyPosition key);
    // The key that a shortcut combination sends in the editor; none for reserved keys and
    // keys that are no shortcut.
    static std::optional<KeyPosition> shortcutKey(commo::KeyModifier modifier, commo::BaseKey key);

  private:
    // One column of texts per panel, indexed by row (row 0, the header, stays empty).
    using Column = std::array<std::array<std::string, commo::kShortcutPanelRows + 1>,
                              commo::kShortcutPanelCount>;

    Column& column(GridKind grid, int column);
    const Column& column(GridKind grid, int column) const;
    void fillReservedRows();
    void copyShownViewIntoBoth();
    void loadFiles();
    bool loadFile(CellKind kind);
    std::optional<FileWriteFailure> writeFiles();
    std::filesystem::path filePath(CellKind kind) const;

    std::filesystem::path workingDir_;
    EditorLink& link_;
    EditorQuestions& questions_;
    ViewMode mode_ = ViewMode::Command;
    KeyPosition current_;
    Column tagGrid_, commandGrid_, bothTags_, bothCommands_, savedTags_, savedCommands_;
};

}  // namespace keyweld
