#include "compete/CompeteWaitLayer.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>

#include "compete/CompeteLayerParts.h"
#include "gamedata/CompeteGameInfo.h"
#include "gamedata/DdzCompete.h"
#include "gamedata/LabelHelpers.h"
#include "gamedata/TextTables.h"
#include "platform/engine/Action.h"
#include "platform/engine/Director.h"
#include "platform/engine/Label.h"
#include "platform/engine/Log.h"
#include "platform/engine/SpecialNodes.h"
#include "platform/engine/ui/Widgets.h"
#include "platform/framework/YndCodeConvert.h"
#include "platform/gamebase/BasePT.h"

namespace {

using competelayer::kOrange;

constexpr int kTextRankOne = 303;    // "%d": one rank
constexpr int kTextRankRange = 304;  // "%d-%d": first and last rank
constexpr int kTextCountdown = 419;
constexpr int kNoTimetableKind = 1;  // the match record's kind of a match without a timetable

constexpr float kListY = 100;
constexpr float kClipHeight = 250;
constexpr float kClipCentreY = 130;
constexpr float kArrowX = 572;
constexpr float kTouchX = 128, kTouchY = 140, kTouchHeight = 222;
constexpr float kRowWithTimetable = 130, kRowWithout = 110;
constexpr float kFitShare = 0.9f;

const cocos2d::Color3B kRankInk{255, 235, 214};
const cocos2d::Color3B kAwardInk{199, 136, 102};

int HalfWidth() { return BasePT::g_iWindowWidth / 2; }

bool HasTimetable() { return CompeteGameInfo::shareCompeteGameInfo()->m_Record.iMatchKind != kNoTimetableKind; }

// A label no wider than 0.9 of `width`.
cocos2d::Label* FittedLabel(const std::string& text, float size, const cocos2d::Color3B& ink, float width) {
  cocos2d::Label* label = competelayer::MakeLabel(text, size, ink);
  const float w = label->getContentSize().width;
  if (w >= kFitShare * width && w > 0) label->setScale(kFitShare * width / w);
  return label;
}

// A sprite of `frame`, or the placeholder when no loaded sheet has it.
cocos2d::Sprite* FrameOrPlaceholder(const std::string& frame) {
  if (!frame.empty())
    if (cocos2d::Sprite* sprite = cocos2d::Sprite::createWithSpriteFrameName(frame)) return sprite;
  cocos2d::log("CompeteWaitLayer: no frame \"%s\", placeholder shown", frame.c_str());
  return cocos2d::Sprite::createWithSpriteFrameName(CompeteWaitLayer::kPlaceholderFrame);
}

}  // namespace

CompeteWaitLayer* CompeteWaitLayer::create() {
  auto* layer = new CompeteWaitLayer();
  layer->autorelease();
  return layer;
}

CompeteWaitLayer::CompeteWaitLayer() : YndGameLayer(nullptr) {}

CompeteWaitLayer::~CompeteWaitLayer() = default;

int CompeteWaitLayer::AwardCount() const {
  return static_cast<int>(CompeteGameInfo::shareCompeteGameInfo()->m_vcAwards.size());
}

// ---------------------------------------------------------------- building

void CompeteWaitLayer::onEnter() {
  YndGameLayer::onEnter();
  competelayer::SetTopButtonsEnabled(false);
  AddPlist(kSheet);
  // A layer entered again starts from nothing: one copy of the screen.
  removeAllChildren();
  BuildPanels();

  const int n = AwardCount();
  const int visible = std::min(n, kVisibleCards);
  if (n <= kVisibleCards) {
    setTouchEnabled(false, false);
  } else {
    m_LastTouch = cocos2d::Vec2::ZERO;
    m_bDragging = false;
    setTouchEnabled(true, false);
  }
  if (m_pRightBtn != nullptr) m_pRightBtn->setVisible(n > kVisibleCards);
  if (m_pLeftBtn != nullptr) m_pLeftBtn->setVisible(false);
  const float scale = cocos2d::Director::getInstance()->getContentScaleFactor();
  m_TouchRect = cocos2d::Rect(kTouchX / scale, kTouchY / scale, visible * kCardWidth / scale, kTouchHeight / scale);
  BuildList(visible);
  BuildLowerTexts();
  SetWaitPlayer(m_iNowNum);
}

void CompeteWaitLayer::BuildPanels() {
  const CompeteGameInfo* match = CompeteGameInfo::shareCompeteGameInfo();
  competelayer::AddDimmer(this);
  m_pLowerPanel = competelayer::AddLowerPanel(this);
  // The match record came from the game server: its texts are GBK.
  competelayer::AddTitle(this, YndCodeConvert::G2u(ddz::RecordText(match->m_Record.szMatchName)));

  const auto fromSheet = cocos2d::ui::Widget::TextureResType::PLIST;
  m_pRightBtn = cocos2d::ui::Button::create("ddzbs_ddjm_btn_hd.png", "", "", fromSheet);
  m_pRightBtn->setPosition(cocos2d::Vec2(HalfWidth() + kArrowX, kClipCentreY));
  m_pRightBtn->addClickEventListener([this](cocos2d::Ref* sender) { OnClickNextPage(sender); });
  m_pLowerPanel->addChild(m_pRightBtn, 9);
  m_pLeftBtn = cocos2d::ui::Button::create("ddzbs_ddjm_btn_hd02.png", "", "", fromSheet);
  m_pLeftBtn->setPosition(cocos2d::Vec2(HalfWidth() - kArrowX, kClipCentreY));
  m_pLeftBtn->addClickEventListener([this](cocos2d::Ref* sender) { OnClickPrevPage(sender); });
  m_pLowerPanel->addChild(m_pLeftBtn, 9);
}

void CompeteWaitLayer::BuildList(int visible) {
  const float half = visible * kSnapHalf;
  auto* clip = cocos2d::ClippingNode::create();
  clip->setAnchorPoint(cocos2d::Vec2::ZERO);
  clip->setContentSize(cocos2d::Size(visible * kCardWidth, kClipHeight));
  auto* stencil = cocos2d::DrawNode::create();
  stencil->setPosition(cocos2d::Vec2(HalfWidth(), kClipCentreY));
  const cocos2d::Vec2 corners[4] = {{-half, -kClipHeight / 2}, {half, -kClipHeight / 2},
                                    {half, kClipHeight / 2}, {-half, kClipHeight / 2}};
  const cocos2d::Color4F white(1, 1, 1, 1);
  stencil->drawPolygon(corners, 4, white, 1, white);
  clip->setStencil(stencil);
  m_pLowerPanel->addChild(clip, 2);

  m_pListNode = cocos2d::Node::create();
  clip->addChild(m_pListNode);
  const std::vector<CompeteAwardItem>& awards = CompeteGameInfo::shareCompeteGameInfo()->m_vcAwards;
  for (std::size_t i = 0; i < awards.size(); ++i) {
    cocos2d::Sprite* card = CreateAwardCard(awards[i]);
    if (card == nullptr) continue;
    card->setPosition(cocos2d::Vec2(HalfWidth() + kSnapHalf - half + static_cast<float>(i) * kCardWidth, kListY));
    m_pListNode->addChild(card);
  }
}

void CompeteWaitLayer::BuildLowerTexts() {
  const cocos2d::Size panel = m_pLowerPanel->getContentSize();
  const float cx = panel.width / 2, cy = panel.height / 2;
  auto place = [this](cocos2d::Node* node, float x, float y, int z = 0) {
    if (node == nullptr) return;
    node->setPosition(cocos2d::Vec2(x, y));
    m_pLowerPanel->addChild(node, z);
  };
  place(cocos2d::Sprite::createWithSpriteFrameName("ddzbs_ddjm_jl_z.png"), cx, cy + 38);
  place(cocos2d::Sprite::createWithSpriteFrameName("ddzbs_ddjm_ui_line.png"), cx - 216, cy + 38);
  cocos2d::Sprite* rightRule = cocos2d::Sprite::createWithSpriteFrameName("ddzbs_ddjm_ui_line.png");
  if (rightRule != nullptr) rightRule->setFlippedX(true);
  place(rightRule, cx + 216, cy + 38);

  m_pTimeLabel = nullptr;
  if (HasTimetable()) {
    place(cocos2d::Sprite::createWithSpriteFrameName("ddzbs_ddjm_icon_djs.png"), cx - 110, cy + 88);
    place(competelayer::MakeLabel(GameText(kTextCountdown), 28, kOrange), cx - 20, cy + 88, 2);
    m_pTimeLabel = competelayer::MakeLabel("", 28, kOrange);
    m_pTimeLabel->setAnchorPoint(cocos2d::Vec2(0, 0.5f));
    place(m_pTimeLabel, cx + 64, cy + 88, 2);
  }

  m_pNumWord = cocos2d::Sprite::createWithSpriteFrameName("ddzbs_ddjm_z01.png");
  if (m_pNumWord != nullptr) {
    m_pNumWord->setAnchorPoint(cocos2d::Vec2(0.5f, 0));
    m_pLowerPanel->addChild(m_pNumWord);
  }
  char all[16];
  std::snprintf(all, sizeof all, "/%d", CompeteGameInfo::shareCompeteGameInfo()->m_Record.iLastPlayers);
  m_pAllNum = cocos2d::ui::TextAtlas::create(all, "ddzbs_ddjm_num02.png", 28, 36, "/");
  m_pAllNum->setAnchorPoint(cocos2d::Vec2(0.5f, 0));
  m_pLowerPanel->addChild(m_pAllNum);
  m_pNowNum = cocos2d::ui::TextAtlas::create("0", "ddzbs_ddjm_num01.png", 42, 54, "0");
  m_pNowNum->setAnchorPoint(cocos2d::Vec2(0.5f, 0));
  m_pLowerPanel->addChild(m_pNowNum);

  m_fPlayerRowHeight = cy + (m_pTimeLabel != nullptr ? kRowWithTimetable : kRowWithout);
  if (m_pTimeLabel != nullptr) {
    UpdateTime(0);
    unschedule(schedule_selector(CompeteWaitLayer::UpdateTime));
    schedule(schedule_selector(CompeteWaitLayer::UpdateTime), 1.0f);
  }
}

cocos2d::Sprite* CompeteWaitLayer::CreateAwardCard(const CompeteAwardItem& item) {
  cocos2d::Sprite* card = cocos2d::Sprite::createWithSpriteFrameName("ddzbs_ddjm_jp_d.png");
  if (card == nullptr) return nullptr;
  const cocos2d::Size size = card->getContentSize();
  const float cw = size.width, ch = size.height;

  cocos2d::Node* rank = nullptr;
  if (item.iRankFrom == item.iRankTo && item.iRankFrom <= 3) {
    char badge[40] = "";
    if (item.iRankFrom >= 1) std::snprintf(badge, sizeof badge, "ddzbs_ddjm_jl_ph0%d.png", item.iRankFrom);
    rank = FrameOrPlaceholder(badge);
  } else if (item.iRankFrom == item.iRankTo) {
    rank = FittedLabel(ddz::FormatText(GameText(kTextRankOne), item.iRankFrom), 24, kRankInk, cw);
  } else {
    rank = FittedLabel(ddz::FormatText(GameText(kTextRankRange), item.iRankFrom, item.iRankTo), 24, kRankInk, cw);
  }
  if (rank != nullptr) {
    rank->setPosition(cocos2d::Vec2(cw / 2, ch - 30));
    card->addChild(rank);
  }

  if (cocos2d::Sprite* picture = FrameOrPlaceholder(ddz::RecordText(item.szUnit))) {
    picture->setPosition(cocos2d::Vec2(cw / 2, ch / 2));
    picture->setScale(0.46f);
    card->addChild(picture);
  }

  if (item.iPropNum > 0) {
    auto* digits = cocos2d::ui::TextAtlas::create(std::to_string(item.iPropNum), "ddzbs_ddjm_jl_num.png", 18, 24, "0");
    digits->setPosition(cocos2d::Vec2(cw / 2, 50));
    card->addChild(digits);
    if (item.iPropId == kUnitPropId) {
      if (cocos2d::Sprite* unit = cocos2d::Sprite::createWithSpriteFrameName("ddzbs_ddjm_jl_num_z.png")) {
        unit->setPosition(cocos2d::Vec2(cw / 2 + digits->getContentSize().width / 2, 50));
        card->addChild(unit);
      }
      digits->setPosition(cocos2d::Vec2(cw / 2 - 14, 50));
    }
  } else {
    cocos2d::Label* text = FittedLabel(ddz::RecordText(item.szAwardText), 30, kAwardInk, cw);
    text->setPosition(cocos2d::Vec2(cw / 2, 50));
    card->addChild(text);
  }
  return card;
}

// ---------------------------------------------------------------- the count and the countdown

void CompeteWaitLayer::SetWaitPlayer(std::int32_t iNowNum) {
  m_iNowNum = iNowNum;
  if (!isRunning() || m_pNowNum == nullptr || m_pAllNum == nullptr) return;
  m_pNowNum->setString(std::to_string(iNowNum));
  const float a = m_pNumWord != nullptr ? m_pNumWord->getContentSize().width : 0;
  const float c = m_pNowNum->getContentSize().width + 20;
  const float b = m_pAllNum->getContentSize().width;
  const float left = HalfWidth() - (a + b + c) / 2;
  if (m_pNumWord != nullptr) m_pNumWord->setPosition(cocos2d::Vec2(left + a / 2, m_fPlayerRowHeight));
  m_pNowNum->setPosition(cocos2d::Vec2(left + a + c / 2, m_fPlayerRowHeight + 2));
  m_pAllNum->setPosition(cocos2d::Vec2(left + a + c + b / 2, m_fPlayerRowHeight + 2));
}

std::string CompeteWaitLayer::CountdownText(std::int64_t remaining) {
  remaining = std::clamp<std::int64_t>(remaining, 0, INT32_MAX);
  char text[32];
  std::snprintf(text, sizeof text, "%02d:%02d", static_cast<int>(remaining / 60), static_cast<int>(remaining % 60));
  return text;
}

void CompeteWaitLayer::UpdateTime(float /*dt*/) {
  if (m_pTimeLabel == nullptr) return;
  const std::int64_t now = DdzCompete::getInstance()->GetServerNow();
  m_pTimeLabel->setString(CountdownText(static_cast<std::int64_t>(m_iNextOpenTime) - now));
}

void CompeteWaitLayer::onExit() {
  YndGameLayer::onExit();
  competelayer::SetTopButtonsEnabled(true);
  m_iNowNum = 0;
}

// ---------------------------------------------------------------- dragging and paging

float CompeteWaitLayer::SnapTarget(float x, int cards) {
  const int hidden = cards - kVisibleCards;
  x = std::min(x, 0.0f);
  float o = -x;
  if (hidden > 0 && o > hidden * kCardWidth) {
    o = hidden * kCardWidth;
    x = -o;
  }
  float r = o;
  while (r >= kCardWidth) r -= kCardWidth;
  if (r > kSnapHalf) r -= kCardWidth;
  return x + r;
}

float CompeteWaitLayer::PageTarget(float x, int cards, bool forward) {
  const int hidden = cards - kVisibleCards;
  if (!forward) return std::min(x + kPageWidth, 0.0f);
  float target = x - kPageWidth;
  if (hidden > 0 && hidden * kCardWidth + target < 0) target = -hidden * kCardWidth;
  return target;
}

cocos2d::Vec2 CompeteWaitLayer::TouchPoint(const std::vector<cocos2d::Touch*>& touches) const {
  const float scale = cocos2d::Director::getInstance()->getContentScaleFactor();
  const cocos2d::Vec2 p = convertToNodeSpace(touches.front()->getLocation());
  return cocos2d::Vec2(p.x / scale, p.y / scale);
}

void CompeteWaitLayer::onTouchesBegan(const std::vector<cocos2d::Touch*>& touches, cocos2d::Event* /*event*/) {
  if (touches.empty()) return;
  const cocos2d::Vec2 p = TouchPoint(touches);
  m_bDragging = m_TouchRect.containsPoint(p);
  if (m_bDragging) m_LastTouch = p;
}

void CompeteWaitLayer::onTouchesMoved(const std::vector<cocos2d::Touch*>& touches, cocos2d::Event* /*event*/) {
  if (touches.empty() || m_pListNode == nullptr) return;
  const cocos2d::Vec2 p = TouchPoint(touches);
  if (!m_TouchRect.containsPoint(p)) return;
  // A touch that began beside the row drags from where it comes in: the row
  // never moves further than the finger.
  if (m_bDragging) m_pListNode->setPositionX(m_pListNode->getPositionX() + p.x - m_LastTouch.x);
  m_bDragging = true;
  m_LastTouch = p;
}

void CompeteWaitLayer::onTouchesEnded(const std::vector<cocos2d::Touch*>& touches, cocos2d::Event* /*event*/) {
  if (touches.empty() || m_pListNode == nullptr) return;
  MoveListTo(SnapTarget(m_pListNode->getPositionX(), AwardCount()), kDragSeconds);
  m_LastTouch = cocos2d::Vec2::ZERO;
  m_bDragging = false;
}

void CompeteWaitLayer::OnClickNextPage(cocos2d::Ref* /*sender*/) {
  if (m_pListNode == nullptr) return;
  MoveListTo(PageTarget(m_pListNode->getPositionX(), AwardCount(), true), kPageSeconds);
}

void CompeteWaitLayer::OnClickPrevPage(cocos2d::Ref* /*sender*/) {
  if (m_pListNode == nullptr) return;
  MoveListTo(PageTarget(m_pListNode->getPositionX(), AwardCount(), false), kPageSeconds);
}

void CompeteWaitLayer::MoveListTo(float x, float seconds) {
  setTouchEnabled(false, false);
  // A second press while the row moves starts from where it is.
  m_pListNode->stopAllActions();
  m_pListNode->runAction(cocos2d::Sequence::create(
      cocos2d::MoveTo::create(seconds, cocos2d::Vec2(x, m_pListNode->getPositionY())),
      cocos2d::CallFunc::create([this] { CallBackMoveEnd(); })));
}

void CompeteWaitLayer::CallBackMoveEnd() {
  setTouchEnabled(true, false);
  if (m_pListNode == nullptr) return;
  const float x = m_pListNode->getPositionX();
  const int hidden = HiddenCards();
  if (m_pLeftBtn != nullptr) m_pLeftBtn->setVisible(x < 0);
  if (m_pRightBtn != nullptr) m_pRightBtn->setVisible(!(hidden > 0 && hidden * kCardWidth + x <= 0));
}
