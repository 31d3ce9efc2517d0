#include "ui/ImageView.h"

namespace ui {

ImageView::ImageView() : ImageView(Rect::zero()) {}

ImageView::ImageView(const Rect& frame) : View(frame) {
    setUserInteractionEnabled(false);
}

ImageView::ImageView(rt::Ref<Image> image) : ImageView(Rect::zero()) {
    if (image) setFrame(Rect(0, 0, image->size().width, image->size().height));
    setImage(std::move(image));
}

void ImageView::setImage(rt::Ref<Image> image) {
    _image = std::move(image);
    noteAnimatableChange("image");
}

rt::Ref<Color> ImageView::renderingColor() const {
    return _image && _image->isTemplate() ? tintColor() : nullptr;
}

}  // namespace ui
