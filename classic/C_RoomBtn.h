// A room button of the classic room list: what is written on the frame the
// game base's RoomBtn draws. The base score in digits with its word, the rob
// mark of a class-1 room (which moves the word and the score 36 points left),
// the minimum money and the room's second figure; a Super room of class 2
// carries the Super word, and every Super room hands its rules to the shared
// all-rules dialog (RoomUI::SharedAllGameRule).
#pragma once

#include "platform/gamebase/RoomBtn.h"

namespace cocos2d {
class Label;
class Sprite;
namespace ui {
class TextAtlas;
}
}  // namespace cocos2d

class C_RoomBtn : public RoomBtn {
 public:
  static constexpr float kRobShift = 36;
  static constexpr const char* kScoreDigits = "qorvddz_room_base_score_num.png";
  static constexpr const char* kScoreWord = "qorvddz_room_fenzhuo.png";
  static constexpr const char* kRobMark = "qorvddz_room_qiang.png";
  static constexpr const char* kSuperWord = "qorvddz_room_word_1.png";

  // Autoreleased.
  static C_RoomBtn* create(RoomItemInfo* room);

  void InitRoomBtnUI(cocos2d::Node* face) override;

  // What the face shows (null before it is built or when not shown).
  cocos2d::ui::TextAtlas* GetBaseScore() const { return m_pBaseScore; }
  cocos2d::Sprite* GetScoreWord() const { return m_pScoreWord; }
  cocos2d::Sprite* GetRobMark() const { return m_pRobMark; }
  cocos2d::Sprite* GetSuperWord() const { return m_pSuperWord; }
  cocos2d::Label* GetLimitLabel() const { return m_pLimit; }
  cocos2d::Label* GetSecondLabel() const { return m_pSecond; }

 private:
  explicit C_RoomBtn(RoomItemInfo* room) : RoomBtn(room) {}

  // Children of the face.
  cocos2d::ui::TextAtlas* m_pBaseScore = nullptr;
  cocos2d::Sprite* m_pScoreWord = nullptr;
  cocos2d::Sprite* m_pRobMark = nullptr;
  cocos2d::Sprite* m_pSuperWord = nullptr;
  cocos2d::Label* m_pLimit = nullptr;
  cocos2d::Label* m_pSecond = nullptr;
};
