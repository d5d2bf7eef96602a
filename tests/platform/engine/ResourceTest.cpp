#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <ctime>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "EngineTestSupport.h"
#include "platform/os/BoundedRecord.h"
#include "platform/os/Clock.h"

using namespace cocos2d;
using enginetest::EngineTest;
namespace fs = std::filesystem;

namespace {

// A fixture with a private folder tree, search paths pointing into it and a
// private writable path.
class ResourceTest : public EngineTest {
 protected:
  void SetUp() override {
    EngineTest::SetUp();
    root = fs::temp_directory_path() /
           ("engine-" + std::to_string(::getpid()) + "-" +
            ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(root);
    fs::create_directories(root / "images");
    fs::create_directories(root / "config");
    fs::create_directories(root / "home");
    FileUtils::destroyInstance();
    files = FileUtils::getInstance();
    files->setDefaultResourceRootPath(root.string());
    files->setWritablePath((root / "home").string());
    SpriteFrameCache::destroyInstance();
    TextureCache::destroyInstance();
    UserDefault::destroyInstance();
  }
  void TearDown() override {
    SpriteFrameCache::destroyInstance();
    TextureCache::destroyInstance();
    UserDefault::destroyInstance();
    FileUtils::destroyInstance();
    SimpleAudioEngine::end();
    Log::closeFile();
    EngineTest::TearDown();
    fs::remove_all(root);
  }
  void write(const fs::path& rel, const std::string& text) {
    fs::create_directories((root / rel).parent_path());
    std::ofstream(root / rel, std::ios::binary) << text;
  }
  static std::string Png(unsigned w, unsigned h) {
    std::string d = "\x89PNG\r\n\x1a\n";
    d += std::string("\0\0\0\x0dIHDR", 8);
    for (unsigned v : {w, h})
      for (int s = 24; s >= 0; s -= 8) d += static_cast<char>((v >> s) & 0xff);
    d += std::string(13, '\0');
    return d;
  }

  fs::path root;
  FileUtils* files = nullptr;
};

const char* kSheet = R"(<?xml version="1.0" encoding="UTF-8"?>
<plist version="1.0">
<dict>
  <key>frames</key>
  <dict>
    <key>new_card_num_1_8.png</key>
    <dict>
      <key>frame</key><string>{{2,2},{40,56}}</string>
      <key>offset</key><string>{0,0}</string>
      <key>rotated</key><true/>
      <key>sourceColorRect</key><string>{{0,0},{40,56}}</string>
      <key>sourceSize</key><string>{44,60}</string>
    </dict>
    <key>fs_card_ani_0.png</key>
    <dict>
      <key>frame</key><string>{{50,2},{100,140}}</string>
      <key>offset</key><string>{0,0}</string>
      <key>rotated</key><false/>
      <key>sourceSize</key><string>{100,140}</string>
    </dict>
    <key>fs_card_ani_1.png</key>
    <dict>
      <key>frame</key><string>{{150,2},{100,140}}</string>
      <key>offset</key><string>{0,0}</string>
      <key>rotated</key><false/>
      <key>sourceSize</key><string>{100,140}</string>
    </dict>
  </dict>
  <key>metadata</key>
  <dict>
    <key>format</key><integer>2</integer>
    <key>textureFileName</key><string>cards.png</string>
    <key>size</key><string>{256,256}</string>
  </dict>
</dict>
</plist>
)";

}  // namespace

// ---------------------------------------------------------------- files

TEST_F(ResourceTest, SearchPathsAreTriedInOrderWithWindowsSeparatorsMapped) {
  write("images/a.txt", "images");
  write("config/a.txt", "config");
  write("config/b.txt", "only config");
  write("Img_Cos/c.txt", "up");
  files->addSearchPath("images", false);
  files->addSearchPath("config", false);
  files->addSearchPath("sub\\..\\Img_Cos", false);
  EXPECT_EQ(files->getSearchPaths().back(), "sub/../Img_Cos/");
  fs::create_directories(root / "sub");

  EXPECT_EQ(files->getStringFromFile("a.txt"), "images");
  EXPECT_EQ(files->getStringFromFile("b.txt"), "only config");
  EXPECT_EQ(files->getStringFromFile("c.txt"), "up");
  EXPECT_EQ(files->fullPathForFilename("missing.txt"), "");
  EXPECT_FALSE(files->isFileExist("missing.txt"));
  EXPECT_TRUE(files->isFileExist("b.txt"));

  files->addSearchPath("config", true);  // a path added in front wins
  EXPECT_EQ(files->getStringFromFile("a.txt"), "config");
}

TEST_F(ResourceTest, WritablePathIsCreatedAndWritesReplaceWholeFiles) {
  files->setWritablePath((root / "home" / "nested").string());
  const std::string w = files->getWritablePath();
  EXPECT_EQ(w.back(), '/');
  EXPECT_TRUE(fs::is_directory(w));
  const std::string path = w + "setting.conf";
  EXPECT_TRUE(files->writeStringToFile("old\n", path));
  EXPECT_TRUE(files->writeStringToFile("new\n", path));
  EXPECT_EQ(files->getStringFromFile(path), "new\n");
  EXPECT_FALSE(fs::exists(path + ".tmp"));
  EXPECT_FALSE(files->writeStringToFile("x", (root / "no-such-dir" / "f").string()));
}

TEST_F(ResourceTest, UserDefaultPersistsOnlyWhatWasFlushed) {
  UserDefault* ud = UserDefault::getInstance();
  EXPECT_FALSE(ud->getBoolForKey("TASK_GUIDE_ANI_SHOW"));
  EXPECT_EQ(ud->getIntegerForKey("DATA_SCREEN_SET_REC_LAST_DATE", 7), 7);
  ud->setBoolForKey("TASK_GUIDE_ANI_SHOW", true);
  ud->setIntegerForKey("DATA_SCREEN_SET_REC_LAST_DATE", 20240131);
  ud->setStringForKey("name & <quote>", "\"v\" <x>");
  ASSERT_TRUE(ud->flush());
  ud->setIntegerForKey("unflushed", 1);
  UserDefault::destroyInstance();

  ud = UserDefault::getInstance();
  EXPECT_TRUE(ud->getBoolForKey("TASK_GUIDE_ANI_SHOW"));
  EXPECT_EQ(ud->getIntegerForKey("DATA_SCREEN_SET_REC_LAST_DATE"), 20240131);
  EXPECT_EQ(ud->getStringForKey("name & <quote>"), "\"v\" <x>");
  EXPECT_EQ(ud->getIntegerForKey("unflushed", -1), -1);
  EXPECT_EQ(ud->getFilePath(), files->getWritablePath() + "UserDefault.xml");
}

TEST_F(ResourceTest, UserDefaultIgnoresADamagedFileAndBadNumbers) {
  write("home/UserDefault.xml", "<userDefaultRoot><entry key=\"n\">12x</entry><entry key=\"big\">99999999999</entry>");
  UserDefault* ud = UserDefault::getInstance();
  EXPECT_EQ(ud->getIntegerForKey("n", 3), 3);
  EXPECT_TRUE(Log::lines().size() >= 1);  // the damaged file was reported
  UserDefault::destroyInstance();
  write("home/UserDefault.xml",
        "<userDefaultRoot><entry key=\"n\">12x</entry><entry key=\"big\">99999999999</entry>"
        "<entry key=\"b\">maybe</entry></userDefaultRoot>");
  ud = UserDefault::getInstance();
  EXPECT_EQ(ud->getIntegerForKey("n", 3), 3);
  EXPECT_EQ(ud->getIntegerForKey("big", 4), 4);
  EXPECT_TRUE(ud->getBoolForKey("b", true));
}

// ---------------------------------------------------------------- frames and sprites

TEST_F(ResourceTest, FramesComeFromARealSheetFoundThroughTheSearchPaths) {
  write("images/cards.plist", kSheet);
  files->addSearchPath("images");
  SpriteFrameCache* cache = SpriteFrameCache::getInstance();
  EXPECT_EQ(Sprite::createWithSpriteFrameName("new_card_num_1_8.png"), nullptr);  // sheet not loaded yet
  cache->addSpriteFramesWithFile("cards.plist");
  EXPECT_TRUE(cache->isSpriteFramesWithFileLoaded("cards.plist"));
  EXPECT_EQ(cache->frameCount(), 3u);

  SpriteFrame* f = cache->getSpriteFrameByName("new_card_num_1_8.png");
  ASSERT_NE(f, nullptr);
  EXPECT_EQ(f->getRect(), Rect(2, 2, 40, 56));
  EXPECT_TRUE(f->isRotated());
  EXPECT_EQ(f->getOriginalSize(), Size(44, 60));
  EXPECT_EQ(f->getTextureFile(), (root / "images" / "cards.png").string());

  Sprite* s = Sprite::createWithSpriteFrameName("new_card_num_1_8.png");
  ASSERT_NE(s, nullptr);
  EXPECT_EQ(s->getContentSize(), Size(44, 60));
  EXPECT_EQ(s->getDisplayName(), "new_card_num_1_8.png");
  EXPECT_EQ(Sprite::createWithSpriteFrameName("new_card_num_1_9.png"), nullptr);
  EXPECT_EQ(cache->getRequestedNames(),
            (std::vector<std::string>{"new_card_num_1_8.png", "new_card_num_1_8.png", "new_card_num_1_8.png",
                                      "new_card_num_1_9.png"}));
}

TEST_F(ResourceTest, ASheetOfUnknownFormatIsRefused) {
  // Formats outside 0..3, a wild number among them, load no frames; the same
  // sheet written with format 2 as a real number loads.
  for (const char* format : {"2", "7", "-1", "1e20"}) {
    SCOPED_TRACE(format);
    std::string sheet = kSheet;
    sheet.replace(sheet.find("<integer>2</integer>"), 20, std::string("<real>") + format + "</real>");
    write("images/odd.plist", sheet);
    files->addSearchPath("images");
    SpriteFrameCache::destroyInstance();
    SpriteFrameCache* cache = SpriteFrameCache::getInstance();
    cache->addSpriteFramesWithFile("odd.plist");
    EXPECT_EQ(cache->frameCount(), std::string(format) == "2" ? 3u : 0u);
  }
}

TEST_F(ResourceTest, ManifestStandsInForAMissingSheet) {
  write("config/frame_manifest.txt",
        "# frames of sheets not shipped\n"
        "[vellddz_res_room.plist]\n"
        "room_btn_1.png 200 100\n"
        "  room name with spaces.png  12.5  8 \n"
        "broken line\n"
        "[images]\n"
        "DDZ_SmallGameBg.png 1280 720\n");
  files->addSearchPath("config");
  SpriteFrameCache* cache = SpriteFrameCache::getInstance();
  cache->addSpriteFramesWithFile("vellddz_res_room.plist");
  Sprite* s = Sprite::createWithSpriteFrameName("room_btn_1.png");
  ASSERT_NE(s, nullptr);
  EXPECT_EQ(s->getContentSize(), Size(200, 100));
  EXPECT_EQ(s->getSpriteFrame()->getTextureFile(), "");
  ASSERT_NE(cache->getSpriteFrameByName("room name with spaces.png"), nullptr);
  EXPECT_EQ(cache->getSpriteFrameByName("room name with spaces.png")->getOriginalSize(), Size(12.5f, 8));
  EXPECT_TRUE(Log::contains("frame manifest frame_manifest.txt:5: malformed line skipped"));

  // A sheet in neither place gives nothing; a standalone image comes from the list.
  cache->addSpriteFramesWithFile("nowhere.plist");
  EXPECT_FALSE(cache->isSpriteFramesWithFileLoaded("nowhere.plist"));
  Sprite* bg = Sprite::create("DDZ_SmallGameBg.png");
  ASSERT_NE(bg, nullptr);
  EXPECT_EQ(bg->getContentSize(), Size(1280, 720));
  EXPECT_EQ(Sprite::create("DDZ_SmallGame_rule.png"), nullptr);
}

TEST_F(ResourceTest, SpriteFromARealImageTakesItsPixelSize) {
  write("images/notice_bg.png", Png(572, 338));
  write("images/not_an_image.png", "hello");
  files->addSearchPath("images");
  Sprite* s = Sprite::create("notice_bg.png");
  ASSERT_NE(s, nullptr);
  EXPECT_EQ(s->getContentSize(), Size(572, 338));
  EXPECT_EQ(Sprite::create("not_an_image.png"), nullptr);
  Sprite* empty = Sprite::create();
  ASSERT_NE(empty, nullptr);
  EXPECT_EQ(empty->getContentSize(), Size(0, 0));
}

TEST_F(ResourceTest, AnimateShowsEachFrameAndRestoresTheOriginal) {
  write("images/cards.plist", kSheet);
  files->addSearchPath("images");
  SpriteFrameCache* cache = SpriteFrameCache::getInstance();
  cache->addSpriteFramesWithFile("cards.plist");
  Sprite* card = Sprite::createWithSpriteFrameName("new_card_num_1_8.png");
  scene->addChild(card);
  Vector<SpriteFrame*> frames;
  for (int i = 0; i < 2; ++i)
    frames.pushBack(cache->getSpriteFrameByName("fs_card_ani_" + std::to_string(i) + ".png"));
  Animation* anim = Animation::createWithSpriteFrames(frames, 0.04f);
  anim->setRestoreOriginalFrame(true);
  card->runAction(Animate::create(anim));
  tick(0.02f);
  EXPECT_EQ(card->getDisplayName(), "fs_card_ani_0.png");
  tick(0.04f);
  EXPECT_EQ(card->getDisplayName(), "fs_card_ani_1.png");
  tick(0.02f);
  EXPECT_EQ(card->getDisplayName(), "new_card_num_1_8.png");
}

// ---------------------------------------------------------------- labels

TEST_F(ResourceTest, LabelMetricsAreDeterministic) {
  struct Case {
    std::string text;
    float size;
    Size dims;
    Size expected;
    int lines;
  } cases[] = {
      {"abc", 20, Size::ZERO, Size(30, 25), 1},
      {"斗地主", 24, Size::ZERO, Size(72, 30), 1},
      {"a斗", 20, Size::ZERO, Size(30, 25), 1},
      {"ab\ncdef", 10, Size::ZERO, Size(20, 25), 2},
      {"hello big world", 20, Size(100, 0), Size(100, 50), 2},  // "hello big" / "world"
      {"斗地主斗地主", 20, Size(50, 40), Size(50, 40), 3},       // two characters a line
      {"\xff\xfe", 10, Size::ZERO, Size(10, 12.5f), 1},         // invalid bytes: narrow
      {"", 20, Size::ZERO, Size(0, 0), 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    Label* l = Label::createWithSystemFont(c.text, "微软雅黑", c.size, c.dims, TextHAlignment::LEFT, TextVAlignment::TOP);
    EXPECT_EQ(l->getContentSize(), c.expected);
    EXPECT_EQ(l->getStringNumLines(), c.lines);
  }
  Label* l = Label::createWithSystemFont("hello big world", "Arial", 20, Size(100, 0));
  EXPECT_EQ(l->getLines(), (std::vector<std::string>{"hello big", "world"}));
  l->setString("x");
  EXPECT_EQ(l->getContentSize(), Size(100, 25));
}

TEST_F(ResourceTest, LabelAtlasMapsCharactersToGlyphs) {
  LabelAtlas* a = LabelAtlas::create(":120", "qorvddz_result_num_fail.png", 42, 54, '0');
  EXPECT_EQ(a->getContentSize(), Size(168, 54));
  EXPECT_EQ(a->getGlyphIndices(), (std::vector<int>{10, 1, 2, 0}));  // ':' is the plus sign
  a->setString(";5");
  EXPECT_EQ(a->getContentSize(), Size(84, 54));
}

// ---------------------------------------------------------------- audio and log

TEST_F(ResourceTest, AudioEngineRecordsCallsAndKeepsState) {
  SimpleAudioEngine* audio = SimpleAudioEngine::getInstance();
  audio->playBackgroundMusic("ddzSound/bg.mp3", true);
  unsigned loop = audio->playEffect("ddzSound/rocket.mp3", true);
  audio->playEffect("ddzSound/click.mp3");
  audio->pauseBackgroundMusic();
  audio->pauseAllEffects();
  EXPECT_FALSE(audio->isBackgroundMusicPlaying());
  audio->resumeBackgroundMusic();
  audio->resumeAllEffects();
  EXPECT_TRUE(audio->isBackgroundMusicPlaying());
  EXPECT_EQ(audio->runningEffects(), 1u);
  audio->stopEffect(loop);
  EXPECT_EQ(audio->runningEffects(), 0u);
  EXPECT_EQ(audio->calls(),
            (std::vector<std::string>{"playBackgroundMusic ddzSound/bg.mp3 loop=1", "playEffect ddzSound/rocket.mp3 loop=1",
                                      "playEffect ddzSound/click.mp3 loop=0", "pauseBackgroundMusic", "pauseAllEffects",
                                      "resumeBackgroundMusic", "resumeAllEffects", "stopEffect 1"}));
}

// A session asks for sprite names and plays sounds for hours: the records
// keep the newest entries and stay bounded.
TEST_F(ResourceTest, CallRecordsOfALongSessionStayBounded) {
  SpriteFrameCache* cache = SpriteFrameCache::getInstance();
  SimpleAudioEngine* audio = SimpleAudioEngine::getInstance();
  cache->clearRequestedNames();
  audio->clearCalls();
  const std::size_t n = 3 * ddz::os::kRecordLimit + 7;
  for (std::size_t i = 0; i < n; ++i) {
    const std::string name = "frame_" + std::to_string(i);
    cache->getSpriteFrameByName(name);
    audio->playEffect(name.c_str());
  }
  for (std::size_t size : {cache->getRequestedNames().size(), audio->calls().size()}) {
    EXPECT_LE(size, ddz::os::kRecordLimit);
    EXPECT_GE(size, ddz::os::kRecordLimit / 2);
  }
  EXPECT_EQ(cache->getRequestedNames().back(), "frame_" + std::to_string(n - 1));
  EXPECT_EQ(audio->calls().back(), "playEffect frame_" + std::to_string(n - 1) + " loop=0");
  // The newest entries are whole and in order.
  const auto& names = cache->getRequestedNames();
  EXPECT_EQ(names[names.size() - 2], "frame_" + std::to_string(n - 2));
  cache->clearRequestedNames();
  audio->clearCalls();
}

TEST_F(ResourceTest, LogLinesAreRecordedAndWrittenToTheLogFile) {
  const std::string path = files->getWritablePath() + "client.log";
  // The file stamps the wall clock, not the game's clock, which a loaded
  // machine's frames leave behind it.
  static constexpr std::int64_t kWallMs = 1773496800123;
  ddz::os::ScopedWallTimeSource wall([] { return kWallMs; });
  ddz::os::Clock().Reset(5000, 1000);
  ASSERT_TRUE(Log::openFile(path));
  cocos2d::log("CallBackHandleMainSocketNetMsg:msgType[%d],[%x]", 56, 56);
  MessageBox("param error[abc][3]", " ");
  Log::closeFile();
  EXPECT_TRUE(Log::contains("CallBackHandleMainSocketNetMsg:msgType[56],[38]"));
  ASSERT_EQ(Log::messageBoxes().size(), 1u);
  EXPECT_EQ(Log::messageBoxes()[0].second, " ");
  // Each line of the file starts with the wall clock's local time.
  const std::time_t at = static_cast<std::time_t>(kWallMs / 1000);
  std::tm local{};
  ASSERT_NE(localtime_r(&at, &local), nullptr);
  char stamp[32];
  std::strftime(stamp, sizeof stamp, "%Y-%m-%d %H:%M:%S", &local);
  const std::string prefix = std::string(stamp) + ".123 ";
  EXPECT_EQ(files->getStringFromFile(path), prefix + "CallBackHandleMainSocketNetMsg:msgType[56],[38]\n" + prefix +
                                                "MessageBox [ ] param error[abc][3]\n");
}

TEST_F(ResourceTest, TheLogFileKeepsItsNewestLinesUnderItsCap) {
  const std::string path = files->getWritablePath() + "client.log";
  {
    // A file left too large by an earlier run is cut when it is opened.
    std::ofstream old(path, std::ios::trunc);
    for (int i = 0; i < 200; ++i) old << "old line " << i << "\n";
  }
  Log::setFileCap(1000);
  ASSERT_TRUE(Log::openFile(path));
  std::string text = files->getStringFromFile(path);
  EXPECT_LE(text.size(), 1000u);
  EXPECT_EQ(text.rfind("old line", 0), 0u) << "starts at a line's start";
  EXPECT_NE(text.find("old line 199\n"), std::string::npos);
  EXPECT_EQ(text.find("old line 0\n"), std::string::npos);

  for (int i = 0; i < 100; ++i) cocos2d::log("new line %d", i);
  Log::closeFile();
  Log::setFileCap(Log::kDefaultFileCap);
  text = files->getStringFromFile(path);
  EXPECT_LE(text.size(), 1000u);
  EXPECT_EQ(text.find("old line"), std::string::npos);
  EXPECT_NE(text.find("new line 99\n"), std::string::npos);
  EXPECT_EQ(text.find("new line 1\n"), std::string::npos);
  // Whole lines only, each with its time.
  std::istringstream lines(text);
  for (std::string line; std::getline(lines, line);)
    EXPECT_NE(line.find(" new line "), std::string::npos) << line;
}

// A log of gigabytes left by earlier runs: the trim reads only the newest part
// it keeps (the process's peak memory hardly grows) and puts it in place of the
// old file at once (a new file, no temporary left), so a kill mid-trim cannot
// leave a half-written log.
TEST_F(ResourceTest, TheTrimOfAHugeLogReadsOnlyItsNewestPartAndReplacesTheFileWhole) {
  const std::string path = files->getWritablePath() + "client.log";
  constexpr off_t kHuge = off_t{1} << 30;
  {
    std::ofstream old(path, std::ios::trunc);
    old << "the oldest line\n";
  }
  ASSERT_EQ(::truncate(path.c_str(), kHuge), 0);  // a hole, not a gigabyte on disk
  {
    std::ofstream tail(path, std::ios::app);
    for (int i = 0; i < 100; ++i) tail << "late line " << i << "\n";
  }
  struct stat before {};
  ASSERT_EQ(::stat(path.c_str(), &before), 0);
  rusage usage{};
  ::getrusage(RUSAGE_SELF, &usage);
  const long peakBeforeKb = usage.ru_maxrss;

  Log::setFileCap(1000);
  ASSERT_TRUE(Log::openFile(path));
  Log::closeFile();
  Log::setFileCap(Log::kDefaultFileCap);

  ::getrusage(RUSAGE_SELF, &usage);
  EXPECT_LT(usage.ru_maxrss - peakBeforeKb, 64 * 1024) << "kilobytes more at the peak";
  struct stat after {};
  ASSERT_EQ(::stat(path.c_str(), &after), 0);
  EXPECT_NE(after.st_ino, before.st_ino) << "the trim wrote into the old file";
  EXPECT_FALSE(std::filesystem::exists(path + ".tmp"));
  const std::string text = files->getStringFromFile(path);
  EXPECT_LE(text.size(), 500u);
  EXPECT_EQ(text.rfind("late line ", 0), 0u) << "starts at a line's start";
  EXPECT_NE(text.find("late line 99\n"), std::string::npos);
}

// A log that cannot be opened (here a folder of its name) is said on standard
// error; the program logs on without a file and the folder stays as it was.
TEST_F(ResourceTest, ALogThatCannotBeOpenedIsReportedAndLoggingGoesOn) {
  const std::string path = files->getWritablePath() + "client.log";
  std::filesystem::create_directories(path + "/inside");
  Log::setFileCap(64);
  testing::internal::CaptureStderr();
  EXPECT_FALSE(Log::openFile(path));
  cocos2d::log("a line after the failed open");
  const std::string said = testing::internal::GetCapturedStderr();
  Log::setFileCap(Log::kDefaultFileCap);
  EXPECT_NE(said.find("the log " + path + " cannot be opened"), std::string::npos) << said;
  EXPECT_TRUE(Log::contains("a line after the failed open"));
  EXPECT_EQ(Log::filePath(), "");
  EXPECT_TRUE(std::filesystem::is_directory(path + "/inside"));
}
