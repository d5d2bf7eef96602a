#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "GamebaseTestSupport.h"
#include "platform/gamebase/AniBase.h"

namespace {

using Lines = std::vector<std::string>;

// An animation that lasts a given number of frames and writes down its life.
class FrameAni : public AniBase {
 public:
  FrameAni(std::shared_ptr<Lines> journal, std::string name, int frames)
      : journal_(std::move(journal)), name_(std::move(name)), frames_(frames) {}
  ~FrameAni() override { journal_->push_back(name_ + ".freed"); }
  void onEnter() override {
    AniBase::onEnter();
    journal_->push_back(name_ + ".enter");
  }
  void CallBackAniStart() override { journal_->push_back(name_ + ".start"); }
  void CallBackAniEnd() override {
    journal_->push_back(name_ + ".end");
    if (onEnd) onEnd();
  }
  bool UpdateFrame(float) override {
    ++updates;
    return updates >= frames_;
  }
  std::function<void()> onEnd;
  int updates = 0;

 private:
  std::shared_ptr<Lines> journal_;
  std::string name_;
  int frames_;
};

class Anis : public gbtest::GamebaseTest {
 protected:
  void SetUp() override {
    GamebaseTest::SetUp();
    view = gbtest::RecordingView::create();
    scene->addChild(view);
    manage = view->GetAniManage();
  }
  // An animation made with new, as the views make them.
  FrameAni* Make(const std::string& name, int frames) { return new FrameAni(journal, name, frames); }
  std::shared_ptr<Lines> journal = std::make_shared<Lines>();
  gbtest::RecordingView* view = nullptr;
  AniManage* manage = nullptr;
};

TEST_F(Anis, QueuedAnimationsRunOneAfterAnotherAndEndOnce) {
  FrameAni* spring = Make("spring", 2);
  FrameAni* pause = Make("pause", 1);
  manage->ShowAni(spring, false, true);
  manage->ShowAni(pause, false, true);
  EXPECT_EQ(*journal, (Lines{"spring.enter", "spring.start"})) << "the first starts at once, on the view";
  EXPECT_EQ(spring->getParent(), view);
  EXPECT_EQ(manage->GetQueuedCount(), 1u);
  tick();
  EXPECT_EQ(journal->size(), 2u);
  tick();  // the spring ends; the pause starts behind it
  EXPECT_EQ(*journal, (Lines{"spring.enter", "spring.start", "spring.end", "spring.freed", "pause.enter",
                             "pause.start"}));
  tick();  // the pause had no frame yet when it started: it ends one frame later
  tick(5);
  EXPECT_EQ(*journal, (Lines{"spring.enter", "spring.start", "spring.end", "spring.freed", "pause.enter",
                             "pause.start", "pause.end", "pause.freed"}));
  EXPECT_EQ(manage->GetRunningCount(), 0u);
}

TEST_F(Anis, AnAnimationShownAtOnceRunsBesideTheQueue) {
  FrameAni* plane = Make("plane", 3);
  FrameAni* bomb = Make("bomb", 1);
  manage->ShowAni(plane, false, true);
  manage->ShowAni(bomb, true, true);
  EXPECT_EQ(manage->GetRunningCount(), 2u);
  tick();
  EXPECT_EQ(journal->back(), "bomb.freed");
  EXPECT_TRUE(manage->IsRunning(plane));
}

TEST_F(Anis, WithoutOwnershipTheCallerKeepsItsReference) {
  FrameAni* ani = Make("award", 1);
  manage->ShowAni(ani, true, false);
  tick();
  EXPECT_EQ(*journal, (Lines{"award.enter", "award.start", "award.end"}));
  EXPECT_EQ(ani->getParent(), nullptr);
  EXPECT_EQ(ani->getReferenceCount(), 1u);
  ani->release();
  EXPECT_EQ(journal->back(), "award.freed");
}

TEST_F(Anis, AnAutoreleasedAnimationIsOwnedToo) {
  FrameAni* ani = Make("rocket", 2);
  ani->autorelease();
  manage->ShowAni(ani, false, true);
  tick(3);
  EXPECT_EQ(journal->back(), "rocket.freed");
}

TEST_F(Anis, AnAnimationTakenOffTheSceneIsDroppedAndTheQueueGoesOn) {
  FrameAni* hat = Make("doubling", 1000);
  FrameAni* next = Make("next", 1);
  manage->ShowAni(hat, false, true);
  manage->ShowAni(next, false, true);
  tick(3);
  view->removeAllChildren();  // the table reset takes every child away
  tick();
  EXPECT_EQ(std::count(journal->begin(), journal->end(), "doubling.end"), 0) << "a cut-off animation has no end";
  EXPECT_NE(std::find(journal->begin(), journal->end(), "doubling.freed"), journal->end());
  EXPECT_NE(std::find(journal->begin(), journal->end(), "next.start"), journal->end());
  tick(2);
  EXPECT_EQ(journal->back(), "next.freed");
}

TEST_F(Anis, ClearDropsEverythingWithoutEnds) {
  manage->ShowAni(Make("a", 10), false, true);
  manage->ShowAni(Make("b", 10), false, true);
  manage->ShowAni(Make("c", 10), true, true);
  manage->Clear();
  EXPECT_EQ(manage->GetRunningCount(), 0u);
  EXPECT_EQ(manage->GetQueuedCount(), 0u);
  EXPECT_EQ(std::count_if(journal->begin(), journal->end(),
                          [](const std::string& s) { return s.find(".end") != std::string::npos; }),
            0);
  EXPECT_EQ(std::count_if(journal->begin(), journal->end(),
                          [](const std::string& s) { return s.find(".freed") != std::string::npos; }),
            3);
}

TEST_F(Anis, AnEndThatShowsTheNextAnimationOrClearsIsSafe) {
  FrameAni* first = Make("first", 1);
  first->onEnd = [this] { manage->ShowAni(Make("chained", 1), false, true); };
  manage->ShowAni(first, false, true);
  tick(3);
  EXPECT_EQ(journal->back(), "chained.freed");

  FrameAni* clearing = Make("clearing", 1);
  FrameAni* behind = Make("behind", 1);
  clearing->onEnd = [this] { manage->Clear(); };
  manage->ShowAni(clearing, false, true);
  manage->ShowAni(behind, false, true);
  tick(3);
  EXPECT_EQ(std::count(journal->begin(), journal->end(), "behind.start"), 0);
  EXPECT_NE(std::find(journal->begin(), journal->end(), "behind.freed"), journal->end());
}

TEST_F(Anis, TheViewsManagerGoesWithTheView) {
  manage->ShowAni(Make("long", 1000), false, true);
  manage->ShowAni(Make("waiting", 1), false, true);
  view->removeFromParent();
  tick();
  EXPECT_NE(std::find(journal->begin(), journal->end(), "long.freed"), journal->end());
  EXPECT_NE(std::find(journal->begin(), journal->end(), "waiting.freed"), journal->end());
}

}  // namespace
