// The refresh requests of the host's thread and of the window thread, coalesced: however
// many come while one refresh message waits in the window thread's queue, that message
// stands for all of them. A host that logs quickly (it replays its whole log after a
// reset) would otherwise fill the queue with refreshes the window thread works through one
// by one long after the log has settled, and no timer of the thread (the band-change
// window's one-second tick) would fire until the queue is empty.
#pragma once

#include <atomic>

namespace zd {

class RefreshRequests {
 public:
  // A refresh is asked for: true when the caller must post the message, false when one
  // posted earlier has not been taken yet (it will show this request's changes too).
  bool Ask() { return !queued_.exchange(true); }
  // The message could not be posted: the next request posts again.
  void NotPosted() { queued_.store(false); }
  // The window thread takes the message, before its refresh reads anything: a change
  // after this moment asks for a refresh of its own. Also called when a control window
  // comes up, so a message lost with an earlier window does not hold back the new one.
  void Taken() { queued_.store(false); }

 private:
  std::atomic<bool> queued_{false};
};

}  // namespace zd
