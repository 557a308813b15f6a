#include "keyweld/editor/shortcut_editor.h"

#include <system_error>
#include <utility>

#include "keyweld/editor/navigation.h"

namespace keyweld {
namespace {

constexpr int kPanels = commo::kShortcutPanelCount;
constexpr int kRows = commo::kShortcutPanelRows;
// The four paging keys come last in the files and are always assigned at a load.
constexpr int kFirstPagingSlot = 42;

// The file's next line, or nothing when the file has ended.
std::optional<std::string> lineFor(int slot, const std::vector<std::string>& lines) {
    if (slot < static_cast<int>(lines.size())) {
        return commo::withoutLineBreaks(lines[static_cast<std::size_t>(slot)]);
    }
    if (slot >= kFirstPagingSlot) return std::string();
    return std::nullopt;
}

bool fileExists(const std::filesystem::path& path) {
    std::error_code ignored;
    return std::filesystem::exists(path, ignored);
}

}  // namespace

ViewMode viewModeFromSetting(int value) {
    if (value == 1) return ViewMode::Tag;
    if (value == 3) return ViewMode::Both;
    return ViewMode::Command;
}

GridKind gridOf(ViewMode mode) {
    switch (mode) {
        case ViewMode::Tag:
            return GridKind::Tag;
        case ViewMode::Command:
            return GridKind::Command;
        case ViewMode::Both:
            break;
    }
    return GridKind::Both;
}

ShortcutEditor::ShortcutEditor(std::filesystem::path workingDir, EditorLink& link,
                               EditorQuestions& questions)
    : workingDir_(std::move(workingDir)), link_(link), questions_(questions) {}

void ShortcutEditor::start() {
    mode_ = viewModeFromSetting(link_.readViewMode());
    current_ = {1, 1};
    fillReservedRows();
    loadFiles();
}

ShortcutEditor::Column& ShortcutEditor::column(GridKind grid, int columnIndex) {
    return const_cast<Column&>(std::as_const(*this).column(grid, columnIndex));
}

const ShortcutEditor::Column& ShortcutEditor::column(GridKind grid, int columnIndex) const {
    switch (grid) {
        case GridKind::Tag:
            return tagGrid_;
        case GridKind::Command:
            return commandGrid_;
        case GridKind::Both:
            break;
    }
    return columnIndex == kBothTagColumn ? bothTags_ : bothCommands_;
}

const std::string& ShortcutEditor::text(GridKind grid, int panel, int row, int columnIndex) const {
    return column(grid,
                  columnIndex)[static_cast<std::size_t>(panel - 1)][static_cast<std::size_t>(row)];
}

bool ShortcutEditor::editable(int panel, int row) const {
    return panel >= 1 && panel <= kPanels && row >= 1 && row <= kRows && !isReservedRow(panel, row);
}

bool ShortcutEditor::setTyped(GridKind grid, int panel, int row, int columnIndex,
                              std::string_view typed) {
    if (!editable(panel, row)) return false;
    std::string& cell = column(
        grid, columnIndex)[static_cast<std::size_t>(panel - 1)][static_cast<std::size_t>(row)];
    std::string kept = cellTextFor(cellKind(grid, columnIndex), typed);
    if (kept == cell) return false;
    cell = std::move(kept);
    return true;
}

bool ShortcutEditor::paste(GridKind grid, int panel, int row, int columnIndex,
                           std::string_view clipboard) {
    // An empty clipboard cannot be told apart from one without text.
    if (clipboard.empty()) return false;
    return setTyped(grid, panel, row, columnIndex, clipboard);
}

void ShortcutEditor::fillReservedRows() {
    for (const commo::ShortcutKeyRow& key : commo::kShortcutKeys) {
        if (key.slot != commo::kReservedSlot) continue;
        const auto p = static_cast<std::size_t>(key.panel - 1);
        const auto r = static_cast<std::size_t>(key.row);
        for (Column* tags : {&tagGrid_, &bothTags_, &savedTags_})
            (*tags)[p][r] = key.reservedTag;
        for (Column* commands : {&commandGrid_, &bothCommands_, &savedCommands_}) {
            (*commands)[p][r] = commo::kReservedCommandText;
        }
    }
}

void ShortcutEditor::changeView(ViewMode mode) {
    if (mode == mode_) return;
    switch (mode_) {
        case ViewMode::Tag:
            bothTags_ = tagGrid_;
            break;
        case ViewMode::Command:
            bothCommands_ = commandGrid_;
            break;
        case ViewMode::Both:
            tagGrid_ = bothTags_;
            commandGrid_ = bothCommands_;
            break;
    }
    mode_ = mode;
}

void ShortcutEditor::copyShownViewIntoBoth() {
    if (mode_ == ViewMode::Tag) bothTags_ = tagGrid_;
    if (mode_ == ViewMode::Command) bothCommands_ = commandGrid_;
}

bool ShortcutEditor::modified() const {
    const bool tagsDiffer =
        bothTags_ != savedTags_ || (mode_ == ViewMode::Tag && tagGrid_ != savedTags_);
    const bool commandsDiffer = bothCommands_ != savedCommands_ ||
                                (mode_ == ViewMode::Command && commandGrid_ != savedCommands_);
    return tagsDiffer || commandsDiffer;
}

std::filesystem::path ShortcutEditor::filePath(CellKind kind) const {
    return commo::shortcutFilePath(workingDir_, kind == CellKind::Tag
                                                    ? commo::kShortcutTagFileName
                                                    : commo::kShortcutDefinitionFileName);
}

// A missing or unreadable file changes nothing; a short one fills the keys it has lines for.
bool ShortcutEditor::loadFile(CellKind kind) {
    const auto lines = commo::readShortcutLines(filePath(kind));
    if (!lines) return false;
    const bool tags = kind == CellKind::Tag;
    Column& both = tags ? bothTags_ : bothCommands_;
    Column& saved = tags ? savedTags_ : savedCommands_;
    for (int slot = 0; slot < commo::kShortcutSlotCount; ++slot) {
        const std::optional<std::string> line = lineFor(slot, *lines);
        if (!line) continue;
        const commo::ShortcutKeyRow* key = commo::shortcutKeyOfSlot(slot);
        const auto p = static_cast<std::size_t>(key->panel - 1);
        const auto r = static_cast<std::size_t>(key->row);
        both[p][r] = *line;
        saved[p][r] = *line;
    }
    (tags ? tagGrid_ : commandGrid_) = both;
    return true;
}

void ShortcutEditor::loadFiles() {
    loadFile(CellKind::Tag);
    loadFile(CellKind::Command);
}

bool ShortcutEditor::open() {
    if (modified() && !questions_.ask(Question::CancelEditing)) return false;
    loadFiles();
    return true;
}

// Tags first, then commands, each file replaced whole; a failed tag file stops before the
// definition file is touched. What was written is read back as the new saved copy.
std::optional<FileWriteFailure> ShortcutEditor::writeFiles() {
    for (const CellKind kind : {CellKind::Tag, CellKind::Command}) {
        const Column& both = kind == CellKind::Tag ? bothTags_ : bothCommands_;
        commo::ShortcutTexts texts;
        for (int slot = 0; slot < commo::kShortcutSlotCount; ++slot) {
            const commo::ShortcutKeyRow* key = commo::shortcutKeyOfSlot(slot);
            texts[static_cast<std::size_t>(slot)] =
                both[static_cast<std::size_t>(key->panel - 1)][static_cast<std::size_t>(key->row)];
        }
        const std::filesystem::path path = filePath(kind);
        if (!commo::writeShortcutLines(path, texts)) {
            return FileWriteFailure{path.filename().string()};
        }
        loadFile(kind);
    }
    return std::nullopt;
}

SaveOutcome ShortcutEditor::save() {
    const bool replacing =
        fileExists(filePath(CellKind::Tag)) || fileExists(filePath(CellKind::Command));
    if (replacing && !questions_.ask(Question::SaveFile)) {
        return {SaveOutcome::Status::Declined, std::nullopt};
    }
    copyShownViewIntoBoth();
    if (auto failure = writeFiles()) return {SaveOutcome::Status::Failed, std::move(failure)};
    return {};
}

CloseOutcome ShortcutEditor::close() {
    CloseOutcome outcome;
    copyShownViewIntoBoth();
    if (modified() && questions_.ask(Question::SaveFile)) outcome.saveFailure = writeFiles();
    outcome.viewModeFailure = link_.writeViewMode(static_cast<int>(mode_));
    return outcome;
}

CloseOutcome ShortcutEditor::closeUnattended() {
    CloseOutcome outcome;
    outcome.viewModeFailure = link_.writeViewMode(static_cast<int>(mode_));
    return outcome;
}

void ShortcutEditor::setCurrentKey(KeyPosition key) {
    if (commo::shortcutKeyAt(key.panel, key.row) != nullptr) current_ = key;
}

std::optional<std::string> ShortcutEditor::commandOf(KeyPosition key) const {
    if (!editable(key.panel, key.row)) return std::nullopt;
    const GridKind source = mode_ == ViewMode::Command ? GridKind::Command : GridKind::Both;
    const std::string& command = text(source, key.panel, key.row, kBothCommandColumn);
    if (command.empty()) return std::nullopt;
    return command;
}

void ShortcutEditor::sendKey(KeyPosition key) {
    const std::optional<std::string> command = commandOf(key);
    if (!command) return;
    // The link logs the send, closed port or not.
    link_.sendText(*command);
}

std::optional<KeyPosition> ShortcutEditor::shortcutKey(commo::KeyModifier modifier,
                                                       commo::BaseKey key) {
    const std::optional<int> slot = commo::shortcutSlot(modifier, key);
    if (!slot) return std::nullopt;
    const commo::ShortcutKeyRow* row = commo::shortcutKeyOfSlot(*slot);
    return KeyPosition{row->panel, row->row};
}

}  // namespace keyweld
