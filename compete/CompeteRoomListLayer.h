// The tournament's room list (game id 237): one match card (RoomInfoItem) per
// match the user can sign up for, the header with the user's three holdings,
// the menu, the web-view and recharge buttons, and entering a match room.
//
// Where the matches come from: the lobby's room entries of game 237 (the room
// file) name a match by their rule record's class (RoomRuleInfo::iRoomClass);
// the match records are g_vcCompeteRoomTable (the match file). Each list
// build (FilterRoomItems) keeps the first entry of each match, orders them by
// the rule record's sub-type, and makes one CompeteRoomInfo per entry and
// usable record. The web server keeps the list fresh: 20035 (the user's
// record, on every entry unless a match is signed up for again) re-chooses
// every card's fee but one the user picked, and an open sign-up dialog shows
// its match's fee anew; 20036 (a match's sign-up count, asked at most every
// 300 s while replies come) updates the match's shown count. Replies are
// read only when long enough, 'S' and without a transfer error.
//
// Entering: the card's sign-up road ends in EnterCompeteRoom, which asks the
// script handler 19, then picks one open room of the match at random and has
// the base enter it on the next frame behind a wait box. g_iCompeteEnterMode
// becomes 1 only then (the tournament table sends its sign-up request when it
// finds 1 after the login).
//
// Signing up again (the award screen's "again"): the entry covers the list
// with the table and runs the card's road at once, paying with the last
// sign-up's fee kind while it can be paid. A road that ends in a box takes
// the cover away; a match no longer listed signs nothing up, and a stored
// play server is then signed up for as on any entry.
#pragma once

#include <climits>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "gamedata/CompeteRoomInfo.h"
#include "platform/framework/LobbyNewVac.h"
#include "platform/gamebase/RoomListLayer.h"
#include "platform/os/ICallBackWXAuth.h"
#include "platform/os/ILobbyView.h"

namespace cocos2d {
class Node;
namespace ui {
class ListView;
class TextAtlas;
}  // namespace ui
}  // namespace cocos2d

class RoomInfoItem;

// The time of the last accepted 20036 reply (0 at start).
extern std::int32_t g_tLastSignUpNumReply;
// 1 when the award screen asked to sign up again for the match just played.
extern std::int32_t g_bCompetePlayAgain;
// 1 from the sign-up road's entry into a match until the tournament table
// has sent its sign-up request.
extern std::int32_t g_iCompeteEnterMode;

class CompeteRoomListLayer : public RoomListLayer,
                             public ILobbyView,
                             public ICallBackWXAuth,
                             public ILobbyVacReceiver {
 public:
  static constexpr int kGameID = 237;
  // The back key leaves for the classic game kind.
  static constexpr int kBackGameKind = 62;
  // The script handler asked before a match room is entered.
  static constexpr int kLuaEnterRoom = 19;
  static constexpr const char* kLuaRoomType = "gamebase.RoomItemInfoDef";
  // FindCompeteRoom's answers beside a fee kind.
  static constexpr int kFindLastFeePayable = -999;
  static constexpr int kFindNoFeePayable = -99;
  static constexpr int kFindNoMatch = INT_MIN;
  // The error shown when a match has no open room.
  static constexpr int kNoOpenRoomError = 127;
  static constexpr int kZSignUp = 100;
  static constexpr int kZCover = 1000;
  static constexpr const char* kSheet = "ddzbs_roomlist_res.plist";
  static constexpr const char* kKeyPlayServer = "lobby_enter_playServerID";
  static constexpr const char* kQuestionFile = "base_txt.conf";
  static constexpr const char* kQuestionSection = "game coution info";
  // Header places: the holding boxes' centres and widths (fee kinds 1, 2, 3),
  // the list's frame below the header.
  static constexpr float kBoxX[3] = {180, 420, 600};
  static constexpr float kBoxWidth[3] = {200, 140, 140};
  static constexpr float kHeaderHeight = 100;
  static constexpr float kListWidth = 1000;
  static constexpr float kListBottom = 10;
  static constexpr float kListGap = 10;
  static constexpr float kCardGap = 10;

  // Opens the sign-up dialog for a card (installed by the dialog's code;
  // without one the wish is logged).
  using SignUpOpener = std::function<void(CompeteRoomListLayer& list, CompeteRoomInfo& room, RoomInfoItem& card)>;
  static void SetSignUpOpener(SignUpOpener opener);

  CompeteRoomListLayer();
  ~CompeteRoomListLayer() override;

  int GetGameID() const override { return kGameID; }

  void onEnter() override;
  void onExit() override;
  void onKeyPressed(cocos2d::EventKeyboard::KeyCode keyCode, cocos2d::Event* event) override;
  void CallBackAsyncHttpRes(const char* reply, int len, const char* request, int msgId, int error) override;

  // ---- slots of the game base ----
  void StopRoomSound() override;
  void PlayRoomMusic() override;
  void BuildRoomBtns() override;
  void OpenLobbyVac(int source) override;
  void ShowChangeMoneyTip(int kind, const char* text) override;
  void FilterRoomItems(std::vector<RoomItemInfo>& listed, std::vector<RoomItemInfo>& all, int money) override;
  RoomBtn* CreateRoomBtn(RoomItemInfo* room) override;

  // ---- the platform's receivers (CompeteRoomListWeChat.cpp) ----
  // The lobby page's returns: balances, WeChat share, collecting a red packet.
  void CallbackWebReturnParam(const char* param) override;
  // The end of a WeChat authorisation: with 0, the code is kept and the
  // token exchange runs on the next frame behind a wait box.
  void CallbackWXAuthRt(int result, const char* code) override;
  // The token exchange and the red-packet request (both blocking); their
  // answer in a box.
  void NextFrameGetWXAccessToken();
  int GetRedID() const { return m_iRedID; }
  const std::string& GetWXCode() const { return m_strWXCode; }
  // ---- the shop's answers ----
  void CallBackHandleVacRt(const LobbyVacResult& result) override;

  // Enters a room of the lobby's entries that belongs to `room`'s match:
  // true when the entry is on its way, false when it ended in a refusal of
  // the script handler, the no-room error, the quick-start question or the shop.
  bool EnterCompeteRoom(RoomItemInfo* room);
  // The quick-start question's OK: the first listed match whose room fits
  // the user's coins and is open signs up (its card's road).
  void CallBackAutoGame(cocos2d::Ref* sender) override;
  // For the award screen's "again": refreshes the user record (blocking) and
  // answers kFindNoMatch (the running match is not listed),
  // kFindLastFeePayable (the last sign-up's fee kind can be paid again),
  // kFindNoFeePayable, or the newly chosen fee kind with its amount.
  int FindCompeteRoom(int* outFeeNum);
  // The holdings of fee kinds 1, 2 and 3 into the header (while running).
  void RefreshMoneyText();

  // ---- read access ----
  const std::vector<RoomInfoItem*>& GetRoomItems() const { return m_vcRoomItems; }
  std::vector<CompeteRoomInfo>& GetCompeteRooms() { return m_vcCompeteRooms; }
  cocos2d::ui::ListView* GetListView() const { return m_pListView; }
  cocos2d::ui::TextAtlas* GetNumLabel(int i) const { return i >= 0 && i < 3 ? m_pNumLabels[i] : nullptr; }
  cocos2d::Node* GetCover() const { return m_pCover; }
  // The screen's buttons: the web view, the recharge, the menu's quit and settings.
  cocos2d::Node* GetScreenNode(int which) const;
  static constexpr int kNodeWebView = 0;
  static constexpr int kNodeRecharge = 1;
  static constexpr int kNodeMenu = 2;
  // The list's touch rows (tests drive them as the list view does).
  void OnListEvent(int selectedIndex, bool touchEnded);

 private:
  void BuildScreen();
  void BuildHeader();
  void BuildCards();
  void RemoveCards();
  // Signs up again for the match just played (true when it is listed); the
  // cover stays only while the road goes on into a room.
  bool SignUpAgain();
  void RemoveCover();
  void SignUpStoredServer(bool signedUp);
  void OnWebViewClick(cocos2d::Ref* sender);
  void OnRechargeClick(cocos2d::Ref* sender);
  void OnSettingClick(cocos2d::Ref* sender);
  void AddScreenNode(cocos2d::Node* node, int z);
  void SendSignUpCountQueries();
  void ShareToWeChat(std::string_view rest);

  int m_iTouchIndex = -1;
  cocos2d::ui::TextAtlas* m_pNumLabels[3] = {};
  int m_iRedID = 0;          // receive id of the red packet being collected
  std::string m_strWXCode;   // code of the last successful WeChat authorisation
  std::vector<RoomInfoItem*> m_vcRoomItems;        // children of the list view's rows
  std::vector<CompeteRoomInfo> m_vcCompeteRooms;   // the matches, in card order
  cocos2d::ui::ListView* m_pListView = nullptr;    // a child while on the stage
  cocos2d::Node* m_pCover = nullptr;               // a child while signing up again
  cocos2d::Node* m_pScreenNodes[3] = {};
  cocos2d::Vector<cocos2d::Node*> m_vcScreenNodes;  // built by onEnter, taken away by onExit
};
