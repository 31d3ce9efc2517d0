#pragma once

#include <string>

#include "device/DeviceConfiguration.h"
#include "rt/Ref.h"
#include "ui/Label.h"
#include "ui/View.h"

namespace springboard {

// A menu row's title: a view holding its text label in the field "_label".
class SBUILegibilityLabel : public ui::View {
  public:
    static constexpr const char* kClassName = "SBUILegibilityLabel";

    SBUILegibilityLabel();

    const rt::Ref<ui::Label>& label() const { return _label; }
    const std::string& text() const { return _label->text(); }
    void setText(const std::string& text) { _label->setText(text); }

    // The label fills the view.
    void layoutSubviews();

    static void registerRuntimeClass(const device::DeviceConfiguration& configuration);

  private:
    rt::Ref<ui::Label> _label;
};

}  // namespace springboard
