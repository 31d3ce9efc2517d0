#pragma once

#include <string>

namespace device {

// Who made a change to the phone: the user (the person, directly) or a named service of
// the system ("media controller", "switch panel").
class Actor {
  public:
    static Actor user() { return Actor(""); }
    // A service with no name still counts as a service, never as the user.
    static Actor service(std::string name) {
        return Actor(name.empty() ? "service" : std::move(name));
    }

    bool isUser() const { return _serviceName.empty(); }
    // "user", or the service's name.
    std::string name() const { return isUser() ? "user" : _serviceName; }

    friend bool operator==(const Actor&, const Actor&) = default;

  private:
    explicit Actor(std::string serviceName) : _serviceName(std::move(serviceName)) {}

    std::string _serviceName;
};

}  // namespace device
