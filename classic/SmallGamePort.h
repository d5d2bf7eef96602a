// The card mini-game as the classic table sees it.
//
// The mini-game layer lives with the variant tables, above this folder, so
// the table reaches it only through these two small interfaces: a maker the
// program hands the view (GameViewPC::SetSmallGameMaker) and the few calls
// the table makes on an open layer. Without a maker the table opens no
// mini-game and says so in the log.
//
// The layer runs the game by itself: it sends request 41 with value 2 when a
// level starts, removes itself when the game ends and then tells the view
// (DDZGameView::CloseSmallGame with 1 or 2).
#pragma once

class DDZGameView;
class YndGameLayer;

// The values the table hands a layer it opens from the activity button.
struct SmallGameOpenFields {
  int iM2 = 0;
  int iMode = 0;
  int iCounter = 0;
  int iCounterMax = 0;
  int iM1 = 0;
  int iPlayerYuanbao = 0;  // GlobalInfo::iYuanBao
  int iStart = 0;
};

class ISmallGameLayer {
 public:
  virtual ~ISmallGameLayer() = default;
  // The node the table places and adds; the layer object itself.
  virtual YndGameLayer* AsLayer() = 0;
  // The four values of message 35 (kind 0) and the player's yuanbao.
  virtual void SetGameInfo(int m3, int m2, int m1, int m4, int playerYuanbao) = 0;
  virtual void SetOpenFields(const SmallGameOpenFields& fields) = 0;
  // A whole message 41 with level data (byte 8 is 0); the layer reads no
  // further than len.
  virtual void SetLevelData(const char* msg, int len) = 0;
};

class ISmallGameMaker {
 public:
  virtual ~ISmallGameMaker() = default;
  // A new autoreleased layer for pView, not yet added anywhere; null when
  // none can be made.
  virtual ISmallGameLayer* MakeSmallGameLayer(DDZGameView* pView) = 0;
};
