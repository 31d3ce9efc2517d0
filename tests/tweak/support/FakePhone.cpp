#include "support/FakePhone.h"

#include "core/dispatch/Clock.h"

namespace tweak_testing {

long long FakePhone::switchState(const std::string& identifier) const {
    auto found = switches.find(identifier);
    return found == switches.end() ? 0 : found->second;
}

void FakePhone::log(const std::string& text) { calls.push_back({core::Clock::now(), text}); }

std::vector<FakePhone::Call> FakePhone::callsStartingWith(const std::string& prefix) const {
    std::vector<Call> found;
    for (const Call& call : calls) {
        if (call.text.rfind(prefix, 0) == 0) found.push_back(call);
    }
    return found;
}

}  // namespace tweak_testing
