#include "OpenMenu.h"

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

rt::Ref<ui::View> OpenMenu::editor(const char* getter) {
    for (const auto& row : rows()) {
        if (auto found = rt::cast<ui::View>(rowProperty(row, getter))) return found;
    }
    return nullptr;
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
    std::vector<std::string> names;
    auto view = rt::cast<ui::View>(rowProperty(row, "enabledTogglesView"));
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
