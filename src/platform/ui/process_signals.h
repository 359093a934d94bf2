#pragma once
// What the operating system may do to a command-line program in the middle of its work,
// turned into something the work can answer. One header; the build compiles the backend
// of its operating system (posix/ or win32/).

namespace oxi {

// From now on Ctrl-C asks the running command to stop instead of ending the process at
// once, so that it can leave the store and the monitor as a cancel does.
void CatchInterrupt();
// True once Ctrl-C has come after CatchInterrupt.
bool InterruptRequested();

// A write beyond the file-size limit (ulimit -f) then fails as a write, as on a full disk,
// and is reported, instead of ending the process with its temporary file left behind.
void IgnoreFileSizeLimitSignal();

}  // namespace oxi
