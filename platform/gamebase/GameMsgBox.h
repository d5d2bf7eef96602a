// The game base's modal message box: one box for the process, showing one
// text at a time.
//
// Box types in use: 0 question (confirm and cancel), 1 notice with a confirm
// button, 11 question (confirm and cancel), 2, 3, 5 and 6 notices without
// buttons (a wait box, or a notice that closes after `seconds`). A box with a
// confirm or cancel action always has that button.
//
// Pressing a button closes the box first, then runs the action on the owner
// (`target->*action(box)`). While open, the box keeps its owner alive; when the
// node it stands on leaves the scene the box closes without running anything.
// A notice with `seconds` above 0 closes by itself after that time, also
// without an action. Showing a new text replaces the open one.
#pragma once

#include <string>

#include "platform/engine/Ref.h"
#include "platform/framework/YndGameLayer.h"

namespace cocos2d {
class Label;
namespace ui {
class Button;
}
}  // namespace cocos2d

class GameMsgBox : public YndGameLayer {
 public:
  static GameMsgBox* shareMessageBox();
  // Drops the shared box (tests; the next shareMessageBox makes a new one).
  static void destroyMessageBox();

  // The box stands on `parent`, else on `target` when that is a node, else on
  // the running scene, at z-order kZOrder.
  static constexpr int kZOrder = 100000;
  // The panel, centred kPanelRise above the window's middle (clear of the
  // own hand), and the face of its buttons in the table's sheet.
  static constexpr float kPanelWidth = 620;
  static constexpr float kPanelHeight = 280;
  static constexpr float kPanelRise = 70;
  static constexpr const char* kButtonFace = "qorvddz_btn_result_0.png";
  void ShowMessage(const char* text, int type, cocos2d::Ref* target = nullptr,
                   cocos2d::SEL_MenuHandler okAction = nullptr, cocos2d::SEL_MenuHandler cancelAction = nullptr,
                   float seconds = 0.0f, int flag = 0, bool modal = true, cocos2d::Node* parent = nullptr);
  // Closes the box now (delay 0 or less) or after `delay` seconds; no action runs.
  void CloseDialog(float delay = 0.0f);

  // ---- what is shown ----
  bool IsOpen() const { return m_bOpen; }
  const std::string& GetText() const { return m_strText; }
  int GetType() const { return m_iType; }
  float GetSeconds() const { return m_fSeconds; }
  cocos2d::Ref* GetTarget() const { return m_pTarget; }
  bool HasConfirmButton() const { return m_pOkButton != nullptr; }
  bool HasCancelButton() const { return m_pCancelButton != nullptr; }
  // The confirm or the cancel button while the box is open; null when it has none.
  cocos2d::ui::Button* GetButton(bool confirm) const { return confirm ? m_pOkButton : m_pCancelButton; }
  cocos2d::SEL_MenuHandler GetConfirmAction() const { return m_okAction; }
  cocos2d::SEL_MenuHandler GetCancelAction() const { return m_cancelAction; }
  // How many boxes were shown since start (tests).
  int GetShowCount() const { return m_iShowCount; }

  // ---- the buttons ----
  // Press the confirm / cancel button: false (nothing happens) when the box is
  // closed or has no such button.
  bool PressConfirm();
  bool PressCancel();

  void onExit() override;

 private:
  GameMsgBox();
  void Close();
  void Detach();
  void Press(bool confirm);
  void ReleaseTarget();

  bool m_bOpen = false;
  std::string m_strText;
  int m_iType = 0;
  float m_fSeconds = 0.0f;
  int m_iFlag = 0;
  bool m_bModal = true;
  int m_iShowCount = 0;
  cocos2d::Ref* m_pTarget = nullptr;  // retained while open
  cocos2d::SEL_MenuHandler m_okAction = nullptr;
  cocos2d::SEL_MenuHandler m_cancelAction = nullptr;
  cocos2d::Label* m_pLabel = nullptr;
  cocos2d::ui::Button* m_pOkButton = nullptr;
  cocos2d::ui::Button* m_pCancelButton = nullptr;
};
