// The room list of every game id but the tournament's: the screen around the
// room buttons (background by the hour, tips strip, room panel, quick start
// with its glow), which rooms are listed and in what order (classic/RoomOrder.h),
// the quick start, the questions asked before a room that does not fit the
// money, the lobby's web-view returns, and the two invitation buttons
// (tournament list, friends' table) that the web replies 20034 and 20047 show.
//
// The game base (RoomListLayer) keeps the rooms, lays the buttons out and
// enters a room; this class answers its slots. A room is entered when it
// fits the money (minimum <= money < maximum) and is open at this hour; else
// a question: richer than the room -> "game_autogame_ask_txt", whose confirm
// enters a room of the same class that fits (CallBackAutoGame); poorer ->
// "game_xindou_ask_txt", whose confirm hands over to the lobby's shop and
// ends the client (OpenLobbyVac). The lobby's returns and web replies are in
// C_RoomListWeb.cpp.
#pragma once

#include <cstddef>
#include <functional>
#include <vector>

#include "platform/gamebase/RoomListLayer.h"
#include "platform/os/ILobbyView.h"

namespace cocos2d {
class Sprite;
namespace ui {
class Button;
}
}  // namespace cocos2d

class RoomTips;

class C_RoomListLayer : public RoomListLayer, public ILobbyView {
 public:
  static constexpr int kInviteGameID = 62;
  static constexpr int kCompeteGameID = 237;
  static constexpr int kZPanel = 199;
  static constexpr int kZTips = 100;
  static constexpr int kZQuickStart = 299;
  static constexpr std::size_t kChangeMoneyTipSize = 256;
  static constexpr const char* kQuestionFile = "base_txt.conf";
  static constexpr const char* kQuestionSection = "game coution info";
  static constexpr const char* kAskAutoGame = "game_autogame_ask_txt";
  static constexpr const char* kAskXinDou = "game_xindou_ask_txt";
  static constexpr const char* kKeyPlayServer = "lobby_enter_playServerID";
  // The first-entry flag of a user; the two numbers are kept apart.
  static constexpr const char* kKeyFirstInto = "key_qorvddz_first_into_%d_%d";
  static constexpr const char* kKeyScreenSetDate = "DATA_SCREEN_SET_REC_LAST_DATE";
  static constexpr int kSoundEnter = 57;
  static constexpr int kMusicRoom = 2;

  // Registers itself as the shared room list and sends the invitation
  // queries 20034 and 20047 (each at most once an hour, process-wide).
  explicit C_RoomListLayer(int gameId);
  ~C_RoomListLayer() override;

  int GetGameID() const override { return m_iGameID; }

  void onEnter() override;
  void onExit() override;
  void onKeyPressed(cocos2d::EventKeyboard::KeyCode keyCode, cocos2d::Event* event) override;

  // ---- slots of the game base ----
  void PlayRoomMusic() override;
  void DailyScreenSetRecord() override;
  void AskEnterRoom(cocos2d::Ref* sender) override;
  void CallBackAutoGame(cocos2d::Ref* sender) override;
  void BuildRoomBtns() override;
  bool CheckShowDuiHuanBox() override;
  void OpenLobbyVac(int kind) override;
  void ShowChangeMoneyTip(int kind, const char* text) override;
  void FilterRoomItems(std::vector<RoomItemInfo>& listed, std::vector<RoomItemInfo>& all, int money) override;
  RoomBtn* CreateRoomBtn(RoomItemInfo* room) override;
  void EnterLobbyPlayServer() override;
  void CallBackAsyncHttpRes(const char* reply, int len, const char* request, int msgId, int error) override;

  // ---- the lobby's web view ----
  void CallbackWebReturnParam(const char* param) override;

  // The quick-start button, the change-money question and a user's first entry.
  void OnQuickStart(cocos2d::Ref* sender = nullptr);
  // The confirm of "game_xindou_ask_txt".
  void OnLobbyVacConfirm(cocos2d::Ref* sender = nullptr);
  // The invitation buttons, from the tournament and friends'-table records.
  void ShowEnterCompetePopup();
  void ShowEnterPYJPopup();

  int GetCurRoomClass() const { return m_iCurRoomClass; }
  cocos2d::ui::Button* GetQuickStartButton() const { return m_pQuickStartBtn; }
  cocos2d::ui::Button* GetCompeteButton() const { return m_pCompeteBtn; }
  cocos2d::ui::Button* GetPYJButton() const { return m_pPYJBtn; }
  cocos2d::Sprite* GetBackground() const { return m_pBackground; }
  RoomTips* GetTips() const { return m_pTips; }
  const char* GetChangeMoneyTip() const { return m_szChangeMoneyTip; }

 private:
  int Money() const;
  int LocalHour();
  RoomItemInfo* ButtonRoom(std::size_t i) const;
  // The first room, from the last button to the first, that `pick` accepts.
  template <class Pick>
  RoomItemInfo* LastRoomWhere(Pick pick) const;
  void Ask(const char* key, cocos2d::SEL_MenuHandler confirm);
  // A piece of the screen that onEnter builds and onExit takes away.
  void AddScreenNode(cocos2d::Node* node, int z);
  void BuildBackground();
  void BuildQuickStart();
  void EnterFirstTime();
  void ShowChangeMoneyBox();
  void SendWebQueries();
  cocos2d::ui::Button* AddInviteButton(const char* image, float x, std::function<void(cocos2d::Ref*)> click);
  void UpdateCompeteButton(int flag);
  void UpdatePYJButton(int flag);
  void ShowQuickStartUnlessInvited();
  void OnCompeteInvitation(cocos2d::Ref* sender);
  void OnPYJInvitation(cocos2d::Ref* sender);

  int m_iGameID;
  int m_iCurRoomClass = -1;
  cocos2d::ui::Button* m_pQuickStartBtn = nullptr;  // a child while on the stage
  int m_iInviteGameID = 0;
  cocos2d::ui::Button* m_pCompeteBtn = nullptr;     // a child while shown
  cocos2d::ui::Button* m_pPYJBtn = nullptr;         // a child while shown
  char m_szChangeMoneyTip[kChangeMoneyTipSize] = {};
  cocos2d::Sprite* m_pBackground = nullptr;         // a child while on the stage
  RoomTips* m_pTips = nullptr;                      // retained: its tip counter outlives a stay
  cocos2d::Vector<cocos2d::Node*> m_vcScreenNodes;  // built by onEnter, retained while listed
};
