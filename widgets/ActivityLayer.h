// The table's bar of activity buttons: at most one button per activity type
// (0 the daily time window, 1 the counter activity, 2 the web activity with a
// countdown; see widgets/ActiveButtons.h).
//
// The bar makes a button of a type the first time it is asked for one, and
// lays the buttons out in creation order: button k at (100 k, 0) with z-order
// -k, so each later button lies under the one before it. The buttons are its
// children and are kept in a vector in creation order.
//
// Removal: a removed button leaves the vector and the layout at once, stops
// its timers and disappears; the node itself leaves the bar through the
// framework's deferred child remover. A button may therefore ask for its own
// removal from inside its own tick or touch handler (the web countdown does):
// nothing is destroyed under the call that asked.
#pragma once

#include <vector>

#include "platform/framework/YndGameLayer.h"

class ActiveBtnBase;

class ActivityLayer : public YndGameLayer {
 public:
  static constexpr int kTypeTimeWindow = 0;
  static constexpr int kTypeCounter = 1;
  static constexpr int kTypeWeb = 2;
  static constexpr float kButtonSpacing = 100.0f;

  static ActivityLayer* create();

  void onEnter() override;

  // The button of iType; when there is none, a new one of that type with
  // iValue as its activity number, added to the bar and laid out. Null (and
  // nothing added) for a type other than 0, 1, 2.
  ActiveBtnBase* GetActiveBtn(int iType, int iValue = 0);
  // The button of iType, or null.
  ActiveBtnBase* FindActiveBtn(int iType) const;
  // Removes the first button of iType (see the removal note above) and lays
  // the bar out again, also when no button matched.
  void RemoveActiveBtn(int iType);
  // Removes every button.
  void RemoveAll();
  // Closes the tip panel of every button.
  void HideAllTips();

  const std::vector<ActiveBtnBase*>& GetButtons() const { return m_vcActiveBtn; }

 private:
  ActivityLayer() = default;
  void LayoutButtons();
  void Discard(ActiveBtnBase* button);

  // Children of the bar, in creation order.
  std::vector<ActiveBtnBase*> m_vcActiveBtn;
};
