#pragma once

#include <map>
#include <string>

#include "rt/Make.h"
#include "rt/MethodBinding.h"
#include "ui/Control.h"
#include "ui/Image.h"
#include "ui/ImageView.h"
#include "ui/Label.h"

namespace ui {

// A push button ("UIButton") with an image and a title per control state. A state without
// its own image or title shows the normal state's. The image view and the title label are
// made on first use and fill the button (the image on the leading side when both show).
// A highlighted button dims its image when adjustsImageWhenHighlighted is set.
class Button : public Control {
  public:
    static constexpr const char* kClassName = "UIButton";

    // "UIButtonType" values.
    enum class Type : long {
        Custom = 0,
        System = 1,
        DetailDisclosure = 2,
        InfoLight = 3,
        InfoDark = 4,
        ContactAdd = 5,
        Close = 7
    };

    Button();
    explicit Button(const Rect& frame);

    // "buttonWithType:": a button of the class asked for (a subclass names its own type).
    template <class T = Button>
    static rt::Ref<T> buttonWithType(Type type) {
        rt::Ref<T> button = rt::make<T>();
        button->setButtonType(type);
        return button;
    }

    Type buttonType() const { return _type; }
    void setButtonType(Type type) { _type = type; }

    void setImage(rt::Ref<Image> image, unsigned long state);
    rt::Ref<Image> imageForState(unsigned long state) const;
    rt::Ref<Image> currentImage() const { return imageForState(this->state()); }
    void setTitle(std::string title, unsigned long state);
    std::string titleForState(unsigned long state) const;
    std::string currentTitle() const { return titleForState(this->state()); }

    // Made on first use.
    rt::Ref<ImageView> imageView();
    rt::Ref<Label> titleLabel();

    bool adjustsImageWhenHighlighted() const { return _adjustsImageWhenHighlighted; }
    void setAdjustsImageWhenHighlighted(bool adjusts);

    // The toolkit's layout ("layoutSubviews"): constraints first, then the image and the
    // title inside the button.
    void layoutSubviews();

    static void registerRuntimeMethods(rt::Class* cls);

  protected:
    void stateDidChange() override;

  private:
    void refreshContent();

    Type _type = Type::Custom;
    std::map<unsigned long, rt::Ref<Image>> _images;
    std::map<unsigned long, std::string> _titles;
    rt::Ref<ImageView> _imageView;
    rt::Ref<Label> _titleLabel;
    bool _adjustsImageWhenHighlighted = true;
};

}  // namespace ui
