// The base of the loading screen: the resource holder reports the loading
// progress to it as a percentage.
#pragma once

#include "platform/framework/YndGameLayer.h"

class YndLoadingBase : public YndGameLayer {
 public:
  YndLoadingBase();
  // Overrides call the base first. The base keeps the value.
  virtual void SetProNum(int percent);
  int GetProNum() const { return m_iProNum; }

 private:
  int m_iProNum = 0;
};
