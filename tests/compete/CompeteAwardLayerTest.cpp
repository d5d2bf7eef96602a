// The award certificate: the record from the award message, the prize a rank
// earns and its one or two lines, the rank picture, the buttons by match
// kind, the date, "again" with every answer of the tournament list, and the
// picture share.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

#include "CompeteListTestSupport.h"
#include "compete/CompeteAwardLayer.h"
#include "platform/engine/ui/Widgets.h"
#include "platform/framework/CreateSharePic.h"
#include "platform/framework/SoundManage.h"
#include "platform/framework/YndCodeConvert.h"
#include "platform/gamebase/BasePT.h"
#include "platform/os/OsApiBase.h"
#include "table/GameSoundDDZ.h"

namespace {

using ddz::test::CompeteListFixture;
using ddz::test::PutText;
using ddz::test::UsableMatch;
using ddz::test::WebAnswer;

// A scene that only notes that the table was left.
class QuitScene : public GameSceneBase {
 public:
  void QuitGameView(bool) override { ++quits; }
  int quits = 0;
};

class TableView : public GameViewBase {
 public:
  explicit TableView(GameSceneBase* scene) : GameViewBase(scene, nullptr) {}
};

std::string Gbk(const std::string& utf8) { return YndCodeConvert::U2g(utf8); }

// The first 56 bytes of an award message: type 78, the award text at 28 (the
// game server's GBK bytes, as given), the rank at 48.
std::string AwardMessage(int rank, std::string_view text = "", std::size_t size = CompeteAwardLayer::kMessageBytes) {
  std::string msg(std::max<std::size_t>(size, CompeteAwardLayer::kMessageBytes), '\0');
  msg[1] = 78;
  std::memcpy(msg.data() + CompeteAwardLayer::kAwardTextOffset, text.data(),
              std::min<std::size_t>(text.size(), CompeteAwardLayer::kAwardTextSize));
  std::memcpy(msg.data() + CompeteAwardLayer::kRankOffset, &rank, 4);
  msg.resize(size);
  return msg;
}

CompeteAwardItem PrizeLine(int from, int to, const char* first, const char* second = "", const char* third = "") {
  CompeteAwardItem item;
  item.iRankFrom = from;
  item.iRankTo = to;
  PutText(item.szAwardText, first);
  PutText(item.szAwardText2, second);
  PutText(item.szAwardText3, third);
  return item;
}

class CompeteAward : public CompeteListFixture {
 protected:
  void SetUp() override {
    CompeteListFixture::SetUp();
    cocos2d::FileUtils::getInstance()->setWritablePath(dir.path() + "/");
    BasePT::g_iWindowWidth = 1280;
    BasePT::g_iWindowHeight = 720;
    SoundManage::shareSoundManage()->Reset();
    OsApiBase::shareOsApi()->Reset();
    CCreateSharePic::destorySharedCreateSharePic();
    Game()->m_vcAwards.clear();
    Game()->m_Record.iMatchKind = 1;
    tableScene = new QuitScene();
    view = new TableView(tableScene);
    scene->addChild(view);
    view->release();
    GameSceneBase::m_pGameView = view;
  }
  void TearDown() override {
    GameSceneBase::m_pGameView = nullptr;
    if (view->getParent() != nullptr) view->removeFromParent();
    CCreateSharePic::destorySharedCreateSharePic();
    Game()->m_vcAwards.clear();
    GameSoundDDZ::destroyInstance();
    CompeteListFixture::TearDown();
    tableScene->release();
  }

  static CompeteGameInfo* Game() { return CompeteGameInfo::shareCompeteGameInfo(); }

  // The certificate for rank `rank` on the table, built.
  CompeteAwardLayer* ShowAward(int rank, std::string_view text = "") {
    const std::string msg = AwardMessage(rank, text);
    return CompeteAwardLayer::Show(view, msg.data(), static_cast<int>(msg.size()));
  }
  void Step(int frames, float dt = 1.0f / 60) {
    for (int i = 0; i < frames; ++i) director->mainLoop(dt);
  }
  static std::vector<std::string> Sounds() { return SoundManage::shareSoundManage()->GetPlayedSounds(); }

  QuitScene* tableScene = nullptr;
  TableView* view = nullptr;
};

// ---------------------------------------------------------------- the record

TEST_F(CompeteAward, TheRecordTakesAtMostTheMessagesFirst56Bytes) {
  // A longer message: its bytes past 56 are not the certificate's.
  std::string longer = AwardMessage(3, Gbk("王者"), 100);
  std::memset(longer.data() + 56, 0x7f, 44);
  CompeteAwardLayer* layer = CompeteAwardLayer::create(longer.data(), static_cast<int>(longer.size()));
  EXPECT_EQ(layer->GetRank(), 3);
  EXPECT_EQ(layer->GetAwardText(), "王者");
  for (int i = 56; i < CompeteAwardLayer::kRecordSize; ++i) ASSERT_EQ(layer->GetRecord()[i], 0) << i;

  // A shorter message (a heap block of its own size, so that reading past it is caught).
  const std::string whole = AwardMessage(5, "abc");
  std::vector<char> shorter(whole.begin(), whole.begin() + 40);
  layer = CompeteAwardLayer::create(shorter.data(), static_cast<int>(shorter.size()));
  EXPECT_EQ(layer->GetAwardText(), "abc");
  EXPECT_EQ(layer->GetRank(), 0) << "the rank was not in the message";

  EXPECT_EQ(CompeteAwardLayer::create(nullptr, 56)->GetRank(), 0);
  EXPECT_EQ(CompeteAwardLayer::Show(nullptr, whole.data(), 56), nullptr);
}

TEST_F(CompeteAward, TextsAreReadWithinTheirFieldsAndEndOnAWholeCharacter) {
  struct Case {
    const char* what;
    std::string field;  // the bytes put in the field (the award text: GBK)
    std::string shown;
  };
  const std::string sai = "赛";
  std::string nine;
  for (int i = 0; i < 9; ++i) nine += sai;
  const Case cases[] = {
      {"fills the field, no terminator", Gbk(nine) + "AB", nine + "AB"},
      {"the last character cut by the field", "x" + Gbk(nine) + Gbk(sai).substr(0, 1), "x" + nine},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    ASSERT_EQ(c.field.size(), 20u);
    const std::string msg = AwardMessage(7, c.field);
    CompeteAwardLayer* layer = CompeteAwardLayer::create(msg.data(), static_cast<int>(msg.size()));
    EXPECT_EQ(layer->GetAwardText(), c.shown);
    EXPECT_EQ(layer->GetRank(), 7);
  }

  // A prize text as long as its field, its last character cut off.
  std::string prize = "a";
  for (int i = 0; i < 39; ++i) prize += "一";
  const std::string field = prize + std::string("一").substr(0, 2);
  ASSERT_EQ(field.size(), sizeof(CompeteAwardItem::szAwardText));
  CompeteAwardItem line = PrizeLine(1, 3, "");
  std::memcpy(line.szAwardText, field.data(), field.size());
  line.iPropId2 = 0x7f7f7f7f;  // the bytes after the field
  const CompeteAwardLayer::Prize chosen = CompeteAwardLayer::ChoosePrize({line}, 2);
  EXPECT_TRUE(chosen.has);
  EXPECT_EQ(chosen.joined, prize);
}

// ---------------------------------------------------------------- the prize

TEST_F(CompeteAward, ThePrizeOfTheRank) {
  // Plate 324 wide: a line wider than 291.6 goes on two lines (28 pt: a
  // Chinese character 28, an ASCII one 14 wide).
  struct Case {
    const char* what;
    int rank;
    std::vector<CompeteAwardItem> lines;
    std::string line1;  // "" and line2 "": no prize
    std::string line2;  // "-" : one line only
    float scale;
  };
  const std::vector<CompeteAwardItem> ladder = {PrizeLine(1, 1, "金杯"), PrizeLine(2, 3, "银杯"),
                                                PrizeLine(4, 10, "铜杯")};
  const Case cases[] = {
      {"rank 12 matches no line", 12, ladder, "", "", 1},
      {"the first line that holds the rank", 3, {PrizeLine(2, 3, "甲"), PrizeLine(3, 3, "乙")}, "甲", "-", 1},
      {"a second text joins the first", 2, {PrizeLine(1, 1, "冠"), PrizeLine(2, 3, "100元宝", "2张券")},
       "100元宝+2张券", "-", 1},
      {"all three texts on one line", 2, {PrizeLine(2, 3, "甲", "乙", "丙")}, "甲+乙+丙", "-", 1},
      {"too wide: the second text on its own line", 2, {PrizeLine(2, 3, "一二三四五六", "七八九十")},
       "一二三四五六", "+七八九十", 1},
      {"too wide with a third text: the first two stay together", 2,
       {PrizeLine(2, 3, "甲乙", "丙丁", "戊己庚辛壬癸子丑")}, "甲乙+丙丁", "+戊己庚辛壬癸子丑", 1},
      {"one text too wide: two lines, the second empty, scaled", 2,
       {PrizeLine(2, 3, "一二三四五六七八九十一二")}, "一二三四五六七八九十一二", "", 291.6f / 336},
      {"a matching line without a first text", 2, {PrizeLine(2, 3, "", "乙")}, "", "", 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Game()->m_vcAwards = c.lines;
    SoundManage::shareSoundManage()->ClearCalls();
    CompeteAwardLayer* layer = ShowAward(c.rank);
    const bool prize = !c.line1.empty();
    const std::string sound = std::string("ddzSound/") +
                              (prize ? CompeteAwardLayer::kSoundPrize : CompeteAwardLayer::kSoundNoPrize);
    EXPECT_EQ(Sounds(), std::vector<std::string>{sound});
    if (!prize) {
      ASSERT_NE(layer->GetNoPrizeLabel(), nullptr);
      EXPECT_EQ(layer->GetNoPrizeLabel()->getString(), GameText(CompeteAwardLayer::kTextNoPrize));
      EXPECT_EQ(layer->GetPrizePlate(), nullptr);
      EXPECT_EQ(layer->GetPrizeLabel(0), nullptr);
    } else {
      EXPECT_EQ(layer->GetNoPrizeLabel(), nullptr);
      ASSERT_NE(layer->GetPrizePlate(), nullptr);
      ASSERT_NE(layer->GetPrizeLabel(0), nullptr);
      EXPECT_EQ(layer->GetPrizeLabel(0)->getString(), c.line1);
      EXPECT_NEAR(layer->GetPrizeLabel(0)->getScale(), c.scale, 1e-4);
      if (c.line2 == "-") {
        EXPECT_EQ(layer->GetPrizeLabel(1), nullptr);
        EXPECT_FLOAT_EQ(layer->GetPrizeLabel(0)->getPositionY(), CompeteAwardLayer::kPlateHeight / 2 - 18);
      } else {
        ASSERT_NE(layer->GetPrizeLabel(1), nullptr);
        EXPECT_EQ(layer->GetPrizeLabel(1)->getString(), c.line2);
        EXPECT_NEAR(layer->GetPrizeLabel(1)->getScale(), c.scale, 1e-4);
        EXPECT_GT(layer->GetPrizeLabel(0)->getPositionY(), layer->GetPrizeLabel(1)->getPositionY());
      }
    }
    layer->removeFromParent();
  }
}

// ---------------------------------------------------------------- the rank

TEST_F(CompeteAward, TheChampionsStampLandsAfterAThirdOfASecondAndHasNoDigits) {
  CompeteAwardLayer* layer = ShowAward(1);
  EXPECT_EQ(layer->GetRankDigits(), nullptr);
  EXPECT_EQ(layer->GetRankWord(true), nullptr);
  cocos2d::Sprite* stamp = layer->GetStamp();
  ASSERT_NE(stamp, nullptr);
  EXPECT_FALSE(stamp->isVisible());
  Step(5, 0.05f);  // 0.25 s
  EXPECT_FALSE(stamp->isVisible());
  Step(2, 0.05f);  // 0.35 s
  EXPECT_TRUE(stamp->isVisible());
  Step(4, 0.05f);  // past 0.45 s
  EXPECT_FLOAT_EQ(stamp->getScale(), 1.0f);
}

TEST_F(CompeteAward, TheRanksDigitsStandBetweenTheTwoWords) {
  struct Case {
    int rank;
    float gap;
    float scale;
  };
  // Digits 64 wide each.
  const Case cases[] = {{12, 228, 1}, {100, 260, 1}, {1000, 260, 0.75f}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.rank);
    CompeteAwardLayer* layer = ShowAward(c.rank);
    EXPECT_EQ(layer->GetStamp(), nullptr);
    ASSERT_NE(layer->GetRankDigits(), nullptr);
    EXPECT_EQ(layer->GetRankDigits()->getString(), std::to_string(c.rank));
    EXPECT_FLOAT_EQ(layer->GetRankDigits()->getScale(), c.scale);
    ASSERT_NE(layer->GetRankWord(true), nullptr);
    ASSERT_NE(layer->GetRankWord(false), nullptr);
    const float digitsX = layer->GetRankDigits()->getPositionX();
    EXPECT_FLOAT_EQ(digitsX - layer->GetRankWord(true)->getPositionX(), c.gap / 2);
    EXPECT_FLOAT_EQ(layer->GetRankWord(false)->getPositionX() - digitsX, c.gap / 2);
    layer->removeFromParent();
  }
}

TEST(CompeteAwardRankGap, ByTheDigitsWidth) {
  struct Case {
    float width;
    float gap;
    float scale;
  };
  const Case cases[] = {{64, 164, 1},  {129, 229, 1},   {130, 260, 1},
                        {199, 260, 1}, {200, 260, 0.96f}, {256, 260, 0.75f}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.width);
    float scale = 0;
    EXPECT_FLOAT_EQ(CompeteAwardLayer::RankGap(c.width, &scale), c.gap);
    EXPECT_FLOAT_EQ(scale, c.scale);
  }
}

// ---------------------------------------------------------------- buttons and date

// The buttons stand on the certificate, above its lower edge, not on the
// table's bars below it.
TEST_F(CompeteAward, OnlyAMatchWithoutATimetableOffersAgainAndTheButtonsStandOnTheCertificate) {
  struct Case {
    int matchKind;
    bool again;
    float quitX, shareX;
  };
  const Case cases[] = {{1, true, 640 - 312, 640}, {2, false, 640 - 156, 640 + 156}, {3, false, 640 - 156, 640 + 156}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.matchKind);
    Game()->m_Record.iMatchKind = c.matchKind;
    CompeteAwardLayer* layer = ShowAward(4);
    ASSERT_NE(layer->GetAgainButton(), nullptr);
    ASSERT_NE(layer->GetQuitButton(), nullptr);
    ASSERT_NE(layer->GetShareButton(), nullptr);
    ASSERT_NE(layer->GetBackground(), nullptr);
    const cocos2d::Rect certificate = layer->GetBackground()->getBoundingBox();
    const float rowY = certificate.getMinY() + 64;
    EXPECT_EQ(layer->GetAgainButton()->isVisible(), c.again);
    EXPECT_EQ(layer->GetQuitButton()->getPosition(), cocos2d::Vec2(c.quitX, rowY));
    EXPECT_EQ(layer->GetShareButton()->getPosition(), cocos2d::Vec2(c.shareX, rowY));
    if (c.again) {
      EXPECT_EQ(layer->GetAgainButton()->getPosition(), cocos2d::Vec2(640 + 312, rowY));
    }
    for (cocos2d::ui::Button* button : {layer->GetAgainButton(), layer->GetQuitButton(), layer->GetShareButton()}) {
      const cocos2d::Rect box = button->getBoundingBox();
      EXPECT_GE(box.getMinY(), certificate.getMinY());
      EXPECT_LE(box.getMaxY(), certificate.getMaxY());
    }
    layer->removeFromParent();
  }
}

TEST_F(CompeteAward, QuitLeavesTheTable) {
  CompeteAwardLayer* layer = ShowAward(4);
  layer->OnClickQuit(nullptr);
  EXPECT_EQ(tableScene->quits, 1);
  EXPECT_EQ(g_bCompetePlayAgain, 0);
}

TEST_F(CompeteAward, TheDateIsTodaysOnTheClock) {
  ddz::os::Clock().Reset(0, ddz::test::LocalTime(2027, 1, 1, 0, 30));
  CompeteAwardLayer* layer = ShowAward(4);
  ASSERT_NE(layer->GetDateLabel(), nullptr);
  EXPECT_EQ(layer->GetDateLabel()->getString(), "2027/01/01");
}

// ---------------------------------------------------------------- again

TEST_F(CompeteAward, AgainByTheListsAnswer) {
  enum class End { Leave, NoFee, Confirm };
  struct Case {
    const char* what;
    int runningMatch;
    int money;
    int yuanbao;
    End end;
  };
  // The listed match 5 offers fee kinds 2 (100) and 1 (5000); the last sign-up paid kind 1.
  const Case cases[] = {
      {"the last fee can be paid again", 5, 5000, 0, End::Leave},
      {"no fee can be paid", 5, 4999, 99, End::NoFee},
      {"the match is no longer listed", 6, 9000, 0, End::NoFee},
      {"another fee is chosen", 5, 0, 100, End::Confirm},
  };
  g_vcCompeteRoomTable = {UsableMatch(5)};
  AddMatchRoom({});
  EnterList();
  RoomListLayer::shareRoomListLayer(list);
  server.SetDefaultAnswer(WebAnswer::Status(500));
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    tableScene->quits = 0;
    g_bCompetePlayAgain = 0;
    Game()->m_Record.iMatchId = c.runningMatch;
    Compete().m_iSignUpFeeType = 1;
    GameViewBase::m_GlobalInfo.iMoney = c.money;
    GameViewBase::m_GlobalInfo.iYuanBao = c.yuanbao;
    CompeteAwardLayer* layer = ShowAward(4);
    const int shown = Box()->GetShowCount();
    layer->OnClickAgain(nullptr);
    ASSERT_GE(Box()->GetShowCount(), shown + 1) << "the wait box first";
    switch (c.end) {
      case End::Leave:
        EXPECT_EQ(g_bCompetePlayAgain, 1);
        EXPECT_EQ(tableScene->quits, 1);
        break;
      case End::NoFee:
        EXPECT_EQ(Box()->GetType(), 1);
        EXPECT_EQ(Box()->GetText(), GameText(CompeteAwardLayer::kTextNoFeePayable));
        EXPECT_EQ(Box()->GetConfirmAction(), nullptr);
        EXPECT_EQ(g_bCompetePlayAgain, 0);
        EXPECT_EQ(tableScene->quits, 0);
        EXPECT_TRUE(layer->isRunning()) << "the certificate stays";
        break;
      case End::Confirm: {
        EXPECT_EQ(Box()->GetType(), 11);
        const std::string fee = ddz::FormatText(GameText(CompeteAwardLayer::kTextFeeBase + 2), 100);
        EXPECT_EQ(Box()->GetText(), ddz::FormatText(GameText(CompeteAwardLayer::kTextConfirmAgain), fee));
        EXPECT_NE(Box()->GetText().find("100"), std::string::npos);
        EXPECT_EQ(g_bCompetePlayAgain, 0) << "not before OK";
        EXPECT_EQ(tableScene->quits, 0);
        EXPECT_TRUE(Box()->PressConfirm());
        EXPECT_EQ(g_bCompetePlayAgain, 1);
        EXPECT_EQ(tableScene->quits, 1);
        break;
      }
    }
    Box()->CloseDialog();
    layer->removeFromParent();
  }
}

// "Again" and the list that comes back: the sign-up pays with the fee kind
// the question checked, whatever the fresh list would choose first.
TEST_F(CompeteAward, AgainSignsUpPayingTheFeeKindTheQuestionChecked) {
  struct Case {
    const char* what;
    int money;
    int yuanbao;
    bool confirm;  // asked with another fee
    int paid;
  };
  // Match 5 offers kind 2 (100 yuanbao) first, then kind 1 (5000 coins); the last sign-up paid coins.
  const Case cases[] = {
      {"the coins can pay again, though the yuanbao could too", 5000, 100, false, 1},
      {"the coins cannot: the yuanbao, asked", 0, 100, true, 2},
  };
  g_vcCompeteRoomTable = {UsableMatch(5)};
  AddMatchRoom({.serverId = 51});
  EnterList();
  RoomListLayer::shareRoomListLayer(list);
  server.SetDefaultAnswer(WebAnswer::Status(500));
  Game()->m_Record.iMatchId = 5;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    g_iCompeteEnterMode = 0;
    Compete().m_iSignUpFeeType = 1;
    GameViewBase::m_GlobalInfo.iMoney = c.money;
    GameViewBase::m_GlobalInfo.iYuanBao = c.yuanbao;
    CompeteAwardLayer* layer = ShowAward(4);
    layer->OnClickAgain(nullptr);
    if (c.confirm) {
      EXPECT_TRUE(Box()->PressConfirm());
    }
    ASSERT_EQ(g_bCompetePlayAgain, 1);
    Box()->CloseDialog();
    layer->removeFromParent();

    // The table has gone; the list comes back on the stage.
    list->retain();
    list->removeFromParent();
    scene->addChild(list);
    list->release();
    EXPECT_EQ(g_iCompeteEnterMode, 1) << "signed up again";
    EXPECT_EQ(Compete().m_iSignUpFeeType, c.paid);
    EXPECT_EQ(list->GetCompeteRooms().front().m_iFeeType, c.paid);
  }
}

// ---------------------------------------------------------------- share

class CompeteAwardShare : public CompeteAward {
 protected:
  void SetUp() override {
    CompeteAward::SetUp();
    std::ofstream(dir.file(CompeteAwardLayer::kVacFile)) << "[vac_info]\nwx_appid = wx-test-id\n"
                                                         << "[vac_test_info]\nwx_appid = wx-other\n";
    ddz::ClearConfCache();
    GameViewBase::m_GlobalInfo.iUserID = 4321;
    std::strcpy(GameViewBase::m_GlobalInfo.szUserName, "player1");
  }
  static const std::vector<PictureShareCall>& Shares() { return OsApiBase::shareOsApi()->PictureShares(); }
};

TEST_F(CompeteAwardShare, AFinishedPictureGoesToThePictureShare) {
  CompeteAwardLayer* layer = ShowAward(4);
  layer->OnClickShare(nullptr);
  EXPECT_TRUE(Shares().empty()) << "the picture is done on a later frame";
  Step(2);
  PictureShareCall expected;
  expected.path = dir.path() + "/ddzcompete_wechat_friends_share.jpg";
  expected.appId = "wx-test-id";
  expected.userName = "player1";
  expected.userId = 4321;
  expected.arg1 = 65;
  expected.arg2 = 46;
  EXPECT_EQ(Shares(), std::vector<PictureShareCall>{expected});
  EXPECT_TRUE(std::ifstream(expected.path).good());
}

TEST_F(CompeteAwardShare, PressedTwiceOnlyTheSecondPictureIsShared) {
  CompeteAwardLayer* layer = ShowAward(4);
  layer->OnClickShare(nullptr);
  layer->OnClickShare(nullptr);
  EXPECT_EQ(CCreateSharePic::sharedCreateSharePic()->PendingCallBacks(), 1);
  Step(3);
  EXPECT_EQ(Shares().size(), 1u);
}

TEST_F(CompeteAwardShare, APictureFinishingAfterTheCertificateLeftCallsNothing) {
  CompeteAwardLayer* layer = ShowAward(4);
  layer->OnClickShare(nullptr);
  layer->removeFromParent();
  Step(3);
  EXPECT_TRUE(Shares().empty());
  EXPECT_FALSE(cocos2d::Log::contains(" CallBackCreatePic :name[ddzcompete_wechat_friends_share] isOK[1]"));
}

TEST_F(CompeteAwardShare, AFailedPictureIsOnlyLogged) {
  CompeteAwardLayer* layer = ShowAward(4);
  layer->CallBackCreatePic(CompeteAwardLayer::kSharePicName, false);
  EXPECT_TRUE(Shares().empty());
  EXPECT_TRUE(cocos2d::Log::contains(" CallBackCreatePic :name[ddzcompete_wechat_friends_share] isOK[0]"));
  EXPECT_TRUE(layer->isRunning());
}

TEST(CompeteAwardVacFile, TheShippedFileHasBothSectionsWithEmptyIds) {
  const auto saved = cocos2d::FileUtils::getInstance()->getSearchPaths();
  cocos2d::FileUtils::getInstance()->setSearchPaths({std::string(DDZ_SOURCE_DIR) + "/data"});
  ddz::ClearConfCache();
  for (const char* section : {"vac_info", "vac_test_info"}) {
    SCOPED_TRACE(section);
    std::string id = "unset";
    EXPECT_EQ(GetConfValue(id, CompeteAwardLayer::kVacAppIdKey, CompeteAwardLayer::kVacFile, section, "unset"), 0);
    EXPECT_EQ(id, "");
  }
  cocos2d::FileUtils::getInstance()->setSearchPaths(saved);
  ddz::ClearConfCache();
}

}  // namespace
