#include "compete/CompeteMsg.h"

#include "compete/CompeteGameView.h"
#include "compete/CompeteTableUI.h"
#include "platform/engine/Action.h"
#include "platform/engine/Log.h"
#include "platform/engine/Sprite.h"
#include "platform/engine/ui/Widgets.h"
#include "platform/framework/YndRemoveChildManage.h"
#include "platform/gamebase/BasePT.h"
#include "platform/gamebase/GameSceneBase.h"
#include "platform/gamebase/MainMsgLock.h"
#include "table/GameSoundDDZ.h"

namespace {

using cocos2d::Vec2;

constexpr int kKindStart = 0;
constexpr int kKindStage = 1;
constexpr int kKindCount = 4;
// The word picture of kinds 0, 2 and 3; kind 1 has two words around its digits.
const char* const kWordFrame[kKindCount] = {"ddzbs_bsks_z.png", nullptr, "ddzbs_bzdymgj_z.png", "ddzbs_jjyjhj_z.png"};
constexpr const char* kStageWordBefore = "ddzbs_compete_z01.png";
constexpr const char* kStageWordAfter = "ddzbs_compete_z02.png";
constexpr const char* kStripFrame = "ddzbs_ynddh_pic02.png";
constexpr const char* kDecorationFrame = "ddzbs_ynddh_pic01.png";

// Where the word rests above the strip's middle, and the decoration's place.
constexpr float kWordRise = 26;
constexpr float kDecorationLeft = 186;
constexpr float kDecorationRise = 114;
constexpr float kSlideOvershoot = 20;
constexpr cocos2d::GLubyte kStartOpacity = 125;

void PlayEffect(const char* name) { GameSoundDDZ::shareGameSoundDDZ()->PlayGameSound(std::string(name) + ".ogg"); }

cocos2d::Sprite* FrameOrEmpty(const char* frame) {
  cocos2d::Sprite* sprite = cocos2d::Sprite::createWithSpriteFrameName(frame);
  return sprite != nullptr ? sprite : cocos2d::Sprite::create();
}

// Slides `node` from `start` left by half the window and the overshoot,
// fading in, then back by the overshoot: the word's and the decoration's way in.
cocos2d::FiniteTimeAction* SlideIn(const Vec2& start) {
  const float sw = static_cast<float>(BasePT::g_iWindowWidth / 2);
  return cocos2d::Sequence::create(
      cocos2d::DelayTime::create(0.2f), cocos2d::Place::create(start), cocos2d::FadeTo::create(0, kStartOpacity),
      cocos2d::Show::create(),
      cocos2d::Spawn::create(cocos2d::MoveBy::create(0.2f, Vec2(-kSlideOvershoot - sw, 0)),
                             cocos2d::FadeTo::create(0.2f, 255)),
      cocos2d::MoveBy::create(0.1f, Vec2(kSlideOvershoot, 0)));
}

}  // namespace

CompeteMsg::CompeteMsg() : YndGameLayer(nullptr) {}

CompeteMsg::~CompeteMsg() = default;

void CompeteMsg::ShowMsg(int iMsgType, YndGameLayer* pParent, const std::string& strContent) {
  if (iMsgType < 0 || iMsgType >= kKindCount) {
    cocos2d::log("CompeteMsg::ShowMsg: no banner of kind %d", iMsgType);
    return;
  }
  if (pParent == nullptr || !pParent->isRunning()) {
    cocos2d::log("CompeteMsg::ShowMsg: kind %d has no parent on the stage", iMsgType);
    return;
  }
  auto* banner = new CompeteMsg();
  banner->autorelease();
  banner->m_iMsgType = iMsgType;
  banner->AddPlist(kSheet);
  pParent->addChild(banner, kZOrder);
  banner->m_pLock = MsgLockToken::Raise(banner);
  banner->BuildWord(strContent);
  banner->m_pWord->runAction(cocos2d::Sequence::create(
      SlideIn(Vec2(BasePT::g_iWindowWidth / 2 + banner->m_pStrip->getContentSize().width / 2,
                   banner->m_pStrip->getContentSize().height / 2 + kWordRise)),
      cocos2d::DelayTime::create(2.0f), cocos2d::CallFunc::create([banner] { banner->FadeOutMsg(); })));
  if (iMsgType == kKindStart) {
    PlayEffect(kStartSound);
    banner->scheduleOnce(static_cast<cocos2d::SEL_SCHEDULE>(&CompeteMsg::PlayStartSound2), kSecondSoundDelay);
  }
}

void CompeteMsg::BuildWord(const std::string& strContent) {
  if (m_iMsgType == kKindStage) {
    auto* group = cocos2d::Node::create();
    group->setCascadeOpacityEnabled(true);
    cocos2d::Node* parts[3] = {
        FrameOrEmpty(kStageWordBefore),
        cocos2d::ui::TextAtlas::create(strContent, kDigitsImage, kDigitWidth, kDigitHeight, "0"),
        FrameOrEmpty(kStageWordAfter)};
    const float lift[3] = {-10, -6, 0};
    float total = 0;
    for (cocos2d::Node* part : parts) total += part->getContentSize().width * part->getScaleX();
    float left = 0;
    for (int i = 0; i < 3; ++i) {
      const float w = parts[i]->getContentSize().width * parts[i]->getScaleX();
      parts[i]->setAnchorPoint(Vec2(0.5f, 0.5f));
      parts[i]->setPosition(Vec2(left + w / 2 - total / 2, lift[i]));
      group->addChild(parts[i]);
      left += w;
    }
    m_pWord = group;
  } else {
    m_pWord = FrameOrEmpty(kWordFrame[m_iMsgType]);
  }
  m_pWord->setVisible(false);
  m_pStrip->addChild(m_pWord);
}

void CompeteMsg::onEnter() {
  YndGameLayer::onEnter();
  const int sw = BasePT::g_iWindowWidth, sh = BasePT::g_iWindowHeight;
  m_pStrip = FrameOrEmpty(kStripFrame);
  m_pStrip->setVisible(false);
  addChild(m_pStrip);
  m_pStrip->runAction(cocos2d::Sequence::create(
      cocos2d::Place::create(Vec2(sw / 2 - 100, sh / 2 + 22)), cocos2d::FadeTo::create(0, kStartOpacity),
      cocos2d::Show::create(),
      cocos2d::Spawn::create(cocos2d::MoveBy::create(0.3f, Vec2(100, 0)), cocos2d::FadeTo::create(0.3f, 255))));
  const cocos2d::Size strip = m_pStrip->getContentSize();
  cocos2d::Sprite* decoration = FrameOrEmpty(kDecorationFrame);
  decoration->setVisible(false);
  m_pStrip->addChild(decoration, -1);
  decoration->runAction(SlideIn(Vec2(sw / 2 + strip.width / 2 - kDecorationLeft, strip.height / 2 + kDecorationRise)));
}

void CompeteMsg::FadeOutMsg() {
  if (m_pStrip == nullptr) return;
  m_pStrip->setCascadeOpacityEnabled(true);
  m_pStrip->runAction(cocos2d::Sequence::create(cocos2d::FadeTo::create(0.25f, 0), cocos2d::DelayTime::create(0.25f),
                                                cocos2d::CallFunc::create([this] { OnMsgEnd(); })));
}

void CompeteMsg::OnMsgEnd() {
  if (m_iMsgType == kKindStart) {
    // Only a tournament table with a bar on the stage has a tip to show.
    auto* view = dynamic_cast<CompeteGameView*>(GameSceneBase::m_pGameView);
    if (view != nullptr && view->m_pCompeteTableUI != nullptr && view->m_pCompeteTableUI->isRunning())
      view->m_pCompeteTableUI->ShowWaitTable(true);
  }
  if (getParent() != nullptr) YndRemoveChildManage::sharedRemoveChildManage()->RemoveChild(this, getParent());
  if (m_pLock != nullptr) m_pLock->Release();
}

void CompeteMsg::PlayStartSound2(float) { PlayEffect(kStartSound2); }

bool CompeteMsg::HoldsLock() const { return m_pLock != nullptr && m_pLock->IsHeld(); }
