// What the mini-game's widgets know of the mini-game layer that owns them.
//
// The help layer, its clock, the cards and the result screen are children of
// the mini-game layer and talk back to it only through this interface, which
// the layer implements: the level being played and the number of levels, its
// three buttons (each may be null), the help layer (whose rules panel blocks
// the cards' touches), and the calls of the game's flow they make.
#pragma once

namespace cocos2d {
class Ref;
namespace ui {
class Button;
}
}  // namespace cocos2d
class DDZSmallGameCard;
class DDZSmallGameHelpLayer;

class DDZSmallGameOwner {
 public:
  virtual ~DDZSmallGameOwner() = default;

  // 0 before the first level, 1 to the record count while playing, above it
  // on the result screen.
  virtual int GetLevelNo() const = 0;
  // The number of level records the server sent (0 before it did).
  virtual int GetLevelRecordCount() const = 0;
  // The start, quit and return buttons; null when not built. Not owned.
  virtual cocos2d::ui::Button* GetStartButton() const = 0;
  virtual cocos2d::ui::Button* GetQuitButton() const = 0;
  virtual cocos2d::ui::Button* GetReturnButton() const = 0;
  // The help layer; null before it is built. Not owned.
  virtual DDZSmallGameHelpLayer* GetHelpLayer() const = 0;

  // The quit or return button (sender null at a time-out before the first level).
  virtual void OnQuitBtn(cocos2d::Ref* sender) = 0;
  // A card was touched; null at a time-out while picking.
  virtual void OnCardPicked(DDZSmallGameCard* card) = 0;
  // A picked card's effect has ended.
  virtual void ShowOtherCards() = 0;
  // Slides the mini-game out and closes it.
  virtual void LeaveSmallGame() = 0;
};
