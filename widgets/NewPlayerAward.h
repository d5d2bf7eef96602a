// The treasure-shell game through which a new player gets the gifts the game
// server grants. The server fixes every prize; this layer only stages it.
//
// States: 0 hint (gift chances left, no prize due: a closed shell bobs beside
// the table with a bubble telling the chances left), 1 a prize is due (four
// shells show what they hold: two yuanbao, two game money, one of them the
// real prize and the rest decoys; they close, are shuffled and the player
// picks one; the view then plays the award animation with the server's
// prize), 2 no chances left.
//
// A pick counts only once the shuffle has ended; a touch before that does
// nothing. The decoy values come from the process's one random source.
//
// The view makes the layer on the first new-player message, keeps it for the
// rest of the table and drives it: StartRound with each message and after
// each hand, ShowReward when the result screen reaches its extra-game point,
// Restart after the award animation.
#pragma once

#include "platform/engine/Math.h"
#include "platform/framework/YndGameLayer.h"

namespace cocos2d {
class Label;
class Node;
class Sprite;
}  // namespace cocos2d
class DDZGameView;

class NewPlayerAward : public YndGameLayer {
 public:
  enum State { kHint = 0, kPicking = 1, kFinished = 2 };
  static constexpr int kShells = 4;
  static constexpr int kKindYuanbao = 1;
  static constexpr int kKindMoney = 2;
  static constexpr float kIconScale = 0.65f;
  static constexpr int kZOrder = 500;  // where the view adds the layer
  static constexpr const char* kSheet = "vellddz_res_shell.plist";
  static constexpr const char* kShellClosed = "qorvddz_shell_close.png";
  static constexpr const char* kShellOpen = "qorvddz_shell_open.png";
  static constexpr const char* kSelectMark = "qorvddz_shell_select.png";
  static constexpr const char* kBubble = "ddz_comm_tips.png";
  static constexpr const char* kYuanbaoImage = "qorvddz_get_yb.png";
  static constexpr const char* kMoneyImage = "qorvddz_get_money.png";
  static constexpr const char* kMusic = "ddzfs_music_bg.mp3";

  // pView: not owned, the view the layer sits on; the icon stands at `icon`.
  static NewPlayerAward* create(DDZGameView* pView, const cocos2d::Vec2& icon);

  void onEnter() override;
  void onExit() override;

  // chances >= 1 and amount 0: the hint. amount > 0 and kind > 0: a prize of
  // `amount` (kind 1 yuanbao, else game money) is due and the shells get
  // their values. Anything else only stores the three values.
  void StartRound(int chances, int amount, int kind);
  // Lays out the four shells, shows what they hold and shuffles them.
  void ShowReward();
  // The bubble again, while the hint shows.
  void PlayHintAni();
  // After the award animation: the shells go; the hint returns while chances
  // remain, else the game is finished.
  void Restart();

  // The values of the four shells for a prize of `amount` of `kind`: shells 0
  // and 1 hold yuanbao, 2 and 3 money, one of them the prize itself. Draws two
  // random numbers (one modulo 2, then one modulo 3).
  void ComputeShellValues(int amount, int kind);

  void onTouchesBegan(const std::vector<cocos2d::Touch*>& touches, cocos2d::Event* event) override;
  void onTouchesEnded(const std::vector<cocos2d::Touch*>& touches, cocos2d::Event* event) override;

  int GetState() const { return m_iState; }
  int GetChanceCount() const { return m_iChanceCount; }
  bool CanPick() const { return m_bCanPick; }
  int GetShellKind(int i) const { return m_iShellKind[i]; }
  int GetShellValue(int i) const { return m_iShellValue[i]; }
  cocos2d::Sprite* GetShell(int i) const { return m_pShell[i]; }
  cocos2d::Node* GetShellContent(int i) const { return m_pShellContent[i]; }
  cocos2d::Sprite* GetIcon() const { return m_pIcon; }
  cocos2d::Sprite* GetSelectMark() const { return m_pSelectMark; }
  cocos2d::Sprite* GetTipBubble() const { return m_pTipBubble; }
  cocos2d::Label* GetTipLabel() const { return m_pTipLabel; }
  // The resting place of shell i in the middle of the window.
  static cocos2d::Vec2 ShellHome(int i);

 private:
  NewPlayerAward(DDZGameView* pView, const cocos2d::Vec2& icon);

  void RunHintBubble();
  void IconJump();
  void BlinkSelectMark();
  void ShellsArrived();
  void ShuffleStep();
  void ShuffleEnded();
  void OnShellPicked();
  // The shell under a touch, or -1.
  int ShellAt(const cocos2d::Vec2& point) const;
  cocos2d::Vec2 TouchPoint(const cocos2d::Touch* touch) const;
  void PlayEffect(int number) const;

  DDZGameView* m_pGameView = nullptr;  // not owned
  cocos2d::Vec2 m_ptIcon;
  int m_iChanceCount = 0;
  int m_iAwardKind = 0;
  int m_iAwardAmount = 0;
  int m_iState = kHint;
  float m_fIconScale = kIconScale;
  // Children (null until onEnter and again after onExit).
  cocos2d::Sprite* m_pIcon = nullptr;
  cocos2d::Sprite* m_pSelectMark = nullptr;
  cocos2d::Sprite* m_pTipBubble = nullptr;
  cocos2d::Label* m_pTipLabel = nullptr;  // child of the bubble
  cocos2d::Sprite* m_pShell[kShells] = {};
  cocos2d::Node* m_pShellContent[kShells] = {};
  int m_iShellKind[kShells] = {};
  int m_iShellValue[kShells] = {};
  int m_iShuffleStep = 0;
  bool m_bCanPick = false;
  cocos2d::Vec2 m_ptContentOffset{0, -55};
  int m_iArrived = 0;      // shells that have reached their place
  int m_iShuffled = 0;     // shells whose shuffle has ended
};
