// What the four-player and Super tables answer alike: a quick-chat phrase, a
// red packet, the money the game base hands over, the jackpot's yuanbao
// change, the web activity's button and the refusal of the single-player
// game. Both views call these from their
// CallBackUrgrCard, CallBackHongBaoNotice, SetMoneyInfo, CallBackJackPotNotice,
// activity messages and table build; the
// layouts are those of widgets/TableNotices.h (quick chat: phrase at 8, chair
// at 9; red packet: yuanbao at 8, kind at 12, money at 28).
//
// A notice shorter than the last field its kind reads is dropped with a log
// line and changes nothing; so is a chair that names no seat of the table.
#pragma once

#include <string>

class ActivityLayer;
class DDZGameView;
class WEBActiveBtn;

namespace variantnotice {

// What the shared bodies ask of the view about its seats.
class VariantSeats {
 public:
  // The screen seat of a message's chair byte; -1 (logged, naming `what`)
  // when it names no seat of the table.
  virtual int SeatOfChair(int chair, const char* what) const = 0;
  // The head figure seat `seat` speaks with.
  virtual int SeatHeadId(int seat) const = 0;

 protected:
  ~VariantSeats() = default;
};

// The sender's bubble with its phrase (0..4) and voice.
void QuickChat(DDZGameView& view, const VariantSeats& seats, const char* msg, int len);
// Kind 3 pays money and yuanbao to the own player (record, global info and
// bottom bar) and shows prize guide 1; kinds 30 and 31 show guides 7 and 8;
// other kinds change nothing.
void RedPacket(DDZGameView& view, const char* msg, int len);
// The own money and yuanbao into global info and the bottom bar.
void SetMoneyInfo(DDZGameView& view, int money, int yuanbao);
// Adds `n` (saturating) to the own yuanbao, in the record, global info and
// the bottom bar. No own player: nothing.
void AddOwnYuanbao(DDZGameView& view, int n);
// Kind 7 of the jackpot notice changes the own yuanbao by `amount`
// (AddOwnYuanbao, which refreshes the bottom bar); an amount of 0 tells the
// player so in a box (game text kTextNoJackpotYuanbao) and changes nothing.
inline constexpr int kTextNoJackpotYuanbao = 105;
void JackpotYuanbaoChange(DDZGameView& view, int amount);
// The web activity's button (made when absent) with its word shown, so its
// panel has something to open; null without an activity bar.
WEBActiveBtn* WebActivityButton(ActivityLayer* bar);
// In the single-player game a table that the game base found no local server
// for has no game to play: a box with `text` says so over it, and its button
// leaves the game. True when the box is shown; false (nothing shown) at a
// game server or with a local server.
bool RefuseWithoutLocalServer(DDZGameView& view, const std::string& text);

}  // namespace variantnotice
