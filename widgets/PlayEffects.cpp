#include "widgets/PlayEffects.h"

#include <string>

#include "cardlogic/CardCodes.h"
#include "cardlogic/SuperRules.h"
#include "gamedata/LayoutConfig.h"
#include "platform/gamebase/AniBase.h"
#include "platform/os/Random.h"
#include "platform/os/Saturate.h"
#include "table/DDZGameView.h"
#include "table/GameSoundDDZ.h"
#include "widgets/CardTypeAnis.h"

namespace {

using enum GameSoundDDZ::SeatVoice;
constexpr int kPlayEffect = 5;  // "ddzSound/5.mp3" with every play
constexpr int kThrowBomb = 1;
constexpr int kThrowRocket = 2;

}  // namespace

const PlayEffectRules kClassicPlayEffects = {ddz::CardType::StraightLast, ddz::CardType::PairStraightFirst,
                                             ddz::CardType::PlaneWingsLast, false, false};
const PlayEffectRules kSuperPlayEffects = {ddz::SuperCardType::StraightLast, ddz::SuperCardType::PairStraightFirst,
                                           ddz::SuperCardType::PlaneSixShortWings, true, true};

void ShowPlayEffect(DDZGameView* view, const PlayEffectRules& rules, int type, int head, int seat, int previousOwner,
                    bool seatEffect) {
  if (view == nullptr) return;
  GameSoundDDZ* sound = GameSoundDDZ::shareGameSoundDDZ();
  sound->PlayGameSound(std::to_string(kPlayEffect) + ".mp3");
  AniManage* anis = view->GetAniManage();
  auto show = [anis](AniBase* ani, bool now) {
    // The manager takes the one reference of a new animation.
    if (anis == nullptr) {
      ani->release();
      return;
    }
    anis->ShowAni(ani, now, true);
  };
  auto doubleMultiple = [view] {
    view->m_TableItem.iTimes = ddz::os::SaturatingMul(view->m_TableItem.iTimes, 2);
    view->ShowTableMultiple(view->m_TableItem.iTimes);
  };
  using namespace ddz::CardType;
  // The heads act as if the seat's side had won.
  const bool landlordSeat = seat == view->m_TableItem.iLandOwnerPos;
  const bool leads = previousOwner == seat;
  const auto beatIt = [&] { sound->PlayerTalk(head, kVoiceBeatIt + static_cast<int>(ddz::os::Rand() % 2)); };
  if (type == Bomb || (rules.tripleBomb && type == ddz::SuperCardType::TripleBomb)) {
    if (seatEffect) {
      show(new Ddz_PlayerEffect(view, seat, previousOwner, kThrowBomb), true);
    } else {
      doubleMultiple();
      show(new cjddz_AniSuperFallBomb(view, g_ptSuperBomb[0], g_ptSuperBomb[1]), true);
    }
    view->ShowPlayerResultActs(landlordSeat);
    sound->PlayerTalk(head, kVoiceBomb);
  } else if (type == Rocket) {
    if (seatEffect) {
      show(new Ddz_PlayerEffect(view, seat, previousOwner, kThrowRocket), true);
    } else {
      doubleMultiple();
      show(new AniRocket(), true);
    }
    view->ShowPlayerResultActs(landlordSeat);
    // The seat's throw speaks the bomb's words.
    sound->PlayerTalk(head, seatEffect ? kVoiceBomb : kVoiceRocket);
  } else if (type >= StraightFirst && type <= rules.straightLast) {
    show(new AniShunzi(1), false);
    view->ShowPlayerResultActs(landlordSeat);
    sound->PlayerTalk(head, kVoiceStraight);
  } else if (type >= rules.pairStraightFirst && type <= PairStraightLast) {
    show(new AniShunzi(2), false);
    view->ShowPlayerResultActs(landlordSeat);
    sound->PlayerTalk(head, kVoicePairStraight);
  } else if (type >= PlaneFirst && type <= PlaneLast) {
    view->ShowPlayerResultActs(landlordSeat);
    sound->PlayerTalk(head, kVoicePlane);
  } else if (type >= PlaneWingsFirst && type <= rules.planeWingsLast) {
    show(new AniPlane(), false);
    view->ShowPlayerResultActs(landlordSeat);
    sound->PlayerTalk(head, kVoicePlaneWings);
  } else if (type == Triple || type == TripleSingle || type == TriplePair) {
    if (!leads) {
      beatIt();
    } else {
      sound->PlayerTalk(head, type == Triple         ? kVoiceTriple
                              : type == TripleSingle ? kVoiceTripleSingle
                                                     : kVoiceTriplePair);
    }
  } else if (type == FourTwoSingles || type == FourTwoPairs) {
    if (leads) {
      sound->PlayerTalk(head, kVoiceFourTwo);
    } else {
      beatIt();
    }
  } else if (rules.othersBeatIt && type != Single && type != Pair) {
    beatIt();
  }
}
