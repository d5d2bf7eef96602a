// The two bomb animations of CardTypeAnis.h: the bomb that flies across the
// table and the bomb or rocket thrown at a seat.
#include <cstdio>
#include <string>

#include "gamedata/LayoutConfig.h"
#include "platform/engine/Action.h"
#include "platform/engine/Log.h"
#include "platform/engine/SpecialNodes.h"
#include "table/DDZGameView.h"
#include "widgets/CardTypeAnis.h"

using cocos2d::Animate;
using cocos2d::Animation;
using cocos2d::BlendFunc;
using cocos2d::CallFunc;
using cocos2d::Color4F;
using cocos2d::DelayTime;
using cocos2d::FadeOut;
using cocos2d::FiniteTimeAction;
using cocos2d::Hide;
using cocos2d::MoveTo;
using cocos2d::ParticleSystemQuad;
using cocos2d::RemoveSelf;
using cocos2d::ScaleTo;
using cocos2d::Sequence;
using cocos2d::Show;
using cocos2d::Spawn;
using cocos2d::Sprite;
using cocos2d::Vec2;

namespace {

// The explosion's eight frames, from a printf pattern over 1..8.
Animation* ExplosionFrames(const char* format, float delay) {
  Animation* animation = Animation::create();
  for (int i = 1; i <= 8; ++i) {
    char name[64];
    std::snprintf(name, sizeof name, format, i);
    animation->addSpriteFrameWithName(name);
  }
  animation->setDelayPerUnit(delay);
  return animation;
}

// Sprite from a frame, hidden, scaled and placed; null (logged) when the
// frame is not loaded.
Sprite* HiddenSprite(const char* frame, float sx, float sy, Vec2 pos) {
  Sprite* sprite = Sprite::createWithSpriteFrameName(frame);
  if (sprite == nullptr) {
    cocos2d::log("bomb animation: frame %s is not loaded", frame);
    return nullptr;
  }
  sprite->setVisible(false);
  sprite->setScale(sx, sy);
  sprite->setPosition(pos);
  return sprite;
}

constexpr float kDegreesPerRadian = 180.0f / 3.1415925f;
constexpr float kArrivePause = 0.03f;

}  // namespace

// ---------------------------------------------------------------- super bomb

void cjddz_AniSuperFallBomb::onEnter() {
  AniBase::onEnter();
  AddPlist(kSheet);
  AddPlist(kExplosionSheet);
  ddz::PlayEffectSound(ddz::kSoundSuperBomb);
}

void cjddz_AniSuperFallBomb::CallBackAniStart() {
  if (m_pBomb != nullptr) return;
  m_pBomb = Sprite::createWithSpriteFrameName("cjddz_chaojizhadan.png");
  if (m_pBomb == nullptr) {
    cocos2d::log("cjddz_AniSuperFallBomb: frame cjddz_chaojizhadan.png is not loaded");
    m_bAniEnd = true;
    return;
  }
  const float halfHeight = m_pBomb->getContentSize().height / 2;
  m_ptStart.y += halfHeight;
  m_ptEnd.y += halfHeight;
  const float t = FlightSeconds(m_ptStart, m_ptEnd);
  const float burst = t + kArrivePause;

  m_pBomb->setPosition(m_ptStart);
  m_pBomb->setRotation(-(m_ptEnd - m_ptStart).getAngle() * kDegreesPerRadian - 90);
  addChild(m_pBomb, 0, kBombTag);
  m_pBomb->runAction(Sequence::create(MoveTo::create(t, m_ptEnd), DelayTime::create(kArrivePause),
                                      ScaleTo::create(0, 1.3f), CallFunc::create([this] { OnArrive(); }),
                                      Hide::create(), CallFunc::create([this] { ClearEffects(); }),
                                      RemoveSelf::create()));
  m_pBomb = nullptr;  // the bomb removes itself; find it by its tag

  // The explosion ends the animation; without its frame the animation still
  // ends when the explosion would have.
  Animation* frames = ExplosionFrames("cjddz_eff_zhadan_100%02d.png", 1.0f / 15);
  FiniteTimeAction* finish = CallFunc::create([this] { m_bAniEnd = true; });
  if (Sprite* explosion = HiddenSprite("cjddz_eff_zhadan_10001.png", 1.4f, 1.4f, m_ptEnd)) {
    addChild(explosion);
    explosion->runAction(Sequence::create(DelayTime::create(burst), Show::create(), Animate::create(frames), finish));
  } else {
    runAction(Sequence::create(DelayTime::create(burst + 8.0f / 15), finish));
  }

  FireStage();

  if (Sprite* flash = HiddenSprite("cjddz_effect_38-1.png", 1.5f, 1.5f, m_ptEnd + Vec2(10, -105))) {
    addChild(flash, -1);
    flash->runAction(Sequence::create(DelayTime::create(burst + 1.0f / 30), Show::create(),
                                      DelayTime::create(0.2333f), FadeOut::create(0.3f)));
  }
  if (Sprite* light = HiddenSprite("cjddz_eff_boom_light.png", 1.83f, 1.83f, m_ptEnd + Vec2(5, -52.5f))) {
    addChild(light);
    light->runAction(Sequence::create(DelayTime::create(burst + 1.0f / 30), Show::create(),
                                      Spawn::create(ScaleTo::create(0.3f, 3.78f), FadeOut::create(0.3f))));
  }
  struct Glow {
    Vec2 scale, offset, scaleTo;
  };
  const Glow glows[] = {{{2.9f, 0.84f}, {10, -105}, {5.99f, 1.73f}}, {{1.3f, 0.455f}, {10, -85}, {4.5f, 1.575f}}};
  for (const Glow& g : glows) {
    Sprite* glow = HiddenSprite("cjddz_eff_boom_glow.png", g.scale.x, g.scale.y, m_ptEnd + g.offset);
    if (glow == nullptr) continue;
    glow->setBlendFunc(BlendFunc{cocos2d::GL_ONE, cocos2d::GL_ONE});
    addChild(glow, -1);
    glow->runAction(Sequence::create(
        DelayTime::create(burst), Show::create(),
        Spawn::create(ScaleTo::create(1.0f / 3, g.scaleTo.x, g.scaleTo.y), FadeOut::create(1.0f / 3))));
  }
}

void cjddz_AniSuperFallBomb::OnArrive() {
  if (m_pView != nullptr && m_pView->isRunning()) m_pView->ShakeScreen();
}

void cjddz_AniSuperFallBomb::FireStage() {
  cocos2d::Node* bomb = getChildByTag(kBombTag);
  if (bomb == nullptr) return;
  struct Trail {
    int tag;
    int particles;
    const char* texture;
    float life;
    Color4F start, end;
    bool additive;
  };
  const Trail trails[] = {
      {kFireTag, 3000, "cjddz_eff_fire.png", 0.07f, {0.75f, 0.25f, 0.12f, 0.5f}, {0.75f, 0.25f, 0.12f, 0}, true},
      {kSmokeTag, 500, "cjddz_eff_yanhuo.png", 0.07f, {0.75f, 0.25f, 0.12f, 0.5f}, {1, 0.15f, 0, 1}, false},
      {kThickSmokeTag, 1500, "cjddz_eff_yanhuo.png", 0.09f, {0.8f, 0.2f, 0.12f, 0.5f}, {0.7f, 0.07f, 0.03f, 0.9f},
       false},
  };
  for (const Trail& trail : trails) {
    ParticleSystemQuad* system = ParticleSystemQuad::createWithTotalParticles(trail.particles);
    system->setTexture(cocos2d::TextureCache::getInstance()->addImage(trail.texture));
    system->setLife(trail.life);
    system->setLifeVar(0.02f);
    system->setStartColor(trail.start);
    system->setEndColor(trail.end);
    system->setDuration(-1);  // for as long as the bomb flies
    if (trail.additive) {
      system->setBlendFunc(BlendFunc{cocos2d::GL_SRC_ALPHA, cocos2d::GL_ONE});
      system->setEmissionRate(trail.particles / 0.5f);
    } else {
      system->setAngleVar(360);
      system->setEmissionRate(trail.particles / 1.0f);
    }
    system->setPosition(Vec2(75, 195));
    bomb->addChild(system, 0, trail.tag);
  }
}

void cjddz_AniSuperFallBomb::ClearEffects() {
  cocos2d::Node* bomb = getChildByTag(kBombTag);
  if (bomb == nullptr) return;
  for (int tag : {kFireTag, kSmokeTag, kThickSmokeTag}) bomb->removeChildByTag(tag);
}

// ---------------------------------------------------------------- at a seat

void Ddz_PlayerEffect::onEnter() {
  AniBase::onEnter();
  if (m_pBomb != nullptr || m_bAniEnd) return;
  const bool seatsValid = m_iFromPos >= 0 && m_iFromPos < 3 && m_iToPos >= -1 && m_iToPos < 3;
  if (!seatsValid || (m_iType != 1 && m_iType != 2)) {
    cocos2d::log("Ddz_PlayerEffect: refused seats %d -> %d, type %d", m_iFromPos, m_iToPos, m_iType);
    m_bAniEnd = true;
    return;
  }
  AddPlist(kSheet);
  AddPlist(kExplosionSheet);
  const char* frame = (m_iType == 1) ? "ddzq_tx_zhadan.png" : "ddzq_tx_huojian.png";
  m_pBomb = Sprite::createWithSpriteFrameName(frame);
  if (m_pBomb == nullptr) {
    // Nothing flies, but the doubling still counts.
    cocos2d::log("Ddz_PlayerEffect: frame %s is not loaded", frame);
    OnExplosionEnd();
    return;
  }
  const int from = m_iFromPos;
  m_ptBezier[0] = g_ptHLBombStart[from];
  m_ptBezier[1] = g_ptHLBombStart[from];
  if (HasNoTarget()) {
    m_ptBezier[2] = g_ptHLBombEmpCtr2[from];
    m_ptBezier[3] = g_ptHLBombDest[kCentre];
  } else {
    // The seat after the thrower (counter-clockwise) is reached from below.
    const bool below = (from + 1) % 3 == m_iToPos;
    m_ptBezier[2] = below ? g_ptHLBombDownCtr2[m_iToPos] : g_ptHLBombUpCtr2[m_iToPos];
    m_ptBezier[3] = g_ptHLBombDest[m_iToPos];
  }
  m_pBomb->setPosition(m_ptBezier[0]);
  addChild(m_pBomb);

  cocos2d::ccBezierConfig path;
  path.controlPoint_1 = m_ptBezier[1];
  path.controlPoint_2 = m_ptBezier[2];
  path.endPosition = m_ptBezier[3];
  m_pBomb->runAction(Sequence::create(
      cocos2d::EaseIn::create(cocos2d::BezierTo::create(g_fBombDaleyBezier[from], path), 0.6f),
      CallFunc::create([this] { OnArrive(); }), RemoveSelf::create()));
  ddz::PlayEffectSound(ddz::kSoundPlayerEffect);
}

void Ddz_PlayerEffect::OnArrive() {
  m_pBomb = nullptr;  // removes itself after this step
  if (Sprite* explosion = Sprite::createWithSpriteFrameName("cjddz_eff_zhadan_10001.png")) {
    explosion->setPosition(m_ptBezier[3]);
    explosion->setScale(1.4f);
    addChild(explosion, 110);
    explosion->runAction(Sequence::create(Animate::create(ExplosionFrames("cjddz_eff_zhadan_1000%d.png", 0.1f)),
                                          CallFunc::create([this] { OnExplosionEnd(); })));
  } else {
    cocos2d::log("Ddz_PlayerEffect: frame cjddz_eff_zhadan_10001.png is not loaded");
    AddNextFrameToDo([this] { OnExplosionEnd(); });
  }
  if (m_pView != nullptr) m_pView->ShakeScreen();
}

void Ddz_PlayerEffect::OnExplosionEnd() {
  if (m_bAniEnd) return;
  m_bAniEnd = true;
  if (m_pView != nullptr) m_pView->ShowDoubleAni(HasNoTarget() ? -1 : m_iToPos, kDoubleFactor);
}
