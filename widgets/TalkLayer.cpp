#include "widgets/TalkLayer.h"

#include <cstring>
#include <vector>

#include "gamedata/GameKinds.h"
#include "gamedata/LabelHelpers.h"
#include "gamedata/LayoutConfig.h"
#include "gamedata/TextTables.h"
#include "platform/engine/Director.h"
#include "platform/engine/Label.h"
#include "platform/engine/Log.h"
#include "platform/engine/Sprite.h"
#include "platform/engine/ui/Widgets.h"
#include "platform/framework/YndCommonFunc.h"
#include "platform/framework/YndRemoveChildManage.h"
#include "platform/gamebase/GameSceneBase.h"
#include "platform/gamebase/GameViewBase.h"
#include "platform/gamebase/NewPlayerHead.h"
#include "platform/os/Random.h"
#include "table/GameSoundDDZ.h"
#include "widgets/TopUIBase.h"

using cocos2d::Color3B;
using cocos2d::Vec2;

namespace ddz::chat {

namespace {
constexpr int kOddHeadFirstLine = 137;
constexpr int kOtherHeadFirstLine = 132;

bool OddHead(int headId) { return headId % 2 == 1; }  // a negative id never counts as odd
}  // namespace

int PhraseTextLine(int headId, int phrase) {
  return (OddHead(headId) ? kOddHeadFirstLine : kOtherHeadFirstLine) + phrase;
}

}  // namespace ddz::chat

// ---------------------------------------------------------------- TalkLayer

const Color3B TalkLayer::kRowColor(255, 255, 255);
const Color3B TalkLayer::kRowHighlight(11, 237, 247);

TalkLayer* TalkLayer::create(ITalkCallBack* callBack) {
  auto* layer = new TalkLayer(callBack);
  layer->autorelease();
  return layer;
}

void TalkLayer::onEnter() {
  YndGameLayer::onEnter();
  AddPlist(kSheet);
  // Built anew at each opening (the own head may have changed); the old
  // background goes first so that openings do not pile up nodes.
  if (m_pBg != nullptr) {
    m_pBg->removeFromParentAndCleanup(true);
    m_pBg = nullptr;
    for (auto*& label : m_pLabel) label = nullptr;
  }
  m_pBg = cocos2d::ui::Scale9Sprite::createWithSpriteFrameName(kBgFrame);
  if (m_pBg == nullptr) {
    cocos2d::log("TalkLayer: frame %s missing", kBgFrame);
  } else {
    m_pBg->setPreferredSize(cocos2d::Size(kBgWidth, kBgHeight));
    m_pBg->setPosition(g_ptGameTalkLayerBg[0]);
    addChild(m_pBg);
    for (int i = 1; i <= 4; ++i) {
      if (auto* line = cocos2d::Sprite::createWithSpriteFrameName(kLineFrame)) {
        line->setPosition(Vec2(kBgWidth / 2, kRowHeight * static_cast<float>(i)));
        m_pBg->addChild(line);
      }
    }
    const int head = NewPlayerHead::ConvertPlayerIcon(GameViewBase::m_GlobalInfo.iHeadID);
    for (int k = 0; k < ddz::chat::kPhraseCount; ++k) {
      m_pLabel[k] = cocos2d::Label::createWithSystemFont(GameText(ddz::chat::PhraseTextLine(head, k)),
                                                         g_strSystemFont, kFontSize, cocos2d::Size::ZERO,
                                                         cocos2d::TextHAlignment::LEFT,
                                                         cocos2d::TextVAlignment::TOP);
      m_pLabel[k]->setPosition(Vec2(218, 250 - kRowHeight * static_cast<float>(k)));
      m_pBg->addChild(m_pLabel[k]);
    }
  }
  setTouchEnabled(true, false);
  m_bShowing = true;
}

void TalkLayer::onExit() {
  m_bShowing = false;
  YndGameLayer::onExit();
}

bool TalkLayer::InBox(const Vec2& pt) {
  const float cy = g_ptGameTalkLayerBg[0].y;
  return pt.x >= kBoxLeft && pt.x <= kBoxRight && pt.y >= cy - kBoxHalfHeight && pt.y <= cy + kBoxHalfHeight;
}

int TalkLayer::RowAt(const Vec2& pt) {
  if (!InBox(pt)) return -1;
  const float top = g_ptGameTalkLayerBg[0].y + kBoxHalfHeight;
  for (int k = 0; k < ddz::chat::kPhraseCount; ++k) {
    const float high = top - kRowHeight * static_cast<float>(k);
    if (pt.y <= high && pt.y >= high - kRowHeight) return k;
  }
  return -1;
}

Vec2 TalkLayer::TouchPoint(const std::vector<cocos2d::Touch*>& touches) const {
  const Vec2 local = convertToNodeSpace(touches.front()->getLocation());
  const float scale = cocos2d::Director::getInstance()->getContentScaleFactor();
  return Vec2(local.x / scale, local.y / scale);
}

void TalkLayer::HighlightRow(int row) {
  for (int k = 0; k < ddz::chat::kPhraseCount; ++k)
    if (m_pLabel[k] != nullptr) m_pLabel[k]->setColor(k == row ? kRowHighlight : kRowColor);
}

void TalkLayer::Close() {
  if (getParent() != nullptr) YndRemoveChildManage::sharedRemoveChildManage()->RemoveChild(this, getParent());
}

void TalkLayer::onTouchesBegan(const std::vector<cocos2d::Touch*>& touches, cocos2d::Event*) {
  if (touches.empty()) return;
  const Vec2 pt = TouchPoint(touches);
  if (!InBox(pt)) {
    Close();
    return;
  }
  HighlightRow(RowAt(pt));
}

void TalkLayer::onTouchesMoved(const std::vector<cocos2d::Touch*>& touches, cocos2d::Event*) {
  if (touches.empty()) return;
  HighlightRow(RowAt(TouchPoint(touches)));
}

void TalkLayer::onTouchesEnded(const std::vector<cocos2d::Touch*>& touches, cocos2d::Event*) {
  if (touches.empty()) return;
  const Vec2 pt = TouchPoint(touches);
  if (!InBox(pt)) {
    Close();
    return;
  }
  const int row = RowAt(pt);
  if (row < 0) return;
  SendTalk(row);
  Close();
  GameSoundDDZ::shareGameSoundDDZ()->PlayGameSound(kChooseEffect);
}

void TalkLayer::SendTalk(int phrase) {
  if (phrase < 0 || phrase >= ddz::chat::kPhraseCount) {
    cocos2d::log("TalkLayer::SendTalk: phrase %d dropped", phrase);
    return;
  }
  if (m_pTalkCallBack != nullptr) m_pTalkCallBack->CallBackSendTalk();
  ddz::chat::SendTalkFaceMsg(GameSceneBase::m_pGameView, ddz::chat::kMsgTalk, phrase);
}

// ---------------------------------------------------------------- TalkTip

const Color3B TalkTip::kTextColor(2, 61, 80);

TalkTip* TalkTip::create() {
  auto* tip = new TalkTip();
  tip->autorelease();
  return tip;
}

void TalkTip::onEnter() {
  YndGameLayer::onEnter();
  AddPlist(TalkLayer::kSheet);
}

bool TalkTip::BubblePlace(int seat, Vec2& place) {
  if (seat < 0 || seat >= kSeats) return false;
  const bool fourSeats = g_iGameViewType == ddz::kViewFourPlayer;
  const Vec2* places = fourSeats ? g_ptSRGameTalkTip : g_ptGameTalkTip;
  const int count = fourSeats ? static_cast<int>(std::size(g_ptSRGameTalkTip))
                              : static_cast<int>(std::size(g_ptGameTalkTip));
  if (seat >= count) return false;
  place = places[seat];
  return true;
}

cocos2d::Node* TalkTip::CreateBubble(const std::string& text, int seat) {
  auto* label = cocos2d::Label::createWithSystemFont(text, g_strSystemFont, kFontSize, cocos2d::Size::ZERO,
                                                     cocos2d::TextHAlignment::LEFT, cocos2d::TextVAlignment::TOP);
  label->setColor(kTextColor);
  const cocos2d::Size size(label->getContentSize().width + 30, 44);
  auto* bubble = cocos2d::ui::Scale9Sprite::createWithSpriteFrameName(kBubbleFrame);
  if (bubble == nullptr) {
    cocos2d::log("TalkTip: frame %s missing", kBubbleFrame);
    return nullptr;
  }
  bubble->setPreferredSize(size);
  label->setPosition(Vec2(size.width / 2, size.height / 2));
  bubble->addChild(label);
  bubble->setAnchorPoint(seat >= 2 ? Vec2(1, 0.5f) : Vec2(0, 0.5f));
  return bubble;
}

bool TalkTip::PutBubble(int seat, const std::string& text) {
  Vec2 place;
  if (!BubblePlace(seat, place)) {
    cocos2d::log("TalkTip: seat %d has no bubble place", seat);
    return false;
  }
  if (m_pBubble[seat] != nullptr) {
    if (m_pBubble[seat]->getParent() != nullptr) m_pBubble[seat]->removeFromParentAndCleanup(true);
    m_pBubble[seat] = nullptr;
  }
  cocos2d::Node* bubble = CreateBubble(text, seat);
  if (bubble == nullptr) return false;
  bubble->setPosition(place);
  addChild(bubble);
  m_pBubble[seat] = bubble;
  return true;
}

void TalkTip::ScheduleHide(int seat, float seconds, bool restart) {
  const std::string key = "HideBubble" + std::to_string(seat);
  if (restart) unschedule(key);
  // Scheduling a pending key again keeps its elapsed time.
  scheduleOnce([this, seat](float) { HideBubble(seat); }, seconds, key);
}

void TalkTip::HideBubble(int seat) {
  if (m_pBubble[seat] == nullptr) return;
  if (m_pBubble[seat]->getParent() != nullptr) m_pBubble[seat]->removeFromParentAndCleanup(true);
  m_pBubble[seat] = nullptr;
}

void TalkTip::Talk(int iTablePos, int iHeadIndex, int iTalkIndex) {
  if (iTalkIndex < 0 || iTalkIndex >= ddz::chat::kPhraseCount) {
    cocos2d::log("TalkTip::Talk: phrase %d ignored", iTalkIndex);
    return;
  }
  if (!PutBubble(iTablePos, GameText(ddz::chat::PhraseTextLine(iHeadIndex, iTalkIndex)))) return;
  ScheduleHide(iTablePos, kPhraseSeconds, false);
  // The phrases are voices 20..24 of the head's voice set.
  GameSoundDDZ::shareGameSoundDDZ()->PlayerTalk(iHeadIndex, iTalkIndex + ddz::chat::kFirstPhraseVoice);
}

void TalkTip::Talk(int iTablePos, const std::string& strText) {
  if (!PutBubble(iTablePos, strText)) return;
  ScheduleHide(iTablePos, kTextSeconds, true);
}

void TalkTip::TalkFreeTxt(int iTablePos, const std::string& strText) {
  if (!PutBubble(iTablePos, strText)) return;
  ScheduleHide(iTablePos, kFreeTextSeconds, false);
}

void TalkTip::StartFreeTip() {
  unschedule("ShowRandomTip");
  schedule([this](float dt) { ShowRandomTip(dt); }, kIdleTipSeconds, "ShowRandomTip");
}

void TalkTip::StopFreeTip() { unschedule("ShowRandomTip"); }

void TalkTip::RemoveRandomTip() {
  unschedule("HideRandomTip");
  if (m_pRandomTip == nullptr) return;
  if (m_pRandomTip->getParent() != nullptr) m_pRandomTip->removeFromParentAndCleanup(true);
  m_pRandomTip = nullptr;
}

void TalkTip::HoldIdleTips(bool hold) {
  m_bIdleTipsHeld = hold;
  if (hold) RemoveRandomTip();
}

void TalkTip::ShowRandomTip(float) {
  if (m_bIdleTipsHeld) return;
  static constexpr int kTipSeats[] = {0, 2};
  const int seat = kTipSeats[ddz::os::Rand() % 2];
  RemoveRandomTip();
  std::string line = GameText(kIdleTipFirstLine + ddz::os::Rand() % kIdleTipLines);
  std::vector<char> text(line.begin(), line.end());
  text.push_back('\0');
  DeleteCharArrayEnter(text.data());
  Vec2 place;
  if (!BubblePlace(seat, place)) return;
  cocos2d::Node* bubble = CreateBubble(text.data(), seat);
  if (bubble == nullptr) return;
  bubble->setPosition(place);
  addChild(bubble);
  m_pRandomTip = bubble;
  unschedule("HideRandomTip");
  scheduleOnce(
      [this](float) {
        if (m_pRandomTip == nullptr) return;
        m_pRandomTip->removeFromParentAndCleanup(true);
        m_pRandomTip = nullptr;
      },
      kTextSeconds, "HideRandomTip");
}
