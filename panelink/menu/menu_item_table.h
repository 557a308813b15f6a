#pragma once

#include <cstddef>
#include <mutex>
#include <utility>
#include <vector>

#include "panelink/menu/menu_defaults.h"
#include "panelink/menu/menu_item.h"

namespace panelink {

// The transceiver's menu items, shared by the command sender, the receive side and the user
// interface. One lock serialises every access, so a whole-record copy never sees a half-written
// record. Records are addressed by index 1..itemCount(); slot 0 exists and is never used.
// Until the table is built the item count is 0 and every access by index fails.
class MenuItemTable {
  public:
    MenuItemTable();
    MenuItemTable(const MenuItemTable&) = delete;
    MenuItemTable& operator=(const MenuItemTable&) = delete;

    int itemCount() const;

    // Whole-record copies; false for an index outside 1..itemCount(), target untouched.
    // A record copied in has its text fields cut to keep their terminating zero.
    bool copyOut(int index, MenuItem& out) const;
    bool copyIn(int index, const MenuItem& in);

    // Look-ups by value kind find the first item (lowest index) of that kind. Blank records
    // are not an item of any kind, so kind -1 finds nothing.
    double valueOfKind(int kind) const;  // 1.0 when no item has the kind
    bool setValueOfKind(int kind, double value);
    bool copyOutByKind(int kind, MenuItem& out) const;

    // Kind of the item at `index`; -1 (blank) for a bad index.
    int kindAt(int index) const;
    // Characters of the item's value in the "EX" command; 0 for a bad index.
    int digitsAt(int index) const;

    // Runs f(MenuItem&) on one record under the lock, so a caller can compare and store in
    // one step. False, without calling f, for a bad index. f must not call back into the
    // table: the lock is not recursive.
    template <class F>
    bool withItem(int index, F&& f) {
        std::lock_guard lock(mutex_);
        if (!validIndex(index)) return false;
        MenuItem& item = slots_[static_cast<std::size_t>(index)];
        std::forward<F>(f)(item);
        terminateTexts(item);
        return true;
    }

    // The same for the first item of `kind`; false when no item has it.
    template <class F>
    bool withItemOfKind(int kind, F&& f) {
        std::lock_guard lock(mutex_);
        const int index = firstIndexOfKind(kind);
        if (index == 0) return false;
        MenuItem& item = slots_[static_cast<std::size_t>(index)];
        std::forward<F>(f)(item);
        terminateTexts(item);
        return true;
    }

    // Replaces every slot 0..kMenuItemCount with makeItem(index), in index order, and sets the
    // item count, all under one hold of the lock, so no reader sees half a table. False, table
    // untouched, for a count outside 0..kMenuItemCount. makeItem must not call into the table.
    template <class F>
    bool rebuild(int count, F&& makeItem) {
        if (count < 0 || count > kMenuItemCount) return false;
        std::lock_guard lock(mutex_);
        for (int index = 0; index < kMenuSlotCount; ++index) {
            MenuItem& item = slots_[static_cast<std::size_t>(index)];
            item = makeItem(index);
            terminateTexts(item);
        }
        count_ = count;
        return true;
    }

  private:
    bool validIndex(int index) const { return index >= 1 && index <= count_; }
    int firstIndexOfKind(int kind) const;  // 0 when none; lock held
    static void terminateTexts(MenuItem& item);

    mutable std::mutex mutex_;
    std::vector<MenuItem> slots_;  // kMenuSlotCount records, on the heap: they are large
    int count_ = 0;
};

}  // namespace panelink
