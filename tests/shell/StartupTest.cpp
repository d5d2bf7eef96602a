#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <string>
#include <vector>

extern "C" {
#include <lauxlib.h>
#include <lua.h>
#include <lualib.h>
}

#include "platform/engine/Director.h"
#include "platform/engine/FileUtils.h"
#include "platform/engine/GLView.h"
#include "platform/engine/Log.h"
#include "platform/engine/Scene.h"
#include "platform/engine/SimpleAudioEngine.h"
#include "platform/engine/lua/LuaStack.h"
#include "platform/framework/YndCommonFunc.h"
#include "platform/framework/YndConf.h"
#include "platform/gamebase/GameLogicLayer.h"
#include "platform/os/Clock.h"
#include "platform/os/LobbyMessage.h"
#include "platform/os/OsApiBase.h"
#include "platform/os/OsApiCommon.h"
#include "platform/os/Process.h"
#include "shell/AppDelegate.h"
#include "support/TempDir.h"

namespace {

using cocos2d::Director;
using cocos2d::FileUtils;

TEST(WindowFrame, ScreensGiveTheirFrames) {
  struct Case {
    float w, h;
    float frameW, frameH;
  } cases[] = {
      {1920, 1080, 1280, 720},        // large enough: the fixed frame
      {1300, 760, 1280, 720},         // exactly the limit
      {1299, 1000, 1169.1f, 657.62f}, // too narrow: width-bound 16:9, times 0.9
      {1280, 800, 1152, 648},         // ratio 1.6: width-bound
      {1280, 720, 1152, 648},         // ratio 16:9 exactly: height-bound
      {1024, 768, 921.6f, 518.4f},
      {2560, 720, 1152, 648},         // wide but too low: height-bound
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.w) + "x" + std::to_string(c.h));
    const cocos2d::Size frame = ddz::ComputeWindowFrameSize(c.w, c.h);
    EXPECT_NEAR(frame.width, c.frameW, 0.01f);
    EXPECT_NEAR(frame.height, c.frameH, 0.01f);
  }
}

// Script modules that write their name into the global "order" text.
int RecordA(lua_State* L) {
  luaL_dostring(L, "order = (order or '') .. 'a'");
  lua_pushnumber(L, 1);  // a module that leaves a value behind
  return 1;
}
int RecordB(lua_State* L) { return luaL_dostring(L, "order = (order or '') .. 'b'"), 1; }

class LuaModulesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    L = luaL_newstate();
    luaL_openlibs(L);
    cocos2d::Log::setEchoToStderr(false);
  }
  void TearDown() override {
    lua_close(L);
    cocos2d::Log::setEchoToStderr(true);
  }
  std::string Global(const char* name) {
    lua_getfield(L, LUA_GLOBALSINDEX, name);
    std::string value = lua_isstring(L, -1) ? lua_tostring(L, -1) : lua_typename(L, lua_type(L, -1));
    lua_pop(L, 1);
    return value;
  }
  lua_State* L = nullptr;
};

TEST_F(LuaModulesTest, RegisteredInOrderOnlyWhenGlobalsAreATable) {
  const ddz::LuaModule modules[] = {{"a", RecordA}, {"b", RecordB}, {"a", RecordA}};
  EXPECT_EQ(ddz::RegisterLuaModules(L, modules), 3);
  EXPECT_EQ(Global("order"), "aba");
  EXPECT_EQ(lua_gettop(L), 0);

  luaL_dostring(L, "order = nil; _G = 5");
  EXPECT_EQ(ddz::RegisterLuaModules(L, modules), 0);
  EXPECT_EQ(Global("order"), "nil");
  EXPECT_EQ(lua_gettop(L), 0);
}

TEST_F(LuaModulesTest, StartupModulesAreTheLibrariesThenTheClient) {
  std::vector<std::string> names;
  for (const ddz::LuaModule& m : ddz::StartupLuaModules()) names.push_back(m.name);
  EXPECT_EQ(names, (std::vector<std::string>{"yndcommon", "osapi", "gamebase", "VellGameBase", "QorvDDZView"}));
  EXPECT_EQ(ddz::RegisterLuaModules(L, ddz::StartupLuaModules()), 5);
  for (const std::string& name : names) EXPECT_EQ(Global(name.c_str()), "table") << name;
}

class StartupTest : public ::testing::Test {
 protected:
  void SetUp() override {
    cocos2d::Log::setEchoToStderr(false);
    cocos2d::Log::clear();
    ddz::os::Clock().Reset();
    director = Director::getInstance();
    director->reset();
    savedPaths_ = FileUtils::getInstance()->getSearchPaths();
    FileUtils::getInstance()->setSearchPaths({});
    OsApiBase::shareOsApi()->Reset();
    OsApiCommon::shareOsApiCommon()->Reset();
    ddz::os::ClearLobbyMessages();
    ddz::os::SetScreenSize(1920, 1080);
    options.dataFolders = {"data", "/abs/data"};
    options.createScene = [this] {
      created = cocos2d::Scene::create();
      created->retain();  // start-up autoreleases what it is given
      return created;
    };
  }
  void TearDown() override {
    director->reset();
    cocos2d::LuaEngine::destroyInstance();
    FileUtils::getInstance()->setSearchPaths(savedPaths_);
    FileUtils::getInstance()->setPopupNotify(false);
    OsApiBase::shareOsApi()->Reset();
    OsApiCommon::shareOsApiCommon()->Reset();
    ddz::os::ClearLobbyMessages();
    ddz::os::SetScreenSize(0, 0);
    ddz::os::SetCommandLineText("");
    cocos2d::Log::setEchoToStderr(true);
  }
  Director* director = nullptr;
  ddz::StartupOptions options;
  cocos2d::Scene* created = nullptr;
  std::vector<std::string> savedPaths_;
};

TEST_F(StartupTest, LaunchRunsEveryStepInOrder) {
  ddz::os::SetCommandLineText("ddz 127.0.0.1 0 0 0 0 0 offline 4660 /opt/extra");
  AppDelegate app(options);
  ASSERT_TRUE(app.applicationDidFinishLaunching());

  // Launch parameters, then the command line's folder, the eight, the data folders.
  EXPECT_STREQ(OsApiBase::shareOsApi()->m_szServerIP, "127.0.0.1");
  EXPECT_EQ(FileUtils::getInstance()->getSearchPaths(),
            (std::vector<std::string>{"/opt/extra/", "images/", "config/", "luaCocos/", "Game_Res_Test/",
                                      "luasrc/qorvCommon/", "../Img_Cos/", "../img/pack/", "../newPokerShow/",
                                      "data/", "/abs/data/"}));
  EXPECT_TRUE(FileUtils::getInstance()->isPopupNotify());

  // The Lua engine is the script engine, holds the key and sign and every module.
  cocos2d::LuaEngine* engine = cocos2d::LuaEngine::getInstance();
  EXPECT_EQ(cocos2d::ScriptEngineManager::getInstance()->getScriptEngine(), engine);
  EXPECT_EQ(engine->getLuaStack()->getXXTEAKey(), "QorvDdz#1");
  EXPECT_EQ(engine->getLuaStack()->getXXTEASign().size(), 9u);
  EXPECT_EQ(engine->executeString("assert(type(cc.Node) == 'table' and type(yndcommon) == 'table' and "
                                  "type(osapi) == 'table' and type(gamebase) == 'table' and "
                                  "type(QorvDDZView.DDZGameView) == 'table')"),
            0);
  EXPECT_EQ(lua_gettop(engine->getLuaStack()->getLuaState()), 0);

  // The window, then the scene, then the lobby hears the window's handle.
  cocos2d::GLView* view = director->getOpenGLView();
  ASSERT_NE(view, nullptr);
  EXPECT_EQ(view->getViewName(), "斗地主 v1.0.0.2");
  EXPECT_EQ(view->getIconPath(), "appLogo.ico");
  EXPECT_EQ(view->getFrameSize().width, 1280.0f);
  EXPECT_EQ(view->getFrameSize().height, 720.0f);
  EXPECT_EQ(director->getRunningScene(), created);
  ASSERT_EQ(ddz::os::LobbyMessages().size(), 1u);
  EXPECT_EQ(ddz::os::LobbyMessages()[0],
            (ddz::os::LobbyMessage{4660, 0x46F, view->getNativeHandle(), 0, false}));
}

TEST_F(StartupTest, WindowFollowsTheScreenAndAnExistingWindowIsKept) {
  ddz::os::SetScreenSize(1024, 768);
  {
    AppDelegate app(options);
    app.applicationDidFinishLaunching();
    EXPECT_NEAR(director->getOpenGLView()->getFrameSize().width, 921.6f, 0.01f);
    EXPECT_NEAR(director->getOpenGLView()->getFrameSize().height, 518.4f, 0.01f);
  }
  director->reset();
  cocos2d::GLView* own = cocos2d::GLViewImpl::create("own");
  director->setOpenGLView(own);
  AppDelegate app(options);
  app.applicationDidFinishLaunching();
  EXPECT_EQ(director->getOpenGLView(), own);
  EXPECT_EQ(own->getViewName(), "own");
}

TEST_F(StartupTest, TheWebMessagesAreSignedWithTheConfiguredKey) {
  ddz::test::TempDir dir;
  std::ofstream(dir.file("server.conf")) << "[release]\nweb_sign_key = abcdefghij0123456#\n";
  ddz::ClearConfCache();
  options.dataFolders = {dir.path()};
  AppDelegate app(options);
  app.applicationDidFinishLaunching();
  char frame[44] = {};
  ASSERT_TRUE(GameLogicLayer::shareGameLogicLayer()->FillWebMsgHead(20034, 5, frame, 44));
  EXPECT_EQ(std::string(frame, 32), MakeMD5(std::string(frame + 32, 12) + "abcdefghij0123456#"));
  GameLogicLayer::shareGameLogicLayer()->SetWebSignKey("");
  ddz::ClearConfCache();
}

TEST_F(StartupTest, NoCommandLineStillReportsToLobbyWindowZero) {
  ddz::os::SetCommandLineText("ddz");
  AppDelegate app(options);
  EXPECT_TRUE(app.applicationDidFinishLaunching());
  ASSERT_EQ(ddz::os::LobbyMessages().size(), 1u);
  EXPECT_EQ(ddz::os::LobbyMessages()[0].window, 0u);
  EXPECT_EQ(ddz::os::LobbyMessages()[0].message, 0x46Fu);
  EXPECT_EQ(FileUtils::getInstance()->getSearchPaths().front(), "images/");
}

// A scene whose start-up ends the client, as the game scene does on a command
// line it refuses.
class EndingScene : public cocos2d::Scene {
 public:
  void onEnter() override {
    cocos2d::Scene::onEnter();
    OsApiCommon::shareOsApiCommon()->ExitGame();
  }
};

TEST_F(StartupTest, AClientEndedByItsSceneDoesNotReportItsWindow) {
  options.createScene = [] { return new EndingScene(); };
  AppDelegate app(options);
  EXPECT_TRUE(app.applicationDidFinishLaunching());
  EXPECT_EQ(OsApiCommon::shareOsApiCommon()->GetExitCount(), 1);
  EXPECT_TRUE(ddz::os::LobbyMessages().empty());
}

TEST_F(StartupTest, BackgroundPausesFramesAndSoundForegroundResumes) {
  AppDelegate app(options);
  app.applicationDidFinishLaunching();
  auto* audio = cocos2d::SimpleAudioEngine::getInstance();
  audio->playBackgroundMusic("ddzSound/1.mp3", true);
  audio->playEffect("ddzSound/5.mp3", true);
  audio->clearCalls();

  app.enterBackground();
  EXPECT_TRUE(director->isAnimationStopped());
  EXPECT_TRUE(audio->isMusicPaused());
  EXPECT_EQ(audio->calls(), (std::vector<std::string>{"pauseBackgroundMusic", "pauseAllEffects"}));

  audio->clearCalls();
  app.enterForeground();
  EXPECT_FALSE(director->isAnimationStopped());
  EXPECT_TRUE(audio->isBackgroundMusicPlaying());
  EXPECT_EQ(audio->calls(), (std::vector<std::string>{"resumeBackgroundMusic", "resumeAllEffects"}));
}

}  // namespace
