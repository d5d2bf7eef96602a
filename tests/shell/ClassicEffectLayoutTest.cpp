// The classic table's card-type effects against the seats, headless: the
// whole program on the single-player command line with a table whose local
// server plays nothing; the stages hand the view a deal with the own seat as
// landlord, then a straight and a pair straight of the right seat and of the
// left seat. Every frame while the boats sail, no boat's picture lies over a
// seat's head or card count (support/TableLook.h), wherever the boat is on
// its way.
#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "ProgramRunSupport.h"
#include "cardlogic/CardCodes.h"
#include "cardlogic/ClassicMessages.h"
#include "cards/OtherHandCard.h"
#include "classic/GameViewPC.h"
#include "platform/engine/Director.h"
#include "support/StageRun.h"
#include "support/TableLook.h"
#include "widgets/CardTypeAnis.h"
#include "widgets/PlayerShow.h"

namespace {

namespace cm = ddz::classic;
using ddz::tour::ShownOnStage;

class StagedClassicView : public GameViewPC {
 public:
  StagedClassicView(GameSceneBase* scene, YndLoadingBase* loading) : GameViewPC(scene, loading, 62) {}
  SingleServerBase* CallBackCreateSingleServer() override {
    m_Server = std::make_unique<ddz::test::SilentServer>(this);
    return m_Server.get();
  }
  void Deliver(const cm::Message& frame) {
    std::vector<char> bytes(frame.begin(), frame.end());
    CallBackHandleMainSocketNetMsg(bytes.data(), static_cast<int>(bytes.size()));
  }
  std::unique_ptr<ddz::test::SilentServer> m_Server;
};

// A whole deck: the left seat (chair 0) holds 3..10 of suits 0 and 1 and the
// jack of suit 0, the right seat (chair 2) the same of suits 2 and 3, the own
// seat the rest but one two and the jokers, which are the bottom cards.
cm::Message Deal() {
  cm::DealBlocks blocks;
  for (int chair : {0, 2}) {
    int i = 0;
    for (int value = 3; value <= 10; ++value)
      for (int suit : {chair, chair + 1}) blocks.hands[chair][i++] = ddz::DeckCardToByte(suit, value);
    blocks.hands[chair][i] = ddz::DeckCardToByte(chair, 11);
  }
  int i = 0;
  for (int suit : {1, 3}) blocks.hands[1][i++] = ddz::DeckCardToByte(suit, 11);
  for (int value : {12, 13, 1, 2})
    for (int suit = 0; suit < 4 && i < 17; ++suit) blocks.hands[1][i++] = ddz::DeckCardToByte(suit, value);
  blocks.firstBidder = 1;
  blocks.panelNumber = 5000;
  return cm::BuildDeal(blocks);
}

// The chair's cards from `from` to `to`, of its first suit (a straight) or
// of both its suits (a pair straight).
cm::Message Plays(int chair, int from, int to, bool pairs) {
  std::vector<ddz::CardByte> cards;
  for (int value = from; value <= to; ++value) {
    cards.push_back(ddz::DeckCardToByte(chair, value));
    if (pairs) cards.push_back(ddz::DeckCardToByte(chair + 1, value));
  }
  return cm::BuildPlayed(chair, cards);
}

// Whether a seat's head and card count are on the stage, so that a look at
// them judges something.
bool SeatInSight(StagedClassicView& view, int seat) {
  auto* backs = dynamic_cast<OtherHandCard*>(view.m_pHandCard[seat]);
  return view.m_pPlayerShow[seat] != nullptr && ShownOnStage(view.m_pPlayerShow[seat]) && backs != nullptr &&
         backs->GetCountLabel() != nullptr && ShownOnStage(backs->GetCountLabel());
}

bool BoatSails(cocos2d::Node* node) {
  if (dynamic_cast<AniShunzi*>(node) != nullptr && node->isRunning()) return true;
  for (cocos2d::Node* child : node->getChildren())
    if (BoatSails(child)) return true;
  return false;
}

TEST(ClassicEffectLayout, TheBoatsOfEitherSeatsStraightsLeaveEverySeatsHeadAndCardCountInSight) {
  shelltest::ProgramRun run;
  using StageRun = ddz::test::StageRun<StagedClassicView>;
  // A boat sails 2.53 s, 76 frames; each play waits longer before the next.
  constexpr int kSailFrames = 100;
  constexpr std::size_t kFirstPlay = 3;
  const std::vector<StageRun::Stage> stages = {
      {"seated", 40, [](StagedClassicView& v) { v.SendSitReq(); }},
      {"deal", 60, [](StagedClassicView& v) { v.Deliver(Deal()); }},
      {"landlord", 60,
       [](StagedClassicView& v) {
         v.Deliver(cm::BuildLandlord(
             1, 3, {ddz::DeckCardToByte(3, 2), ddz::DeckCardToByte(4, 16), ddz::DeckCardToByte(5, 17)}));
       }},
      {"the right seat's straight", kSailFrames, [](StagedClassicView& v) { v.Deliver(Plays(2, 3, 7, false)); }},
      {"the left seat's straight", kSailFrames, [](StagedClassicView& v) { v.Deliver(Plays(0, 3, 7, false)); }},
      {"the right seat's pair straight", kSailFrames, [](StagedClassicView& v) { v.Deliver(Plays(2, 8, 10, true)); }},
      {"the left seat's pair straight", kSailFrames, [](StagedClassicView& v) { v.Deliver(Plays(0, 8, 10, true)); }},
  };
  std::map<std::string, int> sailed;  // play -> frames a boat sailed with both seats in sight
  std::map<std::string, std::set<std::string>> found;
  StagedClassicView* table = nullptr;
  StageRun staged(stages, [&](const std::string&, StagedClassicView& view) { table = &view; }, true);
  const auto everyFrame = [&] {
    cocos2d::Scene* scene = cocos2d::Director::getInstance()->getRunningScene();
    if (table == nullptr || scene == nullptr || staged.StagesDone() <= kFirstPlay || !BoatSails(scene)) return;
    const std::string play = stages[staged.StagesDone() - 1].name;
    if (SeatInSight(*table, 0) && SeatInSight(*table, 2)) ++sailed[play];
    for (const std::string& p : ddz::tour::EffectsOverTheSeats(scene, *table)) found[play].insert(p);
  };
  EXPECT_EQ(ddz::test::RunStagedProgram(staged.SceneMaker(), staged.Pacer(everyFrame), false), 0);

  ASSERT_EQ(staged.StagesDone(), stages.size());
  for (std::size_t s = kFirstPlay; s < stages.size(); ++s) {
    const std::string play = stages[s].name;
    EXPECT_GE(sailed[play], 60) << play << ": the boats sailed only " << sailed[play] << " frames in sight of both seats";
    for (const std::string& p : found[play]) ADD_FAILURE() << play << ": " << p;
  }
}

}  // namespace
