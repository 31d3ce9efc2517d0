#pragma once

#include <filesystem>
#include <optional>
#include <string>

#include "render/Picture.h"
#include "render/ScreenState.h"
#include "rt/Ref.h"
#include "ui/View.h"

// The host's screen as pictures: what the phone and the home screen show now, drawn by the
// screen renderer, and the timeline plotted.
class ScreenCapture {
  public:
    // Runs the tasks that are due now, so the picture shows what they did.
    static void settle();
    // The screen as it is now: the phone's state, the installed apps, an open icon menu.
    static render::ScreenState currentScreen();
    // The phone's own screenshot, or with `asSeen` the screen as the eye sees the glass at
    // the current brightness.
    static render::Picture screenPicture(bool asSeen = false);
    // The phone's own screenshot drawn anew into a picture screenPicture() made earlier.
    static void drawScreen(render::Picture& picture);
    static render::Picture timelinePicture();

    // The view of the icon menu open now (its view controller's view, in screen points) and
    // the app it belongs to; none while no menu is open. The point where the icon menu's
    // controller, once the host has one, is asked for its view.
    static rt::Ref<ui::View> openMenuView();
    static std::optional<std::string> openMenuApp();
};
