// The application object: the engine calls its start-up handler once, before
// the first frame, and its background and foreground handlers while the loop
// runs.
//
// Start-up, in this order: the launch parameters from the command line, the
// search paths, the Lua engine with the script key and sign, the script
// modules, the window (1280 x 720 design size scaled to its frame; its close
// button asks the scene's quit question), the game scene, and the window
// message 0x46F that tells the lobby the client's window (not sent when the
// scene ended the client on entering, e.g. on a command line it refused).
// Going to the background and back also reaches the scene's background and
// foreground handlers, and through them the table view.
#pragma once

#include <functional>
#include <span>
#include <string>
#include <vector>

#include "platform/engine/Application.h"
#include "platform/engine/Math.h"

struct lua_State;

namespace cocos2d {
class GLView;
class Scene;
}

namespace ddz {

// The window title (UTF-8) and icon.
inline constexpr const char* kWindowTitle = "斗地主 v1.0.0.2";
inline constexpr const char* kWindowIcon = "appLogo.ico";

// The resource folders start-up appends, in this order, after the one the
// command line may name.
inline constexpr const char* kStartupSearchPaths[] = {
    "images", "config", "luaCocos", "Game_Res_Test", "luasrc\\qorvCommon", "..\\Img_Cos", "..\\img\\pack",
    "..\\newPokerShow"};

// The key and sign handed to the Lua stack for encrypted scripts (9 printable
// characters each).
inline constexpr char kScriptKey[] = "QorvDdz#1";
inline constexpr char kScriptSign[] = "VellSign9";

// The window's frame size for a screen of w x h pixels: 1280 x 720 when the
// screen is at least 1300 x 760, else the largest 16:9 frame that fits, times
// 0.9. All in single precision.
cocos2d::Size ComputeWindowFrameSize(float screenWidth, float screenHeight);

// One script module registration.
struct LuaModule {
  const char* name;
  int (*registerFn)(lua_State*);
};
// The modules start-up registers, in order (after the engine's "cc"): the
// framework's, the platform's, the game base's, then the client's own (the
// card-row and tournament base names, then the table classes).
std::span<const LuaModule> StartupLuaModules();
// Registers `modules` in order, with the global table on top of the stack,
// when the global "_G" is a table; otherwise none. The stack is left as it
// was. Answers the number registered.
int RegisterLuaModules(lua_State* L, std::span<const LuaModule> modules);

struct StartupOptions {
  // Folders appended after kStartupSearchPaths: where the program's data
  // files lie (absolute, or relative to the resource root).
  std::vector<std::string> dataFolders;
  // Creates the game scene (not yet autoreleased); empty means the client's
  // QorvDDZGameScene.
  std::function<cocos2d::Scene*()> createScene;
  // Opens the window (autoreleased) with the title and the frame size of the
  // window rule; empty, or a null answer, means the headless view.
  std::function<cocos2d::GLView*(const std::string& title, const cocos2d::Size& frame)> createView;
  // Runs after the last frame, before the scene goes (the screenshot).
  std::function<void()> atEnd;
};

// The design size every layout value is written for.
inline constexpr float kDesignWidth = 1280.0f;
inline constexpr float kDesignHeight = 720.0f;

}  // namespace ddz

class AppDelegate : public cocos2d::Application {
 public:
  explicit AppDelegate(ddz::StartupOptions options = {});
  ~AppDelegate() override;

  bool applicationDidFinishLaunching() override;
  void applicationDidEnterBackground() override;
  void applicationWillEnterForeground() override;
  void applicationWillEnd() override;

 private:
  ddz::StartupOptions m_options;
};
