#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "keyweld/editor/shortcut_editor.h"
#include "keyweld/editor/testing/fake_editor_link.h"
#include "shared/formats/testing/working_dir.h"

namespace keyweld {
namespace {

using commo::kShortcutDefinitionFileName;
using commo::kShortcutTagFileName;

constexpr KeyPosition kF2{1, 2};
constexpr KeyPosition kF3{1, 3};
constexpr KeyPosition kPageUp{1, 25};
constexpr KeyPosition kAltF4{2, 16};
constexpr KeyPosition kHome{2, 25};

// File text of the given lines, each ended by CR LF.
std::string fileText(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines)
        text += line + "\r\n";
    return text;
}

// 46 lines: "<prefix><slot>".
std::vector<std::string> fullFile(const std::string& prefix) {
    std::vector<std::string> lines;
    for (int slot = 0; slot < commo::kShortcutSlotCount; ++slot) {
        lines.push_back(prefix + std::to_string(slot));
    }
    return lines;
}

class ShortcutEditorTest : public ::testing::Test {
  protected:
    void startWith(int viewMode) {
        link_.storedViewMode = viewMode;
        editor_.start();
    }
    void writeFiles(const std::vector<std::string>& tags,
                    const std::vector<std::string>& commands) {
        dir_.writeCommoFile(kShortcutTagFileName, fileText(tags));
        dir_.writeCommoFile(kShortcutDefinitionFileName, fileText(commands));
    }
    std::string tagFile() const { return dir_.readCommoFile(kShortcutTagFileName).value_or("-"); }
    std::string definitionFile() const {
        return dir_.readCommoFile(kShortcutDefinitionFileName).value_or("-");
    }
    const std::string& command(KeyPosition key) const {
        return editor_.text(editor_.shownGrid(), key.panel, key.row,
                            editor_.shownGrid() == GridKind::Both ? kBothCommandColumn : 0);
    }

    commo::ScratchWorkingDir dir_{"keyweld-editor"};
    FakeEditorLink link_;
    ScriptedQuestions questions_;
    ShortcutEditor editor_{dir_.path(), link_, questions_};
};

TEST_F(ShortcutEditorTest, StartsInTheStoredViewAndFallsBackToCatCommandForUnknownModes) {
    startWith(3);
    EXPECT_EQ(editor_.viewMode(), ViewMode::Both);
    startWith(7);
    EXPECT_EQ(editor_.viewMode(), ViewMode::Command);
    startWith(1);
    EXPECT_EQ(editor_.shownGrid(), GridKind::Tag);
}

TEST_F(ShortcutEditorTest, ReservedRowsShowFixedTextsInEveryGridAndCannotBeChanged) {
    startWith(3);
    EXPECT_EQ(editor_.text(GridKind::Both, 2, 16, 0), "Quit program|Closes the current window");
    EXPECT_EQ(editor_.text(GridKind::Both, 2, 16, 1), "not available");
    EXPECT_EQ(editor_.text(GridKind::Tag, 1, 1, 0), "Help");
    EXPECT_EQ(editor_.text(GridKind::Command, 1, 10, 0), "not available");
    EXPECT_FALSE(editor_.editable(kAltF4.panel, kAltF4.row));
    EXPECT_FALSE(editor_.setTyped(GridKind::Both, 2, 16, 1, "FA;"));
    EXPECT_FALSE(editor_.paste(GridKind::Both, 2, 16, 0, "new tag"));
    EXPECT_EQ(editor_.text(GridKind::Both, 2, 16, 0), "Quit program|Closes the current window");
    EXPECT_FALSE(editor_.modified());
}

TEST_F(ShortcutEditorTest, TypedAndPastedTextFollowsTheCellRules) {
    startWith(3);
    EXPECT_TRUE(editor_.setTyped(GridKind::Both, 1, 2, 1, "fa14250000;md2;"));
    EXPECT_EQ(editor_.text(GridKind::Both, 1, 2, 1), "FA14250000;MD2;");
    EXPECT_TRUE(editor_.paste(GridKind::Both, 1, 3, 0, "A twenty char tag!!!"));
    EXPECT_EQ(editor_.text(GridKind::Both, 1, 3, 0), "A twenty char ta");
    EXPECT_TRUE(editor_.paste(GridKind::Both, 1, 3, 1, "ab\r\n;\0c"));
    EXPECT_EQ(editor_.text(GridKind::Both, 1, 3, 1), "AB;");
    // Same text or no text: nothing to do.
    EXPECT_FALSE(editor_.paste(GridKind::Both, 1, 3, 1, "ab;"));
    EXPECT_FALSE(editor_.paste(GridKind::Both, 1, 4, 1, ""));
    EXPECT_TRUE(editor_.modified());
}

TEST_F(ShortcutEditorTest, SaveWithNeitherFilePresentAsksNothingAndWritesBothFiles) {
    startWith(2);
    editor_.setTyped(GridKind::Command, kHome.panel, kHome.row, 0, "fa;");
    editor_.setTyped(GridKind::Command, kF2.panel, kF2.row, 0, "md2;");

    const SaveOutcome outcome = editor_.save();

    EXPECT_EQ(outcome.status, SaveOutcome::Status::Saved);
    EXPECT_TRUE(questions_.asked.empty());
    std::vector<std::string> commands(46);
    commands[0] = "MD2;";
    commands[44] = "FA;";
    EXPECT_EQ(definitionFile(), fileText(commands));
    EXPECT_EQ(tagFile(), fileText(std::vector<std::string>(46)));
    EXPECT_FALSE(editor_.modified());
}

TEST_F(ShortcutEditorTest, SaveOverExistingFilesAsksAndNoLeavesEverythingAsItWas) {
    writeFiles(fullFile("t"), fullFile("c"));
    startWith(2);
    editor_.setTyped(GridKind::Command, 1, 2, 0, "new;");

    questions_.answers = {false};
    EXPECT_EQ(editor_.save().status, SaveOutcome::Status::Declined);
    EXPECT_EQ(questions_.asked, std::vector<Question>{Question::SaveFile});
    EXPECT_EQ(definitionFile(), fileText(fullFile("c")));
    EXPECT_TRUE(editor_.modified());

    questions_.answers = {true};
    EXPECT_EQ(editor_.save().status, SaveOutcome::Status::Saved);
    EXPECT_EQ(definitionFile().substr(0, 10), "NEW;\r\nc1\r\n");
}

TEST_F(ShortcutEditorTest, CommandsEditedInTheCatCommandViewSurviveASwitchToTagsAndASave) {
    startWith(2);
    editor_.setTyped(GridKind::Command, kF3.panel, kF3.row, 0, "ps1;");
    editor_.changeView(ViewMode::Tag);
    editor_.setTyped(GridKind::Tag, kF3.panel, kF3.row, 0, "Power");

    editor_.save();

    std::vector<std::string> tags(46), commands(46);
    tags[1] = "Power";
    commands[1] = "PS1;";
    EXPECT_EQ(tagFile(), fileText(tags));
    EXPECT_EQ(definitionFile(), fileText(commands));
}

TEST_F(ShortcutEditorTest, TheShownViewIsAheadAndReachesTheOtherGridsOnAViewChange) {
    startWith(1);
    editor_.setTyped(GridKind::Tag, 1, 5, 0, "Band up");
    EXPECT_EQ(editor_.text(GridKind::Both, 1, 5, 0), "");
    EXPECT_TRUE(editor_.modified());

    editor_.changeView(ViewMode::Both);
    EXPECT_EQ(editor_.text(GridKind::Both, 1, 5, 0), "Band up");
    editor_.setTyped(GridKind::Both, 1, 5, 1, "bu;");
    editor_.changeView(ViewMode::Command);
    EXPECT_EQ(editor_.text(GridKind::Command, 1, 5, 0), "BU;");
    EXPECT_EQ(editor_.text(GridKind::Tag, 1, 5, 0), "Band up");
}

TEST_F(ShortcutEditorTest, OpenAsksBeforeDroppingEditsAndReloadsOnYes) {
    writeFiles(fullFile("t"), fullFile("c"));
    startWith(2);
    EXPECT_TRUE(editor_.open());
    EXPECT_TRUE(questions_.asked.empty());

    editor_.setTyped(GridKind::Command, 1, 2, 0, "x;");
    questions_.answers = {false};
    EXPECT_FALSE(editor_.open());
    EXPECT_EQ(editor_.text(GridKind::Command, 1, 2, 0), "X;");

    questions_.answers = {true};
    EXPECT_TRUE(editor_.open());
    EXPECT_EQ(questions_.asked,
              (std::vector<Question>{Question::CancelEditing, Question::CancelEditing}));
    EXPECT_EQ(editor_.text(GridKind::Command, 1, 2, 0), "c0");
    EXPECT_FALSE(editor_.modified());
}

TEST_F(ShortcutEditorTest, AShortFileFillsItsRowsAndAlwaysAssignsThePagingKeys) {
    writeFiles(fullFile("t"), fullFile("c"));
    startWith(3);
    // Ten lines, one with a stray CR inside.
    std::vector<std::string> ten = fullFile("n");
    ten.resize(10);
    ten[3] = "a\rb";
    dir_.writeCommoFile(kShortcutDefinitionFileName, fileText(ten));

    editor_.open();

    EXPECT_EQ(editor_.text(GridKind::Both, 1, 2, 1), "n0");    // slot 0
    EXPECT_EQ(editor_.text(GridKind::Both, 1, 5, 1), "ab");    // slot 3
    EXPECT_EQ(editor_.text(GridKind::Both, 1, 12, 1), "n9");   // slot 9
    EXPECT_EQ(editor_.text(GridKind::Both, 1, 13, 1), "c10");  // kept
    EXPECT_EQ(editor_.text(GridKind::Both, 1, 25, 1), "");     // Page Up, slot 42
    EXPECT_EQ(editor_.text(GridKind::Both, 2, 26, 1), "");     // End, slot 45
    EXPECT_EQ(editor_.text(GridKind::Both, 1, 25, 0), "t42");  // tags untouched
}

TEST_F(ShortcutEditorTest, MissingFilesLeaveEveryCellAsItWas) {
    writeFiles(fullFile("t"), fullFile("c"));
    startWith(2);
    std::filesystem::remove(dir_.commoFile(kShortcutTagFileName));
    std::filesystem::remove(dir_.commoFile(kShortcutDefinitionFileName));

    editor_.open();

    EXPECT_EQ(editor_.text(GridKind::Command, kPageUp.panel, kPageUp.row, 0), "c42");
    EXPECT_EQ(editor_.text(GridKind::Both, 1, 2, 0), "t0");
}

TEST_F(ShortcutEditorTest, CloseWithNoLeavesTheFilesButStillStoresTheViewMode) {
    writeFiles(fullFile("t"), fullFile("c"));
    startWith(2);
    editor_.changeView(ViewMode::Both);
    editor_.setTyped(GridKind::Both, 1, 2, 1, "changed;");

    const CloseOutcome outcome = editor_.close();

    EXPECT_EQ(questions_.asked, std::vector<Question>{Question::SaveFile});
    EXPECT_EQ(definitionFile(), fileText(fullFile("c")));
    EXPECT_EQ(link_.writtenViewModes, std::vector<int>{3});
    EXPECT_FALSE(outcome.saveFailure);
}

TEST_F(ShortcutEditorTest, AnUnattendedCloseAsksNothingLeavesTheFilesAndStoresTheViewMode) {
    writeFiles(fullFile("t"), fullFile("c"));
    startWith(3);
    editor_.setTyped(GridKind::Both, 1, 2, 1, "changed;");
    questions_.answers = {true};

    const CloseOutcome outcome = editor_.closeUnattended();

    EXPECT_TRUE(questions_.asked.empty());
    EXPECT_EQ(definitionFile(), fileText(fullFile("c")));
    EXPECT_EQ(link_.writtenViewModes, std::vector<int>{3});
    EXPECT_FALSE(outcome.saveFailure);
}

TEST_F(ShortcutEditorTest, CloseSavesTheShownViewOnYesAndAsksNothingWithoutEdits) {
    startWith(1);
    editor_.close();
    EXPECT_TRUE(questions_.asked.empty());

    editor_.setTyped(GridKind::Tag, 1, 2, 0, "Tag view only");
    questions_.answers = {true};
    editor_.close();
    EXPECT_EQ(tagFile().substr(0, 15), "Tag view only\r\n");
    EXPECT_EQ(link_.writtenViewModes, (std::vector<int>{1, 1}));
}

TEST_F(ShortcutEditorTest, AFailedSaveNamesTheFileAndKeepsTheEdits) {
    // CommoFiles is a plain file: nothing can be written below it.
    platform::writeFile(dir_.path() / "CommoFiles", "");
    startWith(2);
    editor_.setTyped(GridKind::Command, 1, 2, 0, "fa;");

    const SaveOutcome outcome = editor_.save();

    EXPECT_EQ(outcome.status, SaveOutcome::Status::Failed);
    ASSERT_TRUE(outcome.failure);
    EXPECT_EQ(outcome.failure->fileName, "VantorKSTAG.txt");
    EXPECT_EQ(editor_.text(GridKind::Command, 1, 2, 0), "FA;");
    EXPECT_TRUE(editor_.modified());
}

TEST_F(ShortcutEditorTest, ADefinitionFileThatCannotBeReplacedIsReportedAfterTheTagsAreSaved) {
    // A directory where the definition file belongs cannot be replaced by a file.
    std::filesystem::create_directories(dir_.commoFile(kShortcutDefinitionFileName));
    startWith(3);
    editor_.setTyped(GridKind::Both, 1, 2, 0, "Tag");
    editor_.setTyped(GridKind::Both, 1, 2, 1, "fa;");
    questions_.answers = {true};

    const SaveOutcome outcome = editor_.save();

    ASSERT_TRUE(outcome.failure);
    EXPECT_EQ(outcome.failure->fileName, "VantorKSDEF.txt");
    EXPECT_EQ(tagFile().substr(0, 5), "Tag\r\n");
    // The tags are saved, the commands are still an unsaved edit.
    EXPECT_EQ(editor_.text(GridKind::Both, 1, 2, 1), "FA;");
    EXPECT_TRUE(editor_.modified());
}

TEST_F(ShortcutEditorTest, AFailedViewModeWriteIsReportedByClose) {
    startWith(2);
    link_.viewModeFailure = FileWriteFailure{"KSESetting.ini"};
    EXPECT_EQ(editor_.close().viewModeFailure->fileName, "KSESetting.ini");
}

TEST_F(ShortcutEditorTest, AKeySendsItsWholeTextFromTheGridOfTheView) {
    startWith(2);
    editor_.setTyped(GridKind::Command, kHome.panel, kHome.row, 0, "fa14250000;md2;");
    editor_.sendKey(kHome);
    EXPECT_EQ(link_.sent, std::vector<std::string>{"FA14250000;MD2;"});

    // In the Tag view the text comes from the Both grid, which the view change brought up to
    // date.
    editor_.setTyped(GridKind::Command, kF2.panel, kF2.row, 0, "ps1;");
    editor_.changeView(ViewMode::Tag);
    editor_.sendKey(kF2);
    EXPECT_EQ(link_.sent.back(), "PS1;");
}

TEST_F(ShortcutEditorTest, ReservedAndEmptyKeysSendNothing) {
    startWith(3);
    editor_.sendKey(kAltF4);
    editor_.sendKey(kF2);
    EXPECT_TRUE(link_.sent.empty());
}

// The link logs it as not sent; the editor does not decide that for it.
TEST_F(ShortcutEditorTest, AKeyIsHandedToTheLinkAlsoWhileThePortIsClosed) {
    startWith(2);
    link_.open = false;
    editor_.setTyped(GridKind::Command, kF2.panel, kF2.row, 0, "fa;");
    editor_.sendKey(kF2);
    EXPECT_EQ(link_.sent, std::vector<std::string>{"FA;"});
}

TEST(ShortcutKeys, EachShortcutCombinationSendsItsOwnRowAndReservedOnesNone) {
    using commo::BaseKey;
    using commo::KeyModifier;
    EXPECT_EQ(ShortcutEditor::shortcutKey(KeyModifier::None, BaseKey::Home), kHome);
    EXPECT_EQ(ShortcutEditor::shortcutKey(KeyModifier::None, BaseKey::PageUp), kPageUp);
    EXPECT_EQ(ShortcutEditor::shortcutKey(KeyModifier::Shift, BaseKey::F11), (KeyPosition{1, 23}));
    EXPECT_EQ(ShortcutEditor::shortcutKey(KeyModifier::Alt, BaseKey::F5), (KeyPosition{2, 17}));
    EXPECT_FALSE(ShortcutEditor::shortcutKey(KeyModifier::Alt, BaseKey::F4));
    EXPECT_FALSE(ShortcutEditor::shortcutKey(KeyModifier::None, BaseKey::F1));
    EXPECT_FALSE(ShortcutEditor::shortcutKey(KeyModifier::Shift, BaseKey::PageUp));
}

}  // namespace
}  // namespace keyweld
