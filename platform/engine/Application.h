// The application object. The program's AppDelegate derives from it;
// constructing it registers it as the application. `run` calls
// applicationDidFinishLaunching once and then runs frames until the director
// is asked to end (or the window closes), and returns the exit code. Before
// each frame it lets the window dispatch its events.
#pragma once

#include <functional>

namespace cocos2d {

class Application {
 public:
  Application();
  virtual ~Application();
  static Application* getInstance();

  virtual void initGLContextAttrs() {}
  virtual bool applicationDidFinishLaunching() = 0;
  virtual void applicationDidEnterBackground() = 0;
  virtual void applicationWillEnterForeground() = 0;
  // After the last frame, before the scene is torn down.
  virtual void applicationWillEnd() {}

  int run();

  // Waits for the next frame and returns the seconds since the previous one.
  // The default waits on the real clock; tests install one that returns a
  // fixed step at once.
  using FramePacer = std::function<float(double interval)>;
  void setFramePacer(FramePacer pacer) { _pacer = std::move(pacer); }
  void setAnimationInterval(double interval);

  // The window went to the background / came back.
  void enterBackground() { applicationDidEnterBackground(); }
  void enterForeground() { applicationWillEnterForeground(); }

 private:
  FramePacer _pacer;
};

}  // namespace cocos2d
