#pragma once

#include <cairo.h>

#include <functional>
#include <vector>

#include "render/Picture.h"
#include "ui/View.h"

namespace render {

// Draws a view tree of the UI toolkit as the phone composes it: each view at its centre with
// its transform, its background (rounded by the layer's corner radius), the content its class
// adds (a label's text, an image view's image, a slider's track and thumb), its subviews in
// order (clipped when it clips), its border; a view with alpha below 1 is drawn as a group
// and faded as one. Hidden views, views whose alpha is under 0.01, collapsed transforms and
// geometry that is not a number draw nothing.
//
// The classes drawn with content of their own are extensible: a later class (a switch, a
// settings cell) adds a ContentPainter and the rest of the tree is drawn as before.
class ViewRenderer {
  public:
    // Draws `view`'s own content in its bounds' coordinates (the background is drawn
    // already); answers false when the view is not of the painter's class.
    using ContentPainter = std::function<bool(cairo_t* cr, ui::View& view)>;

    // A renderer with the toolkit's painters: labels, image views, sliders.
    ViewRenderer();

    // Tried before the ones already there.
    void addContentPainter(ContentPainter painter);

    // Lays the tree out where it needs it, as the phone does before a frame, then draws the
    // root at its frame in the context's current coordinates (points).
    void draw(cairo_t* cr, ui::View& root) const;
    // A picture of the root's bounds at `scale` pixels per point; the root's background (if
    // any) over transparency. A null root gives a transparent 1-point picture.
    Picture render(ui::View* root, double scale) const;

  private:
    void drawView(cairo_t* cr, ui::View& view) const;
    void drawContent(cairo_t* cr, ui::View& view) const;

    std::vector<ContentPainter> _painters;  // newest first
};

}  // namespace render
