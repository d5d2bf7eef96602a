// The card faces of the card rows, built from sprite frames that are already
// in the frame cache. Used by the rows' CreateCardSprite.
#pragma once

#include "platform/engine/Math.h"

namespace cocos2d {
class Sprite;
}

namespace ddz {

// Frame names of a card face.
inline constexpr const char* kFrameCardBack = "cardback.png";
inline constexpr const char* kFrameCardShadow = "p_shadow.png";
inline constexpr const char* kFrameCardBg = "new_card_bg.png";
inline constexpr const char* kFrameShownCardBg = "show_card_bg.png";
inline constexpr const char* kFrameJoker = "card%d.png";               // 13, 14
inline constexpr const char* kFrameShownJoker = "show_cards_%d.png";   // 13, 14
inline constexpr const char* kFrameNumber = "new_card_num_%d_%d.png";  // colour, number
inline constexpr const char* kFrameSmallSuit = "new_card_type_s_%d.png";
inline constexpr const char* kFrameBigPicture = "new_card_type_%d.png";  // suit, or 10-12 for J/Q/K
inline constexpr const char* kFrameWildcardNumber = "lz_handcard_num_2_%d.png";
inline constexpr const char* kFrameWildcardSmall = "lz_handcard_12.png";
inline constexpr const char* kFrameWildcardBig = "lz_handcard_11.png";

// Where the parts of a face go, in the card sprite's own coordinates.
struct CardFaceLayout {
  cocos2d::Vec2 number;          // number, full face
  cocos2d::Vec2 smallSuit;       // small suit, full face
  cocos2d::Vec2 bigSuit;         // suit pip of A-10
  cocos2d::Vec2 courtPicture;    // picture of J, Q, K
  cocos2d::Vec2 shownNumber;     // number, shown face (scaled 0.5)
  cocos2d::Vec2 shownSmallSuit;  // small suit, shown face (scaled 0.5)
};

// The fixed places of the base row's faces.
CardFaceLayout FixedCardFaceLayout();
// The places of the layout configuration (g_ptCardNum and friends).
CardFaceLayout ConfiguredCardFaceLayout();

// Builds one card sprite: face down -> the back; wildcard value >= 1 -> the
// wildcard face, the card's own number and under it the number of the card
// code the wildcard value names (its suit does not matter: wildcard value % 15);
// 13, 14 -> the jokers; else the number face of suit index / 15 and number
// index % 15. `shown` picks the small shown face and adds the
// dimming overlay (the hidden joker face has none). When a frame of the face is
// missing the card is drawn as a back, with a log line; null only when the back
// is missing too.
cocos2d::Sprite* BuildCardFace(int index, bool faceDown, bool shown, int wildcardValue,
                               const CardFaceLayout& layout);

}  // namespace ddz
