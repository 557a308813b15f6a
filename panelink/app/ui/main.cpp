// Panelink: the front panel of the transceiver on the screen, driving it over its serial CAT
// protocol. Configuration lives in CommoFiles below the working directory: the current one,
// the one --dir names, or the per-user one for a start from the desktop (--desktop).
#include <QApplication>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

#include "panelink/app/command_line.h"
#include "panelink/app/ui/application.h"
#include "panelink/app/ui/signal_watcher.h"
#include "shared/platform/broken_pipe.h"

namespace {

std::optional<std::string> environmentVariable(std::string_view name) {
    const char* value = std::getenv(std::string(name).c_str());
    if (value == nullptr) return std::nullopt;
    return std::string(value);
}

}  // namespace

int main(int argc, char* argv[]) {
    // Answered before any window or display is touched.
    const std::vector<std::string_view> arguments(argv + std::min(argc, 1), argv + argc);
    const panelink::CommandLineResult parsed = panelink::parseCommandLine(arguments);
    if (!parsed.commandLine) {
        std::fprintf(stderr, "panelink: %s\nTry 'panelink --help'.\n", parsed.error.c_str());
        return 2;
    }
    if (parsed.commandLine->help) {
        std::fputs(panelink::commandLineHelp().c_str(), stdout);
        return 0;
    }
    if (parsed.commandLine->version) {
        std::puts("panelink " PANELINK_VERSION);
        return 0;
    }
    std::error_code error;
    std::filesystem::path currentDirectory = std::filesystem::current_path(error);
    if (error) currentDirectory = ".";
    const panelink::WorkingDirectoryResult workingDirectory =
        panelink::workingDirectoryFor(*parsed.commandLine, environmentVariable, currentDirectory);
    if (workingDirectory.path.empty()) {
        std::fprintf(stderr, "panelink: %s\n", workingDirectory.error.c_str());
        return 1;
    }
    // Relative paths of the toolkit (file dialogs) start there too.
    std::filesystem::current_path(workingDirectory.path, error);

    // Before any thread exists, so that every thread leaves SIGTERM, SIGINT and SIGHUP to the
    // watcher.
    panelink::SignalWatcher::blockTerminationSignals();
    platform::ignoreBrokenPipes();

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Panelink"));
    QApplication::setApplicationVersion(QStringLiteral(PANELINK_VERSION));
    // The splash closes before the window opens; only the shut-down ends the run.
    QApplication::setQuitOnLastWindowClosed(false);

    panelink::PanelinkApplication::Options options;
    options.workingDirectory = workingDirectory.path;
    // For pictures of a window: PANELINK_OPEN_WINDOW=contour, notch or dnr.
    options.openWindow =
        qEnvironmentVariable("PANELINK_OPEN_WINDOW").trimmed().toLower().toStdString();
    options.rigctld = parsed.commandLine->rigctld;
    options.noRigctld = parsed.commandLine->noRigctld;
    // For pictures of the zoomed window: PANELINK_ZOOM=100, 150, 200 or screen.
    options.zoom = panelink::parseZoomSetting(qEnvironmentVariable("PANELINK_ZOOM").toStdString());
    panelink::PanelinkApplication panelink(std::move(options));
    panelink.start();
    return QApplication::exec();
}
