// Widgets a script put into the classic view's slots go with the table's
// teardown exactly once, whether or not they stand on the view.
#include "ClassicTestSupport.h"
#include "widgets/GameClock.h"
#include "widgets/PlayerShow.h"

using classictest::ClassicTest;

namespace {

int g_alive = 0;

class CountedClock : public GameClock {
 public:
  CountedClock() : GameClock(nullptr, 1) { ++g_alive; }
  ~CountedClock() override { --g_alive; }
};

class CountedHead : public PlayerShow {
 public:
  CountedHead() : PlayerShow(0) { ++g_alive; }
  ~CountedHead() override { --g_alive; }
};

}  // namespace

TEST_F(ClassicTest, WidgetsHeldForScriptsGoWithTheTablesTeardownOnce) {
  g_alive = 0;
  auto* view = Enter();
  tick(3);
  GameClock* ownClock = view->m_pGameClock;

  auto* clock = new CountedClock();  // not on the view
  clock->autorelease();
  view->HoldWidget(view->m_pGameClock, static_cast<GameClock*>(clock));
  auto* head = new CountedHead();  // on the view, its maker let go of it
  view->addChild(head);
  view->HoldWidget(view->m_pPlayerShow[0], static_cast<PlayerShow*>(head));
  head->release();
  tick(2);
  EXPECT_EQ(g_alive, 2);
  EXPECT_EQ(view->m_pGameClock, clock);
  if (ownClock != nullptr) {
    EXPECT_EQ(ownClock->getParent(), view);  // the view's own stays its child
  }

  view->retain();  // the teardown, not the view's end, gives them back
  view->removeFromParent();
  tick(2);
  EXPECT_EQ(g_alive, 0);
  EXPECT_EQ(view->m_pGameClock, nullptr);
  view->release();
}
