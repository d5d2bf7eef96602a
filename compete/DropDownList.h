// The fee drop-down of the sign-up dialog: one row per way to pay the match's
// entry (the free daily entry first, when the match chose it, then every fee
// option in the match's order), opened under the dialog's fee entry.
//
// A touch that ends on a row writes that row's fee kind and amount into the
// match, marks it as the user's pick (a later user record does not choose
// the fee again) and tells the dialog (SignUpLayer::OnSelectFee), once; every touch
// that ends, and one that begins or moves outside the rows, closes the list
// through the deferred remover (never inside its own touch handler). A list
// whose dialog has closed, or shows another match, tells nothing. While it is
// up the list takes every touch (the dialog below gets none).
//
// CreateFeeItemNode makes the fee display both the rows and the dialog show.
#pragma once

#include <cstdint>
#include <utility>
#include <vector>

#include "platform/framework/YndGameLayer.h"

class CompeteRoomInfo;
class SignUpLayer;
namespace cocos2d {
namespace ui {
class Scale9Sprite;
}  // namespace ui
}  // namespace cocos2d

class DropDownList : public YndGameLayer {
 public:
  static constexpr float kWidth = 211;
  static constexpr float kRowHeight = 60;
  static constexpr float kTopGap = 10;

  // `pRoom` and `pOwner` are borrowed: the match belongs to the list, the
  // owner is the one dialog.
  static DropDownList* create(CompeteRoomInfo* pRoom, SignUpLayer* pOwner);
  DropDownList(CompeteRoomInfo* pRoom, SignUpLayer* pOwner);
  ~DropDownList() override;

  void onEnter() override;
  void onExit() override;
  void onTouchesBegan(const std::vector<cocos2d::Touch*>& touches, cocos2d::Event* event) override;
  void onTouchesMoved(const std::vector<cocos2d::Touch*>& touches, cocos2d::Event* event) override;
  void onTouchesEnded(const std::vector<cocos2d::Touch*>& touches, cocos2d::Event* event) override;

  // ---- read access ----
  // The rows: (fee kind, amount), in order.
  const std::vector<std::pair<std::int32_t, std::int32_t>>& GetOptions() const { return m_vcOptions; }
  // Each row's touch area (its stripe, shown on odd rows only).
  const std::vector<cocos2d::ui::Scale9Sprite*>& GetRowAreas() const { return m_vcRowAreas; }
  int GetSelectedRow() const { return m_iSelected; }
  bool IsClosing() const { return m_bClosing; }
  // Leaves through the deferred remover, without a pick; touches do nothing
  // more.
  void Close();

 private:
  // The row under the first touch (in the list's space), -1 for none.
  int HitRow(const std::vector<cocos2d::Touch*>& touches);

  int m_iSelected = 0;
  std::vector<cocos2d::ui::Scale9Sprite*> m_vcRowAreas;  // children
  SignUpLayer* m_pOwner = nullptr;                       // borrowed
  CompeteRoomInfo* m_pRoom = nullptr;                    // borrowed
  std::vector<std::pair<std::int32_t, std::int32_t>> m_vcOptions;
  bool m_bClosing = false;  // asked to go: touches do nothing more
};

// The fee display: the free-entry word for kinds 0 and -1; else the amount
// and the kind's picture side by side, the pair centred on the node's origin.
cocos2d::Node* CreateFeeItemNode(std::int32_t iFeeType, std::int32_t iFeeNum);
