#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace keyweld {

// The editor's three grid pairs; the Both pair is the master copy that the files are read into
// and written from.
enum class GridKind { Tag, Command, Both };

// What a single cell holds.
enum class CellKind { Tag, Command };

inline constexpr int kBothTagColumn = 0;
inline constexpr int kBothCommandColumn = 1;

int columnCount(GridKind grid);
CellKind cellKind(GridKind grid, int column);

// The text a cell keeps of what was typed or pasted into it: never CR, LF or NUL (one cell is
// one file line); a tag keeps its first 16 characters; a command has ASCII a-z upper-cased
// and no limit.
std::string cellTextFor(CellKind kind, std::string_view text);

// The first `count` characters of UTF-8 text (a character is never cut in two).
std::string firstCharacters(std::string_view text, std::size_t count);

// ASCII a-z upper-cased; every other byte unchanged.
std::string upperAscii(std::string_view text);

}  // namespace keyweld
