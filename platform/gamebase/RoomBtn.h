// A room button of the room list: the frame, the touch handling and the grid
// slot. What is written on it comes from the derived button's InitRoomBtnUI,
// which the base calls once with the face node when the button first enters
// the stage; positions on the face are given from its origin (m_ptFaceOrigin).
// A tap (touch begun and ended on the frame) asks the registered room list to
// enter the room: RoomListLayer::AskEnterRoom(this), the button's tag being
// its index.
#pragma once

#include "platform/engine/Node.h"

struct RoomItemInfo;

class RoomBtn : public cocos2d::Node {
 public:
  // The frame image and its size when the image is not known.
  static constexpr float kDefaultWidth = 260.0f;
  static constexpr float kDefaultHeight = 200.0f;

  explicit RoomBtn(RoomItemInfo* room);
  ~RoomBtn() override;

  // The face builder of the derived button.
  virtual void InitRoomBtnUI(cocos2d::Node* face);

  void onEnter() override;
  RoomItemInfo* GetRoomItemInfo() const { return m_pRoomItem; }
  cocos2d::Node* GetFace() const { return m_pFace; }
  // Where the list put the button: its index in the grid.
  void SetGridSlot(int index, const cocos2d::Vec2& position);
  int GetGridSlot() const { return m_iGridSlot; }
  // A tap on the button, as the touch handler gives it.
  void OnTap();

 protected:
  RoomItemInfo* m_pRoomItem;
  cocos2d::Node* m_pFace = nullptr;
  cocos2d::Vec2 m_ptFaceOrigin;

 private:
  bool m_bFaceBuilt = false;
  int m_iGridSlot = -1;
};
