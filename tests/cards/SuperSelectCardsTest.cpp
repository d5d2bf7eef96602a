// The wildcard pattern chooser: panel and strip geometry, the wildcard faces,
// the countdown and its automatic pick, a tap on a strip and beside them, the
// close button, the time-out and the turns that close a chooser left open.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "SuperHandTestSupport.h"
#include "platform/engine/Label.h"
#include "platform/engine/ui/Widgets.h"

using handtest::Codes;
using supertest::SuperHandTest;
using ddz::CardGroupRecord;

namespace {

constexpr int kPlay = SelfHandCard::kBtnPlay;

// A plain reading of the given cards (no wildcard part).
CardGroupRecord Plain(std::string_view cards, int type, int value) {
  CardGroupRecord g;
  g.type = type;
  g.value = value;
  const std::vector<int> codes = Codes(cards);
  for (std::size_t i = 0; i < codes.size(); ++i) g.cards[i] = codes[i];
  return g;
}

class ChooserTest : public SuperHandTest {
 protected:
  // A chooser alone on the scene with one strip per group.
  AllCardsGroup* openAlone(const std::vector<CardGroupRecord>& groups, int seconds = 0) {
    auto* chooser = new AllCardsGroup();
    chooser->autorelease();
    for (const CardGroupRecord& g : groups) SuperSelectCards::create(chooser, g);
    chooser->SetSecondsLeft(seconds);
    scene->addChild(chooser);
    return chooser;
  }
  // The own turn, leading with "55xX" selected (read as a bomb and as a triple
  // with single), and play pressed: the chooser opens with two strips.
  SuperSelfHandCard* openFromHand(int seconds) {
    view->clockSeconds = seconds;
    SuperSelfHandCard* h = turn("55xX K", "", "55xX");
    pressButton(h, kPlay);
    EXPECT_TRUE(h->IsChooserOpen());
    return h;
  }
  // Where the middle of card `card` of strip `strip` is on the screen.
  static cocos2d::Vec2 onStrip(AllCardsGroup* chooser, int strip, int card) {
    const SuperSelectCards* s = chooser->GetStrips().at(static_cast<std::size_t>(strip));
    const SpriteCardInfo* info = s->GetCards().at(static_cast<std::size_t>(card));
    return s->convertToWorldSpace({info->fX, info->fY});
  }
  void tapAt(cocos2d::Vec2 p) { tap(p.x, p.y); }
  std::string label(AllCardsGroup* chooser) { return chooser->GetCountdownLabel()->getString(); }
};

}  // namespace

TEST_F(ChooserTest, StripsStandTwoARowFromTheTop) {
  for (int n = 1; n <= 6; ++n) {
    SCOPED_TRACE(n);
    std::vector<CardGroupRecord> groups(static_cast<std::size_t>(n), Plain("555", 48, 5));
    AllCardsGroup* chooser = openAlone(groups);
    const int rows = (n + 1) / 2;
    const float height = (rows + 0.7f) * 120 + 30;
    const cocos2d::Size panel = chooser->GetBackground()->getContentSize();
    EXPECT_FLOAT_EQ(panel.width, 750);
    EXPECT_FLOAT_EQ(panel.height, height);
    EXPECT_EQ(chooser->GetBackground()->getPosition(), cocos2d::Vec2(640, 360));
    ASSERT_EQ(chooser->GetStrips().size(), static_cast<std::size_t>(n));
    for (int i = 0; i < n; ++i) {
      const cocos2d::Vec2 at = chooser->GetStrips()[static_cast<std::size_t>(i)]->getPosition();
      EXPECT_FLOAT_EQ(at.x, i % 2 == 0 ? 50 : 375 + 50) << "strip " << i;
      EXPECT_FLOAT_EQ(at.y, height - 30 - (i / 2 + 1) * 120) << "strip " << i;
    }
    chooser->removeFromParent();
  }
}

TEST_F(ChooserTest, AStripCentresItsCardsInItsBand) {
  // Half-size cards 70.5 wide: at most half a card apart, so every row has
  // the same middle; one card has no step at all.
  struct Case {
    int cards;
    int step;
  } cases[] = {{1, 0}, {2, 35}, {6, 35}, {10, 30}, {20, 14}};
  const char* deck = "3456789TjQKA2xX3456789";
  for (const Case& c : cases) {
    SCOPED_TRACE(c.cards);
    CardGroupRecord g = Plain(std::string_view(deck, static_cast<std::size_t>(c.cards)), 21, 9);
    AllCardsGroup* chooser = openAlone({g});
    const SuperSelectCards* strip = chooser->GetStrips().front();
    ASSERT_EQ(strip->GetCards().size(), static_cast<std::size_t>(c.cards));
    EXPECT_EQ(strip->GetStep(), c.step);
    const float first = strip->GetCards().front()->fX, last = strip->GetCards().back()->fX;
    EXPECT_NEAR((first + last) / 2, 137, 1.0);
    for (const SpriteCardInfo* info : strip->GetCards()) EXPECT_FLOAT_EQ(info->pCardSprite->getScale(), 0.5f);
    chooser->removeFromParent();
  }
}

TEST_F(ChooserTest, TheCardAJokerStandsForWearsTheWildcardFace) {
  CardGroupRecord straight = Plain("5678", 21, 9);
  straight.cards[4] = Codes("9")[0];
  straight.wildcardCards[0] = 16;
  straight.substituteValues[0] = 9;
  straight.wildcardCount = 1;
  AllCardsGroup* chooser = openAlone({straight, Plain("55", 32, 5)});
  for (const SpriteCardInfo* info : chooser->GetStrips()[0]->GetCards())
    EXPECT_EQ(info->iWildcardValue > 0, ddz::CodeToValue(info->iCardIndex) == 9) << info->iCardIndex;
  for (const SpriteCardInfo* info : chooser->GetStrips()[1]->GetCards()) EXPECT_LE(info->iWildcardValue, 0);
  EXPECT_EQ(chooser->GetStrips()[0]->GetGroup().substituteValues[0], 9) << "the request still needs the bytes";
}

TEST_F(ChooserTest, TheCountdownPlaysTheFirstReadingWhenItRunsOut) {
  SuperSelfHandCard* h = openFromHand(5);
  AllCardsGroup* chooser = h->GetChooser();
  ASSERT_EQ(chooser->GetStrips().size(), 2u);
  const CardGroupRecord first = chooser->GetStrips()[0]->GetGroup();
  EXPECT_EQ(label(chooser), "4");
  EXPECT_FALSE(h->GetMainButton(SelfHandCard::kBtnPass)->isVisible()) << "hidden while the chooser is open";
  frames(3, 1.0f);
  EXPECT_EQ(label(chooser), "1");
  EXPECT_TRUE(view->sent.empty());
  frames(1, 1.0f);
  ASSERT_EQ(view->sent.size(), 1u);
  EXPECT_EQ(view->sent[0].bytes[29], first.type);
  EXPECT_EQ(view->sent[0].bytes[30], first.value);
  EXPECT_EQ(view->sent[0].bytes[28], 4);
  tick();
  EXPECT_FALSE(h->IsChooserOpen());
}

TEST_F(ChooserTest, ACountdownOutOfRangeCountsNothing) {
  for (int seconds : {30, 0, -3}) {
    SCOPED_TRACE(seconds);
    SuperSelfHandCard* h = openFromHand(seconds);
    EXPECT_EQ(label(h->GetChooser()), "");
    frames(30, 1.0f);
    EXPECT_TRUE(view->sent.empty());
    EXPECT_TRUE(h->IsChooserOpen());
    h->removeFromParent();
  }
}

TEST_F(ChooserTest, ATapOnAStripPlaysThatReading) {
  SuperSelfHandCard* h = openFromHand(20);
  AllCardsGroup* chooser = h->GetChooser();
  const CardGroupRecord second = chooser->GetStrips()[1]->GetGroup();
  tapAt(onStrip(chooser, 1, 0));
  ASSERT_EQ(view->sent.size(), 1u);
  EXPECT_EQ(view->sent[0].bytes[29], second.type);
  EXPECT_EQ(view->sent[0].bytes[30], second.value);
  for (int i = 0; i < 4; ++i) EXPECT_EQ(view->sent[0].bytes[60 + i], second.wildcardCards[static_cast<std::size_t>(i)]);
  tick();
  EXPECT_FALSE(h->IsChooserOpen());
  frames(25, 1.0f);  // the countdown went with it
  EXPECT_EQ(view->sent.size(), 1u);
}

TEST_F(ChooserTest, ATapBesideTheStripsOrTheCloseButtonCancels) {
  for (bool byButton : {false, true}) {
    SCOPED_TRACE(byButton ? "close button" : "tap beside");
    SuperSelfHandCard* h = openFromHand(20);
    AllCardsGroup* chooser = h->GetChooser();
    if (byButton)
      click(chooser->GetCloseButton());
    else
      tapAt(onStrip(chooser, 1, 0) + cocos2d::Vec2(0, 60));  // between the title and the strips
    tick();
    EXPECT_FALSE(h->IsChooserOpen());
    EXPECT_TRUE(view->sent.empty());
    for (int i : {SelfHandCard::kBtnPass, SelfHandCard::kBtnHint, SelfHandCard::kBtnPlay})
      EXPECT_TRUE(h->GetMainButton(i)->isVisible()) << i;
    EXPECT_FALSE(h->GetMainButton(SelfHandCard::kBtnReselect)->isVisible());
    frames(25, 1.0f);
    EXPECT_TRUE(view->sent.empty());
    h->removeFromParent();
  }
}

TEST_F(ChooserTest, TheTimeOutActsAsWithoutTheChooser) {
  // Leading: the lowest card in its one reading; following: a pass.
  for (bool leading : {true, false}) {
    SCOPED_TRACE(leading ? "leading" : "following");
    view->sent.clear();
    view->clockSeconds = 20;
    SuperSelfHandCard* h = turn("55xX K", leading ? "" : "4", leading ? "55xX" : "");
    if (!leading) h->SetLegalGroups({Plain("55xX", 5, 3), Plain("55xX", 105, 3)});
    pressButton(h, kPlay);
    ASSERT_TRUE(h->IsChooserOpen());
    h->OnAutoOperate();
    EXPECT_FALSE(h->IsChooserOpen());
    ASSERT_EQ(view->sent.size(), 1u);
    const supertest::Bytes& sent = view->sent[0].bytes;
    EXPECT_EQ(sent[28], leading ? 1 : 0);
    EXPECT_EQ(sent[29], leading ? ddz::CardType::Single : 0);
    if (leading) {
      EXPECT_EQ(sent[8], Codes("5")[0] / 15 << 5 | 5);
    }
    EXPECT_EQ(h->GetAutoPlayCount(), 1);
    frames(25, 1.0f);
    EXPECT_EQ(view->sent.size(), 1u);
    h->removeFromParent();
  }
}

TEST_F(ChooserTest, ANewTurnTheServersPlayOrTheResetCloseAChooserLeftOpen) {
  struct Case {
    const char* what;
    std::function<void(SuperSelfHandCard*)> act;
  } cases[] = {
      {"play turn", [](SuperSelfHandCard* h) { h->ShowSendPassBtn(Codes("K")); }},
      {"bid turn", [](SuperSelfHandCard* h) { h->ShowChoiceButtons(0); }},
      {"question", [](SuperSelfHandCard* h) { h->ShowAnswerPair(SelfHandCard::kPairRob); }},
      {"server played", [](SuperSelfHandCard* h) { h->TakePlayedCards({h->HandCodes().back()}); }},
      {"table reset", [](SuperSelfHandCard* h) { h->ResetTurnState(); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    view->sent.clear();
    SuperSelfHandCard* h = openFromHand(20);
    const cocos2d::Vec2 strip = onStrip(h->GetChooser(), 1, 0);
    c.act(h);
    EXPECT_FALSE(h->IsChooserOpen());
    tapAt(strip);
    frames(25, 1.0f);
    EXPECT_TRUE(view->sent.empty()) << "the old reading answered the new turn";
    h->removeFromParent();
  }
}
