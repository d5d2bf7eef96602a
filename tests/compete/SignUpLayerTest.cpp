// The sign-up dialog: its opening from a list row, the countdown, the player
// and fee rows, the prize, the details page's award rows and rules, the
// outside touches, the sign-up button and the openings one after another.
#include <gtest/gtest.h>

#include "SignUpTestSupport.h"
#include "gamedata/DdzCompete.h"
#include "platform/engine/Layer.h"
#include "platform/engine/Sprite.h"
#include "platform/engine/ui/Widgets.h"
#include "support/LocalTime.h"

namespace {

using cocos2d::Vec2;
using ddz::test::CollectLabels;
using ddz::test::CountChildren;
using ddz::test::FoundLabel;
using ddz::test::LabelTexts;
using ddz::test::LocalTime;
using ddz::test::PutText;
using ddz::test::SignUpFixture;
using ddz::test::UsableMatch;

class SignUpDialog : public SignUpFixture {};

// ---------------------------------------------------------------- the sign-up page

TEST_F(SignUpDialog, ARowOpensTheDialogOfItsMatchOnTheListWithTheSignUpPage) {
  CompeteMatchRecord a = UsableMatch(5);
  CompeteMatchRecord b = UsableMatch(6);
  PutText(b.szMatchName, "第二场");
  ListOf({a, b});
  SignUpLayer* dialog = TouchRow(1);
  ASSERT_EQ(dialog->getParent(), list);
  EXPECT_EQ(dialog->getLocalZOrder(), CompeteRoomListLayer::kZSignUp);
  EXPECT_EQ(dialog->GetRoom(), &list->GetCompeteRooms()[1]);
  EXPECT_EQ(dialog->GetCard(), list->GetRoomItems()[1]);
  EXPECT_EQ(dialog->GetPage(), SignUpLayer::kPageSignUp);
  EXPECT_EQ(LabelTexts(dialog->GetTitleBar()), std::vector<std::string>{"第二场"});
  EXPECT_EQ(dialog->GetWindow()->getPosition(), Vec2(640, 326));
  EXPECT_EQ(dialog->GetTitleBar()->getPosition(), Vec2(640, 612));
  EXPECT_EQ(dialog->GetWindow()->getContentSize(), cocos2d::Size(974, 498));
  ASSERT_NE(dialog->GetSignUpButton(), nullptr);
  EXPECT_EQ(dialog->GetSignUpButton()->getExtraAboveImage(), "ddzbs_btn_yellow02_bm.png");
}

TEST_F(SignUpDialog, TheCountdownOnTheSteppedClock) {
  const std::int64_t first = LocalTime(2026, 3, 14, 10);  // every 30 minutes, 10 of them to sign up
  struct Case {
    const char* what;
    int kind;
    int startHour;
    int hours;
    int interval;
    std::int64_t serverNow;
    int seconds;  // stepped after the opening
    int caption;
    std::string value;
  };
  const Case cases[] = {
      {"one second before the next start", 2, 0, 24, 30, first - 1, 0, 419, "00:00:01"},
      {"at the start: the whole sign-up window", 2, 0, 24, 30, first - 1, 1, 418, "00:10:00"},
      {"counting down in the window", 2, 0, 24, 30, first, 125, 418, "00:07:55"},
      {"the window's last second", 2, 0, 24, 30, first + 599, 1, 418, "00:00:00"},
      {"after the window: to the next start", 2, 0, 24, 30, first + 600, 1, 419, "00:19:59"},
      {"the next start outside the hours", 2, 22, 4, 30, first, 3, 431, "22:00-02:00"},
      {"no timetable", 1, 8, 10, 30, first, 0, 431, "08:00-18:00"},
      {"no timetable, open all day", 1, 0, 24, 30, first, 0, 431, "0:00 ~ 24:00"},
      {"an interval of 0", 2, 8, 10, 0, first, 2, 431, "08:00-18:00"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    CompeteMatchRecord record = UsableMatch(5);
    record.iMatchKind = c.kind;
    record.iIntervalMinutes = c.interval;
    SyncServer(c.serverNow);
    SignUpLayer* dialog = OpenFor(record, c.startHour, c.hours);
    for (int s = 0; s < c.seconds; ++s) director->mainLoop(1.0f);
    EXPECT_EQ(dialog->GetTimeCaption()->getString(), GameText(c.caption));
    EXPECT_EQ(dialog->GetTimeValue()->getString(), c.value);
    Leave();
  }
}

TEST_F(SignUpDialog, ThePlayerRowAndTheSignedUpCount) {
  struct Case {
    int kind;
    int firstPlayers;
    int lastPlayers;
    int signUps;
    std::string players;
    std::string signedUp;  // "" for no label
  };
  const Case cases[] = {
      {1, 10, 20, 0, ddz::FormatText(GameText(413), 20), ""},
      {2, 30, 30, 17, ddz::FormatText(GameText(413), 30), ddz::FormatText(GameText(437), 120)},
      {2, 10, 20, 1, ddz::FormatText(GameText(436), 10, 20), ddz::FormatText(GameText(437), 7)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.players);
    CompeteMatchRecord record = UsableMatch(5);
    record.iMatchKind = c.kind;
    record.iFirstPlayers = c.firstPlayers;
    record.iLastPlayers = c.lastPlayers;
    record.iSignUpNum = c.signUps;
    SignUpLayer* dialog = OpenFor(record);
    EXPECT_EQ(dialog->GetPlayerValue()->getString(), c.players);
    EXPECT_EQ(dialog->GetSignUpNumLabel() != nullptr ? dialog->GetSignUpNumLabel()->getString() : "", c.signedUp);
    Leave();
  }
}

TEST_F(SignUpDialog, TheFirstPrizeOrThePlaceholder) {
  struct Case {
    const char* what;
    const char* frame;  // the first prize line's picture; null: no prize line
    const char* shown;
    std::vector<std::string> texts;
  };
  const Case cases[] = {
      {"a known picture", "ddzcompete_prize_jinbi.png", "ddzcompete_prize_jinbi.png", {"100金币"}},
      {"an unknown picture", "no_such_frame.png", RoomInfoItem::kPrizePlaceholder, {"100金币"}},
      {"no picture name", "", RoomInfoItem::kPrizePlaceholder, {"100金币"}},
      {"no prize line", nullptr, RoomInfoItem::kPrizePlaceholder, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    ListOf({UsableMatch(5)});
    CompeteRoomInfo& room = list->GetCompeteRooms()[0];
    if (c.frame == nullptr) {
      room.m_vcAwards.clear();
    } else {
      room.m_vcAwards.resize(1);
      PutText(room.m_vcAwards[0].szUnit, c.frame);
      PutText(room.m_vcAwards[0].szAwardText, "100金币");
    }
    SignUpLayer* dialog = TouchRow(0);
    ASSERT_NE(dialog->GetPrizeFrame(), nullptr);
    const cocos2d::Size frame = dialog->GetPrizeFrame()->getContentSize();
    cocos2d::Sprite* picture = nullptr;
    for (cocos2d::Node* child : dialog->GetPrizeFrame()->getChildren())
      if (auto* s = dynamic_cast<cocos2d::Sprite*>(child)) picture = s;
    ASSERT_NE(picture, nullptr);
    EXPECT_EQ(picture->getSpriteFrame()->getName(), c.shown);
    EXPECT_EQ(picture->getPosition(), Vec2(frame.width / 2, frame.height / 2));
    EXPECT_EQ(LabelTexts(dialog->GetPrizeFrame()), c.texts);
    Leave();
  }
}

// ---------------------------------------------------------------- the details page

TEST_F(SignUpDialog, AwardRowsJoinTheirTextsAndShrinkToTheirWidth) {
  ListOf({UsableMatch(5)});
  CompeteRoomInfo& room = list->GetCompeteRooms()[0];
  room.m_vcAwards.assign(3, CompeteAwardItem{});
  room.m_vcAwards[0].iRankFrom = room.m_vcAwards[0].iRankTo = 1;
  PutText(room.m_vcAwards[0].szAwardText, "100金币");
  PutText(room.m_vcAwards[0].szAwardText2, "1记牌器");
  PutText(room.m_vcAwards[0].szAwardText3, "2礼券");
  room.m_vcAwards[1].iRankFrom = 2;
  room.m_vcAwards[1].iRankTo = 3;
  PutText(room.m_vcAwards[1].szAwardText, "50金币");
  room.m_vcAwards[2].iRankFrom = 4;
  room.m_vcAwards[2].iRankTo = 10;
  PutText(room.m_vcAwards[2].szAwardText, std::string(40, 'W'));
  PutText(room.m_vcAwards[2].szAwardText3, "3双倍卡");
  SignUpLayer* dialog = TouchRow(0);
  dialog->ShowDetailPanel(nullptr);

  EXPECT_EQ(dialog->GetPage(), SignUpLayer::kPageDetail);
  EXPECT_EQ(LabelTexts(dialog->GetTitleBar()), std::vector<std::string>{GameText(438)});
  EXPECT_EQ(dialog->GetPrizeFrame(), nullptr);
  EXPECT_EQ(dialog->GetFeeEntry(), nullptr);
  EXPECT_EQ(dialog->GetTabMarker()->getPosition(), Vec2(136, 436));
  EXPECT_FALSE(dialog->GetAwardTab()->isTouchEnabled());
  EXPECT_TRUE(dialog->GetRuleTab()->isTouchEnabled());

  auto* awards = dynamic_cast<cocos2d::ui::ListView*>(dialog->GetContentNode()->getChildren().at(0));
  ASSERT_NE(awards, nullptr);
  ASSERT_EQ(awards->getItems().size(), 3u);
  const std::vector<std::vector<std::string>> rows = {
      {ddz::FormatText(GameText(303), 1), "100金币+1记牌器+2礼券"},
      {ddz::FormatText(GameText(304), 2, 3), "50金币"},
      {ddz::FormatText(GameText(304), 4, 10), std::string(40, 'W') + "+3双倍卡"},
  };
  for (std::size_t i = 0; i < rows.size(); ++i) {
    SCOPED_TRACE(i);
    cocos2d::ui::Widget* item = awards->getItem(i);
    EXPECT_TRUE(item->isTouchEnabled());
    std::vector<FoundLabel> labels;
    CollectLabels(item, labels);
    ASSERT_EQ(labels.size(), 2u);
    EXPECT_EQ(labels[0].text, rows[i][0]);
    EXPECT_EQ(labels[1].text, rows[i][1]);
    const float shown = labels[1].label->getContentSize().width * labels[1].label->getScaleX();
    EXPECT_LE(shown, SignUpLayer::kAwardTextWidth + 0.01f);
    if (i == 2) {
      EXPECT_FLOAT_EQ(shown, SignUpLayer::kAwardTextWidth) << "the wide row is scaled to 450";
    } else {
      EXPECT_EQ(labels[1].label->getScaleX(), 1.0f);
    }
    // Stripes on rows 0 and 2, each over its own row.
    std::vector<cocos2d::ui::Scale9Sprite*> stripes;
    for (cocos2d::Node* child : item->getChildren().at(0)->getChildren())
      if (auto* s = dynamic_cast<cocos2d::ui::Scale9Sprite*>(child)) stripes.push_back(s);
    ASSERT_EQ(stripes.size(), i % 2 == 0 ? 1u : 0u);
    if (!stripes.empty()) {
      EXPECT_EQ(stripes[0]->getBoundingBox(), cocos2d::Rect(0, 0, 710, 60)) << "the stripe lies on its row";
    }
  }
}

TEST_F(SignUpDialog, TheRulesPageWithAndWithoutAStageList) {
  struct Case {
    const char* what;
    bool stages;
    int kind;
    int freePerDay;
    // Section titles and their heights, from the top.
    std::vector<std::pair<std::string, float>> titles;
    std::vector<std::string> lastLines;  // lines of the last section, lowest first
  };
  const Case cases[] = {
      {"stages, free entries and a kind-2 match",
       true,
       2,
       3,
       {{GameText(308), 462}, {GameText(311), 302}, {GameText(411), 142}},
       {ddz::FormatText(GameText(412), 3), ddz::FormatText(GameText(424), 10, 64)}},
      {"no stage list",
       false,
       2,
       0,
       {{GameText(311), 462}, {GameText(411), 302}},
       {ddz::FormatText(GameText(424), 10, 64)}},
      {"nothing for the last section", true, 1, 0, {{GameText(308), 462}, {GameText(311), 302}}, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    CompeteMatchRecord record = UsableMatch(5);
    record.iMatchKind = c.kind;
    record.iFreePerDay = c.freePerDay;
    record.iLastPlayers = 64;
    ListOf({record});
    if (!c.stages) list->GetCompeteRooms()[0].m_vcStages.clear();
    SignUpLayer* dialog = TouchRow(0);
    dialog->ShowDetailPanel(nullptr);
    dialog->ShowRulePage(nullptr);
    EXPECT_EQ(dialog->GetTabMarker()->getPosition(), Vec2(136, 336));
    EXPECT_FALSE(dialog->GetRuleTab()->isTouchEnabled());
    EXPECT_TRUE(dialog->GetAwardTab()->isTouchEnabled());

    std::vector<std::pair<std::string, float>> titles;
    cocos2d::Node* lastBox = nullptr;
    for (cocos2d::Node* child : dialog->GetContentNode()->getChildren()) {
      if (auto* label = dynamic_cast<cocos2d::Label*>(child)) {
        titles.emplace_back(label->getString(), label->getPositionY());
        EXPECT_EQ(label->getPositionX(), 336);
      }
      if (dynamic_cast<cocos2d::ui::Scale9Sprite*>(child) != nullptr) lastBox = child;
    }
    EXPECT_EQ(titles, c.titles);
    ASSERT_NE(lastBox, nullptr);
    if (!c.lastLines.empty()) {
      EXPECT_EQ(lastBox->getContentSize().height, 54.0f * static_cast<float>(c.lastLines.size()));
      EXPECT_EQ(lastBox->getPosition(), Vec2(620, c.titles.back().second - 18));
      std::vector<FoundLabel> lines;
      CollectLabels(lastBox, lines);
      ASSERT_EQ(lines.size(), c.lastLines.size());
      for (std::size_t k = 0; k < lines.size(); ++k) {
        EXPECT_EQ(lines[k].text, c.lastLines[k]);
        EXPECT_EQ(lines[k].at.y, 30 + 54.0f * static_cast<float>(k));
      }
    }
    Leave();
  }
}

// ---------------------------------------------------------------- touches

TEST_F(SignUpDialog, OutsideTouchesGoBackFromTheDetailsAndCloseFromTheSignUpPage) {
  ListOf({UsableMatch(5)});
  SignUpLayer* dialog = TouchRow(0);
  const Vec2 outside(60, 40);
  const Vec2 onWindow(640, 200);
  Tap(onWindow);
  Frames(1);
  EXPECT_EQ(dialog->getParent(), list) << "a touch on the window leaves it open";

  dialog->ShowDetailPanel(nullptr);
  Tap(outside);
  EXPECT_EQ(dialog->GetPage(), SignUpLayer::kPageSignUp) << "back to the sign-up page";
  Frames(1);
  EXPECT_EQ(dialog->getParent(), list);

  Tap(outside);
  EXPECT_EQ(dialog->getParent(), list) << "the removal waits for the frame";
  Frames(1);
  EXPECT_EQ(dialog->getParent(), nullptr);
  EXPECT_EQ(dialog->GetRoom(), nullptr) << "the match is forgotten";
}

TEST_F(SignUpDialog, ATouchOnThePrizeFrameOpensTheDetailsMeasuredInTheWindow) {
  // The window's origin lies at (153, 77); the frame covers (52..432, 68..468) of it.
  struct Case {
    Vec2 at;
    bool details;
  };
  const Case cases[] = {
      {{395, 345}, true},   // the frame's centre
      {{560, 520}, true},   // near its top right corner
      {{180, 100}, false},  // the window's own corner, below and left of the frame
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.at.x);
    SignUpLayer* dialog = OpenFor(UsableMatch(5));
    Tap(c.at);
    EXPECT_EQ(dialog->GetPage(), c.details ? SignUpLayer::kPageDetail : SignUpLayer::kPageSignUp);
    Frames(1);
    EXPECT_EQ(dialog->getParent(), list);
    Leave();
  }
}

TEST_F(SignUpDialog, TheListBelowGetsNoTouchWhileTheDialogIsUp) {
  GameViewBase::m_GlobalInfo.iYuanBao = 100;  // the card's road would enter the match
  ListOf({UsableMatch(5)});
  const Vec2 cardButton = WorldOf(list->GetRoomItems()[0]->GetSignUpButton());
  SignUpLayer* dialog = TouchRow(0);
  Press(cardButton);
  Release(cardButton);
  EXPECT_EQ(g_iCompeteEnterMode, 0) << "the card's button stayed untouched";
  Frames(1);
  EXPECT_EQ(dialog->getParent(), list) << "the card lies under the window";
}

TEST_F(SignUpDialog, TheSignUpButtonRunsTheCardsRoadAndTheDialogStays) {
  server.SetDefaultAnswer(ddz::test::WebAnswer::Status(500));  // the road's refresh fails; it goes on
  GameViewBase::m_GlobalInfo.iYuanBao = 100;
  SignUpLayer* dialog = OpenFor(UsableMatch(5));
  Tap(WorldOf(dialog->GetSignUpButton()));
  EXPECT_EQ(g_iCompeteEnterMode, 1);
  EXPECT_EQ(Compete().m_iSignUpFeeType, 2);
  EXPECT_EQ(GameViewBase::m_GlobalInfo.iServerID, 41);
  Frames(1);
  EXPECT_EQ(dialog->getParent(), list);
}

TEST_F(SignUpDialog, TheCloseButtonGoesBackFromTheDetailsThenCloses) {
  SignUpLayer* dialog = OpenFor(UsableMatch(5));
  dialog->ShowDetailPanel(nullptr);
  dialog->OnClickClose(nullptr);
  EXPECT_EQ(dialog->GetPage(), SignUpLayer::kPageSignUp);
  Frames(1);
  EXPECT_EQ(dialog->getParent(), list);
  dialog->OnClickClose(nullptr);
  Frames(1);
  EXPECT_EQ(dialog->getParent(), nullptr);
}

// ---------------------------------------------------------------- openings

TEST_F(SignUpDialog, TenOpeningsOnDifferentMatchesShowOneOfEachPieceEachTime) {
  std::vector<CompeteMatchRecord> records;
  for (int id : {5, 6, 7}) {
    records.push_back(UsableMatch(id));
    PutText(records.back().szMatchName, "赛" + std::to_string(id));
    records.back().iMatchKind = 2;
  }
  ListOf(records);
  for (int i = 0; i < 10; ++i) {
    SCOPED_TRACE(i);
    const int row = i % 3;
    SignUpLayer* dialog = TouchRow(row);
    if (i % 2 == 1) dialog->ShowDetailPanel(nullptr);
    Frames(2);
    ASSERT_EQ(dialog->getParent(), list);
    EXPECT_EQ(CountChildren<cocos2d::LayerColor>(dialog), 1);
    EXPECT_EQ(dialog->getChildrenCount(), 3u) << "the dimming layer, the title bar and the window";
    EXPECT_EQ(LabelTexts(dialog->GetTitleBar()).front(), i % 2 == 1 ? GameText(438) : "赛" + std::to_string(5 + row));
    EXPECT_EQ(dialog->GetRoom(), &list->GetCompeteRooms()[static_cast<std::size_t>(row)]);
    if (i % 3 == 2) {
      dialog->OnClickClose(nullptr);  // closed from the details (back) or the sign-up page
      dialog->OnClickClose(nullptr);
      Frames(1);
      EXPECT_EQ(dialog->getParent(), nullptr);
    }
  }
}

TEST_F(SignUpDialog, AListThatLeavesAndComesBackClosesItsDialog) {
  CompeteMatchRecord record = UsableMatch(5);
  record.iMatchKind = 2;
  SignUpLayer* dialog = OpenFor(record);
  list->retain();
  list->removeFromParent();  // the list rebuilds its matches as it comes back
  scene->addChild(list);
  list->release();
  Frames(3);  // the countdown would read the old match
  EXPECT_EQ(dialog->getParent(), nullptr);
  EXPECT_EQ(dialog->GetRoom(), nullptr);
  TouchRow(0);
  EXPECT_EQ(dialog->GetRoom(), &list->GetCompeteRooms()[0]) << "a new opening shows the new match";
}

}  // namespace
