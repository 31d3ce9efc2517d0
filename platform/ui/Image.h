#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
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
// shows it. Images are immutable; images made from one another share their pixels.
class Image : public rt::Object {
  public:
    static constexpr const char* kClassName = "UIImage";

    // "UIImageRenderingMode" values.
    enum class RenderingMode : long { Automatic = 0, AlwaysOriginal = 1, AlwaysTemplate = 2 };

    Image();  // an empty image ("[UIImage new]")
    Image(std::shared_ptr<const Bitmap> bitmap, double scale, RenderingMode mode);

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
    // The same for a file of this machine (used for a path already mapped).
    static rt::Ref<Image> imageWithFileAtHostPath(const std::filesystem::path& path,
                                                  double scale = 1);
    // An image decoded from PNG bytes, or null when they are not a PNG image.
    static rt::Ref<Image> imageWithPngData(const std::vector<std::uint8_t>& bytes,
                                           double scale = 1);

    // "imageWithRenderingMode:": a new image with the same pixels.
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
    void setResourceName(std::string name) { _resourceName = std::move(name); }

  private:
    std::shared_ptr<const Bitmap> _bitmap;
    double _scale;
    RenderingMode _renderingMode;
    std::string _resourceName;
};

}  // namespace ui
