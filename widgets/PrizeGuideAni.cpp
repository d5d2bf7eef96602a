#include "widgets/PrizeGuideAni.h"

#include <algorithm>
#include <climits>
#include <cstdio>
#include <cstring>
#include <string>

#include "gamedata/LabelHelpers.h"
#include "gamedata/LayoutConfig.h"
#include "gamedata/TextHelpers.h"
#include "gamedata/TextTables.h"
#include "platform/engine/Layer.h"
#include "platform/engine/Log.h"
#include "platform/framework/YndCodeConvert.h"
#include "platform/gamebase/BasePT.h"

using cocos2d::Label;
using cocos2d::Sprite;
using cocos2d::Vec2;

namespace {

struct PrizeKind {
  const char* sheet;
  const char* image;
  int dy;            // the pop-up's height above the window's centre
  int title;         // "guide_title-%d.png" with this number; -1 none
  const char* icon;  // the medals' icon and word
  const char* word;
};

// By kind 0-8.
const PrizeKind kPrizeKinds[AniPrizeGuide::kKinds] = {
    {"pop_guide.plist", "pop_guide_bg.png", 30, 0, nullptr, nullptr},
    {"pop_guide.plist", "pop_guide_bg.png", 30, 1, nullptr, nullptr},
    {"pop_guide.plist", "pop_guide_bg.png", 30, 0, nullptr, nullptr},
    {"pop_guide.plist", "pop_guide_bg.png", 30, 3, nullptr, nullptr},
    {"prop_all.plist", "firend_card.png", 110, -1, nullptr, nullptr},
    {"prop_all.plist", "active_ticket_1.png", 70, -1, nullptr, nullptr},
    {"prop_all.plist", "active_ticket_2.png", 70, -1, nullptr, nullptr},
    {"game_md_img.plist", "game_md_qorv_0.png", 0, -1, "game_md_icon_0.png", "game_md_word_0.png"},
    {"game_md_img.plist", "game_md_qorv_0.png", 0, -1, "game_md_icon_1.png", "game_md_word_0.png"},
};

constexpr float kTitleHeight = 274;
constexpr float kLineGap = 15;

void AddFramePart(cocos2d::Node* parent, const char* frame, Vec2 pos) {
  if (Sprite* part = Sprite::createWithSpriteFrameName(frame)) {
    part->setPosition(pos);
    parent->addChild(part);
  } else {
    cocos2d::log("AniPrizeGuide: frame %s is not loaded", frame);
  }
}

}  // namespace

AniPrizeGuide::AniPrizeGuide(int kind, int amount, int extra, const char* text)
    : m_iPrizeType(kind), m_iAmount(amount), m_iExtra(extra) {
  if (text == nullptr) return;
  // Read no further than the field, then keep whole characters only.
  const std::string bounded(text, strnlen(text, kTextBytes));
  Utf8CopyChars(bounded.c_str(), m_szText, sizeof m_szText, INT_MAX);
}

void AniPrizeGuide::onEnter() {
  AniBase::onEnter();
  if (m_pBg != nullptr || m_iPrizeType < 0 || m_iPrizeType >= kKinds) return;
  const PrizeKind& kind = kPrizeKinds[m_iPrizeType];
  const int width = BasePT::g_iWindowWidth;
  const int height = BasePT::g_iWindowHeight;
  addChild(cocos2d::LayerColor::create(cocos2d::Color4B(0, 0, 0, 150), width, height));

  AddPlist(kind.sheet);
  m_pBg = Sprite::createWithSpriteFrameName(kind.image);
  if (m_pBg == nullptr) {
    cocos2d::log("AniPrizeGuide: frame %s is not loaded", kind.image);
    return;
  }
  m_pBg->setPosition(Vec2(width / 2, height / 2 + kind.dy));
  m_pBg->setScale(0);
  addChild(m_pBg);
  const cocos2d::Size size = m_pBg->getContentSize();

  if (kind.title >= 0) {
    char title[32];
    std::snprintf(title, sizeof title, "guide_title-%d.png", kind.title);
    AddFramePart(m_pBg, title, Vec2(size.width / 2, kTitleHeight));
  }
  if (kind.icon != nullptr) {
    AddFramePart(m_pBg, kind.icon, Vec2(111, 90));
    AddFramePart(m_pBg, kind.word, Vec2(111, -22));
  }
  const std::string yuanbao = ddz::FormatText(GameText(kYuanBaoText), m_iAmount);
  switch (m_iPrizeType) {
    case 0:
      AddTextLines(std::to_string(m_iAmount).c_str(), yuanbao.c_str());
      break;
    case 1:  // a red packet: yuanbao and money
      AddTextLines(yuanbao.c_str(), std::to_string(m_iExtra).c_str());
      break;
    case 2:
      AddTextLines(YndCodeConvert::u2u(m_szText).c_str(), nullptr);
      break;
    case 3:
      AddTextLines(yuanbao.c_str(), nullptr);
      break;
    case 4: {
      auto* digits = cocos2d::LabelAtlas::create(std::to_string(m_iAmount), "new_yb_num.png",
                                                 static_cast<int>(g_sizeAniGoldNum.width),
                                                 static_cast<int>(g_sizeAniGoldNum.height), '0');
      digits->setPosition(g_ptGuideAniHuJingTicketNum);
      m_pBg->addChild(digits);
      break;
    }
    default:
      break;
  }
}

// One line centred at half the pop-up's height, or two 15 above and below it.
void AniPrizeGuide::AddTextLines(const char* first, const char* second) {
  const cocos2d::Size size = m_pBg->getContentSize();
  const float middle = size.height / 2;
  const float firstY = second == nullptr ? middle : middle + kLineGap;
  m_pLabel = Label::createWithSystemFont(first, g_strSystemFont, kFontSize);
  m_pLabel->setPosition(Vec2(size.width / 2, firstY));
  m_pBg->addChild(m_pLabel);
  if (second == nullptr) return;
  Label* line = Label::createWithSystemFont(second, g_strSystemFont, kFontSize);
  line->setPosition(Vec2(size.width / 2, middle - kLineGap));
  m_pBg->addChild(line);
}

bool AniPrizeGuide::UpdateFrame(float dt) {
  if (m_iPrizeType < 0 || m_iPrizeType >= kKinds || m_pBg == nullptr) return true;
  const float scale = m_pBg->getScale();
  if (scale < 1.0f) {
    m_pBg->setScale(std::min(1.0f, scale + kGrowPerSecond * dt));
    return false;
  }
  m_fHoldTime += dt;
  if (m_fHoldTime < kHoldSeconds) return false;
  m_fHoldTime = 0;
  return true;
}

Sprite* AniPrizeGuide::ShowGuideBg() {
  setAnchorPoint(Vec2(1.0f, 0.5f));
  Sprite* bubble = Sprite::createWithSpriteFrameName("pop_guide_bg.png");
  if (bubble == nullptr) {
    cocos2d::log("ShowGuideBg: frame pop_guide_bg.png is not loaded");
    return nullptr;
  }
  bubble->setAnchorPoint(Vec2(0.0f, 0.5f));
  bubble->setFlippedX(true);
  bubble->setPosition(convertToNodeSpace(getPosition()));
  addChild(bubble);
  return bubble;
}
