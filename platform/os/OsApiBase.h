// The platform's launch-parameter record and device facts. Start-up parses
// the lobby's command line into the record; the game-base layer and the views
// read it. One instance per process.
#pragma once

#include <cstdint>
#include <string>

class ILobbyView;

class OsApiBase {
 public:
  static OsApiBase* shareOsApi();

  // ---- launch-parameter record, in record order ----
  std::uint8_t bLaunchedWithParams = 0;  // 1 once a server address with a '.' was seen
  char m_szServerIP[20] = {};            // zero-terminated
  std::uint16_t m_iServerPort = 0;
  std::int32_t iLaunchParam4 = 0;
  std::int32_t m_iServerID = 0;
  std::int32_t m_iNetFlg = 0;
  std::int32_t m_iUserID = 0;
  char m_szUserToken[20] = {};  // zero-terminated
  std::int32_t iLaunchGameKind = 0;
  std::uint8_t bLaunchFlag = 1;
  std::uint32_t hLobbyWnd = 0;

  // Bounded setters for the two text fields: cut at a character boundary so
  // the terminator always fits.
  void SetServerIP(const char* text);
  void SetUserToken(const char* text);

  // Device model: "ipad" selects the tablet layout. A desktop reports "pc".
  const std::string& GetDeviceModel() const { return m_strDeviceModel; }
  void SetDeviceModel(std::string model) { m_strDeviceModel = std::move(model); }

  // The system's version as a decimal text ("6.1"), read with atof by callers.
  const std::string& GetSystemVersion() const { return m_strSystemVersion; }
  void SetSystemVersion(std::string version) { m_strSystemVersion = std::move(version); }

  // The screen that hears the lobby's web-view returns; null clears it.
  void SetLobbyView(ILobbyView* view) { m_pLobbyView = view; }
  ILobbyView* GetLobbyView() const { return m_pLobbyView; }
  // Hands a web-view return to the registered screen. False when none is
  // registered or the text is null.
  bool DeliverWebReturnParam(const char* param);

  // Back to the state at process start (tests).
  void Reset();

 private:
  OsApiBase();
  std::string m_strDeviceModel;
  std::string m_strSystemVersion;
  ILobbyView* m_pLobbyView = nullptr;
};
