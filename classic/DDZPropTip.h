// The two small nodes of the backpack: one 58 x 58 cell of the grid
// (`DDZPropItem`: the prop's icon and its count at the bottom-right corner)
// and the tooltip (`DDZPropTip`) that describes the prop under the pointer
// with captions from the props file: name, the currency buckets of props 1
// and 2, maximum count, limit or remaining time, description and source.
//
// The tip keeps the id of the prop it shows, never a pointer into the game
// base's prop list: the backpack looks the record up each time it rebuilds
// the tip, so a prop deleted meanwhile cannot be read after it is gone.
#pragma once

#include <string>
#include <vector>

#include "platform/engine/Node.h"
#include "platform/gamebase/PackInfoBase.h"

namespace cocos2d {
class Label;
class Sprite;
}  // namespace cocos2d

class DDZPropItem : public cocos2d::Node {
 public:
  static constexpr float kCellSize = 58.0f;

  static DDZPropItem* create();

  // Shows `record` (icon "pack_<id>.png", count); null empties and hides the
  // cell. A prop without an icon frame shows an empty icon with its count.
  void SetProp(const UserPropRecord* record);

  int GetShownPropId() const { return m_iPropID; }
  cocos2d::Sprite* GetIcon() const { return m_pIcon; }         // child, null until first set
  cocos2d::Label* GetCountLabel() const { return m_pCountLabel; }  // child, null until first set

 private:
  int m_iPropID = 0;
  cocos2d::Sprite* m_pIcon = nullptr;
  cocos2d::Label* m_pCountLabel = nullptr;
};

class DDZPropTip : public cocos2d::Node {
 public:
  static constexpr float kWidth = 260.0f;
  static constexpr float kFontSize = 12.0f;

  static DDZPropTip* create();

  void onEnter() override;
  void onExit() override;

  // The nine captions of section "prop_lable" of `file` (default empty); a
  // caption longer than its field is cut at a character boundary.
  void LoadLabels(const char* file);

  // The prop the tip describes (0: none).
  void SetPropId(int propId) { m_iPropID = propId; }
  int GetPropId() const { return m_iPropID; }

  // Rebuilds the tip for `record` (the record of the shown prop, or null when
  // the user no longer has it) with `elapsedSeconds` of the backpack's clock.
  // A prop that is not in the catalogue, or a null record, hides the tip.
  void Refresh(const UserPropRecord* record, float elapsedSeconds);

  // The pieces of `text` between the delimiter, in order, and the rest after
  // the last one. An empty delimiter gives the whole text.
  void SplitText(const std::string& text, std::vector<std::string>& out) const;

  // "剩余时间" and the days rounded up (a day or more), else the hours and
  // minutes when above 0 and always the seconds. "" for 0 or less.
  static std::string RemainingTimeText(int seconds);
  // The calendar year of `serverTime` in local time, at least 2012.
  static int CurrencyYear(int serverTime);

  char m_szDelimiter[24] = {};
  char m_szLableName[60] = {};
  char m_szLableNum[60] = {};
  char m_szLableNumMax[60] = {};
  char m_szLableLimitTime[60] = {};
  char m_szLableDescription[60] = {};
  char m_szLableFrom[60] = {};
  char m_szLable1[60] = {};
  char m_szLable2[60] = {};

 private:
  int m_iPropID = 0;
};
