#include "platform/os/CrashHandler.h"

#include <execinfo.h>
#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <cstdint>
#include <cstring>

#include "platform/os/Log.h"

namespace ddz::os {

namespace {

constexpr int kSignals[] = {SIGSEGV, SIGBUS, SIGFPE, SIGILL, SIGABRT};
constexpr int kSignalCount = sizeof kSignals / sizeof kSignals[0];

// Everything the handler touches is prepared at installation.
char g_dumpPath[4096];
struct sigaction g_previous[kSignalCount];
bool g_installed = false;
alignas(16) char g_altStack[64 * 1024];

void WriteText(int fd, const char* text) {
  std::size_t len = std::strlen(text);
  while (len > 0) {
    const ssize_t n = ::write(fd, text, len);
    if (n <= 0) return;
    text += n;
    len -= static_cast<std::size_t>(n);
  }
}

void WriteNumber(int fd, unsigned long long value, unsigned base) {
  char digits[32];
  int i = 0;
  do {
    const unsigned d = static_cast<unsigned>(value % base);
    digits[i++] = static_cast<char>(d < 10 ? '0' + d : 'a' + d - 10);
    value /= base;
  } while (value != 0 && i < 32);
  char out[34];
  int o = 0;
  if (base == 16) {
    out[o++] = '0';
    out[o++] = 'x';
  }
  while (i > 0) out[o++] = digits[--i];
  out[o] = '\0';
  WriteText(fd, out);
}

const char* SignalName(int signalNumber) {
  switch (signalNumber) {
    case SIGSEGV: return "SIGSEGV (invalid memory access)";
    case SIGBUS: return "SIGBUS (bus error)";
    case SIGFPE: return "SIGFPE (arithmetic fault)";
    case SIGILL: return "SIGILL (illegal instruction)";
    case SIGABRT: return "SIGABRT (abort)";
    default: return "fatal signal";
  }
}

void OnFatalSignal(int signalNumber, siginfo_t* info, void*) {
  const int fd = ::open(g_dumpPath, O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  if (fd >= 0) {
    // Only the fault signals carry an address.
    const bool fault = signalNumber != SIGABRT && info != nullptr;
    WriteCrashReport(fd, signalNumber, fault ? info->si_addr : nullptr);
    ::close(fd);
  }
  // Let the signal end the process the way it would have without us.
  struct sigaction dfl {};
  dfl.sa_handler = SIG_DFL;
  sigemptyset(&dfl.sa_mask);
  ::sigaction(signalNumber, &dfl, nullptr);
  ::raise(signalNumber);
}

}  // namespace

void WriteCrashReport(int fd, int signalNumber, const void* faultAddress) {
  WriteText(fd, "Crash report\n");
  WriteText(fd, "signal: ");
  WriteNumber(fd, static_cast<unsigned long long>(signalNumber), 10);
  WriteText(fd, " ");
  WriteText(fd, SignalName(signalNumber));
  WriteText(fd, "\naddress: ");
  WriteNumber(fd, reinterpret_cast<std::uintptr_t>(faultAddress), 16);
  WriteText(fd, "\nprocess: ");
  WriteNumber(fd, static_cast<unsigned long long>(::getpid()), 10);
  WriteText(fd, "\nbacktrace:\n");
  void* frames[64];
  const int count = ::backtrace(frames, 64);
  ::backtrace_symbols_fd(frames, count, fd);
  WriteText(fd, "end of report\n");
}

bool InstallCrashHandler(const std::string& folder) {
  const std::string path = (folder.empty() ? std::string(".") : folder) + "/" + kCrashDumpName;
  if (path.size() >= sizeof g_dumpPath) {
    Log("InstallCrashHandler: folder path too long");
    return false;
  }
  std::memcpy(g_dumpPath, path.c_str(), path.size() + 1);
  if (g_installed) return true;

  // backtrace() loads its unwinder on first use, which is not safe inside a
  // signal handler: do it now.
  void* warmUp[2];
  ::backtrace(warmUp, 2);

  // A stack of its own, so that a stack overflow can still be reported.
  stack_t alt {};
  alt.ss_sp = g_altStack;
  alt.ss_size = sizeof g_altStack;
  ::sigaltstack(&alt, nullptr);

  struct sigaction action {};
  action.sa_sigaction = OnFatalSignal;
  action.sa_flags = SA_SIGINFO | SA_ONSTACK;
  sigemptyset(&action.sa_mask);
  for (int i = 0; i < kSignalCount; ++i) {
    if (::sigaction(kSignals[i], &action, &g_previous[i]) != 0) {
      for (int j = 0; j < i; ++j) ::sigaction(kSignals[j], &g_previous[j], nullptr);
      Log("InstallCrashHandler: sigaction failed");
      return false;
    }
  }
  g_installed = true;
  return true;
}

void UninstallCrashHandler() {
  if (!g_installed) return;
  for (int i = 0; i < kSignalCount; ++i) ::sigaction(kSignals[i], &g_previous[i], nullptr);
  g_installed = false;
}

}  // namespace ddz::os
