// The screen tour of the gallery, headless: the whole program on the
// single-player command line, the seeded game played through the window's
// input, and at every named screen the layout check: everything drawn lies in
// the 1280 x 720 window (a button whole), every shown button has a caption
// and takes a tap at its centre, at most one message box is open, and every
// result screen offers a way on; and the table check (support/TableLook.h):
// nothing opaque over the cards, seats, bars' values and buttons a player
// reads, only dialogs over the table, no large panel over the felt, every
// figure of the bars captioned, no card-type effect over a seat's head or
// card count, no button showing an empty box, no picture painted as a plain
// panel, nothing of the table seen through an open dialog.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "platform/engine/Director.h"
#include "platform/engine/FileUtils.h"
#include "platform/engine/Log.h"
#include "platform/engine/UserDefault.h"
#include "platform/framework/YndLocalData.h"
#include "platform/os/Clock.h"
#include "platform/os/LobbyMessage.h"
#include "platform/os/OsApiBase.h"
#include "platform/os/OsApiCommon.h"
#include "platform/os/Process.h"
#include "platform/os/Random.h"
#include "shell/ProgramMain.h"
#include "shell/QorvDDZGameScene.h"
#include "support/ScreenTour.h"
#include "support/TableLook.h"
#include "shell/KnownLayoutProblems.h"
#include "shell/ProgramRunSupport.h"

namespace {

class TourScene : public QorvDDZGameScene {
 public:
  GameViewBase* NewGameViewPC(YndLoadingBase* loading, int gameId) override {
    return new ddz::tour::TourTable(this, loading, gameId);
  }
};

// What the table check still finds on the classic table's screens, each to be
// taken off by the change that mends it.
const std::vector<std::string> kKnownClassicProblems = {
};

cocos2d::GLView* Window() { return cocos2d::Director::getInstance()->getOpenGLView(); }

// A touch at the button's centre: does the button take it? The touch is
// cancelled again, so nothing is pressed.
bool TakesATapAtItsCentre(cocos2d::ui::Button* button) {
  const cocos2d::Vec2 at = ddz::tour::WorldCentre(button);
  const int id = 7;
  float x = at.x, y = 720 - at.y;
  Window()->handleTouchesBegin(1, &id, &x, &y);
  const bool taken = button->isHighlighted();
  Window()->handleTouchesCancel(1, &id, &x, &y);
  return taken;
}

TEST(ScreenLayout, EveryScreenOfTheSeededTourLiesInTheWindowCaptionedAndAnsweringTheMouse) {
  shelltest::ProgramRun run;
  const std::uint32_t kTourSeed = std::getenv("DDZ_TOUR_SEED") ? std::strtoul(std::getenv("DDZ_TOUR_SEED"), nullptr, 10) : ddz::tour::kTourSeed;
  ddz::os::LcgRandom random(kTourSeed);
  ddz::os::ScopedRandomSource seeded(random);

  std::map<std::string, std::vector<std::string>> problems;
  ddz::tour::ScreenTour::Input input;
  input.click = [](const cocos2d::Vec2& at) { Window()->click(at.x, 720 - at.y); };
  input.close = [] { Window()->requestClose(); };
  input.escape = [] {
    Window()->keyPressed(cocos2d::EventKeyboard::KeyCode::KEY_ESCAPE);
    Window()->keyReleased(cocos2d::EventKeyboard::KeyCode::KEY_ESCAPE);
  };
  input.help = [] {
    Window()->keyPressed(cocos2d::EventKeyboard::KeyCode::KEY_F1);
    Window()->keyReleased(cocos2d::EventKeyboard::KeyCode::KEY_F1);
  };
  // Screens with a dialog open: the table's buttons beneath it need not answer.
  const std::set<std::string> dialogs = {"settings", "rules", "backpack", "chat", "chat-phrase", "info-popup", "loss-limit",
                                         "card-counter", "rules-over-counter", "last-round-tip", "quit-hand",
                                         "quit-result"};
  shelltest::LayoutFindings covered;
  ddz::tour::ScreenTour tour(input, [&](const std::string& name, GameViewPC* view) {
    cocos2d::Scene* scene = cocos2d::Director::getInstance()->getRunningScene();
    problems[name] = ddz::tour::CheckLayout(scene, dialogs.count(name) ? nullptr : TakesATapAtItsCentre);
    covered.Add(name, ddz::tour::CheckTable(scene, *view));
  });

  ddz::ProgramOptions options;
  options.installCrashHandler = false;
  options.installStopSignals = false;
  options.startup.dataFolders = {std::string(DDZ_SOURCE_DIR) + "/data", DDZ_ART_DIR};
  options.startup.createScene = [] { return new TourScene(); };
  options.limits.frames = 30 * 60 * 30;  // thirty minutes of the game's time
  options.pacer = tour.SeededPacer(random, kTourSeed);
  const char* argv[] = {"ddz", "127.0.0.1", "0", "0", "0", "0", "0", "offline", "0", "--headless"};
  EXPECT_EQ(ddz::RunProgram(10, argv, std::move(options)), 0);

  EXPECT_GE(tour.HandsDone(), 3) << "the tour stopped before its third hand's end";
  // Faults of the table's behaviour that the tour still meets, each to be
  // taken off this list by the change that mends it (the test then fails
  // until it is).
  const std::vector<std::string> open = {};
  std::set<std::string> met;
  for (const std::string& note : tour.notes) {
    bool known = false;
    for (const std::string& o : open)
      if (note.rfind(o, 0) == 0) known = true, met.insert(o);
    if (known)
      std::fprintf(stderr, "open fault: %s\n", note.c_str());
    else
      ADD_FAILURE() << note;
  }
  for (const std::string& o : open) EXPECT_TRUE(met.count(o)) << "mended, take it off the list: " << o;
  // The seeded hands hold no spring.
  const std::set<std::string> notInTheseHands = {"spring"};
  for (const std::string& name : ddz::tour::ScreenTour::ScreenNames()) {
    if (notInTheseHands.count(name)) continue;
    auto it = problems.find(name);
    if (it == problems.end()) {
      ADD_FAILURE() << name << ": not reached";
      continue;
    }
    for (const std::string& p : it->second) ADD_FAILURE() << name << ": " << p;
  }
  // What covers the table, and the bars' captions: the classic table's
  // problems not mended yet.
  covered.ExpectOnly(kKnownClassicProblems, "classic table");

}

}  // namespace
