#include "render/GlyphSet.h"

namespace render {

rt::Ref<ui::Image> GlyphSet::glyph(const std::string& name) {
    if (auto found = _loaded.find(name); found != _loaded.end()) return found->second;
    rt::Ref<ui::Image> image =
        ui::Image::imageWithContentsOfFile(_bundle + "/" + name + "Icon.png");
    if (image && image->isEmpty()) image = nullptr;
    _loaded[name] = image;
    return image;
}

}  // namespace render
