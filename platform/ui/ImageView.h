#pragma once

#include "ui/Image.h"
#include "ui/View.h"

namespace ui {

// A view that shows an image ("UIImageView"). It takes no touches by default. A template
// image is shown in the view's tint colour.
class ImageView : public View {
  public:
    static constexpr const char* kClassName = "UIImageView";

    ImageView();
    explicit ImageView(const Rect& frame);
    explicit ImageView(rt::Ref<Image> image);  // "initWithImage:": sized to the image

    const rt::Ref<Image>& image() const { return _image; }
    void setImage(rt::Ref<Image> image);
    // Whether the image is drawn dimmed (a highlighted button that dims its image).
    bool isDimmed() const { return _dimmed; }
    void setDimmed(bool dimmed) { _dimmed = dimmed; }
    // The colour the image is drawn in: the tint colour for a template image, else none.
    rt::Ref<Color> renderingColor() const;

  private:
    rt::Ref<Image> _image;
    bool _dimmed = false;
};

}  // namespace ui
