#pragma once

#include <functional>
#include <optional>

#include "render/Picture.h"
#include "ui/Rect.h"

namespace render_testing {

// Questions about a picture's pixels, answered in points.
class PictureProbe {
  public:
    explicit PictureProbe(const render::Picture& picture) : _picture(picture) {}

    // The bounding box (points) of the pixels that `isInk` picks; none when no pixel does.
    std::optional<ui::Rect> inkBox(const std::function<bool(const render::Pixel&)>& isInk) const {
        int minX = _picture.pixelWidth(), minY = _picture.pixelHeight(), maxX = -1, maxY = -1;
        for (int y = 0; y < _picture.pixelHeight(); ++y) {
            for (int x = 0; x < _picture.pixelWidth(); ++x) {
                if (!isInk(_picture.pixel(x, y))) continue;
                minX = std::min(minX, x);
                maxX = std::max(maxX, x);
                minY = std::min(minY, y);
                maxY = std::max(maxY, y);
            }
        }
        if (maxX < 0) return std::nullopt;
        const double s = _picture.scale();
        return ui::Rect(minX / s, minY / s, (maxX + 1 - minX) / s, (maxY + 1 - minY) / s);
    }

    // The mean luma of the pixels of a rectangle (points).
    double meanLuma(const ui::Rect& area) const {
        const double s = _picture.scale();
        double sum = 0;
        long count = 0;
        for (int y = static_cast<int>(area.minY() * s); y < static_cast<int>(area.maxY() * s);
             ++y) {
            for (int x = static_cast<int>(area.minX() * s); x < static_cast<int>(area.maxX() * s);
                 ++x) {
                sum += _picture.pixel(x, y).luma();
                ++count;
            }
        }
        return count ? sum / count : 0;
    }

    render::Pixel at(double xPoints, double yPoints) const {
        return _picture.pixel(static_cast<int>(xPoints * _picture.scale()),
                              static_cast<int>(yPoints * _picture.scale()));
    }

  private:
    const render::Picture& _picture;
};

inline bool anyInk(const render::Pixel& pixel) {
    return pixel.alpha > 24;
}

}  // namespace render_testing
