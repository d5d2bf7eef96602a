// Fixtures of the Super own-hand tests: the own-hand fixture with a recording
// Super view (player-count mode, special rules and the clock's seconds set by
// the test; the plays it is asked to show are kept), the chooser's sheet, and
// the rules engines' process-wide state put back after each test.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "SelfHandTestSupport.h"
#include "cardlogic/ErClueCard.h"
#include "cardlogic/SuperClueCard.h"
#include "cardlogic/SuperRules.h"
#include "cards/SuperSelectCards.h"
#include "cards/SuperSelfHandCard.h"

namespace supertest {

using Bytes = std::vector<std::uint8_t>;

class RecordingSuperView : public handtest::RecordingView, public ISuperHandOwner {
 public:
  static RecordingSuperView* create() {
    auto* view = new RecordingSuperView();
    view->autorelease();
    return view;
  }
  int GetPlayerCountMode() const override { return mode; }
  const ddz::SpecialRuleFlags* GetSpecialRuleFlags() const override { return &rules; }
  void PlayCardsFromRecord(const std::uint8_t* request, int length) override {
    records.emplace_back(request, request + length);
    calls.push_back("record " + std::to_string(length));
  }
  int GetClockSecondsLeft() const override { return clockSeconds; }

  int mode = ddz::PlayerCountMode::ThreeSeatWildcard;
  ddz::SpecialRuleFlags rules;
  int clockSeconds = 0;
  std::vector<Bytes> records;
};

// (type, value) of a group.
struct TV {
  int type;
  int value;
  bool operator==(const TV&) const = default;
};
inline std::vector<TV> TypesOf(const std::vector<ddz::CardGroupRecord>& groups) {
  std::vector<TV> out;
  for (const ddz::CardGroupRecord& g : groups) out.push_back({g.type, g.value});
  return out;
}
inline void PrintTo(const TV& tv, std::ostream* os) { *os << "(" << tv.type << ", " << tv.value << ")"; }

class SuperHandTest : public handtest::SelfHandTest {
 protected:
  void SetUp() override {
    SelfHandTest::SetUp();
    view = RecordingSuperView::create();
    view->rules.bytes[ddz::SpecialRule::Wildcard] = 1;
    view->rules.bytes[ddz::SpecialRule::TripleBomb] = 1;
    scene->addChild(view);
  }
  void TearDown() override {
    SelfHandTest::TearDown();
    ddz::g_iErPromptType = ddz::g_iErPromptValue = -1;
    ddz::g_iSuperPromptType = ddz::g_iSuperPromptValue = -1;
    ddz::SearchMode = ddz::SuperSearchMode = 1;
    ddz::g_iSelfHandCardCount = ddz::g_iSuperSelfHandCardCount = 0;
  }

  // A Super hand on the recording view with touches on, holding `text` sorted.
  SuperSelfHandCard* makeSuperHand(std::string_view text) {
    auto* h = new SuperSelfHandCard(view, view);
    h->autorelease();
    h->SetShadow(true);
    view->addChild(h, kHandZOrder);
    h->setTouchEnabled(true, false);
    for (int code : handtest::Codes(text)) h->AddCard(code, false, false, false, 0, false, false);
    h->SortCards();
    return h;
  }
  // The own turn against `toBeat`, then `selection` selected.
  SuperSelfHandCard* turn(std::string_view hand, std::string_view toBeat, std::string_view selection) {
    SuperSelfHandCard* h = makeSuperHand(hand);
    h->ShowSendPassBtn(handtest::Codes(toBeat));
    if (!selection.empty()) selectText(h, selection);
    return h;
  }
  void pressButton(SuperSelfHandCard* h, int button) { h->OnButtonClick(h->GetMainButton(button)); }

  RecordingSuperView* view = nullptr;
};

}  // namespace supertest
