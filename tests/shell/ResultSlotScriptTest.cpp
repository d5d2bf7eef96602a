// A script fills the result window slot (m_pResultLayer) of the classic,
// Super and four-player tables: a layer that is not the table's own result
// window kind is refused with the binding's argument error, and a window the
// table takes is held with exactly one reference of the view's, the table's
// own window giving its reference back. The leak checker of the sanitizer
// build watches the rest. The own hand and deal slots take any card row from
// a script; the table then finds no own hand or deal of its kind there.
#include <lua.hpp>

#include <functional>
#include <string>
#include <vector>

#include "classic/ClassicTestSupport.h"
#include "platform/engine/lua/LuaStack.h"
#include "platform/gamebase/GameSceneBase.h"
#include "shell/AppDelegate.h"
#include "variants/SRGameView.h"
#include "variants/SuperGameView.h"
#include "widgets/ResultLayer.h"

namespace {

constexpr const char* kRefused = "invalid m_pResultLayer in function 'lua_cocos2dx_DDZGameView_set_m_pResultLayer'";

class ResultSlotScriptTest : public classictest::ClassicTest {
 protected:
  void SetUp() override {
    ClassicTest::SetUp();
    engine = cocos2d::LuaEngine::getInstance();
    cocos2d::ScriptEngineManager::getInstance()->setScriptEngine(engine);
    L = engine->getLuaStack()->getLuaState();
    lua_module_register(L);
    ASSERT_EQ(ddz::RegisterLuaModules(L, ddz::StartupLuaModules()), 5);
  }
  void TearDown() override {
    GameSceneBase::m_pGameView = nullptr;
    director->reset();
    cocos2d::LuaEngine::destroyInstance();
    ClassicTest::TearDown();
  }

  // Runs a chunk with the table as `v`; "" when it ran, else its error.
  std::string Script(const std::string& chunk) {
    const std::string code = "local v = QorvDDZView.DDZGameView:getInstance() " + chunk;
    lua_settop(L, 0);
    std::string out;
    if (luaL_loadstring(L, code.c_str()) != 0 || lua_pcall(L, 0, 0, 0) != 0)
      out = lua_tostring(L, -1) != nullptr ? lua_tostring(L, -1) : "?";
    lua_settop(L, 0);
    return out;
  }
  static bool Refused(const std::string& error) { return error.find(kRefused) != std::string::npos; }

  // The table (made with new: the test's reference) on the stage as the
  // scene's current view, its own result window made.
  void Enter(DDZGameView* view) {
    scene->addChild(view);
    GameSceneBase::m_pGameView = view;
    tick(3);
  }
  // Off the stage, and the test's reference given back.
  void Leave(DDZGameView* view) {
    GameSceneBase::m_pGameView = nullptr;
    view->removeFromParent();
    tick(2);
    view->release();
  }

  cocos2d::LuaEngine* engine = nullptr;
  lua_State* L = nullptr;
};

struct Table {
  const char* name;
  std::function<DDZGameView*()> make;
  int resultSize;  // 0: a ResultLayer is not this table's kind
  int playMode;    // the four-player table has no single-player game
};

std::vector<Table> Tables() {
  return {
      {"classic", [] { return new GameViewPC(nullptr, nullptr, 62); }, GameViewPC::kResultSize, 1},
      {"Super", [] { return new SuperGameView(nullptr, nullptr, SuperGameView::kGameId); },
       SuperGameView::kResultSize, 1},
      {"four-player", [] { return new SRGameView(nullptr, nullptr); }, 0, 0},
  };
}

TEST_F(ResultSlotScriptTest, ATableTakesOnlyItsOwnResultWindowKindAndHoldsItOnce) {
  for (const Table& t : Tables()) {
    SCOPED_TRACE(t.name);
    GameViewBase::m_GlobalInfo.iPlayMode = t.playMode;
    DDZGameView* view = t.make();
    Enter(view);
    YndGameLayer* own = view->m_pResultLayer;
    ASSERT_NE(own, nullptr);
    own->retain();  // the test's, to see what the table gives back
    const int ownRefs = own->getReferenceCount();

    // Another layer kind, and nil: refused, the slot as it was.
    EXPECT_TRUE(Refused(Script("local t = QorvDDZView.TalkTip:new() "
                               "local ok, e = pcall(function() v.m_pResultLayer = t end) t:destroy() "
                               "if not ok then error(e) end")));
    EXPECT_TRUE(Refused(Script("v.m_pResultLayer = nil")));
    EXPECT_EQ(view->m_pResultLayer, own);
    // Its own window back into the slot changes nothing.
    EXPECT_EQ(Script("v.m_pResultLayer = v.m_pResultLayer"), "");
    EXPECT_EQ(view->m_pResultLayer, own);
    EXPECT_EQ(own->getReferenceCount(), ownRefs);

    // A script's result window: the table's kind or not.
    const std::string swap = Script("local r = QorvDDZView.ResultLayer:new(v) "
                                    "local ok, e = pcall(function() v.m_pResultLayer = r end) "
                                    "r:destroy() if not ok then error(e) end");
    ResultLayer* taken = nullptr;
    if (t.resultSize == 0) {
      EXPECT_TRUE(Refused(swap)) << swap;
      EXPECT_EQ(view->m_pResultLayer, own);
      EXPECT_EQ(own->getReferenceCount(), ownRefs);
    } else {
      ASSERT_EQ(swap, "");
      taken = dynamic_cast<ResultLayer*>(view->m_pResultLayer);
      ASSERT_NE(taken, nullptr);
      EXPECT_NE(taken, own);
      EXPECT_EQ(own->getReferenceCount(), 1) << "the table gave its own window's reference back";
      EXPECT_EQ(taken->getReferenceCount(), 1) << "the script destroyed its own: the view's reference is left";
      taken->retain();  // the test's
      // The next result shows the script's window.
      std::vector<char> result(static_cast<std::size_t>(t.resultSize), 0);
      result[1] = static_cast<char>(237);
      view->ShowRoundResult(result.data(), t.resultSize);
      EXPECT_EQ(taken->getParent(), view);
      // While it is up, no other window takes its place.
      EXPECT_TRUE(Refused(Script("local r = QorvDDZView.ResultLayer:new(v) "
                                 "local ok, e = pcall(function() v.m_pResultLayer = r end) "
                                 "r:destroy() if not ok then error(e) end")));
      EXPECT_EQ(view->m_pResultLayer, taken);
    }
    Leave(view);
    if (taken != nullptr) {
      EXPECT_EQ(taken->getReferenceCount(), 1) << "the view's reference went with the table";
      taken->release();
    }
    EXPECT_EQ(own->getReferenceCount(), 1);
    own->release();
    ResetMainMsgLock();
  }
}

// A script puts another seat's row into the own hand slot and into the deal
// slot: the table reads neither as its own hand or deal (reading them as such
// would call a hand's members on a row that has none).
TEST_F(ResultSlotScriptTest, AnotherKindOfRowInTheOwnHandOrDealSlotIsNotTakenForTheTablesOwn) {
  struct Case {
    const char* name;
    std::function<DDZGameView*()> make;
    std::function<const void*(DDZGameView*)> ownHand, deal;  // nullptr: the table reads no deal of its own kind
  };
  const std::vector<Case> cases = {
      {"classic", [] { return new GameViewPC(nullptr, nullptr, 62); },
       [](DDZGameView* v) -> const void* { return static_cast<GameViewPC*>(v)->GetSelfHand(); }, nullptr},
      {"four-player", [] { return new SRGameView(nullptr, nullptr); },
       [](DDZGameView* v) -> const void* { return static_cast<SRGameView*>(v)->GetSelfHand(); },
       [](DDZGameView* v) -> const void* { return static_cast<SRGameView*>(v)->GetDeal(); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    GameViewBase::m_GlobalInfo.iPlayMode = c.name == std::string("classic") ? 1 : 0;
    DDZGameView* view = c.make();
    Enter(view);
    Vell_SpriteCardManage* own = view->m_pHandCard[DDZGameView::kOwnSeat];
    ASSERT_NE(own, nullptr);
    ASSERT_NE(view->m_pHandCard[0], nullptr);
    ASSERT_EQ(c.ownHand(view), own);
    EXPECT_EQ(Script("v:SetHandCard(v:GetHandCard()[1], 1)"), "");
    EXPECT_EQ(view->m_pHandCard[DDZGameView::kOwnSeat], view->m_pHandCard[0]);
    EXPECT_EQ(c.ownHand(view), nullptr);
    if (c.deal) {
      Vell_SpriteCardManage* deal = view->m_pDealCard;
      ASSERT_NE(deal, nullptr);
      ASSERT_EQ(c.deal(view), deal);
      EXPECT_EQ(Script("v.m_pDealCard = v:GetHandCard()[1]"), "");
      EXPECT_EQ(c.deal(view), nullptr);
      view->m_pDealCard = deal;  // the table's own again, for its teardown
    }
    view->m_pHandCard[DDZGameView::kOwnSeat] = own;
    Leave(view);
    ResetMainMsgLock();
  }
}

}  // namespace
