#include "OpenMenu.h"

#include <algorithm>

#include "ScriptError.h"
#include "rt/Messaging.h"
#include "springboard/IconMenu.h"
#include "springboard/SBUIAppIconForceTouchShortcutViewController.h"
#include "springboard/SBUILegibilityLabel.h"
#include "ui/Image.h"
#include "ui/Label.h"
#include "ui/StackView.h"

using springboard::IconMenu;
using springboard::SBUIActionView;

std::vector<rt::Ref<SBUIActionView>> OpenMenu::rows() {
    auto controller = IconMenu::shortcutViewController();
    if (!controller) throw ScriptError("no menu is open");
    return controller->rows();
}

rt::Ref<SBUIActionView> OpenMenu::rowTitled(const std::string& title) {
    for (const auto& row : rows()) {
        if (row->titleLabel() && row->titleLabel()->text() == title) return row;
    }
    throw ScriptError("the open menu has no row titled '" + title + "'");
}

rt::Ref<rt::Object> OpenMenu::rowProperty(const rt::Ref<SBUIActionView>& row, const char* getter) {
    const rt::Selector selector = rt::sel(getter);
    if (!rt::respondsToSelector(row, selector)) return nullptr;
    return rt::send<rt::Ref<rt::Object>>(row, selector);
}

// The editor a person would touch: one that is open and not fading out (a closing editor's
// alpha is already 0), the one opened last (the topmost) when there are several.
rt::Ref<ui::View> OpenMenu::editor(const char* getter) {
    rt::Ref<ui::View> touched;
    long touchedIndex = -1;
    for (const auto& row : rows()) {
        auto found = rt::cast<ui::View>(rowProperty(row, getter));
        if (!found || found->alpha() <= 0 || found->isHidden()) continue;
        const auto parent = found->superview();
        long index = 0;
        if (parent) {
            const auto& siblings = parent->subviews();
            const auto at = std::find(siblings.begin(), siblings.end(), found);
            index = static_cast<long>(at - siblings.begin());
        }
        if (index > touchedIndex) {
            touched = found;
            touchedIndex = index;
        }
    }
    return touched;
}

rt::Ref<ui::View> OpenMenu::editorPart(const char* editorGetter, const char* part) {
    rt::Ref<ui::View> open = editor(editorGetter);
    if (!open) throw ScriptError(std::string("no ") + editorGetter + " editor is open");
    const rt::Selector selector = rt::sel(part);
    if (!rt::respondsToSelector(open, selector)) return nullptr;
    return rt::cast<ui::View>(rt::send<rt::Ref<rt::Object>>(open, selector));
}

rt::Ref<ui::Slider> OpenMenu::slider() {
    auto found = rt::cast<ui::Slider>(editorPart("sliderView", "slider"));
    if (!found) throw ScriptError("the open slider editor has no slider");
    return found;
}

rt::Ref<ui::View> OpenMenu::toggleButton(const std::string& name) {
    auto button = editorPart("togglesView", (name + "ToggleButton").c_str());
    if (!button) throw ScriptError("the toggles editor has no button '" + name + "'");
    return button;
}

rt::Ref<ui::View> OpenMenu::shownToggleButton(const std::string& name) {
    auto button = toggleButton(name);
    if (!button->superview() || button->isHidden())
        throw ScriptError("the open toggles editor does not show the button '" + name + "'");
    return button;
}

ui::Point OpenMenu::thumbAt(const ui::Slider& slider, double level) {
    const double track = std::max(1.0, slider.bounds().width() - ui::Slider::kThumbDiameter);
    const double range = static_cast<double>(slider.maximumValue()) - slider.minimumValue();
    const double fraction = range > 0 ? (level - slider.minimumValue()) / range : 0;
    const double along = ui::Slider::kThumbDiameter / 2 + fraction * track;
    const double x = slider.isRightToLeft() ? slider.bounds().width() - along : along;
    return slider.convertPointToView({x, slider.bounds().height() / 2}, nullptr);
}

// A view's frame in the coordinates of the open menu's controller's view.
ui::Rect OpenMenu::frameInMenu(const ui::View& view) {
    const auto controller = springboard::IconMenu::shortcutViewController();
    const auto menuView = controller ? controller->view() : rt::Ref<ui::View>();
    const ui::Point origin = view.convertPointToView(view.bounds().origin, nullptr);
    const ui::Point menuOrigin =
        menuView ? menuView->convertPointToView(menuView->bounds().origin, nullptr) : ui::Point{};
    return ui::Rect(origin.x - menuOrigin.x, origin.y - menuOrigin.y, view.bounds().width(),
                    view.bounds().height());
}

std::string OpenMenu::iconName(const rt::Ref<SBUIActionView>& row) {
    auto* action = row->action().get();
    const rt::Selector selector = rt::sel("image");
    if (!action || !rt::respondsToSelector(action, selector)) return "none";
    auto image = rt::cast<ui::Image>(rt::send<rt::Ref<rt::Object>>(action, selector));
    if (!image) return "none";
    return image->resourceName().empty() ? "unnamed" : image->resourceName();
}

// The buttons sit in the stack of the row's enabled-toggles view (the library's row of icons
// under the Toggles entry).
std::vector<std::string> OpenMenu::enabledToggleNames(const rt::Ref<SBUIActionView>& row) {
    return shownToggleNames(rt::cast<ui::View>(rowProperty(row, "enabledTogglesView")));
}

std::vector<std::string> OpenMenu::shownToggleNames(const rt::Ref<ui::View>& view) {
    std::vector<std::string> names;
    if (!view) return names;
    const rt::Selector toggleName = rt::sel("toggleName");
    for (const auto& subview : view->subviews()) {
        auto* stack = rt::cast<ui::StackView>(subview.get());
        if (!stack) continue;
        for (const auto& button : stack->arrangedSubviews()) {
            if (rt::respondsToSelector(button, toggleName))
                names.push_back(rt::send<std::string>(button, toggleName));
        }
    }
    return names;
}

std::string OpenMenu::editorName(const rt::Ref<SBUIActionView>& row) {
    return rowProperty(row, "sliderView")    ? "slider"
           : rowProperty(row, "togglesView") ? "toggles"
                                             : "none";
}

std::string OpenMenu::join(const std::vector<std::string>& words) {
    std::string text;
    for (const auto& word : words) text += (text.empty() ? "" : "|") + word;
    return text;
}
