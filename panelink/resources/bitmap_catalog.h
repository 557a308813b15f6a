#pragma once

#include <span>

namespace panelink {

// One bitmap of the program's artwork: loaded as ":/bitmaps/<number>.png". Pure green
// (RGB 0, 255, 0) is its transparent colour.
struct BitmapInfo {
    int number = 0;
    int width = 0;
    int height = 0;
    const char* description = "";
};

// Every bitmap the program uses, in ascending number order.
std::span<const BitmapInfo> bitmapCatalog();

// The catalog entry of a bitmap number, or nullptr when the program has no such bitmap.
const BitmapInfo* findBitmap(int number);

}  // namespace panelink
