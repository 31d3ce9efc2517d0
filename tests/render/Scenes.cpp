#include "Scenes.h"

#include <cstdio>
#include <fstream>
#include <stdexcept>
#include <string>

#include "RenderWorld.h"
#include "device/LevelText.h"
#include "rt/Make.h"
#include "support/Subprocess.h"
#include "support/TemporaryDirectory.h"
#include "tweak/widgets/SliderView.h"
#include "tweak/widgets/TogglesView.h"
#include "ui/Button.h"
#include "ui/Color.h"
#include "ui/Font.h"
#include "ui/Image.h"
#include "ui/ImageView.h"
#include "ui/Label.h"
#include "ui/Slider.h"
#include "ui/StackView.h"

namespace render_testing {

namespace {

using ui::Color;
using ui::Rect;

constexpr double kMenuWidth = 250;
constexpr double kRowHeight = 56;

rt::Ref<ui::Image> glyph(const std::string& name) {
    rt::Ref<ui::Image> image = ui::Image::imageWithContentsOfFile(
        std::string(kGlyphBundle) + "/" + name + "Icon.png");
    return image ? image->imageWithRenderingMode(ui::Image::RenderingMode::AlwaysTemplate)
                 : nullptr;
}

rt::Ref<ui::Label> label(const Rect& frame, const std::string& text, double size,
                         rt::Ref<Color> color) {
    auto made = rt::make<ui::Label>(frame);
    made->setText(text);
    made->setFont(ui::Font::systemFontOfSize(size));
    made->setTextColor(std::move(color));
    return made;
}

// One row: title and subtitle on the leading side, the action's glyph on the trailing side.
rt::Ref<ui::View> menuRow(double top, const std::string& title, const std::string& subtitle,
                          const std::string& glyphName, bool dark, bool rightToLeft) {
    auto row = rt::make<ui::View>(Rect(0, top, kMenuWidth, kRowHeight));
    const rt::Ref<Color> ink = dark ? Color::whiteColor() : Color::blackColor();
    const double textLeft = rightToLeft ? 56 : 16;
    row->addSubview(label(Rect(textLeft, 9, kMenuWidth - 72, 22), title, 17, ink).get());
    row->addSubview(
        label(Rect(textLeft, 31, kMenuWidth - 72, 17), subtitle, 13, Color::grayColor()).get());
    auto icon = rt::make<ui::ImageView>(Rect(rightToLeft ? 16 : kMenuWidth - 40, 16, 24, 24));
    icon->setImage(glyph(glyphName));
    icon->setContentMode(ui::ContentMode::ScaleAspectFit);
    icon->setTintColor(ink);
    row->addSubview(icon.get());
    return row;
}

rt::Ref<ui::View> separator(double top, bool dark) {
    auto line = rt::make<ui::View>(Rect(0, top, kMenuWidth, 0.5));
    line->setBackgroundColor(Color::colorWithWhite(dark ? 1 : 0, 0.18));
    return line;
}

}  // namespace

render::ScreenState homeScreen() {
    render::ScreenState state;
    state.glyphBundle = kGlyphBundle;
    state.installedApps = {"com.example.maps", "com.example.mail", "org.demo.weather",
                           "com.apple.camera", "net.things.notes", "io.music.player"};
    state.brightness = 0.8;
    for (auto which : {device::Switch::Wifi, device::Switch::Cellular, device::Switch::Bluetooth,
                       device::Switch::Location, device::Switch::Dnd})
        state.switches[static_cast<std::size_t>(which)] = device::SwitchState::On;
    return state;
}

rt::Ref<ui::View> iconMenu(bool dark) {
    const bool rightToLeft =
        device::Phone::shared().layoutDirection() == device::LayoutDirection::RightToLeft;
    auto menu = rt::make<ui::View>(Rect(27, 168, kMenuWidth, 3 * kRowHeight + 1));
    menu->setBackgroundColor(dark ? Color::colorWithWhite(0.16, 0.96)
                                  : Color::colorWithWhite(0.97, 0.96));
    menu->layer()->setCornerRadius(13);
    menu->setClipsToBounds(true);

    auto volumeRow = menuRow(0, "Volume", "20%", "volume", dark, rightToLeft);
    for (const auto& child : volumeRow->subviews()) child->setAlpha(0);  // faded for the editor
    menu->addSubview(volumeRow.get());
    auto editor = rt::make<morvane::SliderView>(Rect(16, 4, kMenuWidth - 32, 48));
    editor->setUIElementsColor(dark ? Color::whiteColor() : Color::blackColor());
    editor->slider()->setValue(0.2f);
    editor->percentLabel()->setText("20%");
    editor->removeButton()->setAlpha(0);
    volumeRow->addSubview(editor.get());
    menu->addSubview(separator(kRowHeight, dark).get());

    menu->addSubview(
        menuRow(kRowHeight + 0.5, "Brightness", "90%", "brightness", dark, rightToLeft).get());
    menu->addSubview(separator(2 * kRowHeight + 0.5, dark).get());

    auto togglesRow =
        menuRow(2 * kRowHeight + 1, "Toggles", "Wi-Fi off", "toggles", dark, rightToLeft);
    for (const auto& child : togglesRow->subviews()) child->setAlpha(0);
    menu->addSubview(togglesRow.get());
    auto toggles = rt::make<morvane::TogglesView>(Rect(12, 6, kMenuWidth - 24, 30),
                                                  dark ? Color::whiteColor() : Color::blackColor());
    const std::pair<const char*, int> states[] = {
        {"wifi", morvane::ToggleButton::kStateOff},
        {"bluetooth", morvane::ToggleButton::kStateOn},
        {"dnd", morvane::ToggleButton::kStateNotSet},
        {"location", morvane::ToggleButton::kStateOn},
        {"airplane", morvane::ToggleButton::kStateNotSet}};
    for (const auto& [name, state] : states) toggles->toggleButton(name)->setHasToBeShown(true);
    toggles->addEnabledButtonsToStackView();
    toggles->layoutIfNeeded();  // the badges hang from the buttons' laid-out size
    for (const auto& [name, state] : states) toggles->toggleButton(name)->setCurrentState(state);
    togglesRow->addSubview(toggles.get());
    return menu;
}

render::ScreenState homeScreenWithMenu(bool dark) {
    render::ScreenState state = homeScreen();
    state.rightToLeft =
        device::Phone::shared().layoutDirection() == device::LayoutDirection::RightToLeft;
    state.menuView = iconMenu(dark);
    state.menuApp = "com.example.maps";
    return state;
}

rt::Ref<ui::View> toolkitViews() {
    auto root = rt::make<ui::View>(Rect(0, 0, 320, 400));
    root->setBackgroundColor(Color::whiteColor());
    const char* texts[] = {"Left", "Centre", "Right"};
    const ui::TextAlignment alignments[] = {ui::TextAlignment::Left, ui::TextAlignment::Center,
                                            ui::TextAlignment::Right};
    for (int i = 0; i < 3; ++i) {
        auto line = label(Rect(10, 10 + 26 * i, 300, 22), texts[i], 15, Color::blackColor());
        line->setTextAlignment(alignments[i]);
        line->setBackgroundColor(Color::colorWithWhite(0.93, 1));
        root->addSubview(line.get());
    }
    auto arabic = label(Rect(10, 88, 300, 24), "مستوى الصوت", 17, Color::darkGrayColor());
    arabic->setTextAlignment(ui::TextAlignment::Right);
    root->addSubview(arabic.get());

    auto slider = rt::make<ui::Slider>(Rect(10, 120, 300, 34));
    slider->setValue(0.3f);
    root->addSubview(slider.get());

    auto button = ui::Button::buttonWithType(ui::Button::Type::System);
    button->setFrame(Rect(10, 164, 160, 30));
    button->setImage(glyph("volume"), ui::ControlState::kNormal);
    button->setTitle("Volume", ui::ControlState::kNormal);
    root->addSubview(button.get());

    auto stack = rt::make<ui::StackView>(Rect(10, 204, 300, 30));
    stack->setDistribution(ui::StackView::kDistributionFillEqually);
    stack->setSpacing(6);
    for (const auto* colorName : {"red", "gray", "blue"}) {
        auto block = rt::make<ui::View>();
        block->setBackgroundColor(std::string(colorName) == "red"    ? Color::redColor()
                                  : std::string(colorName) == "gray" ? Color::grayColor()
                                                                     : Color::systemBlueColor());
        stack->addArrangedSubview(block.get());
    }
    root->addSubview(stack.get());

    auto faded = rt::make<ui::View>(Rect(10, 244, 90, 60));
    faded->setBackgroundColor(Color::systemBlueColor());
    faded->setAlpha(0.4);
    root->addSubview(faded.get());

    auto rotated = rt::make<ui::View>(Rect(120, 254, 60, 40));
    rotated->setBackgroundColor(Color::redColor());
    rotated->setTransform({0.7071, 0.7071, -0.7071, 0.7071, 0, 0});
    root->addSubview(rotated.get());

    auto clipped = rt::make<ui::View>(Rect(210, 244, 100, 100));
    clipped->setBackgroundColor(Color::colorWithRed(0.2, 0.7, 0.3, 1));
    clipped->layer()->setCornerRadius(30);
    clipped->setClipsToBounds(true);
    auto inner = rt::make<ui::View>(Rect(-20, -20, 80, 80));
    inner->setBackgroundColor(Color::blackColor());
    clipped->addSubview(inner.get());
    root->addSubview(clipped.get());
    return root;
}

device::Timeline sampleTimeline() {
    device::Timeline timeline;
    const auto home = device::Actor::service("home screen");
    const auto media = device::Actor::service("media controller");
    const auto brightness = device::Actor::service("brightness controller");
    const auto panel = device::Actor::service("switch panel");
    timeline.record({1.0, home, "com.example.maps: running, foreground (home screen)"});
    timeline.record({1.3, media, "volume 0.50 → 0.20 (media controller, overlay shown)"});
    timeline.record({1.3, panel, "wifi on → off (switch panel)"});
    double level = 0.5;
    for (double t = 1.2; level < 0.9 - 1e-9; t += 0.05) {
        const double next = std::min(0.9, level + 0.02);
        timeline.record({t, brightness,
                         "brightness " + device::levelText(level) + " → " +
                             device::levelText(next) + " (brightness controller, overlay hidden)"});
        level = next;
    }
    timeline.record({6.0, home, "com.example.maps: running, background (home screen)"});
    timeline.record({6.3, media, "volume 0.20 → 0.50 (media controller, overlay hidden)"});
    timeline.record({6.3, panel, "wifi off → on (switch panel)"});
    timeline.record(
        {6.3, brightness, "brightness 0.90 → 0.50 (brightness controller, overlay shown)"});
    timeline.record({8.0, home, "com.example.mail: running, foreground (home screen)"});
    return timeline;
}

}  // namespace render_testing

#include "render/ScreenRenderer.h"
#include "render/TimelinePlot.h"
#include "render/ViewRenderer.h"

namespace render_testing {

render::Picture hostScene(const std::string& name) {
    testing_support::TemporaryDirectory directory;
    const std::string scenario = std::string(HOST_SCENES_DIR) + "/" + name + ".scenario";
    std::string output;
    const int status = testing_support::run(
        "cd " + testing_support::shellQuote(directory.path().string()) + " && " +
            SPRINGBOARD_HOST + " " + testing_support::shellQuote(scenario) + " 2>&1",
        &output);
    auto picture = render::Picture::readPng(directory.path() / "picture.png");
    if (status != 0 || !picture)
        throw std::runtime_error("the host scene " + name + " drew no picture: " + output);
    return std::move(*picture);
}

std::vector<ReferenceScene> referenceScenes() {
    device::DeviceConfiguration rightToLeft;
    rightToLeft.layoutDirection = device::LayoutDirection::RightToLeft;
    rightToLeft.localeIdentifier = "ar";
    std::vector<ReferenceScene> scenes = {
        {"home",
         [] {
             RenderWorld world;
             return render::ScreenRenderer().render(homeScreen());
         }},
        // An app in front under both overlays, right to left (the status bar mirrored).
        {"overlays-rtl",
         [rightToLeft] {
             RenderWorld world(rightToLeft);
             render::ScreenState state = homeScreen();
             state.rightToLeft = true;
             state.frontApp = "com.example.mail";
             state.volumeOverlayShowing = state.brightnessOverlayShowing = true;
             state.volume = 0.25;
             state.brightness = 0.75;
             state.switches[static_cast<std::size_t>(device::Switch::LowPower)] =
                 device::SwitchState::On;
             return render::ScreenRenderer().render(state);
         }},
        {"views",
         [] {
             RenderWorld world;
             auto root = toolkitViews();
             return render::ViewRenderer().render(root.get(), 2);
         }},
        {"plot",
         [] {
             return render::TimelinePlot::render({sampleTimeline(), 10, 0.5, 0.5, {}});
         }},
    };
    // The real host: the home screen's menu with the library's editors, the pane's pages.
    for (const char* name :
         {"menu-light", "menu-dark-rtl", "app-in-front", "pane-root", "pane-subpage"})
        scenes.push_back({std::string("host-") + name, [name] { return hostScene(name); }});
    return scenes;
}

}  // namespace render_testing
