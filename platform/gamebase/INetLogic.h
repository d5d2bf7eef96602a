// The socket side of a table view: what the game-server connection reports
// to the view that logged in over it (GameViewBase implements it; see
// GameViewNet.cpp).
#pragma once

class INetLogic {
 public:
  virtual ~INetLogic() = default;
  // The connection to the game server could not be made, broke off, or the
  // server stayed silent after the login request (a TcpClientSock error
  // code). Reported once per login.
  virtual void OnNetConnectFailed(int /*code*/) {}
};
