// Fixtures of the own-hand tests: a running scene with a window for touches and
// clicks, the card and button sheets from the frame manifest, a fixed layout
// (window 1280 wide, cards 141 x 188 at scale 1, the hand's row at y 100,
// raised cards 20 higher), a recording owner view and bottom bar, and hands
// written as short texts.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <iterator>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "CardRowTestSupport.h"
#include "cardlogic/CardCodes.h"
#include "cardlogic/ClueCardSearch.h"
#include "cards/SelfHandCard.h"
#include "platform/engine/ui/Widgets.h"
#include "platform/gamebase/BasePT.h"
#include "platform/gamebase/GameMsgBox.h"
#include "platform/gamebase/GameViewBase.h"
#include "gamedata/LayoutConfig.h"
#include "gamedata/TextTables.h"
#include "table/DDZGameView.h"

namespace handtest {

// Card codes of a hand text: '3'..'9', 'T' 10, 'j' jack, 'Q', 'K', 'A', '2',
// 'x' small joker, 'X' big joker, 'w' the wildcard; spaces are ignored. A value
// written again takes the next suit ("55" is the 5 of suit 0 and of suit 1).
inline std::vector<int> Codes(std::string_view text) {
  std::array<int, 32> used{};
  std::vector<int> codes;
  for (char c : text) {
    int index = -1;
    switch (c) {
      case ' ': continue;
      case 'T': index = 9; break;
      case 'j': index = 10; break;
      case 'Q': index = 11; break;
      case 'K': index = 12; break;
      case 'A': index = 0; break;
      case '2': index = 1; break;
      case 'x': codes.push_back(ddz::kSmallJokerCode); continue;
      case 'X': codes.push_back(ddz::kBigJokerCode); continue;
      case 'w': codes.push_back(ddz::kWildcardCode); continue;
      default:
        if (c >= '3' && c <= '9') index = c - '1';
        break;
    }
    EXPECT_GE(index, 0) << "bad hand character '" << c << "'";
    if (index < 0) continue;
    codes.push_back(used[static_cast<std::size_t>(index)]++ * 15 + index);
  }
  return codes;
}

// The card values of a list of codes.
inline std::vector<int> Values(const std::vector<int>& codes) {
  std::vector<int> values;
  for (int code : codes) values.push_back(ddz::CodeToValue(code));
  return values;
}

// A table view that records what the hand asks of it, then lets the table
// view base do its part (the send goes to the game base, which drops it
// without a game server; the quit has no scene to leave).
class RecordingView : public DDZGameView {
 public:
  struct Sent {
    int type;
    std::vector<std::uint8_t> bytes;
  };
  static RecordingView* create() {
    auto* view = new RecordingView();
    view->autorelease();
    return view;
  }
  void SendHandMessage(void* buf, int type, int len) override {
    const auto* p = static_cast<const std::uint8_t*>(buf);
    sent.push_back({type, std::vector<std::uint8_t>(p, p + len)});
    calls.push_back("send " + std::to_string(type));
    DDZGameView::SendHandMessage(buf, type, len);
  }
  void HideGameClock() override {
    calls.push_back("hideClock");
    DDZGameView::HideGameClock();
  }
  void ShowSelfOutCard(const char* cards, int count) override {
    shownCards.assign(reinterpret_cast<const std::uint8_t*>(cards), reinterpret_cast<const std::uint8_t*>(cards) + count);
    calls.push_back("showOut " + std::to_string(count));
    DDZGameView::ShowSelfOutCard(cards, count);
  }
  void ShowSelfClock(int kind) override {
    calls.push_back("selfClock " + std::to_string(kind));
    DDZGameView::ShowSelfClock(kind);
  }
  void QuitHandTable() override {
    calls.push_back("quit");
    DDZGameView::QuitHandTable();
  }
  void ShowHandMessageBox(const char* text, int kind, cocos2d::Node* owner) override {
    calls.push_back("box " + std::to_string(kind));
    DDZGameView::ShowHandMessageBox(text, kind, owner);
  }

  std::vector<Sent> sent;
  std::vector<std::string> calls;
  std::vector<std::uint8_t> shownCards;

 protected:
  RecordingView() : DDZGameView(nullptr, nullptr) {}
};

// A bottom bar that records its quick buttons and system messages.
class RecordingBar : public ISelfHandBottomBar {
 public:
  bool IsBarRunning() const override { return running; }
  void SetQuickButtonEnabled(int button, bool enabled) override { quick.at(static_cast<std::size_t>(button)) = enabled; }
  bool IsSysBoxRunning() const override { return sysBoxRunning; }
  void AddSysMessage(const char* text, int kind) override { messages.push_back(std::to_string(kind) + ":" + text); }

  bool running = true;
  bool sysBoxRunning = true;
  std::array<bool, 5> quick{};
  std::vector<std::string> messages;
};

class SelfHandTest : public cardtest::CardRowTest {
 protected:
  static constexpr float kRowY = 100;
  static constexpr int kRaise = 20;
  static constexpr int kHandZOrder = 101;

  void SetUp() override {
    CardRowTest::SetUp();
    auto* cache = cocos2d::SpriteFrameCache::getInstance();
    cache->addSpriteFramesWithFile("vellddz_res_btn.plist");
    cache->addSpriteFramesWithFile("vellddz_res_tips.plist");
    window = cocos2d::GLViewImpl::create("hand");
    director->setOpenGLView(window);
    savedScale = g_fSelfHandScale;
    savedAnchor = g_ptHandCard[1];
    savedCard = g_sizeSingleCard;
    savedRaise = g_iHandCardSelectY;
    savedWidth = BasePT::g_iWindowWidth;
    savedPlayMode = GameViewBase::m_GlobalInfo.iPlayMode;
    std::copy(std::begin(g_ptBtnGame), std::end(g_ptBtnGame), savedButtons.begin());
    std::copy(std::begin(g_ptShowCardsBtn), std::end(g_ptShowCardsBtn), savedPairs.begin());
    savedTip = g_ptSelfCannotSend;
    for (int i = 0; i < SelfHandCard::kMainButtons; ++i) g_ptBtnGame[i] = {115.0f + 150.0f * i, 290};
    g_ptShowCardsBtn[0] = {540, 290};
    g_ptShowCardsBtn[1] = {740, 290};
    g_ptSelfCannotSend = {640, 300};
    g_fSelfHandScale = 1.0f;
    g_ptHandCard[1] = {640, kRowY};
    g_sizeSingleCard = {141, 188};
    g_iHandCardSelectY = kRaise;
    BasePT::g_iWindowWidth = 1280;
    GameViewBase::m_GlobalInfo.iPlayMode = 0;
    g_iHandSortOrder = 0;
    ddz::ResetHintCycle();
    owner = RecordingView::create();
    scene->addChild(owner);
    LoadTextLines(ddz::kGameTextFile, g_vecGameText);
  }
  void TearDown() override {
    GameMsgBox::destroyMessageBox();
    CardRowTest::TearDown();
    g_fSelfHandScale = savedScale;
    g_ptHandCard[1] = savedAnchor;
    g_sizeSingleCard = savedCard;
    g_iHandCardSelectY = savedRaise;
    BasePT::g_iWindowWidth = savedWidth;
    GameViewBase::m_GlobalInfo.iPlayMode = savedPlayMode;
    std::copy(savedButtons.begin(), savedButtons.end(), std::begin(g_ptBtnGame));
    std::copy(savedPairs.begin(), savedPairs.end(), std::begin(g_ptShowCardsBtn));
    g_ptSelfCannotSend = savedTip;
    g_iHandSortOrder = 0;
    ddz::ResetHintCycle();
  }

  // A hand on the table view with touches on, holding the cards of `text` sorted.
  SelfHandCard* makeHand(std::string_view text = "", float width = 1280) {
    auto* h = new SelfHandCard(owner, width);
    h->autorelease();
    h->SetShadow(true);
    owner->addChild(h, kHandZOrder);
    h->setTouchEnabled(true, false);
    for (int code : Codes(text)) h->AddCard(code, false, false, false, 0, false, false);
    h->SortCards();
    return h;
  }

  // ---- input at GL points (the window's y axis points down) ----
  void press(float x, float y) { window->touchBegan(x, 720 - y); }
  void move(float x, float y) { window->touchMoved(x, 720 - y); }
  void release(float x, float y) { window->touchEnded(x, 720 - y); }
  void tap(float x, float y) {
    press(x, y);
    release(x, y);
  }
  void rightClick() {
    window->mouseDown(cocos2d::EventMouse::MouseButton::BUTTON_RIGHT, 640, 360);
    window->mouseUp(cocos2d::EventMouse::MouseButton::BUTTON_RIGHT, 640, 360);
  }
  // A point on card i that no card above it covers: its left edge plus a few.
  cocos2d::Vec2 onCard(const SelfHandCard* h, int i) const {
    const SpriteCardInfo* info = h->GetCards().at(static_cast<std::size_t>(i));
    return {info->fX - 70.5f + 8, info->fY};
  }
  void tapCard(const SelfHandCard* h, int i) {
    const cocos2d::Vec2 p = onCard(h, i);
    tap(p.x, p.y);
  }

  // ---- reading the hand ----
  static std::vector<int> selectedIndexes(const SelfHandCard* h) {
    std::vector<int> out;
    for (std::size_t i = 0; i < h->GetCards().size(); ++i)
      if (h->GetCards()[i]->bSelected) out.push_back(static_cast<int>(i));
    return out;
  }
  static std::vector<int> touchedIndexes(const SelfHandCard* h) {
    std::vector<int> out;
    for (std::size_t i = 0; i < h->GetCards().size(); ++i)
      if (h->GetCards()[i]->bTouched) out.push_back(static_cast<int>(i));
    return out;
  }
  static std::vector<int> selectedValues(const SelfHandCard* h) { return Values(h->SelectedCodes()); }
  // Selects the cards at the given places (then re-checks the play button).
  static void selectIndexes(SelfHandCard* h, const std::vector<int>& indexes) {
    for (SpriteCardInfo* info : h->GetCards()) info->bSelected = 0;
    for (int i : indexes) h->GetCards().at(static_cast<std::size_t>(i))->bSelected = 1;
    h->UpdateOutCardButton();
    h->LayoutCards();
  }
  // Selects the first not yet selected card of each code of `text`.
  static void selectText(SelfHandCard* h, std::string_view text) {
    std::vector<int> indexes;
    for (int code : Codes(text)) {
      for (std::size_t i = 0; i < h->GetCards().size(); ++i) {
        if (h->GetCards()[i]->iCardIndex == code &&
            std::find(indexes.begin(), indexes.end(), static_cast<int>(i)) == indexes.end()) {
          indexes.push_back(static_cast<int>(i));
          break;
        }
      }
    }
    EXPECT_EQ(indexes.size(), Codes(text).size()) << "not in the hand: " << text;
    selectIndexes(h, indexes);
  }
  // Clicks a button where it stands on the screen.
  void click(const cocos2d::ui::Button* b) {
    const cocos2d::Vec2 p = b->getParent()->convertToWorldSpace(b->getPosition());
    window->click(p.x, 720 - p.y);
  }
  void frames(int n, float seconds) {
    for (int i = 0; i < n; ++i) director->mainLoop(seconds);
  }
  static bool usable(const cocos2d::ui::Button* b) { return b->isVisible() && b->isEnabled(); }

  // The table view owns the hands; the bar outlives them (they go in TearDown).
  RecordingView* owner = nullptr;
  RecordingBar bar;
  cocos2d::GLView* window = nullptr;

 private:
  float savedScale = 0;
  cocos2d::Vec2 savedAnchor;
  cocos2d::Size savedCard;
  int savedRaise = 0;
  int savedWidth = 0;
  int savedPlayMode = 0;
  std::array<cocos2d::Vec2, SelfHandCard::kMainButtons> savedButtons{};
  std::array<cocos2d::Vec2, 2> savedPairs{};
  cocos2d::Vec2 savedTip;
};

}  // namespace handtest
