// The pictures of things: the frames that show a card, a lamp, a clock, a
// coin, an ingot, a ticket, a badge or another icon, each drawn as what it
// shows. The rest of the painter (cards, buttons, panels, effects) is in
// ArtPainter.cpp.
#include <cmath>
#include <string>
#include <vector>

#include "tools/artgen/ArtDraw.h"
#include "tools/artgen/ArtPainter.h"

namespace artgen {

namespace {

// What a picture frame shows.
enum class Pic {
  CardBack,     // the deal's flying card, the mini-game's blank card
  FlipCard,     // a card back half turned (the bottom cards' flip)
  GoldBack,     // the golden card's back
  MagicCard,    // the mini-game's hat card: a purple back with a star
  WinRing,      // a gold ring around a winning card, clear inside
  Lamp,         // the few-cards warning lamp, its glass dark
  LampGlow,     // the light that blinks behind the lamp's glass
  ClockFace,    // the turn clock: an alarm clock whose dial the figures stand on
  ClockIcon,    // a small clock with its hands
  TaskList,     // a task: a clipboard with ticked lines
  Coin,         // a gold coin, its word on it
  Coins,        // a heap of gold coins
  Ingot,        // a gold ingot
  Voucher,      // a ticket with notched sides
  CardCounter,  // the card counter: a small device with rows of cards
  DoubleCard,   // the double card: a card with a red "x2"
  Star,         // a gold star
  Gift,         // a gift box with a ribbon
  Badge,        // a level badge: a shield in the level's metal
  Speaker,      // a loudspeaker with its sound
  ShellClosed,  // the treasure shells, closed and open,
  ShellOpen,
  ShellRing,    // and the ring around the chosen one
  TopHat,       // the magician's hat
  Magician,     // the magician
  Stamp,        // the task's done stamp: a red seal with a tick
  WarningSign,  // a yellow warning triangle
  RoundMark,    // a red round mark with its word
  Knob,         // a slider's knob
  Pin,          // a pointer pin with its word
  Globe,        // the web activity's globe
  Magnifier,    // the details icon
  Medal,        // a gold medal on its ribbon
  Dot,          // one of the waiting dots
};

struct PictureFrame {
  const char* name;
  Pic pic;
};

const PictureFrame kPictures[] = {
    {"flycard.png", Pic::CardBack},
    {"DDZ_SmallGameCardSkelton.png", Pic::CardBack},
    {"fs_card_ani_0.png", Pic::FlipCard},
    {"fs_card_ani_1.png", Pic::FlipCard},
    {"veriz_gold_card_bg.png", Pic::GoldBack},
    {"DDZ_SmallGame_maozipai.png", Pic::MagicCard},
    {"DDZ_SmallGameCardWin.png", Pic::WinRing},
    {"ddz_tips_worning_0.png", Pic::Lamp},
    {"ddz_tips_worning_1.png", Pic::LampGlow},
    {"qorvddz_clock_bg.png", Pic::ClockFace},
    {"ddzbs_ddjm_icon_djs.png", Pic::ClockIcon},
    {"qorvddz_activity_btn_0.png", Pic::ClockIcon},
    {"task_icon_0.png", Pic::TaskList},
    {"qorvddz_roomui_icon_money.png", Pic::Coin},
    {"qorvddz_chat_2.png", Pic::Coin},
    {"ddzbs_prop_icon_1.png", Pic::Coin},
    {"ddzcompete_prize_jinbi.png", Pic::Coins},
    {"qorvddz_get_money.png", Pic::Coins},
    {"qorvddz_award_type_0.png", Pic::Coins},
    {"qorvddz_roomui_icon_yb.png", Pic::Ingot},
    {"task_icon_yb.png", Pic::Ingot},
    {"ddzbs_prop_icon_2.png", Pic::Ingot},
    {"pack_1.png", Pic::Ingot},
    {"ddzcompete_prize_yuanbao.png", Pic::Ingot},
    {"qorvddz_get_yb.png", Pic::Ingot},
    {"qorvddz_award_type_1.png", Pic::Ingot},
    {"DDZ_SmallGame_yuanbao.png", Pic::Ingot},
    {"task_ticket_V.png", Pic::Voucher},
    {"ddzbs_prop_icon_3.png", Pic::Voucher},
    {"pack_2.png", Pic::Voucher},
    {"ddzcompete_prize_liquan.png", Pic::Voucher},
    {"active_ticket_1.png", Pic::Voucher},
    {"active_ticket_2.png", Pic::Voucher},
    {"firend_card.png", Pic::Voucher},
    {"pack_4.png", Pic::CardCounter},
    {"ddzcompete_prize_jipaiqi.png", Pic::CardCounter},
    {"pack_5.png", Pic::DoubleCard},
    {"ddzcompete_prize_shuangbeika.png", Pic::DoubleCard},
    {"ddzbs_prop_icon_4.png", Pic::DoubleCard},
    {"ddzbs_prop_icon_5.png", Pic::Star},
    {"ddzbs_djs_prize_none.png", Pic::Gift},
    {"ddzbs_ddjm_jl_none.png", Pic::Gift},
    {"task_icon_jiang.png", Pic::Gift},
    {"pack_6.png", Pic::Gift},
    {"qorvddz_activity_btn_1.png", Pic::Gift},
    {"Lv_1.png", Pic::Badge},
    {"Lv_2.png", Pic::Badge},
    {"Lv_3.png", Pic::Badge},
    {"Lv_4.png", Pic::Badge},
    {"Lv_5.png", Pic::Badge},
    {"qorvddz_roomui_lv_1.png", Pic::Badge},
    {"qorvddz_roomui_lv_2.png", Pic::Badge},
    {"qorvddz_roomui_lv_3.png", Pic::Badge},
    {"qorvddz_roomui_lv_4.png", Pic::Badge},
    {"qorvddz_roomui_lv_5.png", Pic::Badge},
    {"competenn_gonggao_laba.png", Pic::Speaker},
    {"qorvddz_roomui_tips_laba.png", Pic::Speaker},
    {"qorvddz_shell_close.png", Pic::ShellClosed},
    {"qorvddz_shell_open.png", Pic::ShellOpen},
    {"qorvddz_shell_select.png", Pic::ShellRing},
    {"DDZ_SmallGameHat.png", Pic::TopHat},
    {"DDZ_SmallGameMan.png", Pic::Magician},
    {"task_cap.png", Pic::Stamp},
    {"task_worning.png", Pic::WarningSign},
    {"ddzq_jb.png", Pic::RoundMark},
    {"qorvddz_room_qiang.png", Pic::RoundMark},
    {"ddzq_x2.png", Pic::RoundMark},
    {"DDZ_SmallGame_wenhao.png", Pic::RoundMark},
    {"qorvddz_set_btn.png", Pic::Knob},
    {"ddzbs_pm_icon_dw.png", Pic::Pin},
    {"qorvddz_activity_btn_2.png", Pic::Globe},
    {"qorvddz_cg_xiangqing.png", Pic::Magnifier},
    {"game_md_icon_0.png", Pic::Medal},
    {"game_md_icon_1.png", Pic::Medal},
    {"qorvddz_tips_word_dian.png", Pic::Dot},
};

constexpr Rgba kGold{255, 210, 80, 255};
constexpr Rgba kDarkGold{190, 125, 25, 255};
constexpr Rgba kLightGold{255, 240, 170, 255};
constexpr Rgba kOutline{90, 55, 15, 255};
constexpr SDL_Color kBrownInk{120, 60, 10, 255};

// A gold coin about (cx, cy): a rim, a raised face and, without a word, the
// square hole of an old coin.
void CoinShape(SDL_Surface* s, float cx, float cy, float r, bool hole) {
  Disc(s, cx, cy, r, kOutline);
  Disc(s, cx, cy, r * 0.92f, kDarkGold);
  Disc(s, cx - r * 0.05f, cy - r * 0.05f, r * 0.8f, kGold);
  Arc(s, cx, cy, r * 0.7f, r * 0.7f, 0, 2 * kPi, std::max(1.0f, r * 0.06f), kDarkGold);
  if (hole) RoundRect(s, cx - r * 0.22f, cy - r * 0.22f, r * 0.44f, r * 0.44f, 1, kOutline, kOutline);
  Glow(s, cx - r * 0.4f, cy - r * 0.4f, r * 0.35f, {255, 255, 240, 255}, 0.5f);
}

// A gold ingot standing in the box (x, y, w, h): a boat-shaped body with
// raised ends and a round crown in the middle.
void IngotShape(SDL_Surface* s, float x, float y, float w, float h) {
  const float cx = x + w / 2;
  // The crown behind the body's rim.
  Disc(s, cx, y + h * 0.45f, std::min(w * 0.24f, h * 0.4f), kOutline);
  Disc(s, cx, y + h * 0.45f, std::min(w * 0.24f, h * 0.4f) - 1.5f, kGold);
  Glow(s, cx - w * 0.06f, y + h * 0.35f, std::min(w, h) * 0.15f, {255, 255, 240, 255}, 0.6f);
  // The body: a bowl from end to end, its ends raised.
  std::vector<SDL_FPoint> body;
  body.push_back({x, y + h * 0.35f});
  body.push_back({x + w * 0.22f, y + h * 0.55f});
  body.push_back({x + w * 0.78f, y + h * 0.55f});
  body.push_back({x + w, y + h * 0.35f});
  for (int i = 0; i <= 16; ++i) {
    const float a = kPi * static_cast<float>(i) / 16;  // right end to left end, along the bottom
    body.push_back({cx + w * 0.4f * std::cos(a), y + h * 0.55f + h * 0.42f * std::sin(a)});
  }
  Polygon(s, body, kOutline);
  std::vector<SDL_FPoint> inner;
  for (const SDL_FPoint& p : body)
    inner.push_back({cx + (p.x - cx) * 0.92f, y + h * 0.6f + (p.y - y - h * 0.6f) * 0.86f});
  Polygon(s, inner, kDarkGold);
  RoundRect(s, x + w * 0.2f, y + h * 0.56f, w * 0.6f, h * 0.14f, h * 0.07f, kLightGold, kGold);
}

// A ticket in the box (x, y, w, h): a light card with half-round notches in
// its sides and a dashed tear line; `tint` its colour.
void TicketShape(SDL_Surface* s, float x, float y, float w, float h, Rgba tint) {
  RoundRect(s, x, y, w, h, std::min(w, h) * 0.1f, kOutline, kOutline);
  RoundRect(s, x + 1.5f, y + 1.5f, w - 3, h - 3, std::min(w, h) * 0.08f, {255, 250, 235, 255}, tint);
  // The notches: clear half discs in each side.
  const float r = h * 0.14f;
  for (float nx : {x, x + w})
    for (int py = static_cast<int>(y + h / 2 - r - 1); py <= static_cast<int>(y + h / 2 + r + 1); ++py)
      for (int px = static_cast<int>(nx - r - 1); px <= static_cast<int>(nx + r + 1); ++px)
        if (std::hypot(px + 0.5f - nx, py + 0.5f - (y + h / 2)) < r && px >= 0 && py >= 0 && px < s->w && py < s->h)
          static_cast<Uint8*>(s->pixels)[py * s->pitch + px * 4 + 3] = 0;
  for (float ty = y + h * 0.12f; ty < y + h * 0.88f; ty += std::max(3.0f, h * 0.1f))
    Line(s, x + w * 0.72f, ty, x + w * 0.72f, ty + std::max(1.5f, h * 0.05f), 1.2f, kOutline);
}

// A playing card's white body in the box, a red "x2" on it.
void CardOutline(SDL_Surface* s, float x, float y, float w, float h) {
  RoundRect(s, x, y, w, h, w * 0.1f, {255, 255, 255, 255}, {235, 235, 228, 255}, kCardEdge, 1.5f);
}

// A gift box with a ribbon and a bow, in the box.
void GiftShape(SDL_Surface* s, float x, float y, float w, float h) {
  const Rgba red{210, 45, 45, 255}, darkRed{150, 20, 25, 255};
  RoundRect(s, x + w * 0.08f, y + h * 0.42f, w * 0.84f, h * 0.56f, 3, red, darkRed, kOutline, 1.5f);
  RoundRect(s, x, y + h * 0.28f, w, h * 0.18f, 3, {235, 70, 60, 255}, red, kOutline, 1.5f);
  RoundRect(s, x + w * 0.42f, y + h * 0.28f, w * 0.16f, h * 0.7f, 1, kGold, kDarkGold);
  // The bow: two loops over the lid.
  Arc(s, x + w * 0.36f, y + h * 0.2f, w * 0.14f, h * 0.09f, 0, 2 * kPi, std::max(2.0f, w * 0.06f), kGold);
  Arc(s, x + w * 0.64f, y + h * 0.2f, w * 0.14f, h * 0.09f, 0, 2 * kPi, std::max(2.0f, w * 0.06f), kGold);
}

// A shield badge in the level's metal: bronze, silver, gold, jade, amethyst.
void BadgeShape(SDL_Surface* s, int level) {
  static const Rgba kMetal[5][2] = {{{215, 140, 80, 255}, {150, 85, 40, 255}},
                                    {{235, 235, 245, 255}, {150, 155, 170, 255}},
                                    {{255, 220, 100, 255}, {200, 140, 30, 255}},
                                    {{120, 225, 190, 255}, {30, 140, 110, 255}},
                                    {{210, 150, 255, 255}, {120, 60, 180, 255}}};
  const Rgba* metal = kMetal[std::clamp(level, 1, 5) - 1];
  const float w = static_cast<float>(s->w), h = static_cast<float>(s->h);
  const std::vector<SDL_FPoint> shield = {{w * 0.1f, h * 0.1f}, {w * 0.5f, h * 0.02f}, {w * 0.9f, h * 0.1f},
                                          {w * 0.86f, h * 0.6f}, {w * 0.5f, h * 0.98f}, {w * 0.14f, h * 0.6f}};
  Polygon(s, shield, kOutline);
  std::vector<SDL_FPoint> face;
  for (const SDL_FPoint& p : shield) face.push_back({w / 2 + (p.x - w / 2) * 0.84f, h / 2 + (p.y - h / 2) * 0.84f});
  Polygon(s, face, metal[1]);
  std::vector<SDL_FPoint> light;
  for (const SDL_FPoint& p : shield) light.push_back({w / 2 + (p.x - w / 2) * 0.64f, h * 0.45f + (p.y - h / 2) * 0.64f});
  Polygon(s, light, metal[0]);
  // One small star a level along the top.
  for (int i = 0; i < level; ++i) {
    const float sx = w / 2 + (static_cast<float>(i) - (level - 1) / 2.0f) * w * 0.14f;
    Polygon(s, StarPoints(sx, h * 0.2f, w * 0.07f, w * 0.03f), {255, 250, 220, 255});
  }
}

// A loudspeaker facing right with two arcs of sound.
void SpeakerShape(SDL_Surface* s) {
  const float w = static_cast<float>(s->w), h = static_cast<float>(s->h);
  const Rgba ink{255, 220, 120, 255};
  RoundRect(s, w * 0.08f, h * 0.36f, w * 0.18f, h * 0.28f, 2, ink, ink);
  Polygon(s, {{w * 0.24f, h * 0.36f}, {w * 0.52f, h * 0.12f}, {w * 0.52f, h * 0.88f}, {w * 0.24f, h * 0.64f}}, ink);
  Arc(s, w * 0.52f, h * 0.5f, w * 0.16f, h * 0.2f, -kPi / 3, kPi / 3, std::max(1.5f, w * 0.05f), ink);
  Arc(s, w * 0.52f, h * 0.5f, w * 0.32f, h * 0.38f, -kPi / 3, kPi / 3, std::max(1.5f, w * 0.05f), ink);
}

// A clam shell's half: ribs fanning from the hinge at (cx, hinge), opening
// upwards (`up`) or downwards.
void ShellHalf(SDL_Surface* s, float cx, float hinge, float r, bool up, Rgba face) {
  std::vector<SDL_FPoint> fan = {{cx, hinge}};
  for (int i = 0; i <= 24; ++i) {
    const float a = kPi + kPi * static_cast<float>(i) / 24;  // left to right over the top
    const float rib = 1.0f - 0.06f * static_cast<float>(i % 4 == 2);
    fan.push_back({cx + r * std::cos(a), hinge + (up ? 1 : -1) * r * 0.85f * std::sin(a) * rib});
  }
  Polygon(s, fan, kOutline);
  std::vector<SDL_FPoint> inner;
  for (const SDL_FPoint& p : fan) inner.push_back({cx + (p.x - cx) * 0.9f, hinge + (p.y - hinge) * 0.9f});
  Polygon(s, inner, face);
  for (int i = 1; i < 6; ++i) {
    const float a = kPi + kPi * static_cast<float>(i) / 6;
    Line(s, cx, hinge, cx + r * 0.85f * std::cos(a), hinge + (up ? 1 : -1) * r * 0.72f * std::sin(a), 1.5f,
         {200, 140, 110, 255});
  }
}

// A top hat: its crown, a red band and the brim.
void HatShape(SDL_Surface* s, float x, float y, float w, float h) {
  const Rgba black{35, 30, 40, 255}, grey{80, 75, 90, 255};
  RoundRect(s, x + w * 0.22f, y, w * 0.56f, h * 0.8f, w * 0.05f, grey, black);
  RoundRect(s, x + w * 0.22f, y + h * 0.55f, w * 0.56f, h * 0.13f, 1, {200, 40, 50, 255}, {150, 20, 30, 255});
  RoundRect(s, x, y + h * 0.78f, w, h * 0.2f, h * 0.1f, grey, black);
}

// A round clock about (cx, cy): its case, a light dial and twelve marks.
void ClockDial(SDL_Surface* s, float cx, float cy, float r, Rgba rim) {
  Disc(s, cx, cy, r, kOutline);
  Disc(s, cx, cy, r - std::max(1.5f, r * 0.06f), rim);
  Disc(s, cx, cy, r * 0.8f, {250, 246, 232, 255});
  for (int i = 0; i < 12; ++i) {
    const float a = 2 * kPi * static_cast<float>(i) / 12;
    const float in = i % 3 == 0 ? 0.62f : 0.68f;
    Line(s, cx + std::cos(a) * r * in, cy + std::sin(a) * r * in, cx + std::cos(a) * r * 0.75f,
         cy + std::sin(a) * r * 0.75f, std::max(1.0f, r * 0.05f), {90, 80, 70, 255});
  }
}

}  // namespace

bool Painter::Picture(SDL_Surface* s, const std::string& name, const std::string& caption) {
  const PictureFrame* frame = nullptr;
  for (const PictureFrame& p : kPictures)
    if (name == p.name) frame = &p;
  if (frame == nullptr) return false;
  const float w = static_cast<float>(s->w), h = static_cast<float>(s->h);
  const float cx = w / 2, cy = h / 2, r = std::min(w, h) / 2 - 1;
  // A word under a prize's picture, on a dark strip.
  const auto label = [&] {
    if (caption.empty()) return false;
    RoundRect(s, w * 0.1f, h * 0.78f, w * 0.8f, h * 0.2f, h * 0.08f, {60, 30, 20, 230}, {40, 20, 10, 230});
    FitText(s, caption, static_cast<int>(h * 0.16f), kGoldInk, cx, h * 0.88f, static_cast<int>(w * 0.76f),
            static_cast<int>(h * 0.18f));
    return true;
  };
  switch (frame->pic) {
    case Pic::CardBack:
      CardBack(s);
      break;
    case Pic::FlipCard: {
      // Frame 0 a little turned, frame 1 nearly edgewise.
      const float share = NumberAt(name, 12) == 0 ? 0.62f : 0.28f;
      const int bw = std::max(4, static_cast<int>(w * share));
      if (SDL_Surface* back = SDL_CreateRGBSurfaceWithFormat(0, bw, s->h, 32, SDL_PIXELFORMAT_RGBA32)) {
        SDL_FillRect(back, nullptr, SDL_MapRGBA(back->format, 0, 0, 0, 0));
        CardBack(back);
        SDL_SetSurfaceBlendMode(back, SDL_BLENDMODE_BLEND);
        SDL_Rect at{static_cast<int>((w - static_cast<float>(bw)) / 2), 0, bw, s->h};
        SDL_BlitSurface(back, nullptr, s, &at);
        SDL_FreeSurface(back);
      }
      break;
    }
    case Pic::GoldBack:
      RoundRect(s, 1, 1, w - 2, h - 2, w * 0.12f, {255, 235, 150, 255}, {225, 160, 40, 255}, {150, 95, 20, 255}, 2);
      for (int y = 5; y < s->h - 5; ++y)
        for (int x = 5; x < s->w - 5; ++x)
          if ((x + y) % 8 == 0 || (x - y + 800) % 8 == 0) Blend(s, x, y, {170, 110, 20, 255}, 0.45f);
      Polygon(s, StarPoints(cx, cy, r * 0.45f, r * 0.19f), {255, 250, 220, 255});
      break;
    case Pic::MagicCard:
      RoundRect(s, 0, 0, w, h, w * 0.08f, {255, 255, 255, 255}, {255, 255, 255, 255}, kCardEdge, 1.5f);
      RoundRect(s, w * 0.07f, w * 0.07f, w * 0.86f, h - w * 0.14f, w * 0.05f, {120, 60, 170, 255}, {70, 30, 110, 255});
      HatShape(s, w * 0.25f, h * 0.3f, w * 0.5f, h * 0.3f);
      Polygon(s, StarPoints(w * 0.68f, h * 0.28f, w * 0.1f, w * 0.04f), kGold);
      break;
    case Pic::WinRing:
      Glow(s, cx, cy, std::max(w, h) * 0.6f, {255, 220, 110, 255}, 0.25f);
      RoundRect(s, 3, 3, w - 6, h - 6, w * 0.1f, {0, 0, 0, 0}, {0, 0, 0, 0}, {255, 215, 80, 255}, 5);
      // The middle stays clear: the card shows through the ring.
      for (int y = 10; y < s->h - 10; ++y)
        for (int x = 10; x < s->w - 10; ++x) static_cast<Uint8*>(s->pixels)[y * s->pitch + x * 4 + 3] = 0;
      break;
    case Pic::Lamp: {
      // A signal lamp: a domed red glass on a dark foot. The light that
      // blinks behind the lamp sits at its lower left (13, 16 up from its
      // corner), so the dome stands there and its glass lets the light
      // through; without the light the glass is a dark red.
      const float foot = h * 0.83f, mid = w * 0.37f, half = w * 0.3f;
      std::vector<SDL_FPoint> dome;
      for (int i = 0; i <= 24; ++i) {
        const float a = kPi + kPi * static_cast<float>(i) / 24;
        dome.push_back({mid + half * std::cos(a), foot + h * 0.67f * std::sin(a)});
      }
      Polygon(s, dome, {225, 30, 30, 170});
      for (std::size_t i = 1; i < dome.size(); ++i)
        Line(s, dome[i - 1].x, dome[i - 1].y, dome[i].x, dome[i].y, 2.5f, {110, 10, 15, 255});
      Line(s, mid - half * 0.45f, foot - h * 0.14f, mid - half * 0.25f, foot - h * 0.48f, 3, {255, 235, 235, 200});
      RoundRect(s, mid - half - w * 0.05f, foot - 2, 2 * half + w * 0.1f, h * 0.15f, 4, {110, 110, 125, 255},
                {50, 50, 60, 255}, kOutline, 1.5f);
      break;
    }
    case Pic::LampGlow:
      RoundRect(s, 0, 0, w, h, std::min(w, h) / 2, {255, 200, 80, 255}, {255, 160, 50, 255});
      Disc(s, cx, cy, r * 0.7f, {255, 250, 200, 255});
      break;
    case Pic::ClockFace: {
      // Two bells on top, the case, and the feet; the dial's middle is left
      // clear for the figures of the time left.
      const float cr = std::min(w / 2 - 2, h * 0.44f), ccy = h - cr - h * 0.08f;
      const Rgba red{220, 60, 50, 255};
      Disc(s, cx - cr * 0.72f, ccy - cr * 0.85f, cr * 0.32f, kOutline);
      Disc(s, cx - cr * 0.72f, ccy - cr * 0.85f, cr * 0.28f, red);
      Disc(s, cx + cr * 0.72f, ccy - cr * 0.85f, cr * 0.32f, kOutline);
      Disc(s, cx + cr * 0.72f, ccy - cr * 0.85f, cr * 0.28f, red);
      Line(s, cx - cr * 0.6f, h - 3, cx - cr * 0.4f, ccy + cr * 0.8f, 3, kOutline);
      Line(s, cx + cr * 0.6f, h - 3, cx + cr * 0.4f, ccy + cr * 0.8f, 3, kOutline);
      ClockDial(s, cx, ccy, cr, red);
      break;
    }
    case Pic::ClockIcon:
      ClockDial(s, cx, cy, r, {70, 150, 220, 255});
      Line(s, cx, cy, cx, cy - r * 0.5f, std::max(1.5f, r * 0.1f), {40, 40, 50, 255});
      Line(s, cx, cy, cx + r * 0.38f, cy + r * 0.1f, std::max(1.5f, r * 0.1f), {40, 40, 50, 255});
      break;
    case Pic::TaskList: {
      // A clipboard: a brown board, a white sheet, three ticked lines.
      RoundRect(s, w * 0.14f, h * 0.08f, w * 0.72f, h * 0.9f, 3, {170, 110, 50, 255}, {120, 70, 30, 255});
      RoundRect(s, w * 0.22f, h * 0.18f, w * 0.56f, h * 0.74f, 1, {255, 255, 250, 255}, {235, 235, 225, 255});
      RoundRect(s, w * 0.36f, h * 0.02f, w * 0.28f, h * 0.14f, 2, {200, 200, 210, 255}, {150, 150, 160, 255});
      for (int i = 0; i < 3; ++i) {
        const float y = h * (0.33f + 0.2f * static_cast<float>(i));
        const float stroke = std::max(1.2f, h * 0.05f);
        Line(s, w * 0.27f, y, w * 0.32f, y + h * 0.05f, stroke, {40, 160, 60, 255});
        Line(s, w * 0.32f, y + h * 0.05f, w * 0.4f, y - h * 0.06f, stroke, {40, 160, 60, 255});
        Line(s, w * 0.46f, y, w * 0.72f, y, stroke, {110, 110, 120, 255});
      }
      break;
    }
    case Pic::Coin:
      CoinShape(s, cx, cy, r, caption.empty());
      if (!caption.empty())
        FitText(s, caption, static_cast<int>(r * 1.0f), kBrownInk, cx, cy, static_cast<int>(r * 1.3f),
                static_cast<int>(r * 1.3f));
      break;
    case Pic::Coins: {
      const bool named = label();
      const float area = named ? h * 0.76f : h;
      const float cr = std::min(w, area) * 0.24f;
      CoinShape(s, cx - cr * 0.9f, area * 0.62f, cr, true);
      CoinShape(s, cx + cr * 0.9f, area * 0.62f, cr, true);
      CoinShape(s, cx, area * 0.4f, cr, true);
      break;
    }
    case Pic::Ingot: {
      const bool named = s->w >= 100 && label();
      const float area = named ? h * 0.76f : h;
      IngotShape(s, w * 0.06f, area * 0.12f, w * 0.88f, area * 0.8f);
      break;
    }
    case Pic::Voucher: {
      const bool named = s->w >= 100 && label();
      const float area = named ? h * 0.76f : h;
      TicketShape(s, w * 0.04f, area * 0.18f, w * 0.92f, area * 0.64f, {250, 200, 120, 255});
      const std::string word = named || caption.empty() ? "券" : caption;
      FitText(s, word, static_cast<int>(area * 0.4f), SDL_Color{190, 50, 30, 255}, w * 0.38f, area * 0.5f,
              static_cast<int>(w * 0.5f), static_cast<int>(area * 0.5f));
      break;
    }
    case Pic::CardCounter: {
      const bool named = label();
      const float area = named ? h * 0.76f : h;
      RoundRect(s, w * 0.12f, area * 0.1f, w * 0.76f, area * 0.8f, w * 0.08f, {70, 80, 100, 255}, {35, 40, 55, 255},
                kOutline, 2);
      RoundRect(s, w * 0.2f, area * 0.18f, w * 0.6f, area * 0.44f, 3, {180, 230, 200, 255}, {120, 190, 150, 255});
      // Rows of tiny cards on its screen, and its buttons below.
      for (int row = 0; row < 2; ++row)
        for (int i = 0; i < 4; ++i)
          RoundRect(s, w * (0.25f + 0.13f * static_cast<float>(i)), area * (0.22f + 0.2f * static_cast<float>(row)),
                    w * 0.1f, area * 0.15f, 1, {255, 255, 255, 255}, {230, 230, 230, 255}, kOutline, 1);
      for (int i = 0; i < 3; ++i)
        Disc(s, w * (0.34f + 0.16f * static_cast<float>(i)), area * 0.76f, std::max(2.0f, w * 0.04f), kGold);
      break;
    }
    case Pic::DoubleCard: {
      const bool named = s->w >= 100 && label();
      const float area = named ? h * 0.76f : h;
      const float ch = area * 0.86f, cw = ch * 0.72f;
      CardOutline(s, cx - cw / 2, area * 0.07f, cw, ch);
      FitText(s, "x2", static_cast<int>(ch * 0.5f), kRedInk, cx, area * 0.5f, static_cast<int>(cw * 0.9f),
              static_cast<int>(ch * 0.6f), true);
      break;
    }
    case Pic::Star:
      Polygon(s, StarPoints(cx, cy + r * 0.08f, r, r * 0.42f), kOutline);
      Polygon(s, StarPoints(cx, cy + r * 0.08f, r * 0.86f, r * 0.36f), kGold);
      Polygon(s, StarPoints(cx - r * 0.05f, cy, r * 0.45f, r * 0.18f), kLightGold);
      break;
    case Pic::Gift:
      GiftShape(s, w * 0.12f, h * 0.1f, w * 0.76f, h * 0.84f);
      break;
    case Pic::Badge:
      BadgeShape(s, NumberAt(name, name.find_last_of('_') + 1));
      break;
    case Pic::Speaker:
      SpeakerShape(s);
      break;
    case Pic::ShellClosed:
      ShellHalf(s, cx, h * 0.92f, r * 0.95f, true, {250, 200, 190, 255});
      break;
    case Pic::ShellOpen:
      ShellHalf(s, cx, h * 0.55f, r * 0.9f, true, {250, 200, 190, 255});
      ShellHalf(s, cx, h * 0.62f, r * 0.9f, false, {240, 180, 170, 255});
      Disc(s, cx, h * 0.66f, r * 0.2f, {250, 250, 255, 255});
      Glow(s, cx - r * 0.06f, h * 0.63f, r * 0.12f, {255, 255, 255, 255}, 0.8f);
      break;
    case Pic::ShellRing:
      Glow(s, cx, cy, r, {255, 230, 120, 255}, 0.3f);
      Arc(s, cx, cy, r * 0.92f, r * 0.92f, 0, 2 * kPi, 4, {255, 215, 80, 240});
      break;
    case Pic::TopHat:
      HatShape(s, w * 0.1f, h * 0.05f, w * 0.8f, h * 0.9f);
      break;
    case Pic::Magician: {
      // A caped figure in a top hat, a wand in his hand.
      const Rgba cape{70, 40, 110, 255}, skin{245, 210, 170, 255};
      Polygon(s, {{cx, h * 0.3f}, {w * 0.9f, h * 0.98f}, {w * 0.1f, h * 0.98f}}, cape);
      Polygon(s, {{cx, h * 0.36f}, {w * 0.62f, h * 0.98f}, {w * 0.38f, h * 0.98f}}, {200, 40, 50, 255});
      Disc(s, cx, h * 0.26f, w * 0.13f, skin);
      HatShape(s, cx - w * 0.2f, h * 0.02f, w * 0.4f, h * 0.16f);
      Line(s, w * 0.72f, h * 0.5f, w * 0.95f, h * 0.32f, 3, {30, 30, 35, 255});
      Line(s, w * 0.92f, h * 0.34f, w * 0.96f, h * 0.31f, 3, {250, 250, 250, 255});
      Polygon(s, StarPoints(w * 0.96f - 4, h * 0.28f, w * 0.05f, w * 0.02f), kGold);
      break;
    }
    case Pic::Stamp: {
      const Rgba red{200, 30, 40, 235};
      Arc(s, cx, cy, r * 0.92f, r * 0.92f, 0, 2 * kPi, std::max(2.0f, r * 0.1f), red);
      Arc(s, cx, cy, r * 0.72f, r * 0.72f, 0, 2 * kPi, std::max(1.0f, r * 0.04f), red);
      Line(s, cx - r * 0.42f, cy, cx - r * 0.1f, cy + r * 0.32f, std::max(2.5f, r * 0.14f), red);
      Line(s, cx - r * 0.1f, cy + r * 0.32f, cx + r * 0.45f, cy - r * 0.35f, std::max(2.5f, r * 0.14f), red);
      break;
    }
    case Pic::WarningSign: {
      const std::vector<SDL_FPoint> tri = {{cx, h * 0.06f}, {w * 0.96f, h * 0.9f}, {w * 0.04f, h * 0.9f}};
      Polygon(s, tri, kOutline);
      Polygon(s, {{cx, h * 0.16f}, {w * 0.86f, h * 0.84f}, {w * 0.14f, h * 0.84f}}, {255, 210, 40, 255});
      Line(s, cx, h * 0.36f, cx, h * 0.6f, std::max(2.5f, w * 0.08f), kOutline);
      Disc(s, cx, h * 0.72f, std::max(1.5f, w * 0.05f), kOutline);
      break;
    }
    case Pic::RoundMark:
      Disc(s, cx, cy, r, {240, 190, 60, 255});
      Disc(s, cx, cy, r * 0.86f, {210, 50, 40, 255});
      FitText(s, caption, static_cast<int>(r * 1.1f), kWhiteInk, cx, cy, static_cast<int>(r * 1.6f),
              static_cast<int>(r * 1.4f));
      break;
    case Pic::Knob:
      Disc(s, cx, cy + 1, r, {40, 40, 50, 120});
      Disc(s, cx, cy, r * 0.92f, kOutline);
      Disc(s, cx, cy, r * 0.82f, {240, 240, 245, 255});
      Disc(s, cx - r * 0.15f, cy - r * 0.15f, r * 0.5f, {255, 255, 255, 255});
      break;
    case Pic::Pin: {
      // A pointer: a round head on a point, the word in the head.
      const float hr = std::min(w * 0.36f, h * 0.36f);
      Polygon(s, {{cx - hr * 0.6f, hr * 1.5f}, {cx + hr * 0.6f, hr * 1.5f}, {cx, h - 1}}, {230, 80, 40, 255});
      Disc(s, cx, hr + 1, hr, kOutline);
      Disc(s, cx, hr + 1, hr - 1.5f, {240, 100, 50, 255});
      FitText(s, caption, static_cast<int>(hr * 1.2f), kWhiteInk, cx, hr + 1, static_cast<int>(hr * 1.5f),
              static_cast<int>(hr * 1.5f));
      break;
    }
    case Pic::Globe:
      Disc(s, cx, cy, r, kOutline);
      Disc(s, cx, cy, r * 0.92f, {70, 150, 220, 255});
      for (float k : {0.35f, 0.7f}) {
        Arc(s, cx, cy, r * 0.92f * k, r * 0.92f, 0, 2 * kPi, 1.5f, {220, 240, 255, 255});
        Line(s, cx - r * 0.92f * std::sqrt(1 - k * k * 0.6f), cy - r * k * 0.6f,
             cx + r * 0.92f * std::sqrt(1 - k * k * 0.6f), cy - r * k * 0.6f, 1.5f, {220, 240, 255, 255});
      }
      Line(s, cx - r * 0.92f, cy, cx + r * 0.92f, cy, 1.5f, {220, 240, 255, 255});
      break;
    case Pic::Magnifier:
      Disc(s, cx - r * 0.2f, cy - r * 0.2f, r * 0.62f, {200, 230, 255, 200});
      Arc(s, cx - r * 0.2f, cy - r * 0.2f, r * 0.62f, r * 0.62f, 0, 2 * kPi, std::max(2.0f, r * 0.14f),
          {230, 230, 240, 255});
      Line(s, cx + r * 0.25f, cy + r * 0.25f, cx + r * 0.85f, cy + r * 0.85f, std::max(3.0f, r * 0.22f),
           {170, 110, 50, 255});
      break;
    case Pic::Medal:
      Medal(s);
      break;
    case Pic::Dot:
      Disc(s, cx, cy, r * 0.7f, {255, 255, 255, 255});
      break;
  }
  return true;
}

}  // namespace artgen
