#include "tools/artgen/ArtPainter.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <sstream>
#include <vector>

#include "tools/artgen/ArtDraw.h"

namespace artgen {

namespace {

// Suits in suit-index order: spades, hearts, clubs, diamonds (odd ones red).
const char* const kSuitGlyph[4] = {"\u2660", "\u2665", "\u2663", "\u2666"};
// Ranks in number-index order: A, 2, 3 .. K.
const char* const kRank[13] = {"A", "2", "3", "4", "5", "6", "7", "8", "9", "10", "J", "Q", "K"};

// The faces of buttons that are off: the bar's panel buttons (face 0), its
// quick buttons, the result window's buttons and the top bar's buttons.
bool IsOffFace(const std::string& s) {
  return EndsWith(s, "_disabled.png") || (StartsWith(s, "qorvddzpc_mainUI_btn_") && EndsWith(s, "_0.png")) ||
         s == "qorvddz_btn_result_3.png" || (StartsWith(s, "qorvddz_topui_btn_") && EndsWith(s, "_disable.png"));
}

// The mini-game's lamp frames: the level boards ("...Loop<n>0" lit, "...Loop<n>1"
// dark), the chase steps, the big-award board ("...KD2" lit) and its lights ("...DJ1" lit).
bool IsSmallGameLamp(const std::string& s) {
  return StartsWith(s, "DDZ_SmallGameLoop") || StartsWith(s, "DDZ_SmallGameDeng") ||
         StartsWith(s, "DDZ_SmallGameBonusKD") || StartsWith(s, "DDZ_SmallGameBonusDJ");
}
bool SmallGameLampLit(const std::string& s) {
  if (StartsWith(s, "DDZ_SmallGameLoop")) return s.size() > 5 && s[s.size() - 5] == '0';
  if (StartsWith(s, "DDZ_SmallGameDeng")) return s != "DDZ_SmallGameDeng5.png";
  return s == "DDZ_SmallGameBonusKD2.png" || s == "DDZ_SmallGameBonusDJ1.png";
}

constexpr Rgba kEffectLine{255, 236, 170, 235};
constexpr Rgba kEffectGlow{255, 210, 110, 255};

// The effect frames: what the card-type, result and award effects are drawn with.
bool IsEffect(const std::string& s) {
  static const char* const kPrefixes[] = {"qorvddz_shunzi_",     "game_ani_plane",         "qorvddz_ani_rocket",
                                          "boom_fire_ani_",      "cjddz_chaojizhadan",     "cjddz_effect_",
                                          "cjddz_eff_",          "ddzq_tx_",               "qorvddz_ani_spring_",
                                          "vellddz_ani_spring_", "qorvddz_effect_saoguang", "qorvddz_ani_ybdouble_",
                                          "qorvddz_result_light", "qorvddz_result_mask",    "qorvddz_glow_",
                                          "qorvddz_star_",       "qorvddz_turntable_bx_lizi", "qorvddz_award_light",
                                          "qorvddz_award_di",    "qorvddz_award_star"};
  for (const char* p : kPrefixes)
    if (StartsWith(s, p)) return true;
  return false;
}

}  // namespace

Painter::Painter(std::string fontFile) : _fontFile(std::move(fontFile)) {}

Painter::~Painter() {
  for (auto& [size, font] : _fonts) TTF_CloseFont(font);
}

TTF_Font* Painter::Font(int pixelSize) {
  pixelSize = std::max(pixelSize, 4);
  auto it = _fonts.find(pixelSize);
  if (it != _fonts.end()) return it->second;
  TTF_Font* f = TTF_OpenFont(_fontFile.c_str(), pixelSize);
  if (!f) std::fprintf(stderr, "artgen: cannot open font %s: %s\n", _fontFile.c_str(), TTF_GetError());
  return _fonts[pixelSize] = f;
}

void Painter::Text(SDL_Surface* s, const std::string& utf8, int pixelSize, SDL_Color color, float cx, float cy,
                   bool outline) {
  TTF_Font* font = Font(pixelSize);
  if (!font || utf8.empty()) return;
  auto blit = [&](SDL_Color c, int dx, int dy) {
    SDL_Surface* t = TTF_RenderUTF8_Blended(font, utf8.c_str(), c);
    if (!t) return;
    SDL_Rect at{static_cast<int>(std::lround(cx - t->w / 2.0f)) + dx, static_cast<int>(std::lround(cy - t->h / 2.0f)) + dy,
                t->w, t->h};
    SDL_SetSurfaceBlendMode(t, SDL_BLENDMODE_BLEND);
    SDL_BlitSurface(t, nullptr, s, &at);
    SDL_FreeSurface(t);
    if (s == _painting && dx == 0 && dy == 0) _words.push_back(at);
  };
  if (outline) {
    const SDL_Color dark{40, 25, 10, 220};
    for (int dy = -2; dy <= 2; dy += 2)
      for (int dx = -2; dx <= 2; dx += 2)
        if (dx || dy) blit(dark, dx, dy);
  }
  blit(color, 0, 0);
}

void Painter::FitText(SDL_Surface* s, const std::string& utf8, int maxPixelSize, SDL_Color color, float cx, float cy,
                      int w, int h, bool outline) {
  int size = maxPixelSize;
  for (; size > 6; --size) {
    int tw = 0, th = 0;
    TTF_Font* font = Font(size);
    if (!font || TTF_SizeUTF8(font, utf8.c_str(), &tw, &th) != 0) return;
    if (tw <= w && th * 0.8f <= h) break;
  }
  Text(s, utf8, size, color, cx, cy, outline);
}

void Painter::CardBase(SDL_Surface* s) {
  RoundRect(s, 0, 0, s->w, s->h, s->w * 0.08f, kWhite, {238, 238, 232, 255}, kCardEdge, 1.5f);
}

void Painter::CardBack(SDL_Surface* s) {
  const float r = s->w * 0.08f;
  RoundRect(s, 0, 0, s->w, s->h, r, kWhite, kWhite, kCardEdge, 1.5f);
  const float m = s->w * 0.07f;
  RoundRect(s, m, m, s->w - 2 * m, s->h - 2 * m, r * 0.6f, {40, 90, 170, 255}, {20, 55, 120, 255});
  // A lattice of diamonds over the blue.
  for (int y = static_cast<int>(m); y < s->h - m; ++y)
    for (int x = static_cast<int>(m); x < s->w - m; ++x)
      if ((x + y) % 14 == 0 || (x - y + 1400) % 14 == 0) Blend(s, x, y, {150, 190, 240, 255}, 0.6f);
}

void Painter::Number(SDL_Surface* s, int colour, int number) {
  const SDL_Color ink = colour == 2 ? kWildInk : (colour & 1) ? kRedInk : kBlackInk;
  const std::string text = number >= 0 && number < 13 ? kRank[number] : (number == 13 ? "W" : "?");
  FitText(s, text, static_cast<int>(s->h * 1.1f), ink, s->w / 2.0f, s->h / 2.0f, s->w, s->h);
}

void Painter::Suit(SDL_Surface* s, int suit) {
  const SDL_Color ink = (suit & 1) ? kRedInk : kBlackInk;
  FitText(s, kSuitGlyph[suit & 3], static_cast<int>(s->h * 1.2f), ink, s->w / 2.0f, s->h / 2.0f, s->w, s->h);
}

void Painter::Court(SDL_Surface* s, int number) {
  // A framed picture with a lattice; its letter sits in the lower right, so a
  // card half covered by the next one in a fan shows only its corner rank.
  RoundRect(s, 2, 2, s->w - 4, s->h - 4, 8, {250, 240, 200, 255}, {235, 210, 150, 255}, {170, 130, 60, 255}, 2);
  for (int y = 6; y < s->h - 6; ++y)
    for (int x = 6; x < s->w - 6; ++x)
      if ((x + y) % 10 == 0 || (x - y + 1000) % 10 == 0) Blend(s, x, y, {190, 150, 80, 255}, 0.35f);
  FitText(s, kRank[number], static_cast<int>(s->h * 0.4f), {150, 30, 40, 255}, s->w * 0.7f, s->h * 0.72f,
          static_cast<int>(s->w * 0.5f), static_cast<int>(s->h * 0.45f));
}

void Painter::TableSide(SDL_Surface* s, bool right, bool night) {
  // The table's side: a shade that deepens toward the window's edge and
  // fades out toward the middle, so nothing on the table is covered.
  const Rgba shade = night ? Rgba{0, 0, 20, 255} : Rgba{0, 30, 10, 255};
  for (int y = 0; y < s->h; ++y) {
    for (int x = 0; x < s->w; ++x) {
      const float toEdge = right ? static_cast<float>(x) / s->w : 1.0f - static_cast<float>(x) / s->w;
      const float a = std::clamp((toEdge - 0.55f) / 0.45f, 0.0f, 1.0f) * 70.0f;
      if (a > 0) Blend(s, x, y, {shade.r, shade.g, shade.b, static_cast<Uint8>(a)});
    }
  }
}

void Painter::TableRim(SDL_Surface* s) {
  // A wooden rim around a lighter felt, transparent outside the oval.
  for (int y = 0; y < s->h; ++y) {
    for (int x = 0; x < s->w; ++x) {
      const float dx = (x - s->w / 2.0f) / (s->w / 2.0f), dy = (y - s->h / 2.0f) / (s->h / 2.0f);
      const float d = std::sqrt(dx * dx + dy * dy);
      if (d > 1.0f) continue;
      if (d > 0.94f) {
        Blend(s, x, y, {120, 70, 30, 255});
      } else if (d > 0.91f) {
        Blend(s, x, y, {220, 180, 90, 255});
      } else {
        Blend(s, x, y, {120, 220, 150, 255}, 0.12f * (1.0f - d));
      }
    }
  }
}

void Painter::Band(SDL_Surface* s, bool darkerDown) {
  for (int y = 0; y < s->h; ++y) {
    const float t = static_cast<float>(y) / std::max(1, s->h - 1);
    const float a = (darkerDown ? t : 1.0f - t) * 110.0f;
    for (int x = 0; x < s->w; ++x) Blend(s, x, y, {0, 20, 10, static_cast<Uint8>(a)});
  }
}

// A strip a title plate stands on: a solid dark band, softened only at its
// very ends, with a gold line along its top and bottom and no frame of its
// own. It belongs to a screen over the table, which must not show through.
void Painter::HeaderStrip(SDL_Surface* s) {
  for (int x = 0; x < s->w; ++x) {
    const float t = std::fabs(2.0f * x / std::max(1, s->w - 1) - 1.0f);
    const float fade = t < 0.97f ? 1.0f : std::max(0.0f, 1.0f - (t - 0.97f) / 0.03f);
    for (int y = 0; y < s->h; ++y) {
      const bool line = y == 2 || y == 3 || y == s->h - 3 || y == s->h - 4;
      if (line)
        Blend(s, x, y, {220, 180, 90, static_cast<Uint8>(255 * fade)});
      else if (y > 3 && y < s->h - 4)
        Blend(s, x, y, {25, 30, 50, static_cast<Uint8>(255 * fade)});
    }
  }
}

void Painter::Effect(SDL_Surface* s, const std::string& name, const std::string& caption) {
  const float w = static_cast<float>(s->w), h = static_cast<float>(s->h);
  const float cx = w / 2, cy = h / 2, r = std::min(w, h) / 2;
  // Stencils of the clipped effects: only their shape counts, they are not drawn.
  if (Has(name, "_mask") || (Has(name, "saoguang.png") && Has(name, "spring_"))) {
    RoundRect(s, 0, 0, w, h, r, {255, 255, 255, 255}, {255, 255, 255, 255});
    return;
  }
  // Sparkles and stars: a small four-pointed star.
  if (Has(name, "_star") || Has(name, "lizi")) {
    Glow(s, cx, cy, r, kEffectGlow, 0.35f);
    Line(s, cx, cy - r * 0.95f, cx, cy + r * 0.95f, std::max(1.5f, r * 0.12f), kEffectLine);
    Line(s, cx - r * 0.95f, cy, cx + r * 0.95f, cy, std::max(1.5f, r * 0.12f), kEffectLine);
    Disc(s, cx, cy, std::max(1.5f, r * 0.18f), {255, 255, 240, 255});
    return;
  }
  // The explosion's frames: rays and a ring that grow frame by frame.
  if (StartsWith(name, "cjddz_eff_zhadan_100")) {
    const int frame = NumberAt(name, 20);
    const float grow = std::clamp(frame / 8.0f, 0.1f, 1.0f);
    Glow(s, cx, cy, r * grow, kEffectGlow, 0.25f);
    // Fainter than the other outlines: the blast spreads over the table's middle.
    constexpr Rgba kBlastLine{255, 236, 170, 150};
    Arc(s, cx, cy, r * 0.8f * grow, r * 0.8f * grow, 0, 2 * kPi, 2, kBlastLine);
    for (int i = 0; i < 10; ++i) {
      const float a = 2 * kPi * i / 10 + frame * 0.1f;
      Line(s, cx + std::cos(a) * r * 0.45f * grow, cy + std::sin(a) * r * 0.45f * grow,
           cx + std::cos(a) * r * 0.95f * grow, cy + std::sin(a) * r * 0.95f * grow, 2, kBlastLine);
    }
    if (frame <= 3)
      FitText(s, "炸弹", static_cast<int>(h * 0.16f), kGoldInk, cx, cy, static_cast<int>(w * 0.5f),
              static_cast<int>(h * 0.3f));
    return;
  }
  // Flames: a teardrop outline that flickers with the frame.
  if (StartsWith(name, "boom_fire_ani_")) {
    const float flick = 0.85f + 0.15f * static_cast<float>(NumberAt(name, 14) % 3);
    Glow(s, cx, h * 0.4f, r, {255, 150, 60, 255}, 0.3f);
    Arc(s, cx, h * 0.35f, w * 0.3f, h * 0.3f * flick, 0, kPi, 2.5f, {255, 190, 90, 230});
    Line(s, cx - w * 0.3f, h * 0.35f, cx, h * 0.98f * flick, 2.5f, {255, 190, 90, 230});
    Line(s, cx + w * 0.3f, h * 0.35f, cx, h * 0.98f * flick, 2.5f, {255, 190, 90, 230});
    return;
  }
  // The straight's boat, its flag, sail and wake: line drawings.
  if (StartsWith(name, "qorvddz_shunzi_water_")) {
    const float phase = static_cast<float>(NumberAt(name, 21)) * 0.45f;
    for (int k = 0; k < 2; ++k)
      for (int x = 0; x + 4 < s->w; x += 4)
        Line(s, x, h * (0.35f + 0.3f * k) + std::sin(x * 0.08f + phase + k) * h * 0.12f, x + 4,
             h * (0.35f + 0.3f * k) + std::sin((x + 4) * 0.08f + phase + k) * h * 0.12f, 2, {200, 235, 255, 200});
    return;
  }
  if (StartsWith(name, "qorvddz_shunzi_qz_") || StartsWith(name, "qorvddz_shunzi_cf_")) {
    const float wave = std::sin(static_cast<float>(NumberAt(name, 18)) * 1.05f) * w * 0.08f;
    Line(s, w * 0.15f, h * 0.1f, w * 0.15f, h * 0.9f, 2.5f, kEffectLine);
    Line(s, w * 0.15f, h * 0.1f, w * 0.85f + wave, h * 0.35f, 2.5f, kEffectLine);
    Line(s, w * 0.85f + wave, h * 0.35f, w * 0.15f, h * 0.6f, 2.5f, kEffectLine);
    return;
  }
  if (name == "qorvddz_shunzi_chuan.png") {
    Glow(s, cx, h * 0.7f, r, kEffectGlow, 0.2f);
    Line(s, w * 0.05f, h * 0.62f, w * 0.95f, h * 0.62f, 3, kEffectLine);
    Line(s, w * 0.05f, h * 0.62f, w * 0.22f, h * 0.88f, 3, kEffectLine);
    Line(s, w * 0.22f, h * 0.88f, w * 0.78f, h * 0.88f, 3, kEffectLine);
    Line(s, w * 0.78f, h * 0.88f, w * 0.95f, h * 0.62f, 3, kEffectLine);
    if (!caption.empty())
      FitText(s, caption, static_cast<int>(h * 0.16f), kGoldInk, cx, h * 0.75f, static_cast<int>(w * 0.5f),
              static_cast<int>(h * 0.2f), true);
    return;
  }
  // The rocket: its outline only, as it flies up through the middle of the
  // table and the cards played there.
  if (name == "qorvddz_ani_rocket.png") {
    Glow(s, cx, cy, r, kEffectGlow, 0.2f);
    const float left = w * 0.35f, right = w * 0.65f, nose = h * 0.05f, tail = h * 0.8f;
    Line(s, left, h * 0.25f, cx, nose, 2.5f, kEffectLine);
    Line(s, right, h * 0.25f, cx, nose, 2.5f, kEffectLine);
    Line(s, left, h * 0.25f, left, tail, 2.5f, kEffectLine);
    Line(s, right, h * 0.25f, right, tail, 2.5f, kEffectLine);
    Line(s, left, tail, right, tail, 2.5f, kEffectLine);
    Line(s, left, h * 0.6f, w * 0.15f, h * 0.9f, 2.5f, kEffectLine);
    Line(s, right, h * 0.6f, w * 0.85f, h * 0.9f, 2.5f, kEffectLine);
    return;
  }
  // The plane (and its shadow, the same frame): an outline that crosses the
  // table over the seats' played cards.
  if (name == "game_ani_plane.png") {
    Glow(s, cx, cy, r, kEffectGlow, 0.2f);
    Line(s, w * 0.05f, cy, w * 0.95f, cy, 2.5f, kEffectLine);           // body, nose to the left
    Line(s, w * 0.05f, cy, w * 0.15f, cy - h * 0.1f, 2.5f, kEffectLine);
    Line(s, w * 0.15f, cy - h * 0.1f, w * 0.9f, cy - h * 0.1f, 2.5f, kEffectLine);
    Line(s, w * 0.35f, cy, w * 0.55f, h * 0.9f, 2.5f, kEffectLine);     // wings
    Line(s, w * 0.35f, cy - h * 0.1f, w * 0.55f, h * 0.1f, 2.5f, kEffectLine);
    Line(s, w * 0.85f, cy - h * 0.1f, w * 0.95f, h * 0.15f, 2.5f, kEffectLine);  // tail
    return;
  }
  // Glows and lights: soft and see-through; the big lights carry rays.
  if (caption.empty() && !StartsWith(name, "qorvddz_ani_spring_")) {
    // The big lights turn behind a title and are cut by a stencil near their
    // middle: their glow stays faint there, their rays start further out.
    Glow(s, cx, cy, r, kEffectGlow, Has(name, "light") || Has(name, "glow_a") ? 0.12f : 0.25f);
    if (Has(name, "light")) {
      for (int i = 0; i < 16; ++i) {
        const float a = 2 * kPi * i / 16;
        Line(s, cx + std::cos(a) * r * 0.3f, cy + std::sin(a) * r * 0.3f, cx + std::cos(a) * r * 0.9f,
             cy + std::sin(a) * r * 0.9f, 1.5f, {255, 240, 190, 120});
      }
    }
    return;
  }
  // The rest (the rocket, the plane, the bombs, the spring's banner and its
  // parts, the yuanbao icon): a glow, a thin outline and the effect's word.
  Glow(s, cx, cy, r, kEffectGlow, 0.22f);
  Arc(s, cx, cy, w * 0.46f, h * 0.46f, 0, 2 * kPi, 2.5f, kEffectLine);
  if (!caption.empty())
    FitText(s, caption, static_cast<int>(std::min(h * 0.25f, 48.0f)), kGoldInk, cx, cy, static_cast<int>(w * 0.7f),
            static_cast<int>(h * 0.3f));
}

void Painter::Joker(SDL_Surface* s, bool big, bool small) {
  const SDL_Color ink = big ? kRedInk : kBlackInk;
  if (!small) {
    CardBase(s);
    FitText(s, big ? "大王" : "小王", static_cast<int>(s->w * 0.32f), ink, s->w * 0.5f, s->h * 0.55f, s->w - 20,
            s->h / 2);
    Disc(s, s->w * 0.5f, s->h * 0.28f, s->w * 0.14f, big ? Rgba{220, 40, 40, 255} : Rgba{40, 40, 50, 255});
    FitText(s, "\u2605", static_cast<int>(s->w * 0.24f), kWhiteInk, s->w * 0.5f, s->h * 0.28f, s->w, s->h);
  }
  // "JOKER" down the left edge.
  const char* letters[] = {"J", "O", "K", "E", "R"};
  const float step = (small ? s->h : s->h * 0.6f) / 5.0f;
  const float x = small ? s->w / 2.0f : s->w * 0.13f;
  for (int i = 0; i < 5; ++i)
    Text(s, letters[i], static_cast<int>(step * 0.95f), ink, x, (small ? 0 : s->h * 0.05f) + step * (i + 0.5f));
}

void Painter::Button(SDL_Surface* s, const std::string& name) {
  Rgba top{250, 180, 60, 255}, bottom{220, 110, 20, 255};
  if (Has(name, "normal_2")) top = {90, 170, 240, 255}, bottom = {30, 100, 190, 255};
  if (Has(name, "disable")) top = {180, 180, 180, 255}, bottom = {130, 130, 130, 255};
  RoundRect(s, 1, 1, s->w - 2, s->h - 2, s->h * 0.3f, top, bottom, {255, 255, 255, 200}, 2);
}

void Painter::Digits(SDL_Surface* s, const std::string& glyphs, SDL_Color ink) {
  // Glyph order of the digit images: 0-9, then ':' drawn as a plus and ';' as a minus.
  const std::string order = glyphs.empty() ? std::string("0123456789+-") : glyphs;
  const float cell = s->w / static_cast<float>(order.size());
  const std::size_t wordsBefore = _words.size();  // a strip's glyphs are no written words
  for (std::size_t i = 0; i < order.size(); ++i) {
    FitText(s, std::string(1, order[i]), static_cast<int>(s->h * 1.1f), ink, cell * (i + 0.5f), s->h / 2.0f,
            static_cast<int>(cell), s->h, true);
    // A 1 stands on a foot as wide as the other figures, so "17" reads as one
    // number and not as "1 7".
    if (order[i] == '1') {
      const float x0 = cell * (i + 0.24f), x1 = cell * (i + 0.76f), y = s->h * 0.79f, w = std::max(2.0f, s->h * 0.1f);
      Line(s, x0, y, x1, y, w + 2.5f, {40, 25, 10, 220});
      Line(s, x0, y, x1, y, w, {ink.r, ink.g, ink.b, 255});
    }
  }
  _words.resize(wordsBefore);
}

void Painter::RoomFrame(SDL_Surface* s) {
  const float w = static_cast<float>(s->w);
  const float h = static_cast<float>(s->h);
  RoundRect(s, 0, 0, w, h, 16, {252, 242, 210, 255}, {226, 204, 150, 255}, {170, 115, 40, 255}, 3);
  // The entry money's figure stands from x 100 at 34 above the bottom.
  Text(s, "准入", 20, SDL_Color{0, 62, 74, 255}, 70, h - 34);
}

void Painter::Background(SDL_Surface* s, bool night, const std::string& caption) {
  const Rgba centre = night ? Rgba{30, 50, 90, 255} : Rgba{40, 130, 80, 255};
  const Rgba edge = night ? Rgba{8, 14, 35, 255} : Rgba{15, 70, 40, 255};
  auto* px = static_cast<Uint8*>(s->pixels);
  for (int y = 0; y < s->h; ++y) {
    for (int x = 0; x < s->w; ++x) {
      const float dx = (x - s->w / 2.0f) / (s->w / 2.0f), dy = (y - s->h * 0.45f) / (s->h / 2.0f);
      Rgba c = Lerp(centre, edge, std::clamp(std::sqrt(dx * dx + dy * dy) * 0.8f, 0.0f, 1.0f));
      // A faint weave so the felt is not flat.
      if ((x / 3 + y / 3) % 2 == 0) c = Lerp(c, Rgba{0, 0, 0, 255}, 0.05f);
      Uint8* p = px + y * s->pitch + x * 4;
      p[0] = c.r, p[1] = c.g, p[2] = c.b, p[3] = 255;
    }
  }
  // The table's oval.
  const Rgba line = night ? Rgba{120, 150, 220, 90} : Rgba{200, 230, 150, 90};
  for (int i = 0; i < 2000; ++i) {
    const float a = static_cast<float>(i) / 2000 * 6.2831853f;
    const float ox = s->w / 2.0f + std::cos(a) * s->w * 0.36f, oy = s->h * 0.45f + std::sin(a) * s->h * 0.28f;
    for (int k = 0; k < 3; ++k) Blend(s, static_cast<int>(ox), static_cast<int>(oy) + k, line);
  }
  if (!caption.empty())
    Text(s, caption, std::max(12, s->h / 8), night ? SDL_Color{170, 190, 240, 120} : SDL_Color{230, 250, 200, 110},
         s->w / 2.0f, s->h * 0.45f);
}

void Painter::Head(SDL_Surface* s, int index) {
  // A bust on a coloured disc, the colour by the head's number.
  static const Rgba kBacks[4] = {{70, 120, 190, 255}, {190, 90, 70, 255}, {80, 160, 100, 255}, {160, 110, 190, 255}};
  static const Rgba kShirts[4] = {{40, 60, 120, 255}, {120, 40, 40, 255}, {40, 90, 60, 255}, {90, 50, 120, 255}};
  const Rgba back = kBacks[std::abs(index) % 4], shirt = kShirts[(std::abs(index) / 4 + std::abs(index)) % 4];
  const float w = s->w, h = s->h, r = std::min(w, h) / 2 - 1;
  Disc(s, w / 2, h / 2, r, {230, 200, 120, 255});
  Disc(s, w / 2, h / 2, r * 0.93f, back);
  // Shoulders: the top of a disc below the centre, cut by the outer circle.
  for (int y = 0; y < s->h; ++y)
    for (int x = 0; x < s->w; ++x) {
      const float dx = x + 0.5f - w / 2, dy = y + 0.5f - h / 2;
      const float sx = dx, sy = y + 0.5f - h * 0.98f;
      if (dx * dx + dy * dy < r * 0.93f * r * 0.93f && sx * sx + sy * sy < r * 0.62f * r * 0.62f) Blend(s, x, y, shirt);
    }
  Disc(s, w / 2, h * 0.4f, r * 0.3f, {245, 210, 170, 255});
  // Hair: a darker cap over the top of the face.
  for (int y = 0; y < s->h; ++y)
    for (int x = 0; x < s->w; ++x) {
      const float dx = x + 0.5f - w / 2, dy = y + 0.5f - h * 0.4f;
      if (dy < -r * 0.08f && dx * dx + dy * dy < r * 0.32f * r * 0.32f) Blend(s, x, y, {60, 40, 30, 255});
    }
}

void Painter::Medal(SDL_Surface* s) {
  const float w = static_cast<float>(s->w), h = static_cast<float>(s->h);
  const float r = std::min(w * 0.4f, h * 0.33f), cx = w / 2, cy = h - r - 4;
  // The ribbon: two red bands with a gold stripe each, from the top edge
  // down to where they meet behind the medal's ring.
  const Rgba red{200, 40, 45, 255}, darkRed{150, 25, 30, 255}, stripe{255, 215, 90, 255};
  const float band = w * 0.2f, meet = cy - r * 0.75f;
  Polygon(s, {{w * 0.12f, 0}, {w * 0.12f + band, 0}, {cx + band * 0.5f, meet}, {cx - band * 0.5f, meet}}, red);
  Polygon(s, {{w * 0.88f - band, 0}, {w * 0.88f, 0}, {cx + band * 0.5f, meet}, {cx - band * 0.5f, meet}}, darkRed);
  Line(s, w * 0.12f + band / 2, 0, cx, meet, band * 0.18f, stripe);
  Line(s, w * 0.88f - band / 2, 0, cx, meet, band * 0.18f, stripe);
  // The ring the medal hangs from.
  RoundRect(s, cx - r * 0.32f, cy - r - r * 0.2f, r * 0.64f, r * 0.3f, r * 0.1f, {250, 225, 130, 255},
            {200, 140, 40, 255}, {150, 95, 20, 255}, 2);
  // The medal: a gold disc in a darker rim, a raised ring and a star.
  Disc(s, cx, cy, r, {170, 110, 25, 255});
  Disc(s, cx, cy, r * 0.92f, {240, 185, 60, 255});
  Disc(s, cx, cy, r * 0.78f, {255, 215, 90, 255});
  Arc(s, cx, cy, r * 0.7f, r * 0.7f, 0, 2 * kPi, std::max(2.0f, r * 0.04f), {200, 140, 40, 255});
  Polygon(s, StarPoints(cx, cy + r * 0.04f, r * 0.5f, r * 0.2f), {215, 150, 35, 255});
  Polygon(s, StarPoints(cx, cy, r * 0.46f, r * 0.18f), {255, 240, 170, 255});
  // A glint on its upper left.
  Glow(s, cx - r * 0.45f, cy - r * 0.45f, r * 0.35f, {255, 255, 240, 255}, 0.6f);
}

void Painter::Trophy(SDL_Surface* s) {
  const float w = static_cast<float>(s->w), h = static_cast<float>(s->h);
  const Rgba gold{245, 190, 60, 255}, dark{190, 125, 30, 255}, light{255, 235, 150, 255};
  const float cx = w / 2, rim = h * 0.1f, rx = w * 0.3f, ry = h * 0.42f;
  // The handles: gold loops either side, their ends under the bowl.
  Arc(s, cx - rx * 0.85f, rim + ry * 0.3f, w * 0.17f, ry * 0.28f, kPi / 2, 3 * kPi / 2, w * 0.045f, dark);
  Arc(s, cx + rx * 0.85f, rim + ry * 0.3f, w * 0.17f, ry * 0.28f, -kPi / 2, kPi / 2, w * 0.045f, dark);
  // The bowl: flat at the rim, rounded below.
  std::vector<SDL_FPoint> bowl;
  for (int i = 0; i <= 32; ++i) {
    const float a = kPi * static_cast<float>(i) / 32;
    bowl.push_back({cx + rx * std::cos(a), rim + ry * std::sin(a)});
  }
  Polygon(s, bowl, gold);
  RoundRect(s, cx - rx - 4, rim - 6, 2 * rx + 8, 12, 5, light, dark);
  // Its light side.
  std::vector<SDL_FPoint> shine;
  for (int i = 0; i <= 16; ++i) {
    const float a = kPi / 2 + kPi / 2 * static_cast<float>(i) / 16;
    shine.push_back({cx - rx * 0.15f + rx * 0.6f * std::cos(a), rim + 8 + (ry - 14) * std::sin(a)});
  }
  Polygon(s, shine, {255, 225, 120, 255});
  Polygon(s, StarPoints(cx, rim + ry * 0.4f, rx * 0.36f, rx * 0.15f), {255, 245, 200, 255});
  // The stem, its knot and the foot on a dark plinth.
  const float stemTop = rim + ry - 4, foot = h * 0.76f;
  RoundRect(s, cx - w * 0.05f, stemTop, w * 0.1f, foot - stemTop, 3, gold, dark);
  RoundRect(s, cx - w * 0.1f, (stemTop + foot) / 2 - 7, w * 0.2f, 14, 7, light, dark);
  RoundRect(s, cx - w * 0.2f, foot - 4, w * 0.4f, h * 0.06f, 6, light, dark);
  RoundRect(s, cx - w * 0.27f, h * 0.81f, w * 0.54f, h * 0.17f, 8, {120, 70, 35, 255}, {80, 45, 20, 255},
            {200, 150, 60, 255}, 2);
  RoundRect(s, cx - w * 0.14f, h * 0.85f, w * 0.28f, h * 0.09f, 3, light, dark);
}

void Painter::GoldCard(SDL_Surface* s, const std::string& rank) {
  const float w = static_cast<float>(s->w), h = static_cast<float>(s->h);
  RoundRect(s, 1, 1, w - 2, h - 2, w * 0.12f, {255, 244, 200, 255}, {240, 200, 90, 255}, {190, 130, 30, 255}, 2);
  FitText(s, rank, static_cast<int>(h * 0.55f), SDL_Color{150, 60, 10, 255}, w / 2, h / 2, static_cast<int>(w - 10),
          static_cast<int>(h * 0.6f));
}

void Painter::StatusIcon(SDL_Surface* s, int kind) {
  const float w = static_cast<float>(s->w), h = static_cast<float>(s->h);
  const Rgba ink{200, 231, 255, 255};
  switch (kind) {
    case 1:  // the battery's case and its knob
      RoundRect(s, 1, 1, w - 5, h - 2, 2, {0, 0, 0, 0}, {0, 0, 0, 0}, ink, 1.5f);
      RoundRect(s, w - 4, h * 0.3f, 3, h * 0.4f, 1, ink, ink);
      break;
    case 2:  // the charge, grown to the battery's level
      RoundRect(s, 0, 0, w, h, 1, {120, 220, 110, 255}, {80, 180, 70, 255});
      break;
    case 3:  // a wired connection: a plug's two pins and its cord
      RoundRect(s, w * 0.25f, h * 0.3f, w * 0.5f, h * 0.4f, 2, ink, ink);
      Line(s, w * 0.38f, h * 0.1f, w * 0.38f, h * 0.3f, 2, ink);
      Line(s, w * 0.62f, h * 0.1f, w * 0.62f, h * 0.3f, 2, ink);
      Line(s, w * 0.5f, h * 0.7f, w * 0.5f, h * 0.95f, 2, ink);
      break;
    default:  // a wireless connection: four bars rising
      for (int i = 0; i < 4; ++i) {
        const float bar = h * (0.3f + 0.23f * static_cast<float>(i));
        RoundRect(s, w * (0.08f + 0.23f * static_cast<float>(i)), h - bar, w * 0.16f, bar, 1, ink, ink);
      }
      break;
  }
}

// A plain panel, solid: as a dialog's background it hides the table under it.
void Painter::Panel(SDL_Surface* s, const std::string& caption) {
  RoundRect(s, 0, 0, s->w, s->h, std::min(12.0f, s->h * 0.3f), {30, 40, 60, 255}, {15, 20, 35, 255},
            {200, 170, 90, 255}, std::min(2.0f, s->h * 0.1f));
  if (!caption.empty())
    FitText(s, caption, static_cast<int>(s->h * 0.6f), kWhiteInk, s->w / 2.0f, s->h / 2.0f, s->w - 12, s->h - 4);
}

bool Painter::SuperTablePiece(SDL_Surface* s, const std::string& name, const std::string& caption) {
  const float w = static_cast<float>(s->w), h = static_cast<float>(s->h);
  if (name == "cjddz_table.png") {
    // The table: a faintly lighter felt in an oval (the background draws
    // the table's line); the seats, cards and buttons stay in sight on it.
    for (int y = 0; y < s->h; ++y)
      for (int x = 0; x < s->w; ++x) {
        const float dx = (x + 0.5f - w / 2) / (w / 2), dy = (y + 0.5f - h / 2) / (h / 2);
        const float d = std::sqrt(dx * dx + dy * dy);
        if (d < 0.97f) Blend(s, x, y, {150, 230, 170, static_cast<Uint8>(30 * (1 - d * d))});
      }
    return true;
  }
  if (name == "cjddz_chair.png") {
    // A chair's back behind a seat's head: a faint outline on the felt.
    RoundRect(s, w * 0.1f, h * 0.05f, w * 0.8f, h * 0.7f, w * 0.2f, {20, 40, 30, 40}, {20, 40, 30, 20},
              {230, 200, 120, 70}, 2);
    Line(s, w * 0.2f, h * 0.75f, w * 0.2f, h * 0.97f, 2, {230, 200, 120, 70});
    Line(s, w * 0.8f, h * 0.75f, w * 0.8f, h * 0.97f, 2, {230, 200, 120, 70});
    return true;
  }
  if (name == "erddz_qp.png") {
    // The two-seat table's pile: three card backs fanned on the felt.
    const int cw = static_cast<int>(h * 0.62f), ch = static_cast<int>(h * 0.86f);
    for (int k = 0; k < 3; ++k) {
      SDL_Surface* back = SDL_CreateRGBSurfaceWithFormat(0, cw, ch, 32, SDL_PIXELFORMAT_RGBA32);
      if (back == nullptr) continue;
      SDL_FillRect(back, nullptr, SDL_MapRGBA(back->format, 0, 0, 0, 0));
      CardBack(back);
      SDL_SetSurfaceBlendMode(back, SDL_BLENDMODE_BLEND);
      SDL_Rect at{static_cast<int>(w / 2 - cw / 2.0f + (k - 1) * cw * 0.45f), static_cast<int>((h - ch) / 2), cw, ch};
      SDL_BlitSurface(back, nullptr, s, &at);
      SDL_FreeSurface(back);
    }
    return true;
  }
  if (StartsWith(name, "guide-")) {
    // The guide's pages and pointer keep their words and arrow in a strip
    // across their middle, see-through above and below it.
    const float strip = std::min(h, 40.0f), top = (h - strip) / 2;
    if (NumberAt(name, 6) == 7) {
      // The pointer beside a page: a gold arrow pointing left at it.
      const Rgba gold{255, 215, 90, 240};
      const float y = top + strip / 2, stroke = std::max(2.0f, strip * 0.1f);
      Line(s, w * 0.15f, y, w * 0.9f, y, stroke, gold);
      Line(s, w * 0.15f, y, w * 0.5f, top + strip * 0.18f, stroke, gold);
      Line(s, w * 0.15f, y, w * 0.5f, top + strip * 0.82f, stroke, gold);
      return true;
    }
    // A page: its tip in words on a see-through plate with a gold outline.
    RoundRect(s, 0, top, w, strip, 12, {30, 40, 60, 50}, {15, 20, 35, 50}, {230, 190, 90, 220}, 1.5f);
    if (!caption.empty())
      FitText(s, caption, static_cast<int>(strip * 0.5f), kWhiteInk, w / 2, top + strip / 2, s->w - 10,
              static_cast<int>(strip) - 6, true);
    return true;
  }
  return false;
}

SDL_Surface* Painter::Paint(const std::string& name, int w, int h, const std::string& caption, bool* plainPanel,
                            std::vector<SDL_Rect>* words) {
  if (plainPanel) *plainPanel = false;
  SDL_Surface* s = SDL_CreateRGBSurfaceWithFormat(0, std::max(w, 1), std::max(h, 1), 32, SDL_PIXELFORMAT_RGBA32);
  if (!s) return nullptr;
  _painting = s;
  _words.clear();
  SDL_FillRect(s, nullptr, SDL_MapRGBA(s->format, 0, 0, 0, 0));
  std::size_t end = 0;

  if (name == "cardback.png" || StartsWith(name, "backcard_")) {
    // The card backs, the other seats' hand stacks too.
    CardBack(s);
  } else if (name == "new_card_bg.png" || name == "show_card_bg.png") {
    CardBase(s);
  } else if (name == "card13.png" || name == "card14.png") {
    Joker(s, name == "card14.png", false);
  } else if (name == "show_cards_13.png" || name == "show_cards_14.png") {
    Joker(s, name == "show_cards_14.png", true);
  } else if (name == "p_shadow.png") {
    RoundRect(s, 0, 0, w, h, w * 0.08f, {40, 40, 80, 110}, {40, 40, 80, 110});
  } else if (name == "gold_card_focus.png") {
    RoundRect(s, 0, 0, w, h, w * 0.09f, {0, 0, 0, 0}, {0, 0, 0, 0}, {255, 200, 40, 255}, 5);
  } else if (StartsWith(name, "new_card_num_")) {
    const int colour = NumberAt(name, 13, &end);
    Number(s, colour, NumberAt(name, end + 1));
  } else if (StartsWith(name, "lz_handcard_num_")) {
    NumberAt(name, 16, &end);
    Number(s, 2, NumberAt(name, end + 1));
  } else if (StartsWith(name, "new_card_type_s_")) {
    Suit(s, NumberAt(name, 16));
  } else if (StartsWith(name, "new_card_type_")) {
    const int n = NumberAt(name, 14);
    if (n >= 10)
      Court(s, n);
    else
      Suit(s, n);
  } else if (name == "qorvddz_vell_laizi.png" || name == "lz_handcard_12.png" || name == "lz_handcard_11.png" ||
             name == "veriz_landower.png" || name == "ddz_mp.png" || name == "qorvddz_dizhu.png") {
    const bool landlord = name == "veriz_landower.png" || name == "qorvddz_dizhu.png";
    const float r = std::min(w, h) / 2.0f - 1;
    Disc(s, w / 2.0f, h / 2.0f, r, landlord ? Rgba{230, 170, 30, 255} : Rgba{130, 60, 190, 255});
    Disc(s, w / 2.0f, h / 2.0f, r * 0.86f, landlord ? Rgba{200, 60, 30, 255} : Rgba{170, 90, 230, 255});
    FitText(s, caption, static_cast<int>(r * 1.2f), kWhiteInk, w / 2.0f, h / 2.0f, static_cast<int>(r * 1.6f),
            static_cast<int>(r * 1.6f));
  } else if (Has(name, "_btn_normal") || Has(name, "_btn_disable") || Has(name, "_btn_press")) {
    Button(s, name);
  } else if (Has(name, "_btn_word_") || Has(name, "_btn_hl_")) {
    FitText(s, caption, static_cast<int>(h * 0.9f), Has(name, "_hl_") ? kGoldInk : kWhiteInk, w / 2.0f, h / 2.0f, w,
            h, true);
  } else if (name == "qorvddz_jipaiqi_pcui.png") {
    // The card counter's strip: its caption's first word at the left, then
    // its ranks (3 .. K, A, 2, the jokers) each over its count, at the places
    // of the counter's numbers (68 + 27.3 i).
    Panel(s, "");
    std::istringstream words(caption);
    std::string title;
    words >> title;
    FitText(s, title, static_cast<int>(h * 0.36f), kWhiteInk, 28, h / 2.0f, 50, h / 2);
    int i = 0;
    for (std::string rank; words >> rank; ++i)
      FitText(s, rank, static_cast<int>(h * 0.36f), kGoldInk, 68 + 27.3f * i, h * 0.27f, 26, h / 2);
  } else if (name == "task_bg.png") {
    // The four-player task panel: its word left, after the task's picture
    // (x 22), clear of the figures right of it (from x 82 on).
    Panel(s, "");
    FitText(s, caption, static_cast<int>(h * 0.5f), kGoldInk, 60.0f, h / 2.0f, 40, h - 8);
  } else if (name == "qorvddz_set_bg.png") {
    // The settings window: its title and the words of its two rows (music,
    // sound), left of the sliders and switches the layout places on it (rows
    // at 180 and 110 from the bottom).
    Panel(s, "");
    Text(s, "设置", 30, kGoldInk, w / 2.0f, 32);
    Text(s, "音乐", 26, kWhiteInk, 90, h - 180.0f);
    Text(s, "音效", 26, kWhiteInk, 90, h - 110.0f);
  } else if (StartsWith(name, "qorvddz_result_title_")) {
    // The result window's title: gold words for a win, grey-blue for a loss.
    const bool won = NumberAt(name, 21) <= 1;
    RoundRect(s, 0, 0, w, h, h * 0.3f, won ? Rgba{150, 60, 20, 255} : Rgba{40, 50, 80, 255},
              won ? Rgba{90, 30, 10, 255} : Rgba{20, 25, 45, 255}, {230, 190, 90, 255}, 3);
    FitText(s, caption, static_cast<int>(h * 0.6f), won ? kGoldInk : SDL_Color{190, 210, 240, 255}, w / 2.0f,
            h / 2.0f, w - 20, h - 8, true);
  } else if (name == "zuvoz_grxx_bg.png" || name == "qorvddz_grxx_bg.png" || name == "qorvddz_speak_bg.png") {
    // Panels whose words are dark: the info popups and the speech bubble.
    RoundRect(s, 0, 0, w, h, std::min(14.0f, h * 0.3f), {250, 244, 225, 255}, {225, 214, 185, 255},
              {200, 160, 80, 255}, 2);
  } else if (name == "qorvddzpc_pack_bg.png") {
    // The backpack: its caption as the title over sixteen slots in four rows,
    // where the props' cells lie (58 wide, 61 apart, the first at 9 from the
    // left; the top row's cells reach up to 264 above the bottom).
    Panel(s, "");
    const float top = h - 264.0f;
    if (!caption.empty())
      FitText(s, caption, static_cast<int>(top * 0.75f), kGoldInk, w / 2.0f, top / 2, w - 20, static_cast<int>(top));
    for (int i = 0; i < 16; ++i)
      RoundRect(s, 9 + 61.0f * (i % 4), top + 61.0f * (i / 4), 58, 58, 8, {60, 70, 95, 200}, {45, 52, 75, 200},
                {150, 130, 80, 200}, 1);
  } else if (IsEffect(name)) {
    Effect(s, name, caption);
  } else if (StartsWith(name, "vevad_head_icon_")) {
    Head(s, NumberAt(name, 16));
  } else if (name == "qorvddz_roomui_userinfo_player_bg.png") {
    // The bottom bar's own head frame: a bust until a head picture covers it.
    Head(s, 4);
  } else if (IsOffFace(name)) {
    // The face of a button that is off: grey, its word dimmed.
    RoundRect(s, 0, 0, w, h, std::min(12.0f, h * 0.3f), {85, 85, 90, 215}, {60, 60, 65, 215}, {120, 120, 120, 255},
              std::min(2.0f, h * 0.1f));
    if (!caption.empty())
      FitText(s, caption, static_cast<int>(h * 0.6f), SDL_Color{150, 150, 150, 255}, w / 2.0f, h / 2.0f, w - 12,
              h - 4);
  } else if (StartsWith(name, "qorvddz_bg_word")) {
    // The table's word printed on the felt under the middle of the table:
    // faint, with no plate, so the cards played over it read as before.
    FitText(s, caption, static_cast<int>(h * 0.8f), SDL_Color{225, 240, 215, 70}, w / 2.0f, h / 2.0f, w - 8, h);
  } else if (name == "veriz_table.png") {
    TableRim(s);
  } else if (name == "veriz_bg_up.png" || name == "veriz_bg_down.png") {
    Band(s, name == "veriz_bg_down.png");
  } else if (name == "veriz_chair.png") {
    // The seats stand on the background: nothing of their own.
  } else if (StartsWith(name, "veriz_gold_card_") && name != "veriz_gold_card_bg.png") {
    GoldCard(s, caption);
  } else if (StartsWith(name, "qorvddz_electric_signal_")) {
    StatusIcon(s, NumberAt(name, 24));
  } else if (Has(name, "_bg_you") || Has(name, "_bg_zuo")) {
    TableSide(s, Has(name, "_bg_you"), Has(name, "night"));
  } else if (Has(name, "loading_process_0")) {
    RoundRect(s, 0, 0, w, h, h / 2.0f, {20, 20, 30, 200}, {50, 50, 60, 200}, {200, 170, 90, 255}, 2);
  } else if (Has(name, "loading_process_1")) {
    RoundRect(s, 0, 0, w, h, h / 2.0f, {255, 220, 90, 255}, {230, 140, 20, 255});
  } else if (IsSmallGameLamp(name)) {
    // The mini-game's lamps: lit ones glow yellow, dark ones are grey.
    const bool lit = SmallGameLampLit(name);
    RoundRect(s, 0, 0, w, h, std::min(12.0f, h * 0.3f), lit ? Rgba{255, 230, 90, 240} : Rgba{70, 70, 80, 230},
              lit ? Rgba{230, 150, 20, 240} : Rgba{40, 40, 50, 230}, {200, 170, 90, 255}, 2);
    // The big-award board's word sits in its right part: the game writes
    // the amount left of the board's centre.
    const bool wordRight = StartsWith(name, "DDZ_SmallGameBonusKD");
    if (!caption.empty())
      FitText(s, caption, static_cast<int>(h * 0.6f), lit ? SDL_Color{120, 40, 0, 255} : kWhiteInk,
              wordRight ? w * 0.83f : w / 2.0f, h / 2.0f, wordRight ? static_cast<int>(w * 0.3f) : w - 12, h - 4);
  } else if (name == "ddzbs_bsks_z.png" || StartsWith(name, "ddzbs_compete_z0") || name == "ddzbs_bzdymgj_z.png" ||
             name == "ddzbs_jjyjhj_z.png") {
    // A tournament banner's words stand on its strip without a panel.
    FitText(s, caption, static_cast<int>(h * 0.85f), kGoldInk, w / 2.0f, h / 2.0f, w, h, true);
  } else if (name == "ddzbs_ddjm_ui_d01.png") {
    // The waiting room's and the promotion screen's header: the title plate
    // on it is the one plate.
    HeaderStrip(s);
  } else if (name == "ddzbs_fx_pic03.png") {
    // The certificate's rank pictures: a medal, and for the champion a cup.
    Medal(s);
  } else if (name == "ddzbs_fx_pic02.png") {
    Trophy(s);
  } else if (name == "ddzbs_ynddh_pic02.png") {
    RoundRect(s, 0, 0, w, h, h * 0.2f, {180, 35, 30, 235}, {110, 12, 12, 235}, {255, 210, 90, 255}, 3);
  } else if (name == "ddzcompete_rank_list_bg.png") {
    // The ranking list: a header over the five rows the list writes at 86 -
    // 52 i above its middle (rank, name and score columns).
    RoundRect(s, 0, 0, w, h, 12, {30, 40, 60, 255}, {15, 20, 35, 255}, {200, 170, 90, 255}, 2);
    const float header = h / 2.0f - 86 - 46;
    Text(s, "名次", 20, kGoldInk, 44, header);
    Text(s, "昵称", 20, kGoldInk, 176, header);
    Text(s, "积分", 20, kGoldInk, 318, header);
    for (int x = 12; x < w - 12; ++x) Blend(s, x, static_cast<int>(header + 18), {200, 170, 90, 160});
  } else if (StartsWith(name, "qorvddz_room_bg_")) {
    RoomFrame(s);
  } else if (Has(name, "quickstart_ani_lz_")) {
    Disc(s, w / 2.0f, h / 2.0f, std::min(w, h) / 2.0f - 1, {255, 250, 200, 230});
  } else if (Has(name, "quickstart_ani_qorv")) {
    RoundRect(s, 2, 2, w - 4.0f, h - 4.0f, h / 3.0f, {255, 230, 120, 70}, {255, 200, 60, 40});
  } else if (StartsWith(name, "ddzbs_pm_jdt_d")) {
    // The promotion bar's pieces: gold where the stage is reached, grey ahead.
    const bool reached = StartsWith(name, "ddzbs_pm_jdt_d2_");
    RoundRect(s, 0, 0, w, h, std::min(12.0f, h * 0.3f), reached ? Rgba{255, 215, 90, 255} : Rgba{120, 120, 130, 255},
              reached ? Rgba{220, 140, 30, 255} : Rgba{80, 80, 90, 255}, {250, 240, 210, 255}, 2);
    if (!caption.empty())
      FitText(s, caption, static_cast<int>(h * 0.4f), reached ? SDL_Color{120, 40, 0, 255} : kWhiteInk, w / 2.0f,
              h / 2.0f, w - 12, h - 4);
  } else if (name == "qorvddz_room_base_score_num.png") {
    Digits(s, caption, SDL_Color{200, 80, 20, 255});
  } else if ((Has(name, "num") || Has(name, "Num")) && w >= h * 4) {
    Digits(s, caption);
  } else if (Picture(s, name, caption) || SuperTablePiece(s, name, caption)) {
  } else if (w >= 1000 && h >= 600) {
    Background(s, Has(name, "night"), caption);
  } else {
    Panel(s, caption);
    if (plainPanel) *plainPanel = true;
  }
  _painting = nullptr;
  if (words) *words = _words;
  return s;
}

}  // namespace artgen
