// Fixture of the script module's tests: a running game scene, the engine's
// real Lua 5.1 state with every module registered as start-up registers it,
// and helpers that run a chunk and give back its result or its error text.
#pragma once

#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <lua.hpp>
#include <string>
#include <vector>

#include <tolua++.h>

#include "gamedata/TextTables.h"
#include "platform/engine/cocos2d.h"
#include "platform/engine/lua/LuaBinding.h"
#include "platform/engine/lua/LuaStack.h"
#include "platform/framework/SoundManage.h"
#include "platform/framework/YndLuaRegister.h"
#include "platform/gamebase/GameSceneBase.h"
#include "platform/gamebase/GamebaseLuaRegister.h"
#include "platform/gamebase/MainMsgLock.h"
#include "script/QorvDDZView.h"
#include "support/LuaRecords.h"
#include "support/Stage.h"
#include "table/DDZGameView.h"

namespace scripttest {

// A game scene that skips the client's start-up when it enters the stage.
class TestScene : public GameSceneBase {
 public:
  static TestScene* create() {
    auto* scene = new TestScene();
    scene->autorelease();
    return scene;
  }
  void onEnter() override { cocos2d::Scene::onEnter(); }
};

class ScriptTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const ddz::test::Stage stage = ddz::test::ResetStage();
    director = stage.director;
    GameViewBase::m_GlobalInfo = GlobalInfo();
    ResetMainMsgLock();
    scene = TestScene::create();
    director->replaceScene(scene);
    tick();
    GameSceneBase::m_pGameView = nullptr;

    engine = cocos2d::LuaEngine::getInstance();
    cocos2d::ScriptEngineManager::getInstance()->setScriptEngine(engine);
    L = engine->getLuaStack()->getLuaState();
    lua_module_register(L);
    lua_getfield(L, LUA_GLOBALSINDEX, "_G");
    register_all_yndcommon(L);
    register_all_osapi(L);
    register_all_gamebase(L);
    register_all_VellGameBase(L);
    register_all_QorvDDZView(L);
    lua_settop(L, 0);
    ASSERT_EQ(engine->executeString(ddz::test::kLuaRecorder), 0);
    // Results as text: tables with their keys 1..8, so holes show.
    ASSERT_EQ(engine->executeString(R"(
      function show(v)
        if type(v) == 'table' then
          local parts = {}
          for i = 1, 8 do if v[i] ~= nil then parts[#parts + 1] = i .. '=' .. show(v[i]) end end
          return '{' .. table.concat(parts, ',') .. '}'
        end
        return tostring(v)
      end
    )"),
              0);
  }

  void TearDown() override {
    GameSceneBase::m_pGameView = nullptr;
    director->reset();
    cocos2d::LuaEngine::destroyInstance();
    GameViewBase::m_GlobalInfo = GlobalInfo();
    ResetMainMsgLock();
  }

  void tick(int frames = 1) {
    for (int i = 0; i < frames; ++i) director->mainLoop(1.0f / 60);
  }

  // Runs `chunk` (a function body); its first result as text, or
  // "error: <message>" when it raised.
  std::string Run(const std::string& chunk) {
    lua_settop(L, 0);
    if (luaL_loadstring(L, chunk.c_str()) != 0) {
      std::string e = lua_tostring(L, -1);
      lua_settop(L, 0);
      ADD_FAILURE() << "does not compile: " << e;
      return "compile error";
    }
    std::string out;
    if (lua_pcall(L, 0, 1, 0) != 0) {
      out = std::string("error: ") + (lua_tostring(L, -1) ? lua_tostring(L, -1) : "?");
    } else {
      lua_getglobal(L, "show");
      lua_insert(L, -2);
      lua_call(L, 1, 1);
      out = lua_tostring(L, -1);
    }
    lua_settop(L, 0);
    return out;
  }

  // Runs `chunk` and expects it to raise; the message without the position
  // Lua puts before it when a script line called the binding.
  std::string Error(const std::string& chunk) {
    const std::string out = Run(chunk);
    if (out.rfind("error: ", 0) != 0) return "no error, result " + out;
    return StripPosition(out.substr(7));
  }
  static std::string StripPosition(const std::string& message) {
    if (message.rfind("[string \"", 0) != 0) return message;
    const std::size_t end = message.find("\"]:");
    if (end == std::string::npos) return message;
    const std::size_t colon = message.find(": ", end + 3);
    return colon == std::string::npos ? message : message.substr(colon + 2);
  }

  std::vector<std::string> seen() { return ddz::test::TakeLuaStrings(engine, "seen"); }

  // Runs `expr` and keeps its value as the global `name`; the object it is.
  template <class T>
  T* Global(const char* name, const std::string& expr) {
    if (Run(std::string(name) + " = " + expr) != "nil") ADD_FAILURE() << "does not run: " << expr;
    lua_settop(L, 0);
    lua_getglobal(L, name);
    auto* object = lua_isuserdata(L, -1) ? static_cast<T*>(tolua_tousertype(L, -1, nullptr)) : nullptr;
    lua_settop(L, 0);
    return object;
  }
  // Puts an object of the program's as the global `name`, under its class's type.
  void SetGlobal(const char* name, cocos2d::Ref* object) {
    luabind::PushObject(L, object, "cc.Node");
    lua_setglobal(L, name);
  }

  // What a call on the global `w` gives: its first result ("w" for `w`
  // itself), or "error: <text>" when it raised. `body` is a function body.
  std::string Outcome(const std::string& body) {
    const std::string out =
        Run("local r = (function() " + body + " end)() if rawequal(r, w) then return 'w' end return r");
    return out.rfind("error: ", 0) == 0 ? "error: " + StripPosition(out.substr(7)) : out;
  }

  cocos2d::Director* director = nullptr;
  TestScene* scene = nullptr;
  cocos2d::LuaEngine* engine = nullptr;
  lua_State* L = nullptr;
};

// A table view whose seats a test fills, so scripts can read the records.
class SeatedView : public DDZGameView {
 public:
  SeatedView() : DDZGameView(nullptr, nullptr) {}
  void Seat(int seat, const PlayerNode& node) {
    m_PlayerRecord[seat] = node;
    m_pPlayerNode[seat] = &m_PlayerRecord[seat];
  }
};

// "x,y" of a point.
inline std::string PointText(const cocos2d::Vec2& p) {
  char text[48];
  std::snprintf(text, sizeof text, "%g,%g", p.x, p.y);
  return text;
}

// The same with the data folder as the search path, the sheets of the
// table's marks, the info popup and the cards loaded, and the game texts read: the
// widgets build what they show.
class WidgetScriptTest : public ScriptTest {
 protected:
  void SetUp() override {
    ScriptTest::SetUp();
    savedPaths = cocos2d::FileUtils::getInstance()->getSearchPaths();
    cocos2d::FileUtils::getInstance()->setSearchPaths({std::string(DDZ_SOURCE_DIR) + "/data"});
    cocos2d::SpriteFrameCache::destroyInstance();
    cocos2d::SpriteFrameCache::getInstance()->addSpriteFramesWithFile("qorvddzpc_all_res.plist");
    cocos2d::SpriteFrameCache::getInstance()->addSpriteFramesWithFile("vellddz_res_playerinfo.plist");
    cocos2d::SpriteFrameCache::getInstance()->addSpriteFramesWithFile("CardLayer1.plist");
    ASSERT_TRUE(LoadTextLines(ddz::kGameTextFile, g_vecGameText));
    SoundManage::shareSoundManage()->Reset();
    ASSERT_EQ(Run("scene = cc.Director:getInstance():getRunningScene() "
                  "v = QorvDDZView.DDZGameView:create(scene) scene:addChild(v)"),
              "nil");
  }

  // One call on a fresh widget: the body (run on the global `w`, with the
  // view `v` and the running `scene`), its outcome ("w" for the widget,
  // "error: <text>" when it raised) and what the widget then shows.
  struct Case {
    std::string body;
    std::string outcome;
    std::string state;
  };
  // Each case on a widget made by `make` (Lua, kept as `w`), then described;
  // the widget leaves the scene after each.
  template <class T>
  void RunCases(const std::string& make, const std::vector<Case>& cases,
                const std::function<std::string(T*)>& describe) {
    for (const Case& c : cases) {
      SCOPED_TRACE(c.body);
      T* w = Global<T>("w", make);
      ASSERT_NE(w, nullptr);
      EXPECT_EQ(Outcome(c.body), c.outcome);
      EXPECT_EQ(describe(w), c.state);
      ASSERT_EQ(Run("w:removeFromParent()"), "nil");
    }
  }
  // The effects and music asked for since the last look ("effect <file>",
  // "loop <file>", "once <file>", "stop", "stop all").
  static std::vector<std::string> SoundCalls() {
    std::vector<std::string> out;
    for (const SoundManage::Call& call : SoundManage::shareSoundManage()->GetCalls()) {
      switch (call.op) {
        case SoundManage::Op::PlaySound: out.push_back("effect " + call.file); break;
        case SoundManage::Op::PlayMusic: out.push_back(std::string(call.loop ? "loop " : "once ") + call.file); break;
        case SoundManage::Op::StopMusic: out.push_back("stop"); break;
        case SoundManage::Op::StopAll: out.push_back("stop all"); break;
        default: break;
      }
    }
    SoundManage::shareSoundManage()->ClearCalls();
    return out;
  }

  void TearDown() override {
    ScriptTest::TearDown();
    SoundManage::shareSoundManage()->Reset();
    cocos2d::SpriteFrameCache::destroyInstance();
    cocos2d::FileUtils::getInstance()->setSearchPaths(savedPaths);
  }

  std::vector<std::string> savedPaths;
};

}  // namespace scripttest
