// The fatal-signal handler: when the process dies of a fault (SIGSEGV,
// SIGBUS, SIGFPE, SIGILL, SIGABRT) it writes "crash.dmp" into a given folder
// (the program's own, in the program) and lets the signal end the process as
// it would have. The report is text: the signal, the fault address, the
// process id and a backtrace of the faulting thread.
#pragma once

#include <string>

namespace ddz::os {

constexpr const char* kCrashDumpName = "crash.dmp";

// Installs the handler for the fatal signals; the report goes to
// "<folder>/crash.dmp" (an existing file is replaced). False when the
// folder's path is too long or the handler cannot be installed.
bool InstallCrashHandler(const std::string& folder);
// Restores the actions that were in place before InstallCrashHandler.
void UninstallCrashHandler();

// Writes the report for `signalNumber` and `faultAddress` to an open file
// descriptor. Uses only async-signal-safe calls.
void WriteCrashReport(int fd, int signalNumber, const void* faultAddress);

}  // namespace ddz::os
