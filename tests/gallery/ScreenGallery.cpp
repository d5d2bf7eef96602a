// The screen gallery: the whole program in a real window on SDL's offscreen
// driver, the seeded single-player game of the screen tour, played through the
// window's own input (SDL mouse, key and window events). Each named screen is
// written as `<folder>/<name>.png`, and `<folder>/index.html` shows them in
// the tour's order with what the layout check found on each.
//
//   screen_gallery FOLDER [HANDS]   (scripts/screens.sh runs it)
//
// HANDS (default 5) is how many hands the tour plays; at the end the
// program's resident memory is printed.
#include <SDL.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "platform/engine/Director.h"
#include "platform/engine/Log.h"
#include "platform/os/Clock.h"
#include "platform/os/Random.h"
#include "platform/window/SdlRenderer.h"
#include "platform/window/SdlWindow.h"
#include "shell/ProgramMain.h"
#include "shell/QorvDDZGameScene.h"
#include "support/ScreenTour.h"
#include "support/TableLook.h"

namespace {

class TourScene : public QorvDDZGameScene {
 public:
  GameViewBase* NewGameViewPC(YndLoadingBase* loading, int gameId) override {
    return new ddz::tour::TourTable(this, loading, gameId);
  }
};

ddz::window::SdlWindow* Window() {
  return dynamic_cast<ddz::window::SdlWindow*>(cocos2d::Director::getInstance()->getOpenGLView());
}

void Push(SDL_Event e) {
  if (ddz::window::SdlWindow* w = Window()) {
    e.window.windowID = w->windowId();  // the same place in every event kind
    SDL_PushEvent(&e);
  }
}

void PressKey(SDL_Keycode key) {
  for (Uint32 type : {SDL_KEYDOWN, SDL_KEYUP}) {
    SDL_Event e{};
    e.type = type;
    e.key.keysym.sym = key;
    Push(e);
  }
}

void ClickAt(const cocos2d::Vec2& design) {
  ddz::window::SdlWindow* w = Window();
  if (w == nullptr) return;
  const SDL_FPoint p = w->renderer()->toPixels(design);
  for (Uint32 type : {SDL_MOUSEBUTTONDOWN, SDL_MOUSEBUTTONUP}) {
    SDL_Event e{};
    e.type = type;
    e.button.windowID = w->windowId();
    e.button.button = SDL_BUTTON_LEFT;
    e.button.state = type == SDL_MOUSEBUTTONDOWN ? SDL_PRESSED : SDL_RELEASED;
    e.button.clicks = 1;
    e.button.x = static_cast<int>(p.x);
    e.button.y = static_cast<int>(p.y);
    SDL_PushEvent(&e);
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: %s FOLDER\n", argv[0]);
    return 2;
  }
  const std::string folder = argv[1];
  const int hands = argc > 2 ? std::atoi(argv[2]) : 0;
  ::setenv("SDL_VIDEODRIVER", "offscreen", 0);
  ::setenv("SDL_RENDER_DRIVER", "software", 0);
  const std::uint32_t kTourSeed = ddz::tour::kTourSeed;
  ddz::os::LcgRandom random(kTourSeed);
  ddz::os::ScopedRandomSource seeded(random);

  struct Shot {
    std::string name;
    std::vector<std::string> problems;
  };
  std::vector<Shot> shots;
  ddz::tour::ScreenTour::Input input;
  input.click = ClickAt;
  input.close = [] {
    // As a press of the close button comes: the window's close, then the
    // application's quit that SDL sends for the last window.
    SDL_Event e{};
    e.type = SDL_WINDOWEVENT;
    e.window.event = SDL_WINDOWEVENT_CLOSE;
    Push(e);
    SDL_Event quit{};
    quit.type = SDL_QUIT;
    SDL_PushEvent(&quit);
  };
  input.escape = [] { PressKey(SDLK_ESCAPE); };
  input.help = [] { PressKey(SDLK_F1); };
  ddz::tour::ScreenTour tour(input, [&](const std::string& name, GameViewPC* view) {
    ddz::window::SdlWindow* w = Window();
    if (w == nullptr) return;
    w->renderer()->saveScreenshot(folder + "/" + name + ".png");
    cocos2d::Scene* scene = cocos2d::Director::getInstance()->getRunningScene();
    shots.push_back({name, ddz::tour::CheckLayout(scene, nullptr)});
    for (std::string& p : ddz::tour::CheckTable(scene, *view)) shots.back().problems.push_back(std::move(p));
    std::fprintf(stderr, "screen %s\n", name.c_str());
  });

  if (hands > 0) tour.maxHands = hands;

  ddz::ProgramOptions options;
  options.installCrashHandler = false;
  options.window = ddz::WindowChoice{false, ""};
  options.startup.dataFolders = {DDZ_SOURCE_DIR "/data", DDZ_ART_DIR};
  options.startup.createScene = [] { return new TourScene(); };
  options.limits.frames = 60 * 60 * 20;  // twenty minutes of the game's time at most
  options.pacer = tour.SeededPacer(random, kTourSeed);
  const char* args[] = {"ddz", "127.0.0.1", "0", "0", "0", "0", "0", "offline", "0"};
  const int result = ddz::RunProgram(9, args, std::move(options));

  std::ofstream index(folder + "/index.html");
  index << "<!doctype html><meta charset=utf-8><title>Screens</title>\n"
           "<style>body{font-family:sans-serif;background:#222;color:#ddd}figure{display:inline-block;margin:8px}"
           "img{width:640px;border:1px solid #555}li{color:#f99}</style>\n<h1>Screens of the classic table</h1>\n";
  std::map<std::string, const Shot*> byName;
  for (const Shot& s : shots) byName[s.name] = &s;
  for (const std::string& name : ddz::tour::ScreenTour::ScreenNames()) {
    auto it = byName.find(name);
    if (it == byName.end()) {
      index << "<p>" << name << ": not reached</p>\n";
      continue;
    }
    index << "<figure><a href=\"" << name << ".png\"><img src=\"" << name << ".png\"></a><figcaption>" << name;
    if (!it->second->problems.empty()) {
      index << "<ul>";
      for (const std::string& p : it->second->problems) index << "<li>" << p << "</li>";
      index << "</ul>";
    }
    index << "</figcaption></figure>\n";
  }
  if (!tour.notes.empty()) {
    index << "<h2>Notes</h2><ul>";
    for (const std::string& n : tour.notes) index << "<li>" << n << "</li>";
    index << "</ul>\n";
  }
  std::fprintf(stderr, "%zu screens in %s, %d hands\n", shots.size(), folder.c_str(), tour.HandsDone());
  for (const std::string& n : tour.notes) std::fprintf(stderr, "note: %s\n", n.c_str());
  std::ifstream status("/proc/self/status");
  for (std::string line; std::getline(status, line);)
    if (line.rfind("VmRSS:", 0) == 0) std::fprintf(stderr, "resident memory after %d hands: %s\n", tour.HandsDone(), line.c_str() + 6);
  return result;
}
