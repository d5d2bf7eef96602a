// The award certificate: the last screen of a match, shown on the tournament
// table when the award message (type 78) arrives. It shows today's date, the
// user's final rank (the champion stamp for rank 1, else the rank digits
// between two words), the prize that rank earns from the running match's
// prize lines or the no-prize text, the award text of the message, and three
// buttons: quit the table, play the same match again (matches without a
// timetable only) and share the certificate as a picture.
//
// The record is the message's first 56 bytes (fewer when the message is
// shorter), the rest of the 156 bytes zero; its texts are read bounded by
// their fields. The layer builds its widgets on its first entry and sends no
// game-server request. "Again" asks the tournament room list
// (CompeteRoomListLayer::FindCompeteRoom) and leaves the table with
// g_bCompetePlayAgain at 1 when the match can be paid for; "share" saves the
// window as "ddzcompete_wechat_friends_share.jpg" and hands it to the
// platform's picture share with the "vac_info" app id of VellComVac.conf. A
// picture still pending when the layer leaves the stage calls nothing.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "gamedata/CompeteRecords.h"
#include "platform/framework/YndGameLayer.h"

namespace cocos2d {
class Label;
class Ref;
class Sprite;
namespace ui {
class Button;
class Scale9Sprite;
class TextAtlas;
}  // namespace ui
}  // namespace cocos2d

class CompeteAwardLayer : public YndGameLayer {
 public:
  // The record: the message's first kMessageBytes, then zeros.
  static constexpr int kRecordSize = 156;
  static constexpr int kMessageBytes = 56;
  static constexpr int kAwardTextOffset = 28;
  static constexpr int kAwardTextSize = 20;
  static constexpr int kRankOffset = 48;
  // Where the tournament table puts the certificate.
  static constexpr int kZOrder = 1004;

  static constexpr const char* kSheet = "ddzbs_award_layer_res.plist";
  static constexpr const char* kBackground = "ddzbs_fx_dbg.jpg";
  static constexpr const char* kSharePicName = "ddzcompete_wechat_friends_share";
  static constexpr const char* kSoundPrize = "ddzcompete_award_get_award_bg.mp3";
  static constexpr const char* kSoundNoPrize = "ddzcompete_award_no_award_bg.mp3";
  static constexpr const char* kVacFile = "VellComVac.conf";
  static constexpr const char* kVacSection = "vac_info";
  static constexpr const char* kVacAppIdKey = "wx_appid";
  // The picture share's last two arguments.
  static constexpr int kShareArg1 = 65;
  static constexpr int kShareArg2 = 46;
  // Game text entries.
  static constexpr int kTextNoFeePayable = 369;
  static constexpr int kTextConfirmAgain = 370;
  static constexpr int kTextFeeBase = 372;  // + the fee kind (-1 to 5)
  static constexpr int kTextCongratulate = 398;
  static constexpr int kTextSeePrizes = 442;
  static constexpr int kTextNoPrize = 443;
  // The date's digit cells: digits a player reads at a glance, as large as
  // the certificate's smaller texts.
  static constexpr int kDateCellWidth = 20;
  static constexpr int kDateCellHeight = 24;
  // The prize plate and when its text goes on two lines (wider than this share of the plate).
  static constexpr float kPlateWidth = 324;
  static constexpr float kPlateHeight = 124;
  static constexpr float kPlateFill = 0.9f;
  // The champion stamp lands after this delay.
  static constexpr float kStampDelay = 0.3f;
  static constexpr float kStampStartScale = 2.8f;
  static constexpr float kStampLandSeconds = 0.15f;
  // The button row: its height over the certificate's lower edge, the three
  // buttons' spacing, the two buttons' spacing.
  static constexpr float kButtonY = 64;
  static constexpr float kButtonSpread = 312;
  static constexpr float kButtonSpreadTwo = 156;

  // A certificate for the award message `msg` of `len` bytes (null or short
  // messages leave the missing bytes zero). Autoreleased.
  static CompeteAwardLayer* create(const char* msg, int len);
  // create, added to `parent` at kZOrder; null when parent is null.
  static CompeteAwardLayer* Show(cocos2d::Node* parent, const char* msg, int len);

  ~CompeteAwardLayer() override;
  void onEnter() override;
  // Takes back the pending picture's callback.
  void onExit() override;

  void OnClickQuit(cocos2d::Ref* sender);
  void OnClickAgain(cocos2d::Ref* sender);
  void OnClickShare(cocos2d::Ref* sender);
  void OnConfirmAgain(cocos2d::Ref* sender);
  void CallBackCreatePic(std::string name, bool isOK);

  // ---- what a rank earns ----
  struct Prize {
    bool has = false;
    std::string joined;  // one line: the texts joined by "+"
    std::string first;   // two lines
    std::string second;
  };
  // The first prize line (in order) whose ranks hold `rank`; no prize without
  // one or when its first text is empty.
  static Prize ChoosePrize(const std::vector<CompeteAwardItem>& lines, int rank);
  // The gap between the rank's two words for digits `width` wide, and the
  // scale of the digits (1 unless they are wider than the widest gap allows).
  static float RankGap(float width, float* scale);

  // ---- read access ----
  const unsigned char* GetRecord() const { return m_Record; }
  int GetRank() const;
  // The award text of the record (the game server's GBK), as UTF-8.
  std::string GetAwardText() const;
  cocos2d::Sprite* GetBackground() const { return m_pBackground; }
  cocos2d::ui::TextAtlas* GetDateLabel() const { return m_pDate; }
  cocos2d::ui::Scale9Sprite* GetPrizePlate() const { return m_pPlate; }
  // The prize text's labels: the first (the only one on one line) and the second.
  cocos2d::Label* GetPrizeLabel(int line) const { return line == 0 ? m_pPrize[0] : line == 1 ? m_pPrize[1] : nullptr; }
  cocos2d::Label* GetNoPrizeLabel() const { return m_pNoPrize; }
  cocos2d::Sprite* GetStamp() const { return m_pStamp; }
  // The rank's picture: the champion's cup for rank 1, else the medal.
  cocos2d::Sprite* GetRankPicture() const { return m_pRankPicture; }
  cocos2d::ui::TextAtlas* GetRankDigits() const { return m_pRankDigits; }
  // The words before and after the rank digits.
  cocos2d::Sprite* GetRankWord(bool before) const { return before ? m_pWordBefore : m_pWordAfter; }
  cocos2d::ui::Button* GetAgainButton() const { return m_pAgainBtn; }
  cocos2d::ui::Button* GetQuitButton() const { return m_pQuitBtn; }
  cocos2d::ui::Button* GetShareButton() const { return m_pShareBtn; }

 private:
  CompeteAwardLayer();
  void Build();
  void BuildDate(float bw, float bh);
  void BuildPrize(float bw, float bh);
  void BuildRank(float bw, float bh);
  void BuildTexts(float bw, float bh);
  void BuildButtons();
  void LeaveTable();

  // Children; null until the first entry (or when their art is missing).
  cocos2d::ui::Button* m_pAgainBtn = nullptr;
  cocos2d::ui::Button* m_pQuitBtn = nullptr;
  cocos2d::ui::Button* m_pShareBtn = nullptr;
  unsigned char m_Record[kRecordSize] = {};
  cocos2d::Sprite* m_pBackground = nullptr;
  cocos2d::ui::TextAtlas* m_pDate = nullptr;
  cocos2d::ui::Scale9Sprite* m_pPlate = nullptr;
  cocos2d::Label* m_pPrize[2] = {};
  cocos2d::Label* m_pNoPrize = nullptr;
  cocos2d::Sprite* m_pStamp = nullptr;
  cocos2d::Sprite* m_pRankPicture = nullptr;
  cocos2d::ui::TextAtlas* m_pRankDigits = nullptr;
  cocos2d::Sprite* m_pWordBefore = nullptr;
  cocos2d::Sprite* m_pWordAfter = nullptr;
  bool m_bBuilt = false;
};
