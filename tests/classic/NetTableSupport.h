// The classic table over a game-server connection, for the end-to-end tests
// that drive it through the loopback server of tests/support: the real table
// writing down each callback the game base raises, the login and the seats
// through the start button, and the server's side of a whole hand in which
// the own chair bids, becomes the landlord and wins with two leads.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <string>
#include <vector>

#include "ClassicTestSupport.h"
#include "HandTestSupport.h"
#include "cardlogic/CardCodes.h"
#include "cardlogic/ClassicMessages.h"
#include "cardlogic/ClueCard.h"
#include "gamedata/LayoutConfig.h"
#include "platform/engine/Log.h"
#include "platform/framework/TcpClientSock.h"
#include "platform/gamebase/GameBaseProtocol.h"
#include "support/LoopbackGameServer.h"
#include "widgets/PrizeGuideAni.h"

namespace classictest {

using ddz::test::Bytes;
using ddz::test::Frames;
using ddz::test::LoopbackGameServer;
using Lines = std::vector<std::string>;
namespace cm = ddz::classic;

class NetTable : public GameViewPC {
 public:
  static NetTable* create() {
    auto* view = new NetTable();
    view->autorelease();
    return view;
  }
  void CallBackAuthenPlayerInfo(PlayerNode* self) override {
    add("authenInfo." + std::to_string(self->iUserID));
    GameViewPC::CallBackAuthenPlayerInfo(self);
  }
  void CallBackAuthenResOK() override {
    add("authenOK");
    GameViewPC::CallBackAuthenResOK();
  }
  void HandleSitRes(char* msg, int len) override {
    add("sit." + std::to_string(static_cast<int>(msg[8])));
    GameViewPC::HandleSitRes(msg, len);
  }
  void CallBackPlayerJoinTable(int seat) override {
    add("join" + std::to_string(seat));
    GameViewPC::CallBackPlayerJoinTable(seat);
  }
  void CallBackPlayerLeaveTable(int seat) override {
    add("leave" + std::to_string(seat));
    GameViewPC::CallBackPlayerLeaveTable(seat);
  }
  void CallBackOtherPlayerDisconnect(int seat) override {
    add("offline" + std::to_string(seat));
    GameViewPC::CallBackOtherPlayerDisconnect(seat);
  }
  void CallBackOtherPlayerLoginAgain(int seat) override {
    add("back" + std::to_string(seat));
    GameViewPC::CallBackOtherPlayerLoginAgain(seat);
  }
  void CallBackPlayerReady(int seat) override {
    add("ready" + std::to_string(seat));
    GameViewPC::CallBackPlayerReady(seat);
  }
  void CallBackPlayerNetDelay(int seat, int value) override {
    add("delay" + std::to_string(seat) + "." + std::to_string(value));
    GameViewPC::CallBackPlayerNetDelay(seat, value);
  }
  void CallBackKickOutServerNotice(int reason, KickOutServer* notice) override {
    add("kick" + std::to_string(reason) + "." + (notice ? notice->szText : ""));
    GameViewPC::CallBackKickOutServerNotice(reason, notice);
  }
  void CallBackAgainLogin(char* msg, int len) override {
    add("again" + std::to_string(len));
    GameViewPC::CallBackAgainLogin(msg, len);
  }
  void CallBackShowBullInfo(char* msg, int len) override {
    add("bull" + std::to_string(static_cast<int>(msg[208])));
    GameViewPC::CallBackShowBullInfo(msg, len);
  }
  void CallBackUrgrCard(char* msg, int len) override {
    add("urge" + std::to_string(static_cast<int>(msg[8])) + "." + std::to_string(static_cast<int>(msg[9])));
    GameViewPC::CallBackUrgrCard(msg, len);
  }
  void CallBackJackPotNotice(char* msg, int len) override {
    add("jackpot" + std::to_string(static_cast<int>(msg[9])));
    GameViewPC::CallBackJackPotNotice(msg, len);
  }
  void CallBackHongBaoNotice(char* msg, int len) override {
    add("hongbao" + std::to_string(static_cast<int>(msg[12])));
    GameViewPC::CallBackHongBaoNotice(msg, len);
  }
  void CallBackEscapeNotice(int code) override {
    add("escape" + std::to_string(code));
    GameViewPC::CallBackEscapeNotice(code);
  }
  void CallBackHandleFriendCard(char* msg, int len) override {
    add("friend" + std::to_string(len));
    GameViewPC::CallBackHandleFriendCard(msg, len);
  }
  void CallBackHandleActiveMoney(char* msg, int len) override {
    add("active" + std::to_string(len));
    GameViewPC::CallBackHandleActiveMoney(msg, len);
  }
  void CallBackGameResultServer(char* msg, int len) override {
    add("result" + std::to_string(len));
    GameViewPC::CallBackGameResultServer(msg, len);
  }
  void CallBackHandleMainSocketNetMsg(char* msg, int len) override {
    tableTypes.push_back(static_cast<std::uint8_t>(msg[1]));
    locksAtDelivery.push_back(m_iLockMainMsgCount.Get());
    GameViewPC::CallBackHandleMainSocketNetMsg(msg, len);
  }
  void ShowAwardAni(int, int, int) override {}

  // The pop-ups the animation manager has put on the table.
  std::vector<AniPrizeGuide*> Guides() {
    std::vector<AniPrizeGuide*> out;
    for (cocos2d::Node* child : getChildren())
      if (auto* g = dynamic_cast<AniPrizeGuide*>(child)) out.push_back(g);
    return out;
  }

  Lines journal;
  std::vector<int> tableTypes;
  std::vector<int> locksAtDelivery;
  using GameViewBase::m_pPlayerNode;

 private:
  NetTable() : GameViewPC(nullptr, nullptr, 62) {}
  void add(const std::string& s) { journal.push_back(s); }
};

// A seated player with 5000 coins and kYuanbao yuanbao.
constexpr int kYuanbao = 1000;
inline PlayerNode Player(int userId, int chair, int level = 10) {
  PlayerNode p;
  p.iUserID = userId;
  p.cChairID = static_cast<std::uint8_t>(chair);
  p.iMoney = 5000;
  p.iYuanBao = kYuanbao;
  p.cHeadID = 1;
  p.iLevel = level;
  std::snprintf(p.szNickName, sizeof p.szNickName, "p%d", userId);
  return p;
}

inline Bytes AuthenAnswer(int level = 10) {
  gamebase::AuthenResult res;
  res.self = Player(42, 1, level);
  return gamebase::BuildAuthenResult(res);
}

inline Frames SitAndSeats(int ownLevel = 10) {
  return {gamebase::BuildSitResult(true, 3, 1), gamebase::BuildPlayerJoin(Player(41, 0)),
          gamebase::BuildPlayerJoin(Player(42, 1, ownLevel)), gamebase::BuildPlayerJoin(Player(43, 2))};
}

class NetTableTest : public ClassicTest {
 protected:
  void SetUp() override {
    ClassicTest::SetUp();
    cocos2d::Log::setEchoToStderr(false);
    ASSERT_TRUE(server.ok());
    GlobalInfo& info = GameViewBase::m_GlobalInfo;
    info.iPlayMode = 0;
    info.iUserID = 42;
    std::snprintf(info.szUserToken, sizeof info.szUserToken, "tok");
    std::snprintf(info.szServerIP, sizeof info.szServerIP, "127.0.0.1");
    info.iServerPort = static_cast<std::uint16_t>(server.port());
    server.Ignore(gamebase::ReqType::KeepAlive);
    view = NetTable::create();
    scene->addChild(view);
  }
  void TearDown() override {
    GameViewBase::GetMainSocket().DisconnectServer(0, false);
    ClassicTest::TearDown();
  }
  template <typename Done>
  bool Run(Done&& done, int frames = 600, float dt = 1.0f / 30) {
    return ddz::test::RunFrames(director, {&server}, done, frames, dt);
  }
  // The login and the seats, through the start button.
  void SitDown(int ownLevel = 10, Frames afterSit = {}) {
    Frames seats = SitAndSeats(ownLevel);
    seats.insert(seats.end(), afterSit.begin(), afterSit.end());
    server.Expect(gamebase::ReqType::Authen, {AuthenAnswer(ownLevel)})
        .ExpectBytes(gamebase::BuildSitRequest(), seats);
    view->IniMainSocketAuthen();
    ASSERT_TRUE(Run([&] { return view->GetStartButton()->isVisible(); }));
    tap(g_ptBtnStart);
    ASSERT_TRUE(Run([&] { return std::count(view->journal.begin(), view->journal.end(), "join2") == 1; }));
  }

  LoopbackGameServer server;
  NetTable* view = nullptr;
};

// ---------------------------------------------------------------- whole hands

// A frame as it travels: the length in bytes 2-3 (the send call writes it
// into every request; the classic builders leave it to the sender).
inline Bytes Sent(Bytes request) {
  request[2] = static_cast<std::uint8_t>(request.size() & 0xff);
  request[3] = static_cast<std::uint8_t>(request.size() >> 8);
  return request;
}

// The server's side of one hand: after the deal the own chair bids, becomes
// the landlord, leads twice (the others pass after the first lead) and wins.
// Each play request is checked against the hand it came from: it reads back
// and rebuilds byte for byte, names only cards the own seat holds, and its
// type is the classifier's.
struct HandScript {
  static constexpr std::array<ddz::CardByte, 3> kBottom = {0x45, 0x46, 0x47};
  // The result's i32 that puts the mini-game button on the result screen.
  static constexpr std::size_t kSmallButtonAt = 284;

  // `deal` is the hand's deal as it travels.
  explicit HandScript(const Bytes& deal) {
    ownBytes.assign(deal.begin() + 8 + 17, deal.begin() + 8 + 34);
    ownBytes.insert(ownBytes.end(), kBottom.begin(), kBottom.end());
  }
  HandScript(const HandScript&) = delete;
  HandScript& operator=(const HandScript&) = delete;

  // Adds the hand's steps, from the own seat's deal answer to the result, to
  // the server's script (which keeps a reference to this script).
  void AddTo(LoopbackGameServer& server) {
    server.ExpectBytes(Sent(FrameOf(25, 12)), {Sent(cm::BuildBidTurn(1, 0))})
        .ExpectBytes(Sent(cm::BuildBidRequest(3)), {Sent(cm::BuildBidResult(1, 3, 0)),
                                                    Sent(cm::BuildLandlord(1, 3, kBottom)), Sent(cm::BuildPlayTurn(1))})
        .ExpectThen(cm::MsgType::Play, [this](const Bytes& r) { return OnPlay(r, false); })
        .ExpectThen(cm::MsgType::Play, [this](const Bytes& r) { return OnPlay(r, true); });
  }

  std::vector<std::uint8_t> ownBytes;  // the own seat's cards, as dealt and taken
  std::vector<std::string> faults;
  int plays = 0;
  int smallGameButton = 0;  // written into the result

  Frames OnPlay(const Bytes& request, bool last) {
    ++plays;
    cm::PlayRequest play;
    if (!cm::ReadPlayRequest(request.data(), request.size(), play)) {
      faults.push_back("a play request that does not read");
      return {};
    }
    if (Sent(cm::BuildPlayRequest(play.cards, play.type, play.key)) != request)
      faults.push_back("a play request that does not rebuild byte for byte");
    std::vector<std::uint8_t> bytes;
    for (ddz::CardCode code : play.cards) {
      const std::uint8_t b = ddz::CodeToCardByte(code);
      auto held = std::find_if(ownBytes.begin(), ownBytes.end(),
                               [&](std::uint8_t o) { return ddz::CardByteToCode(o) == code; });
      if (held == ownBytes.end()) {
        faults.push_back("a card the own seat does not hold");
      } else {
        ownBytes.erase(held);
      }
      bytes.push_back(b);
    }
    if (play.cards.empty()) faults.push_back("a pass where the own seat leads");
    ddz::CardTypeInfo info;
    if (!ddz::ClueCard::GetCardType(info, play.cards) || info.type != play.type)
      faults.push_back("a play whose type is not the classifier's");
    Frames out = {Sent(Played(1, bytes))};
    if (last) {
      cm::HandResultBlocks result;
      result.scores = {-6, 12, -6};
      result.multiplier = 2;
      result.landlordWon = true;
      Bytes frame = cm::BuildHandResult(result);
      PutLE(frame, kSmallButtonAt, smallGameButton);
      out.push_back(Sent(frame));
    } else {
      out.push_back(Sent(Played(2, {})));
      out.push_back(Sent(Played(0, {})));
      out.push_back(Sent(cm::BuildPlayTurn(1)));
    }
    return out;
  }
};

}  // namespace classictest
