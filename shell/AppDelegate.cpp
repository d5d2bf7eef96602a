#include "shell/AppDelegate.h"

extern "C" {
#include <lua.h>
}

#include "gamedata/CompeteWebMsg.h"
#include "platform/engine/Director.h"
#include "platform/engine/FileUtils.h"
#include "platform/engine/GLView.h"
#include "platform/engine/Log.h"
#include "platform/engine/Scene.h"
#include "platform/engine/SimpleAudioEngine.h"
#include "platform/engine/lua/LuaStack.h"
#include "platform/framework/YndLuaRegister.h"
#include "platform/gamebase/GamebaseLuaRegister.h"
#include "platform/os/LobbyMessage.h"
#include "platform/os/OsApiBase.h"
#include "platform/os/OsApiCommon.h"
#include "platform/os/Process.h"
#include "script/QorvDDZView.h"
#include "shell/LaunchCommandLine.h"
#include "shell/QorvDDZGameScene.h"

namespace ddz {

static_assert(sizeof kScriptKey - 1 == 9 && sizeof kScriptSign - 1 == 9);

cocos2d::Size ComputeWindowFrameSize(float w, float h) {
  if (w >= 1300.0f && h >= 760.0f) return cocos2d::Size(1280.0f, 720.0f);
  constexpr float kWide = 1.7777778f;
  float width = w;
  float height = w * 0.5625f;
  if (w / h >= kWide) {
    width = h * kWide;
    height = h;
  }
  return cocos2d::Size(width * 0.9f, height * 0.9f);
}

std::span<const LuaModule> StartupLuaModules() {
  static const LuaModule modules[] = {
      {"yndcommon", register_all_yndcommon},
      {"osapi", register_all_osapi},
      {"gamebase", register_all_gamebase},
      {"VellGameBase", register_all_VellGameBase},
      {"QorvDDZView", register_all_QorvDDZView},
  };
  return modules;
}

int RegisterLuaModules(lua_State* L, std::span<const LuaModule> modules) {
  int registered = 0;
  lua_getfield(L, LUA_GLOBALSINDEX, "_G");
  if (lua_type(L, -1) == LUA_TTABLE) {
    for (const LuaModule& module : modules) {
      const int top = lua_gettop(L);
      module.registerFn(L);
      lua_settop(L, top);  // a module that leaves values behind must not shift the next one
      ++registered;
    }
  } else {
    cocos2d::log("RegisterLuaModules: _G is not a table, no module registered");
  }
  lua_settop(L, -2);
  return registered;
}

}  // namespace ddz

AppDelegate::AppDelegate(ddz::StartupOptions options) : m_options(std::move(options)) {}

AppDelegate::~AppDelegate() { cocos2d::SimpleAudioEngine::end(); }

bool AppDelegate::applicationDidFinishLaunching() {
  cocos2d::FileUtils* files = cocos2d::FileUtils::getInstance();
  files->setPopupNotify(true);

  ParseLaunchCommandLine(ddz::os::GetCommandLineText().c_str());
  for (const char* path : ddz::kStartupSearchPaths) files->addSearchPath(path, false);
  for (const std::string& folder : m_options.dataFolders) files->addSearchPath(folder, false);
  // The web messages' signing key is configured, never built in.
  ddz::LoadWebSignKey();

  cocos2d::LuaEngine* engine = cocos2d::LuaEngine::getInstance();
  cocos2d::ScriptEngineManager::getInstance()->setScriptEngine(engine);
  cocos2d::LuaStack* stack = engine->getLuaStack();
  stack->setXXTEAKeyAndSign(ddz::kScriptKey, 9, ddz::kScriptSign, 9);
  lua_State* L = stack->getLuaState();
  lua_module_register(L);
  ddz::RegisterLuaModules(L, ddz::StartupLuaModules());

  cocos2d::Director* director = cocos2d::Director::getInstance();
  if (director->getOpenGLView() == nullptr) {
    const ddz::os::ScreenSize screen = ddz::os::GetScreenSize();
    const cocos2d::Size frame =
        ddz::ComputeWindowFrameSize(static_cast<float>(screen.width), static_cast<float>(screen.height));
    cocos2d::GLView* view = m_options.createView ? m_options.createView(ddz::kWindowTitle, frame) : nullptr;
    if (view == nullptr) {
      view = cocos2d::GLViewImpl::create(ddz::kWindowTitle);
      view->setFrameSize(frame.width, frame.height);
    }
    view->setIcon(ddz::kWindowIcon);
    if (director->getOpenGLView() != view) director->setOpenGLView(view);
    cocos2d::log("window [%s] screen %dx%d frame %.1fx%.1f", ddz::kWindowTitle, screen.width, screen.height,
                 frame.width, frame.height);
  }
  if (cocos2d::GLView* view = director->getOpenGLView()) {
    // Every layout value is for 1280 x 720: the design area is scaled to the frame.
    view->setDesignResolutionSize(ddz::kDesignWidth, ddz::kDesignHeight, cocos2d::ResolutionPolicy::SHOW_ALL);
    view->setCloseHandler([] {
      cocos2d::Director* d = cocos2d::Director::getInstance();
      if (auto* scene = dynamic_cast<QorvDDZGameScene*>(d->getRunningScene())) {
        scene->OnFrameClose(nullptr);
      } else {
        d->end();
      }
    });
  }

  cocos2d::Scene* scene = m_options.createScene ? m_options.createScene() : new QorvDDZGameScene();
  scene->autorelease();
  director->runWithScene(scene);
  if (OsApiCommon::shareOsApiCommon()->IsExitRequested()) {
    // The scene refused the command line and ended the client: the lobby
    // hears nothing of a window that closes at once.
    cocos2d::log("applicationDidFinishLaunching: the client ends, the lobby is not told");
    return true;
  }

  const cocos2d::GLView* view = director->getOpenGLView();
  ddz::os::SendLobbyMessage(OsApiBase::shareOsApi()->hLobbyWnd, ddz::os::kLobbyMsgClientWindow,
                            view ? view->getNativeHandle() : 0, 0);
  return true;
}

namespace {
GameSceneBase* RunningGameScene() {
  return dynamic_cast<GameSceneBase*>(cocos2d::Director::getInstance()->getRunningScene());
}
}  // namespace

void AppDelegate::applicationDidEnterBackground() {
  if (GameSceneBase* scene = RunningGameScene()) scene->GameEnterBackGround();
  cocos2d::Director::getInstance()->stopAnimation();
  cocos2d::SimpleAudioEngine::getInstance()->pauseBackgroundMusic();
  cocos2d::SimpleAudioEngine::getInstance()->pauseAllEffects();
}

void AppDelegate::applicationWillEnterForeground() {
  cocos2d::Director::getInstance()->startAnimation();
  cocos2d::SimpleAudioEngine::getInstance()->resumeBackgroundMusic();
  cocos2d::SimpleAudioEngine::getInstance()->resumeAllEffects();
  if (GameSceneBase* scene = RunningGameScene()) scene->GameEnterForeGround();
}

void AppDelegate::applicationWillEnd() {
  if (m_options.atEnd) m_options.atEnd();
}
