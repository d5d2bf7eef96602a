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

void HandleFriendCard(DDZGameView& view, const char* msg, int len);
void HandleActiveMoney(DDZGameView& view, const char* msg, int len);

}  // namespace tablenotice
