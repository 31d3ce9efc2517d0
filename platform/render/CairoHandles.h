#pragma once

#include <cairo.h>
#include <pango/pangocairo.h>

#include <memory>

namespace render {

// Owning handles of cairo and Pango objects, released with their owner.
struct CairoContextRelease {
    void operator()(cairo_t* context) const { cairo_destroy(context); }
};
struct CairoSurfaceRelease {
    void operator()(cairo_surface_t* surface) const { cairo_surface_destroy(surface); }
};
struct GObjectRelease {
    void operator()(void* object) const { g_object_unref(object); }
};

using CairoContext = std::unique_ptr<cairo_t, CairoContextRelease>;
using CairoSurface = std::unique_ptr<cairo_surface_t, CairoSurfaceRelease>;
using PangoLayoutHandle = std::unique_ptr<PangoLayout, GObjectRelease>;
using PangoContextHandle = std::unique_ptr<PangoContext, GObjectRelease>;

}  // namespace render
