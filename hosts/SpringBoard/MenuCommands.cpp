#include "MenuCommands.h"

#include <algorithm>
#include <cstdio>
#include <ostream>
#include <stdexcept>

#include "OpenMenu.h"
#include "ScriptError.h"
#include "ScriptWords.h"
#include "device/Phone.h"
#include "rt/Messaging.h"
#include "springboard/DeclaredShortcuts.h"
#include "springboard/IconMenu.h"
#include "springboard/MenuAppearance.h"
#include "springboard/SBUILegibilityLabel.h"
#include "ui/Label.h"

namespace {

using springboard::IconMenu;
using springboard::SBUIActionView;

constexpr int kDragSteps = 4;

ui::Point onScreen(const ui::View& view, const ui::Point& point) {
    return view.convertPointToView(point, nullptr);
}

ui::Point centreOf(const ui::View& view) {
    const ui::Rect& b = view.bounds();
    return onScreen(view, {b.x() + b.width() / 2, b.y() + b.height() / 2});
}

ui::Point thumbAt(const ui::Slider& slider, double level) {
    return OpenMenu::thumbAt(slider, level);
}

void drag(double level) {
    rt::Ref<ui::Slider> slider = OpenMenu::slider();
    const ui::Point from = thumbAt(*slider, slider->value());
    const ui::Point to = thumbAt(*slider, level);
    if (!IconMenu::touchDown(from)) throw ScriptError("the touch on the slider closed the menu");
    for (int step = 1; step <= kDragSteps; ++step) {
        const double progress = static_cast<double>(step) / kDragSteps;
        IconMenu::touchMove(
            {from.x + (to.x - from.x) * progress, from.y + (to.y - from.y) * progress});
    }
    IconMenu::touchUp();
}

void touchBegan() {
    rt::Ref<ui::Slider> slider = OpenMenu::slider();
    if (!IconMenu::touchDown(thumbAt(*slider, slider->value())))
        throw ScriptError("the touch on the slider closed the menu");
}

void touchMoved(const std::string& word) {
    const double level = ScriptWords::level(word);
    if (!IconMenu::isTouching()) throw ScriptError("no finger is on the slider");
    IconMenu::touchMove(thumbAt(*OpenMenu::slider(), level));
}

void tapRemove() {
    rt::Ref<ui::View> target = OpenMenu::editorPart("sliderView", "removeButton");
    if (!target) throw ScriptError("the open editor has no remove button");
    IconMenu::tap(centreOf(*target));
}

// A tap on the row's icon, at its trailing side, where no editor covers the row.
void choose(const std::string& title) {
    rt::Ref<SBUIActionView> row = OpenMenu::rowTitled(title);
    IconMenu::tap(centreOf(*row->imageView()));
}

// What the row's open editor shows: the slider's value and percent label, or each shown
// switch button with its state.
std::string editorState(const rt::Ref<SBUIActionView>& row) {
    if (auto editor = rt::cast<ui::View>(OpenMenu::rowProperty(row, "sliderView"))) {
        auto slider =
            rt::cast<ui::Slider>(rt::send<rt::Ref<rt::Object>>(editor, rt::sel("slider")));
        auto label =
            rt::cast<ui::Label>(rt::send<rt::Ref<rt::Object>>(editor, rt::sel("percentLabel")));
        char value[32];
        std::snprintf(value, sizeof value, "%g", slider ? double{slider->value()} : -1.0);
        return std::string(", slider ") + value + " \"" + (label ? label->text() : "") + "\"";
    }
    auto editor = rt::cast<ui::View>(OpenMenu::rowProperty(row, "togglesView"));
    if (!editor) return {};
    std::vector<std::string> states;
    for (const auto& name : OpenMenu::shownToggleNames(editor)) {
        const int state = rt::send<int>(
            rt::send<rt::Ref<rt::Object>>(editor, rt::sel((name + "ToggleButton").c_str())),
            rt::sel("currentState"));
        states.push_back(name + ":" + (state == 1 ? "on" : state == 0 ? "off" : "unset"));
    }
    return ", toggles " + OpenMenu::join(states);
}

std::string printMenu() {
    if (!IconMenu::isOpen()) return "menu: closed\n";
    std::string text = "menu:\n";
    for (const auto& row : OpenMenu::rows()) {
        text += "  " + row->titleLabel()->text() + " — \"" + row->subtitleLabel()->text() +
                "\", icon " + OpenMenu::iconName(row) + ", editor " + OpenMenu::editorName(row) +
                editorState(row) + ", highlighted " + (row->isHighlighted() ? "1" : "0");
        const std::vector<std::string> toggles = OpenMenu::enabledToggleNames(row);
        if (!toggles.empty()) text += ", toggle icons " + OpenMenu::join(toggles);
        text += "\n";
    }
    return text;
}

void setAppearance(const std::string& name) {
    const auto kind = springboard::MenuAppearance::named(name);
    if (!kind) throw ScriptError("expected: appearance stock|dune|noctis|carbon");
    springboard::MenuAppearance::set(*kind);
}

void setDirection(const std::string& name) {
    if (name != "ltr" && name != "rtl") throw ScriptError("expected: direction ltr|rtl");
    device::Phone::shared().setLayoutDirection(name == "rtl"
                                                   ? device::LayoutDirection::RightToLeft
                                                   : device::LayoutDirection::LeftToRight);
}

void press(const std::string& bundleIdentifier) {
    try {
        IconMenu::press(bundleIdentifier);
    } catch (const std::invalid_argument& error) {
        throw ScriptError(error.what());
    }
}

void dismiss() {
    if (!IconMenu::isOpen()) throw ScriptError("no menu is open");
    IconMenu::tap({1, 1});
}

}  // namespace

std::vector<ScriptCommand> MenuCommands::commands(std::ostream& out) {
    using L = const ScriptLine&;
    return {
        {"shortcut", "<bundleId> <type> <title…>",
         [](L line) {
             springboard::DeclaredShortcuts::declare(line.words[1], {line.words[2], line.rest(3)});
         },
         "the app declares one of its own shortcut items"},
        {"ios", "<version>",
         [](L line) { device::Phone::shared().setSystemVersion(line.words[1]); },
         "the system version the device reports from now on"},
        {"appearance", "stock|dune|noctis|carbon", [](L line) { setAppearance(line.words[1]); },
         "the dark-mode appearance of the menus made from now on"},
        {"direction", "ltr|rtl", [](L line) { setDirection(line.words[1]); },
         "the layout direction from now on"},
        {"press", "<bundleId>", [](L line) { press(line.words[1]); },
         "presses the app's icon firmly: its shortcut menu opens"},
        {"choose", "<title…>", [](L line) { choose(line.rest(1)); },
         "taps the open menu's row with that title, on its icon"},
        {"drag", "<level>", [](L line) { drag(ScriptWords::level(line.words[1])); },
         "drags the open slider's thumb to the level and lifts the finger"},
        {"touch began", "", [](L) { touchBegan(); }, "a finger touches the open slider's thumb"},
        {"touch moved", "<level>", [](L line) { touchMoved(line.words[2]); },
         "the finger moves to the level"},
        {"touch ended", "", [](L) { IconMenu::touchUp(); }, "the finger lifts"},
        {"touch cancelled", "", [](L) { IconMenu::touchCancel(); }, "the touch is cancelled"},
        {"tap remove", "", [](L) { tapRemove(); }, "taps the open slider editor's remove button"},
        {"tap", "<toggleName>",
         [](L line) { IconMenu::tap(centreOf(*OpenMenu::shownToggleButton(line.words[1]))); },
         "taps that button of the open toggles editor"},
        {"dismiss", "", [](L) { dismiss(); }, "taps outside the open menu"},
        {"print menu", "", [&out](L) { out << printMenu(); },
         "the open menu's rows: title, subtitle, icon, editor, highlight, toggle icons"},
    };
}
