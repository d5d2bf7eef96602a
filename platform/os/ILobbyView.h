// The lobby's web view reports back to the screen that registered itself with
// OsApiBase (the room list): texts such as "update_yb_<a>_<b>",
// "update_money_<a>_<b>" and "result=close".
#pragma once

class ILobbyView {
 public:
  virtual ~ILobbyView() = default;
  virtual void CallbackWebReturnParam(const char* param) = 0;
};
