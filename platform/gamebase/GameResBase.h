// The resource holder: stands over the loading screen while the scene's
// LoadResStep loads the table's resources stage by stage, one stage a frame,
// and shows each new percentage on the loading screen. At 100 % it calls the
// scene's GameResLoadingEnd once.
#pragma once

#include "platform/framework/YndGameLayer.h"

class YndLoadingBase;

class GameResBase : public YndGameLayer {
 public:
  explicit GameResBase(YndLoadingBase* loading);
  ~GameResBase() override;

  void onEnter() override;
  void update(float dt) override;

  YndLoadingBase* GetLoadingView() const { return m_pLoading; }
  int GetPercent() const { return m_iPercent; }
  bool IsLoadingEnded() const { return m_bEnded; }

 private:
  YndLoadingBase* m_pLoading;  // retained
  int m_iPercent = 0;
  bool m_bEnded = false;
};
