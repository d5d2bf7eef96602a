// A player's look at a table: what must stay in sight and what may hide it.
//
// `CheckTable` judges one screen of any table view from what the scene draws
// (the headless recorder's commands, in drawing order) and from the pixels of
// the generated art the commands draw:
// - nothing opaque is drawn over what the player reads off the table: the
//   cards of each played row and of the own hand, each seat's head, landlord
//   mark and card count, the values of the top and the bottom bar, the turn
//   clock, the own turn's buttons, and an open dialog or result window; only
//   a dialog, the result window and a dim over the whole window may lie over
//   the table, and not even the result window over the cards a seat kept;
// - no large opaque panel lies over the table's felt;
// - every figure of the top and bottom bars has its caption: the word beside
//   it, above it, or painted on the box it stands on;
// - no shown button of an open dialog stands off its panel over a bar or a
//   seat's score box;
// - the words and figures of an open dialog, the result window and the
//   tournament's screens, which the player stops to read, are large enough
//   to read;
// - a picture a screen shows (the certificate's medal or cup) is drawn, not
//   a box: the art tool draws a frame it has no drawing for as a panel with
//   its words on it, which reads as a missing picture;
// - each other seat's card count lies on its stack's front card or clear of
//   the stack, never half over its edge, and on no money box; a seat's money
//   and amount figures stand inside their boxes, clear of the edges;
// - the result window's amounts stand clear of its buttons;
// - no card-type effect (the boats, the plane, the rocket, the bombs) lies
//   over a seat's head or card count: judged by the pictures' boxes, since
//   the placeholder art draws them as thin lines where the game's pictures
//   are whole;
// - no shown button shows an empty box: a face without word or picture and
//   nothing drawn over it;
// - no shown picture is painted as the plain panel: the art tool lists the
//   frames it has no drawing for, and each listed frame that is shown must be
//   on the reviewed list of the frames that are panels (data/panel_frames.txt);
// - nothing of the table is seen through an open dialog's panel (the result
//   window's too): inside the panel's shape the dialog's drawings together
//   let no light through from the table under them;
// - each seat's head is drawn whole, no picture of the table's backdrop
//   over it, and each seat's money and score figures stay in sight;
// - the top bar's panels read at a glance: each word once on a panel, its
//   figures on one row (or each on a row of its own beside its own word),
//   and the bottom cards inside the box they are shown on;
// - the own turn's buttons keep 8 points from every seat's money and score
//   box, the result's amounts 8 points from the cards the seats kept, and
//   the turn clock lies clear of the seats' card stacks;
// - the waiting room counts no more players signed up than its match seats;
// - every character a digit strip shows has its glyph in the strip (a minus
//   sign the strip lacks draws as a blank: "-7" reads "7");
// - no figure lies over a word the art tool wrote on the picture under it.
// Shared by the layout tests and the galleries. No GoogleTest here.
#pragma once

#include <SDL.h>
#include <SDL_image.h>
#include <cxxabi.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <functional>
#include <map>
#include <memory>
#include <set>
#include <sstream>
#include <string>
#include <typeinfo>
#include <vector>

#include "cards/OtherHandCard.h"
#include "cards/SelfHandCard.h"
#include "classic/BottomUIPC.h"
#include "classic/DDZPackLayer.h"
#include "classic/LastCardTipPC.h"
#include "classic/TopUIPC.h"
#include "compete/CompeteAwardLayer.h"
#include "compete/CompeteGameView.h"
#include "compete/CompeteTableUI.h"
#include "compete/CompetePromotionLayer.h"
#include "compete/CompeteWaitLayer.h"
#include "platform/engine/FileUtils.h"
#include "platform/engine/cocos2d.h"
#include "platform/engine/ui/Widgets.h"
#include "platform/gamebase/GameMsgBox.h"
#include "support/ScreenTour.h"
#include "table/DDZGameView.h"
#include "widgets/AllGameRuleLayer.h"
#include "widgets/BottomUI.h"
#include "widgets/CardTypeAnis.h"
#include "widgets/GameClock.h"
#include "widgets/GameRuleLayer.h"
#include "widgets/OtherPlayerInfo.h"
#include "widgets/PlayerGameInfo.h"
#include "widgets/PlayerShow.h"
#include "widgets/ResultLayer.h"
#include "widgets/SRResultLayer.h"
#include "widgets/SetLayer.h"
#include "widgets/TalkLayer.h"
#include "widgets/TopUI.h"

namespace ddz::tour {

// ---------------------------------------------------------------- the art's pixels

// The alpha of the generated images, read once per file.
class ArtPixels {
 public:
  static ArtPixels& Instance() {
    static ArtPixels pixels;
    return pixels;
  }
  struct Image {
    int w = 0, h = 0;
    std::vector<std::uint8_t> alpha;  // row by row, y down
    float At(float x, float y) const {
      const int px = static_cast<int>(x), py = static_cast<int>(y);
      if (px < 0 || py < 0 || px >= w || py >= h) return 0;
      return alpha[static_cast<std::size_t>(py) * w + px] / 255.0f;
    }
  };
  // Whether the frame `rect` of `file` (lying turned in the sheet when
  // `rotated`) is a plain box: each line across its middle one colour, as a
  // face without word or picture is painted. False when the file is not read.
  bool PlainBox(const std::string& file, const cocos2d::Rect& rect, bool rotated) {
    const std::string key = file + "@" + std::to_string(rect.origin.x) + "," + std::to_string(rect.origin.y) +
                            (rotated ? "r" : "");
    auto it = m_Plain.find(key);
    if (it != m_Plain.end()) return it->second;
    bool plain = false;
    const std::string path = file.empty() ? "" : cocos2d::FileUtils::getInstance()->fullPathForFilename(file);
    if (SDL_Surface* loaded = path.empty() ? nullptr : IMG_Load(path.c_str())) {
      if (SDL_Surface* rgba = SDL_ConvertSurfaceFormat(loaded, SDL_PIXELFORMAT_RGBA32, 0)) {
        const float w = rect.size.width, h = rect.size.height;
        // A frame point (x right, y down) in the sheet's pixels.
        const auto at = [&](float fx, float fy) -> const std::uint8_t* {
          const int px = static_cast<int>(rotated ? rect.origin.x + h - 1 - fy : rect.origin.x + fx);
          const int py = static_cast<int>(rotated ? rect.origin.y + fx : rect.origin.y + fy);
          if (px < 0 || py < 0 || px >= rgba->w || py >= rgba->h) return nullptr;
          return static_cast<const std::uint8_t*>(rgba->pixels) + py * rgba->pitch + px * 4;
        };
        plain = w >= 4 && h >= 4;
        for (float fy = h * 0.35f; plain && fy <= h * 0.65f; fy += 1) {
          const std::uint8_t* first = at(w * 0.2f, fy);
          for (float fx = w * 0.2f; plain && first != nullptr && fx <= w * 0.8f; fx += 1) {
            const std::uint8_t* p = at(fx, fy);
            for (int k = 0; p != nullptr && k < 4; ++k) plain = plain && std::abs(p[k] - first[k]) <= 6;
          }
          plain = plain && first != nullptr;
        }
        SDL_FreeSurface(rgba);
      }
      SDL_FreeSurface(loaded);
    }
    return m_Plain[key] = plain;
  }

  // Null when the file is not found or not read (the caller counts it opaque).
  const Image* Get(const std::string& file) {
    auto it = m_Images.find(file);
    if (it != m_Images.end()) return it->second.get();
    std::unique_ptr<Image> image;
    const std::string path = file.empty() ? "" : cocos2d::FileUtils::getInstance()->fullPathForFilename(file);
    if (SDL_Surface* loaded = path.empty() ? nullptr : IMG_Load(path.c_str())) {
      if (SDL_Surface* rgba = SDL_ConvertSurfaceFormat(loaded, SDL_PIXELFORMAT_RGBA32, 0)) {
        image = std::make_unique<Image>();
        image->w = rgba->w;
        image->h = rgba->h;
        image->alpha.resize(static_cast<std::size_t>(rgba->w) * rgba->h);
        for (int y = 0; y < rgba->h; ++y)
          for (int x = 0; x < rgba->w; ++x)
            image->alpha[static_cast<std::size_t>(y) * rgba->w + x] =
                static_cast<const std::uint8_t*>(rgba->pixels)[y * rgba->pitch + x * 4 + 3];
        SDL_FreeSurface(rgba);
      }
      SDL_FreeSurface(loaded);
    }
    return (m_Images[file] = std::move(image)).get();
  }

 private:
  std::map<std::string, std::unique_ptr<Image>> m_Images;
  std::map<std::string, bool> m_Plain;
};

// The frames and images the art tool writes words on: their captions.
inline const std::set<std::string>& CaptionedArt() {
  static const std::set<std::string> names = [] {
    std::set<std::string> out;
    std::ifstream in(std::string(DDZ_SOURCE_DIR) + "/data/art_captions.txt");
    for (std::string line; std::getline(in, line);) {
      if (line.empty() || line[0] == '#') continue;
      const auto space = line.find_first_of(" \t");
      if (space != std::string::npos && line.find_first_not_of(" \t\r", space) != std::string::npos)
        out.insert(line.substr(0, space));
    }
    return out;
  }();
  return names;
}

// One drawn command with what the checks need of it.
struct Drawn {
  const cocos2d::DrawCommand* c = nullptr;
  cocos2d::AffineTransform inverse;
  cocos2d::Rect box;  // in the window
};

inline cocos2d::Rect LocalRect(const cocos2d::DrawCommand& c) {
  return c.kind == cocos2d::DrawKind::Image ? c.quad : cocos2d::Rect(0, 0, c.size.width, c.size.height);
}

inline Drawn MakeDrawn(const cocos2d::DrawCommand& c) {
  Drawn d;
  d.c = &c;
  d.inverse = c.transform.inverse();
  d.box = c.transform.applyToRect(LocalRect(c));
  return d;
}

// A text hides about half of what lies under its box.
constexpr float kTextHides = 0.5f;

// How much a drawing of opacity `alpha` hides of what lies under it: a faint
// glow (up to 0.2) nothing, from 0.8 on all of it.
inline float Hiding(float alpha) { return std::clamp((alpha - 0.2f) / 0.6f, 0.0f, 1.0f); }

// The opacity (0 to 1) of what the command draws at the window point `p`:
// images and digits by their pixels (an image that adds light is clear),
// shades by their opacity; texts and shapes 0 (a text's cover is HidesAt's).
inline float OpacityAt(const Drawn& d, const cocos2d::Vec2& p) {
  const cocos2d::DrawCommand& c = *d.c;
  const cocos2d::Vec2 q = d.inverse.apply(p);
  const cocos2d::Rect local = LocalRect(c);
  if (local.size.width <= 0 || local.size.height <= 0 || !local.containsPoint(q)) return 0;
  const float opacity = c.opacity / 255.0f;
  switch (c.kind) {
    case cocos2d::DrawKind::Color:
      return opacity;
    case cocos2d::DrawKind::Text:
    case cocos2d::DrawKind::Shapes:
      return 0;
    case cocos2d::DrawKind::Atlas: {
      const ArtPixels::Image* image = ArtPixels::Instance().Get(c.texture);
      if (image == nullptr) return opacity;
      if (c.itemWidth <= 0 || c.itemHeight <= 0) return 0;
      const int k = static_cast<int>(q.x / c.itemWidth);
      if (k < 0 || k >= static_cast<int>(c.what.size())) return 0;
      const int glyph = static_cast<unsigned char>(c.what[k]) - c.startChar;
      const int perRow = std::max(1, image->w / c.itemWidth);
      if (glyph < 0) return 0;
      const float u = static_cast<float>(glyph % perRow * c.itemWidth) + (q.x - static_cast<float>(k * c.itemWidth));
      const float v = static_cast<float>(glyph / perRow * c.itemHeight) + (c.itemHeight - q.y);
      return image->At(u, v) * opacity;
    }
    case cocos2d::DrawKind::Image:
    case cocos2d::DrawKind::NineSlice: {
      if (c.blend.dst == cocos2d::GL_ONE) return 0;  // added light
      const ArtPixels::Image* image = ArtPixels::Instance().Get(c.texture);
      if (image == nullptr) return opacity;
      // The image's corners (bottom-left, bottom-right, top-right, top-left)
      // in its pixels, as the window backend maps them.
      const float x = c.textureRect.origin.x, y = c.textureRect.origin.y, w = c.textureRect.size.width,
                  h = c.textureRect.size.height;
      cocos2d::Vec2 uv[4];
      if (!c.rotated) {
        uv[0] = {x, y + h}, uv[1] = {x + w, y + h}, uv[2] = {x + w, y}, uv[3] = {x, y};
      } else {
        uv[0] = {x, y}, uv[1] = {x, y + w}, uv[2] = {x + h, y + w}, uv[3] = {x + h, y};
      }
      if (c.kind == cocos2d::DrawKind::Image) {
        if (c.flippedX) std::swap(uv[0], uv[1]), std::swap(uv[3], uv[2]);
        if (c.flippedY) std::swap(uv[0], uv[3]), std::swap(uv[1], uv[2]);
      }
      const float s = (q.x - local.getMinX()) / local.size.width, t = (q.y - local.getMinY()) / local.size.height;
      const cocos2d::Vec2 at =
          uv[0] * ((1 - s) * (1 - t)) + uv[1] * (s * (1 - t)) + uv[2] * (s * t) + uv[3] * ((1 - s) * t);
      return image->At(at.x, at.y) * opacity;
    }
  }
  return 0;
}

// How much of what lies under the window point `p` the command hides: 0
// nothing, 1 all of it. Images, digits and shades by their opacity there,
// texts by kTextHides.
inline float HidesAt(const Drawn& d, const cocos2d::Vec2& p) {
  const cocos2d::DrawCommand& c = *d.c;
  if (c.kind != cocos2d::DrawKind::Text) return Hiding(OpacityAt(d, p));
  const cocos2d::Rect local = LocalRect(c);
  if (local.size.width <= 0 || local.size.height <= 0 || !local.containsPoint(d.inverse.apply(p))) return 0;
  return c.lines != nullptr && !c.lines->empty() ? kTextHides * c.opacity / 255.0f : 0;
}

// ---------------------------------------------------------------- what the player reads

// A part of the table that must stay in sight, by the nodes it draws with.
struct Guarded {
  std::string what;
  std::vector<const cocos2d::Node*> roots;  // each with everything under it
  std::set<const cocos2d::Node*> except;    // parts under a root that are not this part
  bool underResult = true;                  // the result window may lie over it
};

// The layers that may lie over the table: dialogs, popups the player opened,
// the result windows and the tournament's own screens.
inline bool IsDialogLayer(const cocos2d::Node* n) {
  if (auto* layer = dynamic_cast<const YndGameLayer*>(n); layer != nullptr && layer->GetNeedDiableOtherTouch())
    return true;
  return dynamic_cast<const GameMsgBox*>(n) != nullptr || dynamic_cast<const ResultLayer*>(n) != nullptr ||
         dynamic_cast<const SRResultLayer*>(n) != nullptr || dynamic_cast<const GameRuleLayer*>(n) != nullptr ||
         dynamic_cast<const AllGameRuleLayer*>(n) != nullptr || dynamic_cast<const SetLayer*>(n) != nullptr ||
         dynamic_cast<const TalkLayer*>(n) != nullptr || dynamic_cast<const DDZPackLayer*>(n) != nullptr ||
         dynamic_cast<const LastCardTipPC*>(n) != nullptr || dynamic_cast<const OtherPlayerInfo*>(n) != nullptr ||
         dynamic_cast<const CompeteWaitLayer*>(n) != nullptr ||
         dynamic_cast<const CompetePromotionLayer*>(n) != nullptr ||
         dynamic_cast<const CompeteAwardLayer*>(n) != nullptr;
}

// The dialog `n` lies in, else null.
inline const cocos2d::Node* DialogOf(const cocos2d::Node* n) {
  const cocos2d::Node* found = nullptr;
  for (; n != nullptr; n = n->getParent())
    if (IsDialogLayer(n)) found = n;  // the outermost: a list inside a dialog is the dialog
  return found;
}

inline std::string SeatName(int seat) {
  return seat == DDZGameView::kOwnSeat ? "the own seat" : "seat " + std::to_string(seat);
}

// What the player reads off `view` now, as parts that must stay in sight.
inline std::vector<Guarded> GuardedParts(DDZGameView& view, cocos2d::Scene* scene) {
  std::vector<Guarded> parts;
  const auto add = [&](std::string what, const cocos2d::Node* node, std::set<const cocos2d::Node*> except = {}) {
    if (node == nullptr || !ShownOnStage(node)) return;
    parts.push_back({std::move(what), {node}, std::move(except)});
  };
  // Under the four-player table's result the other seats' rows hold the
  // cards they kept.
  const bool keptInRows = dynamic_cast<const SRResultLayer*>(view.m_pResultLayer) != nullptr &&
                          ShownOnStage(view.m_pResultLayer);
  for (int seat = 0; seat < DDZGameView::kMaxSeats; ++seat) {
    if (keptInRows && seat != DDZGameView::kOwnSeat && view.m_pSendCard[seat] != nullptr &&
        ShownOnStage(view.m_pSendCard[seat]) && view.m_pSendCard[seat]->GetCardCount() > 0)
      parts.push_back({SeatName(seat) + "'s kept cards", {view.m_pSendCard[seat]}, {}, false});
    else
      add(SeatName(seat) + "'s played cards", view.m_pSendCard[seat]);
    // The cards a seat kept show beside the result window, not under it.
    if (view.m_pMingCard[seat] != nullptr && ShownOnStage(view.m_pMingCard[seat]) &&
        view.m_pMingCard[seat]->GetCardCount() > 0)
      parts.push_back({SeatName(seat) + "'s shown cards", {view.m_pMingCard[seat]}, {}, false});
    add(SeatName(seat) + "'s head", view.m_pPlayerShow[seat]);
    if (PlayerGameInfo* info = view.m_pPlayerGameInfo[seat])
      add(SeatName(seat) + "'s landlord mark", info->GetLandOwner());
    if (seat != DDZGameView::kOwnSeat)
      if (auto* backs = dynamic_cast<OtherHandCard*>(view.m_pHandCard[seat]))
        add(SeatName(seat) + "'s card count", backs->GetCountLabel());
  }
  if (auto* hand = dynamic_cast<SelfHandCard*>(view.m_pHandCard[DDZGameView::kOwnSeat])) {
    std::set<const cocos2d::Node*> notCards;
    Guarded buttons{"the own turn's buttons", {}, {}};
    for (int i = 0; i < SelfHandCard::kMainButtons; ++i) {
      if (cocos2d::ui::Button* b = hand->GetMainButton(i)) {
        notCards.insert(b);
        if (ShownOnStage(b)) buttons.roots.push_back(b);
      }
    }
    // What the hand shows beside its cards (tips, marks) is judged as any other widget.
    for (cocos2d::Node* child : hand->getChildren())
      if (dynamic_cast<cocos2d::Sprite*>(child) == nullptr || child == hand->GetCannotBeatTip()) notCards.insert(child);
    add("the own hand", hand, notCards);
    if (!buttons.roots.empty()) parts.push_back(std::move(buttons));
  } else {
    add("the own hand", view.m_pHandCard[DDZGameView::kOwnSeat]);
  }
  for (cocos2d::Node* child : view.getChildren())
    if (auto* bar = dynamic_cast<BottomUIPC*>(child)) add("the own head", bar->GetHeadSprite());
  if (view.m_pBottomUI != nullptr) add("the own head", view.m_pBottomUI->GetHeadSprite());
  add("the turn clock", view.m_pGameClock);
  if (auto* compete = dynamic_cast<CompeteGameView*>(&view)) add("the match name", compete->GetMatchNameLabel());
  // The values of the top and the bottom bar: their texts and figures.
  const auto values = [&](std::string what, std::vector<cocos2d::Node*> bars) {
    Guarded part{std::move(what), {}, {}};
    std::function<void(cocos2d::Node*)> collect = [&](cocos2d::Node* n) {
      if (!n->isVisible() || IsDialogLayer(n)) return;
      if (dynamic_cast<cocos2d::Label*>(n) != nullptr || dynamic_cast<cocos2d::ui::TextAtlas*>(n) != nullptr) {
        part.roots.push_back(n);
        return;
      }
      for (cocos2d::Node* child : n->getChildren()) collect(child);
    };
    for (cocos2d::Node* bar : bars)
      if (bar != nullptr && ShownOnStage(bar)) collect(bar);
    if (!part.roots.empty()) parts.push_back(std::move(part));
  };
  std::vector<cocos2d::Node*> top = {view.m_pTopUI}, bottom = {view.m_pBottomUI};
  for (cocos2d::Node* child : view.getChildren()) {
    if (dynamic_cast<TopUIPC*>(child) != nullptr) top.push_back(child);
    if (dynamic_cast<BottomUIPC*>(child) != nullptr) bottom.push_back(child);
  }
  values("the top bar's values", top);
  values("the bottom bar's values", bottom);
  // The open dialogs and the result window: the table stays under them.
  std::function<void(cocos2d::Node*)> dialogs = [&](cocos2d::Node* n) {
    if (!n->isVisible()) return;
    if (IsDialogLayer(n)) {
      int status = 0;
      char* plain = abi::__cxa_demangle(typeid(*n).name(), nullptr, nullptr, &status);
      add(std::string("the open ") + (status == 0 && plain != nullptr ? plain : "dialog"), n);
      std::free(plain);
      return;
    }
    for (cocos2d::Node* child : n->getChildren()) dialogs(child);
  };
  dialogs(scene);
  return parts;
}

// ---------------------------------------------------------------- the seats' figures

// Whether two boxes share more than a one-point seam.
inline bool BoxesOverlap(const cocos2d::Rect& a, const cocos2d::Rect& b) {
  return a.getMinX() < b.getMaxX() - 1 && b.getMinX() < a.getMaxX() - 1 && a.getMinY() < b.getMaxY() - 1 &&
         b.getMinY() < a.getMaxY() - 1;
}

// The smallest box holding both.
inline cocos2d::Rect BoxUnion(const cocos2d::Rect& a, const cocos2d::Rect& b) {
  return a.size.width <= 0 && a.size.height <= 0 ? b : a.unionWithRect(b);
}

// `r` with `room` added on every side: what must stay clear of `r`.
inline cocos2d::Rect Grown(const cocos2d::Rect& r, float room) {
  return {r.getMinX() - room, r.getMinY() - room, r.size.width + 2 * room, r.size.height + 2 * room};
}

// Room a figure keeps to the left and right edge of the box it stands in.
constexpr float kFigureMargin = 8;

// Where the text of `label` is drawn in the window: its widest line placed
// by the label's alignment inside the label's box (a label given a width is
// wider than its text).
inline cocos2d::Rect DrawnTextBox(const cocos2d::Label* label) {
  const cocos2d::Rect box = WorldBox(label);
  const float contentWidth = label->getContentSize().width;
  const float scale = contentWidth > 0 ? box.size.width / contentWidth : 1;
  float width = 0;
  for (const std::string& line : label->getLines())
    width = std::max(width, cocos2d::Label::measureWidth(line, label->getSystemFontName(), label->getSystemFontSize()));
  width = std::min(width * scale, box.size.width);
  float x = box.getMinX();
  if (label->getHorizontalAlignment() == cocos2d::TextHAlignment::CENTER) x = box.getMidX() - width / 2;
  if (label->getHorizontalAlignment() == cocos2d::TextHAlignment::RIGHT) x = box.getMaxX() - width;
  return {x, box.getMinY(), width, box.size.height};
}

// The window box of what a seat's box draws: its picture and the pictures
// under it; a zero box when none is shown.
inline cocos2d::Rect ShownPictureBox(const cocos2d::Node* node) {
  cocos2d::Rect box;
  if (node == nullptr || !ShownOnStage(node)) return box;
  std::function<void(const cocos2d::Node*)> walk = [&](const cocos2d::Node* n) {
    if (!n->isVisible()) return;
    if (dynamic_cast<const cocos2d::Sprite*>(n) != nullptr && n->getContentSize().width > 0)
      box = BoxUnion(box, WorldBox(n));
    for (const cocos2d::Node* child : n->getChildren()) walk(child);
  };
  walk(node);
  return box;
}

// Each other seat's card count and its money against what stands around
// them: a count lies on its stack's front card or clear of its stack, never
// half over the stack's edge, and on no seat's money box; a seat's money and
// amount figures stand inside their boxes, clear of the boxes' left and
// right edges.
inline std::vector<std::string> SeatFiguresOutOfPlace(DDZGameView& view) {
  std::vector<std::string> found;
  // A two-seat table's opponent fills two seats' slots with one set of widgets.
  std::set<const cocos2d::Node*> judged;
  std::vector<cocos2d::Rect> moneyBoxes;
  for (PlayerGameInfo* info : view.m_pPlayerGameInfo)
    if (info != nullptr) {
      const cocos2d::Rect box = ShownPictureBox(info->GetMoneyBg());
      if (box.size.width > 0) moneyBoxes.push_back(box);
    }
  for (int seat = 0; seat < DDZGameView::kMaxSeats; ++seat) {
    auto* backs = dynamic_cast<OtherHandCard*>(view.m_pHandCard[seat]);
    if (seat == DDZGameView::kOwnSeat || backs == nullptr || !judged.insert(backs).second) continue;
    const cocos2d::ui::TextAtlas* count = backs->GetCountLabel();
    if (count == nullptr || !ShownOnStage(count)) continue;
    const cocos2d::Rect c = WorldBox(count);
    bool overCards = false, onACard = false;
    for (const cocos2d::Node* child : backs->getChildren()) {
      if (child == backs->GetWarningLamp() || dynamic_cast<const cocos2d::Sprite*>(child) == nullptr ||
          !child->isVisible())
        continue;
      const cocos2d::Rect card = WorldBox(child);
      overCards = overCards || BoxesOverlap(c, card);
      onACard = onACard || (card.getMinX() <= c.getMinX() && c.getMaxX() <= card.getMaxX() &&
                            card.getMinY() <= c.getMinY() && c.getMaxY() <= card.getMaxY());
    }
    if (overCards && !onACard) found.push_back(SeatName(seat) + "'s card count lies half over its card stack");
    for (const cocos2d::Rect& money : moneyBoxes)
      if (BoxesOverlap(c, money)) {
        found.push_back(SeatName(seat) + "'s card count lies on a money box");
        break;
      }
  }
  judged.clear();
  for (int seat = 0; seat < DDZGameView::kMaxSeats; ++seat) {
    PlayerGameInfo* info = view.m_pPlayerGameInfo[seat];
    if (info == nullptr || !judged.insert(info).second) continue;
    const std::pair<const char*, std::pair<const cocos2d::Node*, const cocos2d::Label*>> figures[] = {
        {"money", {info->GetMoneyBg(), info->GetMoneyLabel()}},
        {"amount", {info->GetAmountBg(), info->GetAmountLabel()}}};
    for (const auto& [what, parts] : figures) {
      const cocos2d::Rect box = ShownPictureBox(parts.first);
      if (box.size.width <= 0 || parts.second == nullptr || !ShownOnStage(parts.second) ||
          parts.second->getString().empty())
        continue;
      const cocos2d::Rect text = DrawnTextBox(parts.second);
      if (text.getMinX() < box.getMinX() + kFigureMargin || text.getMaxX() > box.getMaxX() - kFigureMargin ||
          text.getMidY() < box.getMinY() || text.getMidY() > box.getMaxY())
        found.push_back(SeatName(seat) + "'s " + what + " figure runs into its box's edge");
    }
  }
  return found;
}

// ---------------------------------------------------------------- the result window's amounts

// Room a result amount keeps to the window's buttons.
constexpr float kAmountToButton = 12;

// Each seat's amount on a shown result window against the window's shown
// buttons: an amount stands clear of every button's frame, not squeezed
// against it.
inline std::vector<std::string> ResultAmountsAgainstButtons(DDZGameView& view) {
  std::vector<std::string> found;
  cocos2d::Node* window = view.m_pResultLayer;
  if (window == nullptr || !ShownOnStage(window)) return found;
  std::vector<const cocos2d::Node*> amounts;
  if (auto* classic = dynamic_cast<ResultLayer*>(window))
    for (int seat = 0; seat < ResultLayer::kSeats; ++seat) amounts.push_back(classic->GetSeatNumber(seat));
  if (auto* four = dynamic_cast<SRResultLayer*>(window))
    for (int seat = 0; seat < SRResultLayer::kSeats; ++seat) amounts.push_back(four->GetSeatNumber(seat));
  std::vector<const cocos2d::ui::Button*> buttons;
  std::function<void(const cocos2d::Node*)> collect = [&](const cocos2d::Node* n) {
    if (!n->isVisible()) return;
    if (auto* button = dynamic_cast<const cocos2d::ui::Button*>(n)) {
      buttons.push_back(button);
      return;
    }
    for (const cocos2d::Node* child : n->getChildren()) collect(child);
  };
  collect(window);
  for (std::size_t seat = 0; seat < amounts.size(); ++seat) {
    if (amounts[seat] == nullptr || !ShownOnStage(amounts[seat])) continue;
    const cocos2d::Rect a = WorldBox(amounts[seat]);
    const cocos2d::Rect near = Grown(a, kAmountToButton);
    for (const cocos2d::ui::Button* button : buttons)
      if (BoxesOverlap(near, WorldBox(button))) {
        found.push_back(SeatName(static_cast<int>(seat)) + "'s amount on the result window is squeezed against " +
                        Describe(button));
        break;
      }
  }
  return found;
}

// ---------------------------------------------------------------- the check

// Whether a shade covers the whole window (a dim).
inline bool CoversTheWindow(const Drawn& d) {
  return d.c->kind == cocos2d::DrawKind::Color && d.box.getMinX() <= 0 && d.box.getMinY() <= 0 &&
         d.box.getMaxX() >= 1280 && d.box.getMaxY() >= 720;
}

// A drawing's words for a report line: its node and what it draws
// (a frame's name, a text without its figures, which change from hand to hand).
inline std::string Coverer(const cocos2d::DrawCommand& c) {
  std::string what;
  switch (c.kind) {
    case cocos2d::DrawKind::Color:
      what = "a shade";
      break;
    case cocos2d::DrawKind::Atlas:
      what = "digits";
      break;
    case cocos2d::DrawKind::Text: {
      std::size_t end = std::min<std::size_t>(c.what.size(), 40);
      while (end > 0 && end < c.what.size() && (static_cast<unsigned char>(c.what[end]) & 0xC0) == 0x80) --end;
      what = "text \"";
      for (char ch : c.what.substr(0, end)) what += std::isdigit(static_cast<unsigned char>(ch)) ? '#' : ch;
      what += "\"";
      break;
    }
    default:
      what = c.what.empty() ? "a picture" : c.what;
  }
  return Describe(c.node) + " (" + what + ")";
}

// A text that is a figure (a score, an amount, a count, a share), which a
// caption must name; a time of day ("12:05") reads by itself.
inline bool IsFigure(const std::string& text) {
  bool digit = false;
  for (char ch : text) {
    const unsigned char u = static_cast<unsigned char>(ch);
    if (std::isdigit(u))
      digit = true;
    else if (!std::strchr("+-.,%/xX ", ch))
      return false;
  }
  return digit;
}

// The figures of the bars that no caption names: for each figure the nearest
// drawing left of it on its line, else the nearest above it, must be a word
// (a text that is no figure, or art the art tool writes a word on), else
// the box it stands on must carry one.
inline std::vector<std::string> UncaptionedFigures(const std::vector<Drawn>& drawn,
                                                   const std::vector<const cocos2d::Node*>& dialogOf,
                                                   DDZGameView& view) {
  std::vector<const cocos2d::Node*> bars = {view.m_pTopUI, view.m_pBottomUI};
  for (cocos2d::Node* child : view.getChildren())
    if (dynamic_cast<TopUIPC*>(child) != nullptr || dynamic_cast<BottomUIPC*>(child) != nullptr) bars.push_back(child);
  const auto barOf = [&](const cocos2d::Node* n) -> const cocos2d::Node* {
    for (; n != nullptr; n = n->getParent())
      if (n != nullptr && std::find(bars.begin(), bars.end(), n) != bars.end()) return n;
    return nullptr;
  };
  const auto isFigure = [](const Drawn& d) {
    return d.c->kind == cocos2d::DrawKind::Atlas || (d.c->kind == cocos2d::DrawKind::Text && IsFigure(d.c->what));
  };
  const auto isWord = [](const Drawn& d) {
    if (d.c->kind == cocos2d::DrawKind::Text) return !IsFigure(d.c->what) && !d.c->what.empty();
    return (d.c->kind == cocos2d::DrawKind::Image || d.c->kind == cocos2d::DrawKind::NineSlice) &&
           CaptionedArt().count(d.c->what) > 0;
  };
  std::vector<std::string> found;
  for (std::size_t i = 0; i < drawn.size(); ++i) {
    const cocos2d::Node* bar = barOf(drawn[i].c->node);
    if (bar == nullptr || dialogOf[i] != nullptr || !isFigure(drawn[i])) continue;
    const cocos2d::Rect v = drawn[i].box;
    const Drawn* left = nullptr;
    const Drawn* above = nullptr;
    bool painted = false;
    for (std::size_t j = 0; j < drawn.size(); ++j) {
      if (j == i || barOf(drawn[j].c->node) != bar || dialogOf[j] != nullptr) continue;
      const cocos2d::Rect b = drawn[j].box;
      if (b.size.width < 4 || b.size.height < 4) continue;  // a separator line
      if (b.containsPoint({v.getMidX(), v.getMidY()}) && b.size.width >= v.size.width) {
        painted = painted || isWord(drawn[j]);
        continue;
      }
      if (b.getMaxX() <= v.getMinX() + 3 && b.getMinY() <= v.getMidY() && b.getMaxY() >= v.getMidY() &&
          v.getMinX() - b.getMaxX() < 120 && (left == nullptr || b.getMaxX() > left->box.getMaxX()))
        left = &drawn[j];
      if (b.getMinY() >= v.getMaxY() - 3 && b.getMinX() <= v.getMidX() && b.getMaxX() >= v.getMidX() &&
          b.getMinY() - v.getMaxY() < 50 && (above == nullptr || b.getMinY() < above->box.getMinY()))
        above = &drawn[j];
    }
    const bool captioned =
        (left != nullptr && isWord(*left)) || (left == nullptr && above != nullptr && isWord(*above)) || painted;
    if (!captioned) found.push_back(Coverer(*drawn[i].c) + ": a figure of the bar without its caption");
  }
  return found;
}

// The bars of `view`: the top and bottom bars, and the tournament's bar.
inline std::vector<const cocos2d::Node*> Bars(DDZGameView& view) {
  std::vector<const cocos2d::Node*> bars = {view.m_pTopUI, view.m_pBottomUI};
  for (cocos2d::Node* child : view.getChildren())
    if (dynamic_cast<TopUIPC*>(child) != nullptr || dynamic_cast<BottomUIPC*>(child) != nullptr) bars.push_back(child);
  if (auto* compete = dynamic_cast<CompeteGameView*>(&view)) bars.push_back(compete->m_pCompeteTableUI);
  bars.erase(std::remove(bars.begin(), bars.end(), nullptr), bars.end());
  return bars;
}

// The shown buttons of open dialogs that stand off the dialog's panel over
// what a bar or a seat's score box draws: a dialog's buttons stand on the
// dialog, not on the table's bars.
inline std::vector<std::string> DialogButtonsOverTheBars(const std::vector<Drawn>& drawn,
                                                         const std::vector<const cocos2d::Node*>& dialogOf,
                                                         DDZGameView& view) {
  std::vector<const cocos2d::Node*> bars = Bars(view);
  for (PlayerGameInfo* info : view.m_pPlayerGameInfo)
    if (info != nullptr)
      for (const cocos2d::Node* box : {static_cast<const cocos2d::Node*>(info->GetAmountBg()),
                                       static_cast<const cocos2d::Node*>(info->GetAmountLabel())})
        if (box != nullptr) bars.push_back(box);
  const auto underBar = [&](const cocos2d::Node* n) {
    for (; n != nullptr; n = n->getParent())
      if (std::find(bars.begin(), bars.end(), n) != bars.end()) return true;
    return false;
  };
  std::vector<cocos2d::Rect> barBoxes;
  for (std::size_t i = 0; i < drawn.size(); ++i)
    if (dialogOf[i] == nullptr && !CoversTheWindow(drawn[i]) && underBar(drawn[i].c->node))
      barBoxes.push_back(drawn[i].box);
  std::set<const cocos2d::Node*> dialogs(dialogOf.begin(), dialogOf.end());
  dialogs.erase(nullptr);
  std::vector<std::string> found;
  for (const cocos2d::Node* dialog : dialogs) {
    std::function<void(const cocos2d::Node*)> visit = [&](const cocos2d::Node* n) {
      if (!n->isVisible()) return;
      if (auto* button = dynamic_cast<const cocos2d::ui::Button*>(n)) {
        const cocos2d::Rect box = WorldBox(button);
        // A button on the dialog's own panel hides nothing of the table
        // the panel does not hide already.
        const cocos2d::Vec2 middle(box.getMidX(), box.getMidY());
        bool onPanel = false;
        for (std::size_t i = 0; i < drawn.size() && !onPanel; ++i) {
          if (dialogOf[i] != dialog || CoversTheWindow(drawn[i])) continue;
          bool ofButton = false;
          for (const cocos2d::Node* m = drawn[i].c->node; m != nullptr && !ofButton; m = m->getParent())
            ofButton = m == button;
          onPanel = !ofButton && HidesAt(drawn[i], middle) >= 0.5f;
        }
        if (onPanel) return;
        for (const cocos2d::Rect& bar : barBoxes) {
          if (box.getMinX() < bar.getMaxX() - 1 && bar.getMinX() < box.getMaxX() - 1 &&
              box.getMinY() < bar.getMaxY() - 1 && bar.getMinY() < box.getMaxY() - 1) {
            found.push_back(Describe(button) + " of the open " + Describe(dialog) + " stands off it over a bar or a score box");
            break;
          }
        }
        return;
      }
      for (const cocos2d::Node* child : n->getChildren()) visit(child);
    };
    visit(dialog);
  }
  return found;
}

// The least height, in points, of a text (its font size) or a digit strip
// (its cells) on a dialog, as drawn.
constexpr float kReadableHeight = 16;

// The texts and digit strips of open dialogs too small to read.
inline std::vector<std::string> TooSmallToRead(const std::vector<Drawn>& drawn,
                                               const std::vector<const cocos2d::Node*>& dialogOf) {
  std::vector<std::string> found;
  for (std::size_t i = 0; i < drawn.size(); ++i) {
    const cocos2d::DrawCommand& c = *drawn[i].c;
    const bool text = c.kind == cocos2d::DrawKind::Text && c.lines != nullptr && !c.lines->empty();
    const bool digits = c.kind == cocos2d::DrawKind::Atlas && !c.what.empty();
    if (dialogOf[i] == nullptr || (!text && !digits) || Moving(c.node)) continue;
    // The height of the node's upright side in the window.
    const float scale = std::hypot(c.transform.c, c.transform.d);
    const float height = (text ? c.fontSize : static_cast<float>(c.itemHeight)) * scale;
    if (height < kReadableHeight)
      found.push_back(Coverer(c) + ": " + std::to_string(static_cast<int>(std::lround(height))) +
                      " points high, too small to read");
  }
  return found;
}

// The pictures the screens show as pictures: the certificate's rank picture.
inline std::set<const cocos2d::Node*> ShownPictures(cocos2d::Scene* scene) {
  std::set<const cocos2d::Node*> pictures;
  std::function<void(const cocos2d::Node*)> visit = [&](const cocos2d::Node* n) {
    if (!n->isVisible()) return;
    if (auto* award = dynamic_cast<const CompeteAwardLayer*>(n); award != nullptr && award->GetRankPicture())
      pictures.insert(award->GetRankPicture());
    for (const cocos2d::Node* child : n->getChildren()) visit(child);
  };
  visit(scene);
  return pictures;
}

// A picture whose art fills this share of its rectangle or more is a box.
constexpr float kBoxFill = 0.9f;

// The shown pictures drawn as boxes (art that fills its whole rectangle, or
// no art at all) instead of as the thing they show.
inline std::vector<std::string> PicturesDrawnAsBoxes(const std::vector<Drawn>& drawn, cocos2d::Scene* scene) {
  const std::set<const cocos2d::Node*> pictures = ShownPictures(scene);
  std::vector<std::string> found;
  for (const Drawn& d : drawn) {
    if (!pictures.count(d.c->node) || d.c->kind != cocos2d::DrawKind::Image) continue;
    constexpr int kSide = 20;
    int filled = 0;
    for (int sy = 0; sy < kSide; ++sy)
      for (int sx = 0; sx < kSide; ++sx)
        if (HidesAt(d, {d.box.getMinX() + d.box.size.width * (sx + 0.5f) / kSide,
                        d.box.getMinY() + d.box.size.height * (sy + 0.5f) / kSide}) >= 0.5f)
          ++filled;
    if (filled >= kBoxFill * kSide * kSide)
      found.push_back(Coverer(*d.c) + ": a box where a picture should be");
  }
  return found;
}

// A covering command hides this share of a part's drawing (or more), and at
// least this much of it in square points: a problem (a thin line across a
// small figure is none).
constexpr float kHiddenShare = 0.15f;
constexpr float kHiddenArea = 150;
// Sample points across each drawing of a part, per side.
constexpr int kSamplesPerSide = 14;

// One recorded frame of the scene: what it draws, the parts the player reads
// and which part and which dialog each drawing belongs to.
struct TableFrame {
  TableFrame(cocos2d::Scene* scene, DDZGameView& view) {
    recorder.setRecording(true);
    recorder.beginFrame();
    scene->visit(&recorder, cocos2d::AffineTransform::IDENTITY, 0);
    recorder.endFrame();
    for (const cocos2d::DrawCommand& c : recorder.lastFrame())
      if (c.node != nullptr && c.opacity > 0 && LocalRect(c).size.width > 0 && LocalRect(c).size.height > 0)
        drawn.push_back(MakeDrawn(c));
    // The part whose root is nearest above a drawing, -1 none.
    parts = GuardedParts(view, scene);
    partOf.assign(drawn.size(), -1);
    dialogOf.resize(drawn.size());
    for (std::size_t i = 0; i < drawn.size(); ++i) {
      int nearest = 1 << 30;
      for (std::size_t p = 0; p < parts.size(); ++p) {
        int depth = 0;
        for (const cocos2d::Node* n = drawn[i].c->node; n != nullptr && !parts[p].except.count(n);
             n = n->getParent(), ++depth) {
          if (std::find(parts[p].roots.begin(), parts[p].roots.end(), n) == parts[p].roots.end()) continue;
          if (depth < nearest) nearest = depth, partOf[i] = static_cast<int>(p);
          break;
        }
      }
      dialogOf[i] = DialogOf(drawn[i].c->node);
    }
  }
  TableFrame(const TableFrame&) = delete;
  TableFrame& operator=(const TableFrame&) = delete;

  cocos2d::HeadlessRenderer recorder;  // holds the commands `drawn` points at
  std::vector<Drawn> drawn;
  std::vector<Guarded> parts;
  std::vector<int> partOf;
  std::vector<const cocos2d::Node*> dialogOf;
};

// The card-type effect a drawing belongs to, else null.
inline const AniBase* CardTypeEffectOf(const cocos2d::Node* n) {
  for (; n != nullptr; n = n->getParent())
    if (dynamic_cast<const AniShunzi*>(n) != nullptr || dynamic_cast<const AniPlane*>(n) != nullptr ||
        dynamic_cast<const AniRocket*>(n) != nullptr || dynamic_cast<const cjddz_AniSuperFallBomb*>(n) != nullptr ||
        dynamic_cast<const Ddz_PlayerEffect*>(n) != nullptr)
      return static_cast<const AniBase*>(n);
  return nullptr;
}

// An effect's picture over this share of a head's or a count's drawing (or
// more) hides it.
constexpr float kEffectOverShare = 0.15f;

// The card-type effects' pictures over a seat's head or card count. An
// effect stands over the table for seconds; its pictures are judged by
// their boxes, as the game's whole pictures would hide what lies under them.
inline std::vector<std::string> EffectsOverTheSeats(const TableFrame& frame) {
  const auto seatMark = [](const std::string& what) {
    const auto endsWith = [&](const std::string& tail) {
      return what.size() >= tail.size() && what.compare(what.size() - tail.size(), tail.size(), tail) == 0;
    };
    return endsWith("'s head") || endsWith(" own head") || endsWith("'s card count");
  };
  std::vector<std::string> found;
  for (std::size_t i = 0; i < frame.drawn.size(); ++i) {
    const int part = frame.partOf[i];
    if (part < 0 || !seatMark(frame.parts[part].what)) continue;
    const cocos2d::Rect mark = frame.drawn[i].box;
    for (std::size_t j = i + 1; j < frame.drawn.size(); ++j) {
      const AniBase* ani = CardTypeEffectOf(frame.drawn[j].c->node);
      if (ani == nullptr) continue;
      const cocos2d::Rect effect = frame.drawn[j].box;
      const float w = std::min(mark.getMaxX(), effect.getMaxX()) - std::max(mark.getMinX(), effect.getMinX());
      const float h = std::min(mark.getMaxY(), effect.getMaxY()) - std::max(mark.getMinY(), effect.getMinY());
      if (w > 0 && h > 0 && w * h >= kEffectOverShare * mark.size.width * mark.size.height)
        found.push_back(Describe(ani) + " lies over " + frame.parts[part].what);
    }
  }
  return found;
}

inline std::vector<std::string> EffectsOverTheSeats(cocos2d::Scene* scene, DDZGameView& view) {
  const TableFrame frame(scene, view);
  std::vector<std::string> found = EffectsOverTheSeats(frame);
  std::sort(found.begin(), found.end());
  found.erase(std::unique(found.begin(), found.end()), found.end());
  return found;
}

// The shown buttons that show an empty box: no text, no digits and no
// picture but faces painted plain (each line across the middle one colour),
// in the button or drawn over its middle.
inline std::vector<std::string> EmptyButtons(const TableFrame& frame) {
  const auto shows = [](const Drawn& d) {
    switch (d.c->kind) {
      case cocos2d::DrawKind::Color:
        return false;
      case cocos2d::DrawKind::Text:
        return !d.c->what.empty();
      case cocos2d::DrawKind::Image:
      case cocos2d::DrawKind::NineSlice:
        return !ArtPixels::Instance().PlainBox(d.c->texture, d.c->textureRect, d.c->rotated);
      default:
        return true;
    }
  };
  struct Look {
    std::size_t first = 0;  // its first drawing
    cocos2d::Rect box;
    bool shows = false;
  };
  std::map<const cocos2d::ui::Button*, Look> buttons;
  for (std::size_t i = 0; i < frame.drawn.size(); ++i) {
    const cocos2d::ui::Button* button = ButtonOf(frame.drawn[i].c->node);
    if (button == nullptr) continue;
    auto [it, made] = buttons.try_emplace(button, Look{i, frame.drawn[i].box, false});
    if (!made) it->second.box = it->second.box.unionWithRect(frame.drawn[i].box);
    it->second.shows = it->second.shows || shows(frame.drawn[i]);
  }
  std::vector<std::string> found;
  for (const auto& [button, look] : buttons) {
    bool shown = look.shows;
    const cocos2d::Vec2 middle(look.box.getMidX(), look.box.getMidY());
    for (std::size_t j = look.first + 1; j < frame.drawn.size() && !shown; ++j)
      shown = ButtonOf(frame.drawn[j].c->node) != button && frame.drawn[j].box.containsPoint(middle) &&
              shows(frame.drawn[j]);
    if (!shown)
      found.push_back(Describe(button) + " (" + button->getShownImage() + "): a shown button that shows an empty box");
  }
  return found;
}

// ---------------------------------------------------------------- plain panels and solid dialogs

// The names of a list file, one a line ('#' starts a comment line); `found`
// tells whether the file was read.
inline std::set<std::string> ReadNameList(const std::string& path, bool* found = nullptr) {
  std::set<std::string> names;
  std::ifstream in(path);
  if (found != nullptr) *found = static_cast<bool>(in);
  for (std::string line; std::getline(in, line);) {
    const auto a = line.find_first_not_of(" \t\r");
    if (a == std::string::npos || line[a] == '#') continue;
    names.insert(line.substr(a, line.find_last_not_of(" \t\r") - a + 1));
  }
  return names;
}

// The frames the art tool painted as the plain panel, from its report beside
// the generated art; null when the report is not found.
inline const std::set<std::string>* PlainPanelArt() {
  static const std::pair<bool, std::set<std::string>> report = [] {
    const std::string path = cocos2d::FileUtils::getInstance()->fullPathForFilename("plain_panels.txt");
    bool found = false;
    std::set<std::string> names = path.empty() ? std::set<std::string>{} : ReadNameList(path, &found);
    return std::make_pair(found, std::move(names));
  }();
  return report.first ? &report.second : nullptr;
}

// The reviewed list of the frames that are panels, plates, frames or
// backgrounds, for which the plain panel is the right drawing.
inline const std::set<std::string>& PanelFrames() {
  static const std::set<std::string> names = ReadNameList(std::string(DDZ_SOURCE_DIR) + "/data/panel_frames.txt");
  return names;
}

// A drawing's art as the art tool names it: a sheet's frame, or an image's
// file name without its folder.
inline std::string ArtName(const cocos2d::DrawCommand& c) {
  const auto slash = c.what.find_last_of('/');
  return slash == std::string::npos ? c.what : c.what.substr(slash + 1);
}

// The shown pictures that the art tool painted as the plain panel and that
// are no panel of the reviewed list: a dark box where a card back, a lamp, a
// clock or an icon should be.
inline std::vector<std::string> PicturesPaintedAsPanels(const TableFrame& frame) {
  const std::set<std::string>* plain = PlainPanelArt();
  if (plain == nullptr) return {"the art tool's list of the frames it painted as the plain panel is not found"};
  std::vector<std::string> found;
  for (const Drawn& d : frame.drawn) {
    if (d.c->kind != cocos2d::DrawKind::Image && d.c->kind != cocos2d::DrawKind::NineSlice) continue;
    const std::string name = ArtName(*d.c);
    if (plain->count(name) && !PanelFrames().count(name))
      found.push_back(Coverer(*d.c) + ": a picture painted as a plain panel");
  }
  return found;
}

// At most this share of the light from under an open dialog's panel comes
// through it: the table under it is not seen.
constexpr float kPanelSeeThrough = 0.02f;
// A dialog's drawing of this side or more (points) is one of its panels.
constexpr float kPanelSide = 60;
// The table shows through a panel at this share of its points or more.
constexpr float kSeenThroughShare = 0.1f;

// The panels of open dialogs (the result window's too) through which the
// table below is seen: at points inside a panel's shape, the dialog's
// drawings together let light through from a drawing of the table under it.
inline std::vector<std::string> TableThroughDialogs(const TableFrame& frame) {
  const std::vector<Drawn>& drawn = frame.drawn;
  std::vector<std::string> found;
  const auto cover = [](const Drawn& d) {
    const cocos2d::DrawKind k = d.c->kind;
    return (k == cocos2d::DrawKind::Image || k == cocos2d::DrawKind::NineSlice || k == cocos2d::DrawKind::Color) &&
           !CoversTheWindow(d);
  };
  for (std::size_t i = 0; i < drawn.size(); ++i) {
    const cocos2d::Node* dialog = frame.dialogOf[i];
    const cocos2d::Rect box = drawn[i].box;
    if (dialog == nullptr || !cover(drawn[i]) || ButtonOf(drawn[i].c->node) != nullptr ||
        box.size.width < kPanelSide || box.size.height < kPanelSide)
      continue;
    int inside = 0, seenThrough = 0;
    for (int sy = 0; sy < kSamplesPerSide; ++sy)
      for (int sx = 0; sx < kSamplesPerSide; ++sx) {
        const cocos2d::Vec2 p(box.getMinX() + box.size.width * (sx + 0.5f) / kSamplesPerSide,
                              box.getMinY() + box.size.height * (sy + 0.5f) / kSamplesPerSide);
        if (OpacityAt(drawn[i], p) < 0.5f) continue;  // outside the panel's shape
        ++inside;
        float light = 1;
        for (std::size_t j = 0; j < drawn.size() && light > kPanelSeeThrough; ++j)
          if (frame.dialogOf[j] == dialog && cover(drawn[j])) light *= 1 - OpacityAt(drawn[j], p);
        if (light <= kPanelSeeThrough) continue;
        bool tableUnder = false;
        for (std::size_t k = 0; k < i && !tableUnder; ++k)
          tableUnder = frame.dialogOf[k] == nullptr && !CoversTheWindow(drawn[k]) &&
                       (OpacityAt(drawn[k], p) > 0.05f || HidesAt(drawn[k], p) > 0);
        if (tableUnder) ++seenThrough;
      }
    if (inside > 0 && seenThrough >= kSeenThroughShare * static_cast<float>(inside))
      found.push_back(Coverer(*drawn[i].c) + ": the table shows through the open " + Describe(dialog) + "'s panel");
  }
  return found;
}

// ---------------------------------------------------------------- the seats, the clock and the bars

// The table's backdrop: what the view draws behind its seats (the felt, the
// table, the chairs), a drawing under a child of the view below z 0 that is
// no part the player reads.
inline bool OfTheBackdrop(const TableFrame& frame, std::size_t i, const DDZGameView& view) {
  if (frame.partOf[i] >= 0 || frame.dialogOf[i] != nullptr) return false;
  const cocos2d::Node* n = frame.drawn[i].c->node;
  while (n != nullptr && n->getParent() != &view) n = n->getParent();
  return n != nullptr && n->getLocalZOrder() < 0;
}

// A backdrop over this share of a head's drawing (or more) cuts it.
constexpr float kHeadCutShare = 0.02f;

// Each seat's head is drawn whole: no picture of the table's backdrop lies
// over it (a table's rim across a head that sits below the table in drawing
// order cuts it).
inline std::vector<std::string> HeadsCutByTheTable(const TableFrame& frame, const DDZGameView& view) {
  const auto isHead = [](const std::string& what) {
    return what.size() >= 7 && (what.compare(what.size() - 7, 7, "'s head") == 0 || what == "the own head");
  };
  std::vector<std::string> found;
  for (std::size_t i = 0; i < frame.drawn.size(); ++i) {
    const int part = frame.partOf[i];
    if (part < 0 || !isHead(frame.parts[part].what)) continue;
    const cocos2d::Rect box = frame.drawn[i].box;
    std::vector<cocos2d::Vec2> seen;
    for (int sy = 0; sy < kSamplesPerSide; ++sy)
      for (int sx = 0; sx < kSamplesPerSide; ++sx) {
        const cocos2d::Vec2 p(box.getMinX() + box.size.width * (sx + 0.5f) / kSamplesPerSide,
                              box.getMinY() + box.size.height * (sy + 0.5f) / kSamplesPerSide);
        if (HidesAt(frame.drawn[i], p) >= 0.5f) seen.push_back(p);
      }
    if (seen.empty()) continue;
    for (std::size_t j = i + 1; j < frame.drawn.size(); ++j) {
      if (!frame.drawn[j].box.intersectsRect(box) || !OfTheBackdrop(frame, j, view)) continue;
      int cut = 0;
      for (const cocos2d::Vec2& p : seen) cut += HidesAt(frame.drawn[j], p) >= 0.5f ? 1 : 0;
      if (cut > 0 && cut >= kHeadCutShare * static_cast<float>(seen.size()))
        found.push_back(Coverer(*frame.drawn[j].c) + " cuts " + frame.parts[part].what);
    }
  }
  return found;
}

// The panel a drawing of a bar stands on: the nearest picture above it.
inline const cocos2d::Node* PanelOf(const cocos2d::Node* n) {
  for (n = n != nullptr ? n->getParent() : nullptr; n != nullptr; n = n->getParent())
    if (dynamic_cast<const cocos2d::Sprite*>(n) != nullptr) return n;
  return nullptr;
}

// Rows closer than this (their middles) are one row.
constexpr float kSameRow = 3;

// The top bar's panels as the player reads them: each word once on a panel
// (the same caption twice reads as a stutter), and a panel's figures on one
// row, unless each figure stands on a row of its own beside a word of its
// own (a list).
inline std::vector<std::string> BarPanelsMisread(const TableFrame& frame, DDZGameView& view) {
  std::vector<const cocos2d::Node*> bars = {view.m_pTopUI};
  for (cocos2d::Node* child : view.getChildren())
    if (dynamic_cast<TopUIPC*>(child) != nullptr) bars.push_back(child);
  const auto underBar = [&](const cocos2d::Node* n) {
    for (; n != nullptr; n = n->getParent())
      if (n != nullptr && std::find(bars.begin(), bars.end(), n) != bars.end()) return true;
    return false;
  };
  struct Panel {
    std::vector<const Drawn*> figures, words;
  };
  std::map<const cocos2d::Node*, Panel> panels;
  for (std::size_t i = 0; i < frame.drawn.size(); ++i) {
    const Drawn& d = frame.drawn[i];
    if (frame.dialogOf[i] != nullptr || !underBar(d.c->node) || Moving(d.c->node) || ButtonOf(d.c->node) != nullptr)
      continue;
    const cocos2d::Node* panel = PanelOf(d.c->node);
    if (panel == nullptr) continue;
    const bool figure =
        d.c->kind == cocos2d::DrawKind::Atlas || (d.c->kind == cocos2d::DrawKind::Text && IsFigure(d.c->what));
    const bool word = (d.c->kind == cocos2d::DrawKind::Text && !d.c->what.empty() && !IsFigure(d.c->what)) ||
                      ((d.c->kind == cocos2d::DrawKind::Image || d.c->kind == cocos2d::DrawKind::NineSlice) &&
                       CaptionedArt().count(d.c->what) > 0);
    if (figure && !d.c->what.empty()) panels[panel].figures.push_back(&d);
    if (word) panels[panel].words.push_back(&d);
  }
  std::vector<std::string> found;
  for (const auto& [panel, look] : panels) {
    std::set<std::string> words;
    for (const Drawn* w : look.words)
      if (!words.insert(w->c->what).second)
        found.push_back(Describe(panel) + " shows the word " + w->c->what + " twice");
    if (look.figures.size() < 2) continue;
    float low = look.figures.front()->box.getMidY(), high = low;
    for (const Drawn* f : look.figures) {
      low = std::min(low, f->box.getMidY());
      high = std::max(high, f->box.getMidY());
    }
    if (high - low <= kSameRow) continue;
    // A list: each figure beside a word of its own on its row, the words on rows of their own.
    std::vector<const Drawn*> own;
    for (const Drawn* f : look.figures) {
      const Drawn* beside = nullptr;
      for (const Drawn* w : look.words)
        if (w->box.getMaxX() <= f->box.getMinX() + 3 && std::abs(w->box.getMidY() - f->box.getMidY()) <= kSameRow)
          beside = w;
      own.push_back(beside);
    }
    bool list = std::find(own.begin(), own.end(), nullptr) == own.end();
    for (std::size_t a = 0; list && a < own.size(); ++a)
      for (std::size_t b = a + 1; list && b < own.size(); ++b)
        list = std::abs(own[a]->box.getMidY() - own[b]->box.getMidY()) > kSameRow;
    if (!list) found.push_back(Describe(panel) + ": its figures stand on more than one row");
  }
  return found;
}

// The top bar's bottom cards lie inside the box they are shown on, and the
// box inside the bar's strip: judged in the box's own frame, so cards that
// wait for their turn of the flip are judged as they will show.
inline std::vector<std::string> BarCardsOutOfTheirBox(DDZGameView& view) {
  std::vector<std::string> found;
  auto* bar = dynamic_cast<TopUI*>(view.m_pTopUI);
  if (bar == nullptr || bar->GetCardPanel() == nullptr || !ShownOnStage(bar)) return found;
  const cocos2d::Sprite* panel = bar->GetCardPanel();
  const cocos2d::Rect inside(0, 0, panel->getContentSize().width, panel->getContentSize().height);
  const auto within = [](const cocos2d::Rect& part, const cocos2d::Rect& whole) {
    return part.getMinX() >= whole.getMinX() && part.getMaxX() <= whole.getMaxX() &&
           part.getMinY() >= whole.getMinY() && part.getMaxY() <= whole.getMaxY();
  };
  for (int i = 0; i < TopUI::kBaseCards; ++i)
    if (const cocos2d::Sprite* card = bar->GetBaseCard(i); card != nullptr && !within(card->getBoundingBox(), inside))
      found.push_back("the top bar's bottom card " + std::to_string(i) + " reaches out of its box");
  if (const cocos2d::Node* strip = panel->getParent()) {
    // The box at its full height: a flip squashes it for a moment.
    const cocos2d::Size size = panel->getContentSize();
    const cocos2d::Rect box(panel->getPositionX() - size.width * panel->getAnchorPoint().x,
                            panel->getPositionY() - size.height * panel->getAnchorPoint().y, size.width, size.height);
    if (!within(box, {0, 0, strip->getContentSize().width, strip->getContentSize().height}))
      found.push_back("the top bar's card box reaches out of the bar");
  }
  return found;
}

// Room the own turn's buttons keep to the seats' money and score boxes.
constexpr float kButtonToSeatBox = 8;

// The own turn's shown buttons keep their room to every seat's money and
// score box: a button pressed against a box reads as part of it.
inline std::vector<std::string> ButtonsAgainstSeatBoxes(DDZGameView& view) {
  std::vector<std::string> found;
  auto* hand = dynamic_cast<SelfHandCard*>(view.m_pHandCard[DDZGameView::kOwnSeat]);
  if (hand == nullptr) return found;
  std::set<const PlayerGameInfo*> judged;
  for (int seat = 0; seat < DDZGameView::kMaxSeats; ++seat) {
    const PlayerGameInfo* info = view.m_pPlayerGameInfo[seat];
    if (info == nullptr || !judged.insert(info).second) continue;
    for (const auto& [what, node] : {std::pair<const char*, const cocos2d::Node*>{"money", info->GetMoneyBg()},
                                     std::pair<const char*, const cocos2d::Node*>{"score", info->GetAmountBg()}}) {
      const cocos2d::Rect box = ShownPictureBox(node);
      if (box.size.width <= 0) continue;
      const cocos2d::Rect near = Grown(box, kButtonToSeatBox);
      for (int i = 0; i < SelfHandCard::kMainButtons; ++i) {
        const cocos2d::ui::Button* button = hand->GetMainButton(i);
        if (button != nullptr && ShownOnStage(button) && !Moving(button) && BoxesOverlap(near, WorldBox(button)))
          found.push_back(Describe(button) + " of the own turn stands against " + SeatName(seat) + "'s " + what +
                          " box");
      }
    }
  }
  return found;
}

// Room a result amount keeps to the cards the seats kept.
constexpr float kAmountToKeptCards = 8;

// Each seat's amount on the result keeps its room to the cards the seats
// kept, shown face up beside it.
inline std::vector<std::string> ResultAmountsAgainstKeptCards(DDZGameView& view) {
  std::vector<std::string> found;
  std::vector<const cocos2d::Node*> amounts(DDZGameView::kMaxSeats, nullptr);
  cocos2d::Node* window = view.m_pResultLayer;
  const bool shown = window != nullptr && ShownOnStage(window);
  auto* classic = shown ? dynamic_cast<ResultLayer*>(window) : nullptr;
  auto* four = shown ? dynamic_cast<SRResultLayer*>(window) : nullptr;
  auto* compete = dynamic_cast<CompeteGameView*>(&view);  // counts its amounts up over the table
  for (int seat = 0; seat < DDZGameView::kMaxSeats; ++seat) {
    if (classic != nullptr && seat < ResultLayer::kSeats) amounts[seat] = classic->GetSeatNumber(seat);
    if (four != nullptr && seat < SRResultLayer::kSeats) amounts[seat] = four->GetSeatNumber(seat);
    if (compete != nullptr && amounts[seat] == nullptr) amounts[seat] = compete->GetResultNumber(seat);
  }
  std::vector<std::pair<int, cocos2d::Rect>> kept;
  const bool keptInRows = dynamic_cast<const SRResultLayer*>(window) != nullptr && shown;
  for (int seat = 0; seat < DDZGameView::kMaxSeats; ++seat)
    for (const cocos2d::Node* row : {static_cast<const cocos2d::Node*>(view.m_pMingCard[seat]),
                                     keptInRows && seat != DDZGameView::kOwnSeat
                                         ? static_cast<const cocos2d::Node*>(view.m_pSendCard[seat])
                                         : nullptr}) {
      if (row == nullptr || !ShownOnStage(row)) continue;
      for (const cocos2d::Node* card : row->getChildren())
        if (dynamic_cast<const cocos2d::Sprite*>(card) != nullptr && ShownOnStage(card))
          kept.push_back({seat, WorldBox(card)});
    }
  for (int seat = 0; seat < DDZGameView::kMaxSeats; ++seat) {
    const cocos2d::Node* amount = amounts[seat];
    if (amount == nullptr || !ShownOnStage(amount) || Moving(amount)) continue;
    const cocos2d::Rect a = WorldBox(amount);
    const cocos2d::Rect near = Grown(a, kAmountToKeptCards);
    std::set<int> against;
    for (const auto& [owner, card] : kept)
      if (BoxesOverlap(near, card) && against.insert(owner).second)
        found.push_back(SeatName(seat) + "'s amount on the result stands against " + SeatName(owner) +
                        "'s kept cards");
  }
  return found;
}

// The turn clock lies clear of every other seat's card stack.
inline std::vector<std::string> ClockOnTheStacks(DDZGameView& view) {
  std::vector<std::string> found;
  GameClock* clock = view.m_pGameClock;
  if (clock == nullptr || clock->GetFace() == nullptr || !ShownOnStage(clock->GetFace())) return found;
  const cocos2d::Rect face = WorldBox(clock->GetFace());
  std::set<const OtherHandCard*> judged;
  for (int seat = 0; seat < DDZGameView::kMaxSeats; ++seat) {
    auto* backs = dynamic_cast<OtherHandCard*>(view.m_pHandCard[seat]);
    if (seat == DDZGameView::kOwnSeat || backs == nullptr || !judged.insert(backs).second || !ShownOnStage(backs))
      continue;
    for (const cocos2d::Node* card : backs->getChildren()) {
      if (card == backs->GetWarningLamp() || dynamic_cast<const cocos2d::Sprite*>(card) == nullptr ||
          !card->isVisible() || !BoxesOverlap(face, WorldBox(card)))
        continue;
      found.push_back("the turn clock lies on " + SeatName(seat) + "'s card stack");
      break;
    }
  }
  return found;
}

// Each seat's money and score figures stay in sight: nothing drawn after
// one (but a dialog or a dim) hides a share of its text. Judged on the text
// as drawn, not on the label's box, which may be wider than its figures.
inline std::vector<std::string> SeatFiguresCovered(const TableFrame& frame, DDZGameView& view) {
  std::vector<std::string> found;
  std::set<const PlayerGameInfo*> judged;  // a two-seat table's opponent fills two slots
  for (int seat = 0; seat < DDZGameView::kMaxSeats; ++seat) {
    const PlayerGameInfo* info = view.m_pPlayerGameInfo[seat];
    if (info == nullptr || !judged.insert(info).second) continue;
    for (const auto& [what, label] : {std::pair<const char*, const cocos2d::Label*>{"money", info->GetMoneyLabel()},
                                      std::pair<const char*, const cocos2d::Label*>{"score", info->GetAmountLabel()}}) {
      if (label == nullptr || !ShownOnStage(label) || label->getString().empty()) continue;
      std::size_t first = frame.drawn.size();
      for (std::size_t i = 0; i < frame.drawn.size() && first == frame.drawn.size(); ++i)
        if (frame.drawn[i].c->node == label) first = i;
      const cocos2d::Rect text = DrawnTextBox(label);
      for (std::size_t j = first + 1; j < frame.drawn.size(); ++j) {
        if (frame.dialogOf[j] != nullptr || CoversTheWindow(frame.drawn[j]) || !frame.drawn[j].box.intersectsRect(text))
          continue;
        float hidden = 0;
        for (int sy = 0; sy < kSamplesPerSide; ++sy)
          for (int sx = 0; sx < kSamplesPerSide; ++sx)
            hidden += HidesAt(frame.drawn[j], {text.getMinX() + text.size.width * (sx + 0.5f) / kSamplesPerSide,
                                               text.getMinY() + text.size.height * (sy + 0.5f) / kSamplesPerSide});
        if (hidden / (kSamplesPerSide * kSamplesPerSide) >= kHiddenShare)
          found.push_back(Coverer(*frame.drawn[j].c) + " covers " + SeatName(seat) + "'s " + what);
      }
    }
  }
  return found;
}

// The waiting room counts no more players signed up than its match seats.
inline std::vector<std::string> WaitingRoomCountsTooMany(cocos2d::Scene* scene) {
  std::vector<std::string> found;
  std::function<void(const cocos2d::Node*)> visit = [&](const cocos2d::Node* n) {
    if (!n->isVisible()) return;
    if (auto* room = dynamic_cast<const CompeteWaitLayer*>(n)) {
      const cocos2d::ui::TextAtlas* count = room->GetCountDigits();
      const cocos2d::ui::TextAtlas* all = room->GetPlayerCountDigits();
      if (count != nullptr && all != nullptr && ShownOnStage(count) && ShownOnStage(all) &&
          all->getString().size() > 1) {
        const int signedUp = std::atoi(count->getString().c_str());
        const int seats = std::atoi(all->getString().c_str() + 1);  // after its "/"
        if (signedUp > seats)
          found.push_back("the waiting room counts " + count->getString() + " players signed up against " +
                          all->getString());
      }
      return;
    }
    for (const cocos2d::Node* child : n->getChildren()) visit(child);
  };
  visit(scene);
  return found;
}

// What the checks of this section find on one frame.
inline std::vector<std::string> SeatsClockAndBars(const TableFrame& frame, cocos2d::Scene* scene, DDZGameView& view) {
  std::vector<std::string> found;
  for (auto&& list : {HeadsCutByTheTable(frame, view), SeatFiguresCovered(frame, view), BarPanelsMisread(frame, view),
                      BarCardsOutOfTheirBox(view), ButtonsAgainstSeatBoxes(view), ResultAmountsAgainstKeptCards(view),
                      ClockOnTheStacks(view), WaitingRoomCountsTooMany(scene)})
    found.insert(found.end(), list.begin(), list.end());
  return found;
}

// ---------------------------------------------------------------- digit strips

// The shown digit strips that draw a character their strip has no glyph for:
// a blank where a minus sign or a digit should be ("-7" reads "7").
inline std::vector<std::string> DigitsWithoutGlyphs(const TableFrame& frame) {
  std::vector<std::string> found;
  for (const Drawn& d : frame.drawn) {
    const cocos2d::DrawCommand& c = *d.c;
    if (c.kind != cocos2d::DrawKind::Atlas || c.itemWidth <= 0 || c.itemHeight <= 0) continue;
    const ArtPixels::Image* strip = ArtPixels::Instance().Get(c.texture);
    if (strip == nullptr) continue;
    const int glyphs = (strip->w / c.itemWidth) * (strip->h / c.itemHeight);
    for (unsigned char ch : c.what) {
      const int glyph = static_cast<int>(ch) - c.startChar;
      if (glyph >= 0 && glyph < glyphs) continue;
      found.push_back(Describe(c.node) + " (" + c.texture.substr(c.texture.find_last_of('/') + 1) + "): \"" + c.what +
                      "\" has a character its strip cannot draw");
      break;
    }
  }
  return found;
}

// ---------------------------------------------------------------- figures over painted words

// The texts the art tool wrote on its pictures, by frame: boxes in the
// frame's pixels (y down), from its report beside the generated art.
inline const std::map<std::string, std::vector<cocos2d::Rect>>& PaintedWords() {
  static const std::map<std::string, std::vector<cocos2d::Rect>> words = [] {
    std::map<std::string, std::vector<cocos2d::Rect>> out;
    const std::string path = cocos2d::FileUtils::getInstance()->fullPathForFilename("painted_words.txt");
    std::ifstream in(path);
    for (std::string line; !path.empty() && std::getline(in, line);) {
      if (line.empty() || line[0] == '#') continue;
      std::istringstream fields(line);
      std::string name;
      float x = 0, y = 0, w = 0, h = 0;
      if (fields >> name >> x >> y >> w >> h) out[name].emplace_back(x, y, w, h);
    }
    return out;
  }();
  return words;
}

// Where a word the art tool wrote on the picture `d` draws, in the window.
inline cocos2d::Rect PaintedWordBox(const Drawn& d, const cocos2d::Rect& word) {
  const cocos2d::DrawCommand& c = *d.c;
  const cocos2d::Size frame = c.rotated ? cocos2d::Size(c.textureRect.size.height, c.textureRect.size.width)
                                        : c.textureRect.size;
  const float sx = c.quad.size.width / frame.width, sy = c.quad.size.height / frame.height;
  float x = word.origin.x;
  float y = frame.height - word.origin.y - word.size.height;  // y up
  if (c.flippedX) x = frame.width - x - word.size.width;
  if (c.flippedY) y = frame.height - y - word.size.height;
  return c.transform.applyToRect(
      cocos2d::Rect(c.quad.origin.x + x * sx, c.quad.origin.y + y * sy, word.size.width * sx, word.size.height * sy));
}

// A figure lying over this much of a painted word's box (or more) hides it.
constexpr float kWordCoveredShare = 0.15f;

// The figures (numbers, digit strips) drawn over a word the art tool wrote on
// the picture under them: "7" over the panel's "任务" reads as neither.
inline std::vector<std::string> FiguresOverPaintedWords(const TableFrame& frame) {
  const std::vector<Drawn>& drawn = frame.drawn;
  std::vector<std::string> found;
  for (std::size_t i = 0; i < drawn.size(); ++i) {
    const cocos2d::DrawCommand& c = *drawn[i].c;
    if (c.kind != cocos2d::DrawKind::Image || c.textureRect.size.width <= 0 || c.textureRect.size.height <= 0) continue;
    const auto words = PaintedWords().find(c.what);
    if (words == PaintedWords().end()) continue;
    for (const cocos2d::Rect& word : words->second) {
      const cocos2d::Rect w = PaintedWordBox(drawn[i], word);
      if (w.size.width <= 0 || w.size.height <= 0) continue;
      for (std::size_t j = i + 1; j < drawn.size(); ++j) {
        const cocos2d::DrawCommand& f = *drawn[j].c;
        const bool figure =
            f.kind == cocos2d::DrawKind::Atlas || (f.kind == cocos2d::DrawKind::Text && IsFigure(f.what));
        if (!figure) continue;
        const auto* label = dynamic_cast<const cocos2d::Label*>(f.node);
        const cocos2d::Rect b = label != nullptr ? DrawnTextBox(label) : drawn[j].box;
        const float ow = std::min(b.getMaxX(), w.getMaxX()) - std::max(b.getMinX(), w.getMinX());
        const float oh = std::min(b.getMaxY(), w.getMaxY()) - std::max(b.getMinY(), w.getMinY());
        if (ow <= 1 || oh <= 1 || ow * oh < kWordCoveredShare * w.size.width * w.size.height) continue;
        // A word already hidden by what lies between (a dialog's panel) is not read.
        const cocos2d::Vec2 mid(w.getMidX(), w.getMidY());
        bool hidden = false;
        for (std::size_t k = i + 1; k < j && !hidden; ++k) hidden = HidesAt(drawn[k], mid) >= 0.8f;
        if (!hidden) found.push_back(Coverer(f) + " over the word painted on " + c.what);
      }
    }
  }
  return found;
}

// ---------------------------------------------------------------- the whole look

inline std::vector<std::string> CheckTable(cocos2d::Scene* scene, DDZGameView& view) {
  std::vector<std::string> problems;
  std::set<std::string> seen;
  const auto report = [&](std::string line) {
    if (seen.insert(line).second) problems.push_back(std::move(line));
  };
  const TableFrame frame(scene, view);
  const std::vector<Drawn>& drawn = frame.drawn;
  const std::vector<Guarded>& parts = frame.parts;
  const std::vector<int>& partOf = frame.partOf;
  const std::vector<const cocos2d::Node*>& dialogOf = frame.dialogOf;

  // Every drawing of a part against what is drawn after it.
  for (std::size_t i = 0; i < drawn.size(); ++i) {
    if (partOf[i] < 0 || CoversTheWindow(drawn[i])) continue;
    const cocos2d::Rect box = drawn[i].box;
    std::vector<cocos2d::Vec2> seenPoints;
    for (int sy = 0; sy < kSamplesPerSide; ++sy)
      for (int sx = 0; sx < kSamplesPerSide; ++sx) {
        const cocos2d::Vec2 p(box.getMinX() + box.size.width * (sx + 0.5f) / kSamplesPerSide,
                              box.getMinY() + box.size.height * (sy + 0.5f) / kSamplesPerSide);
        if (HidesAt(drawn[i], p) >= 0.5f) seenPoints.push_back(p);
      }
    if (seenPoints.empty()) continue;
    for (std::size_t j = i + 1; j < drawn.size(); ++j) {
      if (partOf[j] == partOf[i] || !drawn[j].box.intersectsRect(box)) continue;
      // A dialog, and a dim, may lie over anything; a dialog opened later
      // lies over an earlier one.
      if (CoversTheWindow(drawn[j])) continue;
      const bool result = dynamic_cast<const ResultLayer*>(dialogOf[j]) != nullptr ||
                          dynamic_cast<const SRResultLayer*>(dialogOf[j]) != nullptr;
      if (dialogOf[j] != nullptr && (!result || parts[partOf[i]].underResult)) continue;
      float hidden = 0;
      for (const cocos2d::Vec2& p : seenPoints) hidden += HidesAt(drawn[j], p);
      const float share = hidden / static_cast<float>(seenPoints.size());
      const float seenArea = box.size.width * box.size.height * static_cast<float>(seenPoints.size()) /
                             static_cast<float>(kSamplesPerSide * kSamplesPerSide);
      if (share >= kHiddenShare && share * seenArea >= kHiddenArea)
        report(Coverer(*drawn[j].c) + " covers " + parts[partOf[i]].what);
    }
  }

  // Large opaque panels over the felt: anything but a backdrop of the whole
  // window that hides most of a quarter of the window or more.
  for (std::size_t j = 0; j < drawn.size(); ++j) {
    const cocos2d::Rect& box = drawn[j].box;
    const float area = box.size.width * box.size.height;
    if (dialogOf[j] != nullptr || area < 1280 * 720 * 0.15f || area >= 1280 * 720 * 0.9f) continue;
    if (drawn[j].c->kind != cocos2d::DrawKind::Image && drawn[j].c->kind != cocos2d::DrawKind::NineSlice &&
        drawn[j].c->kind != cocos2d::DrawKind::Color)
      continue;
    float hidden = 0;
    for (int sy = 0; sy < kSamplesPerSide; ++sy)
      for (int sx = 0; sx < kSamplesPerSide; ++sx)
        hidden += HidesAt(drawn[j], {box.getMinX() + box.size.width * (sx + 0.5f) / kSamplesPerSide,
                                     box.getMinY() + box.size.height * (sy + 0.5f) / kSamplesPerSide});
    if (hidden / (kSamplesPerSide * kSamplesPerSide) >= 0.5f)
      report(Coverer(*drawn[j].c) + ": a large opaque panel over the table");
  }
  for (std::string& p : UncaptionedFigures(drawn, dialogOf, view)) report(std::move(p));
  for (std::string& p : DialogButtonsOverTheBars(drawn, dialogOf, view)) report(std::move(p));
  for (std::string& p : TooSmallToRead(drawn, dialogOf)) report(std::move(p));
  for (std::string& p : PicturesDrawnAsBoxes(drawn, scene)) report(std::move(p));
  for (std::string& p : SeatFiguresOutOfPlace(view)) report(std::move(p));
  for (std::string& p : ResultAmountsAgainstButtons(view)) report(std::move(p));
  for (std::string& p : EffectsOverTheSeats(frame)) report(std::move(p));
  for (std::string& p : EmptyButtons(frame)) report(std::move(p));
  for (std::string& p : PicturesPaintedAsPanels(frame)) report(std::move(p));
  for (std::string& p : TableThroughDialogs(frame)) report(std::move(p));
  for (std::string& p : SeatsClockAndBars(frame, scene, view)) report(std::move(p));
  for (std::string& p : DigitsWithoutGlyphs(frame)) report(std::move(p));
  for (std::string& p : FiguresOverPaintedWords(frame)) report(std::move(p));
  return problems;
}

}  // namespace ddz::tour
