// The backpack: the prop catalogue file, the grid from the game base's prop
// records, the expiry tick, the tooltip's texts, rows and anchors.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

#include "classic/DDZPackLayer.h"
#include "classic/DDZPropTip.h"
#include "platform/engine/cocos2d.h"
#include "platform/framework/YndConf.h"
#include "platform/gamebase/GameViewBase.h"
#include "support/Stage.h"
#include "support/TempDir.h"

namespace {

using cocos2d::Label;
using cocos2d::Vec2;

class PackLayerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const ddz::test::Stage stage = ddz::test::ResetStage(true);
    director = stage.director;
    scene = stage.scene;
    window = stage.view;
    savedPaths = cocos2d::FileUtils::getInstance()->getSearchPaths();
    cocos2d::FileUtils::getInstance()->setSearchPaths({dir.path(), std::string(DDZ_SOURCE_DIR) + "/data"});
    cocos2d::SpriteFrameCache::getInstance()->addSpriteFramesWithFile("qorvddzpc_all_res.plist");
    GameViewBase::m_GlobalInfo = GlobalInfo();
    DDZPackLayer::GetStaticPropMap().clear();
    DDZPackLayer::LoadPropConf(DDZPackLayer::kPropConfFile);
    pack = DDZPackLayer::create();
    pack->retain();  // as the bottom bar keeps it
  }
  void TearDown() override {
    director->reset();
    pack->release();
    DDZPackLayer::GetStaticPropMap().clear();
    GameViewBase::m_GlobalInfo = GlobalInfo();
    cocos2d::FileUtils::getInstance()->setSearchPaths(savedPaths);
  }

  void Open() {
    if (pack->getParent() == nullptr) scene->addChild(pack);
    pack->ShowPack();
  }
  void tick(int frames = 1, float dt = 1.0f / 60) {
    for (int i = 0; i < frames; ++i) director->mainLoop(dt);
  }
  // The point of cell i's centre in the layer.
  Vec2 CellCentre(int i) const {
    const cocos2d::Rect& r = pack->GetCellRects()[i];
    return pack->convertToNodeSpace(pack->GetPanel()->convertToWorldSpace(
        Vec2(r.origin.x + r.size.width / 2, r.origin.y + r.size.height / 2)));
  }
  int Cells() const {
    int n = 0;
    for (int i = 0; i < DDZPackLayer::kCellCount; ++i) n += pack->GetCell(i) != nullptr;
    return n;
  }
  // Every label text of the tip, top row first.
  std::vector<std::string> TipTexts() const {
    std::vector<std::pair<float, std::string>> rows;
    for (cocos2d::Node* child : pack->GetTip()->getChildren())
      if (auto* label = dynamic_cast<Label*>(child)) rows.emplace_back(-label->getPositionY(), label->getString());
    std::stable_sort(rows.begin(), rows.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    std::vector<std::string> texts;
    for (const auto& r : rows) texts.push_back(r.second);
    return texts;
  }

  ddz::test::TempDir dir;
  cocos2d::Director* director = nullptr;
  cocos2d::Scene* scene = nullptr;
  cocos2d::GLView* window = nullptr;
  std::vector<std::string> savedPaths;
  DDZPackLayer* pack = nullptr;
};

// ---------------------------------------------------------------- catalogue

TEST_F(PackLayerTest, TheCatalogueEndsAtTheFirstGapAndTheFirstEntryOfAnIdWins) {
  std::ofstream(dir.file("props.conf")) << "[1]\nprop_id = 10\nprop_name = first\n"
                                           "[2]\nprop_id = 11\n"
                                           "[3]\nprop_id = 10\nprop_name = second\n"
                                           "[4]\nprop_id = 12\n"
                                           "[5]\nprop_id = 13\nprop_description = a|b\n"
                                           "[7]\nprop_id = 14\n";
  DDZPackLayer::GetStaticPropMap().clear();
  DDZPackLayer::LoadPropConf("props.conf");
  const auto& catalogue = DDZPackLayer::GetStaticPropMap();
  ASSERT_EQ(catalogue.size(), 4u);  // 10, 11, 12, 13; section 7 is after the gap
  EXPECT_EQ(catalogue.at(10).strName, "first");
  EXPECT_EQ(catalogue.at(13).strDescription, "a|b");
  EXPECT_EQ(catalogue.count(14), 0u);
}

TEST_F(PackLayerTest, AnOverLongTextIsCutAtACharacterBoundary) {
  std::string name;
  for (int i = 0; i < 200; ++i) name += "道";  // 600 bytes
  std::ofstream(dir.file("long.conf")) << "[1]\nprop_id = 3\nprop_name = " << name << "\n";
  DDZPackLayer::GetStaticPropMap().clear();
  DDZPackLayer::LoadPropConf("long.conf");
  const std::string& kept = DDZPackLayer::GetStaticPropMap().at(3).strName;
  EXPECT_LT(kept.size(), 400u);
  EXPECT_EQ(kept.size() % 3, 0u);
  EXPECT_EQ(kept, name.substr(0, kept.size()));
}

TEST_F(PackLayerTest, TheShippedCatalogueHasItsPropsAndCaptions) {
  const auto& catalogue = DDZPackLayer::GetStaticPropMap();
  for (int id : {1, 2, 4, 5, 6}) EXPECT_EQ(catalogue.count(id), 1u) << id;
  Open();
  EXPECT_STREQ(pack->GetTip()->m_szDelimiter, "|");
  EXPECT_STREQ(pack->GetTip()->m_szLableName, "名称：");
}

// ---------------------------------------------------------------- grid

TEST_F(PackLayerTest, TwentyRecordsShowSixteenCellsAndFewerRemoveTheLastCells) {
  for (int i = 0; i < 20; ++i) pack->AddUserProp(100 + i, i + 1, 0, 0, false);
  Open();
  EXPECT_EQ(Cells(), 16);
  EXPECT_EQ(pack->GetCell(15)->GetShownPropId(), 115);
  EXPECT_EQ(pack->GetCell(5)->getPosition(), Vec2(9 + 61 * 1, 206 - 61 * 1));
  for (int i = 19; i >= 10; --i) pack->DeleteUserProp(100 + i, 100);
  EXPECT_EQ(Cells(), 10);
  EXPECT_EQ(pack->GetCell(10), nullptr);
  EXPECT_EQ(pack->GetCell(9)->GetShownPropId(), 109);
}

// An empty backpack says so in a line across its panel (the catalogue file's
// words); the first prop takes the line away, and it comes back when the
// last goes. The panel's title adds to its top only.
TEST_F(PackLayerTest, AnEmptyBackpackSaysSo) {
  Open();
  Label* line = pack->GetEmptyLine();
  ASSERT_NE(line, nullptr);
  EXPECT_TRUE(line->isVisible());
  char words[200] = {};
  GetValueStr(words, sizeof words, "prop_lable_empty", DDZPackLayer::kPropConfFile, "prop_lable", "");
  ASSERT_STRNE(words, "");
  EXPECT_EQ(line->getString(), words);
  EXPECT_EQ(line->getParent(), pack->GetPanel());
  EXPECT_LE(line->getContentSize().width, pack->GetPanel()->getContentSize().width);
  pack->AddUserProp(100, 1, 0, 0, true);
  EXPECT_FALSE(line->isVisible());
  pack->DeleteUserProp(100, 1);
  EXPECT_TRUE(line->isVisible());
  // The title grows the panel upwards: its foot stays clear of the bottom
  // bar's buttons, 136 below the panel's place as for a frame without one.
  EXPECT_NEAR(pack->GetPanel()->getBoundingBox().getMinY(), pack->m_ptPackBg.y - 136, 0.5f);
}

TEST_F(PackLayerTest, TheCurrenciesShowTheLoginRecordsAmounts) {
  GlobalInfo& g = GameViewBase::m_GlobalInfo;
  g.iYuanBao = 30;
  g.iYuanBaoNextYear = 12;
  g.iProp2Amount = 5;
  g.iProp2NextYear = 2;
  g.iMoney = 9000;
  for (int id : {1, 2, 4, 5}) pack->AddUserProp(id, 1, 0, 0, false);
  Open();
  EXPECT_EQ(pack->GetCell(0)->GetCountLabel()->getString(), "42");
  EXPECT_EQ(pack->GetCell(1)->GetCountLabel()->getString(), "7");
  EXPECT_EQ(pack->GetCell(2)->GetCountLabel()->getString(), "9000");
  EXPECT_EQ(pack->GetCell(3)->GetCountLabel()->getString(), "1");
}

TEST_F(PackLayerTest, APropWithoutAnIconFrameShowsAnEmptyCellWithItsCount) {
  pack->AddUserProp(777, 3, 0, 0, false);
  Open();
  DDZPropItem* cell = pack->GetCell(0);
  ASSERT_NE(cell, nullptr);
  ASSERT_NE(cell->GetIcon(), nullptr);
  EXPECT_EQ(cell->GetIcon()->getSpriteFrame(), nullptr);
  EXPECT_EQ(cell->GetCountLabel()->getString(), "3");
}

TEST_F(PackLayerTest, ReopeningKeepsThePanelAndLeavingTheStageBuildsItAnew) {
  pack->AddUserProp(5, 1, 0, 0, false);
  Open();
  cocos2d::Sprite* panel = pack->GetPanel();
  window->touchBegan(10, 10);  // outside the panel: closes
  window->touchEnded(10, 10);
  tick();
  EXPECT_EQ(pack->getParent(), nullptr);
  EXPECT_EQ(pack->GetPanel(), nullptr);  // leaving the stage forgets the panel
  Open();
  EXPECT_NE(pack->GetPanel(), nullptr);
  EXPECT_EQ(Cells(), 1);
  panel = pack->GetPanel();
  pack->ShowPack();  // shown again while open
  EXPECT_EQ(pack->GetPanel(), panel);
  EXPECT_EQ(Cells(), 1);
}

TEST_F(PackLayerTest, ATouchOnThePanelLeavesItOpen) {
  pack->AddUserProp(5, 1, 0, 0, false);
  Open();
  const Vec2 p = CellCentre(0);
  window->touchBegan(p.x, 720 - p.y);
  window->touchEnded(p.x, 720 - p.y);
  tick();
  EXPECT_EQ(pack->getParent(), scene);
}

// ---------------------------------------------------------------- expiry

TEST_F(PackLayerTest, ExpiredPropsGoOnePerSecondAndTheTipShowingOneIsCleared) {
  GameViewBase::m_GlobalInfo.iServerTime = 1000;
  pack->AddUserProp(5, 1, 0, 999, false);   // already expired
  pack->AddUserProp(6, 2, 0, 1000, false);  // expires now
  pack->AddUserProp(1, 1, 0, 0, false);     // no limit
  Open();
  pack->HoverAt(CellCentre(0));
  ASSERT_TRUE(pack->GetTip()->isVisible());
  ASSERT_EQ(pack->GetTip()->GetPropId(), 5);

  tick(1);  // the first call only sets the tick
  EXPECT_EQ(pack->GetUserProps().size(), 3u);
  tick(61);  // a second of accumulated time: one prop goes
  ASSERT_EQ(pack->GetUserProps().size(), 2u);
  EXPECT_EQ(pack->GetUserProps()[0].iPropID, 6);
  EXPECT_EQ(pack->GetTip()->GetPropId(), 0);
  EXPECT_FALSE(pack->GetTip()->isVisible());
  EXPECT_EQ(pack->GetHoverPropId(), 0);
  tick(61);  // the next second
  ASSERT_EQ(pack->GetUserProps().size(), 1u);
  EXPECT_EQ(pack->GetUserProps()[0].iPropID, 1);
  tick(120);
  EXPECT_EQ(pack->GetUserProps().size(), 1u);
  EXPECT_EQ(Cells(), 1);
}

TEST_F(PackLayerTest, WithoutServerTimeOrWhileClosedTheTickStillWaitsForTheServer) {
  pack->AddUserProp(5, 1, 0, 10, false);
  scene->addChild(pack);  // on stage but never opened
  tick(200);
  EXPECT_EQ(pack->GetUserProps().size(), 1u);  // no server time yet
  GameViewBase::m_GlobalInfo.iServerTime = 50;
  tick(70);
  EXPECT_TRUE(pack->GetUserProps().empty());  // the tick runs while the backpack exists
}

// ---------------------------------------------------------------- tip

TEST_F(PackLayerTest, RemainingTimeTexts) {
  const struct {
    int seconds;
    const char* text;
  } cases[] = {
      {90061, "剩余时间2天"}, {86400, "剩余时间1天"}, {86399, "剩余时间23时59分59秒"},
      {3725, "剩余时间1时2分5秒"}, {3600, "剩余时间1时0秒"}, {59, "剩余时间59秒"}, {0, ""}, {-5, ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.seconds);
    EXPECT_EQ(DDZPropTip::RemainingTimeText(c.seconds), c.text);
  }
}

TEST_F(PackLayerTest, SplitTextKeepsEveryPiece) {
  DDZPropTip* tip = DDZPropTip::create();
  std::strcpy(tip->m_szDelimiter, "||");
  const struct {
    const char* text;
    std::vector<std::string> pieces;
  } cases[] = {
      {"a||b||c", {"a", "b", "c"}}, {"abc", {"abc"}}, {"||x||", {"", "x", ""}}, {"", {""}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    std::vector<std::string> out;
    tip->SplitText(c.text, out);
    EXPECT_EQ(out, c.pieces);
  }
}

TEST_F(PackLayerTest, TheCurrencyYearIsNeverBefore2012) {
  EXPECT_EQ(DDZPropTip::CurrencyYear(0), 2012);           // 1970
  EXPECT_EQ(DDZPropTip::CurrencyYear(1700000000), 2023);  // November 2023
}

TEST_F(PackLayerTest, TheTipDescribesThePropRowByRowFromTheNameDown) {
  GameViewBase::m_GlobalInfo.iServerTime = 1000;
  pack->AddUserProp(5, 2, 0, 1000 + 3725, false);
  Open();
  pack->HoverAt(CellCentre(0));
  EXPECT_EQ(TipTexts(), (std::vector<std::string>{"名称：", "记牌器", "上限：", "999", "期限：", "剩余时间1时2分5秒",
                                                  "说明：", "牌局中显示已出的牌", "有效期内可随时使用", "来源：",
                                                  "商城购买、活动赠送"}));
  // Rows stack from 10 up, 8 apart; the tip is as tall as its rows and 260 wide.
  const cocos2d::Size size = pack->GetTip()->getContentSize();
  EXPECT_EQ(size.width, 260);
  EXPECT_GT(size.height, 5 * 8 + 20);
}

TEST_F(PackLayerTest, TheCurrencyRowsNameNextYearAndTheYearAfter) {
  GlobalInfo& g = GameViewBase::m_GlobalInfo;
  g.iServerTime = 100;  // 1970: the years start from 2012
  g.iYuanBaoNextYear = 12;
  g.iYuanBao = 30;
  pack->AddUserProp(1, 0, 0, 0, false);
  Open();
  pack->HoverAt(CellCentre(0));
  const std::vector<std::string> texts = TipTexts();
  EXPECT_NE(std::find(texts.begin(), texts.end(), "12      个元宝将于2013/1/1"), texts.end());
  EXPECT_NE(std::find(texts.begin(), texts.end(), "30      个元宝将于2014/1/1"), texts.end());
}

TEST_F(PackLayerTest, APropOutsideTheCatalogueHasNoTip) {
  pack->AddUserProp(777, 1, 0, 0, false);
  Open();
  pack->HoverAt(CellCentre(0));
  EXPECT_FALSE(pack->GetTip()->isVisible());
}

TEST_F(PackLayerTest, TheTipOpensAwayFromTheRightAndBottomEdges) {
  pack->AddUserProp(5, 1, 0, 0, false);
  pack->m_ptPackBg = Vec2(640, 360);
  Open();
  pack->HoverAt(CellCentre(0));
  ASSERT_TRUE(pack->GetTip()->isVisible());
  const cocos2d::Size tip = pack->GetTip()->getContentSize();
  DDZPropTip* shown = pack->GetTip();
  // Re-hover at points of the same cell: the layer is the whole window, so
  // move the panel under each point instead.
  const struct {
    Vec2 at;
    Vec2 anchor;
  } cases[] = {
      {{400, 500}, {0, 1}},
      {{1280 - tip.width + 10, 500}, {1, 1}},
      {{400, tip.height - 10}, {0, 0}},
      {{1280 - tip.width + 10, tip.height - 10}, {1, 0}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::to_string(c.at.x) + "," + std::to_string(c.at.y));
    const Vec2 cell = CellCentre(0);
    pack->GetPanel()->setPosition(pack->GetPanel()->getPosition() + (c.at - cell));
    pack->HoverAt(c.at);
    EXPECT_EQ(shown->getPosition(), c.at);
    EXPECT_EQ(shown->getAnchorPoint(), c.anchor);
  }
}

TEST_F(PackLayerTest, TheMouseHoversInWindowCoordinates) {
  pack->AddUserProp(5, 1, 0, 0, false);
  Open();
  const Vec2 p = CellCentre(0);
  cocos2d::EventMouse move(cocos2d::EventMouse::MouseEventType::MOUSE_MOVE);
  move.setCursorPosition(p.x, 720 - p.y);
  pack->CallBackHandleMouseEvent(kYndMouseMove, &move);
  EXPECT_TRUE(pack->GetTip()->isVisible());
  EXPECT_EQ(pack->GetHoverPropId(), 5);
  move.setCursorPosition(5, 5);
  pack->CallBackHandleMouseEvent(kYndMouseMove, &move);
  EXPECT_FALSE(pack->GetTip()->isVisible());
  EXPECT_EQ(pack->GetHoverPropId(), 0);
}

TEST_F(PackLayerTest, TheOneBackpackIsForgottenWhenItGoes) {
  EXPECT_EQ(DDZPackLayer::getInstance(), pack);
  pack->release();
  DDZPackLayer* fresh = DDZPackLayer::getInstance();
  EXPECT_NE(fresh, nullptr);
  fresh->retain();
  pack = fresh;  // released by the fixture
}

}  // namespace
