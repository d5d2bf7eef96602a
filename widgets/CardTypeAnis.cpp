// The boats, the plane and the rocket; the bombs are in BombAnis.cpp.
#include "widgets/CardTypeAnis.h"

#include <cstdio>

#include "gamedata/LayoutConfig.h"
#include "platform/engine/Action.h"
#include "platform/engine/Log.h"
#include "platform/framework/SoundManage.h"
#include "platform/gamebase/BasePT.h"

using cocos2d::CallFunc;
using cocos2d::DelayTime;
using cocos2d::FadeOut;
using cocos2d::FadeTo;
using cocos2d::MoveBy;
using cocos2d::MoveTo;
using cocos2d::Sequence;
using cocos2d::Spawn;
using cocos2d::Sprite;
using cocos2d::Vec2;

namespace ddz {
void PlayEffectSound(int n) {
  char file[32];
  std::snprintf(file, sizeof file, "ddzSound/%d.mp3", n);
  SoundManage::shareSoundManage()->PlaySoundByFile(file);
}
}  // namespace ddz

namespace {
std::string FrameName(const char* format, int n) {
  char name[64];
  std::snprintf(name, sizeof name, format, n);
  return name;
}
}  // namespace

// ---------------------------------------------------------------- BoatSprite

BoatSprite* BoatSprite::create(bool bRight) {
  auto* boat = new BoatSprite(bRight);
  if (!boat->initWithSpriteFrameName(kFrame)) {
    delete boat;
    return nullptr;
  }
  boat->autorelease();
  return boat;
}

void BoatSprite::onEnter() {
  Sprite::onEnter();
  setCascadeOpacityEnabled(true);
  if (m_pQz != nullptr) return;  // entered before
  // Placement in the boat's own space; the left-going boat is mirrored.
  struct Decoration {
    Sprite** sprite;
    const char* frame;
    int z;
    Vec2 right, left;
    bool flippedRight;
  };
  const Decoration decorations[] = {
      {&m_pQz, "qorvddz_shunzi_qz_0.png", -1, {181, 251}, {67, 251}, true},
      {&m_pCf, "qorvddz_shunzi_cf_0.png", 1, {134, 114}, {118, 114}, false},
      {&m_pWater, "qorvddz_shunzi_water_0.png", -1, {238, 12}, {7, 11}, false},
  };
  setFlippedX(!m_bRight);
  for (const Decoration& d : decorations) {
    Sprite* part = Sprite::createWithSpriteFrameName(d.frame);
    if (part == nullptr) part = Sprite::create();  // keeps the frame ticks simple
    part->setPosition(m_bRight ? d.right : d.left);
    part->setFlippedX(m_bRight ? d.flippedRight : !d.flippedRight);
    addChild(part, d.z);
    *d.sprite = part;
  }
}

// ---------------------------------------------------------------- AniShunzi

void AniShunzi::onEnter() {
  AniBase::onEnter();
  if (m_pBoat[0] != nullptr || m_bAniEnd) return;  // entered before
  AddPlist(kSheet);
  const int boats = (m_iShunziType == 2) ? 2 : 1;
  // Straight: one boat at entry 0; pair straight: entry 1 (smaller, going
  // left) and entry 2 (going right).
  struct Run {
    int point;
    float scale;
    float dx;
  };
  const Run runs[2][2] = {{{0, 1.0f, -140}, {}}, {{1, 0.8f, -140}, {2, 1.0f, 187}}};
  int made = 0;
  for (int i = 0; i < boats; ++i) {
    BoatSprite* boat = BoatSprite::create(i == 0);
    if (boat == nullptr) {
      cocos2d::log("AniShunzi: frame %s is not loaded", BoatSprite::kFrame);
      continue;
    }
    const Run& run = runs[boats - 1][i];
    m_pBoat[i] = boat;
    addChild(boat);
    boat->setPosition(g_ptAniShunzi[run.point]);
    boat->setOpacity(128);
    boat->setScale(run.scale);
    boat->runAction(Sequence::create(
        Spawn::create(MoveBy::create(2.53f, Vec2(run.dx, 0)),
                      Sequence::create(FadeTo::create(0.54f, 255), DelayTime::create(1.36f), FadeOut::create(0.625f))),
        CallFunc::create([this] { OnBoatEnd(); })));
    ++made;
  }
  if (made == 0) {
    m_bAniEnd = true;
    return;
  }
  schedule([this](float) { OnFrameTick(); }, kFrameTick, "shunzi.tick");
  ddz::PlayEffectSound(ddz::kSoundShunzi);
}

void AniShunzi::OnFrameTick() {
  ++m_iFrame;
  for (BoatSprite* boat : m_pBoat) {
    if (boat == nullptr || boat->m_pQz == nullptr) continue;
    boat->m_pQz->setSpriteFrame(FrameName("qorvddz_shunzi_qz_%d.png", m_iFrame % 6));
    boat->m_pCf->setSpriteFrame(FrameName("qorvddz_shunzi_cf_%d.png", m_iFrame % 6));
    boat->m_pWater->setSpriteFrame(FrameName("qorvddz_shunzi_water_%d.png", m_iFrame % 14));
  }
}

// Both boats of a pair straight end here; the second call changes nothing.
void AniShunzi::OnBoatEnd() {
  unschedule("shunzi.tick");
  m_bAniEnd = true;
}

// ---------------------------------------------------------------- AniPlane

void AniPlane::onEnter() {
  AniBase::onEnter();
  if (m_pPlane != nullptr) return;
  AddPlist(kSheet);
  m_pPlane = Sprite::createWithSpriteFrameName("game_ani_plane.png");
  if (m_pPlane == nullptr) {
    cocos2d::log("AniPlane: frame game_ani_plane.png is not loaded");
    return;
  }
  const float width = m_pPlane->getContentSize().width;
  m_pPlane->setPosition(Vec2(BasePT::g_iWindowWidth + width / 2, BasePT::g_iWindowHeight / 2 + 100));
  addChild(m_pPlane);
  m_pShadow = Sprite::createWithSpriteFrameName("game_ani_plane.png");
  m_pShadow->setAnchorPoint(Vec2(0, 0));
  m_pShadow->setPosition(Vec2(-30, -70));
  m_pShadow->setColor(cocos2d::Color3B::WHITE);
  m_pShadow->setOpacity(102);
  m_pPlane->addChild(m_pShadow, -1);
  ddz::PlayEffectSound(ddz::kSoundPlane);
}

bool AniPlane::UpdateFrame(float dt) {
  if (m_pPlane == nullptr) return true;
  const float width = m_pPlane->getContentSize().width;
  const float step = (BasePT::g_iWindowWidth + width) * dt / kCrossSeconds;
  const float x = m_pPlane->getPositionX() - step;
  if (x <= -width / 2) return true;
  m_pPlane->setPosition(Vec2(x, m_pPlane->getPositionY()));
  return false;
}

// ---------------------------------------------------------------- AniRocket

void AniRocket::onEnter() {
  AniBase::onEnter();
  if (m_pRocket != nullptr || m_bAniEnd) return;
  AddPlist(kSheet);
  m_pRocket = Sprite::createWithSpriteFrameName("qorvddz_ani_rocket.png");
  if (m_pRocket == nullptr) {
    cocos2d::log("AniRocket: frame qorvddz_ani_rocket.png is not loaded");
    m_bAniEnd = true;
    return;
  }
  const float height = m_pRocket->getContentSize().height;
  const float x = BasePT::g_iWindowWidth / 2;
  m_pRocket->setPosition(Vec2(x, -height / 2));
  addChild(m_pRocket);
  m_pRocket->runAction(Sequence::create(MoveTo::create(kRiseSeconds, Vec2(x, BasePT::g_iWindowHeight + height / 2)),
                                        CallFunc::create([this] { OnRocketEnd(); })));
  m_pFire = Sprite::createWithSpriteFrameName("boom_fire_ani_0.png");
  if (m_pFire != nullptr) {
    m_pFire->setPosition(Vec2(94, -60));
    m_pRocket->addChild(m_pFire, -1);
  }
  m_iFrame = 0;
  schedule([this](float) { OnFireTick(); }, kFireTick, "rocket.fire");
  ddz::PlayEffectSound(ddz::kSoundRocket);
}

void AniRocket::OnFireTick() {
  if (m_pFire != nullptr) m_pFire->setSpriteFrame(FrameName("boom_fire_ani_%d.png", m_iFrame % 10));
  ++m_iFrame;
}

void AniRocket::OnRocketEnd() {
  unschedule("rocket.fire");
  AddNextFrameToDo([this] { m_bAniEnd = true; });
}
