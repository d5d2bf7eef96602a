// The settings window: a music switch, a sound switch and two volume sliders
// (0 music, 1 sound). One window serves the whole process; the table bars and
// the room lists open and close it as a toggle (add it when it is not
// running, else take it off through the deferred child remover).
//
// Every change applies at once through SoundManage and is stored: in
// GlobalInfo, or for game kind 5 in g_SettingConf. When the window closes the
// settings are saved: GameViewBase::WriteSettingInfo, or for kind 5 the file
// "setting.conf" (widgets/SettingConf.h), which the first kind-5 showing of
// the process reads and, when it is well formed, hands to the sound manager.
//
// The knobs show the volumes the sound manager holds, clamped to the bar, and
// a drag stores the volume its knob shows: opening and closing the window
// never moves a knob or changes a volume.
//
// Sliders: W = g_iGameSetVolumeWidth, centre c_i = g_ptGameSetMusicVol[i]
// (background space), lo = c.x - W/2, hi = c.x + W/2 (integer halves). The
// knob of volume v stands at x = c.x + v * W - W/2; a drag moves it by the
// touch's move, kept in [lo, hi], and the volume becomes (x - lo) / W.
#pragma once

#include "platform/engine/Math.h"
#include "platform/framework/YndGameLayer.h"

namespace cocos2d {
class Sprite;
namespace ui {
class Button;
}
}  // namespace cocos2d

// What the window asks of a running tournament when its music switch
// restarts the music at a tournament table. The tournament registers itself.
class ICompetitionStage {
 public:
  virtual ~ICompetitionStage() = default;
  // The running competition's state; 3 and above play the final's track.
  virtual int GetCompeteState() const = 0;
};

class SetLayer : public YndGameLayer {
 public:
  // Where the window was opened.
  static constexpr int kFromRoomList = 1;
  static constexpr int kFromTable = 3;
  // Game kinds the window tells apart.
  static constexpr int kKindTournament = 4;
  static constexpr int kKindOwnFile = 5;
  static constexpr int kSliders = 2;
  // A competition state from which the tournament table plays track 2.
  static constexpr int kFinalCompeteState = 3;

  static constexpr const char* kSheet = "qorvddz_res_set.plist";
  static constexpr const char* kBgFrame = "qorvddz_set_bg.png";
  static constexpr const char* kOnFrame = "qorvddz_set_open.png";
  static constexpr const char* kOffFrame = "qorvddz_set_close.png";
  static constexpr const char* kBarFrame = "qorvddz_set_bar.png";
  static constexpr const char* kKnobFrame = "qorvddz_set_btn.png";
  static constexpr const char* kCloseFrame = "qorvddz_set_btn_close.png";
  static constexpr float kBgAboveCentre = 40;

  // The one window, made on first use; stores where it is opened from and
  // the game kind, and sets the modal flag (opened from a room list).
  static SetLayer* shareSetLayer(int iOpenFrom, int iGameKind);
  // The window if it was made.
  static SetLayer* sharedIfAny();
  // Drops the window and the kind-5 read-once mark (tests).
  static void destroyInstance();
  // The tournament whose state picks the music; null when none runs. Not owned.
  static void SetCompetitionStage(const ICompetitionStage* stage);

  void onEnter() override;
  void onExit() override;
  bool onTouchBegan(cocos2d::Touch* touch, cocos2d::Event* event) override;
  void onTouchMoved(cocos2d::Touch* touch, cocos2d::Event* event) override;
  void onTouchEnded(cocos2d::Touch* touch, cocos2d::Event* event) override;

  void OnMusicSwitch(cocos2d::Ref* sender = nullptr);
  void OnSoundSwitch(cocos2d::Ref* sender = nullptr);
  // Takes the window off its parent (deferred), as a touch outside it does.
  void Close();
  // Places slider i (the bar's stencil and the knob) from its volume.
  void UpdateBarPos(int i);

  // ---- read access (tests) ----
  int GetOpenFrom() const { return m_iOpenFrom; }
  int GetGameKind() const { return m_iGameKind; }
  float GetVolume(int i) const { return i >= 0 && i < kSliders ? m_fVolume[i] : 0.0f; }
  bool IsMusicOpen() const { return m_bMusicOpen; }
  bool IsSoundOpen() const { return m_bSoundOpen; }
  int GetDragIndex() const { return m_iDragIndex; }
  cocos2d::Sprite* GetBg() const { return m_pBg; }
  cocos2d::Sprite* GetKnob(int i) const { return i >= 0 && i < kSliders ? m_pBarKnob[i] : nullptr; }
  cocos2d::Sprite* GetStencil(int i) const { return i >= 0 && i < kSliders ? m_pBarStencil[i] : nullptr; }
  cocos2d::ui::Button* GetMusicButton(bool on) const { return on ? m_pBtnMusicOn : m_pBtnMusicOff; }
  cocos2d::ui::Button* GetSoundButton(bool on) const { return on ? m_pBtnSoundOn : m_pBtnSoundOff; }
  cocos2d::ui::Button* GetCloseButton() const { return m_pBtnClose; }
  // The ends of slider i's knob in background space.
  static float SliderLow(int i);
  static float SliderHigh(int i);

 private:
  SetLayer();
  cocos2d::ui::Button* MakeSwitchButton(const char* frame, const cocos2d::Vec2& at, void (SetLayer::*click)(cocos2d::Ref*));
  void BuildSlider(int i);
  void ShowSwitch(cocos2d::ui::Button* on, cocos2d::ui::Button* off, bool open);
  // Kind 5, first showing of the process: the file's settings to the sound manager.
  void ApplySettingFileOnce();
  // The shown volumes and switches into the record of the game kind.
  void StoreVolumes();
  void StoreSwitches();
  void RestartMusic();
  // A touch in the background's space and in the window's, times the content scale.
  cocos2d::Vec2 InBg(const cocos2d::Touch* touch) const;
  cocos2d::Vec2 InWindow(const cocos2d::Touch* touch) const;
  bool OutsideBg(const cocos2d::Touch* touch) const;

  int m_iOpenFrom = 0;
  int m_iGameKind = 0;
  cocos2d::Sprite* m_pBg = nullptr;  // child; everything else is its child
  cocos2d::ui::Button* m_pBtnMusicOn = nullptr;
  cocos2d::ui::Button* m_pBtnMusicOff = nullptr;
  cocos2d::ui::Button* m_pBtnSoundOn = nullptr;
  cocos2d::ui::Button* m_pBtnSoundOff = nullptr;
  cocos2d::ui::Button* m_pBtnClose = nullptr;
  cocos2d::Sprite* m_pBarStencil[kSliders] = {};  // stencils of the clipping nodes (retained by them)
  cocos2d::Sprite* m_pBarKnob[kSliders] = {};
  float m_fVolume[kSliders] = {};
  bool m_bMusicOpen = false;
  bool m_bSoundOpen = false;
  int m_iDragIndex = -1;
  cocos2d::Vec2 m_ptLastTouch;
};
