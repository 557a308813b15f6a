#pragma once

// A link and a question box for tests: they record what the editor hands them and answer as
// told.

#include <deque>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "keyweld/editor/editor_ports.h"

namespace keyweld {

class FakeEditorLink final : public EditorLink {
  public:
    bool portOpen() const override { return open; }
    // Every text handed over, whether the port was open or not.
    SendResult sendText(std::string_view text) override {
        sent.emplace_back(text);
        return open ? SendResult::Sent : SendResult::PortClosed;
    }
    void toggleLog() override { ++logToggles; }
    void openConfiguration() override { ++configurations; }
    int readViewMode() override { return storedViewMode; }
    std::optional<FileWriteFailure> writeViewMode(int mode) override {
        writtenViewModes.push_back(mode);
        return viewModeFailure;
    }

    bool open = true;
    int storedViewMode = 2;
    std::optional<FileWriteFailure> viewModeFailure;
    std::vector<std::string> sent;
    std::vector<int> writtenViewModes;
    int logToggles = 0;
    int configurations = 0;
};

class ScriptedQuestions final : public EditorQuestions {
  public:
    bool ask(Question question) override {
        asked.push_back(question);
        if (answers.empty()) return false;
        const bool answer = answers.front();
        answers.pop_front();
        return answer;
    }

    std::deque<bool> answers;  // No once they run out
    std::vector<Question> asked;
};

}  // namespace keyweld
