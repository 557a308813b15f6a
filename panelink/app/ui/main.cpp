// Panelink: the front panel of the transceiver on the screen, driving it over its serial CAT
// protocol. Configuration lives in CommoFiles below the current working directory.
#include <QApplication>

#include <filesystem>
#include <system_error>

#include "panelink/app/ui/application.h"
#include "panelink/app/ui/signal_watcher.h"
#include "shared/platform/broken_pipe.h"

int main(int argc, char* argv[]) {
    // Before any thread exists, so that every thread leaves SIGTERM, SIGINT and SIGHUP to the
    // watcher.
    panelink::SignalWatcher::blockTerminationSignals();
    platform::ignoreBrokenPipes();

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Panelink"));
    QApplication::setApplicationVersion(QStringLiteral(PANELINK_VERSION));
    // The splash closes before the window opens; only the shut-down ends the run.
    QApplication::setQuitOnLastWindowClosed(false);

    std::error_code error;
    std::filesystem::path workingDirectory = std::filesystem::current_path(error);
    if (error) workingDirectory = ".";

    panelink::PanelinkApplication::Options options;
    options.workingDirectory = workingDirectory;
    // For pictures of a window: PANELINK_OPEN_WINDOW=contour, notch or dnr.
    options.openWindow =
        qEnvironmentVariable("PANELINK_OPEN_WINDOW").trimmed().toLower().toStdString();
    // For pictures of the zoomed window: PANELINK_ZOOM=100, 150, 200 or screen.
    options.zoom = panelink::parseZoomSetting(qEnvironmentVariable("PANELINK_ZOOM").toStdString());
    panelink::PanelinkApplication panelink(std::move(options));
    panelink.start();
    return QApplication::exec();
}
