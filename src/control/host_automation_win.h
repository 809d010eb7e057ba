// The host's running automation object "Vevozi2.Application", reached by dispatch id from
// the window thread's single-threaded apartment.
#pragma once

#include <atomic>
#include <memory>

#include "control/host_link.h"

namespace zd::win {

// Attaches to the running host object; null when the host is not running. Every call
// fails at once while `stopping` is set, so a stop never waits for the host.
std::unique_ptr<HostLink> AttachToHost(const std::atomic<bool>& stopping);

}  // namespace zd::win
