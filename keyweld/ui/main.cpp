// Keyweld: edits the texts that Panelink's function-key shortcuts send, and sends a key's text
// over its own serial link. Its files live in CommoFiles below the current working directory.
#include <QApplication>

#include <filesystem>
#include <system_error>

#include "keyweld/ui/main_window.h"
#include "keyweld/ui/standin_link.h"
#include "shared/platform/single_instance.h"

#ifndef KEYWELD_VERSION
#define KEYWELD_VERSION "0.0.0"
#endif

int main(int argc, char* argv[]) {
    // One editor at a time: a second one leaves at once.
    const platform::SingleInstanceLock instance(platform::kKeyweldInstanceName);
    if (instance.anotherInstance()) return 0;

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Keyboard shortcut editor for Vantor"));
    QApplication::setApplicationVersion(QStringLiteral(KEYWELD_VERSION));

    std::error_code error;
    std::filesystem::path workingDirectory = std::filesystem::current_path(error);
    if (error) workingDirectory = ".";

    // STAND-IN: the link's own EditorLink goes here at integration.
    keyweld::StandInEditorLink link(workingDirectory);

    const keyweld::ProgramInfo info{QStringLiteral("Keyweld"), QStringLiteral(KEYWELD_VERSION),
                                    QStringLiteral("Copyright (C) 2026 The Panelink developers")};
    keyweld::MainWindow window(workingDirectory, link, info);
    window.show();
    return QApplication::exec();
}
