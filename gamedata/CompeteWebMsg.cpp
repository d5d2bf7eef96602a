#include "gamedata/CompeteWebMsg.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "gamedata/CompeteRoomInfo.h"
#include "gamedata/DdzCompete.h"
#include "gamedata/ProgramDir.h"
#include "platform/engine/Log.h"
#include "platform/framework/YndCommonFunc.h"
#include "platform/framework/YndConf.h"
#include "platform/framework/YndLocalData.h"
#include "platform/framework/YndWebClient.h"
#include "platform/gamebase/GameLogicLayer.h"
#include "platform/gamebase/GameViewBase.h"
#include "platform/os/OsApiCommon.h"

namespace {

constexpr const char* kAgentFile = "agent.txt";
constexpr const char* kServerFile = "server.conf";
constexpr const char* kExamineFlag = "lobby_if_examine";
constexpr int kTokenField = 32;    // the token at +44
constexpr int kMachineField = 20;  // the machine text at +76
constexpr std::size_t kSignKeyLength = 18;
// The web-view program's window and its title.
constexpr const char* kWebViewProgram = "Oskel";
constexpr const char* kWebViewTitle = "斗地主比赛";
constexpr const char* kWebViewArgs[] = {"780", "542", "2"};

void PutInt(char* frame, int offset, std::int32_t value) { std::memcpy(frame + offset, &value, 4); }

std::int32_t GetInt(const char* reply, int offset) {
  std::int32_t value = 0;
  std::memcpy(&value, reply + offset, 4);
  return value;
}

// Copies at most field - 1 bytes of text, and a terminator, into the frame.
void PutText(char* frame, int offset, int field, const char* text, std::size_t textCapacity) {
  const std::size_t n = strnlen(text, std::min<std::size_t>(textCapacity, static_cast<std::size_t>(field - 1)));
  std::memcpy(frame + offset, text, n);
  frame[offset + static_cast<int>(n)] = '\0';
}

const GlobalInfo& Login() { return GameViewBase::m_GlobalInfo; }

}  // namespace

namespace ddz {

std::string ServerSection() {
  std::string section;
  GetConfValue(section, "use_section", kAgentFile, "agent_info", "release");
  return section;
}

bool WebQueryDue(std::int32_t last, std::int32_t now, int gap) {
  return last == 0 || static_cast<std::int64_t>(now) - last > gap;
}

bool LoadWebSignKey() {
  std::string key;
  GetConfValue(key, "web_sign_key", kServerFile, ServerSection().c_str(), "");
  const bool wellFormed = key.size() == kSignKeyLength && std::all_of(key.begin(), key.end(), [](char c) {
                            return (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '!' || c == '#';
                          });
  if (!wellFormed) {
    cocos2d::log(key.empty() ? "LoadWebSignKey: no signing key configured"
                             : "LoadWebSignKey: the configured signing key is not 18 of a-z 0-9 ! #; not used");
    GameLogicLayer::shareGameLogicLayer()->SetWebSignKey("");
    return false;
  }
  GameLogicLayer::shareGameLogicLayer()->SetWebSignKey(key);
  return true;
}

}  // namespace ddz

// ---------------------------------------------------------------- CompeteWebMsg

CompeteWebMsg* CompeteWebMsg::shareCompeteWebMsg() {
  static CompeteWebMsg* instance = new CompeteWebMsg();
  return instance;
}

CompeteWebMsg::CompeteWebMsg() { LoadWebUrl(); }

CompeteWebMsg::~CompeteWebMsg() = default;

void CompeteWebMsg::LoadWebUrl() {
  std::memset(m_szWebUrl, 0, sizeof m_szWebUrl);
  GetConfValue(m_szWebUrl, sizeof m_szWebUrl, "normal_web_url", kServerFile, ddz::ServerSection().c_str(), "0");
  YndWebClient::shareWebClient()->AddUrlUseHex(m_szWebUrl);
}

int CompeteWebMsg::SendWebMsg(int msgId, bool bAsync, char* buf, int len, char* replyBuf, int& replyLen,
                              YndGameLayer* target) {
  if (!GameLogicLayer::shareGameLogicLayer()->FillWebMsgHead(msgId, ddz::CompeteTimeNow(), buf, len)) {
    cocos2d::log("CompeteWebMsg: message %d of %d bytes not signed, not sent", msgId, len);
    if (!bAsync) replyLen = 0;
    return kWebErrBadArgument;
  }
  YndWebClient* web = YndWebClient::shareWebClient();
  if (bAsync) return web->AsyncGetWebsiteContent(m_szWebUrl, target, msgId, buf, len);
  return web->BlockGetWebsiteContent(m_szWebUrl, replyBuf, replyLen, buf, len);
}

int CompeteWebMsg::SendEnterCompeteQuery(YndGameLayer* target) {
  if (YndLocalData::sharedLocalData()->getBoolForKey(kExamineFlag, false)) return 0;
  if (!ddz::WebQueryDue(DdzCompete::getInstance()->m_tLastInviteQuery, ddz::CompeteTimeNow(), kEnterCompeteGap))
    return 0;
  char frame[kLenEnterCompete] = {};
  PutInt(frame, 40, Login().iUserID);
  int unused = 0;
  SendWebMsg(kMsgEnterCompete, true, frame, kLenEnterCompete, nullptr, unused, target);
  return 0;
}

int CompeteWebMsg::QueryFdLogicData(bool bSync, YndGameLayer* target, int userId) {
  FdLogicData& data = *FdLogicData::shareFdLogicData();
  const std::int32_t now = ddz::CompeteTimeNow();
  if (!ddz::WebQueryDue(data.m_tLastQuery, now, kFdLogicGap)) return 0;
  char frame[kLenFdLogicData] = {};
  PutInt(frame, 40, 245);
  PutInt(frame, 44, userId);
  PutInt(frame, 48, 100);
  PutInt(frame, 52, m_iFdLogicArg);
  if (!bSync) {
    int unused = 0;
    SendWebMsg(kMsgFdLogicData, true, frame, kLenFdLogicData, nullptr, unused, target);
    return 0;
  }
  std::vector<char> reply(kReplyAreaSize, '\0');
  int replyLen = kReplyAreaSize;
  const int rc = SendWebMsg(kMsgFdLogicData, false, frame, kLenFdLogicData, reply.data(), replyLen, target);
  if (rc != 0 || !data.AcceptReply(reply.data(), replyLen, now)) {
    cocos2d::log("QueryFdLogicData: no answer taken (result %d, %d bytes)", rc, replyLen);
    return -1;
  }
  return 0;
}

int CompeteWebMsg::SendSignUpCountQuery(int matchId, YndGameLayer* target) {
  char frame[kLenSignUpCount] = {};
  PutInt(frame, 40, matchId);
  int unused = 0;
  return SendWebMsg(kMsgSignUpCount, true, frame, kLenSignUpCount, nullptr, unused, target);
}

void CompeteWebMsg::ShowWebView() {
  ddz::os::IProcessLauncher& launcher = ddz::os::WebViewLauncher();
  if (m_ProcessInfo.started) {
    const ddz::os::ProcessExitState state = launcher.ExitState();
    cocos2d::log("CompeteWebMsg: the web view opened before ends (running %d, exit %d)", state.running ? 1 : 0,
                 state.code);
    if (!launcher.Terminate()) launcher.Forget();
    m_ProcessInfo = {};
  }
  char frame[kLenWebView] = {};
  const GlobalInfo& login = Login();
  PutInt(frame, 40, login.iUserID);
  PutText(frame, 44, kTokenField, login.szUserToken, sizeof login.szUserToken);
  const std::string machine = OsApiCommon::shareOsApiCommon()->GetMachineText();
  PutText(frame, 76, kMachineField, machine.c_str(), machine.size());
  PutInt(frame, 96, 13020);
  GameLogicLayer::shareGameLogicLayer()->FillWebMsgHead(kMsgWebView, ddz::CompeteTimeNow(), frame, kLenWebView);
  const std::string address =
      std::string(m_szWebUrl) + "?hex=" + CharArrayToHexString(frame, kLenWebView) + "&hbver=2";
  cocos2d::log("CompeteWebMsg ShowWebView[%s]", address.c_str());

  std::string program = ddz::os::WebViewProgram();
  if (program.empty()) {
    GetProgramDir(".", program);
    program += kWebViewProgram;
  }
  std::vector<std::string> argv = {program, address};
  argv.insert(argv.end(), std::begin(kWebViewArgs), std::end(kWebViewArgs));
  argv.emplace_back(kWebViewTitle);
  m_ProcessInfo = {};
  if (!launcher.Start(argv)) {
    cocos2d::MessageBox("启动失败", "创建进程");
    return;
  }
  m_ProcessInfo = launcher.ExitState();
  // The web-view program writes its result there; none of an earlier one may stay.
  DeleteWebResultFile();
}

bool CompeteWebMsg::IsAcceptedReply(const char* reply, int len, int minLen) {
  return reply != nullptr && len >= minLen && len >= 1 && reply[0] == 'S';
}

bool CompeteWebMsg::ReadEnterCompeteReply(const char* reply, int len, std::int32_t& invite) {
  if (!IsAcceptedReply(reply, len, kMinReplyEnterCompete)) return false;
  invite = GetInt(reply, kReplyPayload);
  return true;
}

bool CompeteWebMsg::ReadFdLogicReply(const char* reply, int len, std::int32_t& flag, std::int32_t& kind) {
  if (!IsAcceptedReply(reply, len, kMinReplyFdLogicData)) return false;
  flag = GetInt(reply, kReplyPayload);
  kind = GetInt(reply, kReplyPayload + 4);
  return true;
}

bool CompeteWebMsg::ReadSignUpCountReply(const char* reply, int len, std::int32_t& count, std::int32_t& matchId) {
  if (!IsAcceptedReply(reply, len, kMinReplySignUpCount)) return false;
  count = GetInt(reply, kReplyPayload);
  matchId = GetInt(reply, kReplyPayload + 4);
  return true;
}

bool CompeteWebMsg::ReadCompeteRoomInfoReply(const char* reply, int len, CompeteUserRecord& record) {
  if (!IsAcceptedReply(reply, len, kMinReplyCompeteRoomInfo)) return false;
  std::memcpy(&record, reply + kReplyPayload, sizeof record);
  return true;
}

// ---------------------------------------------------------------- 20035

std::int32_t CompeteRoomInfo::m_tLastRequestTime = 0;

int CompeteRoomInfo::RequestCompeteRoomInfo(bool bSync, YndGameLayer* target, bool bForce) {
  const std::int32_t now = ddz::CompeteTimeNow();
  if (!bForce && m_tLastRequestTime != 0 &&
      static_cast<std::int64_t>(now) < static_cast<std::int64_t>(m_tLastRequestTime) + CompeteWebMsg::kRoomInfoGap)
    return -1;
  m_tLastRequestTime = now;  // the time of sending, not of an answer
  char frame[CompeteWebMsg::kLenCompeteRoomInfo] = {};
  const GlobalInfo& login = Login();
  PutInt(frame, 40, login.iUserID);
  PutText(frame, 44, kTokenField, login.szUserToken, sizeof login.szUserToken);
  CompeteWebMsg* web = CompeteWebMsg::shareCompeteWebMsg();
  if (!bSync) {
    int unused = 0;
    web->SendWebMsg(CompeteWebMsg::kMsgCompeteRoomInfo, true, frame, sizeof frame, nullptr, unused, target);
    return 0;
  }
  std::vector<char> reply(CompeteWebMsg::kReplyAreaSize, '\0');
  int replyLen = CompeteWebMsg::kReplyAreaSize;
  const int rc =
      web->SendWebMsg(CompeteWebMsg::kMsgCompeteRoomInfo, false, frame, sizeof frame, reply.data(), replyLen, target);
  CompeteUserRecord record{};
  if (rc != 0 || !CompeteWebMsg::ReadCompeteRoomInfoReply(reply.data(), replyLen, record)) {
    cocos2d::log("RequestCompeteRoomInfo: no record taken (result %d, %d bytes)", rc, replyLen);
    return -1;
  }
  DdzCompete::getInstance()->AcceptUserRecord(record);
  return 0;
}

// ---------------------------------------------------------------- FdLogicData

FdLogicData* FdLogicData::shareFdLogicData() {
  static FdLogicData* instance = new FdLogicData();
  return instance;
}

FdLogicData::~FdLogicData() = default;

bool FdLogicData::AcceptReply(const char* reply, int len, std::int32_t now) {
  std::int32_t flag = 0;
  std::int32_t kind = 0;
  if (!CompeteWebMsg::ReadFdLogicReply(reply, len, flag, kind)) return false;
  m_tLastQuery = now;
  m_iEntryFlag = flag;
  m_iEntryKind = kind >= 1 && kind <= 3 ? kind : 1;
  return true;
}

void FdLogicData::Reset() { *this = FdLogicData(); }
