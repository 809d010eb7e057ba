// How other programs talk to the host stand-in while it runs.
#pragma once

namespace zd::hoststub {

// WM_COPYDATA with this dwData carries one command line (UTF-8, no terminator needed).
// The message returns TRUE when the command was done or is being waited for.
inline constexpr unsigned long kCopyDataCommand = 0x5A44434DUL;

// Lines of the record that mark the stand-in's life.
inline constexpr char kReadyLine[] = "ready";    // the running object is published
inline constexpr char kClosedLine[] = "closed";  // the object is withdrawn, the window goes

}  // namespace zd::hoststub
