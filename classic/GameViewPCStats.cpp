// GameViewPC: the single-player statistics (score total, wins and losses of
// the offline game) and the daily loss limit, both kept in the local store.
#include <algorithm>
#include <climits>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "classic/GameViewPC.h"
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

void Flush() {
  if (!Store()->flush()) cocos2d::log("GameViewPC: the local store could not be written");
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

void GameViewPC::LoadSingleGameStats() {
  if (!IsSinglePlayer()) return;
  GlobalInfo& info = m_GlobalInfo;
  const std::string path = cocos2d::FileUtils::getInstance()->getWritablePath() + kLegacyStatsFile;
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (file == nullptr) {
    info.iSingleGameAmount = Store()->getIntegerForKey(kKeySingleAmount, 0);
    info.iSingleWinNum = Store()->getIntegerForKey(kKeySingleWins, 0);
    info.iSingleLoseNum = Store()->getIntegerForKey(kKeySingleLosses, 0);
    return;
  }
  std::int32_t* const targets[] = {&info.iSingleGameAmount, &info.iSingleWinNum, &info.iSingleLoseNum};
  std::size_t next = 0;
  char line[kLegacyLineBytes];
  while (std::fgets(line, sizeof line, file) != nullptr) {
    if (std::strcmp(line, "\r\n") == 0 || std::strcmp(line, "\n") == 0) continue;
    if (next < std::size(targets)) *targets[next++] = std::atoi(line);
  }
  std::fclose(file);
  if (std::remove(path.c_str()) != 0) cocos2d::log("GameViewPC: %s could not be deleted", kLegacyStatsFile);
  SaveSingleGameStats();
}

void GameViewPC::SaveSingleGameStats() {
  const GlobalInfo& info = m_GlobalInfo;
  Store()->setIntegerForKey(kKeySingleAmount, info.iSingleGameAmount);
  Flush();
  Store()->setIntegerForKey(kKeySingleWins, info.iSingleWinNum);
  Flush();
  Store()->setIntegerForKey(kKeySingleLosses, info.iSingleLoseNum);
  Flush();
}

void GameViewPC::RecordSingleHandResult(int result) {
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

// ---------------------------------------------------------------- loss limit

void GameViewPC::RecordLoseAmount() {
  const int userId = m_GlobalInfo.iUserID;
  const int gameId = m_pGameScene != nullptr ? m_pGameScene->GetGameID() : m_iGameId;
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

void GameViewPC::UpdateLoseAmount(int moneyChange) {
  const int gameId = m_pGameScene != nullptr ? m_pGameScene->GetGameID() : m_iGameId;
  m_iLobbyLoseAmount = ddz::os::SaturatingAdd(m_iLobbyLoseAmount, moneyChange);
  m_iDayLoseAmount = ddz::os::SaturatingAdd(m_iDayLoseAmount, moneyChange);
  Store()->setIntegerForKey(GameKey(kLobbyLoseWord, gameId).c_str(), m_iLobbyLoseAmount);
  Store()->setIntegerForKey(UserGameKey(m_GlobalInfo.iUserID, kLoseAmountWord, gameId).c_str(), m_iDayLoseAmount);
  Flush();
}

bool GameViewPC::CheckLoseLimit() {
  std::string text;
  GetConfValue(text, kLoseTextKey, kLoseTextFile, kLoseTextSection, "");
  if (m_iDayLoseAmount > kLoseLimit) return true;
  GameMsgBox::shareMessageBox()->ShowMessage(text.c_str(), 1, this,
                                             static_cast<cocos2d::SEL_MenuHandler>(&GameViewBase::QuitGame), nullptr,
                                             kLoseBoxSeconds, 1, true, nullptr);
  return false;
}
