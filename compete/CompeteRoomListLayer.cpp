#include "compete/CompeteRoomListLayer.h"

#include <algorithm>
#include <cstdio>
#include <string>
#include <utility>

#include "compete/RoomInfoItem.h"
#include "compete/SignUpLayer.h"
#include "gamedata/CompeteGameInfo.h"
#include "gamedata/CompeteMatchFile.h"
#include "gamedata/CompeteWebMsg.h"
#include "gamedata/DdzCompete.h"
#include "platform/engine/Layer.h"
#include "platform/engine/Log.h"
#include "platform/engine/Sprite.h"
#include "platform/engine/ui/Widgets.h"
#include "platform/framework/SoundManage.h"
#include "platform/framework/YndConf.h"
#include "platform/framework/YndImageSprite.h"
#include "platform/framework/YndLocalData.h"
#include "platform/framework/YndRemoveChildManage.h"
#include "platform/gamebase/BasePT.h"
#include "platform/gamebase/GameMsgBox.h"
#include "platform/gamebase/GameSceneBase.h"
#include "platform/gamebase/GameViewBase.h"
#include "platform/os/OsApiBase.h"
#include "platform/os/Random.h"
#include "platform/os/Saturate.h"
#include "table/GameSoundDDZ.h"
#include "widgets/PopBtnList.h"
#include "widgets/SetLayer.h"

using cocos2d::Vec2;

std::int32_t g_tLastSignUpNumReply = 0;
std::int32_t g_bCompetePlayAgain = 0;

namespace {

CompeteRoomListLayer::SignUpOpener& Opener() {
  static CompeteRoomListLayer::SignUpOpener opener;
  return opener;
}

float HalfWidth() { return static_cast<float>(BasePT::g_iWindowWidth / 2); }
float HalfHeight() { return static_cast<float>(BasePT::g_iWindowHeight / 2); }
float WindowHeight() { return static_cast<float>(BasePT::g_iWindowHeight); }

// Signing up again pays the way the award screen's question checked: with
// the last sign-up's fee kind while it can be paid, not with the first kind
// the fresh list build chose.
void PayAsLastTime(CompeteRoomInfo& room) {
  const int kind = DdzCompete::getInstance()->m_iSignUpFeeType;
  if (!room.CheckSignUpFee(kind, nullptr)) return;
  room.m_iFeeType = kind;
  room.m_iFeeNum = 0;
  for (const CompeteKindValue& fee : room.m_vcFees) {
    if (fee.iKind != kind) continue;
    room.m_iFeeNum = fee.iValue;
    break;
  }
}

std::string QuestionText(const char* key) {
  std::string text;
  GetValueStr(text, key, CompeteRoomListLayer::kQuestionFile, CompeteRoomListLayer::kQuestionSection, "");
  return text;
}

}  // namespace

void CompeteRoomListLayer::SetSignUpOpener(SignUpOpener opener) { Opener() = std::move(opener); }

CompeteRoomListLayer::CompeteRoomListLayer() {
  init();
  g_bCompetePlayAgain = 0;
  shareRoomListLayer(this);
}

CompeteRoomListLayer::~CompeteRoomListLayer() {
  OsApiBase* os = OsApiBase::shareOsApi();
  if (os->GetLobbyView() == this) os->SetLobbyView(nullptr);
  if (os->GetWXAuthCallBack() == this) os->SetWXAuthCallBack(nullptr);
}

// ---------------------------------------------------------------- entering and leaving

void CompeteRoomListLayer::onEnter() {
  PlayRoomMusic();
  OsApiBase::shareOsApi()->SetLobbyView(this);
  OsApiBase::shareOsApi()->SetWXAuthCallBack(this);
  if (g_bCompetePlayAgain != 1) CompeteRoomInfo::RequestCompeteRoomInfo(false, this, true);
  RoomListLayer::onEnter();  // the list build (BuildRoomBtns)
  m_bEntered = 1;
  setKeypadEnabled(true);
  BuildScreen();
  BuildCards();

  const bool signedUp = g_bCompetePlayAgain == 1 && SignUpAgain();
  g_bCompetePlayAgain = 0;
  SignUpStoredServer(signedUp);
}

bool CompeteRoomListLayer::SignUpAgain() {
  const int matchId = CompeteGameInfo::shareCompeteGameInfo()->m_Record.iMatchId;
  auto it = std::find_if(m_vcRoomItems.begin(), m_vcRoomItems.end(),
                         [matchId](RoomInfoItem* card) { return card->GetRoom()->m_iMatchId == matchId; });
  if (it == m_vcRoomItems.end()) {
    cocos2d::log("CompeteRoomListLayer: match %d to sign up again is not listed", matchId);
    return false;
  }
  RoomInfoItem* card = *it;
  const bool touch = isTouchEnabled();
  setTouchEnabled(false, false);
  m_pCover = cocos2d::Node::create();
  if (cocos2d::Sprite* bg = YndImageSprite::spriteWithFile("ddzcompete_game_bg.jpg")) {
    bg->setPosition(Vec2(HalfWidth(), HalfHeight()));
    m_pCover->addChild(bg);
  }
  if (cocos2d::Sprite* table = YndImageSprite::spriteWithFile("ddzcompete_table.png")) {
    table->setPosition(Vec2(HalfWidth(), HalfHeight()));
    m_pCover->addChild(table);
  }
  for (int side = 0; side < 2; ++side) {
    cocos2d::Sprite* chair = YndImageSprite::spriteWithFile("ddzcompete_chair.png");
    if (chair == nullptr) continue;
    const float x = chair->getContentSize().width / 2;
    chair->setPosition(Vec2(side == 0 ? x : HalfWidth() * 2 - x, HalfHeight()));
    chair->setFlippedX(side == 1);
    m_pCover->addChild(chair);
  }
  AddScreenNode(m_pCover, kZCover);
  PayAsLastTime(*card->GetRoom());
  card->UpdateSignUpFee(false);
  if (!card->OnClickSignUp(nullptr)) {
    // The road ended in a box or a question, not in a room: the list is the
    // user's again.
    RemoveCover();
    setTouchEnabled(touch, false);
  }
  return true;
}

void CompeteRoomListLayer::RemoveCover() {
  if (m_pCover == nullptr) return;
  m_vcScreenNodes.eraseObject(m_pCover);
  m_pCover->removeFromParent();
  m_pCover = nullptr;
}

void CompeteRoomListLayer::SignUpStoredServer(bool signedUp) {
  YndLocalData* store = YndLocalData::sharedLocalData();
  const int server = store->getIntegerForKey(kKeyPlayServer, 0);
  if (server <= 0 || signedUp) return;
  auto it = std::find_if(m_vcRoomItems.begin(), m_vcRoomItems.end(), [server](RoomInfoItem* card) {
    const RoomServerInfo* info = card->GetRoom()->m_RoomItem.pServerInfo;
    return info != nullptr && info->iServerID == server;
  });
  if (it == m_vcRoomItems.end()) return;
  store->setIntegerForKey(kKeyPlayServer, 0);
  store->flush();
  (*it)->OnClickSignUp(nullptr);
}

void CompeteRoomListLayer::onExit() {
  RoomListLayer::onExit();
  RemoveCards();
  for (cocos2d::Node* node : m_vcScreenNodes) {
    if (node->getParent() == this) node->removeFromParent();
  }
  m_vcScreenNodes.clear();
  m_pListView = nullptr;
  m_pCover = nullptr;
  for (auto& label : m_pNumLabels) label = nullptr;
  for (auto& node : m_pScreenNodes) node = nullptr;
  if (OsApiBase::shareOsApi()->GetLobbyView() == this) OsApiBase::shareOsApi()->SetLobbyView(nullptr);
}

void CompeteRoomListLayer::onKeyPressed(cocos2d::EventKeyboard::KeyCode keyCode, cocos2d::Event*) {
  if (keyCode != cocos2d::EventKeyboard::KeyCode::KEY_BACK) return;
  unscheduleAllSelectors();
  if (GameSceneBase::m_pGameScene != nullptr) GameSceneBase::m_pGameScene->SwitchGameKind(kBackGameKind);
}

void CompeteRoomListLayer::StopRoomSound() {
  SoundManage::shareSoundManage()->StopBackgroundMusic();
  SoundManage::shareSoundManage()->StopAllSound();
}

void CompeteRoomListLayer::PlayRoomMusic() {
  GameSoundDDZ* sound = GameSoundDDZ::shareGameSoundDDZ();  // the first time draws the shared music value
  sound->StopBackgroundMusic();
  sound->PlayCompeteBackgroundMusic(0);
}

// ---------------------------------------------------------------- the screen

void CompeteRoomListLayer::AddScreenNode(cocos2d::Node* node, int z) {
  if (node == nullptr) return;
  addChild(node, z);
  m_vcScreenNodes.pushBack(node);
}

cocos2d::Node* CompeteRoomListLayer::GetScreenNode(int which) const {
  return which >= 0 && which < 3 ? m_pScreenNodes[which] : nullptr;
}

void CompeteRoomListLayer::BuildScreen() {
  AddPlist(kSheet);
  if (cocos2d::Sprite* bg = YndImageSprite::spriteWithFile("ddzbs_djs_dt_bg.jpg")) {
    bg->setPosition(Vec2(HalfWidth(), HalfHeight()));
    AddScreenNode(bg, -10);
  }
  BuildHeader();
  RefreshMoneyText();
}

void CompeteRoomListLayer::BuildHeader() {
  const float top = WindowHeight();
  const float headerY = top - kHeaderHeight / 2;
  if (cocos2d::Sprite* panel = cocos2d::Sprite::createWithSpriteFrameName("ddzbs_djs_dt_panel.png")) {
    panel->setPosition(Vec2(HalfWidth(), top - panel->getContentSize().height / 2));
    AddScreenNode(panel, 1);
  }
  if (cocos2d::Sprite* title = cocos2d::Sprite::createWithSpriteFrameName("ddzbs_djs_dt_tile_z.png")) {
    title->setPosition(Vec2(HalfWidth() * 2 - 400, headerY));
    AddScreenNode(title, 2);
  }

  // The three holdings (fee kinds 1, 2, 3); the first box holds the recharge.
  for (int i = 0; i < 3; ++i) {
    auto* box = cocos2d::ui::Scale9Sprite::createWithSpriteFrameName("ddzbs_djs_dt_panel_pic02.png");
    if (box == nullptr) continue;
    box->setContentSize(cocos2d::Size(kBoxWidth[i], box->getContentSize().height));
    box->setPosition(Vec2(kBoxX[i], headerY));
    AddScreenNode(box, 2);
    const cocos2d::Size size = box->getContentSize();
    char icon[40];
    std::snprintf(icon, sizeof icon, "ddzbs_prop_icon_%d.png", i + 1);
    if (cocos2d::Sprite* sprite = cocos2d::Sprite::createWithSpriteFrameName(icon)) {
      sprite->setScale(0.7f);
      sprite->setPosition(Vec2(20, size.height / 2));
      box->addChild(sprite);
    }
    m_pNumLabels[i] = cocos2d::ui::TextAtlas::create("0", "ddzbs_djs_dt_num01.png", 18, 26, "0");
    m_pNumLabels[i]->setAnchorPoint(Vec2(0, 0.5f));
    m_pNumLabels[i]->setPosition(Vec2(42, size.height / 2));
    box->addChild(m_pNumLabels[i]);
    if (i == 0) {
      auto* recharge = cocos2d::ui::Button::create("ddzbs_djs_dt_btn_cz.png", "", "",
                                                   cocos2d::ui::Widget::TextureResType::PLIST);
      recharge->setPosition(Vec2(size.width - 18, size.height / 2));
      recharge->addClickEventListener([this](cocos2d::Ref* sender) { OnRechargeClick(sender); });
      box->addChild(recharge);
      m_pScreenNodes[kNodeRecharge] = recharge;
    }
  }

  auto* web = cocos2d::ui::Button::create("ddzbs_djs_dt_btn_lqjl.png", "", "",
                                          cocos2d::ui::Widget::TextureResType::PLIST);
  web->setPosition(Vec2(HalfWidth() * 2 - 190, headerY));
  web->addClickEventListener([this](cocos2d::Ref* sender) { OnWebViewClick(sender); });
  AddScreenNode(web, 3);
  m_pScreenNodes[kNodeWebView] = web;

  if (PopBtnList* menu = PopBtnList::create("ddzbs_djs_dt_btn_xl.png", "qorvddz_room_set_btn_bg.png")) {
    menu->AddButton([this](cocos2d::Ref* sender) { QuitRoomList(sender); }, "ddzbs_djs_dt_btn_tc.png", "", "");
    menu->AddButton([this](cocos2d::Ref* sender) { OnSettingClick(sender); }, "ddzbs_djs_dt_btn_yx_on.png", "", "");
    menu->setPosition(Vec2(HalfWidth() * 2 - 70, headerY));
    AddScreenNode(menu, 50);
    m_pScreenNodes[kNodeMenu] = menu;
  }
}

void CompeteRoomListLayer::BuildCards() {
  RemoveCards();
  if (m_pListView == nullptr) {
    m_pListView = cocos2d::ui::ListView::create();
    m_pListView->setDirection(cocos2d::ui::ScrollView::Direction::VERTICAL);
    m_pListView->setBounceEnabled(true);
    m_pListView->setTouchEnabled(true);
    m_pListView->setItemsMargin(kCardGap);
    const float height = WindowHeight() - kHeaderHeight - kListGap - kListBottom;
    m_pListView->setContentSize(cocos2d::Size(kListWidth, height));
    m_pListView->setPosition(Vec2(HalfWidth() - kListWidth / 2, kListBottom));
    m_pListView->addEventListener([this](cocos2d::Ref* sender, cocos2d::ui::ListView::EventType type) {
      auto* view = static_cast<cocos2d::ui::ListView*>(sender);
      OnListEvent(static_cast<int>(view->getCurSelectedIndex()),
                  type == cocos2d::ui::ListView::EventType::ON_SELECTED_ITEM_END);
    });
    AddScreenNode(m_pListView, 5);
  }
  const cocos2d::Size cardSize = RoomInfoItem::PanelSize();
  for (CompeteRoomInfo& room : m_vcCompeteRooms) {
    RoomInfoItem* card = RoomInfoItem::create(&room);
    if (card == nullptr) continue;
    auto* row = cocos2d::ui::Layout::create();
    row->setContentSize(cardSize);
    row->setTouchEnabled(true);
    card->setPosition(Vec2(cardSize.width / 2, 0));
    row->addChild(card);
    m_vcRoomItems.push_back(card);
    m_pListView->pushBackCustomItem(row);
  }
}

void CompeteRoomListLayer::RemoveCards() {
  m_vcRoomItems.clear();
  if (m_pListView != nullptr) m_pListView->removeAllItems();
}

void CompeteRoomListLayer::RefreshMoneyText() {
  if (!isRunning()) return;
  const GlobalInfo& info = GameViewBase::m_GlobalInfo;
  const int holdings[3] = {info.iMoney, info.iYuanBao, ddz::os::SaturatingAdd(info.iPrizeHold88, info.iPrizeHold89)};
  for (int i = 0; i < 3; ++i) {
    if (m_pNumLabels[i] == nullptr) continue;
    // The digit atlas has no minus sign: a negative holding shows 0.
    m_pNumLabels[i]->setString(std::to_string(std::max(0, holdings[i])));
  }
}

void CompeteRoomListLayer::OnListEvent(int selectedIndex, bool touchEnded) {
  if (!touchEnded) {
    m_iTouchIndex = selectedIndex;
    return;
  }
  if (selectedIndex != m_iTouchIndex || selectedIndex < 0) return;
  const auto index = static_cast<std::size_t>(selectedIndex);
  if (index >= m_vcCompeteRooms.size() || index >= m_vcRoomItems.size()) return;
  if (!Opener()) {
    cocos2d::log("SignUpLayer is not in this build (match %d)", m_vcCompeteRooms[index].m_iMatchId);
    return;
  }
  Opener()(*this, m_vcCompeteRooms[index], *m_vcRoomItems[index]);
}

void CompeteRoomListLayer::OnWebViewClick(cocos2d::Ref*) { CompeteWebMsg::shareCompeteWebMsg()->ShowWebView(); }

void CompeteRoomListLayer::OnRechargeClick(cocos2d::Ref*) { OpenLobbyVac(-1); }

void CompeteRoomListLayer::OnSettingClick(cocos2d::Ref*) {
  SetLayer* settings = SetLayer::shareSetLayer(SetLayer::kFromRoomList, SetLayer::kKindTournament);
  if (!settings->isRunning()) {
    if (settings->getParent() != nullptr) settings->removeFromParent();
    addChild(settings, kZSignUp + 1);
  } else {
    YndRemoveChildManage::sharedRemoveChildManage()->RemoveChild(settings, settings->getParent());
  }
}

// ---------------------------------------------------------------- the list build

void CompeteRoomListLayer::BuildRoomBtns() {
  // The cards point into m_vcCompeteRooms, which the build replaces: they go
  // first and come back for the new matches while the screen stands.
  const bool cardsShown = m_pListView != nullptr;
  RemoveCards();
  RoomListLayer::BuildRoomBtns();
  if (cardsShown && isRunning()) BuildCards();
}

RoomBtn* CompeteRoomListLayer::CreateRoomBtn(RoomItemInfo*) { return nullptr; }

void CompeteRoomListLayer::FilterRoomItems(std::vector<RoomItemInfo>& listed, std::vector<RoomItemInfo>& all, int) {
  listed.clear();
  // The room file lists every game's rooms; the class of another game's room
  // is no match id.
  for (const RoomItemInfo& room : all) {
    if (room.pRuleInfo == nullptr || room.iGameID != kGameID) continue;
    const int matchId = room.pRuleInfo->iRoomClass;
    const bool known = std::any_of(listed.begin(), listed.end(),
                                   [matchId](const RoomItemInfo& r) { return r.pRuleInfo->iRoomClass == matchId; });
    if (!known) listed.push_back(room);
  }
  for (RoomItemInfo& room : listed) room.iSortKey = room.pRuleInfo->iRuleSubType;
  for (std::size_t i = 0; i < listed.size(); ++i) {
    for (std::size_t j = i + 1; j < listed.size(); ++j) {
      if (listed[j].iSortKey < listed[i].iSortKey) std::swap(listed[i], listed[j]);
    }
  }

  m_vcCompeteRooms.clear();
  for (const RoomItemInfo& room : listed) {
    for (const CompeteMatchRecord& record : g_vcCompeteRoomTable) {
      if (record.iMatchId != room.pRuleInfo->iRoomClass) continue;
      CompeteRoomInfo info;
      if (info.ParseRoomInfo(record, room)) m_vcCompeteRooms.push_back(std::move(info));
    }
  }
  listed.clear();
  SendSignUpCountQueries();
}

void CompeteRoomListLayer::SendSignUpCountQueries() {
  if (!ddz::WebQueryDue(g_tLastSignUpNumReply, ddz::CompeteTimeNow(), CompeteWebMsg::kSignUpCountGap)) return;
  for (const CompeteRoomInfo& room : m_vcCompeteRooms)
    CompeteWebMsg::shareCompeteWebMsg()->SendSignUpCountQuery(room.m_iMatchId, this);
}

// ---------------------------------------------------------------- web replies

void CompeteRoomListLayer::CallBackAsyncHttpRes(const char* reply, int len, const char* request, int msgId,
                                                int error) {
  RoomListLayer::CallBackAsyncHttpRes(reply, len, request, msgId, error);
  if (error != 0) return;
  if (msgId == CompeteWebMsg::kMsgSignUpCount) {
    std::int32_t count = 0;
    std::int32_t matchId = 0;
    if (!CompeteWebMsg::ReadSignUpCountReply(reply, len, count, matchId)) {
      cocos2d::log("CompeteRoomListLayer: reply %d of %d bytes refused", msgId, len);
      return;
    }
    for (CompeteMatchRecord& record : g_vcCompeteRoomTable) {
      if (record.iMatchId == matchId) record.iSignUpNum = count;
    }
    for (std::size_t i = 0; i < m_vcCompeteRooms.size(); ++i) {
      CompeteRoomInfo& room = m_vcCompeteRooms[i];
      if (room.m_iMatchId != matchId) continue;
      room.m_Record.iSignUpNum = count;
      room.m_iShowSignUpNum = ddz::CompeteShowSignUpNum(count);
      if (i < m_vcRoomItems.size()) m_vcRoomItems[i]->UpdateSignUpNum();
      break;
    }
    g_tLastSignUpNumReply = ddz::CompeteTimeNow();
  } else if (msgId == CompeteWebMsg::kMsgCompeteRoomInfo) {
    CompeteUserRecord record{};
    if (!CompeteWebMsg::ReadCompeteRoomInfoReply(reply, len, record)) {
      cocos2d::log("CompeteRoomListLayer: reply %d of %d bytes refused", msgId, len);
      return;
    }
    DdzCompete::getInstance()->AcceptUserRecord(record);
    if (!isRunning()) return;
    for (RoomInfoItem* card : m_vcRoomItems) card->UpdateSignUpFee(true);
    // An open sign-up dialog shows its match's fee as it stands now.
    for (cocos2d::Node* child : getChildren()) {
      if (auto* dialog = dynamic_cast<SignUpLayer*>(child)) dialog->ShowFee();
    }
    RefreshMoneyText();
  }
}

// ---------------------------------------------------------------- entering a match

bool CompeteRoomListLayer::EnterCompeteRoom(RoomItemInfo* room) {
  if (room == nullptr || room->pRuleInfo == nullptr) return false;
  if (ddz::FireScriptHandler(GetLuaHandlers(), kLuaEnterRoom, room, kLuaRoomType) != 0) return false;

  // The rooms of the same match (rule word 0 and match id) open at this hour.
  std::vector<RoomItemInfo*> open;
  for (RoomItemInfo& candidate : m_vcAllRoomItem) {
    const RoomRuleInfo* rule = candidate.pRuleInfo;
    if (rule == nullptr || candidate.pServerInfo == nullptr || candidate.iGameID != room->iGameID) continue;
    if (rule->iWord0 != room->pRuleInfo->iWord0 || rule->iRoomClass != room->pRuleInfo->iRoomClass) continue;
    if (CheckRoomTime(&candidate)) open.push_back(&candidate);
  }
  if (open.empty()) {
    ShowAuthenErrorMsg(kNoOpenRoomError);
    return false;
  }
  RoomItemInfo* picked = open[static_cast<std::size_t>(ddz::os::Rand()) % open.size()];
  m_CurRoom = *picked;

  if (DdzCompete::getInstance()->m_iSignUpFeeType == 1) {
    const int money = GameViewBase::m_GlobalInfo.iMoney;
    if (money >= picked->pRuleInfo->iMaxMoney) {
      GameMsgBox::shareMessageBox()->ShowMessage(QuestionText("game_autogame_ask_txt").c_str(), 11, this,
                                                 static_cast<cocos2d::SEL_MenuHandler>(&RoomListLayer::CallBackAutoGame));
      return false;
    }
    if (money < picked->pRuleInfo->iMinMoney && CallBackEnterRoomIFShowGameBaseVacLead()) {
      OpenLobbyVac(picked->pRuleInfo->iMinMoney);
      return false;
    }
  }
  GameMsgBox::shareMessageBox()->ShowMessage(QuestionText("http_enter_tip").c_str(), 3, this);
  g_iCompeteEnterMode = 1;
  onBtnEnterGame(picked);  // the room's server, and EnterGame on the next frame
  return true;
}

void CompeteRoomListLayer::CallBackAutoGame(cocos2d::Ref*) {
  // The quick start of the question above: the first listed match whose room
  // fits the user's coins and is open now, through its card's sign-up road.
  const int money = GameViewBase::m_GlobalInfo.iMoney;
  for (RoomInfoItem* card : m_vcRoomItems) {
    RoomItemInfo& room = card->GetRoom()->m_RoomItem;
    const RoomRuleInfo* rule = room.pRuleInfo;
    if (rule == nullptr || money < rule->iMinMoney || money >= rule->iMaxMoney || !CheckRoomTime(&room)) continue;
    card->OnClickSignUp(nullptr);
    return;
  }
  cocos2d::log("CompeteRoomListLayer: no open match fits %d coins", money);
}

int CompeteRoomListLayer::FindCompeteRoom(int* outFeeNum) {
  CompeteRoomInfo::RequestCompeteRoomInfo(true, this, true);
  const int matchId = CompeteGameInfo::shareCompeteGameInfo()->m_Record.iMatchId;
  auto it = std::find_if(m_vcCompeteRooms.begin(), m_vcCompeteRooms.end(),
                         [matchId](const CompeteRoomInfo& room) { return room.m_iMatchId == matchId; });
  if (it == m_vcCompeteRooms.end()) return kFindNoMatch;
  if (it->CheckSignUpFee(DdzCompete::getInstance()->m_iSignUpFeeType, nullptr)) return kFindLastFeePayable;
  it->ChooseSignUpFee();
  if (!it->CheckSignUpFee(it->m_iFeeType, nullptr)) return kFindNoFeePayable;
  if (outFeeNum != nullptr) *outFeeNum = it->m_iFeeNum;
  return it->m_iFeeType;
}

// ---------------------------------------------------------------- the shop and the platform

void CompeteRoomListLayer::OpenLobbyVac(int source) {
  cocos2d::log("CompeteRoomListLayer OpenLobbyVac %d", source);
  const GlobalInfo& info = GameViewBase::m_GlobalInfo;
  const GameSceneBase* scene = GameSceneBase::m_pGameScene;
  LobbyVacOpening opening;
  char code[32];
  const int roomClass = m_CurRoom.pRuleInfo != nullptr ? m_CurRoom.pRuleInfo->iRoomClass : 0;
  std::snprintf(code, sizeof code, "%d%02d", scene != nullptr ? scene->GetGameID() : kGameID, roomClass);
  opening.gameCode = code;
  opening.userId = std::to_string(scene != nullptr ? scene->GetLoginUserID() : info.iUserID);
  opening.account = ddz::RecordText(info.szUserName);
  opening.money = info.iMoney;
  opening.holding86 = info.iFeeType4Num;
  opening.yuanBao = info.iYuanBao;
  opening.windowWidth = BasePT::g_iWindowWidth;
  opening.windowHeight = BasePT::g_iWindowHeight;
  opening.channelPackage = YndLocalData::sharedLocalData()->getIntegerForKey("key_lobby_ifChannelPackage", 0) != 0;
  LobbyNewVacLayer::SharedLobbyNewVacLayer(this, opening);
}

void CompeteRoomListLayer::CallBackHandleVacRt(const LobbyVacResult& result) {
  cocos2d::log("CallBackHandleVacRt:iVacStep[%d],rtInfo[%s]", result.iVacStep, result.rtInfo.c_str());
  const int step = result.iVacStep;
  if (step == 3 || step == 4 || step == 5) return;
  GlobalInfo& info = GameViewBase::m_GlobalInfo;
  const bool holdings = step == 1 || step == 2 || step == 8 || step == 9 || step == 16;
  if (holdings) {
    if (step == 8 || step == 9) GameMsgBox::shareMessageBox()->CloseDialog(0);
    info.iMoney = result.iMoney;
    info.iFeeType4Num = result.iHolding86;
    info.iYuanBao = ddz::os::SaturatingAdd(result.iYuanBao, result.iYuanBaoExtra);
  }
  if (step == 16 || (step == 7 && result.iResultKind == 3)) {
    YndLocalData* store = YndLocalData::sharedLocalData();
    store->setIntegerForKey("lobby_first_vac2", 1);
    store->flush();
    m_defChangeMoneyControlInfo.bFirstVac = false;
    CallBackShowFirstBtn(false);
  }
  if (holdings) {
    ShowChangeMoneyTip(0, result.rtInfo.c_str());
  } else {
    GameMsgBox::shareMessageBox()->ShowMessage(result.rtInfo.c_str(), 1, this);
  }
}

void CompeteRoomListLayer::ShowChangeMoneyTip(int, const char* text) {
  RefreshMoneyText();
  GameMsgBox::shareMessageBox()->ShowMessage(text != nullptr ? text : "", 11, this);
}

