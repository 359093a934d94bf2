#pragma once
// What the operating system may do to a command-line program in the middle of its work,
// turned into something the work can answer. One header; the build compiles the backend
// of its operating system (posix/ or win32/).

namespace oxi {

// From now on Ctrl-C, a request to end (SIGTERM) and the loss of the terminal (SIGHUP, or
// the console window closed) ask the running command to stop instead of ending the
// process at once, so that it can leave the store, the monitor and the files it writes as
// a cancel does: no temporary file stays behind.
void CatchInterrupt();
// True once one of those has come after CatchInterrupt.
bool InterruptRequested();
// The exit status that tells the caller what stopped the command, as a shell reports a
// program the signal ended: 128 + the signal's number (130 for Ctrl-C, 143 for SIGTERM,
// 129 for SIGHUP).
int InterruptExitStatus();

// A write beyond the file-size limit (ulimit -f) then fails as a write, as on a full disk,
// and is reported, instead of ending the process with its temporary file left behind.
void IgnoreFileSizeLimitSignal();

}  // namespace oxi
