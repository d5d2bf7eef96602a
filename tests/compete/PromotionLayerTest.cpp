// The promotion screen: the stage bar and its scrolling, the rank, the
// waiting text, the stage result and its hold on the messages, and one copy
// of the screen on the table however often it is entered.
#include <string>
#include <vector>

#include "compete/CompeteLayersTestSupport.h"
#include "compete/CompetePromotionLayer.h"
#include "compete/CompeteWaitLayer.h"
#include "compete/PromotionItem.h"
#include "platform/engine/ui/Widgets.h"

namespace competetest {
namespace {

class PromotionLayerTest : public CompeteLayersTest {
 protected:
  // A new screen for `stages` on the table (not shown).
  CompetePromotionLayer* NewScreen(std::vector<int> stages) {
    Match()->m_vcStages = std::move(stages);
    view->NewPromotionLayer();
    return view->m_pCompetePromotionLayer;
  }
  // Enters the screen again at `promotions` stages passed.
  void Reenter(CompetePromotionLayer* layer, int promotions) {
    view->RemovePromotionLayer();
    layer->SetBrevetTimes(promotions);
    view->addChild(layer, CompetePromotionLayer::kZOnTable);
  }
  std::vector<int> SegmentPlayers(const CompetePromotionLayer* layer) const {
    std::vector<int> players;
    for (const PromotionItem* item : layer->GetSegments()) players.push_back(item->m_iPlayers);
    return players;
  }
  static int LockMs() { return GameViewBase::m_iLockMainMsgTime; }
};

TEST_F(PromotionLayerTest, TheBarHasASegmentPerStageWithARepeatedFirstStageOnceAndNoNumberOnTheFinal) {
  CompetePromotionLayer* layer = NewScreen({96, 96, 48, 24, 12, 6, 3});
  EXPECT_EQ(layer->GetStages(), (std::vector<int>{96, 48, 24, 12, 6, 3}));
  ASSERT_TRUE(view->ShowPromotionLayer());
  const std::vector<PromotionItem*>& segments = layer->GetSegments();
  ASSERT_EQ(SegmentPlayers(layer), (std::vector<int>{96, 48, 24, 12, 6, 3}));
  for (std::size_t i = 0; i < segments.size(); ++i) {
    SCOPED_TRACE(i);
    const bool last = i + 1 == segments.size();
    const int kind = i == 0 ? PromotionItem::kFirst : (last ? PromotionItem::kLast : PromotionItem::kMiddle);
    EXPECT_EQ(segments[i]->m_iKind, kind);
    EXPECT_EQ(segments[i]->m_bReached, i == 0);
    EXPECT_TRUE(ShowsFrame(segments[i]->GetPiece(), PromotionItem::PieceFrame(kind, i == 0)));
    if (last) {
      EXPECT_EQ(segments[i]->GetNumber(), nullptr);
    } else {
      ASSERT_NE(segments[i]->GetNumber(), nullptr);
      auto* number = static_cast<cocos2d::ui::TextAtlas*>(segments[i]->GetNumber());
      EXPECT_EQ(number->getString(), std::to_string(segments[i]->m_iPlayers));
    }
  }
  // Six segments: the window starts at the first; the marker stands over it.
  EXPECT_FLOAT_EQ(layer->GetBar()->getPositionX(), 0);
  ASSERT_NE(layer->GetMarker(), nullptr);
  EXPECT_FLOAT_EQ(layer->GetMarker()->getPositionX(), segments[0]->getPositionX() + 46);
}

TEST_F(PromotionLayerTest, NineSegmentsScrollByThreeAndEndOnTheLastFive) {
  CompetePromotionLayer* layer = NewScreen({512, 256, 128, 64, 32, 16, 8, 4, 3});
  struct Step {
    int promotions, first;
  } steps[] = {{0, 0}, {3, 3}, {4, 3}, {5, 3}, {6, 4}, {8, 4}};
  for (const Step& s : steps) {
    SCOPED_TRACE(s.promotions);
    Reenter(layer, s.promotions);
    EXPECT_EQ(layer->GetFirstVisible(), s.first);
    EXPECT_FLOAT_EQ(layer->GetBar()->getPositionX(), -s.first * 196.0f);
    // The marker over the current segment, where the window shows it.
    ASSERT_NE(layer->GetMarker(), nullptr);
    const PromotionItem* current = layer->GetSegments()[static_cast<std::size_t>(s.promotions)];
    EXPECT_FLOAT_EQ(layer->GetMarker()->getPositionX(), layer->GetBar()->getPositionX() + current->getPositionX() + 46);
  }
}

TEST_F(PromotionLayerTest, FourSegmentsAreShiftedRightByHalfASegmentToStandCentred) {
  CompetePromotionLayer* layer = NewScreen({24, 12, 6, 3});
  Reenter(layer, 0);
  EXPECT_EQ(layer->GetSegments().size(), 4u);
  EXPECT_FLOAT_EQ(layer->GetBar()->getPositionX(), 98);
}

TEST_F(PromotionLayerTest, JudgeShowHoldsBelowTheStageCountLessTwoAndAlwaysForFewerThanTwoStages) {
  struct Case {
    std::vector<int> stages;
    std::vector<int> shown, hidden;
  } cases[] = {
      {{192, 96, 48, 24, 12, 6, 3}, {0, 1, 2, 3, 4}, {5, 6, 7}},
      {{96, 96, 48, 24, 12, 6, 3, 1}, {0, 4}, {5}},  // the repeated first stage is not counted
      {{3}, {0, 1, 5, 100}, {}},                   // compared unsigned: always shown
      {{}, {0, 1, 5}, {}},
      {{6, 3}, {}, {0, 1}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.stages.size());
    CompetePromotionLayer* layer = NewScreen(c.stages);
    for (int p : c.shown) {
      layer->SetBrevetTimes(p);
      EXPECT_TRUE(layer->JudgeShow()) << p;
    }
    for (int p : c.hidden) {
      layer->SetBrevetTimes(p);
      EXPECT_FALSE(layer->JudgeShow()) << p;
    }
  }
  // The table shows it only when the test holds.
  CompetePromotionLayer* layer = NewScreen({192, 96, 48, 24, 12, 6, 3});
  layer->SetBrevetTimes(5);
  EXPECT_FALSE(view->ShowPromotionLayer());
  EXPECT_EQ(layer->getParent(), nullptr);
}

TEST_F(PromotionLayerTest, APromotionAdvancesTheBarOncePerEntryAndHoldsTheMessagesThreeSeconds) {
  CompetePromotionLayer* layer = NewScreen({96, 48, 24, 12, 6, 3});
  ASSERT_TRUE(view->ShowPromotionLayer());
  TakeSounds();
  const std::string waitingTitle = layer->GetTitle()->getString();

  layer->ShowWeedBrevet(1);
  layer->ShowWeedBrevet(1);  // the entry has had its result
  EXPECT_EQ(layer->GetBrevetTimes(), 1);
  EXPECT_EQ(LockMs(), 3000);
  EXPECT_NE(layer->GetTitle()->getString(), waitingTitle);
  EXPECT_EQ(layer->GetTitle()->getString(), "恭喜晋级！");
  EXPECT_EQ(TakeSounds(), (std::vector<std::string>{"ddzSound/ddzcompete_promotion_up_2.mp3"}));
  // The reached piece is revealed on the next segment and the marker moves there.
  const PromotionItem* next = layer->GetSegments()[1];
  ASSERT_NE(next->GetReveal(), nullptr);
  tick(6, 0.1f);
  EXPECT_FLOAT_EQ(layer->GetMarker()->getPositionX(), layer->GetBar()->getPositionX() + next->getPositionX() + 46);

  // The next entry takes another result.
  Reenter(layer, layer->GetBrevetTimes());
  EXPECT_EQ(layer->GetTitle()->getString(), waitingTitle);
  const int before = LockMs();
  layer->ShowWeedBrevet(1);
  EXPECT_EQ(layer->GetBrevetTimes(), 2);
  EXPECT_EQ(LockMs(), before + 3000);
}

TEST_F(PromotionLayerTest, AResultWithoutPromotionOnlyHoldsTheMessagesAndNoResultDoesNothing) {
  struct Case {
    int result;
    int lockMs;
  } cases[] = {{-1, 3000}, {2, 3000}, {0, 0}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.result);
    ResetMainMsgLock();
    CompetePromotionLayer* layer = NewScreen({96, 48, 24, 12, 6, 3});
    ASSERT_TRUE(view->ShowPromotionLayer());
    TakeSounds();
    const std::string title = layer->GetTitle()->getString();
    const int nodes = CountNodes(layer);
    layer->ShowWeedBrevet(c.result);
    layer->ShowWeedBrevet(c.result);
    EXPECT_EQ(LockMs(), c.lockMs);
    EXPECT_EQ(layer->GetBrevetTimes(), 0);
    EXPECT_EQ(layer->GetTitle()->getString(), title);
    EXPECT_EQ(CountNodes(layer), nodes);
    EXPECT_TRUE(TakeSounds().empty());
    EXPECT_EQ(layer->IsResultShown(), c.result != 0);
  }
}

TEST_F(PromotionLayerTest, AResultForAScreenNotShownIsDropped) {
  CompetePromotionLayer* layer = NewScreen({96, 48, 24, 12, 6, 3});
  layer->ShowWeedBrevet(1);
  EXPECT_EQ(LockMs(), 0);
  EXPECT_EQ(layer->GetBrevetTimes(), 0);
}

TEST_F(PromotionLayerTest, TheRankShowsTheCurrentStagesPlayersInTheLaterPhases) {
  CompetePromotionLayer* layer = NewScreen({96, 48, 24, 12, 6, 3});
  layer->UpdateOrder(7, 90);
  Reenter(layer, 2);  // the third stage: 24 players
  EXPECT_EQ(layer->GetRankDigits()->getString(), "7");
  EXPECT_EQ(layer->GetTotalDigits()->getString(), "/90");  // shown as stored at the entry
  Match()->m_iState = 3;
  layer->UpdateOrder(5, 200);
  EXPECT_EQ(layer->GetRankDigits()->getString(), "5");
  EXPECT_EQ(layer->GetTotalDigits()->getString(), "/24");
  // Before the later phases the reported count is taken.
  Match()->m_iState = 2;
  layer->UpdateOrder(5, 200);
  EXPECT_EQ(layer->GetTotalDigits()->getString(), "/200");
  // The pair is centred.
  const float left = layer->GetRankDigits()->getPositionX() - layer->GetRankDigits()->getContentSize().width / 2;
  const float right = layer->GetTotalDigits()->getPositionX() + layer->GetTotalDigits()->getContentSize().width / 2;
  EXPECT_NEAR(640 - left, right - 640, 0.5f);
}

TEST_F(PromotionLayerTest, TheWaitingTextCountsTheTablesAndTheTimeFromEachEntry) {
  CompetePromotionLayer* layer = NewScreen({96, 48, 24, 12, 6, 3});
  layer->UpdateWaitTable(4);
  ASSERT_TRUE(view->ShowPromotionLayer());
  EXPECT_EQ(layer->GetTips()->getString(), "还有4桌正在比赛，已等待0分0秒");
  tick(64, 1.0f);  // each tick shows its count, then counts the second on
  EXPECT_EQ(layer->GetTips()->getString(), "还有4桌正在比赛，已等待1分4秒");
  layer->UpdateWaitTable(2);
  EXPECT_EQ(layer->GetTips()->getString(), "还有2桌正在比赛，已等待1分5秒");
  Reenter(layer, 0);
  EXPECT_EQ(layer->GetTips()->getString(), "还有2桌正在比赛，已等待0分0秒");
  // A long text stays on its 472-unit plate.
  layer->UpdateWaitTable(123456789);
  EXPECT_LE(layer->GetTips()->getContentSize().width * layer->GetTips()->getScaleX(), 472);
}

TEST_F(PromotionLayerTest, FiveEntriesInARowLeaveOneCopyOfTheScreenOnTheTable) {
  GameSceneBase::m_pGameView = view;
  CompetePromotionLayer* layer = NewScreen({96, 48, 24, 12, 6, 3});
  int nodes = -1;
  for (int entry = 0; entry < 5; ++entry) {
    SCOPED_TRACE(entry);
    ASSERT_TRUE(view->ShowPromotionLayer());
    EXPECT_TRUE(view->ShowPromotionLayer());  // asked again while shown
    EXPECT_EQ(CountOf<CompetePromotionLayer>(view), 1);
    EXPECT_EQ(CountOf<PromotionItem>(layer), 6);
    if (nodes >= 0) {
      EXPECT_EQ(CountNodes(layer), nodes);
    }
    nodes = CountNodes(layer);
    EXPECT_FALSE(view->m_pTopUI->GetTopBtn(TopUIBase::kSetBtn)->isEnabled());
    view->RemovePromotionLayer();
    EXPECT_TRUE(view->m_pTopUI->GetTopBtn(TopUIBase::kSetBtn)->isEnabled());
  }
  EXPECT_EQ(CountOf<CompetePromotionLayer>(view), 0);
  GameSceneBase::m_pGameView = nullptr;
}

TEST_F(PromotionLayerTest, ADealTakesTheScreenOffAndANewMatchReplacesIt) {
  CompetePromotionLayer* first = NewScreen({96, 48, 24, 12, 6, 3});
  first->retain();
  ASSERT_TRUE(view->ShowPromotionLayer());
  DealAndSettle();
  EXPECT_FALSE(view->IsPromotionLayerShown());
  EXPECT_EQ(view->m_pCompetePromotionLayer, first);  // kept for the next stage
  ASSERT_TRUE(view->ShowPromotionLayer());

  CompetePromotionLayer* second = NewScreen({96, 48, 24});
  EXPECT_NE(second, first);
  EXPECT_EQ(first->getParent(), nullptr);
  EXPECT_EQ(first->getReferenceCount(), 1u);  // only the test's reference is left
  first->release();
}

TEST_F(PromotionLayerTest, GoingToTheBackgroundTakesBothScreensOffAndKeepsThePromotionScreen) {
  CompetePromotionLayer* promotion = NewScreen({96, 48, 24, 12, 6, 3});
  ASSERT_TRUE(view->ShowPromotionLayer());
  view->ShowWaitLayer(0);
  view->CallBackGameEnterBackGround();
  tick();
  EXPECT_EQ(CountOf<CompeteWaitLayer>(view), 0);
  EXPECT_EQ(view->m_pCompeteWaitLayer, nullptr);
  EXPECT_FALSE(view->IsPromotionLayerShown());
  EXPECT_EQ(view->m_pCompetePromotionLayer, promotion);
}

}  // namespace
}  // namespace competetest
