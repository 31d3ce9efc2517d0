#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "rt/Object.h"
#include "rt/Ref.h"
#include "ui/Size.h"

namespace ui {

class Bundle;

// Decoded pixels: 8-bit RGBA, rows top to bottom, straight (not premultiplied) alpha.
struct Bitmap {
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    std::vector<std::uint8_t> rgba;
    // Source pixels a side per pixel here: more than 1 for a file reduced to fit a bound.
    std::uint32_t reduction = 1;
};

// An image ("UIImage"): decoded pixels, the scale they were drawn for and how they are
// rendered. A template image draws its shape (alpha) in the tint colour of the view that
// shows it. Images are immutable; images made from one another share their pixels, and one
// image may be handed out to many callers.
class Image : public rt::Object {
  public:
    static constexpr const char* kClassName = "UIImage";

    // "UIImageRenderingMode" values.
    enum class RenderingMode : long { Automatic = 0, AlwaysOriginal = 1, AlwaysTemplate = 2 };

    Image();  // an empty image ("[UIImage new]")
    Image(std::shared_ptr<const Bitmap> bitmap, double scale, RenderingMode mode,
          std::string resourceName = {});

    // Longest side, in pixels, of an image read from a file: a larger picture is reduced to
    // fit when it is decoded (keeping its size in points), so no file costs more than this.
    static constexpr std::uint32_t kMaximumPixelSide = 1024;

    // "imageWithContentsOfFile:": a device path, read under the device root. The scale comes
    // from an "@2x" or "@3x" suffix of the file name. Null for a missing, unreadable or
    // corrupt file, or one that is not a PNG image.
    // A file is read and decoded once while it stays the same (same inode, size and
    // modification time), a failure included; replacing or rewriting it is seen at the next
    // call. At most maximumPixelSide pixels a side are kept (see kMaximumPixelSide).
    static rt::Ref<Image> imageWithContentsOfFile(
        const std::string& devicePath, std::uint32_t maximumPixelSide = kMaximumPixelSide);
    // The same for the resource file `fileName` of a bundle (at its top level, else in its
    // preferred localizations), opened relative to the bundle's directory held open (as it
    // was when the bundle was made by bundleWithPath, which checks it): a plain file whose
    // pixels are kept for its version costs one status call.
    static rt::Ref<Image> imageWithResource(const Bundle& bundle, const std::string& fileName,
                                            std::uint32_t maximumPixelSide = kMaximumPixelSide);
    // The same for the resource file `fileName` of the bundle at bundlePath, the bundle asked
    // for by its path at every call (as bundleWithPath does; null when none is there). The
    // image of a plain file at the bundle's top level is kept with the bundle's directory and
    // handed out again while the directory's watch reports neither that file nor the
    // directory's entries changed: a repeated load costs one read of the watch.
    static rt::Ref<Image> imageWithResourceOfBundle(
        const std::string& bundlePath, const std::string& fileName,
        std::uint32_t maximumPixelSide = kMaximumPixelSide);
    // The same for a file of this machine (used for a path already mapped).
    static rt::Ref<Image> imageWithFileAtHostPath(const std::filesystem::path& path,
                                                  double scale = 1);
    // An image decoded from PNG bytes, or null when they are not a PNG image.
    static rt::Ref<Image> imageWithPngData(const std::vector<std::uint8_t>& bytes,
                                           double scale = 1);

    // "imageWithRenderingMode:": an image with the same pixels rendered so; made once per
    // image and mode, then handed out again.
    rt::Ref<Image> imageWithRenderingMode(RenderingMode mode) const;

    RenderingMode renderingMode() const { return _renderingMode; }
    bool isTemplate() const { return _renderingMode == RenderingMode::AlwaysTemplate; }
    double scale() const { return _scale; }
    // Size in points (pixels divided by the scale).
    Size size() const;
    std::uint32_t pixelWidth() const { return _bitmap ? _bitmap->width : 0; }
    std::uint32_t pixelHeight() const { return _bitmap ? _bitmap->height : 0; }
    const Bitmap* bitmap() const { return _bitmap.get(); }
    bool isEmpty() const { return !_bitmap || _bitmap->width == 0; }
    // The name of the resource file the pixels were read from, without its scale suffix and
    // extension ("volumeIcon" for ".../volumeIcon@2x.png"); empty for an image not read from
    // a file. Kept by the images made from this one.
    const std::string& resourceName() const { return _resourceName; }

  private:
    std::shared_ptr<const Bitmap> _bitmap;
    double _scale;
    RenderingMode _renderingMode;
    std::string _resourceName;
    // The images in the other rendering modes, by mode, made on first use.
    mutable std::mutex _variantsMutex;
    mutable std::array<rt::Ref<Image>, 3> _variants;
};

}  // namespace ui
