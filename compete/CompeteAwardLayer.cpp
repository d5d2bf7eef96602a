#include "compete/CompeteAwardLayer.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <ctime>

#include "compete/CompeteRoomListLayer.h"
#include "gamedata/CompeteGameInfo.h"
#include "gamedata/LabelHelpers.h"
#include "gamedata/TextHelpers.h"
#include "gamedata/TextTables.h"
#include "platform/engine/cocos2d.h"
#include "platform/engine/ui/Widgets.h"
#include "platform/framework/CreateSharePic.h"
#include "platform/framework/SoundManage.h"
#include "platform/framework/YndCodeConvert.h"
#include "platform/framework/YndConf.h"
#include "platform/framework/YndImageSprite.h"
#include "platform/gamebase/BasePT.h"
#include "platform/gamebase/GameMsgBox.h"
#include "platform/gamebase/GameSceneBase.h"
#include "platform/gamebase/GameViewBase.h"
#include "platform/os/Clock.h"
#include "platform/os/OsApiBase.h"
#include "table/GameSoundDDZ.h"

using cocos2d::Color3B;
using cocos2d::Vec2;

namespace {

const Color3B kTextBrown(174, 101, 22);
const Color3B kTextRed(226, 92, 50);
constexpr float kPrizeFontSize = 28;
constexpr float kTextFontSize = 26;
constexpr int kZNumbers = 9;
constexpr int kZShade = -999;
constexpr int kShareMode = 1;
constexpr int kBoxNotice = 1;
constexpr int kBoxWait = 3;
constexpr int kBoxQuestion = 11;

// The text of a record field, bounded by the field and never ending inside a
// UTF-8 character.
template <std::size_t N>
std::string FieldText(const char (&field)[N]) {
  std::string text = ddz::RecordText(field);
  // A character the field's end cut short is dropped whole.
  std::size_t lead = text.size();
  while (lead > 0 && text.size() - lead < 4 && (static_cast<unsigned char>(text[lead - 1]) & 0xC0) == 0x80) --lead;
  if (lead > 0) {
    const int length = ddz::Utf8LeadLength(static_cast<unsigned char>(text[lead - 1]));
    if (length > 1 && text.size() - (lead - 1) < static_cast<std::size_t>(length)) text.resize(lead - 1);
  }
  return text;
}

cocos2d::Label* MakeLabel(const std::string& text, float size, const Color3B& colour) {
  cocos2d::Label* label = cocos2d::Label::createWithSystemFont(text, g_strSystemFont, size);
  label->setColor(colour);
  return label;
}

cocos2d::Sprite* FrameAt(const char* frame, cocos2d::Node* parent, Vec2 at, int z = 0) {
  cocos2d::Sprite* sprite = cocos2d::Sprite::createWithSpriteFrameName(frame);
  if (sprite == nullptr) return nullptr;
  sprite->setPosition(at);
  parent->addChild(sprite, z);
  return sprite;
}

GameViewBase* CurrentView() { return GameSceneBase::m_pGameView; }

}  // namespace

// ---------------------------------------------------------------- making

CompeteAwardLayer::CompeteAwardLayer() : YndGameLayer(nullptr) { init(); }

CompeteAwardLayer::~CompeteAwardLayer() = default;

CompeteAwardLayer* CompeteAwardLayer::create(const char* msg, int len) {
  auto* layer = new CompeteAwardLayer();
  if (msg != nullptr && len > 0) std::memcpy(layer->m_Record, msg, static_cast<std::size_t>(std::min(len, kMessageBytes)));
  layer->autorelease();
  return layer;
}

CompeteAwardLayer* CompeteAwardLayer::Show(cocos2d::Node* parent, const char* msg, int len) {
  if (parent == nullptr) return nullptr;
  CompeteAwardLayer* layer = create(msg, len);
  parent->addChild(layer, kZOrder);
  return layer;
}

int CompeteAwardLayer::GetRank() const {
  std::int32_t rank = 0;
  std::memcpy(&rank, m_Record + kRankOffset, sizeof rank);
  return rank;
}

std::string CompeteAwardLayer::GetAwardText() const {
  // The game server's text: GBK, read within its field.
  char field[kAwardTextSize];
  std::memcpy(field, m_Record + kAwardTextOffset, sizeof field);
  return YndCodeConvert::G2u(ddz::RecordText(field));
}

// ---------------------------------------------------------------- the rules of the picture

CompeteAwardLayer::Prize CompeteAwardLayer::ChoosePrize(const std::vector<CompeteAwardItem>& lines, int rank) {
  Prize prize;
  auto it = std::find_if(lines.begin(), lines.end(),
                         [rank](const CompeteAwardItem& line) { return line.iRankFrom <= rank && rank <= line.iRankTo; });
  if (it == lines.end()) return prize;
  const std::string first = FieldText(it->szAwardText);
  const std::string second = FieldText(it->szAwardText2);
  const std::string third = FieldText(it->szAwardText3);
  if (first.empty()) return prize;
  prize.has = true;
  std::string firstTwo = first;
  if (!second.empty()) firstTwo += "+" + second;
  prize.joined = firstTwo;
  if (!third.empty()) prize.joined += "+" + third;
  if (!third.empty()) {
    prize.first = firstTwo;
    prize.second = "+" + third;
  } else {
    prize.first = first;
    prize.second = second.empty() ? "" : "+" + second;
  }
  return prize;
}

float CompeteAwardLayer::RankGap(float width, float* scale) {
  if (scale != nullptr) *scale = 1.0f;
  if (width < 130) return width + 100;
  if (width >= 200 && scale != nullptr) *scale = 192 / width;
  return 260;
}

// ---------------------------------------------------------------- building

void CompeteAwardLayer::onEnter() {
  YndGameLayer::onEnter();
  if (m_bBuilt) return;
  m_bBuilt = true;
  Build();
}

void CompeteAwardLayer::onExit() {
  YndGameLayer::onExit();
  CCreateSharePic::RemoveCallBackSaveOkByTarget(this);
}

void CompeteAwardLayer::Build() {
  cocos2d::LayerColor* shade = cocos2d::LayerColor::create(cocos2d::Color4B(0, 0, 0, 150));
  shade->setScale(2);
  addChild(shade, kZShade);
  AddPlist(kSheet);

  const float halfW = static_cast<float>(BasePT::g_iWindowWidth / 2);
  const float halfH = static_cast<float>(BasePT::g_iWindowHeight / 2);
  m_pBackground = YndImageSprite::spriteWithFile(kBackground, this);
  if (m_pBackground != nullptr) {
    m_pBackground->setPosition(Vec2(halfW, halfH));
    const cocos2d::Size size = m_pBackground->getContentSize();
    const float bw = size.width;
    const float bh = size.height;
    BuildDate(bw, bh);
    BuildPrize(bw, bh);
    BuildRank(bw, bh);
    BuildTexts(bw, bh);
  } else {
    cocos2d::log("CompeteAwardLayer: no background [%s]", kBackground);
  }
  BuildButtons();
}

void CompeteAwardLayer::BuildDate(float bw, float bh) {
  const std::time_t now = static_cast<std::time_t>(ddz::os::Clock().WallTimeSeconds());
  std::tm local{};
  localtime_r(&now, &local);
  char date[32];
  std::snprintf(date, sizeof date, "%04d/%02d/%02d", local.tm_year + 1900, local.tm_mon + 1, local.tm_mday);
  m_pDate = cocos2d::ui::TextAtlas::create(date, "ddzbs_fx_num02.png", kDateCellWidth, kDateCellHeight, "/");
  m_pDate->setAnchorPoint(Vec2(0.5f, 0));
  m_pDate->setPosition(Vec2(bw / 2 - 240, bh / 2 + 230));
  m_pBackground->addChild(m_pDate, kZNumbers);
}

void CompeteAwardLayer::BuildPrize(float bw, float bh) {
  const Prize prize = ChoosePrize(CompeteGameInfo::shareCompeteGameInfo()->m_vcAwards, GetRank());
  // The sounds go through the game's sound service, made here when the
  // certificate is the first to need it.
  GameSoundDDZ::shareGameSoundDDZ();
  char sound[128];
  std::snprintf(sound, sizeof sound, "ddzSound/%s", prize.has ? kSoundPrize : kSoundNoPrize);
  if (!prize.has) {
    m_pNoPrize = MakeLabel(GameText(kTextNoPrize), kPrizeFontSize, kTextBrown);
    m_pNoPrize->setPosition(Vec2(bw / 2 + 200, bh / 2 - 100));
    m_pBackground->addChild(m_pNoPrize);
    SoundManage::shareSoundManage()->PlaySoundByFile(sound);
    return;
  }
  m_pPlate = cocos2d::ui::Scale9Sprite::createWithSpriteFrameName("ddzbs_fx_pic01.png");
  if (m_pPlate == nullptr) m_pPlate = cocos2d::ui::Scale9Sprite::create();
  m_pPlate->setPreferredSize(cocos2d::Size(kPlateWidth, kPlateHeight));
  m_pPlate->setPosition(Vec2(bw / 2 + 200, bh / 2 - 110));
  m_pBackground->addChild(m_pPlate);
  const float pw = m_pPlate->getContentSize().width;
  const float ph = m_pPlate->getContentSize().height;
  FrameAt("ddzbs_fx_z_jl.png", m_pPlate, Vec2(pw / 2, ph / 2 + 46));

  const float room = kPlateFill * pw;
  m_pPrize[0] = MakeLabel(prize.joined, kPrizeFontSize, kTextBrown);
  m_pPrize[0]->setPosition(Vec2(pw / 2, ph / 2 - 18));
  m_pPlate->addChild(m_pPrize[0]);
  if (m_pPrize[0]->getContentSize().width > room) {
    m_pPrize[0]->setString(prize.first);
    m_pPrize[0]->setPosition(Vec2(pw / 2, ph / 2 + 2));
    m_pPrize[1] = MakeLabel(prize.second, kPrizeFontSize, kTextBrown);
    m_pPrize[1]->setPosition(Vec2(pw / 2, ph / 2 - 38));
    m_pPlate->addChild(m_pPrize[1]);
    const float w1 = m_pPrize[0]->getContentSize().width;
    const float w2 = m_pPrize[1]->getContentSize().width;
    if (w1 >= room || w2 >= room) {
      float scale = 1.0f;
      if (w1 > 0) scale = room / w1;
      if (w2 > 0) scale = std::min(scale, room / w2);
      m_pPrize[0]->setScale(scale);
      m_pPrize[1]->setScale(scale);
    }
  }
  SoundManage::shareSoundManage()->PlaySoundByFile(sound);
}

void CompeteAwardLayer::BuildRank(float bw, float bh) {
  const int rank = GetRank();
  if (rank == 1) {
    m_pRankPicture = FrameAt("ddzbs_fx_pic02.png", m_pBackground, Vec2(bw / 2 - 132, bh / 2 + 18));
    m_pStamp = FrameAt("ddzbs_fx_z_gj.png", m_pBackground, Vec2(bw / 2 + 210, bh / 2 + 10));
    if (m_pStamp != nullptr) {
      m_pStamp->setVisible(false);
      m_pStamp->setScale(kStampStartScale);
      m_pStamp->runAction(cocos2d::Sequence::create(cocos2d::DelayTime::create(kStampDelay), cocos2d::Show::create(),
                                                    cocos2d::ScaleTo::create(kStampLandSeconds, 1.0f), nullptr));
    }
    return;
  }
  m_pRankPicture = FrameAt("ddzbs_fx_pic03.png", m_pBackground, Vec2(bw / 2 - 122, bh / 2 + 18));
  m_pRankDigits = cocos2d::ui::TextAtlas::create(std::to_string(rank), "ddzbs_fx_num.png", 64, 80, "0");
  m_pRankDigits->setAnchorPoint(Vec2(0.5f, 0));
  m_pRankDigits->setPosition(Vec2(bw / 2 + 196, bh / 2 - 26));
  m_pBackground->addChild(m_pRankDigits, kZNumbers);
  float scale = 1.0f;
  const float gap = RankGap(m_pRankDigits->getContentSize().width, &scale);
  m_pRankDigits->setScale(scale);
  m_pWordBefore = FrameAt("ddzbs_fx_z_d.png", m_pBackground, Vec2(bw / 2 + 196 - gap / 2, bh / 2));
  m_pWordAfter = FrameAt("ddzbs_fx_z_m.png", m_pBackground, Vec2(bw / 2 + 196 + gap / 2, bh / 2));
}

void CompeteAwardLayer::BuildTexts(float bw, float bh) {
  cocos2d::Label* congratulate = MakeLabel(GameText(kTextCongratulate), kTextFontSize, kTextRed);
  congratulate->setPosition(Vec2(bw / 2 + 98, bh / 2 + 138));
  m_pBackground->addChild(congratulate);
  cocos2d::Label* award = MakeLabel(GetAwardText(), kTextFontSize, kTextBrown);
  award->setAnchorPoint(Vec2(0, 0.5f));
  award->setPosition(Vec2(bw / 2 + 130, bh / 2 + 138));
  m_pBackground->addChild(award);
  cocos2d::Label* seePrizes = MakeLabel(GameText(kTextSeePrizes), kTextFontSize, kTextBrown);
  seePrizes->setPosition(Vec2(bw / 2 + 210, bh / 2 + 100));
  m_pBackground->addChild(seePrizes);
}

void CompeteAwardLayer::BuildButtons() {
  const float halfW = static_cast<float>(BasePT::g_iWindowWidth / 2);
  // The row stands on the certificate, kButtonY above its lower edge (the
  // window's, on a certificate as large as the window).
  float rowY = kButtonY;
  if (m_pBackground != nullptr)
    rowY += m_pBackground->getPositionY() - m_pBackground->getContentSize().height / 2;
  struct Spec {
    cocos2d::ui::Button** slot;
    const char* face;
    const char* caption;
    float x;
    void (CompeteAwardLayer::*handler)(cocos2d::Ref*);
  };
  const Spec specs[] = {
      {&m_pAgainBtn, "ddzbs_btn_blue02.png", "ddzbs_btn_yellow02_xyc.png", halfW + kButtonSpread,
       &CompeteAwardLayer::OnClickAgain},
      {&m_pQuitBtn, "ddzbs_btn_yellow02.png", "ddzbs_btn_blue02_tc.png", halfW - kButtonSpread,
       &CompeteAwardLayer::OnClickQuit},
      {&m_pShareBtn, "ddzbs_btn_blue02.png", "ddzbs_btn_blue02_fx.png", halfW, &CompeteAwardLayer::OnClickShare},
  };
  for (const Spec& s : specs) {
    cocos2d::ui::Button* button = cocos2d::ui::Button::createWithExtraAbove(
        s.face, "", "", s.caption, cocos2d::ui::Widget::TextureResType::PLIST);
    if (button == nullptr) continue;
    button->setPosition(Vec2(s.x, rowY));
    const auto handler = s.handler;
    button->addClickEventListener([this, handler](cocos2d::Ref* sender) { (this->*handler)(sender); });
    addChild(button);
    *s.slot = button;
  }
  // Only a match without a timetable can be played again from here.
  if (CompeteGameInfo::shareCompeteGameInfo()->m_Record.iMatchKind != 1) {
    if (m_pAgainBtn != nullptr) m_pAgainBtn->setVisible(false);
    if (m_pShareBtn != nullptr) m_pShareBtn->setPosition(Vec2(halfW + kButtonSpreadTwo, rowY));
    if (m_pQuitBtn != nullptr) m_pQuitBtn->setPosition(Vec2(halfW - kButtonSpreadTwo, rowY));
  }
}

// ---------------------------------------------------------------- the buttons

void CompeteAwardLayer::LeaveTable() {
  GameViewBase* view = CurrentView();
  if (view != nullptr) {
    view->QuitGame(nullptr);
  } else {
    cocos2d::log("CompeteAwardLayer: no table to leave");
  }
}

void CompeteAwardLayer::OnClickQuit(cocos2d::Ref*) { LeaveTable(); }

void CompeteAwardLayer::OnClickAgain(cocos2d::Ref*) {
  std::string wait;
  GetConfValue(wait, "http_enter_tip", CompeteRoomListLayer::kQuestionFile, CompeteRoomListLayer::kQuestionSection);
  GameMsgBox* box = GameMsgBox::shareMessageBox();
  box->ShowMessage(wait.c_str(), kBoxWait, this, nullptr, nullptr, 0.0f, 1, true, CurrentView());

  auto* list = dynamic_cast<CompeteRoomListLayer*>(RoomListLayer::shareRoomListLayer(nullptr));
  if (list == nullptr) {
    cocos2d::log("CompeteAwardLayer: no tournament list to sign up again");
    box->CloseDialog();
    return;
  }
  int feeNum = 0;
  const int r = list->FindCompeteRoom(&feeNum);
  cocos2d::log("CompeteAwardLayer OnClickAgain: FindCompeteRoom %d fee %d", r, feeNum);
  if (r == CompeteRoomListLayer::kFindLastFeePayable) {
    g_bCompetePlayAgain = 1;
    LeaveTable();
  } else if (r == CompeteRoomListLayer::kFindNoFeePayable || r == CompeteRoomListLayer::kFindNoMatch) {
    // A match that is no longer listed cannot be signed up for either: the
    // certificate stays.
    box->ShowMessage(GameText(kTextNoFeePayable).c_str(), kBoxNotice, this);
  } else {
    const std::string fee = ddz::FormatText(GameText(kTextFeeBase + r), feeNum);
    const std::string question = ddz::FormatText(GameText(kTextConfirmAgain), fee);
    box->ShowMessage(question.c_str(), kBoxQuestion, this, menu_selector(CompeteAwardLayer::OnConfirmAgain));
  }
}

void CompeteAwardLayer::OnConfirmAgain(cocos2d::Ref*) {
  g_bCompetePlayAgain = 1;
  LeaveTable();
}

void CompeteAwardLayer::OnClickShare(cocos2d::Ref*) {
  // A second press starts again: the pending picture goes with its object.
  CCreateSharePic::destorySharedCreateSharePic();
  CCreateSharePic* pic = CCreateSharePic::sharedCreateSharePic();
  pic->m_bFlag = false;
  pic->saveScreenShotOnly(
      kSharePicName, this, [this](const std::string& name, bool ok) { CallBackCreatePic(name, ok); }, kShareMode);
}

void CompeteAwardLayer::CallBackCreatePic(std::string name, bool isOK) {
  cocos2d::log(" CallBackCreatePic :name[%s] isOK[%d]", name.c_str(), isOK ? 1 : 0);
  if (isOK) {
    const std::string path = cocos2d::FileUtils::getInstance()->getWritablePath() + kSharePicName + ".jpg";
    char appId[64] = {};
    GetConfValue(appId, sizeof appId, kVacAppIdKey, kVacFile, kVacSection, "");
    const GlobalInfo& info = GameViewBase::m_GlobalInfo;
    const std::string userName = ddz::RecordText(info.szUserName);
    OsApiBase::shareOsApi()->SharePicture(path.c_str(), appId, userName.c_str(), info.iUserID, kShareArg1,
                                          kShareArg2);
  }
  CCreateSharePic::destorySharedCreateSharePic();
}
