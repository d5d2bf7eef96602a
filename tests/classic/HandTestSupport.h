// Fixture of the classic table's hand-message tests: the real GameViewPC on
// the stage with the single-player seats taken (own chair 1, computer chairs
// 0 and 2, so a chair is its screen seat), a local server that only records
// the view's requests, every seat speaking with voice set A, and the raw
// frames of a hand.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "cardlogic/CardCodes.h"
#include "cardlogic/ClassicMessages.h"
#include "cards/Vell_SpriteCardManage.h"
#include "platform/os/Random.h"
#include "ClassicTestSupport.h"
#include "platform/gamebase/SingleServerBase.h"
#include "support/FrameBytes.h"
#include "table/DDZGameView.h"

namespace classictest {

using ddz::test::Frame;

class RecordingServer : public SingleServerBase {
 public:
  explicit RecordingServer(IGameMessageSink* view) : SingleServerBase(view) {}
  void StartGame() override { ++starts; }
  void RecvGameViewMsg(const std::uint8_t* buf, int len) override {
    if (buf == nullptr || len < 8) return;
    requests.push_back(buf[1]);
    frames.emplace_back(buf, buf + len);
  }
  std::vector<int> requests;
  // Each request whole, as it went out.
  std::vector<std::vector<std::uint8_t>> frames;
  int starts = 0;  // the sit's and each ready's
};

class HandView : public GameViewPC {
 public:
  // `scene` (may be null, not owned) is the scene the view reports to.
  static HandView* create(GameSceneBase* scene = nullptr) {
    auto* view = new HandView(scene);
    view->autorelease();
    return view;
  }
  SingleServerBase* CallBackCreateSingleServer() override {
    server = std::make_unique<RecordingServer>(this);
    return server.get();
  }
  // One message as the pump hands it over.
  void Deliver(const Frame& frame) {
    std::vector<char> copy(frame.begin(), frame.end());
    CallBackHandleMainSocketNetMsg(copy.data(), static_cast<int>(copy.size()));
  }
  std::vector<int> Requests() const { return server ? server->requests : std::vector<int>{}; }
  using GameViewBase::m_pPlayerNode;
  std::unique_ptr<RecordingServer> server;

 private:
  explicit HandView(GameSceneBase* scene) : GameViewPC(scene, nullptr, 62) {}
};

// Frames of the messages the classic builders do not write.
using ddz::test::FrameOf;
using ddz::test::PutLE;
inline Frame Settings(int mode, int fee = 0, int word = 0) {
  Frame f = FrameOf(38, 24);
  PutLE(f, 8, fee);
  f[16] = static_cast<std::uint8_t>(mode);
  PutLE(f, 20, word);
  return f;
}
inline Frame ShowHand(int chair, const std::vector<std::uint8_t>& cards) {
  Frame f = FrameOf(23, 29);
  f[8] = static_cast<std::uint8_t>(chair);
  for (std::size_t i = 0; i < cards.size() && i < 20; ++i) f[9 + i] = cards[i];
  return f;
}
inline Frame Activity(int kind) {
  Frame f = FrameOf(39, 36);
  PutLE(f, 8, kind);
  return f;
}

// A deal: the own chair holds 3..K of spades, A, 2 and both jokers (as the
// local server writes them, 144 and 177); the cap at offset 92 is 5000.
inline Frame Deal(int firstBidder = 0) {
  ddz::classic::DealBlocks blocks;
  std::uint8_t next = 0;
  for (int chair = 0; chair < 3; ++chair) {
    for (int i = 0; i < 17; ++i) {
      if (chair == 1) continue;
      blocks.hands[chair][i] = ddz::DeckCardToByte(1 + chair, 3 + (next++ % 11));
    }
  }
  const std::uint8_t own[17] = {3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 1, 2, 144, 177, 0x23, 0x24};
  for (int i = 0; i < 17; ++i) blocks.hands[1][i] = own[i];
  blocks.openCard = 0x25;
  blocks.firstBidder = firstBidder;
  blocks.panelNumber = 5000;
  return ddz::classic::BuildDeal(blocks);
}

inline Frame Played(int chair, const std::vector<std::uint8_t>& cards) {
  return ddz::classic::BuildPlayed(chair, cards);
}

class HandTest : public ClassicTest {
 protected:
  void SetUp() override {
    ClassicTest::SetUp();
    view = HandView::create();
    scene->addChild(view);
    view->SendSitReq();
    // Voice set A on every seat: the kept figures, and the seats' own head
    // ids for when a new hand resets the kept figures.
    for (int seat = 0; seat < 3; ++seat) {
      g_iSeatHeadFigure[seat] = 1;
      if (PlayerNode* player = view->GetPlayerNode(seat)) player->cHeadID = 1;
    }
    GameViewBase::m_GlobalInfo.iHeadID = 1;
  }
  void TearDown() override {
    std::fill(std::begin(g_iSeatHeadFigure), std::end(g_iSeatHeadFigure), -1);
    ClassicTest::TearDown();
  }
  // Frames until nothing holds the messages (at most `limit`).
  void RunUntilUnlocked(int limit = 400) {
    for (int i = 0; i < limit && GameViewBase::m_iLockMainMsgCount > 0; ++i) tick(1, 0.05f);
  }
  // Played sounds since the last call.
  std::vector<std::string> TakeSounds() {
    std::vector<std::string> sounds = SoundManage::shareSoundManage()->GetPlayedSounds();
    SoundManage::shareSoundManage()->ClearCalls();
    return sounds;
  }
  // The children of `parent` that are a T.
  template <class T>
  static std::vector<T*> ChildrenOf(cocos2d::Node* parent) {
    std::vector<T*> found;
    for (cocos2d::Node* child : parent->getChildren())
      if (auto* t = dynamic_cast<T*>(child)) found.push_back(t);
    return found;
  }
  int CardCount(int seat) const {
    return view->m_pHandCard[seat] != nullptr ? view->m_pHandCard[seat]->GetCardCount() : -1;
  }

  HandView* view = nullptr;
};

}  // namespace classictest
