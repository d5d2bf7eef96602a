// The computer player's lead: the small tactics (also used when following),
// playing a list record with its wings, and the order in which a leading seat
// tries them.
#include <algorithm>

#include "cardlogic/PlayerCardPlay.h"

namespace ddz {

using namespace play;

// --- Tactics ----------------------------------------------------------------------

bool CPlayerCard::LeadSmallestCombination(PlayContext& ctx) {
  // With loose cards still to shed, a long hand keeps its high records back.
  const bool keepHigh = m_iSingles + m_iPairs > 0 && (m_iCardCount >= 12 || m_iTurns >= 4);
  int best = -1;
  for (int slot = 0; slot < kListSize; ++slot) {
    const auto& rec = m_Combination[slot];
    if (rec.IsEmpty() || rec.iType == Combo::Bomb || rec.iLow == k2) continue;
    if (keepHigh && rec.iLow >= 10) continue;
    if (best < 0 || rec.iLow < m_Combination[best].iLow) best = slot;
  }
  return best >= 0 && PlayListed(ctx, best, 1);
}

bool CPlayerCard::LeadLowestSingle(PlayContext& ctx) { return PlaySingleMark(ctx, LowestSingleMark(kLow, kA)); }

bool CPlayerCard::LeadSecondLowestSingle(PlayContext& ctx) {
  if (m_iLowSingles < 2) return LeadLowestSingle(ctx);
  const int lowest = LowestSingleMark(kLow, kA);
  return PlaySingleMark(ctx, LowestSingleMark(lowest + 1, kA));
}

bool CPlayerCard::LeadHighestSingle(PlayContext& ctx) { return PlaySingleMark(ctx, HighestSingleMark(kLow, kA)); }

bool CPlayerCard::LeadLowestPair(PlayContext& ctx) { return PlayPairMark(ctx, LowestPairMark(kLow, kA)); }

bool CPlayerCard::LeadHighestPair(PlayContext& ctx) { return PlayPairMark(ctx, HighestPairMark(kLow, kA)); }

bool CPlayerCard::LeadLowestSingleOrPair(PlayContext& ctx) {
  for (int v = kLow; v <= kA; ++v) {
    if (m_iSingleMark[v]) return PlaySingleMark(ctx, v);
    if (m_iPairMark[v]) return PlayPairMark(ctx, v);
  }
  return false;
}

bool CPlayerCard::LeadTripleOf2s(PlayContext& ctx) {
  for (int slot = 0; slot < kListSize; ++slot) {
    const auto& rec = m_Combination[slot];
    if (rec.iType != Combo::Triple || rec.iLow != k2) continue;
    CombinationRecord move = Move(Combo::Triple, k2);
    WingChoice wings;
    if (CollectWings(wings, kWingSingles, 1, k2, k2, {{WingSource::SingleMark, kLow, kBig}})) {
      move.iType = Combo::TripleSingle;
    } else if (CollectWings(wings, kWingPairs, 1, k2, k2, {{WingSource::PairMark, kLow, kA}})) {
      move.iType = Combo::TriplePair;
    } else {
      wings = WingChoice{};
    }
    wings.WriteTo(move);
    if (!Commit(ctx, move, false)) return false;
    ClearSlot(slot);
    ApplyWings(wings);
    return true;
  }
  return false;
}

bool CPlayerCard::LeadPairOf2s(PlayContext& ctx) { return PlayPairMark(ctx, k2); }

bool CPlayerCard::LeadSingle2(PlayContext& ctx) { return PlaySingleMark(ctx, k2); }

bool CPlayerCard::PlayRocket(PlayContext& ctx) {
  if (!m_iSingleMark[kSmall] || !m_iSingleMark[kBig]) return false;
  if (!Commit(ctx, Move(Combo::Rocket, kBig), false)) return false;
  UseSingleMark(kSmall);
  UseSingleMark(kBig);
  return true;
}

bool CPlayerCard::LeadSmallJoker(PlayContext& ctx) { return PlaySingleMark(ctx, kSmall); }

bool CPlayerCard::LeadBigJoker(PlayContext& ctx) { return PlaySingleMark(ctx, kBig); }

bool CPlayerCard::PlayBomb(PlayContext& ctx) {
  for (int slot = 0; slot < kListSize; ++slot) {
    const auto& rec = m_Combination[slot];
    if (rec.iType != Combo::Bomb || rec.iLow == k2) continue;
    if (!Commit(ctx, Move(Combo::Bomb, rec.iLow), false)) return false;
    ClearSlot(slot);
    return true;
  }
  return false;
}

bool CPlayerCard::PlayBombOf2s(PlayContext& ctx) {
  for (int slot = 0; slot < kListSize; ++slot) {
    const auto& rec = m_Combination[slot];
    if (rec.iType != Combo::Bomb || rec.iLow != k2) continue;
    if (!Commit(ctx, Move(Combo::Bomb, k2), false)) return false;
    ClearSlot(slot);
    return true;
  }
  return false;
}

bool CPlayerCard::LeadFourWithTwoSingles(PlayContext& ctx) {
  if (ListedCount() == 0 || m_iLowSingles < 2) return false;
  for (int slot = 0; slot < kListSize; ++slot) {
    const auto& rec = m_Combination[slot];
    if (rec.iType != Combo::Bomb || rec.iLow == k2) continue;
    WingChoice wings;
    if (!CollectWings(wings, kWingSingles, 2, rec.iLow, rec.iLow, {{WingSource::SingleMark, kLow, kA}})) return false;
    CombinationRecord move = Move(Combo::FourTwoSingles, rec.iLow);
    wings.WriteTo(move);
    if (!Commit(ctx, move, false)) return false;
    ClearSlot(slot);
    ApplyWings(wings);
    --m_iHighScore;  // the bomb record counted in the score; taking out a four does not lower it
    return true;
  }
  return false;
}

bool CPlayerCard::FinishInOneTurn(PlayContext& ctx) {
  if (m_iTurns != 1) return false;
  if (PlayRocket(ctx)) return true;
  for (int slot = 0; slot < kListSize; ++slot) {
    const int code = m_Combination[slot].iType;
    if ((code == Combo::Straight || code == Combo::PairStraight) && PlayListed(ctx, slot, 1)) return true;
  }
  for (int slot = 0; slot < kListSize; ++slot) {
    const auto& rec = m_Combination[slot];
    if (rec.IsEmpty() || rec.iType == Combo::Bomb || rec.iType == Combo::Straight ||
        rec.iType == Combo::PairStraight)
      continue;
    const int n = rec.iHigh - rec.iLow + 1;
    CombinationRecord move = Move(rec.iType, rec.iLow, rec.iHigh);
    WingChoice wings;
    if (m_iSingles >= n &&
        CollectWings(wings, kWingSingles, n, rec.iLow, rec.iHigh, {{WingSource::SingleMark, kLow, kBig}})) {
      move.iType += 1;
    } else if (m_iPairs >= n &&
               CollectWings(wings, kWingPairs, n, rec.iLow, rec.iHigh, {{WingSource::PairMark, kLow, k2}})) {
      move.iType += 2;
    } else {
      wings = WingChoice{};
    }
    wings.WriteTo(move);
    return Commit(ctx, move, true);
  }
  if (ListedCount() == 0) {
    for (int v = kLow; v <= kBig; ++v) {
      if (Held(v) == 1) return PlaySingleFromHand(ctx, v);
      if (Held(v) == 2) return PlayPairFromHand(ctx, v);
    }
  }
  return false;
}

bool CPlayerCard::PlayListedCombination(CombinationRecord* record, CPlayerCard* seat0, CPlayerCard* seat1,
                                        CPlayerCard* seat2, int slot, int factor) {
  if (record == nullptr) return false;
  PlayContext ctx;
  ctx.record = record;
  ctx.seats = {seat0, seat1, seat2};
  ctx.enemyMin = GetEnemyMinCardCount(seat0, seat1, seat2);
  return PlayListed(ctx, slot, factor);
}

bool CPlayerCard::PlayListed(PlayContext& ctx, int slot, int factor) {
  if (slot < 0 || slot >= kListSize) return false;
  const CombinationRecord rec = m_Combination[slot];
  if (rec.IsEmpty() || rec.iType == Combo::Bomb || rec.iLow == k2) return false;
  CombinationRecord move = Move(rec.iType, rec.iLow, rec.iHigh);
  const int n = rec.iHigh - rec.iLow + 1;
  const int need = n * std::max(factor, 1);
  const bool carries = rec.iType == Combo::Plane || rec.iType == Combo::Triple;
  WingChoice wings;
  bool reanalyse = false;

  if (carries) {
    const auto singles = [&] {
      return CollectWings(wings, kWingSingles, n, rec.iLow, rec.iHigh, {{WingSource::SingleMark, kLow, kA}});
    };
    const auto pairs = [&] {
      return CollectWings(wings, kWingPairs, n, rec.iLow, rec.iHigh, {{WingSource::PairMark, kLow, kA}});
    };
    const auto mixed = [&] {
      return CollectWings(wings, kWingSingles, n, rec.iLow, rec.iHigh,
                          {{WingSource::SingleMark, kLow, kA}, {WingSource::SplitPair, kLow, kA}});
    };
    // The lowest loose card decides which kind of wing is tried first.
    int lowest = 0;
    bool lowestIsSingle = false;
    for (int v = kLow; v <= kA && lowest == 0; ++v) {
      if (v >= rec.iLow && v <= rec.iHigh) continue;
      if (m_iSingleMark[v]) { lowest = v; lowestIsSingle = true; }
      else if (m_iPairMark[v]) lowest = v;
    }
    const int ls = m_iLowSingles;
    const int lp = m_iLowPairs;
    bool found = false;
    if (lowest != 0 && lowestIsSingle) {
      found = (ls >= need && singles()) || (lp >= need && pairs()) || (ls + lp >= need && mixed());
    } else if (lowest != 0) {
      found = (lp >= need && pairs()) || (ls >= need && singles()) || (ls + lp >= need && mixed());
    }
    if (!found) wings = WingChoice{};
    if (found) move.iType += wings.kind == kWingPairs ? 2 : 1;

    // The record is all the list holds and nothing low is loose: the 2s and
    // jokers serve as wings, a 2 as a pair when two are held.
    if (!found && ListedCount() == 1 && ls + lp == 0 &&
        CollectWings(wings, kWingSingles, n, rec.iLow, rec.iHigh, {{WingSource::Held, k2, kBig}})) {
      move.iType += 1;
      if (move.iType == Combo::TripleSingle && wings.values[0] == k2 && Held(k2) >= 2) {
        move.iType = Combo::TriplePair;
        wings.kind = kWingPairs;
      }
      reanalyse = true;
    }
  }

  // Against four cards left, a low triple with a single goes out bare.
  if (move.iType == Combo::TripleSingle && move.iLow < 10 && m_iCardCount != 4 && ctx.enemyMin == 4) {
    move.iType = Combo::Triple;
    wings = WingChoice{};
    reanalyse = true;
  }

  // A long plane with too few loose cards gives up its top triple as wings.
  const int loose = m_iLowSingles + m_iLowPairs;
  if (move.iType == Combo::Plane && loose > 0 && loose >= n - 2 && n >= 3) {
    const int kind = m_iLowSingles > 0 ? kWingSingles : kWingPairs;
    WingChoice rest;
    if (CollectWings(rest, kind, n - 2, rec.iLow, rec.iHigh,
                     {{WingSource::SingleMark, kLow, kA}, {WingSource::SplitPair, kLow, kA},
                      {WingSource::PairMark, kLow, kA}})) {
      CombinationRecord cut = Move(kind == kWingSingles ? Combo::PlaneSingles : Combo::PlanePairs, rec.iLow,
                                   rec.iHigh - 1);
      WingChoice all;
      all.kind = kind;
      all.Add(rec.iHigh, WingSource::Held);
      for (int k = 0; k < rest.count; ++k) all.Add(rest.values[k], rest.sources[k]);
      all.WriteTo(cut);
      return Commit(ctx, cut, true);
    }
  }

  wings.WriteTo(move);
  if (!Commit(ctx, move, reanalyse || wings.fromHand)) return false;
  if (!reanalyse && !wings.fromHand) {
    ClearSlot(slot);
    ApplyWings(wings);
  }
  return true;
}

// --- The lead ---------------------------------------------------------------------

bool CPlayerCard::Lead(PlayContext& ctx) {
  const int E = ctx.enemyMin;
  const int L = ctx.loose;
  const int r = ctx.draw;
  const bool seenSmall = SeenSmallJoker();
  const bool seenBig = SeenBigJoker();

  // 1. Nothing but bombs, or one turn to go.
  if (IsOnlyBombsLeft() && (PlayBomb(ctx) || PlayBombOf2s(ctx) || PlayRocket(ctx))) return true;
  if (FinishInOneTurn(ctx)) return true;
  if (m_iRole == 0 && E == 1 && m_iCardCount > 2 && ListedCount() == 0 && m_iPairs == 0 &&
      LeadSecondLowestSingle(ctx))
    return true;

  // 2. The farmer after the landlord, its partner down to one card: take the
  // lead if it must, and give the partner a low single.
  if (m_iRole == 1 && ctx.partner == 1) {
    if (L > 1) {
      if (PlayRocket(ctx)) return true;
      if (seenSmall && seenBig && (PlayBomb(ctx) || PlayBombOf2s(ctx))) return true;
    }
    bool low = false;
    for (int v = kLow; v <= 10; ++v) low = low || Held(v) > 0;
    if (low) {
      for (int v = kLow; v <= kA; ++v) {
        const int n = Held(v);
        if (n < 1 || n > 3) continue;
        if (PlaySingleFromHand(ctx, v)) return true;
        break;
      }
    }
  }

  // 3. An opponent down to one card: no low singles.
  if (E == 1) {
    if (L < 2 && (PlayBomb(ctx) || PlayBombOf2s(ctx) || PlayRocket(ctx) || LeadSmallestCombination(ctx) ||
                  LeadFourWithTwoSingles(ctx)))
      return true;
    if (Held(kSmall) > 0 && Held(kBig) > 0 && (LeadSingle2(ctx) || LeadHighestSingle(ctx))) return true;
    if (LeadBigJoker(ctx) || LeadLowestPair(ctx) || LeadSmallestCombination(ctx) || LeadFourWithTwoSingles(ctx) ||
        LeadPairOf2s(ctx) || LeadTripleOf2s(ctx) || LeadSmallJoker(ctx) || LeadSingle2(ctx) ||
        LeadHighestSingle(ctx))
      return true;
  }

  // 4. An opponent down to two cards: no low pairs.
  if (E == 2) {
    if (LeadSmallestCombination(ctx)) return true;
    if (L < 2 && (LeadPairOf2s(ctx) || LeadTripleOf2s(ctx) || LeadSingle2(ctx) || PlayRocket(ctx) ||
                  LeadBigJoker(ctx) || LeadSmallJoker(ctx) || PlayBomb(ctx) || PlayBombOf2s(ctx)))
      return true;
    if (m_iRole != 0) {
      // A joker went to the landlord with the bottom cards and has not come out.
      bool landlordJoker = false;
      for (int b : m_iBottomValue) {
        if (b == kSmall && !seenSmall) landlordJoker = true;
        if (b == kBig && !seenBig) landlordJoker = true;
      }
      if (landlordJoker && LeadLowestPair(ctx)) return true;
    }
    if (PlaySingleMark(ctx, LowestSingleMark(11, kA))) return true;
    if (LeadHighestSingle(ctx)) return true;
    if (m_iCardCount == 2 && LeadLowestPair(ctx)) return true;
    if (PlaySplitPair(ctx, HighestPairMark(kLow, kA))) return true;
    if (LeadBigJoker(ctx) || LeadSmallJoker(ctx) || LeadSingle2(ctx)) return true;
  }

  // 5. Two singles, one a joker: the other first.
  if (m_iCardCount == 2 && m_iSingles == 2 && (m_iSingleMark[kSmall] || m_iSingleMark[kBig]) &&
      PlaySingleFromHand(ctx, LowestSingleMark(kLow, kBig)))
    return true;

  // 6. Three turns to go.
  if (m_iTurns == 3) {
    if (ListedCount() > 0) {
      for (int slot = 0; slot < kListSize; ++slot) {
        const auto& rec = m_Combination[slot];
        if (rec.iType == Combo::Plane && rec.iLow != k2 && PlayListed(ctx, slot, 1)) return true;
      }
      for (int slot = 0; slot < kListSize; ++slot) {
        const auto& rec = m_Combination[slot];
        if (rec.IsEmpty() || rec.iLow == k2) continue;
        int cards = GetCombinationCardCount(&rec);
        if (rec.iType == Combo::Triple) cards += LowestSingleMark(kLow, kA) ? 1 : LowestPairMark(kLow, kA) ? 2 : 0;
        if (cards > E && PlayListed(ctx, slot, 1)) return true;
      }
    }
    if (m_iLowSingles < m_iLowPairs && m_iPairs > 1 && (m_iPairMark[kA] || m_iPairMark[k2])) {
      if (LeadLowestPair(ctx)) return true;
    } else if (m_iLowSingles > 1 && HasSureSingle() && LeadLowestSingle(ctx)) {
      return true;
    }
  }

  // 7. Two turns: a low pair and a pair of 2s that outranks what is left.
  if (m_iTurns == 2 && m_iPairs == 2 && m_iPairMark[k2] && m_SeenCount.Get(k2) > 2 && LeadLowestPair(ctx))
    return true;

  // 8. Two turns or fewer.
  if (m_iTurns <= 2) {
    if (ListedCount() == 2) {
      for (int slot = 0; slot < kListSize; ++slot) {
        const auto& rec = m_Combination[slot];
        if (!rec.IsEmpty() && rec.iType != Combo::Triple && rec.iLow != k2 && PlayListed(ctx, slot, 1)) return true;
      }
      if (LeadSmallestCombination(ctx)) return true;
    }
    if (PlayRocket(ctx)) return true;
    for (int slot = 0; slot < kListSize; ++slot) {
      const auto& rec = m_Combination[slot];
      if (rec.iType == Combo::Plane && rec.iLow != k2 && PlayListed(ctx, slot, 1)) return true;
    }
    if (!m_iSingleMark[kSmall] && LeadBigJoker(ctx)) return true;
    if (seenBig && LeadSmallJoker(ctx)) return true;
    if ((seenSmall || seenBig) && LeadPairOf2s(ctx)) return true;
    if (seenSmall && seenBig && LeadSingle2(ctx)) return true;
    if ((seenSmall || seenBig) && LeadTripleOf2s(ctx)) return true;
    if (L == 1 && LeadTripleOf2s(ctx)) return true;
    if (LeadSmallestCombination(ctx) || LeadLowestSingleOrPair(ctx) || LeadTripleOf2s(ctx) || LeadPairOf2s(ctx) ||
        LeadSingle2(ctx))
      return true;
    if (!m_iSingleMark[kBig] && LeadSmallJoker(ctx)) return true;
    if (PlayBomb(ctx) || PlayBombOf2s(ctx) || PlayRocket(ctx)) return true;
  }

  // 9. One low single and one low pair: the higher of them, if it is high, by chance.
  if (m_iLowSingles == 1 && m_iLowPairs == 1) {
    static constexpr struct { int value, percent; } kHigh[] = {{kA, 80}, {13, 70}, {12, 60}, {11, 50}};
    for (const auto& h : kHigh) {
      if (m_iSingleMark[h.value]) {
        if (r < h.percent && LeadHighestSingle(ctx)) return true;
        break;
      }
      if (m_iPairMark[h.value]) {
        if (r < h.percent && LeadHighestPair(ctx)) return true;
        break;
      }
    }
    if (LeadLowestSingleOrPair(ctx)) return true;
  }

  // 10. A strong landlord now and then leads its smallest record.
  if (m_iRole == 0 && m_iCardCount > 14 && m_iHighScore > 1 && ListedCount() > 2 && r < 20 &&
      LeadSmallestCombination(ctx))
    return true;

  // 11. Several records of one kind: lead them, keeping wings for each.
  {
    static constexpr int kKinds = Combo::Rocket + 1;
    std::array<int, kKinds> count{};
    std::array<int, kKinds> length{};
    for (const auto& rec : m_Combination) {
      if (rec.IsEmpty() || rec.iLow == k2 || rec.iType >= kKinds) continue;
      const int code = rec.iType;
      const int len = rec.iHigh - rec.iLow;
      if (count[code] == 0) {
        count[code] = 1;
        length[code] = len;
      } else if (len == length[code]) {
        ++count[code];
      } else {
        count[code] = 1;
        length[code] = std::min(length[code], len);
      }
    }
    int chosen = 0;
    int most = 1;
    for (int code : {Combo::Plane, Combo::PlaneSingles, Combo::PlanePairs, Combo::PairStraight, Combo::Straight,
                     Combo::FourTwoSingles, Combo::FourTwoPairs, Combo::Triple}) {
      if (count[code] > most) {
        most = count[code];
        chosen = code;
      }
    }
    if (chosen != 0) {
      for (int slot = 0; slot < kListSize; ++slot) {
        const auto& rec = m_Combination[slot];
        if (rec.iType == chosen && rec.iLow != k2 && PlayListed(ctx, slot, most)) return true;
      }
    }
  }

  // 12. Many loose cards: shed the lowest, a weak farmer before the landlord less eagerly.
  bool gate = true;
  if (m_iRole == 2 && L > 3) {
    if (m_iBidWish == 0) gate = r >= 80;
    else if (m_iBidWish == 1) gate = r >= 50;
  }
  if (m_iLowSingles > 3 && r < 90 && LeadLowestSingle(ctx)) return true;
  if (m_iLowPairs > 2 && r < 70 && LeadLowestPair(ctx)) return true;
  if (gate && LeadSmallestCombination(ctx)) return true;

  // 13. A weak farmer before the landlord leads a middling card for its partner.
  if (m_iRole == 2 && m_iBidWish < 2) {
    if (PlaySingleFromHand(ctx, HighestSingleMark(kLow, 10))) return true;
    if (PlayPairFromHand(ctx, HighestPairMark(kLow, 6))) return true;
  }

  // 14. The lowest loose card or record.
  if (LeadLowestSingleOrPair(ctx) || LeadSmallestCombination(ctx) || LeadTripleOf2s(ctx)) return true;

  // 15. Only high cards left.
  if (LeadPairOf2s(ctx) || LeadSingle2(ctx)) return true;
  if (Held(kBig) == 0 && LeadSmallJoker(ctx)) return true;
  if (Held(kSmall) == 0 && LeadBigJoker(ctx)) return true;
  if (PlayBomb(ctx) || PlayBombOf2s(ctx) || PlayRocket(ctx)) return true;

  // A leading seat must play: the lowest held value with all its cards.
  return PlayLowestHeldGroup(ctx);
}

}  // namespace ddz
