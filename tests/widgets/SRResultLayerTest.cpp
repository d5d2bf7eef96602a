// The four-player result window: how it signs the seats' numbers, the spring
// flag, the title and music by the own result, the 100 s countdown that always
// leaves, one action per showing, and a clean rebuild for every hand.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "gamedata/LayoutConfig.h"
#include "gamedata/TextTables.h"
#include "platform/engine/cocos2d.h"
#include "platform/engine/ui/Widgets.h"
#include "platform/framework/SoundManage.h"
#include "platform/gamebase/MainMsgLock.h"
#include "support/Stage.h"
#include "table/DDZGameView.h"
#include "table/GameSoundDDZ.h"
#include "widgets/ResultLayer.h"
#include "widgets/SRResultLayer.h"

namespace {

using Calls = std::vector<std::string>;

class FourSeatView : public DDZGameView {
 public:
  static FourSeatView* create() {
    auto* view = new FourSeatView();
    view->autorelease();
    return view;
  }
  void OnResultBtnContinue() override { Act("continue"); }
  void OnResultBtnQuit() override { Act("quit"); }
  void PlayBackgroundMusic() override { calls.push_back("music"); }
  SRResultLayer* window = nullptr;
  bool refuseContinue = false;
  Calls calls;

 private:
  FourSeatView() : DDZGameView(nullptr, nullptr) {}
  void Act(const std::string& what) {
    calls.push_back(what);
    if (refuseContinue && what == "continue" && window != nullptr) {
      window->GiveBackAction();
      return;
    }
    if (window != nullptr) window->removeFromParent();  // as the view does
  }
};

class SRResultLayerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const ddz::test::Stage stage = ddz::test::ResetStage(true);
    director = stage.director;
    savedPaths = cocos2d::FileUtils::getInstance()->getSearchPaths();
    cocos2d::FileUtils::getInstance()->setSearchPaths({std::string(DDZ_SOURCE_DIR) + "/data"});
    cocos2d::SpriteFrameCache::destroyInstance();
    ResetMainMsgLock();
    SoundManage::shareSoundManage()->Reset();
    GameSoundDDZ::destroyInstance();
    view = FourSeatView::create();
    stage.scene->addChild(view);
    layer = SRResultLayer::create(view);
    layer->retain();
    view->window = layer;
  }
  void TearDown() override {
    layer->release();
    director->reset();
    cocos2d::SpriteFrameCache::destroyInstance();
    cocos2d::FileUtils::getInstance()->setSearchPaths(savedPaths);
    GameSoundDDZ::destroyInstance();
  }
  void Show(std::vector<int> result) {
    for (int i = 0; i < SRResultLayer::kSeats; ++i) layer->vcResult[i] = result[static_cast<std::size_t>(i)];
    view->addChild(layer, 101);
  }
  void Advance(float seconds) {
    for (int i = 0; i < static_cast<int>(seconds * 10 + 0.5f); ++i) director->mainLoop(0.1f);
  }
  static std::string Frame(cocos2d::Node* node) {
    auto* sprite = dynamic_cast<cocos2d::Sprite*>(node);
    return sprite != nullptr ? sprite->getDisplayName() : "";
  }
  static Calls Music() {
    Calls files;
    for (const auto& call : SoundManage::shareSoundManage()->GetCalls())
      if (call.op == SoundManage::Op::PlayMusic || call.op == SoundManage::Op::PlaySound) files.push_back(call.file);
    return files;
  }

  cocos2d::Director* director = nullptr;
  FourSeatView* view = nullptr;
  SRResultLayer* layer = nullptr;
  std::vector<std::string> savedPaths;
};

TEST_F(SRResultLayerTest, SeatNumbersShowGainsWithoutASignAndZeroWithTheMinusGlyph) {
  struct Case {
    int value;
    const char* text;
    const char* atlas;
  };
  const Case cases[] = {
      {40, "40", ResultLayer::kWinAtlas},
      {1, "1", ResultLayer::kWinAtlas},
      {0, ";0", ResultLayer::kLoseAtlas},
      {-25, ";25", ResultLayer::kLoseAtlas},
  };
  Show({cases[0].value, cases[1].value, cases[2].value, cases[3].value});
  for (int seat = 0; seat < SRResultLayer::kSeats; ++seat) {
    SCOPED_TRACE(seat);
    cocos2d::ui::TextAtlas* number = layer->GetSeatNumber(seat);
    ASSERT_NE(number, nullptr);
    EXPECT_EQ(number->getString(), cases[seat].text);
    EXPECT_EQ(number->getRenderer()->getCharMapFile(), cases[seat].atlas);
    EXPECT_FLOAT_EQ(number->getScale(), seat == SRResultLayer::kOwnSeat ? 1.0f : 0.6f);
  }
}

TEST_F(SRResultLayerTest, AnOwnZeroIsALossAndBothSpringKindsCountAsOne) {
  struct Case {
    int own;
    bool landlord;
    int springType;
    const char* title;
    Calls music;
    bool burst;
    const char* spring;
  };
  const Case cases[] = {
      {0, false, 2, "qorvddz_result_title_4.png", {"ddzSound/13.mp3"}, false, ":1"},
      {30, true, 1, "qorvddz_result_title_0.png", {"ddzSound/12.mp3", "ddzSound/69.mp3"}, true, ":1"},
      {-30, true, 0, "qorvddz_result_title_3.png", {"ddzSound/13.mp3"}, false, ":0"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.own);
    SoundManage::shareSoundManage()->ClearCalls();
    layer->iImageIndex = 1;
    layer->bLandOwner = c.landlord;
    layer->iSpringType = c.springType;
    Show({-10, c.own, 5, 5});
    EXPECT_EQ(Frame(layer->GetTitle()), c.title);
    EXPECT_EQ(Music(), c.music);
    EXPECT_EQ(layer->GetWinEffect() != nullptr, c.burst);
    ASSERT_NE(layer->GetDetailNumber(2), nullptr);
    EXPECT_EQ(layer->GetDetailNumber(2)->getString(), c.spring);
    layer->removeFromParent();
  }
}

TEST_F(SRResultLayerTest, TheCountdownLeavesAfterAHundredSecondsAndNeverContinues) {
  Show({-10, 30, -10, -10});
  Advance(99);
  EXPECT_TRUE(view->calls.empty());
  EXPECT_EQ(layer->GetCountDown(), 1);
  Advance(1);
  EXPECT_EQ(view->calls, Calls({"quit"}));
  // A second showing counts from 100 again, and one press acts once.
  Show({-10, 30, -10, -10});
  EXPECT_EQ(layer->GetCountDown(), SRResultLayer::kCountSeconds);
  view->calls.clear();
  view->window = nullptr;  // the view keeps the window up this time
  layer->OnBtnContinue();
  layer->OnBtnQuit();
  Advance(101);
  EXPECT_EQ(view->calls, Calls({"continue", "music"}));
}

// The hundred seconds to the leave are shown, on the window and clear of its
// buttons and numbers, and say that the table is left at 0.
TEST_F(SRResultLayerTest, TheSecondsToTheLeaveShowOnTheWindow) {
  ASSERT_TRUE(LoadTextLines(ddz::kGameTextFile, g_vecGameText));
  LoadGamePositionInfo("ddz_pt_game_ip5.conf");  // the window's real places
  Show({-10, 30, -10, -10});
  cocos2d::Label* seconds = layer->GetCountDownLabel();
  ASSERT_NE(seconds, nullptr);
  const auto text = [](int left) { return ddz::FormatText(GameText(ResultLayer::kTextCountDownLeave), left); };
  EXPECT_EQ(seconds->getString(), text(100));
  Advance(40);
  EXPECT_TRUE(seconds->isVisible());
  EXPECT_EQ(seconds->getString(), text(60));
  const cocos2d::Rect box = seconds->getBoundingBox();
  const cocos2d::Rect bg = layer->GetBackground()->getBoundingBox();
  EXPECT_TRUE(bg.containsPoint(box.origin) && bg.containsPoint(cocos2d::Vec2(box.getMaxX(), box.getMaxY())));
  for (cocos2d::Node* part : {static_cast<cocos2d::Node*>(layer->GetContinueButton()),
                              static_cast<cocos2d::Node*>(layer->GetQuitButton()),
                              static_cast<cocos2d::Node*>(layer->GetSeatNumber(1))})
    EXPECT_FALSE(box.intersectsRect(part->getBoundingBox()));
}

TEST_F(SRResultLayerTest, ARefusedContinueLeavesTheCountdownRunningToTheLeave) {
  view->refuseContinue = true;
  Show({-10, 30, -10, -10});
  Advance(40);
  layer->OnBtnContinue();
  EXPECT_TRUE(layer->GetContinueButton()->isEnabled());
  EXPECT_TRUE(layer->GetQuitButton()->isEnabled());
  Advance(59);
  EXPECT_EQ(layer->GetCountDown(), 1);
  Advance(1);
  EXPECT_EQ(view->calls, Calls({"continue", "music", "quit"}));
  EXPECT_FALSE(layer->isRunning());
}

TEST_F(SRResultLayerTest, EveryShowingReplacesTheWindowOfTheHandBefore) {
  Show({-10, 30, -10, -10});
  const auto firstCount = layer->getChildrenCount();
  layer->removeFromParent();
  layer->bFenDing = true;
  Show({10, -30, 10, 10});
  EXPECT_EQ(layer->getChildrenCount(), firstCount - 1);  // no win burst this time
  EXPECT_NE(layer->GetCapNotice(), nullptr);
  EXPECT_EQ(layer->GetSeatNumber(1)->getString(), ";30");
}

}  // namespace
