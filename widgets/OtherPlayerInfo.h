// The info popup of a seated player: three lines (name, title, a number or a
// money title) on a nine-slice background, and on the networked tables the
// player's level badge. A touch on the seat's head opens it (ShowInfo(true)),
// a second touch or 5 s close it; each seat join fills it (IniPlayerInfo).
//
// Single-player game: the small background; for the own seat line 0 game
// text 430, line 1 the score title of the single-player count, line 2 that
// count; for a computer seat line 0 its name (the nickname the table gave
// it, else the user name) and no title or count, since the local server
// keeps no score for it. Networked tables: the large background; line 1 the
// name, hidden where the table hides names (game kind 4, or the login's game
// kind 7 or 8), line 2 the money title, the level badge, and the
// paid-expression panel (MagicExpressLayer): it learns the two users at each
// fill and the own prop counts (3001-3008, from the view's backpack) and
// money at each opening, and hands a picked expression to the view's
// CallBackSendUseMagicExpress.
//
// Every node is a child of the background, which is a child of the popup.
#pragma once

#include "platform/engine/Math.h"
#include "platform/framework/YndGameLayer.h"

namespace cocos2d {
class Label;
class Sprite;
namespace ui {
class Scale9Sprite;
}
}  // namespace cocos2d
class DDZGameView;
class MagicExpressLayer;
struct PlayerNode;

class OtherPlayerInfo : public YndGameLayer {
 public:
  static constexpr int kOwnSeat = 1;
  static constexpr int kLines = 3;
  static constexpr unsigned kAutoCloseMs = 5000;
  static constexpr float kNameMaxWidth = 180;
  static constexpr const char* kSheet = "vellddz_res_playerinfo.plist";
  static constexpr const char* kSingleBg = "zuvoz_grxx_bg.png";
  static constexpr const char* kNetBg = "qorvddz_grxx_bg.png";
  static constexpr const char* kLevelFormat = "Lv_%d.png";
  static constexpr const char* kLevelDigits = "Lv_num.png";
  static constexpr int kTopLevel = 5;
  // Game text entries.
  static constexpr int kTextOwnSingleName = 430;
  static constexpr int kTextUnnamed = 20;
  static constexpr int kTextHiddenName = 21;

  // pView: the view the popup belongs to (borrowed; it outlives its popups);
  // null means the running table view.
  explicit OtherPlayerInfo(int iTablePos, DDZGameView* pView = nullptr);

  // Builds the popup, hidden.
  void onEnter() override;
  // Gives up the popup's own hold on the expression panel.
  void onExit() override;
  // Fills the popup for the player who sat down at the seat; nothing for a
  // null player or while the popup is not on the stage.
  void IniPlayerInfo(PlayerNode* pPlayer);
  // Opens (true) or closes (false) the popup; true on an open popup closes it.
  void ShowInfo(bool bShow);
  int GetTablePos() const { return m_iTablePos; }
  // Closes the popup kAutoCloseMs after it was opened.
  void update(float dt) override;

  // ---- for the table and the tests ----
  int IsMagic() const { return m_bMagic; }
  cocos2d::ui::Scale9Sprite* GetBackground() const { return m_pBg; }
  cocos2d::Label* GetLine(int i) const { return m_pLabel[i]; }
  cocos2d::Sprite* GetLevelBadge() const { return m_pLevel; }
  MagicExpressLayer* GetMagicLayer() const { return m_pMagicLayer; }

  static constexpr int kMagicPropIds[8] = {3001, 3002, 3003, 3004, 3005, 3006, 3007, 3008};

 private:
  DDZGameView* View() const;
  void ShowLevelBadge(int levelValue);

  int m_bMagic = 0;
  int m_iTablePos;
  cocos2d::ui::Scale9Sprite* m_pBg = nullptr;  // child; null until onEnter
  cocos2d::Label* m_pLabel[kLines] = {};       // children of m_pBg
  cocos2d::Sprite* m_pLevel = nullptr;         // child of m_pBg, null when no badge
  MagicExpressLayer* m_pMagicLayer = nullptr;  // child of m_pBg, also held by the popup until onExit
  unsigned int m_uShowTime = 0;
  DDZGameView* m_pView = nullptr;  // borrowed
};
