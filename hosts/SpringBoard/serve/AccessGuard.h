#pragma once

#include <optional>
#include <string>

// Who may drive the phone: a request must carry the token, name this server in its Host
// header (127.0.0.1:<port> or localhost:<port>, so a page of another name that resolves to
// this machine is refused) and come from no other site's page (Origin absent or this server).
class AccessGuard {
  public:
    explicit AccessGuard(std::string token);

    // 32 characters of letters, digits, '-' and '_' from the kernel's random source.
    static std::string randomToken();

    const std::string& token() const { return _token; }
    void setPort(int port) { _port = port; }
    // Why the request is refused, or none when it may pass.
    std::optional<std::string> refusal(const std::string& token, const std::string& host,
                                       const std::optional<std::string>& origin) const;

  private:
    bool isThisServer(const std::string& hostAndPort) const;

    std::string _token;
    int _port = 0;
};
