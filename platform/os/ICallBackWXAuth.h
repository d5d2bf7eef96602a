// The screen that hears the end of a WeChat authorisation registers itself
// with OsApiBase (the tournament room list). result 0 means authorised; code
// is then the authorisation code.
#pragma once

class ICallBackWXAuth {
 public:
  virtual ~ICallBackWXAuth() = default;
  virtual void CallbackWXAuthRt(int result, const char* code) = 0;
};
