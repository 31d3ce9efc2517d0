#pragma once

#include <string>
#include <vector>

#include "rt/Ref.h"
#include "springboard/SBUIActionView.h"
#include "ui/Slider.h"
#include "ui/View.h"

// The icon menu open now, as the scenario commands and quantities find their way in it: its
// rows, a row's editor and the editor's parts. Each throws ScriptError when what it looks for
// is not there.
class OpenMenu {
  public:
    static std::vector<rt::Ref<springboard::SBUIActionView>> rows();
    static rt::Ref<springboard::SBUIActionView> rowTitled(const std::string& title);
    // A row's property added at run time (an editor), read by its getter; null when absent.
    static rt::Ref<rt::Object> rowProperty(const rt::Ref<springboard::SBUIActionView>& row,
                                           const char* getter);
    // The editor of that getter ("sliderView", "togglesView") a finger would touch: open and
    // not closing, the one opened last; null when there is none.
    static rt::Ref<ui::View> editor(const char* getter);
    // A part of the open editor of that getter, by its getter ("slider", "removeButton").
    static rt::Ref<ui::View> editorPart(const char* editorGetter, const char* part);
    static rt::Ref<ui::Slider> slider();
    static rt::Ref<ui::View> toggleButton(const std::string& name);
    // The button as a finger can reach it: shown in the open toggles editor.
    static rt::Ref<ui::View> shownToggleButton(const std::string& name);
    // Where the slider's thumb centre is at `level`, in screen points.
    static ui::Point thumbAt(const ui::Slider& slider, double level);
    // A view's frame in the open menu's controller's view.
    static ui::Rect frameInMenu(const ui::View& view);

    // The resource name of the image the row's action carries, or "none".
    static std::string iconName(const rt::Ref<springboard::SBUIActionView>& row);
    // The toggle names of the buttons in the row's row of icons, in order.
    static std::vector<std::string> enabledToggleNames(
        const rt::Ref<springboard::SBUIActionView>& row);
    // The toggle names of the buttons a row of switch buttons shows, in order.
    static std::vector<std::string> shownToggleNames(const rt::Ref<ui::View>& togglesView);
    // "slider", "toggles" or "none".
    static std::string editorName(const rt::Ref<springboard::SBUIActionView>& row);
    // Words joined by "|".
    static std::string join(const std::vector<std::string>& words);
};
