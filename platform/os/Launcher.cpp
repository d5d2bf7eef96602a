#include "platform/os/Launcher.h"

#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

#include "platform/os/Log.h"

extern char** environ;

namespace ddz::os {

SpawnLauncher::~SpawnLauncher() { Forget(); }

bool SpawnLauncher::Start(const std::vector<std::string>& argv) {
  if (m_pid > 0) {
    Log("launcher: a program (pid %d) is still held; end or forget it first", m_pid);
    return false;
  }
  if (argv.empty() || argv[0].empty()) {
    Log("launcher: no program to start");
    return false;
  }
  std::vector<char*> args;
  args.reserve(argv.size() + 1);
  for (const std::string& a : argv) args.push_back(const_cast<char*>(a.c_str()));
  args.push_back(nullptr);
  pid_t pid = -1;
  const int rc = ::posix_spawn(&pid, args[0], nullptr, nullptr, args.data(), environ);
  if (rc != 0) {
    Log("launcher: [%s] did not start (%s)", argv[0].c_str(), std::strerror(rc));
    return false;
  }
  m_pid = pid;
  m_pidFd = static_cast<int>(::syscall(SYS_pidfd_open, pid, 0));
  m_state = ProcessExitState{true, true, false, 0, 0};
  Log("launcher: [%s] started, pid %d", argv[0].c_str(), pid);
  return true;
}

void SpawnLauncher::Collect(int status) {
  m_state.running = false;
  if (WIFEXITED(status)) {
    m_state.exited = true;
    m_state.code = WEXITSTATUS(status);
  } else if (WIFSIGNALED(status)) {
    m_state.signal = WTERMSIG(status);
  }
}

ProcessExitState SpawnLauncher::ExitState() {
  if (m_pid > 0 && m_state.running) {
    int status = 0;
    if (::waitpid(m_pid, &status, WNOHANG) == m_pid) Collect(status);
  }
  return m_state;
}

ProcessExitState SpawnLauncher::WaitForExit(int ms) {
  if (m_pid > 0 && m_state.running && m_pidFd >= 0) {
    pollfd fd{m_pidFd, POLLIN, 0};
    ::poll(&fd, 1, ms < 0 ? 0 : ms);
  }
  return ExitState();
}

bool SpawnLauncher::Terminate() {
  if (m_pid <= 0) return false;
  if (ExitState().running) {
    ::kill(m_pid, SIGKILL);
    int status = 0;
    while (::waitpid(m_pid, &status, 0) < 0 && errno == EINTR) {
    }
    Collect(status);
  }
  Log("launcher: pid %d ended", m_pid);
  Forget();
  return true;
}

void SpawnLauncher::Forget() {
  if (m_pidFd >= 0) ::close(m_pidFd);
  m_pidFd = -1;
  m_pid = -1;
  m_state = {};
}

bool RecordingLauncher::Start(const std::vector<std::string>& argv) {
  starts.push_back(argv);
  if (!startSucceeds || argv.empty() || argv[0].empty()) return false;
  m_state = ProcessExitState{true, true, false, 0, 0};
  return true;
}

bool RecordingLauncher::Terminate() {
  if (!m_state.started) return false;
  ++terminations;
  m_state = {};
  return true;
}

namespace {
IProcessLauncher*& LauncherOverride() {
  static IProcessLauncher* launcher = nullptr;
  return launcher;
}
std::string& ProgramSetting() {
  static std::string path;
  return path;
}
}  // namespace

IProcessLauncher& WebViewLauncher() {
  static SpawnLauncher real;
  return LauncherOverride() ? *LauncherOverride() : real;
}

void SetWebViewLauncher(IProcessLauncher* launcher) { LauncherOverride() = launcher; }

std::string WebViewProgram() {
  if (!ProgramSetting().empty()) return ProgramSetting();
  const char* env = std::getenv("DDZ_WEB_VIEW_PROGRAM");
  return env ? env : "";
}

void SetWebViewProgram(std::string path) { ProgramSetting() = std::move(path); }

}  // namespace ddz::os
