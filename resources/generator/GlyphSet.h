#pragma once

#include "Glyph.h"

#include <span>

// Every template image of MorvaneBundle.bundle, in a fixed order.
class GlyphSet {
  public:
    static std::span<const Glyph> all();
};
