#pragma once

// A working directory whose ComPorts.csv maps some COM numbers to pseudo-terminals and every
// other one to a path that does not exist, so no real serial port of the machine takes part.

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>

#include "shared/formats/testing/working_dir.h"
#include "shared/platform/pseudo_terminal.h"

namespace keyweld::testing {

class LinkUiTest : public ::testing::Test {
  protected:
    // Maps each of `portNos` to a new pseudo-terminal.
    void mapPorts(std::initializer_list<int> portNos) {
        for (const int portNo : portNos) {
            int error = 0;
            std::optional<platform::PseudoTerminal> pty = platform::PseudoTerminal::create(&error);
            if (!pty) {
                std::fprintf(stderr, "no pseudo-terminal: errno %d\n", error);
                std::abort();
            }
            ptys_.emplace(portNo, std::move(*pty));
        }
        std::string map;
        for (int portNo = 1; portNo <= 20; ++portNo) {
            const auto found = ptys_.find(portNo);
            map +=
                "COM" + std::to_string(portNo) + "," +
                (found != ptys_.end() ? found->second.slavePath()
                                      : dir_.path().string() + "/absent" + std::to_string(portNo)) +
                "\n";
        }
        dir_.writeCommoFile("ComPorts.csv", map);
    }

    platform::PseudoTerminal& pty(int portNo) { return ptys_.at(portNo); }

    commo::ScratchWorkingDir dir_;
    std::map<int, platform::PseudoTerminal> ptys_;
};

}  // namespace keyweld::testing
