#include "platform/engine/Application.h"

#include <chrono>
#include <thread>

#include "platform/engine/Director.h"
#include "platform/engine/FileUtils.h"
#include "platform/engine/GLView.h"
#include "platform/engine/Log.h"

namespace cocos2d {

namespace {
Application* g_application = nullptr;

float RealTimePacer(double interval) {
  using Clock = std::chrono::steady_clock;
  static Clock::time_point last = Clock::now();
  const auto deadline = last + std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(interval));
  std::this_thread::sleep_until(deadline);
  const auto now = Clock::now();
  float dt = std::chrono::duration<float>(now - last).count();
  last = now;
  return dt > 0.25f ? 0.25f : dt;  // a stalled frame does not turn into a jump of seconds
}
}  // namespace

Application::Application() : _pacer(RealTimePacer) { g_application = this; }

Application::~Application() {
  if (g_application == this) g_application = nullptr;
}

Application* Application::getInstance() { return g_application; }

void Application::setAnimationInterval(double interval) { Director::getInstance()->setAnimationInterval(interval); }

int Application::run() {
  Log::openFile(FileUtils::getInstance()->getWritablePath() + "client.log");
  initGLContextAttrs();
  if (!applicationDidFinishLaunching()) return 1;
  Director* director = Director::getInstance();
  while (!director->isEndRequested()) {
    GLView* view = director->getOpenGLView();
    if (view) view->pollEvents();
    if (view && view->windowShouldClose()) break;
    float dt = _pacer(director->getAnimationInterval());
    director->mainLoop(dt);
  }
  applicationWillEnd();
  director->reset();
  return 0;
}

}  // namespace cocos2d
