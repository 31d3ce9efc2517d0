#pragma once

#include <string>

namespace core {

// "NSHomeDirectory()": the home of the phone's user, "/var/mobile" (a device path).
std::string NSHomeDirectory();

}  // namespace core
