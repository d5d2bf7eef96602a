#include "variants/DDZSmallGameCard.h"

#include <cstdio>

#include "gamedata/DDZSmallGameUIPos.h"
#include "platform/engine/cocos2d.h"
#include "platform/framework/YndRemoveChildManage.h"
#include "platform/os/Random.h"
#include "variants/DDZSmallGameHelpLayer.h"
#include "variants/DDZSmallGameOwner.h"
#include "variants/DDZSmallGameSound.h"

namespace {

using cocos2d::Vec2;

constexpr int kSuits = 4;
constexpr int kRankTwo = 2, kRankJack = 11, kRankQueen = 12, kRankKing = 13, kRankSmallJoker = 14,
              kRankBigJoker = 15;

std::vector<int> g_vcJQPool;
std::vector<int> g_vcTwoPool;
bool g_bPoolsFilled = false;

// What a rank shows: the face, the extra image (a printf format of the suit
// when it is the big suit), the label and whether the suit and number are drawn.
struct RankLook {
  int rank;
  const char* face;
  const char* extra;
  const char* label;
  bool suitAndNumber;
};
constexpr RankLook kLooks[] = {
    {kRankTwo, "new_card_bg.png", "new_card_type_%d.png", "DDZ_SmallGameLabel2.png", true},
    {kRankJack, "new_card_bg.png", "new_card_type_10.png", "DDZ_SmallGameLabel3.png", true},
    {kRankQueen, "new_card_bg.png", "new_card_type_11.png", "DDZ_SmallGameLabel3.png", true},
    {kRankKing, "new_card_bg.png", "new_card_type_12.png", "DDZ_SmallGameLabel3.png", true},
    {kRankSmallJoker, "card13.png", nullptr, "DDZ_SmallGameLabel1.png", false},
    {kRankBigJoker, "card14.png", nullptr, "DDZ_SmallGameLabel0.png", false},
};
constexpr RankLook kBlankLook = {0, "DDZ_SmallGameCardSkelton.png", nullptr, nullptr, false};

const RankLook& LookOf(int rank) {
  for (const RankLook& look : kLooks)
    if (look.rank == rank) return look;
  return kBlankLook;
}

}  // namespace

void ResetSmallGameCardPool() {
  g_vcJQPool.clear();
  g_vcTwoPool.clear();
  for (int rank : {kRankJack, kRankQueen})
    for (int suit = 0; suit < kSuits; ++suit) g_vcJQPool.push_back(SmallGameFaceValue(rank, suit));
  for (int suit = 0; suit < kSuits; ++suit) g_vcTwoPool.push_back(SmallGameFaceValue(kRankTwo, suit));
  g_bPoolsFilled = true;
}

const std::vector<int>& SmallGameJQPool() { return g_vcJQPool; }
const std::vector<int>& SmallGameTwoPool() { return g_vcTwoPool; }

DDZSmallGameCard* DDZSmallGameCard::create(int kind, DDZSmallGameOwner* owner) {
  auto* card = new DDZSmallGameCard(kind, owner);
  card->autorelease();
  return card;
}

DDZSmallGameCard::DDZSmallGameCard(int kind, DDZSmallGameOwner* owner) : m_pOwner(owner), m_iKind(kind) {
  init();
  // No window-sized content: the card turns and scales about its own centre, its origin.
  setContentSize(cocos2d::Size());
  if (!g_bPoolsFilled) ResetSmallGameCardPool();
}

void DDZSmallGameCard::onEnter() {
  cocos2d::Layer::onEnter();
  if (m_pFaceNode != nullptr) return;  // drawn on the first entry
  m_pFaceNode = cocos2d::Node::create();
  addChild(m_pFaceNode);
  SetCardKind(m_iKind);
  m_pBack = cocos2d::Sprite::createWithSpriteFrameName(kBackFrame);
  if (m_pBack != nullptr) {
    m_pBack->setVisible(false);
    addChild(m_pBack, 2);
  }
  m_pShadow = AddToFace(kShadowFrame, 3);
  if (m_pShadow != nullptr) m_pShadow->setVisible(false);
}

int DDZSmallGameCard::TakeFrom(std::vector<int>& pool) {
  if (pool.empty()) return -1;
  const int at = ddz::os::Rand() % static_cast<int>(pool.size());
  const int value = pool[static_cast<std::size_t>(at)];
  pool.erase(pool.begin() + at);
  return value;
}

cocos2d::Sprite* DDZSmallGameCard::AddToFace(const char* frame, int z) {
  cocos2d::Sprite* sprite = cocos2d::Sprite::createWithSpriteFrameName(frame);
  if (sprite != nullptr) m_pFaceNode->addChild(sprite, z);
  return sprite;
}

void DDZSmallGameCard::SetCardKind(int kind) {
  if (m_pFaceNode == nullptr) {  // not on the stage yet: drawn in onEnter
    m_iKind = kind;
    return;
  }
  m_iKind = kind;
  m_pFaceNode->stopAllActions();
  // The shadow stays: it belongs to the card, not to one face.
  if (m_pShadow != nullptr) m_pShadow->retain();
  m_pFaceNode->removeAllChildren();
  if (m_pShadow != nullptr) {
    m_pFaceNode->addChild(m_pShadow, 3);
    m_pShadow->release();
  }
  m_bPicked = false;
  m_bEnabled = false;
  m_iFaceValue = 0;
  int value = -1;
  switch (kind) {
    case kFace:
    case kTwo:
      value = TakeFrom(kind == kFace ? g_vcJQPool : g_vcTwoPool);
      if (value < 0) {
        m_iKind = kBlank;
        DrawFace(0, 0);
        cocos2d::Sprite* mark = cocos2d::Sprite::createWithSpriteFrameName(kEmptyPoolMark);
        if (mark != nullptr) addChild(mark, 100);
        return;
      }
      m_iFaceValue = value;
      DrawFace(value & 0xFF, value >> 8);
      return;
    case kSmallJoker:
      DrawFace(kRankSmallJoker, 0);
      return;
    case kBigJoker:
      DrawFace(kRankBigJoker, 0);
      return;
    default:
      m_iKind = kBlank;
      DrawFace(0, 0);
      return;
  }
}

void DDZSmallGameCard::DrawFace(int rank, int suit) {
  if (m_pFaceNode == nullptr) return;
  const RankLook& look = LookOf(rank);
  m_pFace = AddToFace(look.face, -1);
  const cocos2d::Size size = m_pFace != nullptr ? m_pFace->getContentSize() : cocos2d::Size();
  const Vec2 lowerRight(size.width / 2, -size.height / 2), upperLeft(-size.width / 2, size.height / 2);
  if (look.suitAndNumber && (suit < 0 || suit >= kSuits)) suit = ddz::os::Rand() % kSuits;
  if (look.extra != nullptr) {
    char name[48];
    std::snprintf(name, sizeof name, look.extra, suit);
    if (cocos2d::Sprite* extra = AddToFace(name, 0)) {
      extra->setAnchorPoint(Vec2(1, 0));
      extra->setPosition(lowerRight + g_ptCardTypeBigOffsetPos);
    }
  }
  if (look.label != nullptr) {
    if (cocos2d::Sprite* label = AddToFace(look.label, 1)) {
      label->setScale(1.5f);
      label->setAnchorPoint(Vec2(1, 0));
      label->setPosition(lowerRight + g_ptCardTypeBigOffsetPos);
    }
  }
  if (!look.suitAndNumber) return;
  char name[48];
  std::snprintf(name, sizeof name, "new_card_type_%d.png", suit);
  if (cocos2d::Sprite* small = AddToFace(name, 0)) {
    small->setScale(g_fCardTypeSmallScale);
    small->setPosition(upperLeft + g_ptCardTypeSmallOffsetPos);
  }
  std::snprintf(name, sizeof name, "new_card_num_%d_%d.png", suit % 2, rank - 1);
  if (cocos2d::Sprite* number = AddToFace(name, 0)) number->setPosition(upperLeft + g_ptCardValueOffsetPos);
}

void DDZSmallGameCard::TurnOver(bool showShadow) {
  if (m_pFaceNode == nullptr || m_pBack == nullptr) return;
  using cocos2d::OrbitCamera;
  m_pFaceNode->stopAllActions();
  m_pBack->stopAllActions();
  const bool toFace = m_pBack->isVisible();
  cocos2d::Node* from = toFace ? static_cast<cocos2d::Node*>(m_pBack) : m_pFaceNode;
  cocos2d::Node* to = toFace ? m_pFaceNode : static_cast<cocos2d::Node*>(m_pBack);
  const float deltaRadius = toFace ? 0.5f : 0.0f;
  m_pBack->setVisible(toFace);
  m_pFaceNode->setVisible(!toFace);
  from->runAction(cocos2d::Sequence::create(
      OrbitCamera::create(kTurnSeconds, 10, deltaRadius, 0, -90, 0, 0), cocos2d::Hide::create(),
      cocos2d::CallFunc::create([to, deltaRadius] {
        to->runAction(cocos2d::Sequence::create(cocos2d::Show::create(),
                                                OrbitCamera::create(kTurnSeconds, 10, deltaRadius, 90, -90, 0, 0),
                                                nullptr));
      }),
      nullptr));
  if (toFace && m_pShadow != nullptr) m_pShadow->setVisible(showShadow);
}

void DDZSmallGameCard::ShowResult() {
  if (IsWinning())
    PlayWinEffect();
  else
    PlayFailEffect();
}

void DDZSmallGameCard::PlayAfter(float seconds, const char* sound) {
  runAction(cocos2d::Sequence::create(cocos2d::DelayTime::create(seconds),
                                      cocos2d::CallFunc::create([sound] { ddz::smallgame::PlaySound(sound); }),
                                      nullptr));
}

void DDZSmallGameCard::PlayWinEffect() {
  TurnOver(false);
  PlayAfter(0.4f, "ddz_sg_get_yb.mp3");
  for (int i = 0; i < kWinRings; ++i) {
    cocos2d::Sprite* ring = cocos2d::Sprite::createWithSpriteFrameName(kWinRingFrame);
    if (ring == nullptr) break;
    ring->setOpacity(128);
    ring->setScale(0.9f);
    addChild(ring);
    const float d = 0.5f + 0.15f * static_cast<float>(i);
    ring->runAction(cocos2d::Sequence::create(
        cocos2d::Hide::create(), cocos2d::DelayTime::create(d), cocos2d::Show::create(),
        cocos2d::FadeTo::create(0.2f, 255), cocos2d::FadeTo::create(0.2f, 0),
        cocos2d::CallFuncN::create([this](cocos2d::Node* n) {  // the ring goes
          YndRemoveChildManage::sharedRemoveChildManage()->RemoveChild(n, this);
        }),
        nullptr));
    ring->runAction(
        cocos2d::Sequence::create(cocos2d::DelayTime::create(d), cocos2d::ScaleTo::create(0.4f, 1.7f), nullptr));
  }
  runAction(cocos2d::Sequence::create(cocos2d::DelayTime::create(2), cocos2d::CallFunc::create([this] { OnEffectEnd(); }),
                                      nullptr));
}

void DDZSmallGameCard::PlayFailEffect() {
  TurnOver(false);
  PlayAfter(0.4f, "ddz_sg_killed.mp3");
  cocos2d::Sprite* failed = cocos2d::Sprite::createWithSpriteFrameName(kFailFrame);
  if (failed == nullptr) {
    runAction(cocos2d::Sequence::create(cocos2d::DelayTime::create(1), cocos2d::CallFunc::create([this] { OnEffectEnd(); }),
                                        nullptr));
    return;
  }
  failed->setVisible(false);
  addChild(failed, 10);
  failed->runAction(cocos2d::Sequence::create(cocos2d::DelayTime::create(0.5f), cocos2d::Show::create(),
                                              cocos2d::DelayTime::create(0.5f),
                                              cocos2d::CallFunc::create([this] { OnEffectEnd(); }), nullptr));
}

void DDZSmallGameCard::OnEffectEnd() {
  if (m_pOwner != nullptr) m_pOwner->ShowOtherCards();
}

void DDZSmallGameCard::onTouchesBegan(const std::vector<cocos2d::Touch*>& touches, cocos2d::Event*) {
  if (touches.empty() || m_pBack == nullptr) return;
  if (m_pOwner != nullptr && m_pOwner->GetHelpLayer() != nullptr && m_pOwner->GetHelpLayer()->IsRuleShown()) return;
  const float scale = cocos2d::Director::getInstance()->getContentScaleFactor();
  const Vec2 p = convertTouchToNodeSpace(touches.front()) / scale;
  const cocos2d::Size back = m_pBack->getContentSize();
  if (p.x < -back.width / 2 || p.x > back.width / 2 || p.y < -back.height / 2 || p.y > back.height / 2) return;
  m_bPicked = m_bEnabled;
  if (m_pOwner != nullptr) m_pOwner->OnCardPicked(this);
}
