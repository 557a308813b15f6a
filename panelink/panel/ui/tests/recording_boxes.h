#pragma once

// A box presenter for tests: keeps every box it is asked to show; the test closes them.

#include <cstddef>
#include <utility>
#include <vector>

#include "panelink/panel/ui/box_presenter.h"

namespace panelink::uitest {

class RecordingBoxes final : public BoxPresenter {
  public:
    struct Shown {
        Box box;
        Closed closed;
        bool open = true;
    };

    void show(const Box& box, Closed closed) override {
        shown_.push_back({box, std::move(closed), true});
    }

    void closeAll() override {
        for (std::size_t i = 0; i < shown_.size(); ++i) {
            if (shown_[i].open) close(i);
        }
    }

    int openCount() const override {
        int count = 0;
        for (const auto& s : shown_)
            count += s.open ? 1 : 0;
        return count;
    }

    // The user closes box i (in the order shown).
    void close(std::size_t i) {
        if (!shown_.at(i).open) return;
        shown_[i].open = false;
        if (shown_[i].closed) shown_[i].closed();
    }

    std::size_t count() const { return shown_.size(); }
    const Shown& at(std::size_t i) const { return shown_.at(i); }

  private:
    std::vector<Shown> shown_;
};

}  // namespace panelink::uitest
