#pragma once

#include <map>
#include <string>

#include "rt/Ref.h"
#include "ui/Image.h"

namespace render {

// The bundle's template glyphs ("wifiIcon.png", "volumeIcon.png"), read from a bundle of the
// device root once per screen drawn. A missing or broken glyph answers null.
class GlyphSet {
  public:
    explicit GlyphSet(std::string bundleDevicePath) : _bundle(std::move(bundleDevicePath)) {}

    // The glyph "<name>Icon.png" of the bundle.
    rt::Ref<ui::Image> glyph(const std::string& name);

  private:
    std::string _bundle;
    std::map<std::string, rt::Ref<ui::Image>> _loaded;
};

}  // namespace render
