// Keyweld: edits the texts that Panelink's function-key shortcuts send, and sends a key's text
// over its own serial link. Its files live in CommoFiles below the current working directory.
#include <QApplication>

#include <filesystem>
#include <system_error>

#include "keyweld/link/ui/keyweld_link.h"
#include "keyweld/ui/link_adapter.h"
#include "keyweld/ui/main_window.h"
#include "keyweld/ui/termination_signals.h"
#include "shared/platform/broken_pipe.h"
#include "shared/platform/single_instance.h"

#ifndef KEYWELD_VERSION
#define KEYWELD_VERSION "0.0.0"
#endif

int main(int argc, char* argv[]) {
    // Before any thread starts, so that only the watcher below takes the termination signals.
    const bool signalsBlocked = keyweld::TerminationSignals::block();
    platform::ignoreBrokenPipes();

    // One editor at a time: a second one leaves at once.
    const platform::SingleInstanceLock instance(platform::kKeyweldInstanceName);
    if (instance.anotherInstance()) return 0;

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Keyboard shortcut editor for Vantor"));
    QApplication::setApplicationVersion(QStringLiteral(KEYWELD_VERSION));

    std::error_code error;
    std::filesystem::path workingDirectory = std::filesystem::current_path(error);
    if (error) workingDirectory = ".";

    // No port or a busy one leaves the link closed ("Close"); the editor works on without it.
    keyweld::KeyweldLink link(workingDirectory);
    link.openFromSettings();
    keyweld::LinkAdapter editorLink(link, workingDirectory);

    const keyweld::ProgramInfo info{QStringLiteral("Keyweld"), QStringLiteral(KEYWELD_VERSION),
                                    QStringLiteral("Copyright (C) 2026 The Panelink developers")};
    keyweld::MainWindow window(workingDirectory, editorLink, info);
    editorLink.setDialogParent(&window);

    keyweld::TerminationSignals termination;
    if (signalsBlocked && !termination.isValid()) keyweld::TerminationSignals::unblock();
    QObject::connect(&termination, &keyweld::TerminationSignals::received, &window,
                     &keyweld::MainWindow::closeUnattended);

    window.show();
    return QApplication::exec();
}
