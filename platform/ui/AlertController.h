#pragma once

#include <functional>
#include <string>
#include <vector>

#include "ui/ViewController.h"

namespace ui {

// "UIAlertControllerStyle" and "UIAlertActionStyle" values.
enum class AlertControllerStyle : long { ActionSheet = 0, Alert = 1 };
enum class AlertActionStyle : long { Default = 0, Cancel = 1, Destructive = 2 };

// One button of an alert ("UIAlertAction"): its title, its style and what a tap does.
struct AlertAction {
    std::string title;
    AlertActionStyle style = AlertActionStyle::Default;
    std::function<void()> handler;
};

// A message the user must answer ("UIAlertController"): a title, a message and its buttons,
// shown as a centred alert or as an action sheet at the bottom of the screen. It is presented
// by a view controller and stays until one of its buttons is tapped, which dismisses it first
// and then runs that button's handler.
class AlertController : public ViewController {
  public:
    static constexpr const char* kClassName = "UIAlertController";

    AlertController() = default;
    AlertController(std::string title, std::string message, AlertControllerStyle style);

    const std::string& title() const { return _title; }
    const std::string& message() const { return _message; }
    AlertControllerStyle preferredStyle() const { return _style; }
    const std::vector<AlertAction>& actions() const { return _actions; }
    void addAction(AlertAction action) { _actions.push_back(std::move(action)); }

    // The text a person reads: "title: message" (or whichever of the two there is).
    std::string text() const;
    // Taps the button titled `title` (the first button when `title` is empty). Answers false
    // when there is no such button.
    bool tapAction(const std::string& title = {});

  private:
    std::string _title;
    std::string _message;
    AlertControllerStyle _style = AlertControllerStyle::Alert;
    std::vector<AlertAction> _actions;
};

}  // namespace ui
