#pragma once

#include <string>

#include "ui/Image.h"
#include "ui/NavigationItem.h"
#include "ui/View.h"

namespace ui {

// The bar at the top of a navigation controller ("UINavigationBar"), 44 points high: its
// background ("barTintColor"), the hairline under it ("shadowImage": an empty image hides
// it), the colour of its buttons (the view's tint colour) and of its title. It shows the
// navigation item of the controller in front.
class NavigationBar : public View {
  public:
    static constexpr const char* kClassName = "UINavigationBar";
    static constexpr double kHeight = 44;
    // The room kept on each side of the title view for the bar's buttons.
    static constexpr double kButtonRoom = 56;

    NavigationBar();

    const rt::Ref<Color>& barTintColor() const { return _barTintColor; }
    void setBarTintColor(rt::Ref<Color> color) { _barTintColor = std::move(color); }
    const rt::Ref<Image>& shadowImage() const { return _shadowImage; }
    void setShadowImage(rt::Ref<Image> image) { _shadowImage = std::move(image); }
    // Whether the hairline shows: no shadow image set, or one that is not empty.
    bool showsHairline() const { return !_shadowImage || !_shadowImage->isEmpty(); }
    // The title's colour ("titleTextAttributes" foreground colour); null: black.
    const rt::Ref<Color>& titleColor() const { return _titleColor; }
    void setTitleColor(rt::Ref<Color> color) { _titleColor = std::move(color); }

    // The item shown, and the views it brings: its title view in the middle and its right
    // button; with a back button titled after the page below when there is one.
    const rt::Ref<NavigationItem>& topItem() const { return _topItem; }
    void showItem(rt::Ref<NavigationItem> item, std::string backTitle = {});
    // The back button's title; empty when the bar shows none.
    const std::string& backTitle() const { return _backTitle; }

    static void registerRuntimeMethods(rt::Class* cls);

  private:
    rt::Ref<Color> _barTintColor;
    rt::Ref<Image> _shadowImage;
    rt::Ref<Color> _titleColor;
    rt::Ref<NavigationItem> _topItem;
    std::string _backTitle;
};

}  // namespace ui
