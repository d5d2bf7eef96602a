// The sign-up dialog of the tournament list: the modal window that a touched
// row of the list opens over itself for one match.
//
// Two pages. The sign-up page shows the first prize (its picture frame also
// opens the details), the countdown to the next start or the open hours, the
// player numbers, the fee chosen for the user with the drop-down to change it
// (DropDownList), the number signed up and the sign-up button, which runs the
// match card's sign-up road (RoomInfoItem::OnClickSignUp) and leaves the
// dialog open. The details page has two tabs: the prize lines and the rules.
//
// One dialog for the whole run (shareSignUpLayer). Each opening (Open) sets
// the match and its card and puts the dialog on the list; onEnter builds it
// from nothing, so one opening shows one dimming layer, one title bar and one
// window. The fee entry follows the match's fee: a pick in the drop-down, and
// a fresh user record that chooses the fees again while the dialog is up.
// Leaving the stage forgets the match and the card (they belong to the
// list, which rebuilds them as it enters); a dialog that comes back on the
// stage without a new opening closes itself.
//
// Touches: the dialog takes every touch while it is up (the list below gets
// none); its buttons take theirs first. A touch outside the title bar and the
// window goes back from the details to the sign-up page, or closes the dialog
// from the sign-up page. The countdown ticks every second on the sign-up page
// of a timetabled match.
#pragma once

#include <cstdint>
#include <string>

#include "platform/framework/YndGameLayer.h"

class CompeteRoomInfo;
class CompeteRoomListLayer;
struct CompeteAwardItem;
class RoomInfoItem;
namespace cocos2d {
class Label;
class LayerColor;
class Sprite;
namespace ui {
class Button;
class Scale9Sprite;
}  // namespace ui
}  // namespace cocos2d

class SignUpLayer : public YndGameLayer {
 public:
  static constexpr const char* kSheet = "ddzbs_signup_layer_res.plist";
  static constexpr int kPageSignUp = 0;
  static constexpr int kPageDetail = 1;
  static constexpr float kWindowWidth = 974;
  static constexpr float kWindowHeight = 498;
  // The title bar's and the window's centres from the window's middle.
  static constexpr float kTitleAbove = 252;
  static constexpr float kWindowBelow = 34;
  static constexpr int kZDim = -99;
  static constexpr int kZInfoRow = 3;
  static constexpr int kZDropDown = 2;
  // Where the fee drop-down opens in the window (its top centre).
  static constexpr float kDropDownX = 807;
  static constexpr float kDropDownY = 252;
  // The details page: the tabs' places and the award list's frame.
  static constexpr float kTabX = 136;
  static constexpr float kAwardTabY = 436;
  static constexpr float kRuleTabY = 336;
  static constexpr float kAwardRowWidth = 710;
  static constexpr float kAwardRowHeight = 60;
  static constexpr float kAwardTextWidth = 450;
  // The rules page: the first section's height and the step between sections.
  static constexpr float kRuleTop = 462;
  static constexpr float kRuleStep = 160;
  // The texts' colours: titles on the title bar, values and rule lines, and
  // the teal of the prizes and the rule titles.
  static const cocos2d::Color3B kTitleColour;
  static const cocos2d::Color3B kValueColour;
  static const cocos2d::Color3B kTealColour;

  // The one dialog, made on first use and never freed.
  static SignUpLayer* shareSignUpLayer();
  // Opens the dialog for `room` and its `card` over `list` (the list's row
  // opener). A dialog open elsewhere leaves there first.
  static void Open(CompeteRoomListLayer& list, CompeteRoomInfo& room, RoomInfoItem& card);

  ~SignUpLayer() override;

  void onEnter() override;
  void onExit() override;
  void onTouchesBegan(const std::vector<cocos2d::Touch*>& touches, cocos2d::Event* event) override;

  // ---- pages and buttons ----
  void ShowSignUpPage(cocos2d::Ref* pSender);
  void ShowDetailPanel(cocos2d::Ref* pSender);
  void ShowAwardPage(cocos2d::Ref* pSender);
  void ShowRulePage(cocos2d::Ref* pSender);
  void OnClickClose(cocos2d::Ref* pSender);
  void OnClickDropDown(cocos2d::Ref* pSender);
  void OnClickSignUp(cocos2d::Ref* pSender);
  // The drop-down has written a new fee into the match: the fee entry and the
  // card show it.
  void OnSelectFee();
  // The fee entry of the sign-up page shows the match's fee as it stands now
  // (the list calls it when a user record has chosen the fees again); false
  // on the details page or while no match is shown.
  bool ShowFee();
  // The countdown or the open hours of the sign-up page's first row.
  void UpdateTime(float dt);

  // ---- read access ----
  int GetPage() const { return m_iPage; }
  CompeteRoomInfo* GetRoom() const { return m_pRoom; }
  RoomInfoItem* GetCard() const { return m_pCard; }
  cocos2d::Sprite* GetTitleBar() const { return m_pTitleBar; }
  cocos2d::ui::Scale9Sprite* GetWindow() const { return m_pWindow; }
  cocos2d::LayerColor* GetDimLayer() const { return m_pDim; }
  cocos2d::Sprite* GetPrizeFrame() const { return m_pPrizeFrame; }
  cocos2d::Node* GetFeeEntry() const { return m_pFeeEntry; }
  cocos2d::Label* GetTimeCaption() const { return m_pTimeCaption; }
  cocos2d::Label* GetTimeValue() const { return m_pTimeValue; }
  cocos2d::Label* GetPlayerValue() const { return m_pPlayerValue; }
  cocos2d::Label* GetSignUpNumLabel() const { return m_pSignUpNum; }
  cocos2d::Node* GetContentNode() const { return m_pContent; }
  cocos2d::ui::Button* GetAwardTab() const { return m_pAwardTab; }
  cocos2d::ui::Button* GetRuleTab() const { return m_pRuleTab; }
  cocos2d::Sprite* GetTabMarker() const { return m_pTabMarker; }
  cocos2d::ui::Button* GetDropDownButton() const { return m_pDropDownBtn; }
  cocos2d::ui::Button* GetSignUpButton() const { return m_pSignUpBtn; }

 private:
  SignUpLayer();
  // Empties the window and the title bar for a new page.
  void ClearPage();
  void BuildPrize();
  void BuildInfoRows();
  // One section of the rules page: its header and title at `y` and its box.
  cocos2d::Node* AddRuleSection(int titleEntry, float y, float boxHeight, bool hangs);
  void Close();
  // A nine-slice sprite of `frame` at the size; an empty one of that size
  // when the frame is missing, so the page keeps its shape.
  static cocos2d::ui::Scale9Sprite* Panel9(const char* frame, float width, float height);
  // A frame's sprite, or an empty sprite when the frame is missing.
  static cocos2d::Sprite* FrameSprite(const char* frame);
  // The match's card while it is on the stage, else null.
  RoomInfoItem* LiveCard() const;

  int m_iPage = kPageSignUp;
  cocos2d::Sprite* m_pTitleBar = nullptr;          // child while on the stage
  cocos2d::ui::Scale9Sprite* m_pWindow = nullptr;  // child while on the stage
  cocos2d::Sprite* m_pPrizeFrame = nullptr;        // in the window; sign-up page only
  cocos2d::Node* m_pFeeEntry = nullptr;            // in the fee row; sign-up page only
  cocos2d::Label* m_pTimeCaption = nullptr;
  cocos2d::Label* m_pTimeValue = nullptr;
  cocos2d::Node* m_pContent = nullptr;  // in the window; details page only
  cocos2d::ui::Button* m_pAwardTab = nullptr;
  cocos2d::ui::Button* m_pRuleTab = nullptr;
  cocos2d::Sprite* m_pTabMarker = nullptr;
  RoomInfoItem* m_pCard = nullptr;        // the list's; set by Open, forgotten on leaving
  CompeteRoomInfo* m_pRoom = nullptr;     // the list's; set by Open, forgotten on leaving
  cocos2d::LayerColor* m_pDim = nullptr;  // child while on the stage
  cocos2d::Label* m_pPlayerValue = nullptr;
  cocos2d::Label* m_pSignUpNum = nullptr;
  cocos2d::ui::Button* m_pDropDownBtn = nullptr;
  cocos2d::ui::Button* m_pSignUpBtn = nullptr;
};

namespace ddz {
// A prize line's text on the details page: the prize, then "+" and the second
// and the third prize where they are not empty.
std::string CompeteAwardText(const CompeteAwardItem& award);
}  // namespace ddz
