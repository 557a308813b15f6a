#include "keyweld/editor/cell_text.h"

#include "shared/formats/shortcut_files.h"

namespace keyweld {

int columnCount(GridKind grid) {
    return grid == GridKind::Both ? 2 : 1;
}

CellKind cellKind(GridKind grid, int column) {
    switch (grid) {
        case GridKind::Tag:
            return CellKind::Tag;
        case GridKind::Command:
            return CellKind::Command;
        case GridKind::Both:
            break;
    }
    return column == kBothTagColumn ? CellKind::Tag : CellKind::Command;
}

std::string firstCharacters(std::string_view text, std::size_t count) {
    std::size_t characters = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const bool continuation = (static_cast<unsigned char>(text[i]) & 0xC0) == 0x80;
        if (!continuation && characters++ == count) return std::string(text.substr(0, i));
    }
    return std::string(text);
}

std::string upperAscii(std::string_view text) {
    std::string upper(text);
    for (char& c : upper) {
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    }
    return upper;
}

std::string cellTextFor(CellKind kind, std::string_view text) {
    const std::string line = commo::withoutLineBreaks(text);
    return kind == CellKind::Tag ? firstCharacters(line, commo::kShortcutTagLimit)
                                 : upperAscii(line);
}

}  // namespace keyweld
