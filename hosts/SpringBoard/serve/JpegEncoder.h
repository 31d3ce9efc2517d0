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

    // Throws std::runtime_error when the library fails.
    std::string encode(const render::Picture& picture);

  private:
    struct Handle;
    std::unique_ptr<Handle> _handle;
};
