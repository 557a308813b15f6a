#pragma once

#include <chrono>
#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "panelink/core/requests.h"
#include "panelink/menu/menu_item.h"
#include "panelink/menu/menu_item_table.h"
#include "panelink/menu/menu_list_line.h"
#include "panelink/menu/menu_setting_dialog.h"

namespace panelink {

// What the menu list keeps from one opening to the next: the line selected last. The program
// owns one for its whole run and hands it to each window it opens.
struct MenuListMemory {
    std::size_t selectedLine = 0;
};

// What the menu list's OK uses of the link.
struct MenuListLink {
    // A request to Anl_Send_Thread (the menu write).
    std::function<void(Request request)> postRequest;
    // A command text put on the send queue; the writer is woken.
    std::function<void(std::string_view text)> queueCommand;
    // The transceiver is connected (it reports auto-information).
    std::function<bool()> connected;
};

// The MENU LIST window without its widgets: its own copies of the table's items, the lines it
// shows, the setting dialogs' contents and what their OK does to a copy, the arrow keys, and
// the commit that writes the changes. Nothing reaches the table before commit(); dropping the
// model is CANCEL.
//
// Lines are in the order the window's sorted list shows them (by their text, which starts
// with the menu number), so line i is row i of the list.
class MenuListModel {
  public:
    // How long after the menu write the band and mode sets are read back.
    static constexpr std::chrono::milliseconds kReadBackDelay{100};

    // Copies every non-blank item of `table`, each whole under the table's lock.
    MenuListModel(MenuItemTable& table, MenuListMemory& memory, MenuListLink link);

    std::size_t lineCount() const { return lines_.size(); }
    // The text of a line as the list shows it; empty outside the list.
    std::string lineText(std::size_t line) const;
    // The window's copy of a line's item, and its index in the table; nullptr / 0 outside.
    const MenuItem* item(std::size_t line) const;
    int tableIndex(std::size_t line) const;

    // The remembered line, when the list has it.
    std::optional<std::size_t> selectedLine() const;
    // Remembers the line for this and the next opening; a line outside the list is ignored.
    void select(std::size_t line);

    // Left or Right on a line: moves the cursor that the line's kind uses. True when the line's
    // text has to be rebuilt.
    bool moveCursor(std::size_t line, ListArrow arrow);

    // The setting dialog of a line, and its contents; None outside the list.
    MenuDialogKind dialogKind(std::size_t line) const;
    ChoiceDialog choiceDialog(std::size_t line) const;
    CheckBoxDialog checkBoxDialog(std::size_t line) const;
    ToneDialog toneDialog(std::size_t line) const;
    TextDialog textDialog(std::size_t line) const;

    // A dialog's OK on a line's copy. False when the copy stays as it was asked (no choice,
    // an empty text, a line outside the list).
    bool applyChoice(std::size_t line, const ChoiceDialog& dialog,
                     std::optional<std::size_t> chosen);
    bool applyCheckBoxes(std::size_t line, const CheckBoxDialog& dialog);
    bool applyTone(std::size_t line, const ToneDialog& dialog, std::optional<std::size_t> chosen);
    bool applyText(std::size_t line, std::string_view edited);

    // OK, first half: every changed copy goes back into the table with its value (and text)
    // set to the new one and its changed mark still set, so the writer knows it; then the menu
    // write is posted. True when something was written: the caller then waits kReadBackDelay
    // and calls readBack() before the window closes.
    bool commit();
    // OK, second half: when the transceiver is connected, queues a read of every written band
    // or mode set, whose value the transceiver may refuse in part. Once only.
    void readBack();

  private:
    struct Line {
        int index = 0;  // in the table
        MenuItem item;
    };

    Line* at(std::size_t line);
    const Line* at(std::size_t line) const;

    MenuItemTable& table_;
    MenuListMemory& memory_;
    MenuListLink link_;
    std::vector<Line> lines_;
    MenuListCursors cursors_;
    std::vector<std::string> readBacks_;  // between commit() and readBack()
};

}  // namespace panelink
