// What a play shows and says by its card type, for the three-seat tables
// (classic and Super): the bomb and rocket effects (in call-and-rob mode the
// seat's throw, otherwise the multiple doubles with the big animation), the
// straight, pair-straight and plane animations, the heads' acts and the
// seat's voice. The tables differ only in their type ranges and in whether a
// type without a call of its own says "beat it": PlayEffectRules.
//
// Called right after the play became the one on the table, with the seat that
// held the table before (the seat leads when that was itself).
#pragma once

class DDZGameView;

struct PlayEffectRules {
  int straightLast;       // straights run from 21 to here
  int pairStraightFirst;  // pair straights from here to 42
  int planeWingsLast;     // planes with wings from 96 to here
  bool tripleBomb;        // type 105 is a bomb
  bool othersBeatIt;      // any other type but single and pair says "beat it"
};

// The classic table's and the Super table's rules.
extern const PlayEffectRules kClassicPlayEffects;
extern const PlayEffectRules kSuperPlayEffects;

// `view` borrowed. `seatEffect`: the call-and-rob table throws the seat's
// bomb or rocket instead of doubling the multiple.
void ShowPlayEffect(DDZGameView* view, const PlayEffectRules& rules, int type, int head, int seat, int previousOwner,
                    bool seatEffect);
