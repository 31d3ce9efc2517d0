#include "tweak/widgets/BundleHelper.h"

namespace morvane {

namespace {

constexpr const char* kImageType = "png";
// The bundle's images are glyphs shown at most about 60 points wide on a 3x screen.
constexpr std::uint32_t kGlyphPixelSide = 256;

}  // namespace

rt::Ref<ui::Bundle> BundleHelper::getBundle() {
    return ui::Bundle::bundleWithPath(kBundlePath);
}

rt::Ref<ui::Image> BundleHelper::getImageWithName(const std::string& name) {
    const rt::Ref<ui::Image> image =
        ui::Image::imageWithResourceOfBundle(kBundlePath, name + "." + kImageType, kGlyphPixelSide);
    if (!image) return nullptr;
    return image->imageWithRenderingMode(ui::Image::RenderingMode::AlwaysTemplate);
}

std::string BundleHelper::getLocalizedStringFor(const std::string& key) {
    const rt::Ref<ui::Bundle> bundle = getBundle();
    if (!bundle) return {};
    return bundle->localizedStringForKey(key, key, {});
}

}  // namespace morvane
