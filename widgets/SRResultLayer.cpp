#include "widgets/SRResultLayer.h"

#include "gamedata/LayoutConfig.h"
#include "platform/engine/cocos2d.h"
#include "platform/engine/ui/Widgets.h"
#include "table/DDZGameView.h"
#include "table/GameSoundDDZ.h"
#include "widgets/ResultLayer.h"

using cocos2d::Vec2;

SRResultLayer* SRResultLayer::create(DDZGameView* pGameView) {
  auto* layer = new SRResultLayer(pGameView);
  layer->autorelease();
  return layer;
}

std::string SRResultLayer::SeatText(int value) {
  const long long v = value;
  return v > 0 ? std::to_string(v) : ";" + std::to_string(-v);
}

void SRResultLayer::onEnter() {
  YndGameLayer::onEnter();
  AddPlist(ResultLayer::kSheet);
  ClearWindow();
  resultparts::AddDim(this);
  Build();
  resultparts::PlayResultMusic(vcResult[kOwnSeat] > 0, iImageIndex);
}

void SRResultLayer::onExit() {
  YndGameLayer::onExit();
  unschedule(schedule_selector(SRResultLayer::OnCountDown));
}

void SRResultLayer::ClearWindow() {
  removeAllChildrenWithCleanup(true);
  m_pBtnContinue = m_pBtnQuit = nullptr;
  m_pWinEffect = nullptr;
  m_pTitle = m_pResultBg = m_pCapNotice = nullptr;
  m_pCountDownLabel = nullptr;
  for (auto*& number : m_pResultNum) number = nullptr;
  for (int i = 0; i < 3; ++i) {
    m_pDetailWord[i] = nullptr;
    m_pDetailNum[i] = nullptr;
  }
  m_bActed = false;
}

void SRResultLayer::Build() {
  const Vec2 d(0, -kShiftDown);
  const bool won = vcResult[kOwnSeat] >= 1;
  // The title stands a little higher, over the bottom cards, clear of the
  // top seat's row of kept cards.
  m_pTitle = resultparts::AddTitle(this, won, bLandOwner, g_ptCmpResultGameResult + d + Vec2(0, kTitleRaise));
  m_pResultBg = resultparts::AddBackground(this, g_ptCmpResultFlagBg + d);
  if (m_pResultBg != nullptr) {
    const int values[3] = {bSendRocket ? 1 : 0, iSendBombNum, iSpringType > 0 ? 1 : 0};
    resultparts::AddDetailRow(m_pResultBg, values, m_pDetailWord, m_pDetailNum);
  }
  // The numbers and the buttons stand over the background and the title.
  for (int seat = 0; seat < kSeats; ++seat) {
    m_pResultNum[seat] = resultparts::AddSeatNumber(this, SeatText(vcResult[seat]), vcResult[seat] >= 1,
                                                    g_ptSRResultWinLoseNum[seat] + d, seat == kOwnSeat ? 1.0f : 0.6f);
    m_pResultNum[seat]->setLocalZOrder(kAboveBackgroundZ);
  }

  m_iCountDown = kCountSeconds;
  unschedule(schedule_selector(SRResultLayer::OnCountDown));
  schedule(schedule_selector(SRResultLayer::OnCountDown), 1.0f);
  m_pCountDownLabel = resultparts::AddCountDownLabel(this, m_pResultBg);
  resultparts::ShowCountDown(m_pCountDownLabel, ResultLayer::kTextCountDownLeave, m_iCountDown);

  const Vec2 raise(0, kButtonRaise);
  m_pBtnQuit = resultparts::AddButton(this, "qorvddz_btn_result_1.png", "qorvddz_btn_result_word_0.png",
                                      g_ptResultBtnExit + d + raise, 3.0417f, [this](cocos2d::Ref* s) { OnBtnQuit(s); });
  m_pBtnContinue =
      resultparts::AddButton(this, "qorvddz_btn_result_0.png", "qorvddz_btn_result_word_1.png",
                             g_ptResultBtnSmall + d + raise, 3.125f, [this](cocos2d::Ref* s) { OnBtnContinue(s); });
  for (auto* button : {m_pBtnQuit, m_pBtnContinue})
    if (button != nullptr) button->setLocalZOrder(kAboveBackgroundZ);
  if (bFenDing) m_pCapNotice = resultparts::AddCapNotice(m_pResultBg);
  if (vcResult[kOwnSeat] > 0) {
    m_pWinEffect = resultparts::AddWinBurst(this);
    m_pWinEffect->setPosition(d);
  }
}

void SRResultLayer::OnCountDown(float) {
  if (m_iCountDown <= 0) return;
  --m_iCountDown;
  resultparts::ShowCountDown(m_pCountDownLabel, ResultLayer::kTextCountDownLeave, m_iCountDown);
  if (m_iCountDown > 0) return;
  unschedule(schedule_selector(SRResultLayer::OnCountDown));
  OnBtnQuit();
}

bool SRResultLayer::TakeAction() {
  if (m_bActed) return false;
  m_bActed = true;
  unschedule(schedule_selector(SRResultLayer::OnCountDown));
  for (auto* button : {m_pBtnContinue, m_pBtnQuit})
    if (button != nullptr) button->setEnabled(false);
  return true;
}

void SRResultLayer::GiveBackAction() {
  if (!m_bActed || !isRunning()) return;
  m_bActed = false;
  for (auto* button : {m_pBtnContinue, m_pBtnQuit})
    if (button != nullptr) button->setEnabled(true);
  if (m_iCountDown > 0) schedule(schedule_selector(SRResultLayer::OnCountDown), 1.0f);
}

void SRResultLayer::OnBtnQuit(cocos2d::Ref*) {
  if (!TakeAction()) return;
  retain();  // the view removes the window
  m_pGameView->OnResultBtnQuit();
  release();
}

void SRResultLayer::OnBtnContinue(cocos2d::Ref*) {
  if (!TakeAction()) return;
  retain();
  m_pGameView->OnResultBtnContinue();
  GameSoundDDZ::shareGameSoundDDZ()->StopBackgroundMusic();
  m_pGameView->PlayBackgroundMusic();
  release();
}
