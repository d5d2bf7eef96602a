#include "widgets/SetLayer.h"

#include <algorithm>
#include <cstdio>

#include "gamedata/LayoutConfig.h"
#include "platform/engine/Director.h"
#include "platform/engine/Log.h"
#include "platform/engine/SpecialNodes.h"
#include "platform/engine/Sprite.h"
#include "platform/engine/ui/Widgets.h"
#include "platform/framework/SoundManage.h"
#include "platform/framework/YndRemoveChildManage.h"
#include "platform/gamebase/BasePT.h"
#include "platform/gamebase/GameViewBase.h"
#include "table/GameSoundDDZ.h"
#include "widgets/SettingConf.h"

using cocos2d::Vec2;

namespace {

constexpr int kZSliderBar = 2;
constexpr int kZSliderKnob = 3;
constexpr const char* kCompeteRoomMusic = "ddzSound/ddzcompete_background_%d.mp3";

SetLayer* s_pSetLayer = nullptr;  // one reference held while the process runs
const ICompetitionStage* s_pCompetition = nullptr;
bool s_bSettingFileRead = false;

int HalfWidth() { return g_iGameSetVolumeWidth / 2; }
float Width() { return static_cast<float>(g_iGameSetVolumeWidth); }

float Clamp01(float v) { return v > 0.0f ? std::min(v, 1.0f) : 0.0f; }

}  // namespace

SetLayer::SetLayer() : YndGameLayer(nullptr) {}

SetLayer* SetLayer::shareSetLayer(int iOpenFrom, int iGameKind) {
  if (s_pSetLayer == nullptr) {
    s_pSetLayer = new SetLayer();  // the reference of new is the process's
  }
  s_pSetLayer->m_iOpenFrom = iOpenFrom;
  s_pSetLayer->m_iGameKind = iGameKind;
  s_pSetLayer->m_bModalFlag = iOpenFrom != kFromTable;
  return s_pSetLayer;
}

SetLayer* SetLayer::sharedIfAny() { return s_pSetLayer; }

void SetLayer::destroyInstance() {
  if (s_pSetLayer != nullptr) {
    if (s_pSetLayer->getParent() != nullptr) s_pSetLayer->removeFromParentAndCleanup(true);
    s_pSetLayer->release();
    s_pSetLayer = nullptr;
  }
  s_bSettingFileRead = false;
}

void SetLayer::SetCompetitionStage(const ICompetitionStage* stage) { s_pCompetition = stage; }

float SetLayer::SliderLow(int i) { return g_ptGameSetMusicVol[i].x - static_cast<float>(HalfWidth()); }
float SetLayer::SliderHigh(int i) { return g_ptGameSetMusicVol[i].x + static_cast<float>(HalfWidth()); }

// ---------------------------------------------------------------- building

void SetLayer::onEnter() {
  YndGameLayer::onEnter();
  AddPlist(kSheet);
  // Each showing builds the window again from the sound manager's values.
  removeAllChildren();
  m_pBg = nullptr;
  m_pBtnMusicOn = m_pBtnMusicOff = m_pBtnSoundOn = m_pBtnSoundOff = m_pBtnClose = nullptr;
  for (int i = 0; i < kSliders; ++i) m_pBarStencil[i] = m_pBarKnob[i] = nullptr;
  m_iDragIndex = -1;

  m_pBg = cocos2d::Sprite::createWithSpriteFrameName(kBgFrame);
  if (m_pBg == nullptr) {
    cocos2d::log("SetLayer: frame %s is missing", kBgFrame);
    m_pBg = cocos2d::Sprite::create();
  }
  m_pBg->setPosition(Vec2(static_cast<float>(BasePT::g_iWindowWidth / 2),
                          static_cast<float>(BasePT::g_iWindowHeight / 2) + kBgAboveCentre));
  addChild(m_pBg);

  m_pBtnMusicOn = MakeSwitchButton(kOnFrame, g_ptGameSetBtnMusicSwitch, &SetLayer::OnMusicSwitch);
  m_pBtnMusicOff = MakeSwitchButton(kOffFrame, g_ptGameSetBtnMusicSwitch, &SetLayer::OnMusicSwitch);

  ApplySettingFileOnce();
  SoundManage::shareSoundManage()->GetAllAttribute(m_fVolume[0], m_fVolume[1], m_bMusicOpen, m_bSoundOpen);
  for (float& v : m_fVolume) v = Clamp01(v);
  ShowSwitch(m_pBtnMusicOn, m_pBtnMusicOff, m_bMusicOpen);

  m_pBtnSoundOn = MakeSwitchButton(kOnFrame, g_ptGameSetBtnSoundSwitch, &SetLayer::OnSoundSwitch);
  m_pBtnSoundOff = MakeSwitchButton(kOffFrame, g_ptGameSetBtnSoundSwitch, &SetLayer::OnSoundSwitch);
  ShowSwitch(m_pBtnSoundOn, m_pBtnSoundOff, m_bSoundOpen);

  for (int i = 0; i < kSliders; ++i) BuildSlider(i);

  // The close button in the window's corner (a touch outside the window
  // closes it too).
  m_pBtnClose = cocos2d::ui::Button::create(kCloseFrame, "", "", cocos2d::ui::Widget::TextureResType::PLIST);
  m_pBtnClose->setPosition(g_ptGameSetBtnClose);
  m_pBtnClose->setTouchEnabled(true);
  m_pBtnClose->addClickEventListener([this](cocos2d::Ref*) { Close(); });
  m_pBg->addChild(m_pBtnClose);

  // The kind-5 record holds what the window shows from now on.
  if (m_iGameKind == kKindOwnFile) {
    StoreVolumes();
    StoreSwitches();
  }

  setTouchMode(cocos2d::Touch::DispatchMode::ONE_BY_ONE);
  setTouchEnabled(true, false);
}

cocos2d::ui::Button* SetLayer::MakeSwitchButton(const char* frame, const Vec2& at,
                                                void (SetLayer::*click)(cocos2d::Ref*)) {
  auto* button = cocos2d::ui::Button::create(frame, "", "", cocos2d::ui::Widget::TextureResType::PLIST);
  button->setPosition(at);
  button->setTouchEnabled(true);
  button->addClickEventListener([this, click](cocos2d::Ref* sender) { (this->*click)(sender); });
  m_pBg->addChild(button);
  return button;
}

void SetLayer::BuildSlider(int i) {
  m_pBarStencil[i] = cocos2d::Sprite::createWithSpriteFrameName(kBarFrame);
  cocos2d::Sprite* bar = cocos2d::Sprite::createWithSpriteFrameName(kBarFrame);
  m_pBarKnob[i] = cocos2d::Sprite::createWithSpriteFrameName(kKnobFrame);
  if (m_pBarStencil[i] == nullptr || bar == nullptr || m_pBarKnob[i] == nullptr) {
    cocos2d::log("SetLayer: the slider frames %s and %s are missing", kBarFrame, kKnobFrame);
    m_pBarStencil[i] = nullptr;
    m_pBarKnob[i] = nullptr;
    return;
  }
  cocos2d::ClippingNode* clip = cocos2d::ClippingNode::create(m_pBarStencil[i]);
  bar->setPosition(Vec2::ZERO);
  clip->addChild(bar);
  clip->setPosition(g_ptGameSetMusicVol[i]);
  m_pBg->addChild(clip, kZSliderBar);
  m_pBg->addChild(m_pBarKnob[i], kZSliderKnob);
  UpdateBarPos(i);
}

void SetLayer::ShowSwitch(cocos2d::ui::Button* on, cocos2d::ui::Button* off, bool open) {
  if (on != nullptr) on->setVisible(open);
  if (off != nullptr) off->setVisible(!open);
}

void SetLayer::UpdateBarPos(int i) {
  if (i < 0 || i >= kSliders || m_pBarStencil[i] == nullptr || m_pBarKnob[i] == nullptr) return;
  const float w = Width();
  const float v = Clamp01(m_fVolume[i]);
  m_pBarStencil[i]->setPosition(Vec2(v * w - w, 0));
  const float x = std::clamp(g_ptGameSetMusicVol[i].x + v * w - static_cast<float>(HalfWidth()), SliderLow(i),
                             SliderHigh(i));
  m_pBarKnob[i]->setPosition(Vec2(x, g_ptGameSetMusicVol[i].y));
}

// ---------------------------------------------------------------- the settings file

void SetLayer::ApplySettingFileOnce() {
  if (m_iGameKind != kKindOwnFile || s_bSettingFileRead) return;
  s_bSettingFileRead = true;
  // A missing or bad file leaves the sound manager as it is; the record then
  // takes what the window shows, and the next save writes a whole file.
  if (!ddz::settings::LoadSettingConf()) return;
  SoundManage* sound = SoundManage::shareSoundManage();
  sound->SetVolumeInfo(g_SettingConf.fMusicVolume, g_SettingConf.fSoundVolume);
  sound->SetBackgroundMusicOpen(g_SettingConf.bMusicOpen != 0);
  sound->SetSoundOpen(g_SettingConf.bSoundOpen != 0);
}

void SetLayer::StoreVolumes() {
  if (m_iGameKind == kKindOwnFile) {
    g_SettingConf.fMusicVolume = m_fVolume[0];
    g_SettingConf.fSoundVolume = m_fVolume[1];
  } else {
    GameViewBase::m_GlobalInfo.fMusicVolume = m_fVolume[0];
    GameViewBase::m_GlobalInfo.fSoundVolume = m_fVolume[1];
  }
}

void SetLayer::StoreSwitches() {
  if (m_iGameKind == kKindOwnFile) {
    g_SettingConf.bMusicOpen = m_bMusicOpen ? 1 : 0;
    g_SettingConf.bSoundOpen = m_bSoundOpen ? 1 : 0;
  } else {
    GameViewBase::m_GlobalInfo.bMusicOpen = m_bMusicOpen ? 1 : 0;
    GameViewBase::m_GlobalInfo.bSoundOpen = m_bSoundOpen ? 1 : 0;
  }
}

void SetLayer::onExit() {
  YndGameLayer::onExit();
  m_iDragIndex = -1;
  if (m_iGameKind == kKindOwnFile) {
    ddz::settings::SaveSettingConf();
  } else {
    GameViewBase::WriteSettingInfo();
  }
}

// ---------------------------------------------------------------- switches

void SetLayer::OnMusicSwitch(cocos2d::Ref*) {
  m_bMusicOpen = !m_bMusicOpen;
  ShowSwitch(m_pBtnMusicOn, m_pBtnMusicOff, m_bMusicOpen);
  StoreSwitches();
  SoundManage::shareSoundManage()->SetBackgroundMusicOpen(m_bMusicOpen);
  RestartMusic();
}

void SetLayer::RestartMusic() {
  const bool atTable = m_iOpenFrom == kFromTable;
  if (m_iGameKind == kKindTournament && atTable) {
    const int state = s_pCompetition != nullptr ? s_pCompetition->GetCompeteState() : 0;
    GameSoundDDZ::shareGameSoundDDZ()->PlayCompeteBackgroundMusic(state >= kFinalCompeteState ? 2 : 1);
  } else if (m_iGameKind == kKindTournament) {
    SoundManage* sound = SoundManage::shareSoundManage();
    sound->StopBackgroundMusic();
    char path[64];
    std::snprintf(path, sizeof path, kCompeteRoomMusic, 0);
    sound->PlayMusicByFile(path, true);
  } else {
    GameSoundDDZ::shareGameSoundDDZ()->PlayBackGroundMusic(!atTable);
  }
}

void SetLayer::OnSoundSwitch(cocos2d::Ref*) {
  m_bSoundOpen = !m_bSoundOpen;
  ShowSwitch(m_pBtnSoundOn, m_pBtnSoundOff, m_bSoundOpen);
  StoreSwitches();
  SoundManage::shareSoundManage()->SetSoundOpen(m_bSoundOpen);
}

// ---------------------------------------------------------------- touches

Vec2 SetLayer::InBg(const cocos2d::Touch* touch) const {
  const float scale = cocos2d::Director::getInstance()->getContentScaleFactor();
  const Vec2 p = m_pBg->convertToNodeSpace(touch->getLocation());
  return Vec2(p.x * scale, p.y * scale);
}

Vec2 SetLayer::InWindow(const cocos2d::Touch* touch) const {
  const float scale = cocos2d::Director::getInstance()->getContentScaleFactor();
  const Vec2 p = convertToNodeSpace(touch->getLocation());
  return Vec2(p.x * scale, p.y * scale);
}

bool SetLayer::OutsideBg(const cocos2d::Touch* touch) const {
  return m_pBg == nullptr || !m_pBg->getBoundingBox().containsPoint(InWindow(touch));
}

bool SetLayer::onTouchBegan(cocos2d::Touch* touch, cocos2d::Event*) {
  m_iDragIndex = -1;
  if (touch == nullptr || m_pBg == nullptr) return false;
  const Vec2 p = InBg(touch);
  for (int i = 0; i < kSliders; ++i) {
    cocos2d::Sprite* knob = m_pBarKnob[i];
    if (knob == nullptr) continue;
    const cocos2d::Size size = knob->getContentSize();
    const cocos2d::Rect rect(knob->getPositionX() - size.width / 2, knob->getPositionY() - size.height / 2,
                             size.width, size.height);
    if (rect.containsPoint(p)) {
      m_ptLastTouch = p;
      m_iDragIndex = i;
      return true;
    }
  }
  // Inside the window the buttons take the touch; outside it is ours, and
  // its end closes the window.
  return OutsideBg(touch);
}

void SetLayer::onTouchMoved(cocos2d::Touch* touch, cocos2d::Event*) {
  const int i = m_iDragIndex;
  if (touch == nullptr || i < 0 || i >= kSliders || m_pBarKnob[i] == nullptr) return;
  // A bar of no width (a layout file without it) has no volume to give.
  if (g_iGameSetVolumeWidth <= 0) return;
  const Vec2 p = InBg(touch);
  const float lo = SliderLow(i);
  const float hi = SliderHigh(i);
  float x = m_pBarKnob[i]->getPositionX() + (p.x - m_ptLastTouch.x);
  if (lo >= p.x) x = lo;
  if (p.x >= hi) x = hi;
  x = std::clamp(x, lo, hi);
  m_fVolume[i] = (x - lo) / Width();
  UpdateBarPos(i);
  StoreVolumes();
  SoundManage::shareSoundManage()->SetVolumeInfo(m_fVolume[0], m_fVolume[1]);
  m_ptLastTouch = p;
}

void SetLayer::onTouchEnded(cocos2d::Touch* touch, cocos2d::Event*) {
  m_iDragIndex = -1;
  if (touch == nullptr || !OutsideBg(touch)) return;
  Close();
}

void SetLayer::Close() {
  if (getParent() != nullptr) YndRemoveChildManage::sharedRemoveChildManage()->RemoveChild(this, getParent());
}
