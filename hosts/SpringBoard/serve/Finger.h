#pragma once

#include <optional>
#include <string>

#include "LivePhone.h"
#include "ui/Point.h"

// One finger on the screen, from the page's pointer events (points of the screen, times in
// seconds of a steady clock). On the home screen a tap on an icon launches its app and a
// press held still for half a second opens its shortcut menu; on an open menu the finger's
// phases go to the menu (a drag moves a slider with the finger, a touch outside closes it);
// on the Settings app a tap works the row, switch or bar button under it and a drag scrolls
// the page. Main thread.
class Finger {
  public:
    static constexpr double kHoldSeconds = 0.5;
    // A finger that moved farther than this (points) is dragging, not holding or tapping.
    static constexpr double kStillDistance = 10;

    explicit Finger(LivePhone& phone) : _phone(phone) {}

    void down(ui::Point point, double now);
    void move(ui::Point point, double now);
    void up(ui::Point point, double now);
    void cancel();
    // Called often by the main loop: fires a hold that came due, applies a pending scroll.
    void tick(double now);
    // Seconds until the hold fires, or none while no hold is pending.
    std::optional<double> holdDue(double now) const;

  private:
    enum class Target { None, Icon, Menu, Settings, Spent };

    void downOnHome(ui::Point point, double now);
    void fireDueHold(double now);
    void tapSettings(ui::Point point);
    bool movedFar(ui::Point point) const;

    LivePhone& _phone;
    Target _target = Target::None;
    ui::Point _start{};
    double _startTime = 0;
    std::string _icon;
    bool _dragging = false;
    double _startOffset = 0;
    std::optional<double> _pendingScroll;
};
