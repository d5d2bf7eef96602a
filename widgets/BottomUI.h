// The own-player strip at the bottom of the four-player and Super tables: the
// own head, name, level badge, money and yuanbao. In the single-player game
// the money and yuanbao give way to the single-player score, win rate and the
// score's title, and the money and yuanbao setters change nothing there.
//
// The variant views make it in their table build; the table-view base asks
// the view to refresh it from the own player's record after a hand
// (DDZGameView::RefreshBottomBarInfo), which the views answer with
// SetUIInfo while the bar is visible. Scripts may make one without a view.
//
// Level badge (SetExp): level = experience / 100; levels 1-5 show their
// badge, below 5 with the experience's last two digits beside it; any other
// level shows no badge.
#pragma once

#include <string>

#include "platform/engine/Math.h"
#include "platform/framework/YndGameLayer.h"

namespace cocos2d {
class Label;
class Sprite;
namespace ui {
class TextAtlas;
}
}  // namespace cocos2d
class DDZGameView;
struct PlayerNode;

class RoomTips;

class BottomUI : public YndGameLayer {
 public:
  static constexpr int kSingleNameText = 430;
  static constexpr int kCmpUnitText[2] = {58, 59};
  static constexpr int kTopBadgeLevel = 5;
  static constexpr int kLobbyPropKind = 1001;
  static constexpr float kSlideSeconds = 0.8f;
  static constexpr float kSlideDrop = 100;  // the strip slides up from this far below its place
  static constexpr int kSlideTag = 0x5b01;

  // pGameView: the owning view, not owned; null when a script makes the bar.
  static BottomUI* create(DDZGameView* pGameView);

  void onEnter() override;

  // The single-player game: own text name, score, rate and title from the
  // single-player totals of the login record. Otherwise from `pNode` (the
  // own player; null changes nothing): level, yuanbao, money, and the
  // login's nickname (its user name when the nickname is empty or "N").
  void SetUIInfo(PlayerNode* pNode);
  void SetUserName(const std::string& strUserName);
  // Not in the single-player game: shows and keeps the value; the yuanbao
  // also tells the lobby (through the view) that prop tips may have changed.
  void SetYBNum(int iYBNum);
  void SetMoneyNum(int iMoney, bool bPlayAni);
  // Competition values of a player record (scripts): the money label shows
  // the first; a competition label, when one exists, the other two with units.
  void FreshCmpValue(PlayerNode* pNode);
  void ClearCmpSelfInfo(bool bClearBagInfo);
  // While running on the phone layout: shown from hidden, the strip slides
  // up into its place; then shown or hidden.
  void ShowBottomSelfInfo(bool bShow);
  void SetExp(int iExp);

  int GetYBNum() const { return m_iYBNum; }
  int GetMoneyNum() const { return m_iMoney; }
  bool IsVisible() const { return isVisible(); }

  cocos2d::Label* GetNameLabel() const { return m_pNameLabel; }
  cocos2d::Label* GetTitleLabel() const { return m_pTitleLabel; }
  cocos2d::Label* GetScoreLabel() const { return m_pScoreLabel; }
  cocos2d::Label* GetRateLabel() const { return m_pRateLabel; }
  cocos2d::Label* GetMoneyLabel() const { return m_pMoneyLabel; }
  cocos2d::Label* GetYBLabel() const { return m_pYBLabel; }
  cocos2d::ui::TextAtlas* GetLvNum() const { return m_pLvNum; }
  cocos2d::Sprite* GetLvIcon() const { return m_pLvIcon; }
  // The own head picture in its frame; null when its frame is missing.
  cocos2d::Sprite* GetHeadSprite() const { return m_pHeadSprite; }
  RoomTips* GetTips() const { return m_pTips; }
  cocos2d::Node* GetSingleFields() const { return m_pSingleFields; }
  cocos2d::Node* GetMoneyFields() const { return m_pMoneyFields; }

 protected:
  explicit BottomUI(DDZGameView* pGameView);

  // A derived bar's competition label (a child; FreshCmpValue and
  // ClearCmpSelfInfo write it). This bar builds none.
  cocos2d::Label* m_pCmpLabel = nullptr;

 private:
  void Build();
  void BuildSingleFields();
  void BuildMoneyFields();

  DDZGameView* m_pGameView = nullptr;  // not owned, may be null
  // The labels and badge are children of the bar (or of its field groups).
  cocos2d::Label* m_pNameLabel = nullptr;
  cocos2d::Label* m_pTitleLabel = nullptr;
  cocos2d::Label* m_pScoreLabel = nullptr;
  cocos2d::Label* m_pRateLabel = nullptr;
  cocos2d::Label* m_pMoneyLabel = nullptr;
  cocos2d::Label* m_pYBLabel = nullptr;
  int m_iMoney = 0;
  int m_iYBNum = 0;
  cocos2d::ui::TextAtlas* m_pLvNum = nullptr;
  cocos2d::Sprite* m_pLvIcon = nullptr;
  cocos2d::Sprite* m_pHeadSprite = nullptr;
  RoomTips* m_pTips = nullptr;  // the tip strip, a child
  // The single-player fields, or the money and yuanbao fields: one group shows.
  cocos2d::Node* m_pSingleFields = nullptr;
  cocos2d::Node* m_pMoneyFields = nullptr;
  cocos2d::Vec2 m_ptPlace;  // where the strip stands while it slides in
};
