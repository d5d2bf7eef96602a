#include "platform/framework/CreateSharePic.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "FrameworkTestSupport.h"
#include "platform/engine/FileUtils.h"
#include "platform/framework/YndGameLayer.h"
#include "support/TempDir.h"

namespace {

std::string ReadAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

class SharePicTest : public fwtest::FrameworkTest {
 protected:
  void SetUp() override {
    FrameworkTest::SetUp();
    cocos2d::FileUtils::getInstance()->setWritablePath(dir.path() + "/");
  }
  void TearDown() override {
    CCreateSharePic::destorySharedCreateSharePic();
    cocos2d::FileUtils::getInstance()->setWritablePath("");
    FrameworkTest::TearDown();
  }
  CCreateSharePic::SaveCallBack Record() {
    return [this](const std::string& name, bool ok) { calls.emplace_back(name, ok); };
  }
  ddz::test::TempDir dir;
  std::vector<std::pair<std::string, bool>> calls;
};

TEST_F(SharePicTest, HeadlessWritesAPlaceholderJpegAndCallsBackOnceOnTheNextFrame) {
  auto* target = new YndGameLayer();
  ASSERT_TRUE(CCreateSharePic::sharedCreateSharePic()->saveScreenShotOnly("ddzcompete_wechat_friends_share", target,
                                                                           Record(), 1));
  const std::string picture = ReadAll(dir.file("ddzcompete_wechat_friends_share.jpg"));
  ASSERT_GT(picture.size(), 100u);
  EXPECT_EQ(picture.substr(0, 3), "\xFF\xD8\xFF");                // start of image
  EXPECT_EQ(picture.substr(picture.size() - 2), "\xFF\xD9");       // end of image
  EXPECT_TRUE(calls.empty());
  tick();
  ASSERT_EQ(calls.size(), 1u);
  EXPECT_EQ(calls[0], (std::pair<std::string, bool>{"ddzcompete_wechat_friends_share", true}));
  tick(1.0f / 60, 3);
  EXPECT_EQ(calls.size(), 1u);
  target->release();
}

TEST_F(SharePicTest, ARemovedTargetOrADestroyedObjectIsNotCalled) {
  auto* leaving = new YndGameLayer();
  auto* staying = new YndGameLayer();
  CCreateSharePic* pic = CCreateSharePic::sharedCreateSharePic();
  pic->saveScreenShotOnly("a", leaving, Record(), 1);
  pic->saveScreenShotOnly("b", staying, Record(), 1);
  CCreateSharePic::RemoveCallBackSaveOkByTarget(leaving);
  tick();
  ASSERT_EQ(calls.size(), 1u);
  EXPECT_EQ(calls[0].first, "b");

  CCreateSharePic::sharedCreateSharePic()->saveScreenShotOnly("c", staying, Record(), 1);
  CCreateSharePic::destorySharedCreateSharePic();
  CCreateSharePic::RemoveCallBackSaveOkByTarget(staying);  // nothing there: no object made
  tick(1.0f / 60, 2);
  EXPECT_EQ(calls.size(), 1u);

  // A callback that destroys the object, as the award screen's does.
  CCreateSharePic::sharedCreateSharePic()->saveScreenShotOnly(
      "d", staying, [this](const std::string& name, bool ok) {
        calls.emplace_back(name, ok);
        CCreateSharePic::destorySharedCreateSharePic();
      },
      1);
  tick();
  EXPECT_EQ(calls.size(), 2u);
  leaving->release();
  staying->release();
}

TEST_F(SharePicTest, ANameThatLeavesTheWritableFolderIsRefused) {
  CCreateSharePic* pic = CCreateSharePic::sharedCreateSharePic();
  EXPECT_FALSE(pic->saveScreenShotOnly("../outside", nullptr, Record(), 1));
  EXPECT_FALSE(pic->saveScreenShotOnly("", nullptr, Record(), 1));
  tick();
  ASSERT_EQ(calls.size(), 2u);
  EXPECT_FALSE(calls[0].second);
}

}  // namespace
