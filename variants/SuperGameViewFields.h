// What the three files of the Super table's hand share (SuperGameViewHand.cpp,
// SuperGameViewBid.cpp, SuperGameViewPlay.cpp): the fields of the hand's
// messages, the phases and actions of the bidding, hold times and z-orders.
// Private to those files.
#pragma once

#include <cstdint>

#include "cardlogic/CardCodes.h"
#include "cards/SpriteCardManage.h"
#include "platform/engine/Log.h"
#include "platform/engine/Math.h"
#include "table/GameSoundDDZ.h"

namespace superview {

using cocos2d::Vec2;


constexpr int kBody = 8;
// 71
constexpr int kDealCards = 17;
constexpr int kDealBaseScore = 64;
constexpr int kDealOpenCard = 69;
constexpr int kDealFirstBidder = 70;
constexpr int kDealCap = 92;
constexpr int kDealTaskSubType = 96;
constexpr int kDealTaskAmount = 100;
constexpr int kDealTaskMainType = 104;
constexpr int kDealTaskRaw1 = 108;
constexpr int kDealTaskRaw2 = 112;
constexpr int kDealSize = 116;
// 38
constexpr int kSettingsFee = 8;
constexpr int kSettingsCountdown = 12;
constexpr int kSettingsRules = 17;
constexpr int kSettingsFlags = 24;
constexpr int kSettingsSize = 25;
constexpr std::uint8_t kBgWordBit = 0x40;
// 23
constexpr int kShownCards = 9;
constexpr int kShownSize = 29;

constexpr int kPhaseCall = 1;
constexpr int kPhaseRob = 2;
constexpr int kPhaseDouble = 3;
constexpr int kActNoCall = 0;
constexpr int kActCall = 4;
constexpr int kActRob = 5;
constexpr int kActNoRob = 6;
constexpr int kActDouble = 7;
constexpr int kActNoDouble = 8;
constexpr int kClockBid = 0;
constexpr int kClockPlay = 2;
constexpr int kLandlordCards = 20;
constexpr int kBottomCards = 3;

using enum GameSoundDDZ::SeatVoice;
constexpr int kActWin = 2;
constexpr int kActLoss = 3;

constexpr int kHoldShortClockBid = 5000;
constexpr int kHoldOtherSeatSingle = 1000;
constexpr int kHoldLandlord = 2000;
constexpr int kHoldRocket = 1000;
constexpr int kHoldShortClockPlay = 3000;
constexpr int kHoldHandEmptied = 1000;

constexpr int kZTaskPanel = 200;
constexpr int kZShownRow = 1;
constexpr int kZBgWord = -9;
constexpr float kBgWordBelowCentre = 40;
constexpr int kZRulesButton = 106;
constexpr int kLevelForTaskAni = 3;
constexpr int kGuideShows = 5;
constexpr int kZGuide = 5000;
// The guide's pages show their words in a strip across their middle;
// dropped by this much, the words stand between the own hand and the bottom
// bar, not across the middle of the table over the bids, the played rows
// and the result's amounts.
const Vec2 kGuideDrop{0, -248};
constexpr const char* kPassSign = "qorvddz_tips_pass.png";
constexpr const char* kBgWord = "qorvddz_bg_word2.png";
constexpr const char* kRulesButton = "qorvddz_gz_btn.png";
const Vec2 kRulesButtonPos{1230, 610};

inline std::uint8_t ByteAt(const char* msg, int at) { return static_cast<std::uint8_t>(msg[at]); }

// Card code of a card byte; -1 (logged) for a byte that names no card.
inline int CodeOf(std::uint8_t byte) {
  const int code = ddz::CardByteToCode(byte);
  if (code < 0) cocos2d::log("SuperGameView: card byte 0x%02x is not a card, skipped", byte);
  return code;
}

inline SpriteCardManage* Row(Vell_SpriteCardManage* row) { return dynamic_cast<SpriteCardManage*>(row); }

}  // namespace superview
