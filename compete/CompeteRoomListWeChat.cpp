// CompeteRoomListLayer: the lobby page's returns (balances, WeChat share,
// red packets) and the red-packet exchanges; the readers they use.
#include "compete/CompeteRoomListWeChat.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <cstring>
#include <vector>

#include "classic/LobbyBalanceReturn.h"
#include "compete/CompeteRoomListLayer.h"
#include "gamedata/CompeteWebMsg.h"
#include "gamedata/TextTables.h"
#include "platform/engine/Log.h"
#include "platform/framework/LobbyNewVac.h"
#include "platform/framework/YndCommonFunc.h"
#include "platform/framework/YndConf.h"
#include "platform/framework/YndWebClient.h"
#include "platform/gamebase/GameMsgBox.h"
#include "platform/gamebase/GameViewBase.h"
#include "platform/os/OsApiBase.h"
#include "platform/os/Text.h"

namespace ddz::wechat {

namespace {

// The text up to the next '_' (all of it when there is none); `text` moves past the '_'.
std::string_view NextField(std::string_view& text) {
  const std::size_t end = text.find('_');
  const std::string_view field = text.substr(0, end);
  text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
  return field;
}

// A leading "%d" of the field (blanks, a sign, digits); false without digits
// or beyond an int.
bool ReadLeadingInt(std::string_view field, int& out) {
  while (!field.empty() && (field.front() == ' ' || field.front() == '\t')) field.remove_prefix(1);
  if (!field.empty() && field.front() == '+') field.remove_prefix(1);
  int value = 0;
  if (std::from_chars(field.data(), field.data() + field.size(), value).ec != std::errc()) return false;
  out = value;
  return true;
}

std::string DecodeHexField(std::string_view hex) {
  if (hex.empty()) return {};
  std::vector<char> buffer(kShareTextBytes, '\0');
  int len = 0;
  const std::string text(hex);
  if (!HexStringToCharArray(text.c_str(), buffer.data(), &len, kShareTextBytes)) return {};
  return std::string(buffer.data(), static_cast<std::size_t>(std::clamp(len, 0, kShareTextBytes - 1)));
}

// A text field of the token request: at most the field, cut at a character,
// no terminator needed when it fills the field.
void PutField(std::string& frame, std::size_t offset, std::string_view value) {
  const std::size_t n = ddz::os::Utf8PrefixLength(value, kTokenFieldBytes);
  frame.replace(offset, n, value.substr(0, n));
}

std::int32_t IntAt(const char* bytes) {
  std::int32_t v = 0;
  std::memcpy(&v, bytes, sizeof v);
  return v;
}

}  // namespace

bool ReadShareText(std::string_view rest, ShareText& out) {
  ShareText read;
  if (!ReadLeadingInt(NextField(rest), read.kind)) return false;
  read.title = DecodeHexField(NextField(rest));
  read.content = DecodeHexField(NextField(rest));
  read.link = std::string(NextField(rest));
  out = std::move(read);
  return true;
}

int PlatformShareKind(int kind) {
  switch (kind) {
    case 0: return 2;
    case 1: return 4;
    default: return 0;
  }
}

bool ReadRedPacketId(std::string_view rest, int& id) { return ReadLeadingInt(NextField(rest), id); }

std::string TokenRequest(std::string_view appId, std::string_view code) {
  std::string frame(kTokenRequestBytes, '\0');
  const std::int32_t id = kTokenRequestId;
  std::memcpy(frame.data(), &id, sizeof id);
  PutField(frame, 4, appId);
  PutField(frame, 4 + kTokenFieldBytes, code);
  return frame;
}

bool ReadTokenReply(const char* reply, int len, TokenReply& out) {
  if (reply == nullptr || len < 8) return false;
  if (IntAt(reply) != 0) return false;
  const int jsonLen = std::clamp(IntAt(reply + 4), 0, std::min(kTokenJsonMax, len - 8));
  TokenReply read;
  read.json.assign(reply + 8, static_cast<std::size_t>(jsonLen));
  // The JSON ends at its first zero byte, as the text it is.
  read.json.resize(strnlen(read.json.c_str(), read.json.size()));
  read.accessToken = LobbyNewVacConf::GetJSON(read.json, "access_token");
  read.openId = LobbyNewVacConf::GetJSON(read.json, "openid");
  out = std::move(read);
  return true;
}

bool RedPacketAddress(std::string_view base, std::string_view appId, std::string_view openId, int redId,
                      int userId, std::string_view userToken, std::string& url) {
  std::string formed(base);
  formed += "?appId=" + YndUrlEncode(appId);
  formed += "&openId=" + YndUrlEncode(openId);
  formed += "&receiveId=" + std::to_string(redId);
  formed += "&userId=" + std::to_string(userId);
  formed += "&userToken=" + YndUrlEncode(userToken);
  if (formed.size() >= static_cast<std::size_t>(kAddressBytes)) return false;
  url = std::move(formed);
  return true;
}

std::string AppId(bool byChannel) {
  const char* section = "vac_info";
  if (byChannel && ddz::ServerSection() != "release") section = "vac_test_info";
  char appId[64] = {};
  GetConfValue(appId, sizeof appId, "wx_appid", kAppIdFile, section, "");
  return appId;
}

std::string RedPacketServiceUrl() {
  char url[kAddressBytes] = {};
  GetConfValue(url, sizeof url, kRedPacketKey, kRedPacketFile, ddz::ServerSection().c_str(), "0");
  return url[0] != '\0' ? std::string(url) : std::string(kBuiltInRedPacketUrl);
}

}  // namespace ddz::wechat

namespace wx = ddz::wechat;

void CompeteRoomListLayer::CallbackWebReturnParam(const char* param) {
  cocos2d::log("CompeteRoomListLayer,CallbackWebReturnParam[%s]", param != nullptr ? param : "");
  if (param == nullptr || param[0] == '\0') return;
  const std::string_view text(param, strnlen(param, 8192));
  switch (ApplyLobbyBalanceReturn(text)) {
    case LobbyBalanceReturn::kApplied: RefreshMoneyText(); return;
    case LobbyBalanceReturn::kRefused: return;
    case LobbyBalanceReturn::kOther: break;
  }
  if (text.starts_with(wx::kShareTag)) {
    ShareToWeChat(text.substr(wx::kShareTag.size()));
  } else if (text.starts_with(wx::kRedPacketTag)) {
    int id = 0;
    if (!wx::ReadRedPacketId(text.substr(wx::kRedPacketTag.size()), id)) {
      cocos2d::log("wx_auth2_get_redpacket_: no receive id, nothing started");
      return;
    }
    m_iRedID = id;
    cocos2d::log("wx_auth2_get_redpacket_ iRedID = %d", m_iRedID);
    OsApiBase::shareOsApi()->WeChatAuth(wx::AppId(true).c_str());
  }
}

void CompeteRoomListLayer::ShareToWeChat(std::string_view rest) {
  wx::ShareText share;
  if (!wx::ReadShareText(rest, share)) {
    cocos2d::log("wx_share2: no share kind, nothing shared");
    return;
  }
  cocos2d::log("wx_share2 Type = %d", share.kind);
  cocos2d::log("wx_share2 szTitle = %s", share.title.c_str());
  cocos2d::log("wx_share2 szConTxt = %s", share.content.c_str());
  const int kind = wx::PlatformShareKind(share.kind);
  if (kind == 0) return;
  const std::string appId = wx::AppId(false);
  OsApiBase::shareOsApi()->ShareWeChat(kind, "", share.title.c_str(), share.content.c_str(), share.link.c_str(),
                                       appId.c_str(), "", "", 0, "");
}

void CompeteRoomListLayer::CallbackWXAuthRt(int result, const char* code) {
  cocos2d::log("CompeteRoomListLayer CallbackWXAuthRt 1");
  if (result != 0) return;
  std::string wait;
  GetValueStr(wait, "http_enter_tip", kQuestionFile, kQuestionSection, "");
  GameMsgBox::shareMessageBox()->ShowMessage(wait.c_str(), 3, this);
  cocos2d::log("CompeteRoomListLayer CallbackWXAuthRt 2");
  m_strWXCode = code != nullptr ? std::string(code, strnlen(code, 1024)) : std::string();
  AddNextFrameToDo(&CompeteRoomListLayer::NextFrameGetWXAccessToken);
}

void CompeteRoomListLayer::NextFrameGetWXAccessToken() {
  cocos2d::log("CompeteRoomListLayer NextFrameGetWXAccessToken 1");
  const std::string section = ddz::ServerSection();
  const std::string appId = wx::AppId(true);
  char tokenUrl[wx::kAddressBytes] = {};
  cocos2d::log("szTokenURL[%s] szSection[%s] 1", tokenUrl, section.c_str());
  GetConfValue(tokenUrl, sizeof tokenUrl, "http_url", "server.conf", section.c_str(), "0");
  cocos2d::log("szTokenURL[%s] szSection[%s] 2", tokenUrl, section.c_str());

  YndWebClient* web = YndWebClient::shareWebClient();
  const std::string request = wx::TokenRequest(appId, m_strWXCode);
  std::vector<char> reply(wx::kReplyArea, '\0');
  int replyLen = wx::kReplyArea;
  const int rc = web->BlockGetWebsiteContent(tokenUrl, reply.data(), replyLen, request.data(),
                                             static_cast<int>(request.size()));
  wx::TokenReply token;
  if (rc != kWebOk || !wx::ReadTokenReply(reply.data(), replyLen, token)) {
    cocos2d::log("NextFrameGetWXAccessToken: token exchange failed (%d, %d bytes)", rc, replyLen);
    GameMsgBox::shareMessageBox()->ShowMessage(GameText(wx::kTokenFailedText).c_str(), 1, this);
    return;
  }
  cocos2d::log("NextFrameGetWXAccessToken access_token[%s] openid[%s] json[%s]", token.accessToken.c_str(),
               token.openId.c_str(), token.json.c_str());

  const GlobalInfo& info = GameViewBase::m_GlobalInfo;
  std::string address;
  std::string msg;
  if (wx::RedPacketAddress(wx::RedPacketServiceUrl(), appId, token.openId, m_iRedID, info.iUserID,
                           std::string_view(info.szUserToken, strnlen(info.szUserToken, sizeof info.szUserToken)),
                           address)) {
    cocos2d::log("NextFrameGetWXAccessToken szContent[%s]", address.c_str());
    std::fill(reply.begin(), reply.end(), '\0');
    replyLen = wx::kReplyArea;
    web->BlockGetWebsiteContent(address.c_str(), reply.data(), replyLen, nullptr, 0);
    const std::string body(reply.data(), static_cast<std::size_t>(std::clamp(replyLen, 0, wx::kReplyArea)));
    msg = LobbyNewVacConf::GetJSON(body, "msg");
    cocos2d::log("NextFrameGetWXAccessToken msg[%s] reply[%s]", msg.c_str(), body.c_str());
  } else {
    cocos2d::log("NextFrameGetWXAccessToken: the red-packet address does not fit; not sent");
  }
  GameMsgBox::shareMessageBox()->ShowMessage(msg.c_str(), 1, this);
}
