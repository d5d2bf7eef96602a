// The game base's bookkeeping of the game: the game-state records the tables
// report at their milestones, and the head of a signed web message.
#pragma once

#include <string>
#include <vector>

class GameLogicLayer {
 public:
  static GameLogicLayer* shareGameLogicLayer();

  struct GameState {
    int iKind = 0;   // 5 in every caller
    int iCode = 0;   // 90, 100, ... 170
    int iGame = 0;   // 62
    int iValue = 0;  // the game id of the scene
  };
  // Records one state (logged and kept, oldest first).
  void RecordGameState(int kind, int code, int game, int value);
  const std::vector<GameState>& GetGameStates() const { return m_vcGameState; }
  void ClearGameStates() { m_vcGameState.clear(); }

  // The head of a web message frame of `len` bytes: the message id at 32 and
  // the time at 36 (little-endian), and in bytes 0-31 the MD5 digest (32 hex
  // digits) of bytes 32..len-1 followed by the signing key. False, the frame
  // unchanged, when it is shorter than 40 bytes or longer than kMaxWebFrame.
  static constexpr int kMaxWebFrame = 2062;
  bool FillWebMsgHead(int msgId, int time, char* buf, int len) const;
  // The client's signing key for the web messages.
  void SetWebSignKey(std::string key) { m_strSignKey = std::move(key); }

 private:
  GameLogicLayer() = default;
  std::vector<GameState> m_vcGameState;
  std::string m_strSignKey;
};
