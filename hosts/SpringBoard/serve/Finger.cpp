#include "Finger.h"

#include <cmath>
#include <cstdio>

#include "springboard/HomeScreen.h"
#include "springboard/IconMenu.h"

namespace {

using springboard::IconMenu;

// The navigation bar of the Settings app, under the status bar, and the width of the room
// its buttons take at either end.
constexpr double kBarTop = 20;
constexpr double kBarBottom = 64;
constexpr double kBarButtonWidth = 100;
constexpr double kScreenWidth = 375;

bool contains(const nlohmann::json& frame, ui::Point point) {
    if (!frame.is_array() || frame.size() != 4) return false;
    const double x = frame[0], y = frame[1], width = frame[2], height = frame[3];
    return point.x >= x && point.x < x + width && point.y >= y && point.y < y + height;
}

std::string offsetLine(double offset) {
    char line[64];
    std::snprintf(line, sizeof line, "scroll %.1f", offset);
    return line;
}

// Whether the text reaches the Settings app's script as written: a '#' starts a comment there.
bool readsAsWritten(const std::string& text) {
    return text.find('#') == std::string::npos;
}

// Whether the text is one word of the script.
bool isOneWord(const std::string& text) {
    return !text.empty() && readsAsWritten(text) && text.find_first_of(" \t") == std::string::npos;
}

// The command a tap at the point gives the Settings app's page, or none when the tap is on
// nothing; an empty command for a row the script cannot name.
std::optional<std::string> commandForTap(const nlohmann::json& page, ui::Point point) {
    if (!page.value("alert", nlohmann::json()).is_null()) return "ok";
    if (point.y >= kBarTop && point.y < kBarBottom) {
        if (point.x < kBarButtonWidth && page.value("back", false)) return "back";
        if (point.x > kScreenWidth - kBarButtonWidth && page.value("respring", false))
            return "respring";
        return std::nullopt;
    }
    for (const auto& row : page.value("rows", nlohmann::json::array())) {
        if (!contains(row.value("frame", nlohmann::json()), point)) continue;
        if (row.contains("on") && row["key"].is_string()) {
            const auto key = row["key"].get<std::string>();
            if (!isOneWord(key)) return std::string();
            return "switch " + key + (row["on"].get<bool>() ? " off" : " on");
        }
        const auto label = row.value("label", std::string());
        if (!readsAsWritten(label)) return std::string();
        return "tap " + label;
    }
    return std::nullopt;
}

}  // namespace

void Finger::down(ui::Point point, double now) {
    cancel();
    _start = point;
    _startTime = now;
    _dragging = false;
    switch (_phone.screen()) {
        case LivePhone::Screen::Home:
            downOnHome(point, now);
            break;
        case LivePhone::Screen::Settings:
            _target = Target::Settings;
            _startOffset = _phone.settings()->page().value("offset", 0.0);
            break;
        case LivePhone::Screen::App:
            _target = Target::None;
            break;
    }
}

void Finger::downOnHome(ui::Point point, double) {
    if (IconMenu::isOpen()) {
        _target = IconMenu::touchDown(point) ? Target::Menu : Target::Spent;
        _phone.noteChange();
        return;
    }
    _target = Target::None;
    for (const auto& app : _phone.apps()) {
        const auto frame = springboard::HomeScreen::iconFrame(app);
        if (frame && frame->contains(point)) {
            _target = Target::Icon;
            _icon = app;
        }
    }
}

bool Finger::movedFar(ui::Point point) const {
    return std::hypot(point.x - _start.x, point.y - _start.y) > kStillDistance;
}

void Finger::move(ui::Point point, double) {
    if (_target == Target::Menu) {
        IconMenu::touchMove(point);
        _phone.noteChange();
    } else if (_target == Target::Icon && movedFar(point)) {
        _target = Target::Spent;  // the home screen's pages do not scroll: a drag does nothing
    } else if (_target == Target::Settings && (_dragging || movedFar(point))) {
        _dragging = true;
        _pendingScroll = _startOffset - (point.y - _start.y);
    }
}

void Finger::up(ui::Point point, double now) {
    fireDueHold(now);  // a hold that came due before this lift opens its menu first
    move(point, now);
    const Target target = _target;
    _target = Target::None;
    if (target == Target::Menu) {
        const std::string launchedBefore = IconMenu::lastLaunched();
        IconMenu::touchUp();
        _phone.noteChange();
        if (IconMenu::lastLaunched() != launchedBefore && !IconMenu::lastLaunched().empty())
            _phone.launch(IconMenu::lastLaunched());
    } else if (target == Target::Icon) {
        _phone.launch(_icon);
    } else if (target == Target::Settings) {
        if (_dragging) {
            tick(now);
            _phone.playInSettings({"release"});
            _phone.noteChange();
        } else {
            tapSettings(point);
        }
    }
}

void Finger::tapSettings(ui::Point point) {
    auto* settings = _phone.settings();
    if (!settings) return;
    const auto command = commandForTap(settings->page(), point);
    if (!command) return;
    if (command->empty())
        _phone.noteProblem("the row under the finger cannot be named to the Settings app");
    else
        _phone.playInSettings({*command});
    _phone.noteChange();
}

void Finger::cancel() {
    if (_target == Target::Menu) IconMenu::touchCancel();
    _target = Target::None;
    _pendingScroll.reset();
}

std::optional<double> Finger::holdDue(double now) const {
    if (_target != Target::Icon) return std::nullopt;
    return std::max(0.0, _startTime + kHoldSeconds - now);
}

void Finger::tick(double now) {
    fireDueHold(now);
    if (_pendingScroll) {
        _phone.playInSettings({offsetLine(*_pendingScroll)});
        _pendingScroll.reset();
        _phone.noteChange();
    }
}

void Finger::fireDueHold(double now) {
    if (_target != Target::Icon || now - _startTime < kHoldSeconds) return;
    IconMenu::press(_icon);  // the firm press: the finger that made it lifts unheard
    _target = Target::Spent;
    _phone.noteChange();
}
