#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace orviksim {

// Cuts the byte stream from the program into commands: from the first upper-case letter
// through the next ";". Bytes before a command's first letter (noise, stray terminators,
// lower-case text) are dropped; a command may arrive over any number of reads. A stretch
// that grows past kMaxCommandLength without a ";" is thrown away through its ";", as a
// radio's buffer would overflow.
class CommandFramer {
  public:
    static constexpr std::size_t kMaxCommandLength = 512;

    // Adds bytes and returns the commands they complete, each ending in ";".
    std::vector<std::string> push(std::string_view bytes);
    // Forgets a partly received command (the line went away).
    void reset() {
        pending_.clear();
        overflowed_ = false;
    }
    std::size_t pendingSize() const { return pending_.size(); }

  private:
    std::string pending_;
    bool overflowed_ = false;  // skipping the rest of an overlong stretch
};

}  // namespace orviksim
