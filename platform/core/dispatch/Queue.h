#pragma once

#include "core/dispatch/Task.h"

namespace core {

// The two queues the system uses: the main queue, run by the main run loop, and the
// default-priority global queue, run by worker threads (by the driving thread under the
// virtual clock).
enum class Queue { Main, Global };

// Runs `block` on `queue` as soon as possible, after every task already due there.
void async(Queue queue, Block block);

// Runs `block` on `queue` no earlier than `seconds` from now (negative delays count as 0).
void after(double seconds, Queue queue, Block block);

}  // namespace core
