// The whole program on the single-player command line: start-up, loading, the
// classic table, the start button pressed by the test, the local server's deal
// delivered to the table view, and a clean stop at the frame limit; and the
// box of the four-player and Super tables that they have no single-player
// game, pressed through the window.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdint>
#include <cstring>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

#include "classic/GameViewPC.h"
#include "gamedata/GameKinds.h"
#include "gamedata/TextTables.h"
#include "platform/engine/Label.h"
#include "platform/engine/Layer.h"
#include "platform/engine/ui/Widgets.h"
#include "platform/gamebase/GameMsgBox.h"
#include "platform/engine/Director.h"
#include "platform/engine/FileUtils.h"
#include "platform/engine/Log.h"
#include "platform/engine/UserDefault.h"
#include "platform/framework/YndLocalData.h"
#include "platform/gamebase/GameSceneBase.h"
#include "platform/os/Clock.h"
#include "platform/os/LobbyMessage.h"
#include "platform/os/OsApiBase.h"
#include "platform/os/OsApiCommon.h"
#include "platform/os/Process.h"
#include "shell/ProgramMain.h"
#include "shell/QorvDDZGameScene.h"
#include "support/ScreenTour.h"
#include "support/TempDir.h"
#include "variants/SRGameView.h"
#include "variants/SuperGameView.h"
#include "CompeteProgramSupport.h"
#include "ProgramRunSupport.h"

namespace {

// The message types the table received, in order.
std::vector<int>& Delivered() {
  static std::vector<int> types;
  return types;
}

// The real classic view, writing down each message that reaches it.
class WatchedTable : public GameViewPC {
 public:
  using GameViewPC::GameViewPC;
  void CallBackHandleMainSocketNetMsg(char* msg, int len) override {
    Delivered().push_back(static_cast<std::uint8_t>(msg[1]));
    GameViewPC::CallBackHandleMainSocketNetMsg(msg, len);
  }
};

class WatchedScene : public QorvDDZGameScene {
 public:
  GameViewBase* NewGameViewPC(YndLoadingBase* loading, int gameId) override {
    return new WatchedTable(this, loading, gameId);
  }
};

TEST(SinglePlayerTable, TheStartButtonLeadsToADealtHand) {
  shelltest::ProgramRun run;
  Delivered().clear();

  ddz::ProgramOptions options;
  options.installCrashHandler = false;
  options.installStopSignals = false;
  options.startup.dataFolders = {std::string(DDZ_SOURCE_DIR) + "/data"};
  options.startup.createScene = [] { return new WatchedScene(); };
  options.limits.frames = 120;  // six seconds of frames
  int pressedAtFrame = 0;
  int frame = 0;
  options.pacer = [&](double) {
    ++frame;
    auto* table = dynamic_cast<GameViewPC*>(GameSceneBase::m_pGameView);
    if (pressedAtFrame == 0 && table != nullptr && table->isRunning() && table->GetStartButton() != nullptr) {
      table->OnBtnStart();
      pressedAtFrame = frame;
    }
    return 0.05f;
  };

  const char* argv[] = {"ddz", "127.0.0.1", "0", "0", "0", "0", "0", "offline", "0"};
  EXPECT_EQ(ddz::RunProgram(9, argv, std::move(options)), 0);

  EXPECT_GT(pressedAtFrame, 0) << "the classic table never came on the stage";
  EXPECT_FALSE(cocos2d::Log::contains("GameViewPC is not in this build"));
  ASSERT_FALSE(Delivered().empty());
  EXPECT_EQ(Delivered().front(), 71);  // the deal comes first
  EXPECT_TRUE(cocos2d::Log::contains("stopping after frame 120 (6.000 s): the frame limit"));
  if (::testing::Test::HasFailure()) {
    for (const std::string& line : cocos2d::Log::lines()) std::fprintf(stderr, "%s\n", line.c_str());
  }
  EXPECT_EQ(cocos2d::Director::getInstance()->getRunningScene(), nullptr);
}

// The four-player table (game kind 48 in the login record) and the Super
// table (52) have no single-player game: the program shows the box that says
// so over the table, its text and button on its panel, and the button ends
// the program. No table is played meanwhile: the Super table takes no seat
// and builds no seats against the classic table's local server.
TEST(SinglePlayerTable, TheKindsWithoutASinglePlayerGameShowTheBoxWhoseButtonLeaves) {
  const struct Case {
    const char* what;
    std::int32_t kind;
    std::function<DDZGameView*()> table;  // the kind's view, else null
    std::function<std::string()> text;
  } cases[] = {
      {"four-player", ddz::kGameFourPlayer, [] { return dynamic_cast<SRGameView*>(GameSceneBase::m_pGameView); },
       [] { return GameText(SRGameView::kTextNoSinglePlayer); }},
      {"Super", ddz::kGameSuper, [] { return dynamic_cast<SuperGameView*>(GameSceneBase::m_pGameView); },
       [] { return SuperGameText(SuperGameView::kTextNoSinglePlayer); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    shelltest::ProgramRun run;
    ddz::test::TempDir folder;
    {
      std::ifstream shipped(std::string(DDZ_SOURCE_DIR) + "/data/MbUserLoginData.dat", std::ios::binary);
      std::string login((std::istreambuf_iterator<char>(shipped)), std::istreambuf_iterator<char>());
      ASSERT_EQ(login.size(), 124u);
      std::memcpy(login.data(), &c.kind, 4);
      std::ofstream(folder.file("MbUserLoginData.dat"), std::ios::binary) << login;
    }
    ddz::ProgramOptions options =
        shelltest::TestRunOptions({folder.path(), std::string(DDZ_SOURCE_DIR) + "/data"}, 200);
    int shownFrames = 0;
    bool pressed = false;
    std::vector<std::string> problems;
    options.pacer = [&](double) {
      DDZGameView* table = c.table();
      GameMsgBox* box = GameMsgBox::shareMessageBox();
      if (pressed || table == nullptr || !table->isRunning()) return 0.05f;
      // The box stays while the login and the table's first seconds run.
      if (!box->IsOpen() || !ddz::tour::ShownOnStage(box)) {
        shownFrames = 0;
        return 0.05f;
      }
      if (++shownFrames < 40) return 0.05f;
      EXPECT_EQ(box->GetText(), c.text());
      EXPECT_FALSE(c.text().empty());
      EXPECT_EQ(table->GetSingleServer(), nullptr);
      if (auto* super = dynamic_cast<SuperGameView*>(table)) EXPECT_FALSE(super->IsTableBuilt());
      const cocos2d::Node* panel = nullptr;
      const cocos2d::Label* text = nullptr;
      for (cocos2d::Node* child : box->getChildren()) {
        if (panel == nullptr && dynamic_cast<cocos2d::LayerColor*>(child) != nullptr) panel = child;
        if (auto* label = dynamic_cast<cocos2d::Label*>(child)) text = label;
      }
      cocos2d::ui::Button* button = box->GetButton(true);
      if (panel == nullptr || text == nullptr || button == nullptr) {
        ADD_FAILURE() << "the box lacks its panel, text or button";
        return 0.05f;
      }
      const cocos2d::Rect on = ddz::tour::WorldBox(panel);
      for (const cocos2d::Node* part :
           {static_cast<const cocos2d::Node*>(text), static_cast<const cocos2d::Node*>(button)}) {
        const cocos2d::Rect where = ddz::tour::WorldBox(part);
        EXPECT_TRUE(where.getMinX() >= on.getMinX() && where.getMaxX() <= on.getMaxX() &&
                    where.getMinY() >= on.getMinY() && where.getMaxY() <= on.getMaxY())
            << ddz::tour::Describe(part) << " lies off the box's panel";
      }
      EXPECT_TRUE(ddz::tour::ShownOnStage(button));
      EXPECT_FALSE(button->getTitleText().empty());
      // The box in the window, its button captioned.
      for (std::string& p : ddz::tour::CheckLayout(cocos2d::Director::getInstance()->getRunningScene(), nullptr))
        if (p.find("GameMsgBox") != std::string::npos) problems.push_back(std::move(p));
      shelltest::TapCentre(button);
      pressed = true;
      return 0.05f;
    };
    const char* argv[] = {"ddz", "127.0.0.1", "0", "0", "0", "0", "0", "offline", "0"};
    EXPECT_EQ(ddz::RunProgram(9, argv, std::move(options)), 0);

    EXPECT_TRUE(pressed) << "the box never stood on the table";
    for (const std::string& p : problems) ADD_FAILURE() << p;
    EXPECT_TRUE(cocos2d::Log::contains("GameViewBase::QuitGame"));
    EXPECT_EQ(OsApiCommon::shareOsApiCommon()->GetExitCount(), 1);
    EXPECT_FALSE(cocos2d::Log::contains("stopping after frame 200"));
    // Nothing was played: no deal reached the table.
    for (const std::string& line : cocos2d::Log::lines()) EXPECT_EQ(line.find("msgType[71]"), std::string::npos) << line;
  }
}

}  // namespace
