#include "classic/DDZPropTip.h"

#include <algorithm>
#include <cstdio>
#include <ctime>

#include "classic/DDZPackLayer.h"
#include "gamedata/LabelHelpers.h"
#include "platform/engine/Label.h"
#include "platform/engine/Layer.h"
#include "platform/engine/Sprite.h"
#include "platform/framework/YndConf.h"
#include "platform/gamebase/GameViewBase.h"

using cocos2d::Color4B;
using cocos2d::Label;
using cocos2d::Vec2;

namespace {

const Color4B kCaptionColor(255, 250, 114, 255);
const Color4B kValueColor(25, 213, 241, 255);
const Color4B kLowerCurrencyColor(0, 255, 255, 255);
const Color4B kTipBackground(0, 0, 0, 200);
constexpr float kMargin = 10.0f;
constexpr float kRowGap = 8.0f;
constexpr int kOneDay = 86400;

Label* TipLabel(const std::string& text, const Color4B& color) {
  Label* label = Label::createWithSystemFont(text, g_strSystemFont, DDZPropTip::kFontSize);
  label->setAnchorPoint(Vec2(0.0f, 1.0f));
  label->setTextColor(color);
  return label;
}

}  // namespace

// ---------------------------------------------------------------- cell

DDZPropItem* DDZPropItem::create() {
  auto* item = new DDZPropItem();
  item->setContentSize(cocos2d::Size(kCellSize, kCellSize));
  item->setAnchorPoint(Vec2::ZERO);
  item->autorelease();
  return item;
}

void DDZPropItem::SetProp(const UserPropRecord* record) {
  if (record == nullptr) {
    if (m_pIcon != nullptr) m_pIcon->setSpriteFrame(nullptr);
    if (m_pCountLabel != nullptr) m_pCountLabel->setString("");
    m_iPropID = 0;
    setVisible(false);
    return;
  }
  setVisible(true);
  if (m_pIcon == nullptr) {
    m_pIcon = cocos2d::Sprite::create();
    m_pIcon->setPosition(Vec2(getContentSize().width / 2, getContentSize().height / 2));
    addChild(m_pIcon);
  }
  if (m_iPropID == 0 || m_iPropID != record->iPropID) {
    m_iPropID = record->iPropID;
    char frame[32];
    std::snprintf(frame, sizeof(frame), "pack_%d.png", record->iPropID);
    // A prop without its icon frame keeps an empty icon (the cache logs the name).
    m_pIcon->setSpriteFrame(cocos2d::SpriteFrameCache::getInstance()->getSpriteFrameByName(frame));
  }
  const std::string count = std::to_string(record->iCount);
  if (m_pCountLabel == nullptr) {
    m_pCountLabel = Label::createWithSystemFont(count, g_strSystemFont, 12.0f);
    m_pCountLabel->setTextColor(Color4B(255, 255, 255, 255));
    m_pCountLabel->setAnchorPoint(Vec2(1.0f, 0.0f));
    m_pCountLabel->setPosition(Vec2(getContentSize().width, -2.0f));
    addChild(m_pCountLabel);
  } else {
    m_pCountLabel->setString(count);
  }
}

// ---------------------------------------------------------------- tip

DDZPropTip* DDZPropTip::create() {
  auto* tip = new DDZPropTip();
  tip->autorelease();
  return tip;
}

void DDZPropTip::onEnter() {
  Node::onEnter();
  setVisible(false);
}

void DDZPropTip::onExit() {
  Node::onExit();
  removeAllChildrenWithCleanup(true);
}

void DDZPropTip::LoadLabels(const char* file) {
  static constexpr const char* kSection = "prop_lable";
  const struct {
    const char* key;
    char* field;
    std::size_t capacity;
  } captions[] = {
      {"prop_lable_delimiter", m_szDelimiter, sizeof(m_szDelimiter)},
      {"prop_lable_name", m_szLableName, sizeof(m_szLableName)},
      {"prop_lable_num", m_szLableNum, sizeof(m_szLableNum)},
      {"prop_lable_num_max", m_szLableNumMax, sizeof(m_szLableNumMax)},
      {"prop_lable_limit_time", m_szLableLimitTime, sizeof(m_szLableLimitTime)},
      {"prop_lable_description", m_szLableDescription, sizeof(m_szLableDescription)},
      {"prop_lable_from", m_szLableFrom, sizeof(m_szLableFrom)},
      {"prop_lable_1", m_szLable1, sizeof(m_szLable1)},
      {"prop_lable_2", m_szLable2, sizeof(m_szLable2)},
  };
  // The reader cuts a value that does not fit at a whole character.
  for (const auto& c : captions) GetValueStr(c.field, c.capacity, c.key, file, kSection, "");
}

void DDZPropTip::SplitText(const std::string& text, std::vector<std::string>& out) const {
  const std::string delimiter = m_szDelimiter;
  if (delimiter.empty()) {
    out.push_back(text);
    return;
  }
  std::size_t start = 0;
  for (std::size_t at = text.find(delimiter); at != std::string::npos; at = text.find(delimiter, start)) {
    out.push_back(text.substr(start, at - start));
    start = at + delimiter.size();
  }
  out.push_back(text.substr(start));
}

std::string DDZPropTip::RemainingTimeText(int seconds) {
  if (seconds <= 0) return "";
  std::string text = "剩余时间";
  char part[32];
  if (seconds >= kOneDay) {
    std::snprintf(part, sizeof(part), "%d天", (seconds + kOneDay - 1) / kOneDay);
    return text + part;
  }
  const int hours = seconds / 3600;
  const int minutes = seconds % 3600 / 60;
  if (hours > 0) {
    std::snprintf(part, sizeof(part), "%d时", hours);
    text += part;
  }
  if (minutes > 0) {
    std::snprintf(part, sizeof(part), "%d分", minutes);
    text += part;
  }
  std::snprintf(part, sizeof(part), "%d秒", seconds % 60);
  return text + part;
}

int DDZPropTip::CurrencyYear(int serverTime) {
  const std::time_t t = serverTime;
  std::tm local{};
  localtime_r(&t, &local);
  return std::max(2012, local.tm_year + 1900);
}

void DDZPropTip::Refresh(const UserPropRecord* record, float elapsedSeconds) {
  const auto& catalogue = DDZPackLayer::GetStaticPropMap();
  const auto entry = record != nullptr ? catalogue.find(record->iPropID) : catalogue.end();
  if (entry == catalogue.end()) {
    setVisible(false);
    return;
  }
  const PropInfo& info = entry->second;
  const GlobalInfo& global = GameViewBase::m_GlobalInfo;
  removeAllChildrenWithCleanup(true);
  auto* background = cocos2d::LayerColor::create(kTipBackground);
  addChild(background);

  // Rows from the bottom up: each row's top edge is the running height plus
  // the gap (none for the first row) and its taller label.
  float height = kMargin;
  bool first = true;
  // A row: `caption` (null on the lower lines of a caption's value) and
  // `value` (null when the row has none), the value after `captionWidth`.
  auto placeRow = [&](Label* caption, Label* value, float captionWidth) {
    float tall = 0.0f;
    if (caption != nullptr) tall = caption->getContentSize().height;
    if (value != nullptr) tall = std::max(tall, value->getContentSize().height);
    const float top = height + (first ? 0.0f : kRowGap) + tall;
    first = false;
    if (caption != nullptr) {
      caption->setPosition(Vec2(kMargin, top));
      addChild(caption);
    }
    if (value != nullptr) {
      value->setPosition(Vec2(kMargin + captionWidth, top));
      addChild(value);
    }
    height = top;
  };
  auto captionRow = [&](const char* captionText, Label* value) {
    Label* caption = TipLabel(captionText, kCaptionColor);
    placeRow(caption, value, caption->getContentSize().width);
  };
  auto captionWidth = [](const char* captionText) {
    return TipLabel(captionText, kCaptionColor)->getContentSize().width;
  };

  if (!info.strFrom.empty()) captionRow(m_szLableFrom, TipLabel(info.strFrom, kValueColor));
  if (!info.strDescription.empty()) {
    std::vector<std::string> lines;
    SplitText(info.strDescription, lines);
    // Last line lowest; the caption stands beside the topmost one.
    const float indent = captionWidth(m_szLableDescription);
    for (std::size_t i = lines.size(); i-- > 1;) placeRow(nullptr, TipLabel(lines[i], kValueColor), indent);
    captionRow(m_szLableDescription, TipLabel(lines.front(), kValueColor));
  }
  if (!info.strLimitTime.empty() || record->iExpireTime > 0) {
    Label* value = nullptr;
    if (record->iExpireTime <= 0) {
      value = TipLabel(info.strLimitTime, kValueColor);
    } else {
      const long long left = std::max<long long>(0, static_cast<long long>(record->iExpireTime) - global.iServerTime) -
                             static_cast<long long>(elapsedSeconds);
      if (left > 0) value = TipLabel(RemainingTimeText(static_cast<int>(std::min<long long>(left, 0x7fffffff))), kValueColor);
    }
    captionRow(m_szLableLimitTime, value);
  }
  if (!info.strNumMax.empty()) captionRow(m_szLableNumMax, TipLabel(info.strNumMax, kValueColor));
  if (record->iPropID == 1 || record->iPropID == 2) {
    const int year = CurrencyYear(global.iServerTime);
    const bool yuanBao = record->iPropID == 1;
    const char* words = yuanBao ? m_szLable1 : m_szLable2;
    char upper[160];
    char lower[160];
    std::snprintf(upper, sizeof(upper), "%-8d%s%d/1/1", yuanBao ? global.iYuanBaoNextYear : global.iProp2NextYear,
                  words, year + 1);
    std::snprintf(lower, sizeof(lower), "%-8d%s%d/1/1", yuanBao ? global.iYuanBao : global.iProp2Amount, words,
                  year + 2);
    // The lower line first (rows go up), then the caption beside the upper one.
    placeRow(nullptr, TipLabel(lower, kLowerCurrencyColor), captionWidth(m_szLableNum));
    captionRow(m_szLableNum, TipLabel(upper, kValueColor));
  }
  captionRow(m_szLableName, TipLabel(info.strName, kValueColor));

  const cocos2d::Size size(kWidth, height + kMargin);
  background->setContentSize(size);
  setContentSize(size);
}
