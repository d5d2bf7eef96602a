// The computer player's answer to another seat's play: the gates by role and
// cards left, the searcher of each kind, and when bombs and the rocket go out.
// Every play goes through Commit, which refuses anything that does not beat
// the last play, so a searcher can only pass or beat.
#include <algorithm>

#include "cardlogic/PlayerCardPlay.h"

namespace ddz {

using namespace play;

bool CPlayerCard::TryBombs(PlayContext& ctx) { return PlayBomb(ctx) || PlayBombOf2s(ctx) || PlayRocket(ctx); }

bool CPlayerCard::PartnerCoveredOwnPlay(const PlayContext& ctx) const {
  return ctx.partnerPlayed && ctx.last.pPrevPlayer == this;
}

bool CPlayerCard::Follow(PlayContext& ctx) {
  const CombinationRecord& last = ctx.last;
  const int code = last.iType;
  // 1. Nothing to answer, a rocket, or a record that names no play: pass.
  if (code < Combo::Plane || code > Combo::Single) return false;
  if (GetCombinationTypeInfo(last).type == CardType::Invalid) return false;

  const bool againstBomb = code == Combo::Bomb;
  const int E = ctx.enemyMin;
  const int P = ctx.partner;
  const int L = ctx.loose;
  const int U = ctx.uncovered;
  const bool seenJoker = SeenSmallJoker() || SeenBigJoker();
  const int byRole = last.pPlayer != nullptr ? last.pPlayer->GetRole() : -1;
  const auto bombTries = [&](bool danger) {
    if (againstBomb ? FollowWithBomb(ctx, false, danger) : PlayBomb(ctx)) return true;
    return PlayBombOf2s(ctx) || PlayRocket(ctx);
  };

  // 2. Close to done: bombs and the rocket take the lead.
  if (m_iTurns < 3 && bombTries(true)) return true;
  // 3. Nothing but bombs.
  if (IsOnlyBombsLeft() && bombTries(ctx.danger)) return true;
  // 4. The landlord cannot follow the partner's play with the cards it has left.
  if (m_iRole == 2 && P < 3 && (E == 2 || E == 3) && byRole == 1 && E < ctx.lastCards) return false;
  // 5. The partner is down to one card: take the lead to hand it a low single.
  if (m_iRole == 1 && P == 1) {
    bool low = false;
    for (int v = kLow; v <= 10; ++v) low = low || Held(v) > 0;
    if (low) {
      if (PlayRocket(ctx)) return true;
      if (seenJoker) {
        if (againstBomb ? FollowWithBomb(ctx, false, ctx.danger) : PlayBomb(ctx)) return true;
        if (PlayBombOf2s(ctx)) return true;
      }
    }
  }
  // 6. The whole hand beats it.
  if (FinishWithWholeHand(ctx)) return true;
  // 7. A strong farmer before the landlord with nothing low left answers a low single with a 2.
  if (m_iRole == 2 && m_iBidWish == 3 && code == Combo::Single && last.iLow < 11 && P > 2 && m_iLowSingles == 0 &&
      Held(k2) >= 1 && Held(k2) <= 3 && PlaySingleFromHand(ctx, k2))
    return true;
  // 8. The opponent is down to one card and the partner has the lead.
  if (E == 1 && ctx.partnerPlayed) {
    if (code == Combo::Single && last.iLow < kA) {
      if (CountUncarriedSingles() > 1) {
        for (int v = kSmall; v > last.iLow; --v) {
          if (Held(v) == 0) continue;
          if (PlaySingleFromHand(ctx, v)) return true;
          break;
        }
      }
    } else if (U > 1) {
      return false;
    }
  }
  // 9. Leave the partner's play alone.
  if (m_iRole == 1 && byRole == 2 && E > 2 && P < 9 && m_iCardCount != ctx.lastCards) return false;
  if (ctx.partnerPlayed && ((code == Combo::Single && P == 1) || (code == Combo::Pair && P == 2))) return false;
  // 10. The partner's pair: let it be, or take the lead for a partner with one card.
  if (m_iRole == 2 && ctx.partnerPlayed && code == Combo::Pair) {
    if (P == 2) return false;
    if (P == 1 && PlayPairMark(ctx, LowestPairMark(std::max(10, last.iLow + 1), kA))) return true;
  }

  // 11. The searcher of the kind.
  if (againstBomb) {
    if (ctx.partnerPlayed || m_iBidWish < 2 || m_iHighScore < 2 || !ctx.danger || m_iHighScore < L + 1) return false;
    return FollowWithBomb(ctx, ctx.partnerPlayed, ctx.danger);
  }
  bool played = false;
  switch (code) {
    case Combo::Plane: played = FollowPlane(ctx); break;
    case Combo::PlaneSingles: played = FollowPlaneWithSingles(ctx); break;
    case Combo::PlanePairs: played = FollowPlaneWithPairs(ctx); break;
    case Combo::PairStraight: played = FollowPairStraight(ctx); break;
    case Combo::Straight: played = FollowStraight(ctx); break;
    case Combo::FourTwoSingles:
      played = !ctx.partnerPlayed && ctx.danger && FollowWithFourAndTwoSingles(ctx);
      break;
    case Combo::FourTwoPairs:
      played = !ctx.partnerPlayed && ctx.danger && FollowWithFourAndTwoPairs(ctx);
      break;
    case Combo::Triple: played = FollowTriple(ctx); break;
    case Combo::TripleSingle: played = FollowTripleWithSingle(ctx); break;
    case Combo::TriplePair: played = FollowTripleWithPair(ctx); break;
    case Combo::Pair: played = FollowPair(ctx); break;
    case Combo::Single: played = FollowSingle(ctx); break;
    default: break;
  }
  if (played) return true;

  // 12. Nearly out, with control of what follows: bomb.
  const bool control = (SeenSmallJoker() && SeenBigJoker()) || Held(kBig) > 0 || (Held(k2) >= 2 && seenJoker);
  const int listed = ListedCount();
  if (((L == 1 && listed == 0) || (L == 0 && listed == 1)) && control && TryBombs(ctx)) return true;
  // 13. An opponent nearly out and this seat close behind.
  if (((E == 2 && L < 2) || (E == 1 && U < 2)) && (m_iRole != 0 || CountControlTurns() < 4) && TryBombs(ctx))
    return true;
  // 14. The landlord.
  if (m_iRole == 0) {
    if (m_iTurns < 3) {
      if (PlayRocket(ctx)) return true;
      if (seenJoker && (PlayBomb(ctx) || PlayBombOf2s(ctx))) return true;
    }
    const int bombs = CountBombs();
    return bombs > 1 && m_iTurns <= 2 * bombs && TryBombs(ctx);
  }
  // 15. A farmer against the landlord nearly out.
  if (!ctx.partnerPlayed && E < 4 && (Held(kSmall) > 0 || Held(kBig) > 0 || seenJoker)) {
    const bool sure = Held(kBig) > 0 || (Held(kSmall) > 0 && SeenBigJoker()) ||
                      (SeenSmallJoker() && SeenBigJoker() && Held(k2) > 0);
    if ((sure || CountBombs() > 1) && TryBombs(ctx)) return true;
  }
  return false;
}

bool CPlayerCard::FinishWithWholeHand(PlayContext& ctx) {
  if (m_iCardCount != ctx.lastCards) return false;
  const int code = ctx.last.iType;
  const int lv = ctx.last.iLow;
  const auto heldAbove = [&](int times, int top) {
    for (int v = lv + 1; v <= top; ++v)
      if (Held(v) == times) return v;
    return 0;
  };
  const auto lowestHeld = [&](int times, int top, int except) {
    for (int v = kLow; v <= top; ++v)
      if (v != except && Held(v) == times) return v;
    return 0;
  };
  CombinationRecord move;
  switch (code) {
    case Combo::Bomb: move = Move(code, heldAbove(4, k2)); break;
    case Combo::Triple: move = Move(code, heldAbove(3, k2)); break;
    case Combo::Pair: move = Move(code, heldAbove(2, k2)); break;
    case Combo::Single: move = Move(code, heldAbove(1, kBig)); break;
    case Combo::TripleSingle:
    case Combo::TriplePair: {
      const int v = heldAbove(3, k2);
      const int wing = code == Combo::TripleSingle ? lowestHeld(1, kBig, v) : lowestHeld(2, k2, v);
      if (v == 0 || wing == 0) return false;
      move = Move(code, v);
      move.iWingKind = code == Combo::TripleSingle ? kWingSingles : kWingPairs;
      move.iWings[0] = wing;
      break;
    }
    default: return false;  // chains and fours are never finished this way
  }
  return move.iLow != 0 && Commit(ctx, move, true);
}

bool CPlayerCard::FollowWithBomb(PlayContext& ctx, bool partnerPlayed, bool danger) {
  const int k = ctx.enemyMin;
  const int L = ctx.loose;
  const auto higherBomb = [&] {
    for (int slot = 0; slot < kListSize; ++slot) {
      const auto& rec = m_Combination[slot];
      if (rec.iType != Combo::Bomb || rec.iLow == k2 || rec.iLow <= ctx.last.iLow) continue;
      if (!Commit(ctx, Move(Combo::Bomb, rec.iLow), false)) return false;
      ClearSlot(slot);
      return true;
    }
    return false;
  };
  if (((k == 2 && L < 2) || (k == 1 && ctx.uncovered < 2)) && !(m_iRole == 0 && CountControlTurns() > 3)) {
    if (higherBomb() || PlayBombOf2s(ctx) || PlayRocket(ctx)) return true;
  }
  if (partnerPlayed || !danger || m_iBidWish < 2) return false;
  if (m_iHighScore < 2 || m_iHighScore < L + 1) return false;
  if (higherBomb()) return true;
  if (m_iHighScore >= L + 4 && PlayBombOf2s(ctx)) return true;
  return m_iHighScore >= L + 2 && PlayRocket(ctx);
}

bool CPlayerCard::FollowChain(PlayContext& ctx) {
  using WS = WingSource;
  const CombinationRecord& last = ctx.last;
  const int code = last.iType;
  const int m = last.iHigh - last.iLow;
  const bool plane = code <= Combo::PlanePairs;
  const int listCode = plane ? Combo::Plane : code;
  const int E = ctx.enemyMin;
  const int L = ctx.loose;
  if ((plane || code == Combo::PairStraight) && ctx.partnerPlayed && m_iTurns >= 4 && (E != 1 || L > 1)) return false;

  // A plane with wings needs more loose cards than m.
  const auto wingsFor = [&](WingChoice& w, int low, int high) {
    const int n = high - low + 1;
    if (code == Combo::PlaneSingles)
      return m_iSingles + m_iPairs > m &&
             CollectWings(w, kWingSingles, n, low, high, {{WS::SingleMark, kLow, kBig}, {WS::SplitPair, kLow, k2}});
    if (code == Combo::PlanePairs)
      return m_iPairs > m && CollectWings(w, kWingPairs, n, low, high, {{WS::PairMark, kLow, k2}});
    w = WingChoice{};
    return true;
  };

  // A list record of the same length, taken whole.
  for (int slot = 0; slot < kListSize; ++slot) {
    const auto& rec = m_Combination[slot];
    if (rec.iType != listCode || rec.iHigh - rec.iLow != m || rec.iHigh <= last.iHigh) continue;
    // A high straight stays back while the partner has the lead.
    if (code == Combo::Straight && ctx.partnerPlayed && rec.iHigh >= 11 && !(E == 1 && L < 2)) continue;
    WingChoice w;
    if (!wingsFor(w, rec.iLow, rec.iHigh)) continue;
    CombinationRecord move = Move(code, rec.iLow, rec.iHigh);
    w.WriteTo(move);
    if (!Commit(ctx, move, false)) continue;
    ClearSlot(slot);
    ApplyWings(w);
    return true;
  }

  // The lowest part of a longer list record that beats it.
  if (!ctx.partnerPlayed && (!plane || ctx.danger)) {
    for (int slot = 0; slot < kListSize; ++slot) {
      const auto& rec = m_Combination[slot];
      if (rec.iType != listCode || rec.iHigh <= last.iHigh) continue;
      const int extra = rec.iHigh - rec.iLow - m;
      if (extra <= 0) continue;
      if (code == Combo::PairStraight && extra > 1) continue;
      if (code == Combo::Straight && extra > 2) continue;
      const int start = std::max(rec.iLow, last.iLow + 1);
      if (start + m > rec.iHigh) continue;
      WingChoice w;
      if (!wingsFor(w, start, start + m)) continue;
      CombinationRecord move = Move(code, start, start + m);
      w.WriteTo(move);
      if (Commit(ctx, move, true)) return true;
    }
  }

  // Under threat: build a straight or pair straight out of the hand.
  if (!ctx.partnerPlayed && ctx.danger && (code == Combo::PairStraight || code == Combo::Straight)) {
    const int least = code == Combo::PairStraight ? 2 : 1;
    for (int start = last.iLow + 1; start + m <= kA; ++start) {
      bool ok = true;
      for (int v = start; v <= start + m && ok; ++v) ok = Held(v) >= least && Held(v) <= 3;
      if (ok && Commit(ctx, Move(code, start, start + m), true)) return true;
    }
  }
  return false;
}

bool CPlayerCard::FollowWithFour(PlayContext& ctx) {
  using WS = WingSource;
  const bool singles = ctx.last.iType == Combo::FourTwoSingles;
  for (int slot = 0; slot < kListSize; ++slot) {
    const auto& rec = m_Combination[slot];
    if (rec.iType != Combo::Bomb || rec.iLow == k2 || rec.iLow <= ctx.last.iLow) continue;
    WingChoice w;
    if (!CollectWings(w, singles ? kWingSingles : kWingPairs, 2, rec.iLow, rec.iLow,
                      {{singles ? WS::SingleMark : WS::PairMark, kLow, kA}}))
      return false;
    CombinationRecord move = Move(ctx.last.iType, rec.iLow);
    w.WriteTo(move);
    if (!Commit(ctx, move, false)) return false;
    ClearSlot(slot);
    ApplyWings(w);
    --m_iHighScore;  // the bomb record counted in the score; taking out a four does not lower it
    return true;
  }
  return false;
}

bool CPlayerCard::FollowTripleKind(PlayContext& ctx) {
  using WS = WingSource;
  const int code = ctx.last.iType;
  const int lv = ctx.last.iLow;
  if (lv == k2) return false;
  const int E = ctx.enemyMin;
  const bool forced = E == 1 && ctx.partnerPlayed && (ctx.loose < 2 || m_iTurns < 3);
  const int kind = code == Combo::TripleSingle ? kWingSingles : code == Combo::TriplePair ? kWingPairs : 0;
  const bool alone = ListedCount() == 1;

  // Wings out of the marks (for a triple of the list or of a list plane).
  const auto listWing = [&](WingChoice& w, int value) {
    w = WingChoice{};
    if (kind == kWingSingles) {
      if (CollectWings(w, kind, 1, value, value, {{WS::SingleMark, kLow, kA}, {WS::SplitPair, kLow, kA}})) return true;
      return alone && CollectWings(w, kind, 1, value, value, {{WS::SingleMark, k2, k2}});
    }
    if (kind == kWingPairs) {
      if (CollectWings(w, kind, 1, value, value, {{WS::PairMark, kLow, kA}})) return true;
      return alone && Held(k2) >= 2 && CollectWings(w, kind, 1, value, value, {{WS::PairMark, k2, k2}});
    }
    return true;
  };
  // Wings out of the hand (for a triple made of held cards).
  const auto handWing = [&](WingChoice& w, int value, bool jokerLast) {
    w = WingChoice{};
    if (kind == kWingSingles)
      return CollectWings(w, kind, 1, value, value,
                          {{WS::SingleMark, kLow, kA},
                           {WS::SplitPair, kLow, kA},
                           {WS::HeldOnce, kLow, kA},
                           {WS::HeldTwice, kLow, kA},
                           {WS::SingleMark, k2, k2},
                           {WS::Held, jokerLast ? kSmall : kBig + 1, kBig}});
    if (kind == kWingPairs)
      return CollectWings(w, kind, 1, value, value,
                          {{WS::PairMark, kLow, kA}, {WS::HeldTwice, kLow, kA}, {WS::HeldTwoOrThree, k2, k2}});
    return true;
  };
  const auto play = [&](int value, const WingChoice& w, bool reanalyse) {
    CombinationRecord move = Move(code, value);
    w.WriteTo(move);
    return Commit(ctx, move, reanalyse);
  };

  // 1. A triple of the list.
  for (int slot = 0; slot < kListSize; ++slot) {
    const auto& rec = m_Combination[slot];
    if (rec.iType != Combo::Triple || rec.iLow == k2 || rec.iLow <= lv) continue;
    if (ctx.partnerPlayed && !forced && rec.iLow >= 9) continue;
    WingChoice w;
    if (!listWing(w, rec.iLow)) continue;
    if (!play(rec.iLow, w, w.fromHand)) continue;
    if (!w.fromHand) {
      ClearSlot(slot);
      ApplyWings(w);
    }
    return true;
  }
  if (ctx.partnerPlayed) return false;

  // 2. A triple out of a list plane.
  for (const auto& rec : m_Combination) {
    if (rec.iType != Combo::Plane) continue;
    const int v = rec.iLow > lv ? rec.iLow : rec.iHigh > lv ? rec.iHigh : 0;
    WingChoice w;
    if (v != 0 && listWing(w, v) && play(v, w, true)) return true;
  }

  // 3. Under threat: a value held three times.
  if (ctx.danger) {
    for (int v = lv + 1; v <= kA; ++v) {
      WingChoice w;
      if (Held(v) == 3 && handWing(w, v, false) && play(v, w, true)) return true;
    }
  }

  // 4. Three 2s, unless the hand still needs many turns against a long hand.
  if (CountControlTurns() > 3 && E > 2) return false;
  WingChoice w;
  return Held(k2) == 3 && handWing(w, k2, CountControlTurns() <= 2) && play(k2, w, true);
}

bool CPlayerCard::FollowPair(PlayContext& ctx) {
  const int lv = ctx.last.iLow;
  if (lv == k2) return false;
  const int E = ctx.enemyMin;
  const int L = ctx.loose;
  const bool seenJoker = SeenSmallJoker() || SeenBigJoker();

  if (m_iCardCount == 2 && m_iPairs == 1 && PlayPairMark(ctx, LowestPairMark(lv + 1, k2))) return true;
  if (m_iRole == 2 && m_iLowPairs > 0 && m_iBidWish <= 1 &&
      PlayPairMark(ctx, LowestPairMark(std::max(6, lv + 1), kA)))
    return true;
  // An opponent close to done: the highest pair there is.
  if ((m_iRole != 0 && E <= 2) || E == 2) {
    for (int v = k2; v > lv; --v)
      if ((Held(v) == 2 || Held(v) == 3) && PlayPairFromHand(ctx, v)) return true;
    for (int v = k2; v > lv; --v)
      if (Held(v) >= 2 && PlayPairFromHand(ctx, v)) return true;
  }
  if (E == 1) {
    if (PlayPairMark(ctx, LowestPairMark(lv + 1, k2))) return true;
    if (ctx.uncovered < 2 && (m_iRole != 0 || CountControlTurns() <= 3) && TryBombs(ctx)) return true;
  }
  if (m_iTurns <= 2) {
    if (PlayPairMark(ctx, LowestPairMark(lv + 1, k2))) return true;
    if (m_iSingleMark[kSmall] && m_iSingleMark[kBig]) {
      if (PlayRocket(ctx)) return true;
    } else if (seenJoker) {
      if (PlayBomb(ctx)) return true;
      if (m_iHighScore >= L + 3 && PlayBombOf2s(ctx)) return true;
    }
    if (seenJoker && Held(k2) >= 2 && PlayPairFromHand(ctx, k2)) return true;
  }
  if (m_iRole == 2 && PartnerCoveredOwnPlay(ctx)) return false;
  if (PlayPairMark(ctx, LowestPairMark(lv + 1, kA))) return true;
  if (ctx.partnerPlayed) return false;

  // A pair out of a list triple that sits next to a list straight.
  for (const auto& tri : m_Combination) {
    if (tri.iType != Combo::Triple || tri.iLow <= lv) continue;
    for (const auto& st : m_Combination)
      if (st.iType == Combo::Straight && (tri.iLow == st.iHigh + 1 || tri.iLow == st.iLow - 1) &&
          PlayPairFromHand(ctx, tri.iLow))
        return true;
  }
  // The top pair of a high pair straight.
  for (const auto& rec : m_Combination)
    if (rec.iType == Combo::PairStraight && rec.iHigh >= 11 && rec.iHigh > lv && PlayPairFromHand(ctx, rec.iHigh))
      return true;
  // An A (then a K) pair out of a long straight that ends there.
  for (int v : {kA, 13}) {
    if (lv >= v || Held(v) < 2) continue;
    for (const auto& rec : m_Combination)
      if (rec.iType == Combo::Straight && rec.iHigh == v && rec.iHigh - rec.iLow + 1 >= 7 &&
          PlayPairFromHand(ctx, v))
        return true;
  }
  if (m_iHighScore >= L && (Held(k2) == 2 || Held(k2) == 3) && PlayPairFromHand(ctx, k2)) return true;
  if (!ctx.danger) return false;

  for (const auto& rec : m_Combination)
    if (rec.iType == Combo::Triple && rec.iLow > lv && PlayPairFromHand(ctx, rec.iLow)) return true;
  for (int code : {Combo::Plane, Combo::PairStraight}) {
    int best = 0;
    for (const auto& rec : m_Combination) {
      if (rec.iType != code || rec.iHigh <= lv) continue;
      const int v = std::max(rec.iLow, lv + 1);
      if (best == 0 || v < best) best = v;
    }
    if (best != 0 && PlayPairFromHand(ctx, best)) return true;
  }
  for (int times : {2, 3})
    for (int v = lv + 1; v <= k2; ++v)
      if (Held(v) == times) {
        if (PlayPairFromHand(ctx, v)) return true;
        break;
      }
  return false;
}

bool CPlayerCard::FollowSingle(PlayContext& ctx) {
  const int lv = ctx.last.iLow;
  if (lv == kBig) return false;
  if (m_iCardCount == 1) {
    for (int v = lv + 1; v <= kBig; ++v)
      if (Held(v) == 1) return PlaySingleFromHand(ctx, v);
    return false;
  }
  if (lv < k2) return FollowSingleBelow2(ctx);
  if (lv == k2) return FollowSingle2(ctx);
  // Against the small joker.
  if (ctx.partnerPlayed) return false;
  if (LeadBigJoker(ctx)) return true;
  return ctx.enemyMin == 1 && m_iSingles == 1 && (PlayBomb(ctx) || PlayBombOf2s(ctx));
}

bool CPlayerCard::FollowSingleBelow2(PlayContext& ctx) {
  const int lv = ctx.last.iLow;
  const int E = ctx.enemyMin;
  const int L = ctx.loose;
  const int score = m_iHighScore;
  const bool small = Held(kSmall) > 0;
  const bool big = Held(kBig) > 0;
  const bool seenSmall = SeenSmallJoker();
  const bool seenBig = SeenBigJoker();
  const bool seenJoker = seenSmall || seenBig;
  const bool landlordInControl = m_iRole == 0 && CountControlTurns() > 3;
  // The highest value above the last held one to three times (then at all), from top down.
  const auto highest = [&](int top) {
    for (int v = top; v > lv; --v) {
      const int n = Held(v);
      if (n >= 1 && n <= 3) return PlaySingleFromHand(ctx, v);
    }
    for (int v = top; v > lv; --v)
      if (Held(v) > 0) return PlaySingleFromHand(ctx, v);
    return false;
  };

  // 1. Two turns or fewer: spend the high cards.
  if (m_iTurns <= 2) {
    if (small && Held(k2) >= 2 && LeadSmallJoker(ctx)) return true;
    if (((seenSmall && seenBig) || small || big) && Held(k2) > 0 && PlaySingleFromHand(ctx, k2)) return true;
    if (PlaySingleMark(ctx, LowestSingleMark(lv + 1, kA))) return true;
    if (PlayRocket(ctx)) return true;
    if (seenBig && LeadSmallJoker(ctx)) return true;
    if (LeadBigJoker(ctx)) return true;
    if (seenJoker) {
      if (PlayBomb(ctx)) return true;
      if (score >= L + 3 && PlayBombOf2s(ctx)) return true;
    }
  }
  // 2. The partner covered this seat's own play.
  if (m_iRole == 2 && PartnerCoveredOwnPlay(ctx)) return false;
  // 3. An opponent down to one card.
  if (E == 1) {
    if (ctx.uncovered < 2 && !landlordInControl) {
      if (PlayBomb(ctx)) return true;
      if (score >= L + 3 && PlayBombOf2s(ctx)) return true;
      if (score >= L + 1 && PlayRocket(ctx)) return true;
      if (LeadSmallJoker(ctx) || LeadBigJoker(ctx)) return true;
      if (highest(k2)) return true;
    }
    if (!ctx.partnerPlayed) {
      if (Held(k2) == 1 && seenSmall && seenBig && PlaySingleFromHand(ctx, k2)) return true;
      if (highest(kBig)) return true;
    }
  }
  // 4. An opponent down to two cards.
  if (E == 2) {
    if (L < 2 && !landlordInControl) {
      if (score >= L + 1 && PlayRocket(ctx)) return true;
      if (!big && LeadSmallJoker(ctx)) return true;
      if (!small && LeadBigJoker(ctx)) return true;
    }
    if (seenJoker) {
      if (PlayBomb(ctx)) return true;
      if (score >= L + 3 && PlayBombOf2s(ctx)) return true;
    }
    if (!ctx.partnerPlayed) {
      for (int v = k2; v > lv; --v) {
        const int n = Held(v);
        if (n >= 1 && n <= 3) {
          if (PlaySingleFromHand(ctx, v)) return true;
          break;
        }
      }
      if (!big && LeadSmallJoker(ctx)) return true;
      if (!small && LeadBigJoker(ctx)) return true;
      if (highest(kBig)) return true;
    }
  }
  // 5. A weak farmer before the landlord answers with a middling card.
  if (m_iRole == 2 && m_iLowSingles > 0 && m_iBidWish <= 1) {
    const int from = std::max(10, lv + 1);
    if (PlaySingleMark(ctx, LowestSingleMark(from, kA))) return true;
    if (PlaySplitPair(ctx, LowestPairMark(from, kA))) return true;
  }
  if (PlaySingleMark(ctx, LowestSingleMark(lv + 1, kA))) return true;
  // 6. Against the other side: a 2, or a bomb when strong.
  if (ctx.partnerPlayed) return false;
  if (Held(k2) >= 1 && Held(k2) <= 3 && PlaySingleFromHand(ctx, k2)) return true;
  if (m_iBidWish >= 2 && score >= L) {
    if (PlayBomb(ctx)) return true;
    if (score >= L + 3 && PlayBombOf2s(ctx)) return true;
    if (score >= L + 1 && PlayRocket(ctx)) return true;
  }
  // 7. Under threat: break something up.
  if (!ctx.danger) return false;
  if (PlaySplitPair(ctx, LowestPairMark(lv + 1, k2))) return true;
  for (const auto& rec : m_Combination) {
    const int n = rec.iHigh - rec.iLow + 1;
    if (!((rec.iType == Combo::Straight && n >= 6) || (rec.iType == Combo::PairStraight && n >= 4))) continue;
    if (rec.iLow > lv && PlaySingleFromHand(ctx, rec.iLow)) return true;
    if (rec.iHigh > lv && PlaySingleFromHand(ctx, rec.iHigh)) return true;
  }
  for (const auto& rec : m_Combination)
    if (rec.iType == Combo::Triple && rec.iLow > lv && PlaySingleFromHand(ctx, rec.iLow)) return true;
  int inside = 0;
  for (const auto& rec : m_Combination) {
    if (rec.iType != Combo::Plane && rec.iType != Combo::PairStraight && rec.iType != Combo::Straight) continue;
    if (rec.iHigh <= lv) continue;
    const int v = std::max(rec.iLow, lv + 1);
    if (inside == 0 || v < inside) inside = v;
  }
  if (inside != 0 && PlaySingleFromHand(ctx, inside)) return true;
  for (int times : {1, 2, 3}) {
    const int top = times == 1 ? kBig : k2;
    for (int v = lv + 1; v <= top; ++v)
      if (Held(v) == times) {
        if (PlaySingleFromHand(ctx, v)) return true;
        break;
      }
  }
  return false;
}

bool CPlayerCard::FollowSingle2(PlayContext& ctx) {
  const int E = ctx.enemyMin;
  const bool small = Held(kSmall) > 0;
  const bool landlordInControl = m_iRole == 0 && CountControlTurns() > 3;
  if (E == 2 && ctx.loose < 2 && !landlordInControl &&
      (PlayRocket(ctx) || LeadSmallJoker(ctx) || LeadBigJoker(ctx) || PlayBomb(ctx) || PlayBombOf2s(ctx)))
    return true;
  if (E == 1) {
    if (m_iCardCount == 2 && PlayRocket(ctx)) return true;
    if (ctx.uncovered == 1 && !landlordInControl && (PlayRocket(ctx) || PlayBombOf2s(ctx) || PlayBomb(ctx)))
      return true;
  }
  if ((E == 2 || E == 1) && !ctx.partnerPlayed && (LeadSmallJoker(ctx) || LeadBigJoker(ctx))) return true;
  if (m_iTurns < 3 && (PlayRocket(ctx) || LeadBigJoker(ctx) || PlayBomb(ctx) || PlayBombOf2s(ctx))) return true;
  if (ctx.partnerPlayed) return false;
  if (Held(kBig) == 0 && LeadSmallJoker(ctx)) return true;
  return ctx.danger && !small && SeenSmallJoker() && LeadBigJoker(ctx);
}

}  // namespace ddz
