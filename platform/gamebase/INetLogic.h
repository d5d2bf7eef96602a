// The socket side of a table view: what a game-server connection reports to
// its owner. The connection itself comes with network play; until then a view
// is only ever told that a connection could not be made.
#pragma once

class INetLogic {
 public:
  virtual ~INetLogic() = default;
  // The connection to the game server failed or broke off.
  virtual void OnNetConnectFailed(int /*code*/) {}
};
