#include "MenuQuantities.h"

#include <dlfcn.h>

#include <cstdio>

#include "OpenMenu.h"
#include "ScriptError.h"
#include "device/Phone.h"
#include "rt/Fields.h"
#include "rt/Messaging.h"
#include "springboard/IconMenu.h"
#include "springboard/SBUIAppIconForceTouchShortcutViewController.h"
#include "springboard/SBUILegibilityLabel.h"
#include "ui/Label.h"

namespace {

using springboard::IconMenu;

// The dark-mode appearance the loaded library detected, read through the C symbols it
// exports, as a debugger would: the host does not link the library.
std::string darkMode() {
    using NameQuery = const char* (*)();
    using FlagQuery = bool (*)();
    auto name = reinterpret_cast<NameQuery>(::dlsym(RTLD_DEFAULT, "MorvaneDarkModeTweakName"));
    auto enabled = reinterpret_cast<FlagQuery>(::dlsym(RTLD_DEFAULT, "MorvaneDarkModeEnabled"));
    if (!name || !enabled) throw ScriptError("darkMode: the library is not loaded");
    const char* text = name();
    return enabled() && text ? std::string(text) : std::string("none");
}

std::string frameText(const ui::Rect& frame) {
    char text[128];
    std::snprintf(text, sizeof text, "%g %g %g %g", frame.x(), frame.y(), frame.width(),
                  frame.height());
    return text;
}

double visible(const ui::View* view) {
    return view && !view->isHidden() && view->alpha() >= 0.5 ? 1.0 : 0.0;
}

QuantityValue legibleSubtitle(const std::string& title) {
    const auto row = OpenMenu::rowTitled(title);
    if (!rt::hasField(row.get(), "_legibilityTreatedSubtitleLabel")) return std::string("none");
    auto* label = rt::cast<ui::Label>(rt::getField(row.get(), "_legibilityTreatedSubtitleLabel"));
    if (!label) throw ScriptError("the row's legibility-treated subtitle holds no label");
    return label->text();
}

QuantityValue contentFrame(const std::string& title) {
    const auto row = OpenMenu::rowTitled(title);
    const rt::Selector selector = rt::sel("getContentFrame");
    if (!rt::respondsToSelector(row, selector)) return std::string("none");
    return frameText(rt::send<ui::Rect>(row, selector));
}

// The open menu's platter (the shortcut view controller's view) on the screen, in points.
QuantityValue menuFrame() {
    const auto controller = springboard::IconMenu::shortcutViewController();
    if (!springboard::IconMenu::isOpen() || !controller || !controller->isViewLoaded())
        return std::string("none");
    const rt::Ref<ui::View> platter = controller->view();
    const ui::Point origin = platter->convertPointToView({0, 0}, nullptr);
    const ui::Rect bounds = platter->bounds();
    return frameText(ui::Rect(origin.x, origin.y, bounds.width(), bounds.height()));
}

QuantityValue editorFrame() {
    rt::Ref<ui::View> editor = OpenMenu::editor("sliderView");
    if (!editor) editor = OpenMenu::editor("togglesView");
    return editor ? frameText(editor->frame()) : std::string("none");
}

// "toggle.<name>": the button's state; "toggle.<name>.shown": whether it is in the row.
QuantityValue toggle(std::string name) {
    const bool shown = name.ends_with(".shown");
    if (shown) name.resize(name.size() - 6);
    rt::Ref<ui::View> button = OpenMenu::toggleButton(name);
    if (shown) return button->superview() ? 1.0 : 0.0;
    return static_cast<double>(rt::send<int>(button, rt::sel("currentState")));
}

QuantityValue frameOf(const ui::View* view) {
    return view ? QuantityValue(frameText(OpenMenu::frameInMenu(*view))) : std::string("none");
}

// 1 when a person sees the row's title, subtitle and image: each not hidden, and at alpha 0.5
// or more together with every view up to the row.
QuantityValue contentVisible(const std::string& title) {
    const auto row = OpenMenu::rowTitled(title);
    const auto seen = [&](const ui::View* view) {
        double alpha = 1;
        for (const ui::View* each = view; each && each != row.get(); each = each->superview().get()) {
            if (each->isHidden()) return false;
            alpha *= each->alpha();
        }
        return view && alpha >= 0.5;
    };
    const bool visibleAll = seen(row->titleLabel().get()) && seen(row->subtitleLabel().get()) &&
                            seen(row->imageView().get());
    return visibleAll ? 1.0 : 0.0;
}

QuantityValue orNone(const std::string& text) {
    return text.empty() ? std::string("none") : text;
}

// The menu and its rows.
std::vector<ScriptQuantity> rowQuantities() {
    using S = const std::string&;
    return {
        {"menu", false, [](S) { return QuantityValue(IconMenu::isOpen() ? "open" : "closed"); },
         "open or closed"},
        {"menu.items", true,
         [](S) { return QuantityValue(OpenMenu::join(IconMenu::lastItemTitles())); },
         "the titles of the last press's items, joined by |"},
        {"menu.subtitle.<title>", true,
         [](S title) { return QuantityValue(OpenMenu::rowTitled(title)->subtitleLabel()->text()); },
         "that row's subtitle"},
        {"menu.legibleSubtitle.<title>", true, [](S title) { return legibleSubtitle(title); },
         "that row's legibility-treated subtitle, or none"},
        {"menu.icon.<title>", true,
         [](S title) { return QuantityValue(OpenMenu::iconName(OpenMenu::rowTitled(title))); },
         "the resource name of that row's image, or none"},
        {"enabledToggles", true,
         [](S) {
             return orNone(
                 OpenMenu::join(OpenMenu::enabledToggleNames(OpenMenu::rowTitled("Toggles"))));
         },
         "the Toggles row's toggle icons, joined by |, or none"},
        {"darkMode", true, [](S) { return QuantityValue(darkMode()); },
         "none, dune, noctis or carbon: what the library detected"},
        {"editor.<title>", true,
         [](S title) { return QuantityValue(OpenMenu::editorName(OpenMenu::rowTitled(title))); },
         "none, slider or toggles"},
        {"highlighted.<title>", false,
         [](S title) {
             return QuantityValue(OpenMenu::rowTitled(title)->isHighlighted() ? 1.0 : 0.0);
         },
         "0 or 1"},
    };
}

// The open editor and what the user's touches did.
std::vector<ScriptQuantity> editorQuantities() {
    using S = const std::string&;
    return {
        {"frame.content.<title>", true, [](S title) { return contentFrame(title); },
         "that row's content frame, x y width height, or none"},
        {"frame.title.<title>", true,
         [](S title) { return frameOf(OpenMenu::rowTitled(title)->titleLabel().get()); },
         "that row's title label, x y width height in the controller's view, or none"},
        {"frame.subtitle.<title>", true,
         [](S title) { return frameOf(OpenMenu::rowTitled(title)->subtitleLabel().get()); },
         "that row's subtitle label, x y width height in the controller's view, or none"},
        {"frame.enabledToggles", true,
         [](S) {
             return frameOf(rt::cast<ui::View>(OpenMenu::rowProperty(
                                OpenMenu::rowTitled("Toggles"), "enabledTogglesView"))
                                .get());
         },
         "the Toggles row's row of icons, x y width height in the controller's view, or none"},
        {"content.visible.<title>", false, [](S title) { return contentVisible(title); },
         "1 when that row's title, subtitle and image are seen (not hidden, alpha 0.5 or more)"},
        {"frame.menu", true, [](S) { return menuFrame(); },
         "the open menu's platter on the screen, x y width height in points, or none"},
        {"frame.editor", true, [](S) { return editorFrame(); },
         "the open editor's frame in the controller's view, or none"},
        {"slider.value", false,
         [](S) { return QuantityValue(double{OpenMenu::slider()->value()}); },
         "the open slider's value"},
        {"slider.label", true,
         [](S) {
             auto label = rt::cast<ui::Label>(OpenMenu::editorPart("sliderView", "percentLabel"));
             return QuantityValue(label ? label->text() : std::string("none"));
         },
         "the open slider's percent label"},
        {"slider.label.visible", false,
         [](S) {
             return QuantityValue(
                 visible(OpenMenu::editorPart("sliderView", "percentLabel").get()));
         },
         "0 or 1: not hidden and alpha at least 0.5"},
        {"remove.visible", false,
         [](S) {
             return QuantityValue(
                 visible(OpenMenu::editorPart("sliderView", "removeButton").get()));
         },
         "0 or 1: not hidden and alpha at least 0.5"},
        {"toggle.<toggleName>", false, [](S name) { return toggle(name); },
         "the open toggles editor's button state; toggle.<toggleName>.shown: 0 or 1"},
        {"haptics", false,
         [](S) {
             return QuantityValue(static_cast<double>(device::Phone::shared().impactCount()));
         },
         "impacts given since the start"},
        {"launched", true, [](S) { return orNone(IconMenu::lastLaunched()); },
         "the last app launched from its menu, or none"},
    };
}

}  // namespace

std::vector<ScriptQuantity> MenuQuantities::quantities() {
    std::vector<ScriptQuantity> all = rowQuantities();
    for (auto& quantity : editorQuantities()) all.push_back(std::move(quantity));
    return all;
}
