#include "core/process/HomeDirectory.h"

namespace core {

std::string NSHomeDirectory() {
    return "/var/mobile";
}

}  // namespace core
