// Quick chat: the phrases and voices by head parity, the phrase list's rows
// under a touch, and the speech bubbles with their hide timers.
#include "ChatWidgetsTestSupport.h"

namespace chattest {
namespace {

using cocos2d::Vec2;

class TalkLayerTest : public ChatWidgetsTest {
 protected:
  void SetUp() override {
    ChatWidgetsTest::SetUp();
    savedBg = g_ptGameTalkLayerBg[0];
    g_ptGameTalkLayerBg[0] = Vec2(640, 360);  // the box: x 426..854, y 218..502
    for (int i = 0; i < 3; ++i) savedTip[i] = g_ptGameTalkTip[i];
    g_ptGameTalkTip[0] = Vec2(200, 540);
    g_ptGameTalkTip[1] = Vec2(240, 270);
    g_ptGameTalkTip[2] = Vec2(1080, 540);
    bar = TestBar::create(view);
    view->addChild(bar);
    tip = TalkTip::create();
    view->addChild(tip);
  }
  void TearDown() override {
    g_ptGameTalkLayerBg[0] = savedBg;
    for (int i = 0; i < 3; ++i) g_ptGameTalkTip[i] = savedTip[i];
    ChatWidgetsTest::TearDown();
  }
  // A touch at design point p (y up), begun and ended there.
  void press(Vec2 p) {
    window->touchBegan(p.x, 720 - p.y);
    window->touchEnded(p.x, 720 - p.y);
  }
  std::string bubbleText(int seat) const {
    cocos2d::Node* bubble = tip->GetBubble(seat);
    if (bubble == nullptr || bubble->getChildren().empty()) return "";
    auto* label = dynamic_cast<cocos2d::Label*>(bubble->getChildren().front());
    return label ? label->getString() : "";
  }

  Vec2 savedBg;
  Vec2 savedTip[3];
  TestBar* bar = nullptr;
  TalkTip* tip = nullptr;
};

// ---------------------------------------------------------------- phrases and voices

TEST_F(TalkLayerTest, APhraseReadsAndSoundsByTheParityOfTheSendersHead) {
  struct Case {
    int head;
    int phrase;
    const char* text;
    const char* voice;
  };
  const Case cases[] = {
      {3, 2, "line 139", "ddzSound/61.mp3"},
      {4, 2, "line 134", "ddzSound/93.mp3"},
      {1, 0, "line 137", "ddzSound/59.mp3"},
      {0, 4, "line 136", "ddzSound/95.mp3"},
      {-3, 2, "line 134", "ddzSound/93.mp3"},  // a negative id never counts as odd
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.head << " " << c.phrase);
    SoundManage::shareSoundManage()->ClearCalls();
    tip->Talk(0, c.head, c.phrase);
    EXPECT_EQ(bubbleText(0), c.text);
    EXPECT_EQ(sounds(), std::vector<std::string>{c.voice});
  }
}

TEST_F(TalkLayerTest, APhraseNumberFromOutsideTheFiveShowsAndSoundsNothing) {
  for (int phrase : {-1, 5, 200}) tip->Talk(0, 3, phrase);
  EXPECT_EQ(tip->GetBubble(0), nullptr);
  EXPECT_TRUE(sounds().empty());
}

TEST_F(TalkLayerTest, TheListShowsTheOwnHeadsPhrases) {
  for (auto [head, first] : {std::pair{11, 137}, {4, 132}, {-1, 132}}) {  // 11 is icon 3
    SCOPED_TRACE(head);
    GameViewBase::m_GlobalInfo.iHeadID = head;
    bar->OpenTalk();
    tick();
    TalkLayer* list = bar->GetTalkLayer();
    for (int k = 0; k < 5; ++k) EXPECT_EQ(list->GetLabel(k)->getString(), "line " + std::to_string(first + k));
    EXPECT_EQ(list->GetBg()->getChildrenCount(), 9u);  // four lines, five labels: nothing piles up
    bar->removeChild(list);
  }
}

// ---------------------------------------------------------------- the list's rows

TEST_F(TalkLayerTest, ATouchEndingOnARowSendsItsPhraseAndClosesTheList) {
  struct Case {
    Vec2 at;
    int sent;     // -1: nothing sent
    bool closes;
  };
  const Case cases[] = {
      {{640, 480}, 0, true},
      {{640, 502}, 0, true},   // the box's top edge
      {{640, 446}, 0, true},   // the line between rows 0 and 1: the upper row
      {{854, 400}, 1, true},   // the box's right edge
      {{426, 334}, 2, true},   // left edge, line between rows 2 and 3
      {{640, 222}, 4, true},   // the last row's lower bound
      {{640, 220}, -1, false}, // the box's lowest 4 points: no row, the list stays
      {{640, 218}, -1, false}, // the bottom edge itself
      {{640, 217}, -1, true},  // below the box
      {{425, 400}, -1, true},  // left of the box
      {{640, 503}, -1, true},  // above the box
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.at.x << "," << c.at.y);
    bar->OpenTalk();
    tick();
    TalkLayer* list = bar->GetTalkLayer();
    const std::size_t before = view->Requests().size();
    SoundManage::shareSoundManage()->ClearCalls();
    press(c.at);
    tick(2);
    if (c.sent < 0) {
      EXPECT_EQ(view->Requests().size(), before);
      EXPECT_TRUE(sounds().empty());
    } else {
      ASSERT_EQ(view->Requests().size(), before + 1);
      EXPECT_EQ(view->Requests().back()[1], 248);
      EXPECT_EQ(view->Requests().back()[8], c.sent);
      EXPECT_EQ(sounds(), std::vector<std::string>{TalkLayer::kChooseSound});
    }
    EXPECT_EQ(list->getParent() == nullptr, c.closes);
    if (!c.closes) bar->removeChild(list);
  }
}

TEST_F(TalkLayerTest, TheRowUnderTheTouchIsHighlightedWhileItMoves) {
  bar->OpenTalk();
  tick();
  TalkLayer* list = bar->GetTalkLayer();
  auto colourOf = [&](int row) { return list->GetLabel(row)->getColor(); };
  window->touchBegan(640, 720 - 400);  // row 1
  EXPECT_EQ(colourOf(1), TalkLayer::kRowHighlight);
  EXPECT_EQ(colourOf(0), TalkLayer::kRowColor);
  window->touchMoved(640, 720 - 300);  // row 3
  EXPECT_EQ(colourOf(1), TalkLayer::kRowColor);
  EXPECT_EQ(colourOf(3), TalkLayer::kRowHighlight);
  window->touchMoved(100, 720 - 300);  // outside: nothing lit, nothing closes
  for (int k = 0; k < 5; ++k) EXPECT_EQ(colourOf(k), TalkLayer::kRowColor) << k;
  tick(2);
  EXPECT_EQ(list->getParent(), bar);
}

// ---------------------------------------------------------------- bubbles

TEST_F(TalkLayerTest, ASecondBubbleReplacesTheFirstAndKeepsOrRestartsTheHideByItsForm) {
  struct Case {
    const char* form;
    std::function<void()> first, second;
    float hiddenAfter;  // seconds after the second bubble
  };
  const Case cases[] = {
      {"phrase keeps", [&] { tip->Talk(1, 3, 0); }, [&] { tip->Talk(1, 3, 1); }, 1.0f},
      {"text restarts", [&] { tip->Talk(1, "a"); }, [&] { tip->Talk(1, "b"); }, 3.0f},
      {"free text keeps", [&] { tip->TalkFreeTxt(1, "a"); }, [&] { tip->TalkFreeTxt(1, "b"); }, 2.0f},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.form);
    c.first();
    // Held, so that the new bubble cannot take the old one's freed address.
    cocos2d::Node* old = tip->GetBubble(1);
    ASSERT_NE(old, nullptr);
    old->retain();
    run(2);
    c.second();
    EXPECT_NE(tip->GetBubble(1), old);
    old->release();
    EXPECT_EQ(tip->getChildrenCount(), 1u);  // the old one went at once
    run(c.hiddenAfter - 0.05f);
    EXPECT_NE(tip->GetBubble(1), nullptr);
    run(0.1f);
    EXPECT_EQ(tip->GetBubble(1), nullptr);
    EXPECT_EQ(tip->getChildrenCount(), 0u);
  }
}

TEST_F(TalkLayerTest, BubblesGrowAwayFromTheTableEdgeAndFitTheirText) {
  tip->Talk(0, "abcd");      // 4 narrow characters at 24: 48 wide
  tip->Talk(2, "你好");      // 2 wide characters: 48 wide
  cocos2d::Node* left = tip->GetBubble(0);
  cocos2d::Node* right = tip->GetBubble(2);
  ASSERT_NE(left, nullptr);
  ASSERT_NE(right, nullptr);
  EXPECT_EQ(left->getContentSize(), cocos2d::Size(78, 44));
  EXPECT_EQ(left->getAnchorPoint(), Vec2(0, 0.5f));
  EXPECT_EQ(left->getPosition(), Vec2(200, 540));
  EXPECT_EQ(right->getAnchorPoint(), Vec2(1, 0.5f));
  EXPECT_EQ(right->getBoundingBox().getMaxX(), 1080);
}

TEST_F(TalkLayerTest, SeatsWithoutAPlaceOnTheRunningTableAreIgnored) {
  tip->Talk(3, "x");  // the three-seat table has no fourth place
  tip->Talk(-1, "x");
  tip->TalkFreeTxt(4, "x");
  EXPECT_EQ(tip->getChildrenCount(), 0u);
  g_iGameViewType = ddz::kViewFourPlayer;
  const Vec2 saved = g_ptSRGameTalkTip[3];
  g_ptSRGameTalkTip[3] = Vec2(640, 560);
  tip->Talk(3, "x");
  ASSERT_NE(tip->GetBubble(3), nullptr);
  EXPECT_EQ(tip->GetBubble(3)->getPosition(), Vec2(640, 560));
  g_ptSRGameTalkTip[3] = saved;
}

TEST_F(TalkLayerTest, TheIdleTipComesEveryTwoMinutesUntilStopped) {
  random.Push(1);  // seat 2
  random.Push(3);  // line 50
  tip->StartFreeTip();
  run(119.9f);
  EXPECT_EQ(tip->GetRandomTip(), nullptr);
  run(0.2f);
  ASSERT_NE(tip->GetRandomTip(), nullptr);
  EXPECT_EQ(tip->GetRandomTip()->getAnchorPoint(), Vec2(1, 0.5f));
  auto* label = dynamic_cast<cocos2d::Label*>(tip->GetRandomTip()->getChildren().front());
  EXPECT_EQ(label->getString(), "line 50");
  run(3.0f);
  EXPECT_EQ(tip->GetRandomTip(), nullptr);
  tip->StopFreeTip();
  run(240);
  EXPECT_EQ(tip->GetRandomTip(), nullptr);
}

}  // namespace
}  // namespace chattest
