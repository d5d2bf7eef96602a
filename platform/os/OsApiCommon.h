// Platform services of the running client: the screen orientation, ending the
// client, the network and battery state for the table's status bar, and a
// stable text that names the machine.
#pragma once

#include <functional>
#include <optional>
#include <string>

class OsApiBase;

class OsApiCommon {
 public:
  enum Orientation { kLandscape = 0, kPortrait = 1 };
  // Connection kinds: 0 none, 1 wireless, 2 wired.
  enum ConnectionKind { kConnectionNone = 0, kConnectionWireless = 1, kConnectionWired = 2 };

  // The one instance. A non-null base registers it (the game scene hands in
  // OsApiBase::shareOsApi() when it is built).
  static OsApiCommon* shareOsApiCommon(OsApiBase* base = nullptr);
  OsApiBase* GetOsApiBase() const { return m_pBase; }

  // A desktop window is landscape unless set otherwise.
  int GetOrientation() const { return m_iOrientation; }
  void SetOrientation(int orientation) { m_iOrientation = orientation; }

  // Ends the client. Every call is counted and logged; the program's start-up
  // installs the handler that stops the main loop. Without a handler (tests)
  // nothing else happens.
  void ExitGame();
  int GetExitCount() const { return m_iExitCount; }
  // True once the client was asked to end: start-up goes no further.
  bool IsExitRequested() const { return m_iExitCount > 0; }
  void SetExitHandler(std::function<void()> handler) { m_exitHandler = std::move(handler); }

  // Network connection kind and battery level (0 to 100, -1 without a
  // battery), read from the system unless a value was set.
  int GetConnectionKind() const;
  int GetBatteryLevel() const;
  void SetConnectionKind(std::optional<int> kind) { m_connectionKind = kind; }
  void SetBatteryLevel(std::optional<int> level) { m_batteryLevel = level; }
  // Where the system facts are read from ("/sys/class/net",
  // "/sys/class/power_supply"); tests point them at a folder of their own.
  void SetSystemFolders(std::string netFolder, std::string powerFolder);

  // A stable text of at most 19 characters that identifies this computer.
  std::string GetMachineText() const;

  // Back to the state at process start (tests).
  void Reset();

 private:
  OsApiCommon() { Reset(); }
  OsApiBase* m_pBase = nullptr;
  int m_iOrientation = kLandscape;
  int m_iExitCount = 0;
  std::function<void()> m_exitHandler;
  std::optional<int> m_connectionKind;
  std::optional<int> m_batteryLevel;
  std::string m_strNetFolder;
  std::string m_strPowerFolder;
};

namespace ddz::os {
// The readers behind OsApiCommon, on a given sysfs-style folder.
// Kind: 2 when a wired interface is up, else 1 when a wireless one is up, else 0.
int DetectConnectionKind(const std::string& netFolder);
// The capacity of the first battery (clamped to 0..100), -1 when there is none.
int DetectBatteryLevel(const std::string& powerFolder);
}  // namespace ddz::os
