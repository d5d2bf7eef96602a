// The panel over the classic room list: the user's figures along the top
// (head, room badge and its number, name, coins, yuanbao), the system menu (a
// PopBtnList with quit, settings and help), the room system buttons, and the
// reader of the web reply 41009 that fills the game base's money exchange
// settings (RoomListLayer::m_defChangeMoneyControlInfo).
//
// One panel serves the process (create); the room list adds it each time it
// enters, and each entry draws the user info anew. The badge comes from the
// room value v of the login record (the room entered): level L = v / 100 / 100; levels 1-5 show the badge
// "qorvddz_roomui_lv_L.png", levels 1-4 also the number v / 100 - L * 100.
// While it exists the panel is the one the awards redraw when they end
// without a table (ShowAward's room panel).
#pragma once

#include "platform/framework/YndGameLayer.h"
#include "platform/gamebase/RoomListLayer.h"
#include "widgets/AwardDisplays.h"

namespace cocos2d {
class Label;
class Sprite;
namespace ui {
class TextAtlas;
}
}  // namespace cocos2d

class AllGameRuleLayer;
class PopBtnList;
class RoomSysBtn;

class RoomUI : public YndGameLayer, public IRoomUserInfo {
 public:
  static constexpr int kModeCurrent = -1;
  static constexpr int kModeRoomList = 2;
  static constexpr int kModeNothing = 3;
  static constexpr int kChangeMoneyReply = 41009;
  static constexpr int kChangeMoneyReplySize = 20;
  static constexpr int kAllRulesGame = 52;
  static constexpr int kZRules = 399;
  static constexpr int kZSettings = 999;
  static constexpr int kZUserInfo = -1;

  // kModeCurrent: the panel there is (may be null). Otherwise the panel with
  // this mode: a new one when there is none, the one there is when it is not
  // running, and a new one in place of a running one (which leaves its parent).
  static RoomUI* create(int mode);
  // Drops the panel (tests; the next create makes a new one).
  static void destroyInstance();
  // The process's all-rules dialog (the Super list's help), made on first use.
  static AllGameRuleLayer* SharedAllGameRule();

  // Fills `info` from a 41009 reply of at least kChangeMoneyReplySize bytes
  // stamped with `now`; false (nothing written) for a shorter reply.
  [[nodiscard]] static bool ReadChangeMoneyReply(const char* reply, int len, int now,
                                                 RoomListLayer::ChangeMoneyControlInfo& info);
  // The badge level and number of a room value; level outside 1-5: no badge,
  // number -1: none shown.
  static int BadgeLevel(int roomValue);
  static int BadgeNumber(int roomValue);

  void onEnter() override;
  void onExit() override;
  // Writes the coins and yuanbao of the login into their labels (once built).
  void FreshUserInfo() override;
  void CallBackAsyncHttpRes(const char* reply, int len, const char* request, int msgId, int error) override;

  void OnQuitClick(cocos2d::Ref* sender = nullptr);
  void OnSettingClick(cocos2d::Ref* sender = nullptr);
  void OnHelpClick(cocos2d::Ref* sender = nullptr);

  int GetMode() const { return m_iMode; }
  PopBtnList* GetMenu() const { return m_pMenu; }
  RoomSysBtn* GetSysBtn() const { return m_pSysBtn; }
  cocos2d::Sprite* GetBadge() const { return m_pBadge; }
  cocos2d::ui::TextAtlas* GetBadgeNumber() const { return m_pBadgeNum; }
  cocos2d::Label* GetMoneyLabel() const { return m_pMoneyLabel; }
  cocos2d::Label* GetYuanBaoLabel() const { return m_pYBLabel; }
  cocos2d::Label* GetNameLabel() const { return m_pNameLabel; }

 private:
  explicit RoomUI(int mode);
  ~RoomUI() override;
  void BuildUserInfo();

  int m_iMode;
  // Children while built. The user info (head, badge, name and figures)
  // stands on its own node, drawn anew at every entry.
  RoomSysBtn* m_pSysBtn = nullptr;
  cocos2d::Node* m_pUserInfo = nullptr;
  cocos2d::Sprite* m_pBadge = nullptr;
  cocos2d::ui::TextAtlas* m_pBadgeNum = nullptr;
  cocos2d::Label* m_pMoneyLabel = nullptr;
  cocos2d::Label* m_pYBLabel = nullptr;
  cocos2d::Label* m_pNameLabel = nullptr;
  PopBtnList* m_pMenu = nullptr;
  int m_iLast = 0;
};
