#include <string>
#include <vector>

#include "TableViewTestSupport.h"
#include "platform/engine/spine/SkeletonAnimation.h"
#include "platform/engine/ui/Widgets.h"
#include "platform/gamebase/PackInfoBase.h"
#include "platform/gamebase/SingleServerBase.h"
#include "platform/os/Random.h"
#include "gamedata/LayoutConfig.h"

using cocos2d::Node;
using cocos2d::Vec2;
using tabletest::TableViewTest;

namespace {

using Op = SoundManage::Op;

// ---------------------------------------------------------------- music

struct MusicCall {
  Op op;
  std::string file;
  bool loop;
  bool operator==(const MusicCall&) const = default;
};

std::vector<MusicCall> MusicCalls() {
  std::vector<MusicCall> out;
  for (const SoundManage::Call& c : SoundManage::shareSoundManage()->GetCalls())
    out.push_back({c.op, c.op == Op::PlayMusic ? c.file : "", c.op == Op::PlayMusic && c.loop});
  SoundManage::shareSoundManage()->ClearCalls();
  return out;
}

TEST_F(TableViewTest, TheTableMusicAlternatesFromARandomFirstTrack) {
  for (int first : {0, 1}) {
    SCOPED_TRACE(first);
    GameSoundDDZ::destroyInstance();
    ddz::os::ScriptedRandom random{first};
    ddz::os::ScopedRandomSource scoped(random);
    const std::string tracks[2] = {"ddzSound/0.mp3", "ddzSound/1.mp3"};

    view->PlayBackgroundMusic();
    view->PlayBackgroundMusic();
    view->PlayBackgroundMusic();
    EXPECT_EQ(MusicCalls(), (std::vector<MusicCall>{{Op::StopMusic, "", false},
                                                    {Op::PlayMusic, tracks[first], true},
                                                    {Op::StopMusic, "", false},
                                                    {Op::PlayMusic, tracks[1 - first], true},
                                                    {Op::StopMusic, "", false},
                                                    {Op::PlayMusic, tracks[first], true}}));
    EXPECT_EQ(random.seedCalls, 1);  // the sound service seeds once, when it is made
  }
}

TEST_F(TableViewTest, TheRoomListTrackLeavesTheTableAlternationAlone) {
  ddz::os::ScriptedRandom random{0};
  ddz::os::ScopedRandomSource scoped(random);
  view->PlayBackgroundMusic();
  GameSoundDDZ::shareGameSoundDDZ()->PlayBackGroundMusic(true);
  view->PlayBackgroundMusic();
  EXPECT_EQ(MusicCalls(), (std::vector<MusicCall>{{Op::StopMusic, "", false},
                                                  {Op::PlayMusic, "ddzSound/0.mp3", true},
                                                  {Op::StopMusic, "", false},
                                                  {Op::PlayMusic, "ddzSound/2.mp3", true},
                                                  {Op::StopMusic, "", false},
                                                  {Op::PlayMusic, "ddzSound/1.mp3", true}}));
}

TEST_F(TableViewTest, AGameBaseSoundPlaysAsAnEffect) {
  char file[] = "ddzSound/57.mp3";
  view->CallBackPlaySound(file);
  view->CallBackPlaySound(nullptr);
  const auto& calls = SoundManage::shareSoundManage()->GetCalls();
  ASSERT_EQ(calls.size(), 1u);
  EXPECT_EQ(calls[0].op, Op::PlaySound);
  EXPECT_EQ(calls[0].file, "ddzSound/57.mp3");
}

// ---------------------------------------------------------------- shake

TEST_F(TableViewTest, TheShakeRunsItsEightMovesSevenTimesAndEndsWhereItStarted) {
  const Vec2 start(100, 50);
  view->setPosition(start);
  view->ShakeScreen();

  // Where the view stands after each move of one run.
  const Vec2 afterMove[8] = {{-4.5f, 3}, {-4.5f, 3}, {0, 0}, {0, 0}, {-4.5f, -3}, {-4.5f, -3}, {0, 0}, {0, 0}};
  for (unsigned run = 0; run < DDZGameView::kShakeRepeats; ++run) {
    for (int move = 0; move < DDZGameView::kShakeSteps; ++move) {
      SCOPED_TRACE("run " + std::to_string(run) + " move " + std::to_string(move));
      tick(1, DDZGameView::kShakeStepSeconds);
      EXPECT_NEAR(view->getPositionX(), start.x + afterMove[move].x, 1e-3);
      EXPECT_NEAR(view->getPositionY(), start.y + afterMove[move].y, 1e-3);
    }
  }
  EXPECT_EQ(view->getNumberOfRunningActions(), 0u);
  tick(5, DDZGameView::kShakeStepSeconds);
  EXPECT_EQ(view->getPosition(), start);
}

// ---------------------------------------------------------------- expressions

// Stand-in widgets: engine nodes handed to the view under the widget types,
// with links that write down what the view asks of them.
class ExpressTest : public TableViewTest {
 protected:
  void SetUp() override {
    TableViewTest::SetUp();
    view->m_iPlayerCount = 3;
    for (int seat = 0; seat < 4; ++seat) {
      heads[seat] = Node::create();
      heads[seat]->setPosition(Vec2(100.0f * (seat + 1), 400));
      infos[seat] = Node::create();
      view->addChild(heads[seat]);
      view->addChild(infos[seat]);
      view->heads[seat] = heads[seat];
      view->infos[seat] = infos[seat];
      g_ptPlayerMoneyPos[seat] = Vec2(10.0f * seat, 20.0f * seat);
    }
    bar = Node::create();
    view->addChild(bar);
    view->bar = bar;

    self = view->Seat(1, 700, 5000);
    left = view->Seat(0, 600, 3000);
    right = view->Seat(2, 800, 4000);
    GameViewBase::m_GlobalInfo.iMoney = 5000;
  }

  void TearDown() override {
    for (Vec2& p : g_ptPlayerMoneyPos) p = Vec2::ZERO;
    TableViewTest::TearDown();
  }

  cocos2d::ui::TextAtlas* floatingPrice() {
    for (Node* child : view->getChildren())
      if (auto* atlas = dynamic_cast<cocos2d::ui::TextAtlas*>(child)) return atlas;
    return nullptr;
  }

  Node* heads[4] = {};
  Node* infos[4] = {};
  Node* bar = nullptr;
  PlayerNode* self = nullptr;
  PlayerNode* left = nullptr;
  PlayerNode* right = nullptr;
  const std::vector<tabletest::TestView::MoneyBox>& moneyBoxes() const { return view->moneyBoxes; }
  const std::vector<PlayerNode*>& barRefreshes() const { return view->barRefreshes; }
};

TEST_F(ExpressTest, AnUnknownUserChangesNothingButTheBottomBarIsRefreshed) {
  const Vec2 untouched(-1, -1);
  Vec2 from = untouched;
  Vec2 to = untouched;
  int result = 7;
  view->GetExpressHeadPos(600, 999, 50, from, to, result);
  view->GetExpressHeadPos(999, 600, 50, from, to, result);
  EXPECT_EQ(from, untouched);
  EXPECT_EQ(to, untouched);
  EXPECT_EQ(result, 7);
  EXPECT_EQ(left->iMoney, 3000);
  EXPECT_EQ(GameViewBase::m_GlobalInfo.iMoney, 5000);
  EXPECT_EQ(barRefreshes(), (std::vector<PlayerNode*>{self, self}));
  EXPECT_EQ(floatingPrice(), nullptr);
}

TEST_F(ExpressTest, ThePositionsLeaveBelowTheHeadsAndAboveRightOfTheOwnHead) {
  Vec2 from, to;
  int result = 7;
  view->GetExpressHeadPos(700, 600, 0, from, to, result);
  EXPECT_EQ(from, Vec2(200 + 150, 400 + 30));
  EXPECT_EQ(to, Vec2(100, 400 - 70));
  EXPECT_EQ(result, 0);
  // Free: nobody pays, nothing floats.
  EXPECT_EQ(self->iMoney, 5000);
  EXPECT_EQ(floatingPrice(), nullptr);
  EXPECT_TRUE(moneyBoxes().empty());
}

TEST_F(ExpressTest, TheOwnPlayerPaysAndThePriceFloatsUpAndGoes) {
  Vec2 from, to;
  int result = 7;
  view->GetExpressHeadPos(700, 800, 30, from, to, result);
  EXPECT_EQ(self->iMoney, 4970);
  EXPECT_EQ(GameViewBase::m_GlobalInfo.iMoney, 4970);
  EXPECT_EQ(right->iMoney, 4000);

  cocos2d::ui::TextAtlas* price = floatingPrice();
  ASSERT_NE(price, nullptr);
  EXPECT_EQ(price->getString(), ";30");  // ';' is the atlas's minus sign
  EXPECT_EQ(price->getRenderer()->getCharMapFile(), "qorvddz_result_num_fail.png");
  for (int glyph : price->getRenderer()->getGlyphIndices()) EXPECT_GE(glyph, 0);
  EXPECT_FLOAT_EQ(price->getScale(), 0.6f);
  EXPECT_FALSE(price->isVisible());
  EXPECT_EQ(price->getPosition(), Vec2(240, 250));

  tick(1, 0.25f);
  EXPECT_TRUE(price->isVisible());
  EXPECT_NEAR(price->getPositionY(), 250 - 30 + 15, 0.5);
  tick(1, 0.3f);
  tick();
  EXPECT_EQ(floatingPrice(), nullptr);
}

TEST_F(ExpressTest, OnTheTournamentTableThePriceFloatsHigher) {
  g_iGameViewType = 237;
  Vec2 from, to;
  int result = 0;
  view->GetExpressHeadPos(700, 600, 10, from, to, result);
  ASSERT_NE(floatingPrice(), nullptr);
  EXPECT_EQ(floatingPrice()->getPosition(), Vec2(240, 280));
}

TEST_F(ExpressTest, AnotherPlayerPaysWithoutAFloatingPrice) {
  Vec2 from, to;
  int result = 7;
  view->GetExpressHeadPos(800, 700, 25, from, to, result);
  EXPECT_EQ(right->iMoney, 3975);
  EXPECT_EQ(GameViewBase::m_GlobalInfo.iMoney, 5000);
  EXPECT_EQ(floatingPrice(), nullptr);
  EXPECT_EQ(result, 0);
}

TEST_F(ExpressTest, TheSendersMoneyBoxIsRefreshedOnTheTablesThatShowIt) {
  struct Case {
    int viewType;
    int mode;
    int fromUser;
    bool boxShown;
    int expectSlot;  // -1: no refresh
  };
  const Case cases[] = {
      {1, 1, 800, true, 2},   // classic, call and rob
      {1, 0, 800, true, -1},  // classic by score: no money boxes
      {52, 1, 800, true, 2},  // Super
      {52, 2, 800, true, 3},  // Super mode 2: the opponents share slot 3
      {52, 2, 700, true, 1},  // ... but the own box is the own seat's
      {52, 0, 800, true, -1},
      {16, 1, 800, true, -1},  // four-player table
      {1, 1, 800, false, -1},  // a hidden box is left alone
  };
  for (const Case& c : cases) {
    SCOPED_TRACE("type " + std::to_string(c.viewType) + " mode " + std::to_string(c.mode) + " from " +
                 std::to_string(c.fromUser) + (c.boxShown ? "" : " hidden"));
    g_iGameViewType = c.viewType;
    view->m_iGameMode = c.mode;
    for (Node* info : infos) info->setVisible(c.boxShown);
    view->moneyBoxes.clear();
    Vec2 from, to;
    int result = 0;
    view->GetExpressHeadPos(c.fromUser, 600, 40, from, to, result);
    if (c.expectSlot < 0) {
      EXPECT_TRUE(moneyBoxes().empty());
      continue;
    }
    ASSERT_EQ(moneyBoxes().size(), 1u);
    const PlayerNode* sender = c.fromUser == 800 ? right : self;
    EXPECT_EQ(moneyBoxes()[0].slot, c.expectSlot);
    EXPECT_EQ(moneyBoxes()[0].money, sender->iMoney);
    EXPECT_EQ(moneyBoxes()[0].pos, g_ptPlayerMoneyPos[c.expectSlot]);
  }
}

TEST_F(ExpressTest, TheBottomBarIsRefreshedOnlyWhenShownAndTheOwnSeatIsTaken) {
  Vec2 from, to;
  int result = 0;
  bar->setVisible(false);
  view->GetExpressHeadPos(800, 600, 0, from, to, result);
  EXPECT_TRUE(barRefreshes().empty());
  bar->setVisible(true);
  view->Unseat(1);
  view->GetExpressHeadPos(800, 600, 0, from, to, result);
  EXPECT_TRUE(barRefreshes().empty());
  PlayerNode* back = view->Seat(1, 700, 0);
  view->GetExpressHeadPos(800, 600, 0, from, to, result);
  EXPECT_EQ(barRefreshes(), std::vector<PlayerNode*>{back});
}

TEST_F(ExpressTest, WithoutWidgetsTheMoneyIsStillChargedAndNothingElseHappens) {
  for (int seat = 0; seat < 4; ++seat) {
    view->heads[seat] = nullptr;
    view->infos[seat] = nullptr;
  }
  view->bar = nullptr;
  view->m_iGameMode = 1;
  const Vec2 untouched(-1, -1);
  Vec2 from = untouched;
  Vec2 to = untouched;
  int result = 7;
  view->GetExpressHeadPos(600, 700, 20, from, to, result);
  EXPECT_EQ(left->iMoney, 2980);
  EXPECT_EQ(from, untouched);
  EXPECT_EQ(to, untouched);
  EXPECT_EQ(result, 0);
  EXPECT_TRUE(moneyBoxes().empty());
  EXPECT_TRUE(barRefreshes().empty());
}

TEST_F(ExpressTest, AChargeNeverWrapsTheMoneyAround) {
  left->iMoney = -2147483600;
  Vec2 from, to;
  int result = 0;
  view->GetExpressHeadPos(600, 700, 1000, from, to, result);
  EXPECT_EQ(left->iMoney, -2147483647 - 1);
}

TEST_F(ExpressTest, ThePlayersInfoPopupClosesForItsUserOnly) {
  Node* popups[4] = {};
  for (int seat = 0; seat < 4; ++seat) {
    popups[seat] = Node::create();
    view->addChild(popups[seat]);
    popups[seat]->scheduleUpdate();
    view->popups[seat] = popups[seat];
  }
  view->popups[2] = nullptr;
  view->Seat(2, 600, 0);  // the same user at a seat without popup

  view->HidePlayerInfoOfUser(600);
  EXPECT_FALSE(popups[0]->isVisible());
  EXPECT_FALSE(director->getScheduler()->isUpdateScheduled(popups[0]));
  for (int seat : {1, 2, 3}) {
    SCOPED_TRACE(seat);
    EXPECT_TRUE(popups[seat]->isVisible());
    EXPECT_TRUE(director->getScheduler()->isUpdateScheduled(popups[seat]));
  }
}

// ---------------------------------------------------------------- game base

TEST_F(TableViewTest, AnExpressionAnimationPlaysOnceAndGoesAfterItsTime) {
  char name[] = "3_ddz_bisheng";
  view->CallBackShowExpressSpineAni(name, true, 1.5f, Vec2(320, 200));
  spine::SkeletonAnimation* ani = nullptr;
  for (Node* child : view->getChildren())
    if (auto* a = dynamic_cast<spine::SkeletonAnimation*>(child)) ani = a;
  ASSERT_NE(ani, nullptr);
  EXPECT_EQ(ani->getSkeletonFile(), "eff_biaoqing.json");
  EXPECT_EQ(ani->getAtlasFile(), "eff_biaoqing.atlas");
  EXPECT_EQ(ani->getLocalZOrder(), 1000);
  EXPECT_EQ(ani->getPosition(), Vec2(320, 200));
  EXPECT_TRUE(ani->isMirrored());
  ASSERT_NE(ani->getCurrent(0), nullptr);
  EXPECT_EQ(ani->getCurrent(0)->animation, "3_ddz_bisheng");
  EXPECT_FALSE(ani->getCurrent(0)->loop);

  const std::size_t children = view->getChildrenCount();
  tick(1, 1.4f);
  EXPECT_EQ(view->getChildrenCount(), children);
  tick(1, 0.2f);
  EXPECT_EQ(view->getChildrenCount(), children - 1);
}

TEST_F(TableViewTest, TheViewHasItsOwnBackpackFromTheStart) {
  ASSERT_NE(view->m_pPackInfo, nullptr);
  EXPECT_EQ(view->m_pPackInfo->GetPropNum(3001), 0);
  EXPECT_EQ(view->m_iGameMode, 0);
  EXPECT_EQ(view->m_iShowCardSeat, -1);
  EXPECT_EQ(view->m_TableItem.iTimes, 1);
  for (int seat = 0; seat < 4; ++seat) {
    EXPECT_EQ(view->m_pHandCard[seat], nullptr);
    EXPECT_EQ(view->m_pPlayerShow[seat], nullptr);
  }
  EXPECT_EQ(view->m_pGameClock, nullptr);
}

// ---------------------------------------------------------------- own hand and scene

// A local server that keeps the requests it gets.
class KeepingServer : public SingleServerBase {
 public:
  explicit KeepingServer(IGameMessageSink* sink) : SingleServerBase(sink) {}
  void StartGame() override {}
  void RecvGameViewMsg(const std::uint8_t* buf, int len) override { requests.emplace_back(buf, buf + len); }
  std::vector<std::vector<std::uint8_t>> requests;
};

class SingleView : public DDZGameView {
 public:
  SingleView() : DDZGameView(nullptr, nullptr) {}
  SingleServerBase* CallBackCreateSingleServer() override {
    server = std::make_unique<KeepingServer>(this);
    return server.get();
  }
  std::unique_ptr<KeepingServer> server;
};

TEST_F(TableViewTest, TheOwnHandsRequestsGoToTheServerThroughTheView) {
  GameViewBase::m_GlobalInfo.iPlayMode = 1;
  auto* single = new SingleView();
  single->autorelease();
  scene->addChild(single);
  ISelfHandOwner* owner = single;
  EXPECT_TRUE(owner->IsSinglePlayerGame());

  std::uint8_t request[60] = {};
  request[8] = 0x21;
  owner->SendHandMessage(request, 24, sizeof(request));
  ASSERT_NE(single->server, nullptr);
  ASSERT_EQ(single->server->requests.size(), 1u);
  EXPECT_EQ(single->server->requests[0][1], 24);
  EXPECT_EQ(single->server->requests[0][8], 0x21);
}

TEST_F(TableViewTest, TheCallAndRobQuestionsFollowTheBiddingMode) {
  ISelfHandOwner* owner = view;
  for (auto [mode, callRob] : {std::pair{0, false}, {1, true}, {2, false}}) {
    view->m_iGameMode = mode;
    EXPECT_EQ(owner->IsCallRobMode(), callRob) << mode;
  }
  EXPECT_FALSE(owner->IsSinglePlayerGame());
}

TEST_F(TableViewTest, TheHandsMessageBoxShowsItsTextForItsOwner) {
  Node* hand = Node::create();
  view->addChild(hand);
  view->ShowHandMessageBox("leaving", 3, hand);
  GameMsgBox* box = GameMsgBox::shareMessageBox();
  EXPECT_TRUE(box->IsOpen());
  EXPECT_EQ(box->GetText(), "leaving");
  EXPECT_EQ(box->GetType(), 3);
  EXPECT_EQ(box->GetTarget(), hand);
  EXPECT_FALSE(box->HasConfirmButton());
}

}  // namespace
