// Two server notices every table answers the same way (the classic,
// four-player and Super views call these from their CallBackHandleFriendCard
// and CallBackHandleActiveMoney):
//   - the friend card: i32 flag at 8, i32 amount at 12. Flag 1 shows the
//     friend-card pop-up (AniPrizeGuide kind 4) with the amount; a player
//     below level 6 with a talk tip on the table also counts it in the user
//     default "KEY_FRIEND_CARD_NUM", and the first one shows game text 191
//     as a bubble at the own seat.
//   - the activity money: i32 kind at 8, i32 amount at 12, a text of up to
//     64 bytes at 48. Kind 3 shows the first activity ticket (pop-up kind 5),
//     kind 5 the second (kind 6), an odd kind of 7 or more the guide pop-up
//     (kind 2) with the amount and the text; other kinds nothing.
// A frame shorter than the last field its kind reads is dropped with a log
// line and changes nothing.
#pragma once

class DDZGameView;

namespace tablenotice {

constexpr int kFriendCardSize = 16;
constexpr int kActiveMoneySize = 16;
constexpr int kActiveMoneyTextAt = 48;
constexpr int kActiveMoneyTextBytes = 64;
constexpr int kActiveMoneyWithTextSize = kActiveMoneyTextAt + kActiveMoneyTextBytes;
constexpr int kFriendCardLevelBelow = 6;
constexpr int kTextFirstFriendCard = 191;
constexpr const char* kKeyFriendCardNum = "KEY_FRIEND_CARD_NUM";

// Layouts of the game base's notices the tables read alike (offsets from
// the frame start):
// - broadcast: its text from kBullText, its kind at kBullKind;
constexpr int kBullText = 8;
constexpr int kBullKind = 208;
constexpr int kBullSize = 209;
// - quick chat: the phrase (below kUrgePhrases) at 8, the sender's chair at 9;
constexpr int kUrgeKind = 8;
constexpr int kUrgeChair = 9;
constexpr int kUrgeSize = 10;
constexpr int kUrgePhrases = 5;
// - jackpot: its kind at 9, an amount (big-endian) at 12;
constexpr int kJackpotKind = 9;
constexpr int kJackpotKindSize = 10;
constexpr int kJackpotAmount = 12;
// - red packet: yuanbao at 8, kind at 12, money at 28; kind 3 pays both and
//   shows the prize guide of kind 1, kinds 30 and 31 show guides 7 and 8;
constexpr int kHongBaoYuanbao = 8;
constexpr int kHongBaoKind = 12;
constexpr int kHongBaoKindSize = 16;
constexpr int kHongBaoMoney = 28;
constexpr int kHongBaoMoneySize = 32;
constexpr int kHongBaoMoneyKind = 3;
constexpr int kHongBaoMedalA = 30;
constexpr int kHongBaoMedalB = 31;
constexpr int kGuideMoney = 1;
constexpr int kGuideMedalA = 7;
constexpr int kGuideMedalB = 8;
// - escape notice: the mini-game's code, which the tables ignore.
constexpr int kEscapeMiniGame = 98;

void HandleFriendCard(DDZGameView& view, const char* msg, int len);
void HandleActiveMoney(DDZGameView& view, const char* msg, int len);

}  // namespace tablenotice
