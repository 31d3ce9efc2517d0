#pragma once

#include <array>
#include <string_view>

#include "rt/Ref.h"
#include "tweak/controls/ToggleCatalogue.h"
#include "tweak/widgets/ToggleButton.h"
#include "ui/Color.h"
#include "ui/Rect.h"
#include "ui/StackView.h"
#include "ui/View.h"

namespace morvane {

// A horizontal row of the twelve toggle buttons, in the toggle catalogue's order. The view
// makes all twelve once (state not set, none on screen); its owner marks the buttons to
// show (hasToBeShown), sets the row's final frame and calls addEnabledButtonsToStackView,
// which puts the marked buttons in the row, spread over the width with equal gaps, and
// sizes them from the width. The view registers nothing on the buttons.
//
// Selectors: "initWithFrame:uiColor:" is the constructor; "setupView",
// "addEnabledButtonsToStackView", "uiColor"/"setUiColor:" and one accessor pair per button,
// named after its toggle ("wifiToggleButton"/"setWifiToggleButton:").
class TogglesView : public ui::View {
  public:
    static constexpr const char* kClassName = "TogglesView";
    static constexpr double kMaximumButtonSize = 30;
    // Room kept around each button out of its share of the width.
    static constexpr double kButtonMargin = 4;

    // A view made without a frame and colour ("new") is set up too: zero frame, buttons that
    // inherit their tint.
    TogglesView();
    TogglesView(const ui::Rect& frame, rt::Ref<ui::Color> uiColor);

    void setupView();
    // Replaces the row with the buttons to show, in row order, and gives each the size
    // min(30, width / n - 4), never below zero.
    void addEnabledButtonsToStackView();

    // The button of a toggle by its name ("wifi"), or null for a name not in the catalogue.
    rt::Ref<ToggleButton> toggleButton(std::string_view toggleName) const;
    void setToggleButton(std::string_view toggleName, rt::Ref<ToggleButton> button);
    const rt::Ref<ui::Color>& uiColor() const { return _uiColor; }
    // Does not recolour the buttons made already.
    void setUiColor(rt::Ref<ui::Color> color) { _uiColor = std::move(color); }
    const rt::Ref<ui::StackView>& togglesStackView() const { return _togglesStackView; }

    // The side of each of `count` buttons shown in a row `width` points wide.
    static double buttonSizeFor(double width, std::size_t count);

    static void registerRuntimeClass();

  private:
    using ButtonField = rt::Ref<ToggleButton> TogglesView::*;
    struct ButtonSlot {
        std::string_view toggleName;
        ButtonField field;
    };
    static const std::array<ButtonSlot, kToggleCount>& buttonSlots();
    static const ButtonSlot* slotFor(std::string_view toggleName);

    void addStackView();
    void makeToggleButtons();
    void clearRow();

    rt::Ref<ui::StackView> _togglesStackView;
    rt::Ref<ToggleButton> _orientationLockToggleButton;
    rt::Ref<ToggleButton> _bluetoothToggleButton;
    rt::Ref<ToggleButton> _cellularToggleButton;
    rt::Ref<ToggleButton> _wifiToggleButton;
    rt::Ref<ToggleButton> _airplaneToggleButton;
    rt::Ref<ToggleButton> _dndToggleButton;
    rt::Ref<ToggleButton> _locationToggleButton;
    rt::Ref<ToggleButton> _autoBrightnessToggleButton;
    rt::Ref<ToggleButton> _autoLockToggleButton;
    rt::Ref<ToggleButton> _lowPowerToggleButton;
    rt::Ref<ToggleButton> _nightShiftToggleButton;
    rt::Ref<ToggleButton> _vpnToggleButton;
    rt::Ref<ui::Color> _uiColor;
};

}  // namespace morvane
