#pragma once

#include <optional>
#include <vector>

#include "device/DeviceConfiguration.h"
#include "rt/Ref.h"
#include "ui/View.h"
#include "ui/ViewController.h"

namespace springboard {

class SBUIActionView;

// The shortcut menu's view controller. Its view (made by "loadView") holds the rows in list
// order; laying the view out places each row (MenuGeometry) and lays it out ("layoutSubviews"
// of each, in order), after which the controller hears "viewDidLayoutSubviews". Runtime
// face: "loadView", "viewDidLayoutSubviews", "viewWillDisappear:" (bool), "view" and
// "actionViews" (std::vector<rt::Ref<rt::Object>>).
class SBUIAppIconForceTouchShortcutViewController : public ui::ViewController {
  public:
    static constexpr const char* kClassName = "SBUIAppIconForceTouchShortcutViewController";

    // The rows the menu shows, in list order (before the view is loaded).
    void setActionViews(std::vector<rt::Ref<SBUIActionView>> rows) { _rows = std::move(rows); }
    std::vector<rt::Ref<rt::Object>> actionViews() const;
    // The pressed icon's frame on the screen (before the view is loaded): the menu stands
    // next to it (MenuGeometry::anchoredFrame).
    void setIconFrame(std::optional<ui::Rect> frame) { _iconFrame = frame; }
    const std::vector<rt::Ref<SBUIActionView>>& rows() const { return _rows; }

    // The host's own implementations.
    void loadView();
    void viewDidLayoutSubviews() {}
    void viewWillDisappear(bool) {}

    static void registerRuntimeClass(const device::DeviceConfiguration& configuration);

  private:
    std::vector<rt::Ref<SBUIActionView>> _rows;
    std::optional<ui::Rect> _iconFrame;
};

// The menu's view: places the controller's rows and nothing else (an editor laid over a row
// keeps the frame it was given).
class SBUIShortcutMenuView : public ui::View {
  public:
    static constexpr const char* kClassName = "SBUIShortcutMenuView";

    SBUIShortcutMenuView() = default;
    explicit SBUIShortcutMenuView(std::vector<rt::Ref<SBUIActionView>> rows);

    void layoutSubviews();

    static void registerRuntimeClass(const device::DeviceConfiguration& configuration);

  private:
    std::vector<rt::Ref<SBUIActionView>> _rows;
};

}  // namespace springboard
