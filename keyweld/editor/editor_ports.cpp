#include "keyweld/editor/editor_ports.h"

namespace keyweld {

std::string_view questionText(Question question) {
    switch (question) {
        case Question::CancelEditing:
            return "Do you cancel editing?";
        case Question::SaveFile:
            return "Do you want to save the file?";
    }
    return {};
}

}  // namespace keyweld
