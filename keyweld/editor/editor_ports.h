#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace keyweld {

// What became of a key's text handed to the serial link.
enum class SendResult { Sent, PortClosed, WriteFailed };

// A file the editor could not write, named as the user knows it (a name below CommoFiles).
struct FileWriteFailure {
    std::string fileName;
};

// The editor's serial link, its Tx/Rx log and its settings file, as the main window uses them.
class EditorLink {
  public:
    virtual ~EditorLink() = default;
    virtual bool portOpen() const = 0;
    // The whole text in one write; never called with an empty text. Also while the port is
    // closed: the link logs every send in its Tx/Rx log, with a marker when it did not go out.
    virtual SendResult sendText(std::string_view text) = 0;
    // Shows the log window (cleared) when hidden, hides it when shown.
    virtual void toggleLog() = 0;
    // The Configuration dialog, modal; the port state may differ afterwards.
    virtual void openConfiguration() = 0;
    // The stored view mode as written in the settings file; 2 when it has none.
    virtual int readViewMode() = 0;
    virtual std::optional<FileWriteFailure> writeViewMode(int mode) = 0;
};

// The editor's questions; the window answers them with a Yes/No box.
enum class Question { CancelEditing, SaveFile };

std::string_view questionText(Question question);

class EditorQuestions {
  public:
    virtual ~EditorQuestions() = default;
    // True for Yes.
    virtual bool ask(Question question) = 0;
};

}  // namespace keyweld
