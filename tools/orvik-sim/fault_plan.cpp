#include "tools/orvik-sim/fault_plan.h"

#include <utility>

namespace orviksim {

void FaultPlan::setSplit(bool on, Milliseconds pause) {
    split_ = on;
    splitPause_ = pause.count() > 0 ? pause : kDefaultSplitPause;
}

void FaultPlan::silenceUntil(TimePoint end) {
    silentForever_ = false;
    silentUntil_ = end;
}

void FaultPlan::silenceOn() {
    silentForever_ = true;
    silentUntil_.reset();
}

void FaultPlan::silenceOff() {
    silentForever_ = false;
    silentUntil_.reset();
}

bool FaultPlan::silenced(TimePoint now) const {
    return silentForever_ || (silentUntil_ && now < *silentUntil_);
}

std::optional<TimePoint> FaultPlan::silenceEnd(TimePoint now) const {
    if (silentForever_ || !silentUntil_ || now >= *silentUntil_) return std::nullopt;
    return silentUntil_;
}

std::vector<Piece> FaultPlan::shape(std::string_view message, Origin origin, TimePoint now) {
    std::vector<Piece> pieces;
    if (message.empty() || silenced(now)) return pieces;
    if (origin == Origin::kAnswer && drop_ > 0) {
        --drop_;
        return pieces;
    }
    if (!junk_.empty()) pieces.push_back(Piece{std::exchange(junk_, {}), Duration::zero()});
    if (split_ && message.size() >= 2) {
        const auto half = message.size() / 2;
        pieces.push_back(Piece{std::string(message.substr(0, half)), Duration::zero()});
        pieces.push_back(Piece{std::string(message.substr(half)), splitPause_});
    } else {
        pieces.push_back(Piece{std::string(message), Duration::zero()});
    }
    return pieces;
}

std::string FaultPlan::describe(TimePoint now) const {
    std::string text = split_ ? "split on (" + std::to_string(splitPause_.count()) + " ms)"
                              : std::string("split off");
    text += ", junk " + std::to_string(junk_.size()) + " bytes";
    text += ", drop " + std::to_string(drop_);
    if (silentForever_) {
        text += ", silence on";
    } else if (const auto end = silenceEnd(now)) {
        const auto left = std::chrono::duration_cast<Milliseconds>(*end - now).count();
        text += ", silence " + std::to_string(left) + " ms left";
    } else {
        text += ", silence off";
    }
    return text;
}

}  // namespace orviksim
