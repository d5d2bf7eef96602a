#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>

#include "EngineTestSupport.h"

using namespace cocos2d;
namespace fs = std::filesystem;

namespace {

class TestApp : public Application {
 public:
  bool launchOk = true;
  int launched = 0, background = 0, foreground = 0;
  bool applicationDidFinishLaunching() override {
    ++launched;
    if (!launchOk) return false;
    auto* view = GLViewImpl::create("\xb6\xb7\xb5\xd8\xd6\xf7 v1.0.0.2");  // GBK bytes of the title
    view->setFrameSize(1280.0f, 720.0f);
    Director::getInstance()->setOpenGLView(view);
    Director::getInstance()->runWithScene(Scene::create());
    return true;
  }
  void applicationDidEnterBackground() override {
    ++background;
    Director::getInstance()->stopAnimation();
  }
  void applicationWillEnterForeground() override {
    ++foreground;
    Director::getInstance()->startAnimation();
  }
};

class ApplicationTest : public enginetest::EngineTest {
 protected:
  void SetUp() override {
    EngineTest::SetUp();
    director->reset();
    home = fs::temp_directory_path() / ("engine-app-" + std::to_string(::getpid()));
    FileUtils::getInstance()->setWritablePath(home.string());
  }
  void TearDown() override {
    Log::closeFile();
    EngineTest::TearDown();
    fs::remove_all(home);
  }
  fs::path home;
};

}  // namespace

TEST_F(ApplicationTest, RunLaunchesStepsFramesUntilEndAndReturnsZero) {
  TestApp app;
  EXPECT_EQ(Application::getInstance(), &app);
  int frames = 0;
  std::string title;
  app.setFramePacer([&](double interval) {
    EXPECT_DOUBLE_EQ(interval, 1.0 / 60);
    if (++frames == 5) {
      title = director->getOpenGLView()->getViewName();
      director->end();
    }
    return 0.1f;
  });
  EXPECT_EQ(app.run(), 0);
  EXPECT_EQ(app.launched, 1);
  EXPECT_EQ(frames, 5);
  EXPECT_EQ(ddz::os::Clock().NowMs(), 500u);
  EXPECT_EQ(title.size(), 15u);
  EXPECT_TRUE(fs::exists(home / "client.log"));
  EXPECT_EQ(director->getRunningScene(), nullptr);  // torn down at the end
}

TEST_F(ApplicationTest, FailedLaunchEndsAtOnceWithOne) {
  TestApp app;
  app.launchOk = false;
  int frames = 0;
  app.setFramePacer([&](double) { ++frames; return 0.0f; });
  EXPECT_EQ(app.run(), 1);
  EXPECT_EQ(frames, 0);
}

TEST_F(ApplicationTest, BackgroundStopsSchedulesUntilForeground) {
  TestApp app;
  ASSERT_TRUE(app.applicationDidFinishLaunching());
  int calls = 0;
  Node* n = Node::create();
  director->getRunningScene()->addChild(n);
  n->schedule([&](float) { ++calls; }, 0.0f, "tick");
  app.enterBackground();
  director->mainLoop(0.1f);
  EXPECT_EQ(calls, 0);
  app.enterForeground();
  director->mainLoop(0.1f);
  EXPECT_EQ(calls, 1);
  EXPECT_EQ(app.background, 1);
  EXPECT_EQ(app.foreground, 1);
}
