// Starting another program beside the client (the web view): from an argument
// vector, with posix_spawn and no shell, so an argument with spaces stays one
// argument. One program at a time per launcher; the caller ends or forgets
// the last one before starting the next.
//
// The web-view program comes from configuration (SetWebViewProgram, else the
// setting DDZ_WEB_VIEW_PROGRAM); with none configured a start fails, as a
// start of a missing program does.
#pragma once

#include <memory>
#include <string>
#include <vector>

namespace ddz::os {

struct ProcessExitState {
  bool started = false;  // a program was started and not forgotten
  bool running = false;
  bool exited = false;   // ended by itself: `code` is its exit status
  int code = 0;
  int signal = 0;        // ended by this signal (0: it was not)
  bool operator==(const ProcessExitState&) const = default;
};

class IProcessLauncher {
 public:
  virtual ~IProcessLauncher() = default;
  // argv[0] is the program's path. False (logged) when it cannot start, or
  // when a started program is still held.
  virtual bool Start(const std::vector<std::string>& argv) = 0;
  virtual ProcessExitState ExitState() = 0;
  // Ends the program at once and collects it; false when none is held.
  virtual bool Terminate() = 0;
  // Lets go of the program without ending it.
  virtual void Forget() = 0;
};

// The real launcher.
class SpawnLauncher : public IProcessLauncher {
 public:
  ~SpawnLauncher() override;
  bool Start(const std::vector<std::string>& argv) override;
  ProcessExitState ExitState() override;
  bool Terminate() override;
  void Forget() override;
  // Waits up to `ms` for the program to end (tools and tests); its state.
  ProcessExitState WaitForExit(int ms);
  int Pid() const { return m_pid; }

 private:
  void Collect(int status);
  int m_pid = -1;
  int m_pidFd = -1;
  ProcessExitState m_state;
};

// A launcher that starts nothing: it keeps every argument vector it was given
// and answers with the state a test sets.
class RecordingLauncher : public IProcessLauncher {
 public:
  bool Start(const std::vector<std::string>& argv) override;
  ProcessExitState ExitState() override { return m_state; }
  bool Terminate() override;
  void Forget() override { m_state = {}; }

  std::vector<std::vector<std::string>> starts;
  int terminations = 0;
  bool startSucceeds = true;

 private:
  ProcessExitState m_state;
};

// The launcher of the web view: the real one unless a test put another in
// (null puts the real one back).
IProcessLauncher& WebViewLauncher();
void SetWebViewLauncher(IProcessLauncher* launcher);

// The configured web-view program ("" when none).
std::string WebViewProgram();
void SetWebViewProgram(std::string path);

}  // namespace ddz::os
