#include "widgets/ResultAnis.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>

#include "gamedata/LayoutConfig.h"
#include "platform/engine/Action.h"
#include "platform/engine/Log.h"
#include "platform/engine/SpecialNodes.h"
#include "platform/gamebase/BasePT.h"
#include "platform/os/Clock.h"
#include "platform/os/Random.h"
#include "table/DDZGameView.h"
#include "widgets/CardTypeAnis.h"

using cocos2d::BlendFunc;
using cocos2d::CallFunc;
using cocos2d::CallFuncN;
using cocos2d::DelayTime;
using cocos2d::FadeIn;
using cocos2d::FadeOut;
using cocos2d::FadeTo;
using cocos2d::Hide;
using cocos2d::MoveBy;
using cocos2d::MoveTo;
using cocos2d::Node;
using cocos2d::Place;
using cocos2d::RepeatForever;
using cocos2d::RotateBy;
using cocos2d::ScaleTo;
using cocos2d::Sequence;
using cocos2d::Show;
using cocos2d::Spawn;
using cocos2d::Sprite;
using cocos2d::Vec2;
using cocos2d::Vec3;

namespace {

constexpr float kSweepDelay = 1.5417f;

// A sprite from a loaded frame added to `parent`; null (logged) when the
// frame is not loaded.
Sprite* AddPart(Node* parent, const char* frame, Vec2 pos, int z) {
  Sprite* sprite = Sprite::createWithSpriteFrameName(frame);
  if (sprite == nullptr) {
    cocos2d::log("animation part %s is not loaded", frame);
    return nullptr;
  }
  sprite->setPosition(pos);
  parent->addChild(sprite, z);
  return sprite;
}

// The spring's pop-in: at once to `from`, wait, show, overshoot to `peak`,
// dip to 0.95 and settle at `to`.
struct PopIn {
  float from, delay, peak, peakSeconds, to;
};
constexpr PopIn kPopFlower0{0.3f, 0.58f, 1.05f, 0.167f, 1.05f};
constexpr PopIn kPopFlower1{0.5f, 0.67f, 1.1f, 0.125f, 1.0f};
constexpr PopIn kPopFlower2{0.5f, 0.54f, 1.1f, 0.125f, 1.0f};
constexpr PopIn kPopFlower3{0.3f, 0.33f, 1.1f, 0.125f, 1.0f};

void RunPopIn(Node* node, const PopIn& pop) {
  node->setVisible(false);
  node->runAction(Sequence::create(ScaleTo::create(0, pop.from), DelayTime::create(pop.delay), Show::create(),
                                   ScaleTo::create(pop.peakSeconds, pop.peak), ScaleTo::create(0.083f, 0.95f),
                                   ScaleTo::create(0.083f, pop.to)));
}

}  // namespace

// ---------------------------------------------------------------- AniSpring

AniSpring::AniSpring(int kind) : m_iSpringType(kind) {
  ddz::os::Srand(static_cast<std::uint32_t>(ddz::os::Clock().WallTimeSeconds()));
}

const char* AniSpring::TitleFrame(int kind) {
  return kind == 1 ? "qorvddz_ani_spring_unspring.png" : "qorvddz_ani_spring_spring.png";
}

const char* AniSpring::SweepStencilFrame(int kind) {
  return kind == 1 ? "qorvddz_ani_spring_spring_unsaoguang.png" : "qorvddz_ani_spring_spring_saoguang.png";
}

void AniSpring::onEnter() {
  AniBase::onEnter();
  if (m_pVine != nullptr) return;  // entered before
  AddPlist(kSheet);
  m_pVine = AddPart(this, "qorvddz_ani_spring_tengman.png", g_ptSpring, 0);
  if (m_pVine == nullptr) return;  // UpdateFrame ends the animation
  Node* vine = m_pVine;

  m_pButterfly = AddPart(vine, "qorvddz_ani_spring_butterfly_0.png", {100, 300}, 1);
  if (m_pButterfly != nullptr) {
    m_pButterfly->setOpacity(0);
    m_pButterfly->runAction(Sequence::create(DelayTime::create(0.625f), FadeIn::create(0.5f)));
  }
  AddPart(vine, "qorvddz_ani_spring_caihong.png", {250, 284}, 0);
  m_pBigStar = AddPart(vine, "qorvddz_ani_spring_big_star.png", {208, 292}, 1);
  if (m_pBigStar != nullptr) m_pBigStar->setScale(2);
  m_pSmallStar = AddPart(vine, "qorvddz_ani_spring_small_star.png", {388, 32}, 1);
  if (m_pSmallStar != nullptr) m_pSmallStar->setScale(3);
  AddPart(vine, "qorvddz_ani_spring_big_leaves.png", {166, 34}, 1);
  AddPart(vine, "qorvddz_ani_spring_small_leaves.png", {244, 24}, 1);

  const Vec2 flowerAt[4] = {{412, 236}, {446, 190}, {220, 48}, {112, 74}};
  const PopIn flowerPop[4] = {kPopFlower0, kPopFlower1, kPopFlower2, kPopFlower3};
  for (int i = 0; i < 4; ++i) {
    char frame[48];
    std::snprintf(frame, sizeof frame, "qorvddz_ani_spring_flower_%d.png", i);
    m_pFlower[i] = AddPart(vine, frame, flowerAt[i], 1);
    if (m_pFlower[i] != nullptr) RunPopIn(m_pFlower[i], flowerPop[i]);
  }

  Node* sparks = Node::create();
  sparks->setPosition(Vec2(90, 300));
  vine->addChild(sparks, 0);
  BuildSparks(sparks);

  // Two butterflies of two mirrored halves each, flapping about the vertical axis.
  for (int i = 0; i < 4; ++i) {
    const bool firstPair = i < 2;
    Sprite* half = AddPart(vine, "qorvddz_ani_spring_half_butterfly.png",
                           firstPair ? Vec2(364, 278) : Vec2(64, 96), 2);
    if (half == nullptr) continue;
    const bool even = i % 2 == 0;
    half->setAnchorPoint(even ? Vec2(0, 0.5f) : Vec2(1, 0.5f));
    half->setFlippedX(!even);
    half->setRotation(firstPair ? -30.0f : -20.0f);
    RunPopIn(half, firstPair ? kPopFlower3 : kPopFlower0);
    const float flap = even ? 20.0f : -20.0f;
    half->runAction(RepeatForever::create(Sequence::create(RotateBy::create(0.4f, Vec3(0, flap, 0)),
                                                           RotateBy::create(0.4f, Vec3(0, -flap, 0)))));
  }

  AddPart(vine, TitleFrame(m_iSpringType), {250, 158}, 10);

  if (Sprite* stencil = Sprite::createWithSpriteFrameName(SweepStencilFrame(m_iSpringType))) {
    cocos2d::ClippingNode* window = cocos2d::ClippingNode::create(stencil);
    window->setAlphaThreshold(0.1f);
    window->setPosition(Vec2(250, 144));
    window->setVisible(false);
    vine->addChild(window, 11);
    window->runAction(Sequence::create(DelayTime::create(kSweepDelay), Show::create()));
    if (Sprite* sweep = AddPart(window, "qorvddz_effect_saoguang.png", {30, 160}, 0)) {
      sweep->setBlendFunc(BlendFunc{cocos2d::GL_SRC_ALPHA, cocos2d::GL_ONE});
      sweep->setVisible(false);
      sweep->setRotation(20);
      sweep->runAction(Sequence::create(DelayTime::create(kSweepDelay), Place::create(Vec2(-250, 0)), Show::create(),
                                        MoveBy::create(0.75f, Vec2(400, 0)), Hide::create()));
    }
  } else {
    cocos2d::log("animation part %s is not loaded", SweepStencilFrame(m_iSpringType));
  }

  vine->setScale(0.1f);
  scheduleUpdate();
  ddz::PlayEffectSound(ddz::kSoundSpring);
}

void AniSpring::onExit() {
  AniBase::onExit();
  m_fTime = 0;
  m_fLastTime = 0;
}

void AniSpring::BuildSparks(Node* layer) {
  if (m_vcSparkPoints.empty()) {
    for (int col = 0; col < 10; ++col) {
      for (int row = 0; row < 6; ++row) {
        const bool inBand = col + row >= 6 && col + row <= 12 && col >= row - 1 && col <= row + 6;
        if (inBand) m_vcSparkPoints.emplace_back(10.0f * col - 86, 10.0f * row - 20);
      }
    }
  }
  for (int i = 0; i < kSparks; ++i) {
    Sprite* spark = Sprite::createWithSpriteFrameName("vellddz_ani_spring_lizi.png");
    if (spark == nullptr) {
      cocos2d::log("animation part vellddz_ani_spring_lizi.png is not loaded");
      return;
    }
    layer->addChild(spark);
    RunSpark(spark);
  }
}

// One life of a spark: from a random point of the band it fades in, drifts
// up and left and fades out, then starts again.
void AniSpring::RunSpark(Node* spark) {
  const int point = ddz::os::Rand() % static_cast<int>(m_vcSparkPoints.size());
  const float delay = (ddz::os::Rand() % 2 == 1) ? 1.0f : 0.0f;
  const float angle = static_cast<float>(ddz::os::Rand() % 30 + 120) * 3.1415925f / 180;
  const float scale = static_cast<float>(ddz::os::Rand() % 20 + 90) / 100;
  spark->setPosition(m_vcSparkPoints[point]);
  spark->setOpacity(0);
  spark->setScale(scale);
  spark->runAction(Sequence::create(
      DelayTime::create(delay),
      Spawn::create(Sequence::create(FadeIn::create(0.5f), DelayTime::create(1.0f), FadeOut::create(0.5f)),
                    MoveBy::create(2.0f, Vec2(10 * std::cos(angle), 10 * std::sin(angle)))),
      CallFuncN::create([this](Node* node) { RunSpark(node); })));
}

void AniSpring::NextStage() {
  ++m_iStage;
  m_bStageReady = true;
}

void AniSpring::update(float dt) {
  if (!m_bStageReady) return;
  m_fTime += dt;
  if (m_fTime - m_fLastTime < kButterflyFrameSeconds) return;
  ++m_iButterflyFrame;
  m_fLastTime = m_fTime;
  if (m_iButterflyFrame % 2 == 1 && m_pButterfly != nullptr) {
    char frame[48];
    std::snprintf(frame, sizeof frame, "qorvddz_ani_spring_butterfly_%d.png", (m_iButterflyFrame / 2) % 10);
    m_pButterfly->setSpriteFrame(frame);
  }
}

bool AniSpring::UpdateFrame(float) {
  if (m_pVine == nullptr) return true;  // nothing was built
  if (!m_bStageReady) return false;
  m_bStageReady = false;
  auto next = [this] { return CallFunc::create([this] { NextStage(); }); };
  switch (m_iStage) {
    case 0:  // grow in
      m_pVine->runAction(Sequence::create(ScaleTo::create(0, 0.24f), ScaleTo::create(0.25f, 1.1f),
                                          ScaleTo::create(0.25f, 1.0f), ScaleTo::create(0.05f, 1.05f), next()));
      return false;
    case 1:  // the stars pulse while the banner stands
      if (m_pBigStar != nullptr)
        m_pBigStar->runAction(RepeatForever::create(
            Sequence::create(ScaleTo::create(0.5f, 3.0f), ScaleTo::create(0.5f, 2.0f))));
      if (m_pSmallStar != nullptr)
        m_pSmallStar->runAction(RepeatForever::create(
            Sequence::create(ScaleTo::create(0.5f, 4.0f), ScaleTo::create(0.5f, 3.0f))));
      runAction(Sequence::create(DelayTime::create(2.8333f), next()));
      return false;
    case 2:  // shrink away
      m_pVine->runAction(Sequence::create(ScaleTo::create(0.125f, 1.3f),
                                          Spawn::create(ScaleTo::create(0.25f, 0), FadeOut::create(0.25f)), next()));
      unscheduleUpdate();
      return false;
    default:
      return true;
  }
}

// ---------------------------------------------------------------- AniResultEmpty

AniResultEmpty::AniResultEmpty(DDZGameView* view, const char* msg, int len, std::int64_t now)
    : m_tStart(now), m_pView(view) {
  if (msg != nullptr && len > 0) {
    m_iResultLen = std::min(len, kResultBytes);
    std::memcpy(m_szResult, msg, static_cast<std::size_t>(m_iResultLen));
  }
}

void AniResultEmpty::onEnter() {
  AniBase::onEnter();
  m_iFrame = 0;
  // Started in a later second than it was made: it already waited.
  if (ddz::os::Clock().WallTimeSeconds() > m_tStart) m_iFrame = kFrames;
}

bool AniResultEmpty::UpdateFrame(float) {
  ++m_iFrame;
  return m_iFrame >= kFrames;
}

void AniResultEmpty::CallBackAniEnd() {
  if (m_pView != nullptr) m_pView->ShowRoundResult(m_szResult, m_iResultLen);
}

// ---------------------------------------------------------------- AniYBDouble

AniYBDouble::AniYBDouble(DDZGameView* view, const int (&taskNum)[kTaskValues]) : m_pView(view) {
  std::copy(std::begin(taskNum), std::end(taskNum), m_iTaskNum);
}

void AniYBDouble::onEnter() {
  AniBase::onEnter();
  if (getChildrenCount() > 0 || m_bAniEnd) return;  // entered before
  AddPlist(kSheet);
  const Vec2 centre(BasePT::g_iWindowWidth / 2, BasePT::g_iWindowHeight / 2 + 60);
  auto popIn = [](Sprite* s, float fromScale, float toScale) {
    s->setScale(fromScale);
    s->setOpacity(0);
    s->setVisible(false);
    return Spawn::create(ScaleTo::create(0.1667f, toScale), FadeTo::create(0.1667f, 255));
  };
  if (Sprite* halo = AddPart(this, "qorvddz_ani_ybdouble_guangyun.png", centre, 1)) {
    halo->runAction(Sequence::create(Show::create(), popIn(halo, 3, 2.5f), DelayTime::create(1.6667f),
                                     Spawn::create(ScaleTo::create(0.2917f, 2.5f), FadeTo::create(0.2917f, 0)),
                                     Hide::create()));
  }
  if (Sprite* light = AddPart(this, "qorvddz_ani_ybdouble_light.png", centre, 0)) {
    light->runAction(RotateBy::create(2.1667f, 143));
    light->runAction(Sequence::create(Show::create(), popIn(light, 0.49f, 0.8f), DelayTime::create(1.6667f),
                                      Spawn::create(ScaleTo::create(0.2917f, 1), FadeTo::create(0.2917f, 0)),
                                      Hide::create()));
  }
  Sprite* icon = AddPart(this, "qorvddz_ani_ybdouble_icon.png", centre, 2);
  if (icon == nullptr) {
    AddNextFrameToDo([this] { OnIconEnd(); });  // the numbers still change
    return;
  }
  icon->runAction(Sequence::create(
      Show::create(), popIn(icon, 0.5f, 1.2f), ScaleTo::create(0.1667f, 1), DelayTime::create(1.5f),
      MoveBy::create(0.2083f, Vec2(17, 10)),
      Spawn::create(MoveTo::create(0.625f, Vec2(1180, BasePT::g_iWindowHeight - 66)), ScaleTo::create(0.625f, 0.49f)),
      Spawn::create(ScaleTo::create(0.2917f, 0.42f), FadeTo::create(0.2917f, 0)), Hide::create(),
      CallFunc::create([this] { OnIconEnd(); })));
}

void AniYBDouble::OnIconEnd() {
  if (m_bAniEnd) return;
  if (m_pView != nullptr) m_pView->UpdateTaskNum(m_iTaskNum);
  m_bAniEnd = true;
}

// ---------------------------------------------------------------- AniTaskCompete

void AniTaskCompete::onEnter() {
  AniBase::onEnter();
  if (m_bStarted) return;
  m_bStarted = true;
  // The cap is a loose image of the task panel.
  Sprite* cap = Sprite::create(kCapImage);
  if (cap == nullptr) {
    cocos2d::log("AniTaskCompete: image %s is not found", kCapImage);
    AddNextFrameToDo([this] { OnCapEnd(); });
    return;
  }
  cap->setPosition(g_ptTaskBg + Vec2(0, BasePT::g_iWindowHeight + 10));
  cap->setScale(3);
  addChild(cap, 10);
  cap->runAction(Sequence::create(ScaleTo::create(0.35f, 2), ScaleTo::create(0.25f, 1), DelayTime::create(0.4f),
                                  CallFunc::create([this] { OnCapEnd(); })));
}

void AniTaskCompete::OnCapEnd() {
  if (m_bAniEnd) return;
  if (m_pView != nullptr) m_pView->ShowTaskCompete();
  m_bAniEnd = true;
}
