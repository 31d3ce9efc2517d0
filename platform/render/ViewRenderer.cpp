#include "render/ViewRenderer.h"

#include <algorithm>
#include <cmath>
#include <type_traits>

#include "render/ImagePainter.h"
#include "render/LabelPainter.h"
#include "render/Shapes.h"
#include "render/SliderPainter.h"
#include "ui/Button.h"
#include "ui/ImageView.h"
#include "ui/ScrollView.h"

namespace render {

namespace {

// Views less opaque than this are not drawn (nor hit by touches on the phone).
constexpr double kInvisibleAlpha = 0.01;
// A highlighted button's dimmed image.
constexpr double kDimmedImageAlpha = 0.5;

bool isDrawable(const ui::View& view) {
    const ui::AffineTransform& t = view.transform();
    const double determinant = t.a * t.d - t.b * t.c;
    return !view.isHidden() && view.alpha() >= kInvisibleAlpha && std::isfinite(determinant) &&
           std::fabs(determinant) > 1e-12 && std::isfinite(t.tx) && std::isfinite(t.ty) &&
           std::isfinite(view.center().x) && std::isfinite(view.center().y) &&
           Shapes::isFinite(view.bounds());
}

// A button makes its image view and title label when it first lays out its content, as the
// phone's does; one that was never laid out gets them here, placed by the toolkit's layout.
// A system button's title takes its tint, as on the phone.
void prepareButton(ui::View& view) {
    auto* button = rt::cast<ui::Button>(&view);
    if (!button) return;
    const auto& subviews = button->subviews();
    auto has = [&](auto* kind) {
        using Kind = std::remove_pointer_t<decltype(kind)>;
        return std::any_of(subviews.begin(), subviews.end(),
                           [](const rt::Ref<ui::View>& v) { return rt::cast<Kind>(v.get()); });
    };
    const bool makesImage = button->currentImage() && !has(static_cast<ui::ImageView*>(nullptr));
    const bool makesTitle =
        !button->currentTitle().empty() && !has(static_cast<ui::Label*>(nullptr));
    if (!makesImage && !makesTitle) return;
    if (makesImage) button->imageView();
    if (makesTitle && button->buttonType() == ui::Button::Type::System)
        button->titleLabel()->setTextColor(button->tintColor());
    if (makesTitle) button->titleLabel();
    button->layoutSubviews();
}

bool drawImageView(cairo_t* cr, ui::View& view) {
    auto* imageView = rt::cast<ui::ImageView>(&view);
    if (!imageView) return false;
    if (const rt::Ref<ui::Image>& image = imageView->image()) {
        const rt::Ref<ui::Color> tint = imageView->renderingColor();
        ImagePainter::draw(
            cr, *image, ui::Rect(0, 0, view.bounds().width(), view.bounds().height()),
            view.contentMode(), tint.get(), imageView->isDimmed() ? kDimmedImageAlpha : 1);
    }
    return true;
}

}  // namespace

ViewRenderer::ViewRenderer() {
    _painters = {&LabelPainter::draw, &SliderPainter::draw, &drawImageView};
}

void ViewRenderer::addContentPainter(ContentPainter painter) {
    _painters.insert(_painters.begin(), std::move(painter));
}

void ViewRenderer::draw(cairo_t* cr, ui::View& root) const {
    root.layoutIfNeeded();
    drawView(cr, root);
}

Picture ViewRenderer::render(ui::View* root, double scale) const {
    if (!root) return Picture(1, 1, scale);
    Picture picture(root->bounds().width(), root->bounds().height(), scale);
    CairoContext context = picture.context();
    root->layoutIfNeeded();
    // The root drawn at the picture's origin, whatever its frame in a superview.
    cairo_translate(context.get(), -(root->center().x - root->bounds().width() / 2),
                    -(root->center().y - root->bounds().height() / 2));
    drawView(context.get(), *root);
    return picture;
}

void ViewRenderer::drawView(cairo_t* cr, ui::View& view) const {
    if (!isDrawable(view)) return;
    const ui::Rect& bounds = view.bounds();
    const ui::AffineTransform& t = view.transform();
    cairo_save(cr);
    cairo_translate(cr, view.center().x, view.center().y);
    cairo_matrix_t matrix;
    cairo_matrix_init(&matrix, t.a, t.b, t.c, t.d, t.tx, t.ty);
    cairo_transform(cr, &matrix);
    cairo_translate(cr, -bounds.width() / 2, -bounds.height() / 2);
    const bool fades = view.alpha() < 1;
    if (fades) cairo_push_group(cr);

    const ui::Rect local(0, 0, bounds.width(), bounds.height());
    const ui::Layer& layer = *view.layer();
    if (const rt::Ref<ui::Color>& background = view.backgroundColor();
        background && background->components().alpha > 0) {
        Shapes::setColor(cr, background.get());
        Shapes::roundedRectangle(cr, local, layer.cornerRadius());
        cairo_fill(cr);
    }
    drawContent(cr, view);
    prepareButton(view);

    cairo_save(cr);
    // A scroll view clips its content, as the phone's does unless told otherwise.
    if (layer.masksToBounds() || rt::cast<ui::ScrollView>(&view)) {
        Shapes::roundedRectangle(cr, local, layer.cornerRadius());
        cairo_clip(cr);
    }
    cairo_translate(cr, -bounds.x(), -bounds.y());
    for (const rt::Ref<ui::View>& subview : std::vector<rt::Ref<ui::View>>(view.subviews()))
        drawView(cr, *subview);
    cairo_restore(cr);

    if (layer.borderWidth() > 0 && std::isfinite(layer.borderWidth()) && layer.borderColor()) {
        const double inset = layer.borderWidth() / 2;
        Shapes::setColor(cr, layer.borderColor().get());
        Shapes::roundedRectangle(cr, local.insetBy(inset, inset), layer.cornerRadius() - inset);
        cairo_set_line_width(cr, layer.borderWidth());
        cairo_stroke(cr);
    }
    if (fades) {
        cairo_pop_group_to_source(cr);
        cairo_paint_with_alpha(cr, view.alpha());
    }
    cairo_restore(cr);
}

void ViewRenderer::drawContent(cairo_t* cr, ui::View& view) const {
    for (const ContentPainter& painter : _painters) {
        cairo_save(cr);
        const bool drawn = painter(cr, view);
        cairo_restore(cr);
        if (drawn) return;
    }
}

}  // namespace render
