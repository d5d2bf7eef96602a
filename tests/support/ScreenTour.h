// A tour of the classic single-player table's screens, as a player takes it:
// one look per frame at the running table, and a click at a widget's place in
// the 1280 x 720 design window (or the window's close button, or Escape) when
// the tour moves on. The game is the seeded one of TourTable, so every run
// sees the same hands. Each named screen is handed to `onScreen` once, when it
// is on the stage and its widgets stand still.
//
// Shared by the screen gallery (a real window on SDL's offscreen driver; the
// clicks go in as SDL events) and the headless layout test (the clicks go in
// through the engine's window object). `CheckLayout` is the layout test's
// look at one screen. No GoogleTest here.
#pragma once

#include <cxxabi.h>

#include <algorithm>
#include <cstdlib>
#include <typeinfo>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "cardlogic/CardCodes.h"
#include "cardlogic/ClueCard.h"
#include "cardlogic/SingleServerDDZ.h"
#include "cards/SelfHandCard.h"
#include "classic/BottomUIPC.h"
#include "classic/GameViewPC.h"
#include "classic/TopUIPC.h"
#include "platform/engine/cocos2d.h"
#include "platform/engine/ui/Widgets.h"
#include "platform/framework/YndGameLayer.h"
#include "platform/gamebase/GameMsgBox.h"
#include "platform/gamebase/GameSceneBase.h"
#include "platform/os/Clock.h"
#include "platform/os/Random.h"
#include "widgets/CardCounterLayer.h"
#include "widgets/GameRuleLayer.h"
#include "widgets/ResultLayer.h"
#include "widgets/TalkLayer.h"

namespace ddz::tour {

// The seed of the tour's deals: its hands hold a straight, a plane, a bomb
// and a rocket, and the own seat wins one of them (no spring).
constexpr std::uint32_t kTourSeed = 65;
// The wall-clock time the tour's game starts at (a Saturday, 14:00 UTC).
constexpr std::int64_t kTourWallTime = 1773496800;

// The classic table with a local server that never seeds the random source
// itself: the caller's seeded source deals every hand.
class TourTable : public GameViewPC {
 public:
  using GameViewPC::GameViewPC;
  SingleServerBase* CallBackCreateSingleServer() override {
    m_Server = std::make_unique<ddz::SingleServerDDZ>(this, ddz::DeckSeeding::None);
    return m_Server.get();
  }
  using GameViewPC::GetSeatHeadCenter;
  std::unique_ptr<ddz::SingleServerDDZ> m_Server;
};

// ---------------------------------------------------------------- the stage

inline bool ShownOnStage(const cocos2d::Node* node) {
  for (const cocos2d::Node* n = node; n != nullptr; n = n->getParent()) {
    if (!n->isVisible()) return false;
    if (n->getParent() == nullptr) return n == cocos2d::Director::getInstance()->getRunningScene();
  }
  return false;
}

// A node's rectangle in the window (GL points, y up).
inline cocos2d::Rect WorldBox(const cocos2d::Node* node) {
  const cocos2d::Size size = node->getContentSize();
  const cocos2d::Vec2 corners[4] = {node->convertToWorldSpace({0, 0}), node->convertToWorldSpace({size.width, 0}),
                                    node->convertToWorldSpace({0, size.height}),
                                    node->convertToWorldSpace({size.width, size.height})};
  float x0 = corners[0].x, x1 = x0, y0 = corners[0].y, y1 = y0;
  for (const auto& c : corners) {
    x0 = std::min(x0, c.x);
    x1 = std::max(x1, c.x);
    y0 = std::min(y0, c.y);
    y1 = std::max(y1, c.y);
  }
  return {x0, y0, x1 - x0, y1 - y0};
}

inline cocos2d::Vec2 WorldCentre(const cocos2d::Node* node) {
  const cocos2d::Rect box = WorldBox(node);
  return {box.getMidX(), box.getMidY()};
}

inline bool AnyActionRuns(cocos2d::Node* node) {
  if (node->getNumberOfRunningActions() > 0 && node->isVisible()) return true;
  for (cocos2d::Node* child : node->getChildren())
    if (AnyActionRuns(child)) return true;
  return false;
}

// ---------------------------------------------------------------- the tour

class ScreenTour {
 public:
  // A click at a design point (GL points, y up); the window's close button;
  // the Escape key.
  struct Input {
    std::function<void(const cocos2d::Vec2&)> click;
    std::function<void()> close;
    std::function<void()> escape;
    std::function<void()> help;  // F1, the window frame's help button
  };
  using ScreenHandler = std::function<void(const std::string& name, GameViewPC* view)>;

  // The screens in the order the tour names them.
  static const std::vector<std::string>& ScreenNames() {
    static const std::vector<std::string> names = {
        "before-start", "settings",       "rules",        "deal",          "bid-own",     "bid-other",
        "bottom-cards", "play-own-hint",  "play-seat-0",  "play-seat-2",   "straight",    "plane",
        "bomb",         "rocket",         "last-round-tip", "card-counter", "rules-over-counter", "backpack", "chat",
        "chat-phrase",  "info-popup",     "quit-hand",    "result-first",  "quit-result", "result-won",
        "result-lost",  "result-later",   "spring",       "loss-limit"};
    return names;
  }

  ScreenTour(Input input, ScreenHandler onScreen) : m_Input(std::move(input)), m_OnScreen(std::move(onScreen)) {}

  int maxHands = 5;
  // Called once, when the table first stands on the stage: the caller seeds
  // the random source there, after the start-up has drawn from it.
  std::function<void()> onTableReady;
  // Lines on what the tour could not do (a screen not reached, a dialog
  // without a way out).
  std::vector<std::string> notes;

  bool Done() const { return m_bDone; }

  // The frame pacer of a tour run, the same game every run: the wall clock
  // the game reads (its seeds, days and hours) starts at one fixed time, and
  // `random` is seeded again with `seed` when the table is up. Each frame
  // steps the tour; the run ends when the tour is done.
  std::function<float(double)> SeededPacer(ddz::os::LcgRandom& random, std::uint32_t seed) {
    onTableReady = [&random, seed] { random.Seed(seed); };
    auto clockSet = std::make_shared<bool>(false);
    return [this, clockSet](double) {
      if (!*clockSet) {
        *clockSet = true;
        ddz::os::Clock().SetWallTimeSeconds(kTourWallTime);
      }
      Step();
      if (Done()) cocos2d::Director::getInstance()->end();
      return 1.0f / 30;
    };
  }
  const std::set<std::string>& Seen() const { return m_Seen; }
  int HandsDone() const { return m_iResults; }

  // One look at the table; the caller runs one frame between two looks.
  void Step() {
    ++m_iFrame;
    if (m_bDone) return;
    if (m_Seen.size() != m_iSeenAtLastLook || m_iResults != m_iResultsAtLastLook) {
      m_iSeenAtLastLook = m_Seen.size();
      m_iResultsAtLastLook = m_iResults;
      m_iLastProgress = m_iFrame;
    } else if (m_iFrame - m_iLastProgress > kStallFrames) {
      notes.push_back("the tour stalled after " + std::to_string(m_Seen.size()) + " screens and " +
                      std::to_string(m_iResults) + " hands");
      m_bDone = true;
      return;
    }
    auto* view = dynamic_cast<GameViewPC*>(GameSceneBase::m_pGameView);
    if (view == nullptr || !view->isRunning()) return;
    m_pView = view;
    if (!m_bTableReady) {
      m_bTableReady = true;
      if (onTableReady) onTableReady();
    }
    if (m_iWait > 0) {
      --m_iWait;
      return;
    }
    if (m_Then) {
      auto then = std::move(m_Then);
      m_Then = nullptr;
      then();
      return;
    }
    switch (m_iStage) {
      case kBeforeStart: return BeforeStart();
      case kHand: return InHand();
      default: return;
    }
  }

 private:
  enum Stage { kBeforeStart, kHand };
  // Three minutes of the game's time (at 30 frames a second) without a new
  // screen or a hand's end: the tour gives up.
  static constexpr int kStallFrames = 30 * 180;

  // Waits `frames`, then, once nothing moves, names the screen and runs `after`.
  void Later(int frames, std::function<void()> what) {
    m_iWait = frames;
    m_Then = std::move(what);
  }
  void Name(const std::string& name) {
    if (m_Seen.count(name)) return;
    m_Seen.insert(name);
    m_OnScreen(name, m_pView);
  }
  // Names the screen once the scene stands still (at most a second later).
  void NameWhenStill(const std::string& name, std::function<void()> after, int tries = 0) {
    if (tries < 60 && AnyActionRuns(cocos2d::Director::getInstance()->getRunningScene())) {
      Later(1, [=, this] { NameWhenStill(name, after, tries + 1); });
      return;
    }
    Name(name);
    if (after) after();
  }
  void Click(cocos2d::Node* node, const char* what) {
    if (node == nullptr || !ShownOnStage(node)) {
      notes.push_back(std::string("no ") + what + " to click");
      return;
    }
    m_Input.click(WorldCentre(node));
  }
  bool Usable(cocos2d::ui::Button* b) const { return b != nullptr && ShownOnStage(b) && b->isEnabled(); }

  // A panel button of the bottom bar opens its dialog; the tour names it and
  // closes it again with the same button, else Escape.
  void OpenPanel(int button, const std::string& name, std::function<void()> next) {
    BottomUIPC* bar = m_pView->m_pBottomUIPC;
    if (bar == nullptr) {
      notes.push_back("no bottom bar");
      return next();
    }
    Click(bar->GetPanelButton(button), name.c_str());
    Later(20, [=, this] { NameWhenStill(name, [=, this] { EscapeThen(name, next); }); });
  }

  // The panels open on the table: the bottom bar's and the rules window.
  std::size_t OpenPanelCount() const {
    BottomUIPC* bar = m_pView->m_pBottomUIPC;
    return (bar != nullptr ? bar->OpenPanels().size() : 0) + (GameViewPC::SharedGameRule()->isRunning() ? 1 : 0);
  }
  // Escape closes the dialog on top, and that one only; a note otherwise.
  void EscapeThen(const std::string& name, std::function<void()> next) {
    const std::size_t before = OpenPanelCount();
    m_Input.escape();
    Later(10, [=, this] {
      if (before == 0 || OpenPanelCount() != before - 1) notes.push_back("Escape did not close the " + name);
      Later(5, next);
    });
  }

  void BeforeStart() {
    cocos2d::ui::Button* start = m_pView->GetStartButton();
    if (start == nullptr || !ShownOnStage(start) || m_pView->IsSitRequestPending()) return;
    NameWhenStill("before-start", [=, this] {
      OpenPanel(BottomUIPC::kPanelSettings, "settings", [=, this] {
        m_Input.help();
        Later(20, [=, this] {
          if (!GameViewPC::SharedGameRule()->isRunning()) notes.push_back("F1 did not open the rules window");
          NameWhenStill("rules", [=, this] {
            EscapeThen("rules window", [=, this] {
              Click(m_pView->GetStartButton(), "start button");
              m_iStage = kHand;
              Later(30, [=, this] { Name("deal"); });
            });
          });
        });
      });
    });
  }

  // The first phrase of the open chat box, clicked on its words.
  void ChoosePhrase() {
    TalkLayer* talk = m_pView->m_pBottomUIPC->GetTalkLayer();
    cocos2d::Label* phrase = talk != nullptr ? talk->GetLabel(0) : nullptr;
    if (phrase == nullptr || !ShownOnStage(phrase) || phrase->getString().empty()) {
      notes.push_back("the chat box shows no phrase to choose");
      return;
    }
    m_Input.click(WorldCentre(phrase));
  }

  void InHand() {
    ResultLayer* screen = m_pView->GetResultScreen();
    if (screen != nullptr && screen->isRunning()) return AtResult(screen);
    if (GameMsgBox::shareMessageBox()->IsOpen()) return;
    WatchTable();
    SelfHandCard* hand = m_pView->GetSelfHand();
    if (hand == nullptr) return;
    for (int bid = SelfHandCard::kBtnBid3; bid >= SelfHandCard::kBtnBid0; --bid) {
      if (!Usable(hand->GetMainButton(bid))) continue;
      return NameWhenStill("bid-own", [=, this] {
        // The first hand's own seat passes, so the next seats' bids show.
        const int choice = m_iResults == 0 && Usable(hand->GetMainButton(SelfHandCard::kBtnBid0))
                               ? SelfHandCard::kBtnBid0
                               : bid;
        Click(hand->GetMainButton(choice), "bid button");
        if (choice == SelfHandCard::kBtnBid0) Later(25, [=, this] { Name("bid-other"); });
      });
    }
    if (!hand->IsWaitingForChoice() || !ShownOnStage(hand->GetMainButton(SelfHandCard::kBtnPlay))) return;
    ++m_iOwnTurns;
    if (m_iOwnTurns == 2 && m_iResults == 0) return Extras();
    const bool hinted = Usable(hand->GetMainButton(SelfHandCard::kBtnHint));
    if (hinted) Click(hand->GetMainButton(SelfHandCard::kBtnHint), "hint");
    Later(3, [=, this] {
      // Leading without a hint: a tap on the lowest card.
      if (!Usable(hand->GetMainButton(SelfHandCard::kBtnPlay)) && hand->SelectedCodes().empty() &&
          !hand->GetCards().empty()) {
        const SpriteCardInfo* lowest = hand->GetCards().back();
        m_Input.click(hand->convertToWorldSpace(cocos2d::Vec2(lowest->fX, lowest->fY)) + cocos2d::Vec2(10, 0));
      }
      Later(3, [=, this] {
        const auto play = [=, this] {
          if (Usable(hand->GetMainButton(SelfHandCard::kBtnPlay)))
            Click(hand->GetMainButton(SelfHandCard::kBtnPlay), "play button");
          else if (Usable(hand->GetMainButton(SelfHandCard::kBtnPass)))
            Click(hand->GetMainButton(SelfHandCard::kBtnPass), "pass button");
          Later(2, nullptr);
        };
        // The hint's own choice, ready to play.
        if (!m_Seen.count("play-own-hint") && hinted && !hand->SelectedCodes().empty() &&
            Usable(hand->GetMainButton(SelfHandCard::kBtnPlay)))
          NameWhenStill("play-own-hint", play);
        else
          play();
      });
    });
  }

  // At the own second turn of the first hand: the last round, the card
  // counter, the backpack, the quick chat, another seat's info and the quit
  // question.
  void Extras() {
    BottomUIPC* bar = m_pView->m_pBottomUIPC;
    Click(bar->GetQuickButton(BottomUIPC::kQuickLastRound), "last-round button");
    Later(15, [=, this] {
      NameWhenStill("last-round-tip", [=, this] {
        Click(bar->GetQuickButton(BottomUIPC::kQuickLastRound), "last-round button");
        Later(5, [=, this] {
          Click(bar->GetPanelButton(BottomUIPC::kPanelCounter), "card counter button");
          Later(15, [=, this] {
            NameWhenStill("card-counter", [=, this] {
              ClickCounterMode([=, this] {
                // The rules opened over the counter's strip.
                m_Input.help();
                Later(20, [=, this] {
                  NameWhenStill("rules-over-counter", [=, this] {
                    EscapeThen("rules window", [=, this] {
                      Click(bar->GetPanelButton(BottomUIPC::kPanelCounter), "card counter button");
                      Later(5, [=, this] { Dialogs([=, this] { InfoAndQuit(); }); });
                    });
                  });
                });
              });
            });
          });
        });
      });
    });
    m_iOwnTurns = 3;
  }

  // The open card counter's mode button (remaining or played), clicked: the
  // strip shows the other mode (a note when it does not). Left in the mode it
  // was found in; `next` once the click has gone through the window.
  void ClickCounterMode(std::function<void()> next) {
    CardCounterLayer* counter = m_pView->m_pBottomUIPC->GetOpenCardCounter();
    if (counter == nullptr) {
      notes.push_back("no open card counter");
      return next();
    }
    const int before = counter->GetShowMode();
    Click(before == CardCounterLayer::kModeRemaining ? counter->GetPlayedButton() : counter->GetRemainButton(),
          "card counter's mode button");
    Later(5, [=, this] {
      if (counter->GetShowMode() == before) notes.push_back("the card counter's mode button does not take a click");
      if (before == CardCounterLayer::kModeRemaining)
        counter->ShowRemain();
      else
        counter->ShowPlayed();
      next();
    });
  }

  // The backpack, the quick chat and a phrase chosen from it.
  void Dialogs(std::function<void()> next) {
    OpenPanel(BottomUIPC::kPanelPack, "backpack", [=, this] {
      Click(m_pView->m_pBottomUIPC->GetPanelButton(BottomUIPC::kPanelTalk), "chat button");
      Later(20, [=, this] {
        NameWhenStill("chat", [=, this] {
          ChoosePhrase();
          Later(20, [=, this] { NameWhenStill("chat-phrase", next); });
        });
      });
    });
  }

  // Another seat's info popup, then the quit question during the hand
  // (asked with Escape).
  void InfoAndQuit() {
    cocos2d::Vec2 head;
    auto* table = dynamic_cast<TourTable*>(m_pView);
    if (table != nullptr && table->GetSeatHeadCenter(0, head)) m_Input.click(head);
    else notes.push_back("no head at seat 0");
    Later(15, [=, this] {
      NameWhenStill("info-popup", [=, this] {
        m_Input.click({640, 560});  // an empty place of the table closes it
        Later(5, [=, this] {
          m_Input.escape();
          Later(15, [=, this] {
            NameWhenStill("quit-hand", [=, this] {
              CancelQuestion([=, this] { m_iOwnTurns = 2; });  // play on at the next look
            });
          });
        });
      });
    });
  }

  // The quit question's cancel button, clicked; `next` once the click has
  // gone through the window (a few frames later).
  void CancelQuestion(std::function<void()> next) {
    GameMsgBox* box = GameMsgBox::shareMessageBox();
    if (!box->IsOpen()) {
      notes.push_back("no quit question after Escape or the window's close button");
      return next();
    }
    Click(box->GetButton(false), "cancel button of the quit question");
    Later(5, [=, this] {
      if (box->IsOpen()) {
        notes.push_back("the quit question's cancel button does not close it");
        box->PressCancel();
      }
      next();
    });
  }

  // Plays on the table: each seat's first play, the first of each card type.
  void WatchTable() {
    if (TopUIPC* bar = m_pView->m_pTopUIPC; bar != nullptr && !m_Seen.count("bottom-cards")) {
      cocos2d::Sprite* card = bar->GetBaseCardSprite(0);
      if (card != nullptr && ShownOnStage(card)) return Later(15, [=, this] { NameWhenStill("bottom-cards", nullptr); });
    }
    for (int seat : {0, 2}) {
      auto* row = m_pView->m_pSendCard[seat];
      const std::string name = "play-seat-" + std::to_string(seat);
      if (row != nullptr && ShownOnStage(row) && row->GetCardCount() > 0 && !m_Seen.count(name))
        return Later(10, [=, this] { NameWhenStill(name, nullptr); });
    }
    const std::vector<int>& table = m_pView->m_TableItem.vcTableCardIndex;
    if (table == m_LastTable) return;
    m_LastTable = table;
    if (table.empty()) return;
    ddz::CardTypeInfo type;
    std::vector<ddz::CardCode> codes(table.begin(), table.end());
    if (!ddz::ClueCard::GetCardType(type, codes)) return;
    std::string name;
    if (type.type == ddz::CardType::Bomb) name = "bomb";
    if (type.type == ddz::CardType::Rocket) name = "rocket";
    if (type.type >= ddz::CardType::StraightFirst && type.type <= ddz::CardType::StraightLast) name = "straight";
    if ((type.type >= ddz::CardType::PlaneFirst && type.type <= ddz::CardType::PlaneLast) ||
        (type.type >= ddz::CardType::PlaneWingsFirst && type.type <= ddz::CardType::PlaneWingsLast))
      name = "plane";
    if (!name.empty() && !m_Seen.count(name)) Later(12, [=, this] { Name(name); });
  }

  void AtResult(ResultLayer* screen) {
    if (screen->HasActed()) return;
    cocos2d::ui::Button* next = screen->GetButton(ResultLayer::kBtnContinue);
    // The window comes in by stages (title, panel, scores, the buttons last);
    // it is looked at once its continue button stands still, or after 8 s
    // (the lingering win burst never stands still).
    const bool buttonAtRest = next != nullptr && ShownOnStage(next) && next->getNumberOfRunningActions() == 0;
    if (!buttonAtRest && ++m_iResultFrames < 8 * 30) return;
    const int hand = m_iResults;
    const auto go = [=, this] {
      m_iResultFrames = 0;
      ++m_iResults;
      m_iOwnTurns = 0;
      m_LastTable.clear();
      if (m_iResults >= maxHands) {
        // The last continue: the day's losses at the limit, as a player's
        // who lost it today, so the table refuses the next hand.
        m_pView->m_iDayLoseAmount = GameViewPC::kLoseLimit;
        Click(next, "continue button");
        Later(15, [=, this] { NameWhenStill("loss-limit", [this] { m_bDone = true; }); });
        return;
      }
      if (Usable(next)) {
        Click(next, "continue button");
      } else {
        notes.push_back("result screen of hand " + std::to_string(hand + 1) + ": no continue button" +
                        (next == nullptr ? std::string(" (none made)")
                                         : std::string(" (visible ") + std::to_string(next->isVisible()) + ", enabled " +
                                               std::to_string(next->isEnabled()) + ", shown " +
                                               std::to_string(ShownOnStage(next)) + ")"));
        m_pView->OnResultBtnContinue();
      }
    };
    const bool won = m_pView->GetPlayerNode(1) != nullptr && OwnWon(screen);
    const auto named = [=, this] {
      Name(won ? "result-won" : "result-lost");
      if (Spring(screen)) Name("spring");
      if (hand > 0) Name("result-later");
      if (hand == 0) {
        m_Input.close();
        Later(15, [=, this] {
          NameWhenStill("quit-result", [=, this] { CancelQuestion([=, this] { Later(5, go); }); });
        });
      } else {
        go();
      }
    };
    if (hand == 0) {
      Name("result-first");
      Later(1, named);
    } else {
      named();
    }
  }
  // The window's spring count (the third detail) is 1.
  static bool Spring(ResultLayer* screen) {
    cocos2d::ui::TextAtlas* spring = screen->GetDetailNumber(2);
    return spring != nullptr && spring->getString() == ResultLayer::SignedText(1);
  }
  static bool OwnWon(ResultLayer* screen) {
    auto* number = screen->GetSeatNumber(1);
    // The own score is written in the winner's digits or the loser's.
    return number != nullptr && number->getRenderer() != nullptr &&
           number->getRenderer()->getCharMapFile().find(ResultLayer::kWinAtlas) != std::string::npos;
  }

  Input m_Input;
  ScreenHandler m_OnScreen;
  GameViewPC* m_pView = nullptr;
  int m_iStage = kBeforeStart;
  int m_iFrame = 0;
  int m_iWait = 0;
  std::function<void()> m_Then;
  std::set<std::string> m_Seen;
  std::vector<int> m_LastTable;
  int m_iOwnTurns = 0;
  int m_iResults = 0;
  int m_iResultFrames = 0;
  bool m_bDone = false;
  bool m_bTableReady = false;
  std::size_t m_iSeenAtLastLook = 0;
  int m_iResultsAtLastLook = 0;
  int m_iLastProgress = 0;
};

// ---------------------------------------------------------------- the layout check

// A node's class and name, and its parent's, for a report line.
inline std::string Describe(const cocos2d::Node* node) {
  const auto one = [](const cocos2d::Node* n) {
    int status = 0;
    char* plain = abi::__cxa_demangle(typeid(*n).name(), nullptr, nullptr, &status);
    std::string text = status == 0 && plain != nullptr ? plain : typeid(*n).name();
    std::free(plain);
    if (!n->getName().empty()) text += " [" + n->getName() + "]";
    return text;
  };
  std::string text = one(node);
  if (node->getParent() != nullptr) text += " in " + one(node->getParent());
  return text;
}

// Whether `n` or a node above it runs an action: a node still on its way is
// judged where it comes to rest, at a later screen.
inline bool Moving(const cocos2d::Node* n) {
  for (; n != nullptr; n = n->getParent())
    if (n->getNumberOfRunningActions() > 0) return true;
  return false;
}

// The button `n` is part of (`n` itself or a node above it), else null.
inline const cocos2d::ui::Button* ButtonOf(const cocos2d::Node* n) {
  for (; n != nullptr; n = n->getParent())
    if (auto* button = dynamic_cast<const cocos2d::ui::Button*>(n)) return button;
  return nullptr;
}

// How far a drawing may reach past the window's edge: a bar may bleed a
// little past the edge it hangs from, but a button is drawn whole (its
// frame two points past the edge is cut off).
constexpr float kEdgeBleed = 2;
constexpr float kButtonEdgeSlack = 0.5f;

// What a player would object to on the screen now, from what the scene draws:
// a drawn picture, text or box that does not lie inside the 1280 x 720 window,
// a shown button without caption; and, when `reachable` is given (it answers
// whether a tap at a button's centre reaches that button), a shown, enabled
// button that a tap does not reach.
inline std::vector<std::string> CheckLayout(cocos2d::Scene* scene,
                                            const std::function<bool(cocos2d::ui::Button*)>& reachable) {
  std::vector<std::string> problems;
  std::set<std::string> seen;
  const auto report = [&](std::string line) {
    if (seen.insert(line).second) problems.push_back(std::move(line));
  };
  cocos2d::HeadlessRenderer recorder;
  recorder.setRecording(true);
  recorder.beginFrame();
  scene->visit(&recorder, cocos2d::AffineTransform::IDENTITY, 0);
  recorder.endFrame();
  std::set<const cocos2d::Node*> drawn;
  // What a clipping view (a scrolled list) holds shows only inside the view:
  // the view's own box is judged instead.
  const auto clipper = [](const cocos2d::Node* n) -> const cocos2d::ui::Layout* {
    for (n = n->getParent(); n != nullptr; n = n->getParent())
      if (auto* l = dynamic_cast<const cocos2d::ui::Layout*>(n); l != nullptr && l->isClippingEnabled()) return l;
    return nullptr;
  };
  for (const cocos2d::DrawCommand& c : recorder.lastFrame()) {
    if (c.opacity == 0 || c.node == nullptr) continue;
    drawn.insert(c.node);
    if (const cocos2d::ui::Layout* view = clipper(c.node)) {
      const cocos2d::Rect box = WorldBox(view);
      if (box.getMinX() < -kEdgeBleed || box.getMaxX() > 1280 + kEdgeBleed || box.getMinY() < -kEdgeBleed ||
          box.getMaxY() > 720 + kEdgeBleed)
        report(Describe(view) + " (a clipping view) lies outside the window");
      continue;
    }
    const cocos2d::Rect local = c.kind == cocos2d::DrawKind::Image ? c.quad : cocos2d::Rect(0, 0, c.size.width, c.size.height);
    if (local.size.width <= 0 || local.size.height <= 0 || Moving(c.node)) continue;
    if (c.kind == cocos2d::DrawKind::Color) {
      // A shade over the whole window (a dialog's dim) covers it on purpose.
      const cocos2d::Vec2 low = c.transform.apply(local.origin);
      const cocos2d::Vec2 high = c.transform.apply({local.getMaxX(), local.getMaxY()});
      if (low.x <= 0 && low.y <= 0 && high.x >= 1280 && high.y >= 720) continue;
    }
    const cocos2d::Vec2 corners[4] = {c.transform.apply(local.origin),
                                      c.transform.apply({local.getMaxX(), local.getMinY()}),
                                      c.transform.apply({local.getMinX(), local.getMaxY()}),
                                      c.transform.apply({local.getMaxX(), local.getMaxY()})};
    const float slack = ButtonOf(c.node) != nullptr ? kButtonEdgeSlack : kEdgeBleed;
    for (const cocos2d::Vec2& p : corners) {
      if (p.x < -slack || p.x > 1280 + slack || p.y < -slack || p.y > 720 + slack) {
        const cocos2d::Rect box = WorldBox(c.node);
        report(Describe(c.node) + " (" + (c.what.size() > 40 ? c.what.substr(0, 40) : c.what) + ") drawn outside the window at " +
               std::to_string(static_cast<int>(box.getMinX())) + "," + std::to_string(static_cast<int>(box.getMinY())) +
               " " + std::to_string(static_cast<int>(box.size.width)) + "x" +
               std::to_string(static_cast<int>(box.size.height)));
        break;
      }
    }
  }
  // Under a modal dialog (a layer that takes every touch) only the dialog's
  // own buttons must answer.
  const YndGameLayer* modal = nullptr;
  int modals = 0;
  std::function<void(cocos2d::Node*)> findModal = [&](cocos2d::Node* node) {
    if (!node->isVisible()) return;
    if (auto* layer = dynamic_cast<YndGameLayer*>(node); layer != nullptr && layer->GetNeedDiableOtherTouch()) {
      // A modal popup that a modal dialog opened inside itself (a drop-down
      // list) is part of that dialog.
      bool nested = false;
      for (const cocos2d::Node* n = layer->getParent(); n != nullptr && !nested; n = n->getParent()) nested = n == modal;
      if (!nested) ++modals;
      modal = layer;
    }
    for (cocos2d::Node* child : node->getChildren()) findModal(child);
  };
  findModal(scene);
  if (modals > 1) report(std::to_string(modals) + " modal dialogs are open at once");
  const auto underModal = [&](const cocos2d::Node* n) {
    if (modal == nullptr) return false;
    for (; n != nullptr; n = n->getParent())
      if (n == modal) return false;
    return true;
  };
  std::function<void(cocos2d::Node*)> visit = [&](cocos2d::Node* node) {
    if (!node->isVisible()) return;
    if (auto* button = dynamic_cast<cocos2d::ui::Button*>(node); button != nullptr && button->isTouchEnabled()) {
      bool captioned = !button->getTitleText().empty();
      std::function<void(cocos2d::Node*)> look = [&](cocos2d::Node* n) {
        for (cocos2d::Node* child : n->getChildren()) {
          if (child->isVisible() && (dynamic_cast<cocos2d::Label*>(child) != nullptr || drawn.count(child))) captioned = true;
          look(child);
        }
      };
      look(button);
      if (!captioned) report(Describe(button) + ": a shown button without caption");
      if (reachable && button->isEnabled() && !underModal(button) && !Moving(button) && !reachable(button))
        report(Describe(button) + ": a tap at its centre does not reach it");
    }
    for (cocos2d::Node* child : node->getChildren()) visit(child);
  };
  visit(scene);
  return problems;
}

}  // namespace ddz::tour
