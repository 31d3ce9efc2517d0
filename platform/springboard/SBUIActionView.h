#pragma once

#include <string>

#include "device/DeviceConfiguration.h"
#include "rt/Ref.h"
#include "ui/ImageView.h"
#include "ui/Label.h"
#include "ui/View.h"

namespace springboard {

class SBUIAction;
class SBUILegibilityLabel;

// One row of an icon's shortcut menu, drawing its action: a title container holding the
// title ("_titleLabel", an SBUILegibilityLabel whose "_label" is the text label), under it a
// subtitle container of its own holding the subtitle ("_subtitleLabel", a UILabel), as the
// phone builds its rows, and the action's image at the trailing side. On
// systems newer than 11.4.1 the row also has "_legibilityTreatedTitleLabel" and
// "_legibilityTreatedSubtitleLabel", copies of the texts drawn at alpha 0.35 (the fields
// hold nothing on older systems). Geometry in MenuGeometry.
//
// Runtime face: "initWithAction:" (rt::Object*) -> the row, "layoutSubviews",
// "setHighlighted:" (bool), "isHighlighted", "action". A touch highlights the row while the
// finger is on it; lifting inside runs the action's handler.
class SBUIActionView : public ui::View {
  public:
    static constexpr const char* kClassName = "SBUIActionView";

    SBUIActionView();
    ~SBUIActionView() override;

    rt::Ref<SBUIActionView> initWithAction(rt::Ref<SBUIAction> action);
    // The host's own layout of the row's content.
    void layoutSubviews();
    void setHighlighted(bool highlighted);
    bool isHighlighted() const { return _highlighted; }
    rt::Ref<rt::Object> action() const;

    const rt::Ref<SBUILegibilityLabel>& titleLabel() const { return _titleLabel; }
    const rt::Ref<ui::Label>& subtitleLabel() const { return _subtitleLabel; }
    const rt::Ref<ui::Label>& legibilityTreatedTitleLabel() const {
        return _legibilityTreatedTitleLabel;
    }
    const rt::Ref<ui::Label>& legibilityTreatedSubtitleLabel() const {
        return _legibilityTreatedSubtitleLabel;
    }
    const rt::Ref<ui::View>& titleContainer() const { return _titleContainer; }
    const rt::Ref<ui::View>& subtitleContainer() const { return _subtitleContainer; }
    const rt::Ref<ui::ImageView>& imageView() const { return _imageView; }

    // Whether this system has the legibility-treated labels (newer than 11.4.1).
    static bool systemHasLegibilityLabels();

    static void registerRuntimeClass(const device::DeviceConfiguration& configuration);

  private:
    // The host's row class has the legibility-treated fields only on the systems that have
    // those labels; the class follows the system the phone reports when a row is made.
    static void matchFieldsToSystem(bool withLegibilityLabels);
    void touchesBegan(ui::TouchSet* touches, ui::Event* event);
    void touchesMoved(ui::TouchSet* touches, ui::Event* event);
    void touchesEnded(ui::TouchSet* touches, ui::Event* event);
    void touchesCancelled(ui::TouchSet* touches, ui::Event* event);
    bool touchIsInside(ui::TouchSet* touches) const;

    rt::Ref<rt::Object> _action;
    rt::Ref<ui::View> _titleContainer;
    rt::Ref<ui::View> _subtitleContainer;
    rt::Ref<SBUILegibilityLabel> _titleLabel;
    rt::Ref<ui::Label> _subtitleLabel;
    rt::Ref<ui::Label> _legibilityTreatedTitleLabel;
    rt::Ref<ui::Label> _legibilityTreatedSubtitleLabel;
    rt::Ref<ui::ImageView> _imageView;
    bool _highlighted = false;
};

}  // namespace springboard
