#pragma once

#include <string_view>

class GlyphCanvas;

// One template image of the bundle: its file name (without ".png") and the function that draws it.
struct Glyph {
    std::string_view name;
    void (*draw)(GlyphCanvas& canvas);
};
