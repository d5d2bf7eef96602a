// Fixtures of the tournament table's tests: the real CompeteGameView on the
// stage of the classic tests' fixture (window, data files, temporary store,
// game base records at their start), seated through the game base's
// single-player road (own chair 1, chairs 0 and 2 beside it) with a local
// server that only records the view's requests, and the tournament frames.
// The table has no local server of its own; the recording one stands in for
// the connection so the requests can be read back.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "cardlogic/CardCodes.h"
#include "cards/CompeteSelfHandCard.h"
#include "cards/Vell_SpriteCardManage.h"
#include "platform/framework/SoundManage.h"
#include "classic/ClassicTestSupport.h"
#include "compete/CompeteGameView.h"
#include "gamedata/CompeteGameInfo.h"
#include "platform/engine/Label.h"
#include "platform/engine/Log.h"
#include "platform/gamebase/SingleServerBase.h"
#include "support/CompeteMatchFrames.h"
#include "support/FrameBytes.h"

namespace competetest {

using ddz::test::Frame;

class RecordingServer : public SingleServerBase {
 public:
  explicit RecordingServer(IGameMessageSink* view) : SingleServerBase(view) {}
  void StartGame() override {}
  void RecvGameViewMsg(const std::uint8_t* buf, int len) override {
    if (buf != nullptr && len >= 8) frames.emplace_back(buf, buf + len);
  }
  std::vector<Frame> frames;
};

// The table with the match's handlers and the first-chance and unlisted
// operations written down.
class CompeteView : public CompeteGameView {
 public:
  static CompeteView* create() {
    auto* view = new CompeteView();
    view->autorelease();
    return view;
  }
  SingleServerBase* CallBackCreateSingleServer() override {
    server = std::make_unique<RecordingServer>(this);
    return server.get();
  }
  void Deliver(const Frame& frame) {
    std::vector<char> copy(frame.begin(), frame.end());
    CallBackHandleMainSocketNetMsg(copy.data(), static_cast<int>(copy.size()));
  }
  void DeliverAll(const Frame& frame) {
    std::vector<char> copy(frame.begin(), frame.end());
    CallBackHandleAllSocketNetMsg(copy.data(), static_cast<int>(copy.size()));
  }
  // The requests' types, and the requests whole.
  std::vector<int> RequestTypes() const {
    std::vector<int> types;
    if (server)
      for (const Frame& f : server->frames) types.push_back(f[1]);
    return types;
  }
  std::vector<Frame> Requests() const { return server ? server->frames : std::vector<Frame>{}; }
  void ClearRequests() {
    if (server) server->frames.clear();
  }

#define RECORD_MATCH(Name)                              \
  void Name(char* msg, int len) override {              \
    match.push_back(static_cast<std::uint8_t>(msg[1])); \
    CompeteGameView::Name(msg, len);                    \
  }
  RECORD_MATCH(HandleCompeteStart)
  RECORD_MATCH(HandleCompeteStage)
  RECORD_MATCH(HandleCompeteAward)
  RECORD_MATCH(HandleWaitNumbers)
  RECORD_MATCH(HandlePlayerLeft)
  RECORD_MATCH(HandleCloseByServer)
  RECORD_MATCH(HandleRankList)
  RECORD_MATCH(HandleRankUpdate)
  RECORD_MATCH(HandleAutoPlayState)
  RECORD_MATCH(HandleChangeServer)
  RECORD_MATCH(HandleCompeteNotice)
  RECORD_MATCH(HandleTipMsg)
#undef RECORD_MATCH

  std::vector<int> match;
  std::vector<int> unlisted;
  std::vector<int> escapes;
  std::unique_ptr<RecordingServer> server;
  using GameViewBase::m_pPlayerNode;

 protected:
  void OnOtherMessage(char* msg, int) override { unlisted.push_back(static_cast<std::uint8_t>(msg[1])); }
  void OnEscapeNoticeHook(int code) override { escapes.push_back(code); }

 private:
  CompeteView() : CompeteGameView(nullptr, nullptr) {}
};

using ddz::test::FrameOf;
using ddz::test::PutBE;
using ddz::test::PutLE;

using ddz::test::ChairCards;

struct DealFields {
  int baseScore = 10;
  int scores[3] = {100, 200, 300};
  int openCard = 0x25;
  int openTable = 0;
  int finalRank = 2;
  int tableNum = 7;
};
inline Frame CompeteDeal(const DealFields& d = {}) {
  Frame f = FrameOf(CompeteGameView::kMsgDeal, CompeteGameView::kDealSize);
  f[9] = static_cast<std::uint8_t>(d.openCard);
  f[10] = static_cast<std::uint8_t>(d.openTable);
  f[11] = static_cast<std::uint8_t>(d.finalRank);
  for (int chair = 0; chair < 3; ++chair) {
    const std::vector<std::uint8_t> cards = ChairCards(chair);
    for (int i = 0; i < 17; ++i) f[35 + 17 * chair + i] = cards[i];
  }
  PutBE(f, 88, d.baseScore);
  for (int t = 0; t < 3; ++t) PutBE(f, 96 + 4 * t, d.scores[t]);
  PutLE(f, 108, d.tableNum);
  return f;
}
inline Frame Seat(int type, int tableNum, std::size_t size) {
  Frame f = FrameOf(type, size);
  f[8] = static_cast<std::uint8_t>(tableNum);
  return f;
}
inline Frame Bid(int tableNum, int score) {
  Frame f = Seat(CompeteGameView::kMsgBidResult, tableNum, 10);
  f[9] = static_cast<std::uint8_t>(score);
  return f;
}
inline Frame Landlord(int tableNum, int score, std::vector<std::uint8_t> bottom = {0x41, 0x42, 0x43}) {
  Frame f = Seat(CompeteGameView::kMsgLandlord, tableNum, 13);
  f[9] = static_cast<std::uint8_t>(score);
  for (int i = 0; i < 3; ++i) f[10 + i] = bottom[static_cast<std::size_t>(i)];
  return f;
}
inline Frame Played(int tableNum, const std::vector<std::uint8_t>& cards, std::size_t size = 36) {
  Frame f = Seat(CompeteGameView::kMsgPlayed, tableNum, size);
  for (std::size_t i = 0; i < cards.size() && 9 + i < size; ++i) f[9 + i] = cards[i];
  if (size > 29) f[29] = static_cast<std::uint8_t>(cards.size());
  return f;
}
// The hand result (237): landlord won, spring, each table number's change.
inline Frame Result(bool landlordWon, bool spring, int c0, int c1, int c2, std::size_t size = 288) {
  Frame f = FrameOf(237, 288);
  f[8] = landlordWon ? 1 : 0;
  f[9] = spring ? 1 : 0;
  const int changes[3] = {c0, c1, c2};
  for (int t = 0; t < 3; ++t) PutLE(f, 76 + 4 * t, changes[t]);
  f.resize(size);
  return f;
}

// The nodes of the tree under `root` that are a T.
template <class T>
int CountOf(const cocos2d::Node* root) {
  int n = dynamic_cast<const T*>(root) != nullptr ? 1 : 0;
  for (const cocos2d::Node* child : root->getChildren()) n += CountOf<T>(child);
  return n;
}

// Whether a label of the tree under `root` (itself included) shows `text`.
inline bool HasLabel(const cocos2d::Node* root, const std::string& text) {
  if (auto* label = dynamic_cast<const cocos2d::Label*>(root); label != nullptr && label->getString() == text)
    return true;
  for (const cocos2d::Node* child : root->getChildren())
    if (HasLabel(child, text)) return true;
  return false;
}

// What a dropped message must leave as it was: the hand's state, the cards
// on the table, the requests and the message lock.
struct TableState {
  std::vector<int> values;
  std::vector<int> base;
  std::vector<int> onTable;
  bool operator==(const TableState&) const = default;
};
inline TableState StateOf(const CompeteView* view) {
  const TableItemDef& t = view->m_TableItem;
  TableState s;
  s.values = {t.iLandOwnerPos, t.iFinalPoint, t.iBaseScore, t.iTimes, t.iTableCardOwnerPos, t.iSendBombNum,
              t.bSendRocket ? 1 : 0, GameViewBase::m_iLockMainMsgCount.Get(), GameViewBase::m_iLockMainMsgTime,
              static_cast<int>(view->Requests().size()), view->iTableNum};
  for (int seat = 0; seat < 3; ++seat) {
    s.values.push_back(t.iPointDemand[seat]);
    s.values.push_back(t.iCompeteAmount[seat]);
    s.values.push_back(view->m_pHandCard[seat] != nullptr ? view->m_pHandCard[seat]->GetCardCount() : -1);
    s.values.push_back(view->m_pSendCard[seat] != nullptr ? view->m_pSendCard[seat]->GetCardCount() : -1);
  }
  s.base = t.vcBaseCardIndex;
  s.onTable = t.vcTableCardIndex;
  return s;
}

class CompeteTest : public classictest::ClassicTest {
 protected:
  void SetUp() override {
    ClassicTest::SetUp();
    cocos2d::Log::setEchoToStderr(false);
    CompeteGameInfo::shareCompeteGameInfo()->m_iState = 0;
    view = CompeteView::create();
    scene->addChild(view);
    view->SendSitReq();
    for (int seat = 0; seat < 3; ++seat) {
      g_iSeatHeadFigure[seat] = 1;
      if (PlayerNode* player = view->GetPlayerNode(seat)) player->cHeadID = 1;
    }
    GameViewBase::m_GlobalInfo.iHeadID = 1;
  }
  void TearDown() override {
    std::fill(std::begin(g_iSeatHeadFigure), std::end(g_iSeatHeadFigure), -1);
    ClassicTest::TearDown();
    CompeteGameInfo::shareCompeteGameInfo()->m_iState = 0;
  }
  // Frames until nothing holds the messages (the first frames start what
  // was set up, such as a deal) and no hold time runs.
  void RunUntilUnlocked(int limit = 600) {
    tick(2, 0.05f);
    for (int i = 0; i < limit && (GameViewBase::m_iLockMainMsgCount > 0 || GameViewBase::m_iLockMainMsgTime > 0); ++i)
      tick(1, 0.05f);
  }
  std::vector<std::string> TakeSounds() {
    std::vector<std::string> sounds = SoundManage::shareSoundManage()->GetPlayedSounds();
    SoundManage::shareSoundManage()->ClearCalls();
    return sounds;
  }
  int CardCount(int seat) const {
    return view->m_pHandCard[seat] != nullptr ? view->m_pHandCard[seat]->GetCardCount() : -1;
  }
  // A dealt hand with the deal's animation run out.
  void DealAndSettle(const DealFields& d = {}) {
    view->Deliver(CompeteDeal(d));
    RunUntilUnlocked();
  }

  CompeteView* view = nullptr;
};

}  // namespace competetest
