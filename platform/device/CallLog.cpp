#include "device/CallLog.h"

#include <algorithm>
#include <cstdio>

namespace device {

namespace {

// A message names its selector first, then its arguments after a space.
bool isCallOf(const std::string& message, std::string_view selector) {
    return message.starts_with(selector) &&
           (message.size() == selector.size() || message[selector.size()] == ' ');
}

}  // namespace

void CallLog::record(Call call) {
    _calls.record(std::move(call));
}

std::size_t CallLog::countFor(std::string_view service) const {
    return static_cast<std::size_t>(
        std::count_if(calls().begin(), calls().end(),
                      [service](const Call& call) { return call.service == service; }));
}

std::size_t CallLog::countFor(std::string_view service, std::string_view selector) const {
    return static_cast<std::size_t>(
        std::count_if(calls().begin(), calls().end(), [service, selector](const Call& call) {
            return call.service == service && isCallOf(call.message, selector);
        }));
}

bool CallLog::contains(std::string_view text) const {
    return std::any_of(calls().begin(), calls().end(),
                       [text](const Call& call) { return call.text() == text; });
}

std::string CallLog::format() const {
    std::string text;
    for (const Call& call : calls()) {
        char stamp[32];
        std::snprintf(stamp, sizeof stamp, "%.3f", call.time);
        text += std::string(stamp) + "  " + call.text() + "\n";
    }
    return text;
}

}  // namespace device
