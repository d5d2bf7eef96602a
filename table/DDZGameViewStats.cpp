// DDZGameView: what every table keeps in the local store for the player -
// the single-player statistics (score total, wins and losses of the offline
// game), the daily loss limit and the count of today's hands.
#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <string>

#include "table/DDZGameView.h"
#include "platform/engine/FileUtils.h"
#include "platform/engine/Log.h"
#include "platform/engine/UserDefault.h"
#include "platform/framework/YndConf.h"
#include "platform/framework/YndLocalData.h"
#include "platform/gamebase/GameMsgBox.h"
#include "platform/gamebase/GameSceneBase.h"
#include "platform/os/Clock.h"
#include "platform/os/Saturate.h"

namespace {

constexpr const char* kLoginTimeWord = "game_login_time";
constexpr const char* kLoseAmountWord = "game_lose_amount";
constexpr const char* kLobbyLoseWord = "lobby_all_lose_amount";
constexpr const char* kLoseTextFile = "base_txt.conf";
constexpr const char* kLoseTextSection = "game coution info";
constexpr const char* kLoseTextKey = "base_lose_money_one";
constexpr float kLoseBoxSeconds = 20.0f;
// A line of the legacy file is read up to this many bytes.
constexpr int kLegacyLineBytes = 128;

YndLocalData* Store() { return YndLocalData::sharedLocalData(nullptr); }

bool Flush() {
  if (Store()->flush()) return true;
  cocos2d::log("DDZGameView: the local store could not be written");
  return false;
}

// The per-user, per-game keys of the loss amounts.
std::string UserGameKey(int userId, const char* word, int gameId) {
  char key[128];
  std::snprintf(key, sizeof key, "%d_%s_%d", userId, word, gameId);
  return key;
}

std::string GameKey(const char* word, int gameId) {
  char key[128];
  std::snprintf(key, sizeof key, "%s_%d", word, gameId);
  return key;
}

void AddToUserDefault(const char* key, int n) {
  cocos2d::UserDefault* defaults = cocos2d::UserDefault::getInstance();
  defaults->setIntegerForKey(key, ddz::os::SaturatingAdd(defaults->getIntegerForKey(key, 0), n));
}

}  // namespace

// ---------------------------------------------------------------- statistics

namespace {

// One value line of the legacy file: a whole decimal int, blanks around it
// allowed. False for anything else.
bool ReadLegacyCount(const char* line, std::int32_t& out) {
  errno = 0;
  char* end = nullptr;
  const long n = std::strtol(line, &end, 10);
  if (end == line || errno != 0 || n < INT32_MIN || n > INT32_MAX) return false;
  while (*end == ' ' || *end == '\t' || *end == '\r' || *end == '\n') ++end;
  if (*end != '\0') return false;
  out = static_cast<std::int32_t>(n);
  return true;
}

}  // namespace

void DDZGameView::LoadSingleGameStats() {
  if (!IsSinglePlayer()) return;
  GlobalInfo& info = m_GlobalInfo;
  // The stored counts first: what the legacy file does not hold stays as stored.
  info.iSingleGameAmount = Store()->getIntegerForKey(kKeySingleAmount, 0);
  info.iSingleWinNum = std::max(0, Store()->getIntegerForKey(kKeySingleWins, 0));
  info.iSingleLoseNum = std::max(0, Store()->getIntegerForKey(kKeySingleLosses, 0));
  const std::string path = cocos2d::FileUtils::getInstance()->getWritablePath() + kLegacyStatsFile;
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (file == nullptr) return;
  struct Target {
    std::int32_t* count;
    bool mayBeNegative;
  };
  const Target targets[] = {{&info.iSingleGameAmount, true}, {&info.iSingleWinNum, false}, {&info.iSingleLoseNum, false}};
  std::size_t next = 0;
  int taken = 0;
  char line[kLegacyLineBytes];
  while (std::fgets(line, sizeof line, file) != nullptr) {
    if (std::strcmp(line, "\r\n") == 0 || std::strcmp(line, "\n") == 0) continue;
    if (next >= std::size(targets)) continue;
    const Target& target = targets[next++];
    std::int32_t value = 0;
    if (ReadLegacyCount(line, value) && (target.mayBeNegative || value >= 0)) {
      *target.count = value;
      ++taken;
    } else {
      cocos2d::log("DDZGameView: value line %zu of %s is no count; the stored one stays", next, kLegacyStatsFile);
    }
  }
  std::fclose(file);
  // The file goes only once the store holds what it brought.
  if (taken > 0 && !SaveSingleGameStats()) {
    cocos2d::log("DDZGameView: the counts of %s could not be stored; the file is kept", kLegacyStatsFile);
    return;
  }
  if (taken == 0) cocos2d::log("DDZGameView: %s holds no counts; the stored ones stay", kLegacyStatsFile);
  if (std::remove(path.c_str()) != 0) cocos2d::log("DDZGameView: %s could not be deleted", kLegacyStatsFile);
}

bool DDZGameView::SaveSingleGameStats() {
  const GlobalInfo& info = m_GlobalInfo;
  Store()->setIntegerForKey(kKeySingleAmount, info.iSingleGameAmount);
  Flush();
  Store()->setIntegerForKey(kKeySingleWins, info.iSingleWinNum);
  Flush();
  Store()->setIntegerForKey(kKeySingleLosses, info.iSingleLoseNum);
  // The last flush writes the whole store, so it tells whether all three are kept.
  return Flush();
}

void DDZGameView::RecordSingleHandResult(int result) {
  if (!IsSinglePlayer()) {
    if (result > 0) AddAllWinNum(1);
    return;
  }
  GlobalInfo& info = m_GlobalInfo;
  cocos2d::UserDefault* defaults = cocos2d::UserDefault::getInstance();
  if (result > 0) {
    info.iSingleWinNum = ddz::os::SaturatingAdd(info.iSingleWinNum, 1);
    defaults->setIntegerForKey(kUserWins, info.iSingleWinNum);
  } else {
    info.iSingleLoseNum = ddz::os::SaturatingAdd(info.iSingleLoseNum, 1);
    defaults->setIntegerForKey(kUserLosses, info.iSingleLoseNum);
  }
  info.iSingleGameAmount = ddz::os::SaturatingAdd(info.iSingleGameAmount, result);
  SaveSingleGameStats();
  defaults->setIntegerForKey(kUserAmount, info.iSingleGameAmount);
  AddToUserDefault(kUserHands, 1);
  AddToUserDefault(kUserHandsForGuide, 1);
  defaults->flush();
}

// ---------------------------------------------------------------- today's hands

int DDZGameView::LocalDayOf(std::int64_t seconds) {
  const std::time_t t = static_cast<std::time_t>(seconds);
  std::tm local{};
  if (localtime_r(&t, &local) == nullptr) return 0;
  return (local.tm_year + 1900) * 10000 + (local.tm_mon + 1) * 100 + local.tm_mday;
}

int DDZGameView::StatsGameId() const { return m_pGameScene != nullptr ? m_pGameScene->GetGameID() : 0; }

void DDZGameView::LoadTodayPlayNum() {
  m_iTodayPlayNum = std::max(0, Store()->getIntegerForKey(kKeyTodayPlayNum, 0));
  const std::int64_t stored = Store()->getInteger64ForKey(kKeyTodayPlayTime, 0);
  const std::int64_t now = ddz::os::Clock().WallTimeSeconds();
  if (LocalDayOf(stored) != LocalDayOf(now)) {
    m_iTodayPlayNum = 0;
    Store()->setInteger64ForKey(kKeyTodayPlayTime, now);
  }
  if (!Store()->flush()) cocos2d::log("DDZGameView: the day's hand count could not be stored");
}

void DDZGameView::CountTodayHand() {
  m_iTodayPlayNum = ddz::os::SaturatingAdd(m_iTodayPlayNum, 1);
  Store()->setIntegerForKey(kKeyTodayPlayNum, m_iTodayPlayNum);
}

void DDZGameView::SaveTodayPlayNum() {
  Store()->setIntegerForKey(kKeyTodayPlayNum, m_iTodayPlayNum);
  if (!Store()->flush()) cocos2d::log("DDZGameView: the day's hand count could not be stored");
}

// ---------------------------------------------------------------- loss limit

void DDZGameView::RecordLoseAmount() {
  const int userId = m_GlobalInfo.iUserID;
  const int gameId = StatsGameId();
  const std::string timeKey = UserGameKey(userId, kLoginTimeWord, gameId);
  const std::string amountKey = UserGameKey(userId, kLoseAmountWord, gameId);
  const std::int64_t now = ddz::os::Clock().WallTimeSeconds();
  m_GlobalInfo.bDayFlag = 0;
  if (LocalDayOf(Store()->getInteger64ForKey(timeKey.c_str(), 0)) != LocalDayOf(now)) {
    m_iDayLoseAmount = 0;
    Store()->setInteger64ForKey(timeKey.c_str(), now);
    Store()->setIntegerForKey(amountKey.c_str(), 0);
    Flush();
  } else {
    m_iDayLoseAmount = Store()->getIntegerForKey(amountKey.c_str(), 0);
  }
  m_iLobbyLoseAmount = Store()->getIntegerForKey(GameKey(kLobbyLoseWord, gameId).c_str(), 0);
}

void DDZGameView::UpdateLoseAmount(int moneyChange) {
  const int gameId = StatsGameId();
  m_iLobbyLoseAmount = ddz::os::SaturatingAdd(m_iLobbyLoseAmount, moneyChange);
  m_iDayLoseAmount = ddz::os::SaturatingAdd(m_iDayLoseAmount, moneyChange);
  Store()->setIntegerForKey(GameKey(kLobbyLoseWord, gameId).c_str(), m_iLobbyLoseAmount);
  Store()->setIntegerForKey(UserGameKey(m_GlobalInfo.iUserID, kLoseAmountWord, gameId).c_str(), m_iDayLoseAmount);
  Flush();
}

bool DDZGameView::CheckLoseLimit() {
  std::string text;
  GetConfValue(text, kLoseTextKey, kLoseTextFile, kLoseTextSection, "");
  if (m_iDayLoseAmount > kLoseLimit) return true;
  GameMsgBox::shareMessageBox()->ShowMessage(text.c_str(), 1, this,
                                             static_cast<cocos2d::SEL_MenuHandler>(&GameViewBase::QuitGame), nullptr,
                                             kLoseBoxSeconds, 1, true, nullptr);
  return false;
}
