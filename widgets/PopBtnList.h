// The drop-down menu of the room screens: a toggle button and a column of
// entry buttons on a panel that slides out of a clipped window under the
// toggle. The classic room panel (classic/RoomUI.h) carries one.
//
// The open panel stands at (0, -24) under the toggle, inside the window
// (the stencil at (0, -18)); closed it waits height + 10 higher, hidden.
// Entries stand on the panel at (30, 36 + 70 i), i the number added before;
// the panel and the clipping stencil are kBoxWidth wide and 70 per entry
// plus kBoxExtra high. A toggle slides the panel down (open) or back up
// (closed) in 0.2 s and takes the touch of the toggle and of every entry away
// until EnableButtons runs 0.3 s later, which gives the toggle its touch back
// and the entries theirs only while the list is open: a closed list's entries
// take no touch, and no second toggle comes within 0.3 s. A list that comes
// back on the stage after it was taken off with clean-up (its slide and its
// pending EnableButtons dropped) stands at rest, open or closed, and answers.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "platform/framework/YndGameLayer.h"

namespace cocos2d {
class ClippingNode;
namespace ui {
class Button;
class Scale9Sprite;
}  // namespace ui
}  // namespace cocos2d

class PopBtnList : public YndGameLayer {
 public:
  using Action = std::function<void(cocos2d::Ref*)>;

  static constexpr float kEntryStep = 70;
  static constexpr float kFirstEntryY = 36;
  static constexpr float kEntryX = 30;
  static constexpr float kBoxWidth = 60;
  static constexpr float kBoxExtra = 66;
  static constexpr float kOpenPanelY = -24;
  static constexpr float kSlideSeconds = 0.2f;
  static constexpr float kEnableSeconds = 0.3f;

  static PopBtnList* create(const char* toggleImage, const char* panelImage);

  // Adds an entry (sprite-frame images) with its click action; before or
  // after onEnter.
  void AddButton(Action action, const char* normal, const char* pressed, const char* disabled);
  void Toggle(cocos2d::Ref* sender = nullptr);
  void EnableButtons();
  void UpdatePanelSize();

  void onEnter() override;

  bool IsOpen() const { return m_bOpen; }
  float GetPanelHeight() const { return m_fPanelHeight; }
  cocos2d::ui::Button* GetToggle() const { return m_pToggle; }
  const std::vector<cocos2d::ui::Button*>& GetEntries() const { return m_vcEntries; }
  cocos2d::ui::Scale9Sprite* GetPanel() const { return m_pPanel; }
  cocos2d::ui::Scale9Sprite* GetStencil() const { return m_pStencil; }

 private:
  PopBtnList(const char* toggleImage, const char* panelImage);
  ~PopBtnList() override;
  void SetTouches(bool toggle, bool entries);
  // The panel at its resting place for the open state, the touches given back.
  void Settle();
  cocos2d::Vec2 PanelPlace() const;

  bool m_bOpen = false;
  float m_fPanelHeight = 0;
  cocos2d::ui::Button* m_pToggle = nullptr;           // child once built
  std::vector<cocos2d::ui::Button*> m_vcEntries;      // children of the panel
  cocos2d::ui::Scale9Sprite* m_pPanel = nullptr;      // retained from construction
  cocos2d::ui::Scale9Sprite* m_pStencil = nullptr;    // retained from construction
  cocos2d::ClippingNode* m_pClip = nullptr;           // child once built
  std::string m_strToggleImage;
  std::string m_strPanelImage;
};
