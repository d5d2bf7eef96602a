// The platform services' answers, with the poster start-up installs: on the
// next frame, never inside the call.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "FrameworkTestSupport.h"
#include "platform/framework/YndGameLayer.h"
#include "platform/os/ICallBackWXAuth.h"
#include "platform/os/OsApiBase.h"

namespace {

class Receiver : public ICallBackWXAuth {
 public:
  void CallbackWXAuthRt(int result, const char* code) override {
    answers.emplace_back(result, code);
    frames.push_back(cocos2d::Director::getInstance()->getTotalFrames());
  }
  std::vector<std::pair<int, std::string>> answers;
  std::vector<std::uint64_t> frames;
};

class PlatformAnswersTest : public fwtest::FrameworkTest {
 protected:
  void SetUp() override {
    FrameworkTest::SetUp();
    OsApiBase::shareOsApi()->Reset();
    YndInstallPlatformAnswers();
  }
  void TearDown() override {
    OsApiBase::shareOsApi()->Reset();
    FrameworkTest::TearDown();
  }
};

TEST_F(PlatformAnswersTest, TheAuthorisationIsAnsweredOnTheNextFrameOnce) {
  Receiver receiver;
  OsApiBase* api = OsApiBase::shareOsApi();
  api->SetWXAuthCallBack(&receiver);
  api->SetWXAuthAnswer(0, "CODE");
  api->WeChatAuth("wx123");
  EXPECT_TRUE(receiver.answers.empty());
  tick();
  ASSERT_EQ(receiver.answers.size(), 1u);  // the first frame after the call
  EXPECT_EQ(receiver.answers[0], (std::pair<int, std::string>{0, "CODE"}));
  tick(1.0f / 60, 3);
  EXPECT_EQ(receiver.answers.size(), 1u);

  // Asked inside a frame (a layer's timer): answered in the frame after it.
  std::uint64_t askedIn = 0;
  director->addFrameHook(cocos2d::FramePhase::Animations, [&](float) {
    if (askedIn != 0) return;
    askedIn = director->getTotalFrames();
    api->WeChatAuth("wx123");
  });
  tick(1.0f / 60, 3);
  ASSERT_EQ(receiver.answers.size(), 2u);
  EXPECT_EQ(receiver.frames[1], askedIn + 1);
  api->SetWXAuthCallBack(nullptr);
}

}  // namespace
