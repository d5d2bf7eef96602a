// The sign-up dialog's details page: its title bar, the two tabs, the prize
// lines and the rules. The frame and the sign-up page are in SignUpLayer.cpp.
#include <string>
#include <vector>

#include "compete/RoomInfoItem.h"
#include "compete/SignUpLayer.h"
#include "gamedata/CompeteRoomInfo.h"
#include "gamedata/TextTables.h"
#include "platform/engine/Label.h"
#include "platform/engine/Sprite.h"
#include "platform/engine/ui/Widgets.h"

using cocos2d::Color3B;
using cocos2d::Vec2;

namespace {

constexpr int kGameTextRank = 303;
constexpr int kGameTextRanks = 304;
constexpr int kGameTextStageTitle = 308;
constexpr int kGameTextStageLine = 309;
constexpr int kGameTextFinalTitle = 311;
constexpr int kGameTextFinalLine = 312;
constexpr int kGameTextFinalRounds = 313;
constexpr int kGameTextOtherTitle = 411;
constexpr int kGameTextFreePerDay = 412;
constexpr int kGameTextLateSignUp = 424;
constexpr int kGameTextDetailTitle = 438;
constexpr int kCompeteTextStageRule = 19;
// The match kind whose rules tell how long sign-up stays open after the start.
constexpr int kMatchKindLateSignUp = 2;

constexpr float kRuleBoxX = 620;
constexpr float kRuleBoxWidth = 660;
constexpr float kRuleLineHeight = 54;

cocos2d::ui::Button* TabButton(const char* frame, float y) {
  cocos2d::ui::Button* tab = cocos2d::ui::Button::create(frame, "", "", cocos2d::ui::Widget::TextureResType::PLIST);
  if (tab != nullptr) tab->setPosition(Vec2(SignUpLayer::kTabX, y));
  return tab;
}

// General number i of the match (0 when it has fewer).
int Number(const CompeteRoomInfo& room, std::size_t i) { return i < room.m_vcNumbers.size() ? room.m_vcNumbers[i] : 0; }

cocos2d::Label* BoxLine(const std::string& text, float y) {
  return ddz::CompeteLabel(text, 28, SignUpLayer::kValueColour, Vec2(0, 0.5f), Vec2(20, y));
}

}  // namespace

void SignUpLayer::ShowDetailPanel(cocos2d::Ref*) {
  m_iPage = kPageDetail;
  ClearPage();
  if (m_pRoom == nullptr || m_pWindow == nullptr || m_pTitleBar == nullptr) return;
  const cocos2d::Size title = m_pTitleBar->getContentSize();
  const cocos2d::Size window = m_pWindow->getContentSize();

  m_pTitleBar->addChild(ddz::CompeteLabel(::GameText(kGameTextDetailTitle), 36, kTitleColour, Vec2(0.5f, 0.5f),
                                          Vec2(title.width / 2, title.height / 2)));
  if (auto* back =
          cocos2d::ui::Button::create("ddzbs_tc_btn_fh.png", "", "", cocos2d::ui::Widget::TextureResType::PLIST)) {
    back->setPosition(Vec2(50, title.height / 2));
    back->addClickEventListener([this](cocos2d::Ref* sender) { ShowSignUpPage(sender); });
    m_pTitleBar->addChild(back);
  }

  cocos2d::Sprite* divider = FrameSprite("ddzbs_tc_line.png");
  divider->setPosition(Vec2(window.width / 2 - 226, window.height / 2));
  m_pWindow->addChild(divider);
  m_pTabMarker = FrameSprite("ddzbs_tc_btn.png");
  m_pWindow->addChild(m_pTabMarker);
  m_pContent = cocos2d::Node::create();
  m_pWindow->addChild(m_pContent);
  m_pAwardTab = TabButton("ddzbs_tc_btn_jl.png", kAwardTabY);
  if (m_pAwardTab != nullptr) {
    m_pAwardTab->addClickEventListener([this](cocos2d::Ref* sender) { ShowAwardPage(sender); });
    m_pWindow->addChild(m_pAwardTab);
  }
  m_pRuleTab = TabButton("ddzbs_tc_btn_sz.png", kRuleTabY);
  if (m_pRuleTab != nullptr) {
    m_pRuleTab->addClickEventListener([this](cocos2d::Ref* sender) { ShowRulePage(sender); });
    m_pWindow->addChild(m_pRuleTab);
  }
  ShowAwardPage(nullptr);
}

void SignUpLayer::ShowAwardPage(cocos2d::Ref*) {
  if (m_pContent == nullptr || m_pRoom == nullptr) return;
  m_pContent->removeAllChildren();
  if (m_pTabMarker != nullptr) m_pTabMarker->setPosition(Vec2(kTabX, kAwardTabY));
  if (m_pAwardTab != nullptr) m_pAwardTab->setTouchEnabled(false);
  if (m_pRuleTab != nullptr) m_pRuleTab->setTouchEnabled(true);

  cocos2d::ui::ListView* list = cocos2d::ui::ListView::create();
  list->setDirection(cocos2d::ui::ScrollView::Direction::VERTICAL);
  list->setTouchEnabled(true);
  list->setBounceEnabled(true);
  list->setContentSize(cocos2d::Size(kAwardRowWidth, 468));
  list->setPosition(Vec2(260, 20));
  m_pContent->addChild(list);
  for (std::size_t i = 0; i < m_pRoom->m_vcAwards.size(); ++i) {
    const CompeteAwardItem& award = m_pRoom->m_vcAwards[i];
    cocos2d::Node* row = cocos2d::Node::create();
    if (i % 2 == 0) {
      // The stripe covers its own row (hung from the row's top edge).
      if (auto* stripe = cocos2d::ui::Scale9Sprite::createWithSpriteFrameName("ddzbs_tc_tip_d02.png")) {
        stripe->setPreferredSize(cocos2d::Size(kAwardRowWidth, kAwardRowHeight));
        stripe->setAnchorPoint(Vec2(0, 1));
        stripe->setPosition(Vec2(0, kAwardRowHeight));
        row->addChild(stripe);
      }
    }
    const std::string rank = award.iRankFrom == award.iRankTo
                                 ? ddz::FormatText(::GameText(kGameTextRank), award.iRankFrom)
                                 : ddz::FormatText(::GameText(kGameTextRanks), award.iRankFrom, award.iRankTo);
    row->addChild(ddz::CompeteLabel(rank, 28, kValueColour, Vec2(0, 0.5f), Vec2(20, kAwardRowHeight / 2)));
    cocos2d::Label* prize =
        ddz::CompeteLabel(ddz::CompeteAwardText(award), 28, kTealColour, Vec2(0, 0.5f), Vec2(250, kAwardRowHeight / 2));
    const float width = prize->getContentSize().width;
    if (width > kAwardTextWidth) prize->setScale(kAwardTextWidth / width);
    row->addChild(prize);
    cocos2d::ui::Layout* item = cocos2d::ui::Layout::create();
    item->setContentSize(cocos2d::Size(kAwardRowWidth, kAwardRowHeight));
    item->setTouchEnabled(true);
    item->addChild(row);
    list->pushBackCustomItem(item);
  }
}

std::string ddz::CompeteAwardText(const CompeteAwardItem& award) {
  std::string text = ddz::RecordText(award.szAwardText);
  for (const std::string& more : {ddz::RecordText(award.szAwardText2), ddz::RecordText(award.szAwardText3)}) {
    if (!more.empty()) text += "+" + more;
  }
  return text;
}

cocos2d::Node* SignUpLayer::AddRuleSection(int titleEntry, float y, float boxHeight, bool hangs) {
  if (cocos2d::Sprite* header = cocos2d::Sprite::createWithSpriteFrameName("ddzbs_tc_pic03.png")) {
    // A tab on the box's top edge that starts right of the divider and
    // carries the title.
    header->setAnchorPoint(Vec2(0, 0.5f));
    header->setPosition(Vec2(284, y));
    m_pContent->addChild(header);
  }
  m_pContent->addChild(ddz::CompeteLabel(::GameText(titleEntry), 30, kTealColour, Vec2(0.5f, 0.5f), Vec2(336, y)));
  cocos2d::ui::Scale9Sprite* box = Panel9("ddzbs_tc_tip_d01.png", kRuleBoxWidth, boxHeight);
  if (hangs) {
    box->setAnchorPoint(Vec2(0.5f, 1));
    box->setPosition(Vec2(kRuleBoxX, y - 18));
  } else {
    box->setPosition(Vec2(kRuleBoxX, y - 74));
  }
  m_pContent->addChild(box);
  return box;
}

void SignUpLayer::ShowRulePage(cocos2d::Ref*) {
  if (m_pContent == nullptr || m_pRoom == nullptr) return;
  m_pContent->removeAllChildren();
  if (m_pTabMarker != nullptr) m_pTabMarker->setPosition(Vec2(kTabX, kRuleTabY));
  if (m_pRuleTab != nullptr) m_pRuleTab->setTouchEnabled(false);
  if (m_pAwardTab != nullptr) m_pAwardTab->setTouchEnabled(true);

  const CompeteRoomInfo& room = *m_pRoom;
  const CompeteMatchRecord& record = room.m_Record;
  float y = kRuleTop;
  if (!room.m_vcStages.empty()) {
    cocos2d::Node* box = AddRuleSection(kGameTextStageTitle, y, 110, false);
    box->addChild(BoxLine(ddz::FormatText(::GameText(kGameTextStageLine), Number(room, 0), Number(room, 1)), 84));
    box->addChild(BoxLine(::CompeteText(kCompeteTextStageRule), 30));
    y = kRuleTop - kRuleStep;
  }
  cocos2d::Node* finals = AddRuleSection(kGameTextFinalTitle, y, 110, false);
  finals->addChild(BoxLine(::GameText(kGameTextFinalLine), 84));
  finals->addChild(BoxLine(ddz::FormatText(::GameText(kGameTextFinalRounds), Number(room, 2), Number(room, 3)), 30));
  y -= kRuleStep;

  std::vector<std::string> lines;
  if (record.iFreePerDay > 0) lines.push_back(ddz::FormatText(::GameText(kGameTextFreePerDay), record.iFreePerDay));
  if (record.iMatchKind == kMatchKindLateSignUp)
    lines.push_back(ddz::FormatText(::GameText(kGameTextLateSignUp), record.iSignUpMinutes, record.iLastPlayers));
  if (lines.empty()) return;
  cocos2d::Node* other =
      AddRuleSection(kGameTextOtherTitle, y, kRuleLineHeight * static_cast<float>(lines.size()), true);
  for (std::size_t k = 0; k < lines.size(); ++k)
    other->addChild(BoxLine(lines[k], 30 + kRuleLineHeight * static_cast<float>(k)));
}
