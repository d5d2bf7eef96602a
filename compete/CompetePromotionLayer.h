// The promotion screen: shown on the tournament table between hands while the
// other tables of the stage finish. It shows the user's rank among the
// players still in, the tables still playing and the time waited, and a bar
// of the match's stages (PromotionItem segments, at most five in view) with a
// marker over the current stage. A stage result that promotes the user
// advances the bar with an animation, a title and a sound; any result holds
// the game messages back for 3 s so that the user sees it.
//
// One screen lives from a match's (re)start to the next, owned by the table
// view, which adds it for the stage messages and takes it off when play
// resumes (CompeteGameView::ShowPromotionLayer, RemovePromotionLayer). Its
// numbers survive those removals; every entry rebuilds the screen from them
// (the widgets of the entry before are discarded first, so one copy is ever
// shown) and takes one stage result.
//
// The stage list is the match's, with the second entry left out when it
// repeats the first (a qualifying round of the same size).
#pragma once

#include <cstdint>
#include <vector>

#include "platform/framework/YndGameLayer.h"

namespace cocos2d {
class Label;
class Sprite;
namespace ui {
class TextAtlas;
}
}  // namespace cocos2d
class PromotionItem;

class CompetePromotionLayer : public YndGameLayer {
 public:
  static constexpr float kSegmentWidth = 196;
  static constexpr int kVisibleSegments = 5;
  static constexpr int kScrollStep = 3;
  static constexpr int kResultHoldMs = 3000;
  static constexpr float kMarkerSeconds = 0.5f;
  static constexpr int kZOnTable = 1004;
  static constexpr const char* kPromotionSound = "ddzcompete_promotion_up_2.mp3";

  static CompetePromotionLayer* create();
  CompetePromotionLayer();
  ~CompetePromotionLayer() override;

  void onEnter() override;
  void onExit() override;

  // The rank and the players after the slash; from competition state 3 on a
  // total already known is kept (the current stage's players).
  void UpdateOrder(std::int32_t iCurOrder, std::int32_t iAllPlayer);
  void UpdateWaitTable(std::int32_t iWaitTable);
  // A stage result: 1 promoted, 0 none, any other value a result without
  // promotion. One result per entry, and only while shown.
  void ShowWeedBrevet(std::int32_t iWeedBrevet);
  // The stages passed; takes effect at the next entry.
  void SetBrevetTimes(std::int32_t iBrevetTimes) { m_iBrevetTimes = iBrevetTimes; }
  // Whether the screen is to be shown: the stages passed are below the
  // stage count minus 2, compared unsigned (fewer than 2 stages: always).
  bool JudgeShow() const;
  void UpdateTime(float dt);

  // The first visible segment for `segments` segments at `promotions`
  // stages passed, from the one shown before (`first`).
  static int FirstVisibleSegment(int segments, int promotions, int first);

  // ---- read access ----
  std::int32_t GetCurOrder() const { return m_iCurOrder; }
  std::int32_t GetAllPlayer() const { return m_iAllPlayer; }
  std::int32_t GetWaitSeconds() const { return m_iWaitSeconds; }
  std::int32_t GetWaitTable() const { return m_iWaitTable; }
  std::int32_t GetFirstVisible() const { return m_iFirstVisible; }
  std::int32_t GetBrevetTimes() const { return m_iBrevetTimes; }
  bool IsResultShown() const { return m_bResultShown; }
  const std::vector<int>& GetStages() const { return m_vcStages; }
  const std::vector<PromotionItem*>& GetSegments() const { return m_vcItems; }
  cocos2d::Node* GetBar() const { return m_pBar; }
  cocos2d::Label* GetTips() const { return m_pTips; }
  cocos2d::Label* GetTitle() const { return m_pTitle; }
  cocos2d::Sprite* GetMarker() const { return m_pMarker; }
  cocos2d::ui::TextAtlas* GetRankDigits() const { return m_pOrderNum; }
  cocos2d::ui::TextAtlas* GetTotalDigits() const { return m_pAllNum; }

 private:
  void BuildBar();
  void ShowOrder();
  void ShowWaitText();

  std::int32_t m_iCurOrder = 0;
  std::int32_t m_iAllPlayer = 0;
  std::int32_t m_iWaitSeconds = 0;
  std::int32_t m_iWaitTable = 0;
  std::int32_t m_iFirstVisible = 0;
  std::int32_t m_iBrevetTimes = 0;
  bool m_bResultShown = false;
  // This entry's widgets: children of the layer.
  cocos2d::Node* m_pLowerPanel = nullptr;
  cocos2d::Node* m_pBar = nullptr;
  cocos2d::Label* m_pTips = nullptr;
  cocos2d::Label* m_pTitle = nullptr;
  cocos2d::Sprite* m_pMarker = nullptr;  // null when not built, and after onExit
  cocos2d::ui::TextAtlas* m_pOrderNum = nullptr;
  cocos2d::ui::TextAtlas* m_pAllNum = nullptr;
  std::vector<int> m_vcStages;
  std::vector<PromotionItem*> m_vcItems;  // the bar's children
};
