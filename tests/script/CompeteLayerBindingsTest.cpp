// The tournament's layers driven from Lua: the waiting room, the promotion
// screen, the competition bar and the match banner, each call against what
// the layer then holds or shows; and a script that shows a banner and drives
// the bar and the waiting room on a running tournament view, against the
// same calls made by the program.
#include <cxxabi.h>
#include <regex>

#include <cstdlib>
#include <string>
#include <vector>

#include "ScriptTestSupport.h"
#include "compete/CompeteGameView.h"
#include "compete/CompeteMsg.h"
#include "compete/CompetePromotionLayer.h"
#include "compete/CompeteTableUI.h"
#include "compete/CompeteWaitLayer.h"
#include "compete/RankListLayer.h"
#include "gamedata/CompeteGameInfo.h"
#include "platform/engine/Event.h"
#include "platform/engine/Label.h"
#include "platform/engine/Sprite.h"
#include "platform/engine/ui/Widgets.h"
#include "platform/gamebase/MainMsgLock.h"
#include "platform/os/Clock.h"
#include "support/LocalTime.h"

using scripttest::PointText;
using scripttest::WidgetScriptTest;

namespace {

// 12:00 on a fixed day; the match opens ten minutes later.
const std::int64_t kNoon = ddz::test::LocalTime(2026, 3, 14, 12, 0);
const std::int64_t kOpens = kNoon + 600;

class CompeteLayerBindingsTest : public WidgetScriptTest {
 protected:
  void SetUp() override {
    WidgetScriptTest::SetUp();
    ddz::os::Clock().Reset(0, kNoon);
    SetMatch({64, 24, 3, 0, 0, 0}, {64, 24, 12, 3});
  }
  void TearDown() override {
    SetMatch({}, {});
    WidgetScriptTest::TearDown();
  }
  static void SetMatch(std::vector<int> numbers, std::vector<int> stages) {
    CompeteGameInfo* match = CompeteGameInfo::shareCompeteGameInfo();
    match->m_Record = CompeteMatchRecord{};
    match->m_vcAwards.clear();
    match->m_vcNumbers = std::move(numbers);
    match->m_vcStages = std::move(stages);
    match->m_iState = 0;
    match->m_iStageNo = 0;
  }
  static int Lock() { return GameViewBase::m_iLockMainMsgCount.Get(); }
};

}  // namespace

TEST_F(CompeteLayerBindingsTest, CompeteWaitLayer) {
  const auto describe = [](CompeteWaitLayer* w) {
    return "players " + std::to_string(w->GetWaitPlayer()) + " opens " +
           std::to_string(w->GetNextOpenTime() - kOpens) +
           (w->GetCountDigits() ? " shows '" + w->GetCountDigits()->getString() + "'" : "");
  };
  RunCases<CompeteWaitLayer>(
      "QorvDDZView.CompeteWaitLayer:create() scene:addChild(w)",
      {
          {"return w:SetWaitPlayer(37)", "w", "players 37 opens " + std::to_string(-kOpens) + " shows '37'"},
          {"return w:setNextOpenTime(" + std::to_string(kOpens) + ")", "w", "players 0 opens 0 shows '0'"},
          {"w:SetWaitPlayer()",
           "error: QorvDDZView.CompeteWaitLayer:SetWaitPlayer has wrong number of arguments: 0, was expecting 1\n",
           "players 0 opens " + std::to_string(-kOpens) + " shows '0'"},
          {"w:SetWaitPlayer('37')", "error: invalid iNowNum in function 'lua_cocos2dx_CompeteWaitLayer_SetWaitPlayer'",
           "players 0 opens " + std::to_string(-kOpens) + " shows '0'"},
          {"w:setNextOpenTime(1, 2)",
           "error: QorvDDZView.CompeteWaitLayer:setNextOpenTime has wrong number of arguments: 2, was expecting 1\n",
           "players 0 opens " + std::to_string(-kOpens) + " shows '0'"},
          {"w:setNextOpenTime(true)",
           "error: invalid iNextOpenTime in function 'lua_cocos2dx_CompeteWaitLayer_setNextOpenTime'",
           "players 0 opens " + std::to_string(-kOpens) + " shows '0'"},
      },
      std::function<std::string(CompeteWaitLayer*)>(describe));
}

// create: the layer's own factory, which builds nothing (the layer builds its
// screen when it enters) and leaves the layer to the autorelease pool; new:
// the script holds the layer.
TEST_F(CompeteLayerBindingsTest, CompeteWaitLayerCreateMakesABareLayer) {
  auto* made = Global<CompeteWaitLayer>("w", "QorvDDZView.CompeteWaitLayer:create()");
  ASSERT_NE(made, nullptr);
  EXPECT_EQ(made->getChildrenCount(), 0u);
  EXPECT_EQ(made->GetCountDigits(), nullptr);
  EXPECT_EQ(made->getReferenceCount(), 1u);  // the pool's only
  EXPECT_EQ(luabind::ScriptReferences(L, made), 0);
  ASSERT_EQ(Run("w:SetWaitPlayer(5) w:setNextOpenTime(99) scene:addChild(w)"), "nil");
  ASSERT_NE(made->GetCountDigits(), nullptr);
  EXPECT_EQ(made->GetCountDigits()->getString(), "5");  // what was set before it entered
  EXPECT_EQ(made->GetNextOpenTime(), 99);

  auto* held = Global<CompeteWaitLayer>("n", "QorvDDZView.CompeteWaitLayer:new()");
  EXPECT_EQ(luabind::ScriptReferences(L, held), 1);
  EXPECT_EQ(held->getChildrenCount(), 0u);
  tick(2);
  EXPECT_EQ(Run("return n:SetWaitPlayer(3) == n"), "true");  // still alive after the pool drained
  EXPECT_EQ(Error("QorvDDZView.CompeteWaitLayer:create(1)"),
            "QorvDDZView.CompeteWaitLayer:create has wrong number of arguments: 1, was expecting 0\n");
  EXPECT_EQ(Error("QorvDDZView.CompeteWaitLayer:new(1)"),
            "QorvDDZView.CompeteWaitLayer:constructor has wrong number of arguments: 1, was expecting 0\n");
}

TEST_F(CompeteLayerBindingsTest, CompetePromotionLayer) {
  const auto describe = [](CompetePromotionLayer* p) {
    return "rank " + std::to_string(p->GetCurOrder()) + "/" + std::to_string(p->GetAllPlayer()) + " tables " +
           std::to_string(p->GetWaitTable()) + " passed " + std::to_string(p->GetBrevetTimes()) +
           (p->IsResultShown() ? " result" : "");
  };
  const std::string fresh = "rank 0/64 tables 0 passed 0";
  RunCases<CompetePromotionLayer>(
      "QorvDDZView.CompetePromotionLayer:create() scene:addChild(w)",
      {
          {"return w:UpdateOrder(3, 120)", "w", "rank 3/120 tables 0 passed 0"},
          {"return w:UpdateWaitTable(4)", "w", "rank 0/64 tables 4 passed 0"},
          {"return w:ShowWeedBrevet(2)", "w", fresh + " result"},
          {"return w:SetBrevetTimes(2)", "w", "rank 0/64 tables 0 passed 2"},
          {"return w:JudgeShow()", "true", fresh},
          {"w:UpdateOrder(3)",
           "error: QorvDDZView.CompetePromotionLayer:UpdateOrder has wrong number of arguments: 1, was expecting 2\n",
           fresh},
          {"w:UpdateOrder('3', 120)",
           "error: invalid iCurOrder in function 'lua_cocos2dx_CompetePromotionLayer_UpdateOrder'", fresh},
          {"w:UpdateOrder(3, {})",
           "error: invalid iAllPlayer in function 'lua_cocos2dx_CompetePromotionLayer_UpdateOrder'", fresh},
          {"w:UpdateWaitTable()",
           "error: QorvDDZView.CompetePromotionLayer:UpdateWaitTable has wrong number of arguments: 0, was expecting 1\n",
           fresh},
          {"w:ShowWeedBrevet(false)",
           "error: invalid iWeedBrevet in function 'lua_cocos2dx_CompetePromotionLayer_ShowWeedBrevet'", fresh},
          {"w:SetBrevetTimes('x')",
           "error: invalid iBrevetTimes in function 'lua_cocos2dx_CompetePromotionLayer_SetBrevetTimes'", fresh},
          {"w:JudgeShow(1)",
           "error: QorvDDZView.CompetePromotionLayer:JudgeShow has wrong number of arguments: 1, was expecting 0\n",
           fresh},
      },
      std::function<std::string(CompetePromotionLayer*)>(describe));
}

// Whether the screen is due: the stages passed below the stage count minus 2,
// compared unsigned (fewer than two stages: always).
TEST_F(CompeteLayerBindingsTest, JudgeShowComparesThePromotionsWithTheStages) {
  struct JudgeCase {
    std::vector<int> stages;
    int passed;
    const char* due;
  };
  const std::vector<JudgeCase> cases = {
      {{}, 0, "true"},           {{}, 7, "true"},          {{64}, 0, "true"},          {{64}, 1000, "true"},
      {{64, 24, 12, 6, 3}, 0, "true"}, {{64, 24, 12, 6, 3}, 2, "true"}, {{64, 24, 12, 6, 3}, 3, "false"},
      {{64, 24, 12, 6, 3}, 4, "false"},
  };
  for (const JudgeCase& c : cases) {
    SCOPED_TRACE(std::to_string(c.stages.size()) + " stages, " + std::to_string(c.passed) + " passed");
    SetMatch({}, c.stages);
    ASSERT_NE(Global<CompetePromotionLayer>("w", "QorvDDZView.CompetePromotionLayer:new()"), nullptr);
    EXPECT_EQ(Run("return w:SetBrevetTimes(" + std::to_string(c.passed) + "):JudgeShow()"), c.due);
  }
}

TEST_F(CompeteLayerBindingsTest, CompeteTableUI) {
  const auto describe = [](CompeteTableUI* bar) {
    std::string s = std::string("status ") + (bar->GetStatusPanel()->isVisible() ? "shown" : "hidden") + " rank " +
                    (bar->GetRankPanel()->isVisible() ? "shown" : "hidden") + " '" +
                    bar->GetRankDigits()->getString() + bar->GetCountDigits()->getString() + "' table " +
                    std::to_string(bar->GetTableNum()) + (bar->isTouchEnabled() ? " touch" : "");
    if (bar->GetWaitTip()) s += " tip";
    if (bar->GetRankList()) s += bar->GetRankList()->getParent() ? " list" : " list gone";
    return s;
  };
  const std::string fresh = "status hidden rank hidden '' table 0";
  RunCases<CompeteTableUI>(
      "QorvDDZView.CompeteTableUI:create() scene:addChild(w)",
      {
          {"return w:ShowWaitTable(true)", "w", fresh + " tip"},
          {"w:ShowWaitTable(true) return w:ShowWaitTable(false)", "w", fresh},
          {"return w:ShowStatus(true)", "w", "status shown rank hidden '' table 0 touch"},
          {"return w:ShowRank(true)", "w", "status hidden rank shown '' table 0 touch"},
          {"return w:UpdateSelfRank(3, 120)", "w", "status hidden rank hidden '3:120' table 0"},
          {"w:ShowRank(true) return w:HideRankList()", "w", "status hidden rank shown '' table 0"},
          {"w:ShowRank(true) return w:RemoveRankList()", "w", "status hidden rank shown '' table 0 touch"},
          {"w:ShowRank()", "error: QorvDDZView.CompeteTableUI:ShowRank has wrong number of arguments: 0, was expecting 1\n",
           fresh},
          {"w:ShowStatus('yes')", "error: invalid bShow in function 'lua_cocos2dx_CompeteTableUI_ShowStatus'", fresh},
          {"w:ShowWaitTable(1)", "error: invalid bShow in function 'lua_cocos2dx_CompeteTableUI_ShowWaitTable'", fresh},
          {"w:UpdateTableNum('9')", "error: invalid iTableNum in function 'lua_cocos2dx_CompeteTableUI_UpdateTableNum'",
           fresh},
          {"w:UpdateSelfRank(3)",
           "error: QorvDDZView.CompeteTableUI:UpdateSelfRank has wrong number of arguments: 1, was expecting 2\n", fresh},
          {"w:UpdateSelfRank(nil, 3)",
           "error: invalid iCurOrder in function 'lua_cocos2dx_CompeteTableUI_UpdateSelfRank'", fresh},
          {"w:UpdateSelfRank(3, 'x')",
           "error: invalid iAllPlayer in function 'lua_cocos2dx_CompeteTableUI_UpdateSelfRank'", fresh},
          {"w:RemoveRankList(1)",
           "error: QorvDDZView.CompeteTableUI:RemoveRankList has wrong number of arguments: 1, was expecting 0\n", fresh},
          {"w:HideRankList(false)",
           "error: QorvDDZView.CompeteTableUI:HideRankList has wrong number of arguments: 1, was expecting 0\n", fresh},
      },
      std::function<std::string(CompeteTableUI*)>(describe));

  // After the first stage the bar keeps the table number.
  CompeteGameInfo::shareCompeteGameInfo()->m_iStageNo = 1;
  auto* later = Global<CompeteTableUI>("w", "QorvDDZView.CompeteTableUI:new() scene:addChild(w)");
  ASSERT_EQ(Outcome("return w:UpdateTableNum(9)"), "w");
  EXPECT_EQ(later->GetTableNum(), 9);

  // An open ranking list: RemoveRankList closes it, HideRankList also stops new ones.
  CompeteGameInfo::shareCompeteGameInfo()->m_iStageNo = 0;
  for (const char* call : {"w:RemoveRankList()", "w:HideRankList()"}) {
    SCOPED_TRACE(call);
    auto* bar = Global<CompeteTableUI>("w", "QorvDDZView.CompeteTableUI:create() scene:addChild(w) w:ShowRank(true)");
    bar->SetRankList({MakeCompeteRankItem(1, 900, "ann", 20), MakeCompeteRankItem(2, 800, "bob", 20)});
    const cocos2d::Rect box = bar->GetRankPanel()->getBoundingBox();
    cocos2d::Touch touch;
    touch.setTouchInfo(0, box.getMidX(), box.getMidY());
    bar->onTouchesBegan({&touch}, nullptr);
    ASSERT_NE(bar->GetRankList(), nullptr);
    RankListLayer* list = bar->GetRankList();
    list->retain();
    ASSERT_EQ(Run(call), "nil");
    EXPECT_EQ(bar->GetRankList(), nullptr);
    tick(2);
    EXPECT_EQ(list->getParent(), nullptr);
    list->release();
    EXPECT_EQ(bar->isTouchEnabled(), std::string(call) == "w:RemoveRankList()");
  }
}

// ShowMsg reads no object: on the class table, on a banner, on any value.
// A banner needs a layer on the stage to stand on.
TEST_F(CompeteLayerBindingsTest, CompeteMsgShowsBannersOnTheLayerGiven) {
  ASSERT_EQ(Run("host = QorvDDZView.DDZGameView:create(scene) scene:addChild(host) "
                "b = QorvDDZView.CompeteMsg:create()"),
            "nil");
  const auto banners = [&] {
    lua_getglobal(L, "host");
    auto* host = static_cast<cocos2d::Node*>(tolua_tousertype(L, -1, nullptr));
    lua_settop(L, 0);
    int n = 0;
    for (cocos2d::Node* child : host->getChildren()) n += dynamic_cast<CompeteMsg*>(child) != nullptr;
    return n;
  };
  struct MsgCase {
    const char* body;
    const char* outcome;
    int banners;
    int lock;
  };
  const std::vector<MsgCase> cases = {
      {"return QorvDDZView.CompeteMsg:ShowMsg(1, host, '3')", "{}", 1, 1},
      {"return b:ShowMsg(2, host, '')", "b", 1, 1},
      {"return QorvDDZView.CompeteMsg.ShowMsg(nil, 3, host, 'x')", "nil", 1, 1},
      // kinds the banner does not have, a layer off the stage: nothing
      {"return b:ShowMsg(9, host, '')", "b", 0, 0},
      {"return b:ShowMsg(1, QorvDDZView.CompeteMsg:create(), '3')", "b", 0, 0},
      {"b:ShowMsg(1, nil, '3')", "error: invalid pParent in function 'lua_cocos2dx_CompeteMsg_ShowMsg'", 0, 0},
      {"b:ShowMsg(1, 5, '3')", "error: invalid pParent in function 'lua_cocos2dx_CompeteMsg_ShowMsg'", 0, 0},
      {"b:ShowMsg(1, QorvDDZView.GameSoundDDZ:shareGameSoundDDZ(), '3')",
       "error: invalid pParent in function 'lua_cocos2dx_CompeteMsg_ShowMsg'", 0, 0},
      {"b:ShowMsg('1', host, '3')", "error: invalid iMsgType in function 'lua_cocos2dx_CompeteMsg_ShowMsg'", 0, 0},
      {"b:ShowMsg(1, host, {})", "error: invalid strContent in function 'lua_cocos2dx_CompeteMsg_ShowMsg'", 0, 0},
      {"b:ShowMsg(1, host)", "error: QorvDDZView.CompeteMsg:ShowMsg has wrong number of arguments: 2, was expecting 3\n",
       0, 0},
  };
  for (const MsgCase& c : cases) {
    SCOPED_TRACE(c.body);
    std::string outcome = Run("local r = (function() " + std::string(c.body) +
                              " end)() if rawequal(r, b) then return 'b' end return r");
    if (outcome.rfind("error: ", 0) == 0) outcome = "error: " + StripPosition(outcome.substr(7));
    EXPECT_EQ(outcome, c.outcome);
    EXPECT_EQ(banners(), c.banners);
    EXPECT_EQ(Lock(), c.lock);
    for (int i = 0; i < 4 * 60 && Lock() > 0; ++i) tick();  // the banner runs its course
    EXPECT_EQ(banners(), 0);
    EXPECT_EQ(Lock(), 0);
  }
  // new and create make bare banners, which hold nothing.
  EXPECT_EQ(Run("local n = QorvDDZView.CompeteMsg:new() host:addChild(n) return n ~= nil"), "true");
  EXPECT_EQ(Lock(), 0);
  EXPECT_EQ(Error("QorvDDZView.CompeteMsg:new(1)"),
            "QorvDDZView.CompeteMsg:constructor has wrong number of arguments: 1, was expecting 0\n");
}

namespace {

// A node tree as lines: class, z order, place, shown or not, texts.
void DumpTree(const cocos2d::Node* node, int depth, std::string& out) {
  int status = 0;
  char* plain = abi::__cxa_demangle(typeid(*node).name(), nullptr, nullptr, &status);
  out += std::string(static_cast<std::size_t>(depth) * 2, ' ') + (status == 0 && plain ? plain : typeid(*node).name());
  std::free(plain);
  out += " z" + std::to_string(node->getLocalZOrder()) + " @" + PointText(node->getPosition()) +
         (node->isVisible() ? "" : " hidden");
  if (auto* label = dynamic_cast<const cocos2d::Label*>(node)) out += " '" + label->getString() + "'";
  if (auto* atlas = dynamic_cast<const cocos2d::ui::TextAtlas*>(node)) out += " '" + atlas->getString() + "'";
  if (auto* sprite = dynamic_cast<const cocos2d::Sprite*>(node)) out += " " + sprite->getDisplayName();
  out += "\n";
  for (const cocos2d::Node* child : node->getChildren()) DumpTree(child, depth + 1, out);
}

// What a script does on the running tournament view, and the same from C++.
constexpr const char* kScenario = R"(
  local view = QorvDDZView.DDZGameView:getInstance()
  QorvDDZView.CompeteMsg:ShowMsg(0, view, '')
  local bar = QorvDDZView.CompeteTableUI:create()
  view:addChild(bar, 103)
  view.m_pCompeteTableUI = bar
  bar:ShowStatus(true)
  bar:ShowRank(true)
  bar:UpdateSelfRank(3, 120)
  local wait = QorvDDZView.CompeteWaitLayer:create()
  wait:setNextOpenTime(OPENS)
  wait:SetWaitPlayer(37)
  view:addChild(wait, 1000)
  view.m_pCompeteWaitLayer = wait
)";

void ScenarioFromCpp(CompeteGameView* view, std::int64_t opens) {
  CompeteMsg::ShowMsg(0, view, "");
  CompeteTableUI* bar = CompeteTableUI::create();
  view->addChild(bar, 103);
  view->HoldWidget(view->m_pCompeteTableUI, bar);
  bar->ShowStatus(true);
  bar->ShowRank(true);
  bar->UpdateSelfRank(3, 120);
  CompeteWaitLayer* wait = CompeteWaitLayer::create();
  wait->setNextOpenTime(static_cast<std::int32_t>(opens));
  wait->SetWaitPlayer(37);
  view->addChild(wait, 1000);
  view->HoldWidget(view->m_pCompeteWaitLayer, wait);
}

}  // namespace

// The lock count and the view's nodes right after the calls, while the
// banner runs and after it ended (when the start banner shows the bar's
// waiting tip) are the same whether a script or the program made the calls.
TEST_F(CompeteLayerBindingsTest, AScriptDrivesATournamentViewAsTheProgramDoes) {
  for (int i = 1; i <= 6; ++i) {
    CompeteAwardItem award;
    award.iRankFrom = award.iRankTo = i;
    award.iPropId = 4;
    award.iPropNum = 100 * i;
    CompeteGameInfo::shareCompeteGameInfo()->m_vcAwards.push_back(award);
  }
  const auto road = [&](bool script) {
    ddz::os::Clock().Reset(0, kNoon);
    ResetMainMsgLock();
    auto* view = new CompeteGameView(scene, nullptr);
    EXPECT_TRUE(view->init());
    view->autorelease();
    scene->addChild(view);
    GameSceneBase::m_pGameView = view;
    tick();
    std::vector<std::string> states;
    const auto look = [&] {
      std::string tree;
      DumpTree(view, 0, tree);
      // The other seats' head pictures are drawn at random per view; which
      // picture a seat shows is not what the two roads compare.
      tree = std::regex_replace(tree, std::regex("vevad_head_icon_[0-9]+"), "vevad_head_icon_N");
      states.push_back("lock " + std::to_string(Lock()) + "\n" + tree);
    };
    if (script) {
      std::string chunk = kScenario;
      chunk.replace(chunk.find("OPENS"), 5, std::to_string(kOpens));
      EXPECT_EQ(Run(chunk), "nil");
    } else {
      ScenarioFromCpp(view, kOpens);
    }
    look();
    tick(60);
    look();
    tick(3 * 60);
    look();
    view->removeFromParent();
    GameSceneBase::m_pGameView = nullptr;
    tick();
    return states;
  };
  const std::vector<std::string> program = road(false);
  const std::vector<std::string> scripted = road(true);
  ASSERT_EQ(program.size(), 3u);
  EXPECT_EQ(scripted, program);
  // The banner held the messages while it ran, and the tip came at its end.
  EXPECT_EQ(program[0].rfind("lock 1\n", 0), 0u);
  EXPECT_EQ(program[1].rfind("lock 1\n", 0), 0u);
  EXPECT_EQ(program[2].rfind("lock 0\n", 0), 0u);
  EXPECT_EQ(program[0].find("CompeteMsg") != std::string::npos, true);
  EXPECT_EQ(program[2].find("CompeteMsg"), std::string::npos);
  EXPECT_NE(program[2].find("'37'"), std::string::npos);
}
