#pragma once

#include <memory>
#include <string>

#include "render/Picture.h"

// Encodes pictures as JPEG (libjpeg-turbo): fast enough to send a picture after every
// change. Opaque pictures only (the screen); one encoder per thread.
class JpegEncoder {
  public:
    static constexpr int kQuality = 85;

    JpegEncoder();
    ~JpegEncoder();
    JpegEncoder(const JpegEncoder&) = delete;
    JpegEncoder& operator=(const JpegEncoder&) = delete;

    // The picture's pixels, each multiplied by `light` (0…1: 1 leaves them as they are).
    // Throws std::runtime_error when the library fails.
    std::string encode(const render::Picture& picture, double light = 1.0);

  private:
    struct Handle;
    std::unique_ptr<Handle> _handle;
};
