// The backpack: the player's props as a 4 x 4 grid of cells on a panel, with
// a tooltip that follows the pointer over a cell. It is at the same time the
// game base's prop list (`PackInfoBase`: the library keeps the records there
// and calls back when they change) and a layer. The PC bottom bar creates it,
// opens it with its backpack button and loads the prop catalogue.
//
// The hovered prop and the tip's prop are kept by id and looked up in the
// list when used, so a prop deleted meanwhile is simply gone from view.
// While the backpack exists a one-second tick (`UpdatePropTimer`) rebuilds
// the visible tip and removes at most one expired timed prop.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "gamedata/PropCatalog.h"
#include "platform/engine/Math.h"
#include "platform/framework/YndGameLayer.h"
#include "platform/gamebase/PackInfoBase.h"

namespace cocos2d {
class Label;
class Sprite;
}
class DDZPropItem;
class DDZPropTip;

class DDZPackLayer : public PackInfoBase, public YndGameLayer {
 public:
  static constexpr int kCellCount = 16;
  static constexpr int kColumns = 4;
  static constexpr const char* kPropConfFile = ddz::kPropConfFile;

  // The one backpack, created when none exists (not retained: the bottom bar
  // that keeps it retains it).
  static DDZPackLayer* getInstance();
  static DDZPackLayer* create();
  ~DDZPackLayer() override;

  // ---- the catalogue (gamedata/PropCatalog.h, shared with the tournament) ----
  static void LoadPropConf(const char* file) { ::LoadPropConf(file); }
  static std::map<int, PropInfo>& GetStaticPropMap() { return ::GetStaticPropMap(); }

  // ---- library notices ----
  void CallBackAddUserProp(int propId) override;
  void CallBackDeleteUserProp(int propId) override;
  void CallBackSuccUserPropnfo() override;

  // Opens the backpack (first time: builds the panel, the tip and the cells).
  void ShowPack();
  // Rebuilds the grid from the records (the first sixteen; currencies 1, 2
  // and 4 from the login record).
  void RefreshPropList();
  // `dt` seconds since the last call: the tip's remaining time and one expired
  // prop per second of accumulated time.
  void UpdatePropTimer(float dt);

  // ---- layer ----
  void onEnter() override;
  void onExit() override;
  void onTouchesBegan(const std::vector<cocos2d::Touch*>& touches, cocos2d::Event* event) override;
  void onTouchesMoved(const std::vector<cocos2d::Touch*>& touches, cocos2d::Event* event) override;
  void onTouchesEnded(const std::vector<cocos2d::Touch*>& touches, cocos2d::Event* event) override;
  void CallBackHandleMouseEvent(int kind, cocos2d::EventMouse* event) override;

  // Hover at `point` (layer coordinates): selects the record under it, shows
  // and places the tip, or hides it.
  void HoverAt(const cocos2d::Vec2& point);

  cocos2d::Sprite* GetPanel() const { return m_pPackBg; }
  // The line across the panel while the backpack holds nothing.
  cocos2d::Label* GetEmptyLine() const { return m_pEmptyLine; }
  DDZPropTip* GetTip() const { return m_pPropTip; }
  DDZPropItem* GetCell(int i) const { return i >= 0 && i < kCellCount ? m_vcPropItem[i] : nullptr; }
  const std::vector<cocos2d::Rect>& GetCellRects() const { return m_vcCellRect; }
  int GetHoverPropId() const { return m_iHoverPropID; }
  float GetElapsed() const { return m_fElapsed; }

  cocos2d::Vec2 m_ptPackBg{960.0f, 198.0f};  // set by the bottom bar

 private:
  DDZPackLayer();
  const UserPropRecord* FindRecord(int propId) const;
  void RefreshTip();
  void Close();

  float m_fElapsed = 0.0f;
  float m_fLastTick = -1.0f;                // accumulated time of the last tick; < 0 before the first
  cocos2d::Sprite* m_pPackBg = nullptr;     // child, null until first shown
  DDZPropTip* m_pPropTip = nullptr;         // child, null until first shown
  cocos2d::Label* m_pEmptyLine = nullptr;   // child of the panel, null until first shown
  int m_iHoverPropID = 0;                   // prop under the pointer, 0 for none
  bool m_bPropsReady = true;
  std::vector<cocos2d::Rect> m_vcCellRect;  // in panel coordinates
  std::vector<DDZPropItem*> m_vcPropItem = std::vector<DDZPropItem*>(kCellCount, nullptr);  // children of the panel
};
