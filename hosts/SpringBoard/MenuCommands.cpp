#include "MenuCommands.h"

#include <cstdio>
#include <cstdlib>
#include <vector>

#include "ScenarioError.h"
#include "device/Phone.h"
#include "rt/Fields.h"
#include "rt/Messaging.h"
#include "springboard/DeclaredShortcuts.h"
#include "springboard/IconMenu.h"
#include "springboard/MenuAppearance.h"
#include "springboard/SBUIActionView.h"
#include "springboard/SBUIAppIconForceTouchShortcutViewController.h"
#include "springboard/SBUILegibilityLabel.h"
#include "ui/Button.h"
#include "ui/Label.h"
#include "ui/Slider.h"

namespace {

using springboard::IconMenu;
using springboard::SBUIActionView;

constexpr int kDragSteps = 4;

// The rest of the line after its first `skip` words, as written.
std::string restOfLine(const ScenarioLine& line, std::size_t skip) {
    std::string text = line.text.substr(0, line.text.find('#'));
    std::size_t at = 0;
    for (std::size_t word = 0; word < skip; ++word) {
        at = text.find_first_not_of(" \t", at);
        at = text.find_first_of(" \t", at);
        if (at == std::string::npos) return "";
    }
    at = text.find_first_not_of(" \t", at);
    if (at == std::string::npos) return "";
    const std::size_t end = text.find_last_not_of(" \t\r");
    return text.substr(at, end - at + 1);
}

std::vector<rt::Ref<SBUIActionView>> openRows() {
    auto controller = IconMenu::shortcutViewController();
    if (!controller) throw ScenarioError("no menu is open");
    return controller->rows();
}

rt::Ref<SBUIActionView> rowTitled(const std::string& title) {
    for (const auto& row : openRows()) {
        if (row->titleLabel() && row->titleLabel()->text() == title) return row;
    }
    throw ScenarioError("the open menu has no row titled '" + title + "'");
}

// A row's property added at run time (an editor), read by its getter; null when absent.
rt::Ref<rt::Object> rowProperty(const rt::Ref<SBUIActionView>& row, const char* getter) {
    const rt::Selector selector = rt::sel(getter);
    if (!rt::respondsToSelector(row, selector)) return nullptr;
    return rt::send<rt::Ref<rt::Object>>(row, selector);
}

rt::Ref<ui::View> openEditor(const char* getter) {
    for (const auto& row : openRows()) {
        if (auto editor = rt::cast<ui::View>(rowProperty(row, getter))) return editor;
    }
    return nullptr;
}

rt::Ref<ui::View> editorPart(const char* editorGetter, const char* part) {
    rt::Ref<ui::View> editor = openEditor(editorGetter);
    if (!editor) throw ScenarioError(std::string("no ") + editorGetter + " editor is open");
    const rt::Selector selector = rt::sel(part);
    if (!rt::respondsToSelector(editor, selector)) return nullptr;
    return rt::cast<ui::View>(rt::send<rt::Ref<rt::Object>>(editor, selector));
}

rt::Ref<ui::Slider> openSlider() {
    auto slider = rt::cast<ui::Slider>(editorPart("sliderView", "slider"));
    if (!slider) throw ScenarioError("the open slider editor has no slider");
    return slider;
}

ui::Point onScreen(const ui::View& view, const ui::Point& point) {
    return view.convertPointToView(point, nullptr);
}

ui::Point centreOf(const ui::View& view) {
    const ui::Rect& b = view.bounds();
    return onScreen(view, {b.x() + b.width() / 2, b.y() + b.height() / 2});
}

// Where the slider's thumb is for `level`, on the screen.
ui::Point thumbAt(const ui::Slider& slider, double level) {
    const double track = std::max(1.0, slider.bounds().width() - ui::Slider::kThumbDiameter);
    const double range = static_cast<double>(slider.maximumValue()) - slider.minimumValue();
    const double fraction = range > 0 ? (level - slider.minimumValue()) / range : 0;
    const double along = ui::Slider::kThumbDiameter / 2 + fraction * track;
    const double x = slider.isRightToLeft() ? slider.bounds().width() - along : along;
    return onScreen(slider, {x, slider.bounds().height() / 2});
}

double levelWord(const std::string& word) {
    char* end = nullptr;
    const double value = std::strtod(word.c_str(), &end);
    if (end == word.c_str() || *end != '\0' || !(value >= 0 && value <= 1))
        throw ScenarioError("level '" + word + "' is not a number between 0 and 1");
    return value;
}

void drag(double level) {
    rt::Ref<ui::Slider> slider = openSlider();
    const ui::Point from = thumbAt(*slider, slider->value());
    const ui::Point to = thumbAt(*slider, level);
    if (!IconMenu::touchDown(from)) throw ScenarioError("the touch on the slider closed the menu");
    for (int step = 1; step <= kDragSteps; ++step) {
        const double progress = static_cast<double>(step) / kDragSteps;
        IconMenu::touchMove(
            {from.x + (to.x - from.x) * progress, from.y + (to.y - from.y) * progress});
    }
    IconMenu::touchUp();
}

void touch(const ScenarioLine& line) {
    const std::string phase = line.words.size() >= 2 ? line.words[1] : "";
    if (phase == "began" && line.words.size() == 2) {
        rt::Ref<ui::Slider> slider = openSlider();
        if (!IconMenu::touchDown(thumbAt(*slider, slider->value())))
            throw ScenarioError("the touch on the slider closed the menu");
    } else if (phase == "moved" && line.words.size() == 3) {
        if (!IconMenu::isTouching()) throw ScenarioError("no finger is on the slider");
        IconMenu::touchMove(thumbAt(*openSlider(), levelWord(line.words[2])));
    } else if (phase == "ended" && line.words.size() == 2) {
        IconMenu::touchUp();
    } else if (phase == "cancelled" && line.words.size() == 2) {
        IconMenu::touchCancel();
    } else {
        throw ScenarioError("expected: touch began|ended|cancelled | touch moved <level>");
    }
}

rt::Ref<ui::View> toggleButton(const std::string& name) {
    auto button = editorPart("togglesView", (name + "ToggleButton").c_str());
    if (!button) throw ScenarioError("the toggles editor has no button '" + name + "'");
    return button;
}

void tap(const ScenarioLine& line) {
    if (line.words.size() != 2) throw ScenarioError("expected: tap remove | tap <toggleName>");
    rt::Ref<ui::View> target = line.words[1] == "remove" ? editorPart("sliderView", "removeButton")
                                                         : toggleButton(line.words[1]);
    if (!target) throw ScenarioError("the open editor has no remove button");
    IconMenu::tap(centreOf(*target));
}

// A tap on the row's icon, at its trailing side, where no editor covers the row.
void choose(const std::string& title) {
    rt::Ref<SBUIActionView> row = rowTitled(title);
    IconMenu::tap(centreOf(*row->imageView()));
}

std::string printMenu() {
    if (!IconMenu::isOpen()) return "menu: closed\n";
    std::string text = "menu:\n";
    for (const auto& row : openRows()) {
        const std::string editor = rowProperty(row, "sliderView")    ? "slider"
                                   : rowProperty(row, "togglesView") ? "toggles"
                                                                     : "none";
        text += "  " + row->titleLabel()->text() + " — \"" + row->subtitleLabel()->text() +
                "\", icon " + (row->imageView()->image() ? "yes" : "none") + ", editor " + editor +
                ", highlighted " + (row->isHighlighted() ? "1" : "0") + "\n";
    }
    return text;
}

std::string frameText(const ui::Rect& frame) {
    char text[128];
    std::snprintf(text, sizeof text, "%g %g %g %g", frame.x(), frame.y(), frame.width(),
                  frame.height());
    return text;
}

bool visible(const ui::View* view) {
    return view && !view->isHidden() && view->alpha() >= 0.5;
}

std::string join(const std::vector<std::string>& words) {
    std::string text;
    for (const auto& word : words) text += (text.empty() ? "" : "|") + word;
    return text;
}

bool startsWith(const std::string& text, const std::string& prefix) {
    return text.rfind(prefix, 0) == 0;
}

}  // namespace

bool MenuCommands::run(const ScenarioLine& line, std::ostream& out) {
    const std::string& command = line.words[0];
    auto& phone = device::Phone::shared();
    if (command == "shortcut") {
        if (line.words.size() < 4)
            throw ScenarioError("expected: shortcut <bundleId> <type> <title…>");
        springboard::DeclaredShortcuts::declare(line.words[1],
                                                {line.words[2], restOfLine(line, 3)});
    } else if (command == "ios") {
        if (line.words.size() != 2) throw ScenarioError("expected: ios <version>");
        phone.setSystemVersion(line.words[1]);
    } else if (command == "appearance") {
        const auto kind = line.words.size() == 2 ? springboard::MenuAppearance::named(line.words[1])
                                                 : std::nullopt;
        if (!kind) throw ScenarioError("expected: appearance stock|dune|noctis|carbon");
        springboard::MenuAppearance::set(*kind);
    } else if (command == "direction") {
        if (line.words.size() != 2 || (line.words[1] != "ltr" && line.words[1] != "rtl"))
            throw ScenarioError("expected: direction ltr|rtl");
        phone.setLayoutDirection(line.words[1] == "rtl" ? device::LayoutDirection::RightToLeft
                                                        : device::LayoutDirection::LeftToRight);
    } else if (command == "press") {
        if (line.words.size() != 2) throw ScenarioError("expected: press <bundleId>");
        try {
            IconMenu::press(line.words[1]);
        } catch (const std::invalid_argument& error) {
            throw ScenarioError(error.what());
        }
    } else if (command == "choose") {
        if (line.words.size() < 2) throw ScenarioError("expected: choose <title…>");
        choose(restOfLine(line, 1));
    } else if (command == "drag") {
        if (line.words.size() != 2) throw ScenarioError("expected: drag <level>");
        drag(levelWord(line.words[1]));
    } else if (command == "touch") {
        touch(line);
    } else if (command == "tap") {
        tap(line);
    } else if (command == "dismiss") {
        if (!IconMenu::isOpen()) throw ScenarioError("no menu is open");
        IconMenu::tap({1, 1});
    } else if (command == "print" && line.words.size() == 2 && line.words[1] == "menu") {
        out << printMenu();
    } else {
        return false;
    }
    return true;
}

bool MenuCommands::isTextQuantity(const std::string& name) {
    return name == "menu.items" || name == "launched" || name == "enabledToggles" ||
           startsWith(name, "menu.subtitle.") || startsWith(name, "menu.legibleSubtitle.") ||
           startsWith(name, "frame.") || name == "slider.label";
}

std::optional<QuantityValue> MenuCommands::read(const std::string& name) {
    if (name == "menu") return std::string(IconMenu::isOpen() ? "open" : "closed");
    if (name == "menu.items") return join(IconMenu::lastItemTitles());
    if (name == "launched") {
        const std::string app = IconMenu::lastLaunched();
        return app.empty() ? std::string("none") : app;
    }
    if (name == "haptics") return static_cast<double>(device::Phone::shared().impacts().size());
    if (startsWith(name, "menu.subtitle."))
        return rowTitled(name.substr(14))->subtitleLabel()->text();
    if (startsWith(name, "menu.legibleSubtitle.")) {
        auto* label = rt::cast<ui::Label>(
            rt::getField(rowTitled(name.substr(21)).get(), "_legibilityTreatedSubtitleLabel"));
        return label ? label->text() : std::string("none");
    }
    if (startsWith(name, "highlighted."))
        return rowTitled(name.substr(12))->isHighlighted() ? 1.0 : 0.0;
    if (startsWith(name, "editor.")) {
        const auto row = rowTitled(name.substr(7));
        return std::string(rowProperty(row, "sliderView")    ? "slider"
                           : rowProperty(row, "togglesView") ? "toggles"
                                                             : "none");
    }
    if (startsWith(name, "frame.content.")) {
        const auto row = rowTitled(name.substr(14));
        const rt::Selector selector = rt::sel("getContentFrame");
        if (!rt::respondsToSelector(row, selector)) return std::string("none");
        return frameText(rt::send<ui::Rect>(row, selector));
    }
    if (name == "frame.editor") {
        rt::Ref<ui::View> editor = openEditor("sliderView");
        if (!editor) editor = openEditor("togglesView");
        return editor ? frameText(editor->frame()) : std::string("none");
    }
    if (name == "slider.value") return static_cast<double>(openSlider()->value());
    if (name == "slider.label") {
        auto label = rt::cast<ui::Label>(editorPart("sliderView", "percentLabel"));
        return label ? label->text() : std::string("none");
    }
    if (name == "slider.label.visible")
        return visible(editorPart("sliderView", "percentLabel").get()) ? 1.0 : 0.0;
    if (name == "remove.visible")
        return visible(editorPart("sliderView", "removeButton").get()) ? 1.0 : 0.0;
    if (startsWith(name, "toggle.")) {
        std::string toggle = name.substr(7);
        const bool shown = toggle.ends_with(".shown");
        if (shown) toggle.resize(toggle.size() - 6);
        rt::Ref<ui::View> button = toggleButton(toggle);
        if (shown) return button->superview() ? 1.0 : 0.0;
        return static_cast<double>(rt::send<int>(button, rt::sel("currentState")));
    }
    return std::nullopt;
}
