#include "variants/DDZSmallGameLEDBoard.h"

#include <algorithm>
#include <cstdio>

#include "platform/engine/cocos2d.h"

namespace {

using cocos2d::DelayTime;
using cocos2d::FiniteTimeAction;
using cocos2d::Hide;
using cocos2d::Sequence;
using cocos2d::Show;

cocos2d::SpriteFrameCache* Frames() { return cocos2d::SpriteFrameCache::getInstance(); }

std::string Numbered(const char* format, int n) {
  char name[64];
  std::snprintf(name, sizeof name, format, n);
  return name;
}

// Show when `shown`, else Hide.
FiniteTimeAction* Visibility(bool shown) {
  return shown ? static_cast<FiniteTimeAction*>(Show::create()) : static_cast<FiniteTimeAction*>(Hide::create());
}

// A blank step of the chase: a 1 x 1 frame of its own, so the cached frame it
// is cut from keeps its rectangle for every other use.
cocos2d::SpriteFrame* BlankStep() {
  cocos2d::SpriteFrame* cached = Frames()->getSpriteFrameByName(DDZSmallGameLEDBoard::kBlankStepFrame);
  const cocos2d::Rect dot(0, 0, 1, 1);
  if (cached != nullptr && cached->getTexture() != nullptr)
    return cocos2d::SpriteFrame::createWithTexture(cached->getTexture(), dot);
  return cocos2d::SpriteFrame::create(cached != nullptr ? cached->getTextureFile() : "", dot);
}

}  // namespace

DDZSmallGameLEDBoard::DDZSmallGameLEDBoard() {
  init();
  m_pChaseSprite = cocos2d::Sprite::create();
  addChild(m_pChaseSprite, 1);
  m_pAniSprite = cocos2d::Sprite::create();
  addChild(m_pAniSprite, 1);
}

void DDZSmallGameLEDBoard::SetImages(const char* litFrame, const char* unlitFrame) {
  m_pLit = cocos2d::Sprite::createWithSpriteFrameName(litFrame);
  if (m_pLit != nullptr) addChild(m_pLit, -1);
  m_pUnlit = cocos2d::Sprite::createWithSpriteFrameName(unlitFrame);
  if (m_pUnlit != nullptr) addChild(m_pUnlit, -1);
}

void DDZSmallGameLEDBoard::onEnter() {
  cocos2d::Layer::onEnter();
  SetLightOn(false);
}

void DDZSmallGameLEDBoard::StopAnimation() {
  stopAllActions();
  const cocos2d::Vector<cocos2d::Node*> children = getChildren();  // retains each while it is worked on
  for (cocos2d::Node* child : children) child->stopAllActions();
}

void DDZSmallGameLEDBoard::SetLightOn(bool on) {
  if (!m_bReady) return;
  StopAnimation();
  m_pAniSprite->setVisible(false);
  m_pChaseSprite->setVisible(false);
  if (m_pLit != nullptr) m_pLit->setVisible(on);
  if (m_pUnlit != nullptr) m_pUnlit->setVisible(!on);
}

void DDZSmallGameLEDBoard::RunFrames(cocos2d::Sprite* sprite, const std::vector<cocos2d::SpriteFrame*>& frames,
                                     bool loop) {
  if (frames.empty()) return;
  cocos2d::Vector<cocos2d::SpriteFrame*> list;
  for (cocos2d::SpriteFrame* f : frames) list.pushBack(f);
  auto* animate = cocos2d::Animate::create(cocos2d::Animation::createWithSpriteFrames(list, kFrameSeconds));
  sprite->setVisible(true);
  if (loop)
    sprite->runAction(cocos2d::RepeatForever::create(animate));
  else
    sprite->runAction(animate);
}

void DDZSmallGameLEDBoard::PlayAnimation(bool loop) {
  if (!m_bReady) return;
  SetLightOn(true);
  std::vector<cocos2d::SpriteFrame*> frames;
  for (const std::string& name : m_vcAniList) {
    // A frame the cache does not have is left out.
    if (cocos2d::SpriteFrame* f = Frames()->getSpriteFrameByName(name)) frames.push_back(f);
  }
  RunFrames(m_pAniSprite, frames, loop);
}

void DDZSmallGameLEDBoard::PlayLampChase(bool loop) {
  if (!m_bReady) return;
  SetLightOn(true);
  if (m_vcChaseList.empty()) return;
  std::vector<cocos2d::SpriteFrame*> frames;
  cocos2d::SpriteFrame* blank = nullptr;
  for (const std::string& name : m_vcChaseList) {
    cocos2d::SpriteFrame* f = Frames()->getSpriteFrameByName(name);
    if (f == nullptr) f = blank != nullptr ? blank : (blank = BlankStep());
    frames.push_back(f);
  }
  RunFrames(m_pChaseSprite, frames, loop);
}

void DDZSmallGameLEDBoard::RunAttract(cocos2d::Sprite* image, float delay, bool inverse) {
  if (image == nullptr) return;
  const bool lit = !inverse;
  cocos2d::Vector<FiniteTimeAction*> steps;
  steps.pushBack(Visibility(!lit));
  steps.pushBack(DelayTime::create(delay));
  steps.pushBack(Visibility(lit));
  steps.pushBack(DelayTime::create(kAttractLitUntil - delay));
  for (int i = 0; i < kAttractBlinks; ++i) {
    steps.pushBack(Visibility(!lit));
    steps.pushBack(DelayTime::create(kAttractBlinkSeconds));
    steps.pushBack(Visibility(lit));
    steps.pushBack(DelayTime::create(kAttractBlinkSeconds));
  }
  steps.pushBack(Visibility(!lit));
  steps.pushBack(DelayTime::create(kAttractDarkSeconds));
  image->runAction(cocos2d::RepeatForever::create(Sequence::create(steps)));
}

void DDZSmallGameLEDBoard::ShowResultEffect(float delay) {
  if (!m_bReady) return;
  delay = std::clamp(delay, 0.0f, kAttractLitUntil);
  StopAnimation();
  m_pAniSprite->setVisible(false);
  m_pChaseSprite->setVisible(false);
  RunAttract(m_pLit, delay, false);
  RunAttract(m_pUnlit, delay, true);
}

// ---------------------------------------------------------------- level board

DDZSmallGameLevelNoBorad* DDZSmallGameLevelNoBorad::create(int number) {
  auto* board = new DDZSmallGameLevelNoBorad(number);
  board->autorelease();
  return board;
}

DDZSmallGameLevelNoBorad::DDZSmallGameLevelNoBorad(int number) {
  if (number < 1 || number > kMaxNumber) return;
  m_iNumber = number;
  m_bReady = true;
  SetImages(Numbered("DDZ_SmallGameLoop%d0.png", number).c_str(), Numbered("DDZ_SmallGameLoop%d1.png", number).c_str());
  m_vcChaseList.push_back("test");
  for (int i = 0; i <= 3; ++i) m_vcChaseList.push_back(Numbered("DDZ_SmallGameDeng%d.png", i));
  for (int i = 0; i < 3; ++i) {
    m_vcChaseList.push_back("DDZ_SmallGameDeng4.png");
    m_vcChaseList.push_back("DDZ_SmallGameDeng3.png");
  }
  const bool even = number % 2 == 0;
  for (cocos2d::Sprite* sprite : {m_pAniSprite, m_pChaseSprite}) {
    sprite->setPosition(kSpriteX, even ? kSpriteYEven : kSpriteYOdd);
    if (even) sprite->setScaleY(-1);
  }
}

void DDZSmallGameLevelNoBorad::PlayAnimation(bool loop) {
  if (!m_bReady) return;
  StopAnimation();
  m_pAniSprite->setVisible(false);
  m_pChaseSprite->setVisible(false);
  const auto blink = [loop](cocos2d::Sprite* image, bool startsLit) {
    if (image == nullptr) return;
    auto* once = Sequence::create(Visibility(!startsLit), DelayTime::create(kFrameSeconds), Visibility(startsLit),
                                  DelayTime::create(kFrameSeconds), nullptr);
    if (loop)
      image->runAction(cocos2d::RepeatForever::create(once));
    else
      image->runAction(once);
  };
  blink(m_pLit, true);     // hidden, then shown
  blink(m_pUnlit, false);  // shown, then hidden
}

// ---------------------------------------------------------------- big-award board

DDZSmallGameBigAwardBoard* DDZSmallGameBigAwardBoard::create() {
  auto* board = new DDZSmallGameBigAwardBoard();
  board->autorelease();
  return board;
}

DDZSmallGameBigAwardBoard::DDZSmallGameBigAwardBoard() {
  SetImages("DDZ_SmallGameBonusKD2.png", "DDZ_SmallGameBonusKD1.png");
  m_bReady = true;
  for (int i = 1; i <= 2; ++i) {
    m_vcAniList.push_back(Numbered("DDZ_SmallGameBonusKD%d.png", i));
    m_vcChaseList.push_back(Numbered("DDZ_SmallGameBonusKD%d.png", i));
  }
  const float boardTop = m_pUnlit != nullptr ? m_pUnlit->getContentSize().height / 2 : 0;
  for (auto [light, frame] : {std::pair{&m_pLight1, kLight1}, std::pair{&m_pLight0, kLight0}}) {
    *light = cocos2d::Sprite::createWithSpriteFrameName(frame);
    if (*light == nullptr) continue;
    (*light)->setPositionY(boardTop + (*light)->getContentSize().height / 2);
    addChild(*light, -1);
  }
  m_pLightAni = cocos2d::Sprite::create();
  if (m_pLight0 != nullptr) m_pLightAni->setPosition(m_pLight0->getPosition());
  addChild(m_pLightAni, 1);
}

void DDZSmallGameBigAwardBoard::SetLightOn(bool on) {
  DDZSmallGameLEDBoard::SetLightOn(on);
  if (m_bReady) m_pLightAni->setVisible(false);
}

void DDZSmallGameBigAwardBoard::PlayAnimation(bool loop) {
  if (!m_bReady) return;
  DDZSmallGameLEDBoard::PlayAnimation(loop);
  std::vector<cocos2d::SpriteFrame*> frames;
  for (const char* name : {kLight0, kLight1}) {
    if (cocos2d::SpriteFrame* f = Frames()->getSpriteFrameByName(name)) frames.push_back(f);
  }
  RunFrames(m_pLightAni, frames, loop);
}

void DDZSmallGameBigAwardBoard::ShowResultEffect(float delay) {
  if (!m_bReady) return;
  DDZSmallGameLEDBoard::ShowResultEffect(delay);
  delay = std::clamp(delay, 0.0f, kAttractLitUntil);
  const auto lights = [delay](cocos2d::Sprite* light, bool lit) {
    if (light == nullptr) return;
    cocos2d::Vector<FiniteTimeAction*> steps;
    steps.pushBack(Visibility(lit));
    steps.pushBack(DelayTime::create(delay + kFrameSeconds));
    for (int i = 0; i < 3; ++i) {
      steps.pushBack(Visibility(!lit));
      steps.pushBack(DelayTime::create(kFrameSeconds));
      steps.pushBack(Visibility(lit));
      steps.pushBack(DelayTime::create(kFrameSeconds));
    }
    steps.pushBack(Visibility(!lit));
    steps.pushBack(DelayTime::create(kFrameSeconds));
    steps.pushBack(Visibility(lit));
    steps.pushBack(DelayTime::create(kLightShownSeconds));
    light->runAction(cocos2d::RepeatForever::create(Sequence::create(steps)));
  };
  lights(m_pLight0, true);
  lights(m_pLight1, false);
}
