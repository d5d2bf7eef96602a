// The desktop window's frame: a node laid over the game scene that carries the
// title with the version text and the close and help buttons. The game scene
// adds it; the close button asks the scene to quit, the help button opens the
// rules.
#pragma once

#include <functional>
#include <string>

#include "platform/engine/Node.h"

class PCBaseFrame : public cocos2d::Node {
 public:
  using ButtonCallback = std::function<void(cocos2d::Ref* sender)>;

  // The one frame, created on first use with a reference owned by the caller
  // (the scene autoreleases it when it adds it). The frame forgets itself when
  // it is destroyed, so a later call makes a new one.
  static PCBaseFrame* SharedPCBaseFrame();
  // The frame when there is one; never makes one.
  static PCBaseFrame* SharedPCBaseFrameIfAny();
  ~PCBaseFrame() override;

  void SetGameTitleAndVersion(const char* text);
  const std::string& GetGameTitleAndVersion() const { return m_strTitle; }

  void SetCloseBtnCallBack(ButtonCallback callback) { m_closeCallback = std::move(callback); }
  void SetHelpBtnCallBack(ButtonCallback callback) { m_helpCallback = std::move(callback); }

  // The window's buttons were pressed. False when no callback is set.
  bool OnCloseBtnClick();
  bool OnHelpBtnClick();

 private:
  PCBaseFrame();
  std::string m_strTitle;
  ButtonCallback m_closeCallback;
  ButtonCallback m_helpCallback;
};
