#include "Inbox.h"

#include <sys/eventfd.h>
#include <unistd.h>

#include <chrono>
#include <future>
#include <memory>
#include <stdexcept>

Inbox::Inbox() : _wake(::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK)) {
    if (!_wake.valid()) throw std::runtime_error("cannot make the inbox's event descriptor");
}

std::optional<std::string> Inbox::ask(std::function<std::string()> task, double timeoutSeconds) {
    auto answer = std::make_shared<std::promise<std::string>>();
    std::future<std::string> future = answer->get_future();
    {
        std::lock_guard lock(_mutex);
        if (_closed) return std::nullopt;
        // Only the task holds the promise: dropping the task answers the asker at once.
        _tasks.emplace_back([answer = std::move(answer), task = std::move(task)] {
            try {
                answer->set_value(task());
            } catch (...) {
                answer->set_exception(std::current_exception());
            }
        });
    }
    const std::uint64_t one = 1;
    if (::write(_wake.get(), &one, sizeof one) < 0) { /* already signalled: the count is full */
    }
    if (future.wait_for(std::chrono::duration<double>(timeoutSeconds)) != std::future_status::ready)
        return std::nullopt;
    try {
        return future.get();
    } catch (const std::future_error&) {
        return std::nullopt;  // dropped by close()
    }
}

void Inbox::serve() {
    std::uint64_t count = 0;
    if (::read(_wake.get(), &count, sizeof count) < 0) { /* nothing signalled yet */
    }
    std::deque<std::function<void()>> tasks;
    {
        std::lock_guard lock(_mutex);
        tasks.swap(_tasks);
    }
    for (auto& task : tasks) task();
}

void Inbox::close() {
    std::deque<std::function<void()>> dropped;
    std::lock_guard lock(_mutex);
    _closed = true;
    dropped.swap(_tasks);
}
