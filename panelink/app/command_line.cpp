#include "panelink/app/command_line.h"

#include <algorithm>
#include <array>
#include <system_error>

namespace panelink {

namespace {

namespace fs = std::filesystem;

struct OptionEntry {
    std::string_view name;       // "--dir"
    std::string_view valueName;  // empty for a switch
    std::string_view help;
    void (*apply)(CommandLine& commandLine, std::string_view value);
};

// Every option of the program, once: the parser and the help text both read this table.
constexpr std::array kOptions{
    OptionEntry{"--dir", "DIR", "keep CommoFiles/ below DIR instead of the current directory",
                [](CommandLine& c, std::string_view v) { c.directory = fs::path(v); }},
    OptionEntry{"--desktop", "",
                "work in $XDG_DATA_HOME/panelink (the desktop entry's start), created when missing",
                [](CommandLine& c, std::string_view) { c.desktop = true; }},
    OptionEntry{"--rigctld", "ADDR:PORT",
                "serve the rigctld network protocol on ADDR:PORT for this run",
                [](CommandLine& c, std::string_view v) { c.rigctld = std::string(v); }},
    OptionEntry{"--no-rigctld", "", "no network control server for this run",
                [](CommandLine& c, std::string_view) { c.noRigctld = true; }},
    OptionEntry{"--help", "", "show this text and end",
                [](CommandLine& c, std::string_view) { c.help = true; }},
    OptionEntry{"--version", "", "show the version and end",
                [](CommandLine& c, std::string_view) { c.version = true; }},
};

const OptionEntry* findOption(std::string_view name) {
    for (const OptionEntry& option : kOptions) {
        if (option.name == name) return &option;
    }
    return nullptr;
}

CommandLineResult failure(std::string error) {
    return CommandLineResult{std::nullopt, std::move(error)};
}

std::optional<fs::path> desktopDirectory(const EnvironmentLookup& environment) {
    if (const auto data = environment("XDG_DATA_HOME"); data && fs::path(*data).is_absolute())
        return fs::path(*data) / "panelink";
    if (const auto home = environment("HOME"); home && !home->empty())
        return fs::path(*home) / ".local/share/panelink";
    return std::nullopt;
}

}  // namespace

CommandLineResult parseCommandLine(std::span<const std::string_view> arguments) {
    CommandLine commandLine;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string_view argument = arguments[i];
        if (!argument.starts_with("--")) {
            if (!argument.starts_with('-') || argument == "-")
                return failure("unexpected argument: " + std::string(argument));
            // The toolkit's option; a value after it is the toolkit's too.
            if (i + 1 < arguments.size() && !arguments[i + 1].starts_with('-')) ++i;
            continue;
        }
        const std::size_t equals = argument.find('=');
        const std::string_view name = argument.substr(0, equals);
        const OptionEntry* option = findOption(name);
        if (option == nullptr) return failure("unknown option: " + std::string(name));
        std::optional<std::string_view> value;
        if (equals != std::string_view::npos) value = argument.substr(equals + 1);
        if (option->valueName.empty()) {
            if (value) return failure(std::string(name) + " takes no value");
        } else if (!value) {
            if (i + 1 == arguments.size())
                return failure(std::string(name) + " needs " + std::string(option->valueName));
            value = arguments[++i];
        }
        if (!option->valueName.empty() && value->empty())
            return failure(std::string(name) + " needs " + std::string(option->valueName));
        option->apply(commandLine, value.value_or(""));
    }
    return CommandLineResult{std::move(commandLine), {}};
}

std::string commandLineHelp() {
    std::string text =
        "Usage: panelink [OPTION]...\n"
        "The transceiver's front panel, driving the radio over its serial CAT link.\n"
        "Settings and shortcuts live in CommoFiles/ below the working directory.\n\n";
    for (const OptionEntry& option : kOptions) {
        std::string head = "  " + std::string(option.name);
        if (!option.valueName.empty()) head += " " + std::string(option.valueName);
        head.resize(std::max<std::size_t>(head.size() + 2, 18), ' ');
        text += head + std::string(option.help) + "\n";
    }
    return text;
}

WorkingDirectoryResult workingDirectoryFor(const CommandLine& commandLine,
                                           const EnvironmentLookup& environment,
                                           const fs::path& currentDirectory) {
    std::optional<fs::path> chosen = commandLine.directory;
    if (!chosen && commandLine.desktop) {
        chosen = desktopDirectory(environment);
        if (!chosen) return {{}, "no home directory: neither XDG_DATA_HOME nor HOME is set"};
    }
    if (!chosen) return {currentDirectory, {}};
    std::error_code error;
    fs::create_directories(*chosen, error);
    if (!fs::is_directory(*chosen)) {
        return {{},
                "cannot use " + chosen->string() + " as the working directory" +
                    (error ? ": " + error.message() : std::string())};
    }
    return {fs::absolute(*chosen, error), {}};
}

}  // namespace panelink
