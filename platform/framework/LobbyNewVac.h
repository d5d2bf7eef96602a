// The lobby's shop and its JSON reader.
//
// There is no shop service on a desktop: LobbyNewVacLayer records every
// opening and answers its receiver on the next frame with the answer a test
// or the developer setting DDZ_VAC_STEP chooses (default: the shop was
// closed and nothing was bought, step kVacStepClosed with the holdings it was
// opened with).
#pragma once

#include <string>
#include <vector>

class YndGameLayer;

class LobbyNewVacConf {
 public:
  // Longest JSON text read; a longer one gives "".
  static constexpr std::size_t kMaxJsonBytes = 64 * 1024;
  // The text of the member `member` of the object `json`: a string member's
  // value, a number's or a boolean's JSON text. "" when the text is not a
  // JSON object, the member is missing, or it is null, an object or an array.
  static std::string GetJSON(const std::string& json, const std::string& member);
};

// What the shop was opened with.
struct LobbyVacOpening {
  std::string gameCode;  // "%d%02d" of the game and the room
  std::string userId;
  std::string account;
  int money = 0;
  int holding86 = 0;  // the login's prize holding 86
  int yuanBao = 0;
  int windowWidth = 0, windowHeight = 0;
  bool channelPackage = false;
  bool operator==(const LobbyVacOpening&) const = default;
};

// The shop's answer: the step it reached, the kind of result, the holdings
// after it (yuanbao in two parts, to be added) and its text for the user.
struct LobbyVacResult {
  int iVacStep = 0;
  int iResultKind = 0;
  int iMoney = 0;
  int iHolding86 = 0;
  int iYuanBao = 0;
  int iYuanBaoExtra = 0;
  std::string rtInfo;
};

class ILobbyVacReceiver {
 public:
  virtual ~ILobbyVacReceiver() = default;
  virtual void CallBackHandleVacRt(const LobbyVacResult& result) = 0;
};

class LobbyNewVacLayer {
 public:
  static constexpr int kVacStepClosed = 3;

  // Opens the shop for `receiver`, a layer that is an ILobbyVacReceiver; its
  // answer comes on the next frame and dies with the layer. Null when the
  // receiver is not one (logged).
  static LobbyNewVacLayer* SharedLobbyNewVacLayer(YndGameLayer* receiver, const LobbyVacOpening& opening);

  // The answer of every later opening; holdings of -1 stand for "as opened".
  static void SetAnswer(const LobbyVacResult& answer);
  static const std::vector<LobbyVacOpening>& Openings();
  // Back to no openings and the default answer (tests).
  static void Reset();

 private:
  LobbyNewVacLayer() = default;
};
