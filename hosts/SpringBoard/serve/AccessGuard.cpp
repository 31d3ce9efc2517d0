#include "AccessGuard.h"

#include <sys/random.h>

#include <array>
#include <stdexcept>

namespace {

constexpr std::size_t kTokenLength = 32;
constexpr const char* kAlphabet =
    "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789-_";

// Compares in a time that does not depend on where the texts first differ.
bool sameSecret(const std::string& given, const std::string& expected) {
    unsigned char difference = given.size() == expected.size() ? 0 : 1;
    for (std::size_t index = 0; index < expected.size(); ++index) {
        const char other = index < given.size() ? given[index] : '\0';
        difference |= static_cast<unsigned char>(other ^ expected[index]);
    }
    return difference == 0;
}

}  // namespace

AccessGuard::AccessGuard(std::string token) : _token(std::move(token)) {}

std::string AccessGuard::randomToken() {
    std::array<unsigned char, kTokenLength> bytes{};
    std::size_t filled = 0;
    while (filled < bytes.size()) {
        const ssize_t count = ::getrandom(bytes.data() + filled, bytes.size() - filled, 0);
        if (count < 0) throw std::runtime_error("the kernel gave no random bytes for the token");
        filled += static_cast<std::size_t>(count);
    }
    std::string token;
    for (const unsigned char byte : bytes) token += kAlphabet[byte % 64];
    return token;
}

bool AccessGuard::isThisServer(const std::string& hostAndPort) const {
    const std::string port = ":" + std::to_string(_port);
    return hostAndPort == "127.0.0.1" + port || hostAndPort == "localhost" + port;
}

std::optional<std::string> AccessGuard::refusal(const std::string& token, const std::string& host,
                                                const std::optional<std::string>& origin) const {
    if (!sameSecret(token, _token)) return "the access token is missing or wrong";
    if (!isThisServer(host)) return "the Host header names another server";
    if (origin && !(origin->rfind("http://", 0) == 0 && isThisServer(origin->substr(7))))
        return "requests from another site's page are refused";
    return std::nullopt;
}
