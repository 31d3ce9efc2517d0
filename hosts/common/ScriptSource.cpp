#include "ScriptSource.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstring>
#include <iostream>

namespace {

// Reads a descriptor through a buffer, as much as is there at each refill.
class DescriptorBuffer : public std::streambuf {
  public:
    explicit DescriptorBuffer(int descriptor) : _descriptor(descriptor) {}

  protected:
    int_type underflow() override {
        if (gptr() < egptr()) return traits_type::to_int_type(*gptr());
        ssize_t count = 0;
        do {
            count = ::read(_descriptor, _bytes.data(), _bytes.size());
        } while (count < 0 && errno == EINTR);
        if (count <= 0) return traits_type::eof();
        setg(_bytes.data(), _bytes.data(), _bytes.data() + count);
        return traits_type::to_int_type(*gptr());
    }

  private:
    int _descriptor;
    std::array<char, 4096> _bytes{};
};

}  // namespace

ScriptSource::ScriptSource(const std::optional<std::filesystem::path>& file) {
    if (!file) return;
    const std::string name = file->string();
    _descriptor = core::FileDescriptor(::open(name.c_str(), O_RDONLY | O_CLOEXEC));
    if (!_descriptor.valid()) throw Unreadable("cannot read " + name + ": " + std::strerror(errno));
    struct stat status {};
    if (::fstat(_descriptor.get(), &status) != 0 || S_ISDIR(status.st_mode))
        throw Unreadable("cannot read " + name + ": it is a directory, not a script");
    _buffer = std::make_unique<DescriptorBuffer>(_descriptor.get());
    _file = std::make_unique<std::istream>(_buffer.get());
}

ScriptSource::~ScriptSource() = default;
