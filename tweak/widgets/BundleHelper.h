#pragma once

#include <string>

#include "foundation/Bundle.h"
#include "rt/Ref.h"
#include "ui/Image.h"

namespace morvane {

// The library's resource bundle: its template images and localized strings. Class
// operations only. Nothing is cached here: every call asks for the bundle by its path again,
// so a bundle replaced on disk is seen at once (the platform hands out one bundle per path and
// holds its directory open while a watch on the path says it is still the one there; the same
// watch tells when an image file of it changed, until when its image is handed out again). A
// missing bundle or resource gives null (an empty string for a string).
class BundleHelper {
  public:
    static constexpr const char* kBundlePath = "/Library/Application Support/MorvaneBundle.bundle";

    BundleHelper() = delete;

    // "getBundle": the bundle at kBundlePath, or null when it is not installed.
    static rt::Ref<ui::Bundle> getBundle();
    // "getImageWithName:": "<name>.png" of the bundle as a template image (drawn in the tint
    // colour of the view that shows it), or null. A glyph is kept at most 256 pixels a side
    // whatever the file holds.
    static rt::Ref<ui::Image> getImageWithName(const std::string& name);
    // "getLocalizedStringFor:": the key's text in the phone's language, the key itself when
    // no table has it, or empty without a bundle.
    static std::string getLocalizedStringFor(const std::string& key);
};

}  // namespace morvane
