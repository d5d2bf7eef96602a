#include "widgets/PlayerGameInfo.h"

#include <cstdio>

#include "gamedata/LabelHelpers.h"
#include "gamedata/TextTables.h"
#include "platform/engine/cocos2d.h"
#include "platform/engine/spine/SkeletonAnimation.h"
#include "platform/framework/SoundManage.h"
#include "platform/gamebase/BasePT.h"
#include "platform/gamebase/MainMsgLock.h"
#include "widgets/PlayerTitles.h"

int g_iWaitDotStep = 0;

namespace {

using cocos2d::Vec2;

constexpr const char* kReadyOwn = "qorvddz_tips_wait.png";
constexpr const char* kReadyOther = "qorvddz_tips_ready.png";
constexpr const char* kCompeteReadyOther = "ddzcompete_tips_ready.png";
constexpr const char* kPointFormat = "qorvddz_point_%d.png";
constexpr const char* kCompetePointFormat = "ddzcompete_tips_point_%d.png";
constexpr const char* kPass = "qorvddz_tips_pass.png";
constexpr const char* kCompetePass = "ddzcompete_tips_pass.png";
constexpr const char* kOffLine = "zlixianzhong.png";
constexpr const char* kNetDelay = "zwangluoyanshi.png";
constexpr const char* kTuoGuan = "ddzcompete_gameinfo_tuoguan.png";
constexpr const char* kAddPound = "ddzq_jb.png";
constexpr const char* kNoMoney = "ddzq_pch.png";
constexpr const char* kMoneyBox = "qorvddz_chat_2.png";
constexpr const char* kMoneyBoxBack = "ddzq_moneyinfo_bg.png";
constexpr const char* kWaitSign = "ddzq_tips_jb_waiting.png";
constexpr const char* kWaitDot = "qorvddz_tips_word_dian.png";
constexpr const char* kHat = "qorvddz_dizhu.png";
constexpr const char* kSparkle = "qorvddz_turntable_bx_lizi.png";
constexpr const char* kCompeteAmountBox = "ddzcompete_tips_jifen_bg.png";
constexpr const char* kFdAmountBox = "fdddz_pyj_wjjf_bg.png";
// The score format of the four-player score box: entry kFdAmountText of the
// second text table (a format with one integer).
constexpr int kFdAmountText = 17;

const Vec2 kMoneyBoxBackPos(92, 18);
const Vec2 kMoneyLabelOffset(80, -2);
constexpr float kMoneyLabelWidth = 120;
const Vec2 kSparkleOffsets[PlayerGameInfo::kSparkles] = {Vec2(-24, -28), Vec2(28, 0), Vec2(-34, 32)};
constexpr float kWaitDotGap = 10;
// Where the expression animation stands, by screen seat (its 95 x 80 box centred).
const Vec2 kFaceSeatPoints[4] = {Vec2(236, 542), Vec2(640, 252), Vec2(1030, 542), Vec2(490, 498)};
const Vec2 kFaceHalfBox(47.5f, 40);
constexpr const char* kFaceTimer = "face_spine_remove";

std::string Number(int value) { return std::to_string(value); }

// Runs `bounce` after setting `start` scale: the pop of a new sign.
void Pop(cocos2d::Node* node, float start, cocos2d::FiniteTimeAction* first, cocos2d::FiniteTimeAction* second,
         cocos2d::FiniteTimeAction* third = nullptr) {
  node->setScale(start);
  node->runAction(third ? cocos2d::Sequence::create(first, second, third) : cocos2d::Sequence::create(first, second));
}

}  // namespace

PlayerGameInfo::PlayerGameInfo(int iTablePos) : m_iTablePos(iTablePos) {}

void PlayerGameInfo::RemoveMark(cocos2d::Sprite*& mark) {
  if (mark == nullptr) return;
  mark->removeFromParentAndCleanup(true);
  mark = nullptr;
}

void PlayerGameInfo::ShowMark(cocos2d::Sprite*& mark, bool bShow, const char* frame, Vec2 pt, int z) {
  if (!bShow) {
    RemoveMark(mark);
    return;
  }
  if (mark != nullptr) return;
  mark = cocos2d::Sprite::createWithSpriteFrameName(frame);
  if (mark == nullptr) return;
  mark->setPosition(pt);
  addChild(mark, z);
}

void PlayerGameInfo::ShowReady(bool bShow, Vec2 pt) {
  ShowMark(m_pReady, bShow, m_iTablePos == kOwnSeat ? kReadyOwn : kReadyOther, pt);
}

void PlayerGameInfo::ShowCompeteReady(bool bShow, Vec2 pt) {
  ShowMark(m_pReady, bShow, m_iTablePos == kOwnSeat ? kReadyOwn : kCompeteReadyOther, pt);
}

void PlayerGameInfo::ShowPoint(bool bShow, int iAmount, Vec2 pt) {
  char frame[48];
  std::snprintf(frame, sizeof(frame), kPointFormat, iAmount);
  ShowMark(m_pPoint, bShow && iAmount >= 0, frame, pt, kPointZOrder);
}

void PlayerGameInfo::ShowCompetePoint(bool bShow, int iPoint, Vec2 pt) {
  char frame[48];
  std::snprintf(frame, sizeof(frame), kCompetePointFormat, iPoint);
  ShowMark(m_pPoint, bShow && iPoint >= 0, frame, pt, kPointZOrder);
}

void PlayerGameInfo::ShowPass(bool bShow, Vec2 pt) { ShowMark(m_pPass, bShow, kPass, pt); }

void PlayerGameInfo::ShowCompetePass(bool bShow, Vec2 pt) { ShowMark(m_pPass, bShow, kCompetePass, pt); }

void PlayerGameInfo::ShowOffLine(bool bShow, Vec2 pt) {
  if (bShow) {
    RemoveMark(m_pTuoGuan);
    RemoveMark(m_pNetDelay);
  }
  ShowMark(m_pOffLine, bShow, kOffLine, pt);
}

void PlayerGameInfo::ShowNetDelay(bool bShow, Vec2 pt) {
  if (bShow) {
    RemoveMark(m_pTuoGuan);
    RemoveMark(m_pOffLine);
  }
  ShowMark(m_pNetDelay, bShow, kNetDelay, pt);
}

void PlayerGameInfo::ShowCompeteTuoGuan(bool bShow, Vec2 pt) {
  if (bShow) {
    RemoveMark(m_pOffLine);
    RemoveMark(m_pNetDelay);
  }
  ShowMark(m_pTuoGuan, bShow, kTuoGuan, pt);
}

void PlayerGameInfo::ShowAddPound(bool bShow, Vec2 pt) {
  const bool isNew = bShow && m_pAddPound == nullptr;
  ShowMark(m_pAddPound, bShow, kAddPound, pt);
  if (isNew && m_pAddPound != nullptr) {
    Pop(m_pAddPound, 1.5f, cocos2d::ScaleTo::create(0.25f, 0.8f), cocos2d::ScaleTo::create(0.2f, 1.0f));
  }
}

void PlayerGameInfo::ShowNoMoneyTips(bool bShow, Vec2 pt) {
  const bool isNew = bShow && m_pNoMoney == nullptr;
  ShowMark(m_pNoMoney, bShow, kNoMoney, pt);
  if (isNew && m_pNoMoney != nullptr) {
    Pop(m_pNoMoney, 1.6f, cocos2d::ScaleTo::create(0.15f, 0.9f), cocos2d::ScaleTo::create(0.12f, 1.2f),
        cocos2d::ScaleTo::create(0.1f, 1.0f));
  }
}

void PlayerGameInfo::ShowPlayerMoneInfo(bool bShow, int iMoney, Vec2 pt, bool bPlayAni) {
  if (!bShow) {
    RemoveMark(m_pMoneyBg);
    if (m_pMoneyLabel != nullptr) {
      m_pMoneyLabel->removeFromParentAndCleanup(true);
      m_pMoneyLabel = nullptr;
    }
    return;
  }
  if (m_pMoneyBg == nullptr) {
    ShowMark(m_pMoneyBg, true, kMoneyBox, pt);
    if (m_pMoneyBg == nullptr) return;
    if (cocos2d::Sprite* back = cocos2d::Sprite::createWithSpriteFrameName(kMoneyBoxBack)) {
      back->setPosition(kMoneyBoxBackPos);
      m_pMoneyBg->addChild(back, -1);
    }
    m_pMoneyLabel = cocos2d::Label::createWithSystemFont(Number(iMoney), g_strSystemFont, kMoneyFontSize,
                                                         cocos2d::Size(kMoneyLabelWidth, 0));
    m_pMoneyLabel->setPosition(pt + kMoneyLabelOffset);
    addChild(m_pMoneyLabel);
    return;
  }
  if (m_pMoneyLabel == nullptr) return;
  m_pMoneyLabel->setString(Number(iMoney));
  if (bPlayAni) {
    m_pMoneyLabel->stopAllActions();
    Pop(m_pMoneyLabel, 1.0f, cocos2d::ScaleTo::create(0.15f, 1.4f), cocos2d::ScaleTo::create(0.2f, 0.7f),
        cocos2d::ScaleTo::create(0.1f, 1.0f));
  }
}

void PlayerGameInfo::ShowWaitFarmerMul(bool bShow, Vec2 pt) {
  if (m_iTablePos != kOwnSeat) return;
  if (!bShow) {
    RemoveMark(m_pWaitFarmerMul);
    for (cocos2d::Sprite*& dot : m_pWaitDot) RemoveMark(dot);
    return;
  }
  if (m_pWaitFarmerMul != nullptr) return;
  cocos2d::Sprite* sign = cocos2d::Sprite::createWithSpriteFrameName(kWaitSign);
  if (sign == nullptr) return;
  for (int i = 0; i < kWaitDots; ++i) {
    RemoveMark(m_pWaitDot[i]);
    m_pWaitDot[i] = cocos2d::Sprite::createWithSpriteFrameName(kWaitDot);
    if (m_pWaitDot[i] == nullptr) continue;
    const float dotWidth = m_pWaitDot[i]->getContentSize().width;
    m_pWaitDot[i]->setPosition(
        Vec2(sign->getContentSize().width * 0.5f + pt.x + static_cast<float>(i) * dotWidth + kWaitDotGap, pt.y));
    m_pWaitDot[i]->setVisible(false);
    addChild(m_pWaitDot[i]);
  }
  schedule(schedule_selector(PlayerGameInfo::OnWaitDotTick), kWaitDotSeconds);
  m_pWaitFarmerMul = sign;
  m_pWaitFarmerMul->setPosition(pt);
  addChild(m_pWaitFarmerMul);
  g_iWaitDotStep = 0;
}

void PlayerGameInfo::OnWaitDotTick(float) {
  bool any = false;
  for (int i = 0; i < kWaitDots; ++i) {
    if (m_pWaitDot[i] == nullptr) continue;
    any = true;
    m_pWaitDot[i]->setVisible(i <= g_iWaitDotStep);
  }
  if (!any) return;
  if (++g_iWaitDotStep >= kWaitDots) g_iWaitDotStep = -1;
}

void PlayerGameInfo::ShowLandOwner(bool bShow, Vec2 pt, bool bLogin) {
  if (!bShow) {
    // The hat's lock token leaves with it: a hat still in flight lowers the lock here.
    RemoveMark(m_pLandOwner);
    for (cocos2d::Sprite*& star : m_pLandOwnerStar) RemoveMark(star);
    return;
  }
  if (m_pLandOwner != nullptr) return;
  m_pLandOwner = cocos2d::Sprite::createWithSpriteFrameName(kHat);
  if (m_pLandOwner == nullptr) return;
  m_pLandOwner->setVisible(false);
  m_pLandOwner->setPosition(Vec2(static_cast<float>(BasePT::g_iWindowWidth / 2),
                                 static_cast<float>(BasePT::g_iWindowHeight / 2)));
  addChild(m_pLandOwner, kHatZOrder);
  // Off the stage the entrance could not run: the hat is put at rest at once.
  if (bLogin || !isRunning()) {
    m_pLandOwner->setPosition(pt);
    m_pLandOwner->setScale(kHatRestScale);
    m_pLandOwner->setVisible(true);
  } else {
    MsgLockToken* lock = MsgLockToken::Raise(m_pLandOwner);
    m_pLandOwner->runAction(cocos2d::Sequence::create(
        cocos2d::FadeTo::create(0, 0), cocos2d::ScaleTo::create(0, kHatStartScale), cocos2d::Show::create(),
        cocos2d::Spawn::create(cocos2d::FadeTo::create(kHatFadeSeconds, 255),
                               cocos2d::ScaleTo::create(kHatFadeSeconds, 0.9f)),
        cocos2d::DelayTime::create(kHatHoldSeconds),
        cocos2d::Spawn::create(cocos2d::MoveTo::create(kHatFlySeconds, pt),
                               cocos2d::ScaleTo::create(kHatFlySeconds, kHatRestScale)),
        cocos2d::CallFunc::create([lock] { lock->Release(); })));
    char sound[32];
    std::snprintf(sound, sizeof(sound), "ddzSound/%d.mp3", kHatSound);
    SoundManage::shareSoundManage()->PlaySoundByFile(sound);
  }
  for (int i = 0; i < kSparkles; ++i) {
    RemoveMark(m_pLandOwnerStar[i]);
    m_pLandOwnerStar[i] = cocos2d::Sprite::createWithSpriteFrameName(kSparkle);
    if (m_pLandOwnerStar[i] == nullptr) continue;
    m_pLandOwnerStar[i]->setPosition(pt + kSparkleOffsets[i]);
    m_pLandOwnerStar[i]->setBlendFunc(cocos2d::BlendFunc::ADDITIVE);
    m_pLandOwnerStar[i]->setVisible(false);
    addChild(m_pLandOwnerStar[i], kSparkleZOrder);
  }
}

void PlayerGameInfo::ShowLandOwnerAni() {
  if (m_pLandOwner != nullptr && m_pLandOwner->isRunning()) {
    m_pLandOwner->runAction(cocos2d::Sequence::create(cocos2d::ScaleTo::create(0.25f, 0.575f, 0.42f),
                                                      cocos2d::ScaleTo::create(0.25f, 0.45f, 0.6f),
                                                      cocos2d::ScaleTo::create(7.0f / 24, kHatRestScale)));
  }
  for (int i = 0; i < kSparkles; ++i) {
    cocos2d::Sprite* star = m_pLandOwnerStar[i];
    if (star == nullptr || !star->isRunning()) continue;
    star->runAction(cocos2d::RotateBy::create(7.5f, 720));
    star->runAction(cocos2d::Sequence::create(
        cocos2d::DelayTime::create((15.0f * static_cast<float>(i) + 2) / 24), cocos2d::ScaleTo::create(0, 0.64f),
        cocos2d::FadeTo::create(0, 0), cocos2d::Show::create(),
        cocos2d::Spawn::create(cocos2d::ScaleTo::create(25.0f / 24, 1.2f), cocos2d::FadeTo::create(25.0f / 24, 255)),
        cocos2d::Spawn::create(cocos2d::ScaleTo::create(0.375f, 0.19f), cocos2d::FadeTo::create(0.375f, 0)),
        cocos2d::Hide::create()));
  }
}

void PlayerGameInfo::ShowAmountBox(bool bShow, Vec2 pt, const char* frame, Vec2 labelPos,
                                   cocos2d::Color3B color, const std::string& text) {
  if (!bShow) {
    RemoveMark(m_pAmountBg);
    m_pAmountLabel = nullptr;  // a child of the box
    return;
  }
  if (m_pAmountBg != nullptr) return;
  ShowMark(m_pAmountBg, true, frame, pt);
  if (m_pAmountBg == nullptr) return;
  m_pAmountLabel = cocos2d::Label::createWithSystemFont(text, g_strSystemFont, kMoneyFontSize, cocos2d::Size(200, 40));
  m_pAmountLabel->setPosition(labelPos);
  m_pAmountLabel->setColor(color);
  m_pAmountBg->addChild(m_pAmountLabel);
}

void PlayerGameInfo::UpdateAmount(const std::string& text) {
  if (m_pAmountBg == nullptr || !m_pAmountBg->isRunning() || m_pAmountLabel == nullptr) return;
  m_pAmountLabel->setString(text);
  m_pAmountLabel->runAction(
      cocos2d::Sequence::create(cocos2d::ScaleTo::create(0.5f, 1.3f), cocos2d::ScaleTo::create(0.3f, 1.0f)));
}

namespace {
std::string FdAmountText(int iAmount) { return ddz::FormatText(SuperGameText(kFdAmountText), iAmount); }
}  // namespace

void PlayerGameInfo::ShowCompeteAmount(bool bShow, int iAmount, Vec2 pt) {
  ShowAmountBox(bShow, pt, kCompeteAmountBox, Vec2(182, 12), cocos2d::Color3B(189, 205, 254),
                Number(iAmount));
}

void PlayerGameInfo::UpdateCompeteAmount(int iAmount) { UpdateAmount(Number(iAmount)); }

void PlayerGameInfo::ShowFdAmount(bool bShow, int iAmount, Vec2 pt) {
  ShowAmountBox(bShow, pt, kFdAmountBox, Vec2(122, 14), cocos2d::Color3B(255, 235, 179),
                bShow ? FdAmountText(iAmount) : std::string());
}

void PlayerGameInfo::UpdateFdAmount(int iAmount) { UpdateAmount(FdAmountText(iAmount)); }

void PlayerGameInfo::RemoveFaceSpine() {
  unschedule(kFaceTimer);
  if (m_pFaceSpine == nullptr) return;
  m_pFaceSpine->removeFromParentAndCleanup(true);
  m_pFaceSpine = nullptr;
}

void PlayerGameInfo::ShowFaceSpine(int iFaceIndex, bool bShow, float fDelay) {
  if (!bShow) {
    if (m_pFaceSpine != nullptr && m_pFaceSpine->isRunning()) RemoveFaceSpine();
    return;
  }
  const std::string& name = GetExpressionName(iFaceIndex);
  if (name.empty()) return;
  RemoveFaceSpine();
  m_pFaceSpine = spine::SkeletonAnimation::createWithJsonFile(name + ".json", kFaceAtlas, kFaceScale);
  if (m_pFaceSpine == nullptr) return;
  m_pFaceSpine->setAnimation(0, name, true);
  const int seat = m_iTablePos >= 0 && m_iTablePos < 4 ? m_iTablePos : kOwnSeat;
  m_pFaceSpine->setPosition(kFaceSeatPoints[seat] - kFaceHalfBox);
  addChild(m_pFaceSpine, kFaceZOrder);
  schedule([this](float) { RemoveFaceSpine(); }, fDelay, kFaceTimer);
}

void PlayerGameInfo::ResetAll() {
  removeAllChildrenWithCleanup(true);
  unschedule(schedule_selector(PlayerGameInfo::OnWaitDotTick));
  unschedule(kFaceTimer);
  m_pReady = m_pPoint = m_pPass = m_pOffLine = m_pNetDelay = m_pAddPound = nullptr;
  m_pWaitFarmerMul = m_pMoneyBg = m_pNoMoney = m_pTuoGuan = m_pLandOwner = m_pAmountBg = nullptr;
  m_pMoneyLabel = m_pAmountLabel = nullptr;
  m_pFaceSpine = nullptr;
  for (cocos2d::Sprite*& dot : m_pWaitDot) dot = nullptr;
  for (cocos2d::Sprite*& star : m_pLandOwnerStar) star = nullptr;
}
