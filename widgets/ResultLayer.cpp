#include "widgets/ResultLayer.h"

#include <cmath>
#include <cstdlib>
#include <ctime>
#include <functional>

#include "gamedata/LabelHelpers.h"
#include "gamedata/LayoutConfig.h"
#include "gamedata/TextTables.h"
#include "platform/engine/cocos2d.h"
#include "platform/engine/ui/Widgets.h"
#include "platform/gamebase/BasePT.h"
#include "platform/gamebase/GameSceneBase.h"
#include "platform/os/Clock.h"
#include "platform/os/Random.h"
#include "table/DDZGameView.h"
#include "table/GameSoundDDZ.h"

using cocos2d::Vec2;

namespace {

constexpr const char* kBackgroundFrame = "qorvddz_result_bg.png";
constexpr const char* kCallRobWordFrames[2] = {"ddzq_js_df.png", "ddzq_js_zbs.png"};
constexpr const char* kDoublingFrame = "ddzq_jb.png";
constexpr const char* kCapFrame = "ddz_game_cue.png";
constexpr const char* kButtonDisabledFrame = "qorvddz_btn_result_3.png";
constexpr const char* kInviteButtonFrame = "qorvddz_enterCompete_bg.png";
constexpr const char* kInviteWordFrame = "qorvddz_enterCompete_signup_word.png";
constexpr const char* kInviteTipsFrame = "qorvddz_enterCompete_tips_bg.png";
constexpr const char* kBurstMaskFrame = "qorvddz_result_mask.png";
constexpr const char* kBurstLightFrames[2] = {"qorvddz_result_light.png", "qorvddz_glow_a.png"};
constexpr const char* kStarFrames[2] = {"qorvddz_star_2.png", "qorvddz_star_1.png"};
constexpr const char* kGlowFrame = "qorvddz_glow_b.png";

constexpr int kActivityTipText = 259;
constexpr int kInviteTexts[2] = {366, 367};

constexpr int kTitleZ = 10;
constexpr int kBackgroundZ = 9;
constexpr int kTipZ = 2000;

constexpr float kMoveDistance = 30;
constexpr float kSeatScale = 0.6f;
constexpr float kOwnMarkDigitWidth = 24;

// The countdown's line: its right end and middle this far in from the
// background's right and top edges, above the hand-detail row and clear of
// the buttons (which the four-player window raises into the background's
// lower part); it comes in when the background has.
constexpr float kCountDownRightInset = 24;
constexpr float kCountDownBelowTop = 20;
constexpr float kCountDownFontSize = 20;
constexpr float kCountDownShowDelay = 1.5f;
const cocos2d::Color4B kCountDownColor(244, 222, 150, 255);

constexpr int kStars = 10;
constexpr int kGlows = 20;
constexpr float kStarReach = 120;
constexpr float kGlowReach = 150;
constexpr float kFlySeconds = 3;
const Vec2 kBurstCentre(640, 600);
const Vec2 kBurstOrigin(0, -122);

constexpr float kPi = 3.14159265f;

cocos2d::Sprite* Frame(const char* name) { return cocos2d::Sprite::createWithSpriteFrameName(name); }

Vec2 Along(float degrees, float distance) {
  const float r = degrees * kPi / 180;
  return Vec2(std::cos(r) * distance, std::sin(r) * distance);
}

// Hidden, transparent and at half size; after `delay` it shows and springs to
// full size.
void PopIn(cocos2d::Node* node, float delay) {
  if (node == nullptr) return;
  node->setVisible(false);
  node->setOpacity(0);
  node->setScale(0.5f);
  node->runAction(cocos2d::Sequence::create(
      cocos2d::DelayTime::create(delay), cocos2d::Show::create(),
      cocos2d::Spawn::create(cocos2d::FadeTo::create(1.0f / 6, 255), cocos2d::ScaleTo::create(1.0f / 6, 1.2f)),
      cocos2d::ScaleTo::create(1.0f / 8, 0.96f), cocos2d::ScaleTo::create(1.0f / 12, 1.0f)));
}

// Hidden and transparent; after `delay` it shows and fades to half, then full.
void BlinkIn(cocos2d::Node* node, float delay) {
  node->setVisible(false);
  node->setOpacity(0);
  node->runAction(cocos2d::Sequence::create(cocos2d::DelayTime::create(delay), cocos2d::Show::create(),
                                            cocos2d::FadeTo::create(1.0f / 3, 128),
                                            cocos2d::FadeTo::create(0.375f, 255)));
}

}  // namespace

namespace resultparts {

cocos2d::Node* AddDim(cocos2d::Node* parent) {
  auto* dim = cocos2d::LayerColor::create(cocos2d::Color4B(0, 0, 0, 150));
  dim->setScale(2.0f);
  parent->addChild(dim);
  return dim;
}

cocos2d::Sprite* AddTitle(cocos2d::Node* parent, bool won, bool landlord, Vec2 at) {
  cocos2d::Sprite* title = Frame(ResultLayer::kTitleFrames[won ? 1 : 0][landlord ? 1 : 0]);
  if (title == nullptr) return nullptr;
  title->setPosition(at);
  title->setVisible(false);
  title->setOpacity(0);
  title->setScale(8.0f);
  parent->addChild(title, kTitleZ);
  title->runAction(cocos2d::Sequence::create(
      cocos2d::DelayTime::create(19.0f / 24), cocos2d::Show::create(),
      cocos2d::Spawn::create(
          cocos2d::Sequence::create(cocos2d::ScaleTo::create(1.0f / 6, 6.0f), cocos2d::ScaleTo::create(5.0f / 24, 1.0f)),
          cocos2d::Sequence::create(cocos2d::FadeTo::create(1.0f / 6, 26), cocos2d::FadeTo::create(5.0f / 24, 255)))));
  return title;
}

cocos2d::Sprite* AddBackground(cocos2d::Node* parent, Vec2 at) {
  cocos2d::Sprite* bg = Frame(kBackgroundFrame);
  if (bg == nullptr) return nullptr;
  bg->setPosition(at);
  bg->setVisible(false);
  bg->setOpacity(0);
  parent->addChild(bg, kBackgroundZ);
  bg->runAction(cocos2d::Sequence::create(
      cocos2d::DelayTime::create(1.125f), cocos2d::Show::create(),
      cocos2d::Spawn::create(cocos2d::FadeTo::create(0.375f, 255),
                             cocos2d::MoveBy::create(0.375f, Vec2(0, -kMoveDistance)))));
  return bg;
}

void AddDetailRow(cocos2d::Sprite* bg, const int (&values)[3], cocos2d::Sprite* (&words)[3],
                  cocos2d::ui::TextAtlas* (&numbers)[3]) {
  for (int i = 0; i < 3; ++i) {
    const std::string word = "qorvddz_result_word_" + std::to_string(i) + ".png";
    words[i] = Frame(word.c_str());
    if (words[i] != nullptr) {
      words[i]->setPosition(g_ptCmpResultFlag[i]);
      words[i]->setScale(0.8f);
      bg->addChild(words[i]);
    }
    numbers[i] = cocos2d::ui::TextAtlas::create(ResultLayer::SignedText(values[i]), ResultLayer::kDetailAtlas, 18, 20, "0");
    numbers[i]->setPosition(g_ptCmpResultFlag[i] + Vec2(70, 0));
    bg->addChild(numbers[i]);
    PopIn(numbers[i], (38.0f + 5 * i) / 24);
  }
}

cocos2d::ui::TextAtlas* AddSeatNumber(cocos2d::Node* parent, const std::string& text, bool won, Vec2 at, float scale) {
  auto* number =
      cocos2d::ui::TextAtlas::create(text, won ? ResultLayer::kWinAtlas : ResultLayer::kLoseAtlas, 42, 54, "0");
  const float lead = won ? -kMoveDistance : kMoveDistance;
  number->setPosition(at + Vec2(0, lead));
  number->setScale(scale);
  number->setVisible(false);
  number->setOpacity(0);
  parent->addChild(number);
  cocos2d::FiniteTimeAction* arrive =
      won ? static_cast<cocos2d::FiniteTimeAction*>(cocos2d::Sequence::create(
                cocos2d::Spawn::create(cocos2d::FadeTo::create(1.0f / 3, 128), cocos2d::MoveBy::create(1.0f / 3, Vec2(0, 17))),
                cocos2d::Spawn::create(cocos2d::FadeTo::create(0.375f, 255), cocos2d::MoveBy::create(0.375f, Vec2(0, 13)))))
          : cocos2d::Spawn::create(cocos2d::FadeTo::create(0.5833f, 255),
                                   cocos2d::MoveBy::create(0.5833f, Vec2(0, -kMoveDistance)));
  number->runAction(cocos2d::Sequence::create(cocos2d::DelayTime::create(2.1667f), cocos2d::Show::create(), arrive));
  return number;
}

cocos2d::ui::Button* AddButton(cocos2d::Node* parent, const char* face, const char* word, Vec2 at, float delay,
                               std::function<void(cocos2d::Ref*)> click) {
  auto* button = cocos2d::ui::Button::createWithExtraAbove(face, "", kButtonDisabledFrame, word,
                                                          cocos2d::ui::Widget::TextureResType::PLIST);
  button->setPosition(at);
  button->setVisible(false);
  button->setScale(0.8f);
  button->addClickEventListener(std::move(click));
  parent->addChild(button);
  button->runAction(cocos2d::Sequence::create(
      cocos2d::DelayTime::create(delay), cocos2d::Show::create(),
      cocos2d::Spawn::create(cocos2d::FadeTo::create(0.25f, 255), cocos2d::ScaleTo::create(0.25f, 1.15f)),
      cocos2d::ScaleTo::create(1.0f / 6, 1.0f)));
  return button;
}

cocos2d::Sprite* AddCapNotice(cocos2d::Sprite* bg) {
  if (bg == nullptr) return nullptr;
  cocos2d::Sprite* cap = Frame(kCapFrame);
  if (cap == nullptr) return nullptr;
  const cocos2d::Size size = bg->getContentSize();
  cap->setPosition(Vec2(size.width, size.height - 200));
  cap->setVisible(false);
  cap->setOpacity(0);
  bg->addChild(cap);
  cap->runAction(cocos2d::Sequence::create(cocos2d::DelayTime::create(2.2083f), cocos2d::Show::create(),
                                           cocos2d::FadeTo::create(0.5833f, 255)));
  return cap;
}

cocos2d::Label* AddCountDownLabel(cocos2d::Node* parent, cocos2d::Sprite* bg) {
  if (bg == nullptr) return nullptr;
  // Where the background stands once it has slid in.
  const Vec2 centre = bg->getPosition() + Vec2(0, -kMoveDistance);
  const cocos2d::Size size = bg->getContentSize();
  auto* label = cocos2d::Label::createWithSystemFont("", g_strFontName, kCountDownFontSize);
  label->setTextColor(kCountDownColor);
  label->setAnchorPoint(Vec2(1, 0.5f));
  label->setPosition(centre + Vec2(size.width / 2 - kCountDownRightInset, size.height / 2 - kCountDownBelowTop));
  label->setVisible(false);
  parent->addChild(label, kTitleZ);
  label->runAction(cocos2d::Sequence::create(cocos2d::DelayTime::create(kCountDownShowDelay), cocos2d::Show::create()));
  return label;
}

void ShowCountDown(cocos2d::Label* label, int textEntry, int seconds) {
  if (label != nullptr) label->setString(ddz::FormatText(GameText(textEntry), seconds));
}

void PlayResultMusic(bool won, int imageIndex) {
  GameSoundDDZ* sound = GameSoundDDZ::shareGameSoundDDZ();
  sound->StopBackgroundMusic();
  if (!won) {
    sound->PlayBackGroundMusic(ResultLayer::kMusicLose);
    return;
  }
  sound->PlayBackGroundMusic(ResultLayer::kMusicWin);
  sound->PlayerTalk(imageIndex, ResultLayer::kVoiceWinCry);
}

}  // namespace resultparts

ResultLayer::ResultLayer(DDZGameView* pGameView) : m_pGameView(pGameView) {}

ResultLayer* ResultLayer::create(DDZGameView* pGameView) {
  auto* layer = new ResultLayer(pGameView);
  layer->autorelease();
  return layer;
}

ResultLayer::~ResultLayer() = default;

void ResultLayer::IniResultInfo(int imageIndex, bool landOwner, const int* result, int bombs, bool rocket,
                                bool spring, int smallBtnType, int baseScore, bool fenDing, int exGameType,
                                const std::uint8_t* jiaBeiFlag) {
  iImageIndex = imageIndex;
  bLandOwner = landOwner;
  for (int i = 0; i < kSeats; ++i) {
    vcResult[i] = result != nullptr ? result[i] : 0;
    vcJiaBeiFlag[i] = jiaBeiFlag != nullptr ? jiaBeiFlag[i] : 0;
  }
  iSendBombNum = bombs;
  bSendRocket = rocket;
  bSpring = spring;
  iSmallBtnType = smallBtnType;
  iBaseScore = baseScore;
  bFenDing = fenDing;
  iExGameiType = exGameType;
}

std::string ResultLayer::SignedText(int value) {
  const long long v = value;
  return v >= 0 ? ":" + std::to_string(v) : ";" + std::to_string(-v);
}

int ResultLayer::OwnMarkDigitSlots(int value) {
  long long v = std::llabs(static_cast<long long>(value));
  int slots = 2;
  while (v > 10) {
    v = (v + 9) / 10;  // v / 10 rounded up stays above 10 exactly when v / 10 does
    ++slots;
  }
  return slots;
}

// ---------------------------------------------------------------- entering

void ResultLayer::onEnter() {
  YndGameLayer::onEnter();
  AddPlist(kSheet);
  ClearWindow();
  m_bActed = false;

  m_pDim = resultparts::AddDim(this);

  IniResultUI();
  ShowActivityTip();
  PlayResultMusic();
  if (InvitationAllowed()) ShowInvitation();
}

void ResultLayer::onExit() {
  YndGameLayer::onExit();
  unschedule(schedule_selector(ResultLayer::OnCountDown));
  m_pGameView->OnResultLayerShown(true);
}

// The window of the hand before goes before a new one is built.
void ResultLayer::ClearWindow() {
  removeAllChildrenWithCleanup(true);
  m_pDim = nullptr;
  for (auto*& button : m_pButton) button = nullptr;
  m_pWinEffect = nullptr;
  m_pTitle = nullptr;
  m_pResultBg = nullptr;
  for (int i = 0; i < kSeats; ++i) {
    m_pResultNum[i] = nullptr;
    m_pJiaBeiFlag[i] = nullptr;
  }
  for (int i = 0; i < 2; ++i) {
    m_pScoreWord[i] = nullptr;
    m_pScoreNum[i] = nullptr;
  }
  for (int i = 0; i < 3; ++i) {
    m_pDetailWord[i] = nullptr;
    m_pDetailNum[i] = nullptr;
  }
  m_pCapNotice = nullptr;
  m_pActivityTipLabel = nullptr;
  m_pInvitation = nullptr;
  m_pInvitationTips = nullptr;
  m_pCountDownLabel = nullptr;
}

void ResultLayer::IniResultUI() {
  const int kind = m_pGameView->GetGameKind();
  const bool won = vcResult[kOwnSeat] >= 1;
  BuildTitle(won);

  m_pResultBg = resultparts::AddBackground(this, g_ptCmpResultFlagBg);
  if (m_pResultBg != nullptr) BuildDetails(kind);
  BuildSeatNumbers(kind);
  if (IsCallRobKind(kind)) BuildDoublingMarks(kind);

  m_iCountDownStart = IsShortCountKind(kind) ? kShortCountSeconds : kLongCountSeconds;
  m_iCountDown = m_iCountDownStart;
  unschedule(schedule_selector(ResultLayer::OnCountDown));
  schedule(schedule_selector(ResultLayer::OnCountDown), 1.0f);
  BuildCountDown();

  BuildButtons();
  if (iExGameiType > 0) {
    for (auto* button : m_pButton) {
      if (button == nullptr) continue;
      button->setVisible(false);
      button->stopAllActions();
    }
  }
  if (bFenDing) BuildCapNotice();
  if (won) m_pWinEffect = resultparts::AddWinBurst(this);
}

void ResultLayer::BuildTitle(bool won) {
  m_pTitle = resultparts::AddTitle(this, won, bLandOwner, g_ptCmpResultGameResult);
}

void ResultLayer::BuildDetails(int kind) {
  if (IsCallRobKind(kind)) {
    // Base score and bomb count: words, then numbers, popping in by turns.
    constexpr float kWordDelays[2] = {1.5833f, 2.0f};
    constexpr float kNumberDelays[2] = {1.7917f, 2.2083f};
    const std::string texts[2] = {std::to_string(iBaseScore), SignedText(iSendBombNum)};
    for (int i = 0; i < 2; ++i) {
      m_pScoreWord[i] = Frame(kCallRobWordFrames[i]);
      if (m_pScoreWord[i] != nullptr) {
        m_pScoreWord[i]->setPosition(g_ptQResultScore[i]);
        m_pResultBg->addChild(m_pScoreWord[i]);
        PopIn(m_pScoreWord[i], kWordDelays[i]);
      }
      m_pScoreNum[i] = cocos2d::ui::TextAtlas::create(texts[i], kCallRobAtlas, 20, 22, "0");
      m_pScoreNum[i]->setPosition(g_ptQResultScore[2 + i]);
      m_pResultBg->addChild(m_pScoreNum[i]);
      PopIn(m_pScoreNum[i], kNumberDelays[i]);
    }
    return;
  }
  // Rocket played, bombs, spring.
  const int values[3] = {bSendRocket ? 1 : 0, iSendBombNum, bSpring ? 1 : 0};
  resultparts::AddDetailRow(m_pResultBg, values, m_pDetailWord, m_pDetailNum);
}

void ResultLayer::BuildSeatNumbers(int kind) {
  for (int seat = 0; seat < kSeats; ++seat) {
    if (kind == kKindOwnNumberOnly && seat != kOwnSeat) continue;
    m_pResultNum[seat] = resultparts::AddSeatNumber(this, SignedText(vcResult[seat]), vcResult[seat] >= 1,
                                                    g_ptResultWinLoseNum[seat], seat == kOwnSeat ? 1.0f : kSeatScale);
  }
}

void ResultLayer::BuildDoublingMarks(int /*kind*/) {
  for (int seat = 0; seat < kSeats; ++seat) {
    if (vcJiaBeiFlag[seat] == 0) continue;
    auto* mark = Frame(kDoublingFrame);
    if (mark == nullptr) continue;
    Vec2 at = g_ptQResultJiabei[seat];
    if (seat == kOwnSeat) at += Vec2(kOwnMarkDigitWidth * OwnMarkDigitSlots(vcResult[seat]), 0);
    mark->setPosition(at);
    addChild(mark);
    BlinkIn(mark, 2.5f);
    m_pJiaBeiFlag[seat] = mark;
  }
}

void ResultLayer::BuildButtons() {
  struct Place {
    ButtonKind kind;
    const char* face;
    const char* word;
    Vec2 at;
    float delay;
  };
  constexpr const char* kContinueFace = "qorvddz_btn_result_0.png";
  constexpr const char* kContinueWord = "qorvddz_btn_result_word_1.png";
  constexpr float kFirst = 3.0417f;
  constexpr float kSecond = 3.125f;
  std::vector<Place> places;
  if (iSmallBtnType > 0) {
    places = {{kBtnSmallGame, "qorvddz_btn_result_2.png", "qorvddz_btn_result_word_3.png", g_ptResultBtnSmall, kSecond},
              {kBtnContinue, kContinueFace, kContinueWord, g_ptResultBtnExit, kFirst}};
  } else if (m_pGameView->GetTodayPlayNum() > kTodayHandsBeforeLeave) {
    places = {{kBtnQuit, "qorvddz_btn_result_1.png", "qorvddz_btn_result_word_0.png", g_ptResultBtnExit, kFirst},
              {kBtnContinue, kContinueFace, kContinueWord, g_ptResultBtnSmall, kSecond}};
  } else {
    places = {{kBtnContinue, kContinueFace, kContinueWord, g_ptResultBtnContinue, kFirst}};
  }
  for (const Place& place : places) {
    std::function<void(cocos2d::Ref*)> click;
    switch (place.kind) {
      case kBtnContinue: click = [this](cocos2d::Ref* s) { OnBtnContinue(s); }; break;
      case kBtnQuit: click = [this](cocos2d::Ref* s) { OnBtnQuit(s); }; break;
      default: click = [this](cocos2d::Ref* s) { OnBtnSmallGame(s); }; break;
    }
    m_pButton[place.kind] = resultparts::AddButton(this, place.face, place.word, place.at, place.delay, std::move(click));
  }
}

void ResultLayer::BuildCapNotice() { m_pCapNotice = resultparts::AddCapNotice(m_pResultBg); }

void ResultLayer::BuildCountDown() {
  // The single-player game has no server waiting for the seat: the count
  // ends without an action, and its caption promises none.
  m_bCountDownActs = !GameViewBase::IsSinglePlayer();
  if (!m_bCountDownActs) {
    m_iCountDownText = kTextCountDownWaits;
  } else {
    m_iCountDownText = iSmallBtnType > 0 ? kTextCountDownSmallGame : kTextCountDownLeave;
  }
  m_pCountDownLabel = resultparts::AddCountDownLabel(this, m_pResultBg);
  resultparts::ShowCountDown(m_pCountDownLabel, m_iCountDownText, m_iCountDown);
}

void ResultLayer::ShowActivityTip() {
  if (m_iActivityTip > 0) {
    auto* label = cocos2d::Label::createWithSystemFont(ddz::FormatText(GameText(kActivityTipText), m_iActivityTip),
                                                       g_strFontName, 18);
    label->setTextColor(cocos2d::Color4B(244, 156, 91, 255));
    label->setPosition(Vec2(BasePT::g_iWindowWidth / 2.0f, 236));
    label->setVisible(false);
    addChild(label, kTipZ);
    label->runAction(cocos2d::Sequence::create(cocos2d::DelayTime::create(3.0f), cocos2d::Show::create()));
    m_pActivityTipLabel = label;
  }
  m_iActivityTip = -1;
}

void ResultLayer::PlayResultMusic() { resultparts::PlayResultMusic(vcResult[kOwnSeat] >= 1, iImageIndex); }

// ---------------------------------------------------------------- tournament invitation

bool ResultLayer::InvitationAllowed() const {
  if (!m_pGameView->IsCompeteInvitationOpen() || iExGameiType >= 1) return false;
  if (m_pGameView->m_iNewPlayerAward != 0) return false;
  auto* current = dynamic_cast<DDZGameView*>(GameSceneBase::m_pGameView);
  if (current == nullptr) return false;
  const int kind = current->GetGameKind();
  if (kind != 0 && kind != 1) return false;
  const std::time_t now = static_cast<std::time_t>(ddz::os::Clock().WallTimeSeconds());
  std::tm local{};
  if (localtime_r(&now, &local) == nullptr) return false;
  for (int hour : kInvitationHours)
    if (local.tm_hour == hour) return true;
  return false;
}

void ResultLayer::ShowInvitation() {
  const float middle = BasePT::g_iWindowHeight / 2.0f;
  auto* button = cocos2d::ui::Button::create(kInviteButtonFrame, "", "", cocos2d::ui::Widget::TextureResType::PLIST);
  button->setPosition(Vec2(1120, middle - 112));
  button->addClickEventListener([this](cocos2d::Ref* s) { OnBtnEnterCompete(s); });
  if (auto* word = Frame(kInviteWordFrame)) {
    word->setPosition(Vec2(86, 24));
    button->addChild(word);
  }
  addChild(button);
  m_pInvitation = button;

  auto* tips = cocos2d::ui::Scale9Sprite::createWithSpriteFrameName(kInviteTipsFrame);
  if (tips != nullptr) {
    tips->setPreferredSize(cocos2d::Size(220, 70));
    tips->setPosition(Vec2(950, middle - 102));
    const Vec2 lines[2] = {Vec2(100, 50), Vec2(100, 20)};
    for (int i = 0; i < 2; ++i) {
      auto* label = cocos2d::Label::createWithSystemFont(GameText(kInviteTexts[i]), g_strFontName, 20);
      label->setTextColor(cocos2d::Color4B(0, 48, 83, 255));
      label->setPosition(lines[i]);
      tips->addChild(label);
    }
    addChild(tips);
    m_pInvitationTips = tips;
  }
  m_pGameView->OnResultLayerShown(false);
}

void ResultLayer::OnBtnEnterCompete(cocos2d::Ref*) { m_pGameView->EnterCompeteFromResult(); }

// ---------------------------------------------------------------- countdown and actions

void ResultLayer::OnCountDown(float) {
  if (m_iCountDown <= 0) return;
  --m_iCountDown;
  resultparts::ShowCountDown(m_pCountDownLabel, m_iCountDownText, m_iCountDown);
  if (iExGameiType >= 1 && m_iCountDownStart - m_iCountDown == kExtraGameAfterSeconds) {
    retain();  // the view may take the window away
    m_pGameView->OnResultExtraGame(iExGameiType);
    HideResult();
    release();
  }
  if (m_iCountDown > 0) return;
  unschedule(schedule_selector(ResultLayer::OnCountDown));
  if (!m_bCountDownActs) {
    // The window waits for the player's button.
    if (m_pCountDownLabel != nullptr) {
      m_pCountDownLabel->stopAllActions();
      m_pCountDownLabel->setVisible(false);
    }
    return;
  }
  if (iSmallBtnType > 0)
    OnBtnSmallGame();
  else
    OnBtnQuit();
}

bool ResultLayer::TakeAction() {
  if (m_bActed) return false;
  m_bActed = true;
  unschedule(schedule_selector(ResultLayer::OnCountDown));
  for (auto* button : m_pButton)
    if (button != nullptr) button->setEnabled(false);
  GameSoundDDZ::shareGameSoundDDZ()->PlayGameSound(kEffectClick);
  return true;
}

void ResultLayer::GiveBackAction() {
  if (!m_bActed || !isRunning()) return;
  m_bActed = false;
  for (auto* button : m_pButton)
    if (button != nullptr) button->setEnabled(true);
  if (m_iCountDown > 0) schedule(schedule_selector(ResultLayer::OnCountDown), 1.0f);
}

void ResultLayer::OnBtnContinue(cocos2d::Ref*) {
  if (!TakeAction()) return;
  retain();  // the view removes the window
  m_pGameView->OnResultBtnContinue();
  m_pGameView->PlayBackgroundMusic();
  release();
}

void ResultLayer::OnBtnQuit(cocos2d::Ref*) {
  if (!TakeAction()) return;
  retain();
  m_pGameView->OnResultBtnQuit();
  release();
}

void ResultLayer::OnBtnSmallGame(cocos2d::Ref*) {
  if (!TakeAction()) return;
  retain();
  m_pGameView->OnResultBtnSmallGame();
  release();
}

void ResultLayer::ResetButtons() {
  iExGameiType = 0;
  for (auto* button : m_pButton)
    if (button != nullptr) button->setVisible(true);
  if (m_pCountDownLabel != nullptr && m_iCountDown > 0) m_pCountDownLabel->setVisible(true);
}

void ResultLayer::HideResult() {
  cocos2d::Node* parts[] = {m_pWinEffect,    m_pTitle,        m_pResultBg,     m_pScoreWord[0], m_pScoreWord[1],
                            m_pScoreNum[0],  m_pScoreNum[1],  m_pResultNum[0], m_pResultNum[1], m_pResultNum[2],
                            m_pJiaBeiFlag[0], m_pJiaBeiFlag[1], m_pJiaBeiFlag[2], m_pButton[0],   m_pButton[1],
                            m_pButton[2],    m_pCountDownLabel};
  for (cocos2d::Node* part : parts)
    if (part != nullptr) part->setVisible(false);
}

// ---------------------------------------------------------------- win burst

namespace resultparts {

void StarFly(cocos2d::Node* star);
void GlowFly(cocos2d::Node* glow, Vec2 end);


cocos2d::Node* AddWinBurst(cocos2d::Node* parent) {
  auto* effect = cocos2d::Node::create();
  parent->addChild(effect);

  auto* clip = cocos2d::ClippingNode::create(Frame(kBurstMaskFrame));
  clip->setAlphaThreshold(0.1f);
  clip->setPosition(kBurstCentre);
  clip->setVisible(false);
  clip->runAction(cocos2d::Sequence::create(cocos2d::DelayTime::create(1.0833f), cocos2d::Show::create()));
  effect->addChild(clip, 5);
  for (const char* name : kBurstLightFrames) {
    auto* light = Frame(name);
    if (light == nullptr) continue;
    light->setPosition(kBurstOrigin);
    light->setBlendFunc(cocos2d::BlendFunc::ADDITIVE);
    light->setOpacity(0);
    light->setScale(1.1f);
    clip->addChild(light);
    light->runAction(cocos2d::Sequence::create(cocos2d::DelayTime::create(1.0833f), cocos2d::FadeTo::create(0.125f, 255)));
    light->runAction(cocos2d::RepeatForever::create(cocos2d::RotateBy::create(12.5f, 360)));
  }

  auto* stars = cocos2d::Node::create();
  stars->setPosition(kBurstOrigin);
  clip->addChild(stars, 6);
  ddz::os::Srand(static_cast<std::uint32_t>(ddz::os::Clock().WallTimeSeconds()));
  for (int i = 0; i < kStars; ++i) {
    auto* star = Frame(kStarFrames[i < kStars / 2 ? 0 : 1]);
    if (star == nullptr) continue;
    star->setBlendFunc(cocos2d::BlendFunc::ADDITIVE);
    stars->addChild(star);
    star->runAction(cocos2d::RepeatForever::create(cocos2d::RotateBy::create(2.0f, 360)));
    star->runAction(cocos2d::RepeatForever::create(cocos2d::Sequence::create(
        cocos2d::DelayTime::create(static_cast<float>(ddz::os::Rand() % 3) * 0.375f), cocos2d::FadeTo::create(0.375f, 255),
        cocos2d::DelayTime::create(2.0f / 3), cocos2d::FadeTo::create(0.625f, 0))));
    StarFly(star);
  }
  for (int i = 0; i < kGlows; ++i) {
    auto* glow = Frame(kGlowFrame);
    if (glow == nullptr) continue;
    glow->setBlendFunc(cocos2d::BlendFunc::ADDITIVE);
    stars->addChild(glow, -1);
    const float angle = 30.0f + 12.0f * (i % 10) + static_cast<float>(ddz::os::Rand() % 12);
    const Vec2 end = Along(angle, kGlowReach);
    const float start = static_cast<float>(ddz::os::Rand() % 50 + 30);
    glow->runAction(cocos2d::Sequence::create(
        cocos2d::MoveTo::create((kGlowReach - start) * kFlySeconds / kGlowReach, end),
        cocos2d::CallFuncN::create([end](cocos2d::Node* node) { GlowFly(node, end); })));
    glow->runAction(cocos2d::RepeatForever::create(cocos2d::Sequence::create(
        cocos2d::DelayTime::create(static_cast<float>(ddz::os::Rand() % 3) * 0.5f), cocos2d::FadeTo::create(0.5f, 255),
        cocos2d::DelayTime::create(0.8333f), cocos2d::FadeTo::create(0.5f, 0))));
  }
  return effect;
}

void StarFly(cocos2d::Node* star) {
  const float angle = 30.0f + 8.0f * static_cast<float>(ddz::os::Rand() % 16);
  const float from = static_cast<float>(ddz::os::Rand() % static_cast<int>(kStarReach));
  star->setPosition(Along(angle, from));
  star->setScale(static_cast<float>(ddz::os::Rand() % 27 + 18) / 100);
  star->setVisible(false);
  star->runAction(cocos2d::Sequence::create(
      cocos2d::Show::create(), cocos2d::MoveTo::create((kStarReach - from) * kFlySeconds / kStarReach, Along(angle, kStarReach)),
      cocos2d::CallFuncN::create([](cocos2d::Node* node) { StarFly(node); })));
}

void GlowFly(cocos2d::Node* glow, Vec2 end) {
  const float f = static_cast<float>(ddz::os::Rand() % 1000) / 1000;
  glow->setPosition(end * f);
  glow->setScale(static_cast<float>(ddz::os::Rand() % 100 + 50) / 100);
  glow->runAction(cocos2d::Sequence::create(
      cocos2d::MoveTo::create((1 - f) * kFlySeconds, end),
      cocos2d::CallFuncN::create([end](cocos2d::Node* node) { GlowFly(node, end); })));
}

}  // namespace resultparts
