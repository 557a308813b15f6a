#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace panelink {

// What Panelink's command line asks for.
struct CommandLine {
    bool help = false;
    bool version = false;
    // Started from the desktop's menu: work in the per-user data directory.
    bool desktop = false;
    std::optional<std::filesystem::path> directory;  // --dir DIR
    // The network control server for this run only: its address, or none at all.
    std::optional<std::string> rigctld;  // --rigctld ADDR:PORT
    bool noRigctld = false;              // --no-rigctld
};

// A parsed command line, or the reason it could not be parsed.
struct CommandLineResult {
    std::optional<CommandLine> commandLine;
    std::string error;
};

// Parses the arguments after the program's name. "--name value" and "--name=value" are both
// accepted; an unknown "--" option, a missing value or a stray argument is an error.
// Single-dash options such as "-platform offscreen", with the value that follows them, belong
// to the window toolkit, which reads them itself.
CommandLineResult parseCommandLine(std::span<const std::string_view> arguments);

// The --help text, from the same option table the parser uses.
std::string commandLineHelp();

// Reads one environment variable; nothing when it is not set.
using EnvironmentLookup = std::function<std::optional<std::string>(std::string_view name)>;

// A working directory, or why there is none.
struct WorkingDirectoryResult {
    std::filesystem::path path;
    std::string error;
};

// Where Panelink keeps CommoFiles: the --dir directory when given, else for a desktop start
// $XDG_DATA_HOME/panelink (with $HOME/.local/share when XDG_DATA_HOME is unset or not
// absolute), else the current directory. --dir and the desktop directory are created when
// missing.
WorkingDirectoryResult workingDirectoryFor(const CommandLine& commandLine,
                                           const EnvironmentLookup& environment,
                                           const std::filesystem::path& currentDirectory);

}  // namespace panelink
