#include "widgets/NewPlayerAward.h"

#include <string>

#include "gamedata/LabelHelpers.h"
#include "gamedata/TextTables.h"
#include "platform/engine/Action.h"
#include "platform/engine/Director.h"
#include "platform/engine/Label.h"
#include "platform/engine/Log.h"
#include "platform/engine/Sprite.h"
#include "platform/gamebase/BasePT.h"
#include "platform/os/Random.h"
#include "platform/os/Saturate.h"
#include "table/DDZGameView.h"
#include "table/GameSoundDDZ.h"

using cocos2d::Vec2;

namespace {

constexpr int kTextChances = 223;
constexpr int kTextYuanbao = 226;
constexpr int kTextMoney = 227;

constexpr int kSoundOpen = 211;
constexpr int kSoundTouch = 212;
constexpr int kSoundShuffle = 213;
constexpr int kSoundShuffleBack = 214;

const Vec2 kBubbleOffset(-40, 55);
constexpr float kBubbleScaleY = 0.6f;
constexpr int kHintBobs = 12;
constexpr float kContentScale = 0.6f;
constexpr float kShellSpacing = 190;
constexpr float kShellsLeft = 285;  // the first shell's distance left of the centre

// One step of the shake before the shuffle.
constexpr float kShakeStep = 0.03f;
const Vec2 kShake[] = {{-7.5f, 2.5f}, {0, 0}, {7.5f, -2.5f}, {0, 0}, {-7.5f, -2.5f}, {0, 0}, {7.5f, 2.5f}, {0, 0}};
constexpr unsigned kShakeRepeats = 3;

cocos2d::Sequence* SequenceOf(const std::vector<cocos2d::FiniteTimeAction*>& steps) {
  cocos2d::Vector<cocos2d::FiniteTimeAction*> list;
  for (cocos2d::FiniteTimeAction* step : steps) list.pushBack(step);
  return cocos2d::Sequence::create(list);
}

}  // namespace

NewPlayerAward* NewPlayerAward::create(DDZGameView* pView, const Vec2& icon) {
  auto* layer = new NewPlayerAward(pView, icon);
  layer->autorelease();
  return layer;
}

NewPlayerAward::NewPlayerAward(DDZGameView* pView, const Vec2& icon)
    : YndGameLayer(nullptr), m_pGameView(pView), m_ptIcon(icon) {}

Vec2 NewPlayerAward::ShellHome(int i) {
  const int halfW = BasePT::g_iWindowWidth / 2;
  const int halfH = BasePT::g_iWindowHeight / 2;
  return Vec2(halfW - kShellsLeft + kShellSpacing * i, static_cast<float>(halfH));
}

void NewPlayerAward::onEnter() {
  YndGameLayer::onEnter();
  AddPlist(kSheet);
  m_pIcon = cocos2d::Sprite::createWithSpriteFrameName(kShellClosed);
  if (m_pIcon != nullptr) {
    m_pIcon->setPosition(m_ptIcon);
    m_pIcon->setScale(m_fIconScale);
    addChild(m_pIcon, 1);
  }
  m_pSelectMark = cocos2d::Sprite::createWithSpriteFrameName(kSelectMark);
  if (m_pSelectMark != nullptr) {
    m_pSelectMark->setPosition(m_ptIcon);
    m_pSelectMark->setScale(m_fIconScale);
    m_pSelectMark->setVisible(false);
    addChild(m_pSelectMark, 2);
  }
  m_pTipBubble = cocos2d::Sprite::createWithSpriteFrameName(kBubble);
  if (m_pTipBubble != nullptr) {
    m_pTipBubble->setPosition(m_ptIcon + kBubbleOffset);
    m_pTipBubble->setVisible(false);
    m_pTipBubble->setFlippedX(true);
    m_pTipBubble->setScaleY(kBubbleScaleY);
    m_pTipBubble->setOpacity(200);
    addChild(m_pTipBubble, 5);
    m_pTipLabel = cocos2d::Label::createWithSystemFont("", g_strFontName, 20, cocos2d::Size(175, 80));
    m_pTipLabel->setColor(cocos2d::Color3B(250, 250, 250));
    m_pTipLabel->setPosition(94, 48);
    m_pTipLabel->setScaleY(1.0f / kBubbleScaleY);
    m_pTipBubble->addChild(m_pTipLabel);
  }
  if (m_pIcon == nullptr || m_pSelectMark == nullptr || m_pTipBubble == nullptr)
    cocos2d::log("NewPlayerAward: frames of %s missing", kSheet);
  setVisible(false);
}

void NewPlayerAward::onExit() {
  YndGameLayer::onExit();
  removeAllChildrenWithCleanup(true);
  m_pIcon = m_pSelectMark = m_pTipBubble = nullptr;
  m_pTipLabel = nullptr;
  for (int i = 0; i < kShells; ++i) {
    m_pShell[i] = nullptr;
    m_pShellContent[i] = nullptr;
  }
  m_bCanPick = false;
}

// ---------------------------------------------------------------- rounds

void NewPlayerAward::StartRound(int chances, int amount, int kind) {
  m_bCanPick = false;
  m_iChanceCount = chances;
  m_iAwardAmount = amount;
  m_iAwardKind = kind;
  m_iShuffleStep = 0;
  if (chances >= 1 && amount == 0) {
    setVisible(true);
    m_iState = kHint;
    if (m_pIcon != nullptr) {
      m_pIcon->stopAllActions();
      m_pIcon->setPosition(m_ptIcon);
      m_pIcon->setOpacity(255);
      m_pIcon->setScale(m_fIconScale);
    }
    if (m_pTipLabel != nullptr) m_pTipLabel->setString(ddz::FormatText(GameText(kTextChances), chances));
    RunHintBubble();
    setTouchEnabled(true);
  } else if (amount > 0 && kind > 0) {
    setVisible(true);
    ComputeShellValues(amount, kind);
    m_iState = kPicking;
    if (m_pIcon != nullptr) {
      m_pIcon->setPosition(m_ptIcon);
      m_pIcon->setScale(m_fIconScale);
    }
    if (m_pTipBubble != nullptr) {
      m_pTipBubble->stopAllActions();
      m_pTipBubble->setVisible(false);
    }
    if (m_pSelectMark != nullptr) {
      m_pSelectMark->stopAllActions();
      m_pSelectMark->setPosition(m_ptIcon);
      m_pSelectMark->setScale(m_fIconScale);
      m_pSelectMark->setOpacity(0);
      m_pSelectMark->setVisible(true);
      BlinkSelectMark();
    }
  }
}

void NewPlayerAward::RunHintBubble() {
  if (m_pTipBubble == nullptr) return;
  m_pTipBubble->stopAllActions();
  m_pTipBubble->setPosition(m_ptIcon + kBubbleOffset);
  m_pTipBubble->setOpacity(0);
  m_pTipBubble->setVisible(true);
  std::vector<cocos2d::FiniteTimeAction*> bubble = {cocos2d::FadeIn::create(0.5f)};
  for (int i = 0; i < kHintBobs; ++i) {
    bubble.push_back(cocos2d::MoveBy::create(0.5f, Vec2(0, 10)));
    bubble.push_back(cocos2d::MoveBy::create(0.5f, Vec2(0, -10)));
  }
  bubble.push_back(cocos2d::FadeOut::create(0.5f));
  bubble.push_back(cocos2d::Hide::create());
  m_pTipBubble->runAction(SequenceOf(bubble));

  m_pTipLabel->stopAllActions();
  m_pTipLabel->setOpacity(0);
  m_pTipLabel->setVisible(true);
  m_pTipLabel->runAction(SequenceOf({cocos2d::FadeIn::create(1.0f), cocos2d::DelayTime::create(12.0f),
                                     cocos2d::FadeOut::create(0.5f), cocos2d::Hide::create(),
                                     cocos2d::CallFunc::create([this] { IconJump(); })}));
}

void NewPlayerAward::IconJump() {
  if (m_pIcon == nullptr) return;
  m_pIcon->stopAllActions();
  m_pIcon->runAction(cocos2d::RepeatForever::create(cocos2d::JumpBy::create(1.0f, Vec2::ZERO, 12, 3)));
}

void NewPlayerAward::PlayHintAni() {
  if (m_iState != kHint) return;
  if (m_pIcon != nullptr) {
    m_pIcon->stopAllActions();
    m_pIcon->setPosition(m_ptIcon);
    m_pIcon->setOpacity(255);
  }
  RunHintBubble();
}

void NewPlayerAward::BlinkSelectMark() {
  if (m_pSelectMark == nullptr) return;
  m_pSelectMark->runAction(SequenceOf({cocos2d::FadeIn::create(0.5f), cocos2d::FadeOut::create(0.5f),
                                       cocos2d::CallFunc::create([this] { BlinkSelectMark(); })}));
}

void NewPlayerAward::ComputeShellValues(int amount, int kind) {
  // The prize comes from the server: every value stops at an int's end.
  using ddz::os::SaturatingAdd;
  using ddz::os::SaturatingMul;
  const int r2 = ddz::os::Rand() % 2;
  const int r3 = ddz::os::Rand() % 3;
  const int a = amount;
  int yuanbao[2];
  int money[2];
  if (kind == kKindYuanbao) {
    if (a < 20) {
      yuanbao[0] = a, yuanbao[1] = 50;
    } else if (r2 == 1) {
      yuanbao[0] = 10, yuanbao[1] = a;
    } else {
      yuanbao[0] = a, yuanbao[1] = SaturatingMul(2, a);
    }
    if (r3 == 0) {
      money[0] = 100, money[1] = (r2 + 1) * 500;
    } else {
      money[0] = r3 * 500, money[1] = (r2 + 1 + r3) * 500;
    }
  } else {
    const int d = a / 100;
    if (d < 5) {
      money[0] = a, money[1] = SaturatingMul(SaturatingAdd(r2 + d, 1), 100);
    } else if (const int e = d / 5; e < 2) {
      if (r2 == 1) money[0] = 100, money[1] = a;
      else money[0] = a, money[1] = SaturatingAdd(a, 500);
    } else {
      if (r2 == 1) money[0] = SaturatingAdd(SaturatingMul(e, 500), -500), money[1] = a;
      else money[0] = a, money[1] = SaturatingMul(SaturatingAdd(e, 1), 500);
    }
    if (r2 == 0) yuanbao[0] = 10, yuanbao[1] = 50;
    else yuanbao[0] = 50, yuanbao[1] = 100;
  }
  for (int i = 0; i < 2; ++i) {
    m_iShellKind[i] = kKindYuanbao;
    m_iShellValue[i] = yuanbao[i];
    m_iShellKind[2 + i] = kKindMoney;
    m_iShellValue[2 + i] = money[i];
  }
}

// ---------------------------------------------------------------- shells

void NewPlayerAward::PlayEffect(int number) const {
  GameSoundDDZ::shareGameSoundDDZ()->PlayGameSound(std::to_string(number) + ".mp3");
}

void NewPlayerAward::ShowReward() {
  GameSoundDDZ::shareGameSoundDDZ()->PlayBackGroundMusic(kMusic, true);
  if (m_pIcon != nullptr) m_pIcon->setVisible(false);
  if (m_pSelectMark != nullptr) {
    m_pSelectMark->stopAllActions();
    m_pSelectMark->setOpacity(255);
    m_pSelectMark->setVisible(false);
  }
  for (int i = 0; i < kShells; ++i) {
    if (m_pShell[i] == nullptr) {
      m_pShell[i] = cocos2d::Sprite::createWithSpriteFrameName(kShellClosed);
      if (m_pShell[i] == nullptr) {
        cocos2d::log("NewPlayerAward: frame %s missing", kShellClosed);
        return;
      }
      addChild(m_pShell[i], 3);
    }
    cocos2d::Sprite* shell = m_pShell[i];
    shell->stopAllActions();
    shell->setSpriteFrame(kShellClosed);
    shell->setPosition(m_ptIcon);
    shell->setScale(m_fIconScale);
    shell->setOpacity(255);
    shell->setVisible(true);

    if (m_pShellContent[i] != nullptr) m_pShellContent[i]->removeFromParent();
    const bool yuanbao = m_iShellKind[i] == kKindYuanbao;
    auto* content = cocos2d::Node::create();
    if (auto* image = cocos2d::Sprite::createWithSpriteFrameName(yuanbao ? kYuanbaoImage : kMoneyImage)) {
      image->setScale(yuanbao ? 0.7f : 0.62f);
      if (yuanbao) image->setRotation(15);
      content->addChild(image);
    }
    auto* label = cocos2d::Label::createWithSystemFont(
        ddz::FormatText(GameText(yuanbao ? kTextYuanbao : kTextMoney), m_iShellValue[i]), g_strFontName, 22);
    label->setColor(cocos2d::Color3B(255, 255, 0));
    content->addChild(label);
    content->setPosition(ShellHome(i) + m_ptContentOffset);
    content->setVisible(false);
    content->setScale(kContentScale);
    addChild(content, 4);
    m_pShellContent[i] = content;

    std::vector<cocos2d::FiniteTimeAction*> move = {
        cocos2d::Spawn::create(cocos2d::MoveTo::create(0.4f, ShellHome(i)), cocos2d::ScaleTo::create(0.4f, 1.0f))};
    if (i == kShells - 1) move.push_back(cocos2d::CallFunc::create([this] { ShellsArrived(); }));
    shell->runAction(SequenceOf(move));
  }
}

void NewPlayerAward::ShellsArrived() {
  for (int i = 0; i < kShells; ++i) {
    cocos2d::Node* content = m_pShellContent[i];
    if (content == nullptr) continue;
    content->setVisible(true);
    content->runAction(SequenceOf({cocos2d::ScaleTo::create(0.3f, 1.0f), cocos2d::ScaleTo::create(0.3f, kContentScale),
                                   cocos2d::DelayTime::create(2.5f + 0.15f * i),
                                   cocos2d::CallFunc::create([this] { ShuffleStep(); })}));
  }
}

void NewPlayerAward::ShuffleStep() {
  if (m_iShuffleStep < kShells) {
    PlayEffect(kSoundOpen);
    if (cocos2d::Sprite* shell = m_pShell[m_iShuffleStep]) {
      shell->setSpriteFrame(kShellOpen);
      shell->runAction(SequenceOf({cocos2d::DelayTime::create(0.2f), cocos2d::CallFunc::create([shell] {
                                     shell->setSpriteFrame(kShellClosed);
                                   })}));
    }
    ++m_iShuffleStep;
  }
  if (m_iShuffleStep != kShells) return;
  ++m_iShuffleStep;  // the shuffle starts once
  const Vec2 centre(static_cast<float>(BasePT::g_iWindowWidth / 2), static_cast<float>(BasePT::g_iWindowHeight / 2));
  for (int i = 0; i < kShells; ++i) {
    if (m_pShellContent[i] != nullptr) m_pShellContent[i]->setVisible(false);
    if (m_pShell[i] == nullptr) continue;
    std::vector<cocos2d::FiniteTimeAction*> shake;
    for (const Vec2& step : kShake) shake.push_back(cocos2d::MoveBy::create(kShakeStep, step));
    m_pShell[i]->runAction(SequenceOf(
        {cocos2d::DelayTime::create(0.2f), cocos2d::Repeat::create(SequenceOf(shake), kShakeRepeats),
         cocos2d::DelayTime::create(0.5f), cocos2d::CallFunc::create([this] { PlayEffect(kSoundShuffle); }),
         cocos2d::MoveTo::create(0.3f, centre), cocos2d::DelayTime::create(0.5f),
         cocos2d::CallFunc::create([this] { PlayEffect(kSoundShuffleBack); }),
         cocos2d::MoveTo::create(0.3f, ShellHome(i)), cocos2d::CallFunc::create([this] { ShuffleEnded(); })}));
  }
}

void NewPlayerAward::ShuffleEnded() {
  m_bCanPick = true;
  setTouchEnabled(true);
}

// ---------------------------------------------------------------- touches

Vec2 NewPlayerAward::TouchPoint(const cocos2d::Touch* touch) const {
  return convertToNodeSpace(touch->getLocation()) / cocos2d::Director::getInstance()->getContentScaleFactor();
}

int NewPlayerAward::ShellAt(const Vec2& point) const {
  for (int i = 0; i < kShells; ++i)
    if (m_pShell[i] != nullptr && m_pShell[i]->isVisible() && m_pShell[i]->getBoundingBox().containsPoint(point))
      return i;
  return -1;
}

void NewPlayerAward::onTouchesBegan(const std::vector<cocos2d::Touch*>& touches, cocos2d::Event*) {
  if (!m_bCanPick || touches.empty()) return;
  const int i = ShellAt(TouchPoint(touches.front()));
  if (i < 0) return;
  PlayEffect(kSoundTouch);
  m_pShell[i]->runAction(cocos2d::ScaleTo::create(0.05f, 1.1f));
}

void NewPlayerAward::onTouchesEnded(const std::vector<cocos2d::Touch*>& touches, cocos2d::Event*) {
  if (touches.empty()) return;
  const Vec2 point = TouchPoint(touches.front());
  if (m_iState == kHint && m_pIcon != nullptr && m_pIcon->getBoundingBox().containsPoint(point)) {
    if (m_pTipBubble == nullptr) return;
    if (m_pTipBubble->isVisible()) {
      m_pTipBubble->stopAllActions();
      m_pTipBubble->setVisible(false);
    } else {
      RunHintBubble();
    }
    return;
  }
  if (!m_bCanPick) return;
  const int picked = ShellAt(point);
  if (picked < 0) return;
  m_bCanPick = false;
  if (m_pSelectMark != nullptr) {
    m_pSelectMark->stopAllActions();
    m_pSelectMark->setPosition(ShellHome(picked) + m_ptContentOffset);
    m_pSelectMark->setScale(1.0f);
    m_pSelectMark->setOpacity(0);
    m_pSelectMark->setVisible(true);
    BlinkSelectMark();
  }
  for (int i = 0; i < kShells; ++i) {
    cocos2d::Sprite* shell = m_pShell[i];
    if (shell == nullptr) continue;
    shell->stopAllActions();
    if (i != picked) {
      shell->runAction(cocos2d::FadeOut::create(0.3f));
      continue;
    }
    shell->runAction(SequenceOf({cocos2d::ScaleTo::create(0.1f, 1.0f),
                                 cocos2d::CallFunc::create([shell] { shell->setSpriteFrame(kShellOpen); }),
                                 cocos2d::ScaleTo::create(0.4f, 1.0f), cocos2d::ScaleTo::create(0.4f, 1.1f),
                                 cocos2d::DelayTime::create(0.3f),
                                 cocos2d::CallFunc::create([this] { OnShellPicked(); })}));
  }
}

void NewPlayerAward::OnShellPicked() {
  for (cocos2d::Sprite* shell : m_pShell)
    if (shell != nullptr) shell->setVisible(false);
  if (m_pSelectMark != nullptr) {
    m_pSelectMark->stopAllActions();
    m_pSelectMark->setVisible(false);
  }
  if (m_pGameView != nullptr)
    m_pGameView->ShowAwardAni(1, m_iAwardKind == kKindYuanbao ? 1 : 0, m_iAwardAmount);
}

void NewPlayerAward::Restart() {
  for (int i = 0; i < kShells; ++i) {
    if (m_pShell[i] != nullptr) m_pShell[i]->removeFromParentAndCleanup(true);
    if (m_pShellContent[i] != nullptr) m_pShellContent[i]->removeFromParentAndCleanup(true);
    m_pShell[i] = nullptr;
    m_pShellContent[i] = nullptr;
  }
  m_bCanPick = false;
  if (m_iChanceCount > 0) StartRound(m_iChanceCount, 0, 0);
  else m_iState = kFinished;
}
