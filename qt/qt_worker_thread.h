#pragma once

#include <functional>
#include <memory>

#include "core/link/write_pool.h"

namespace radio {

// Starts a write-pool worker on a QThread: a QSerialPort made on that thread has the event
// dispatcher its notifiers want, even though the worker never runs an event loop.
std::unique_ptr<WorkerThread> StartQtThread(std::function<void()> job);

}  // namespace radio
