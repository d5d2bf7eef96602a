// The tournament list's WeChat road: the readers of the lobby page's share
// and red-packet texts, and the two exchanges of collecting a red packet.
//
// Collecting runs: "wx_auth2_get_redpacket_<id>" -> WeChat authorisation
// (platform) -> CallbackWXAuthRt(0, code) -> wait box, next frame ->
// token request 41113 to "http_url" of "server.conf" (blocking) -> the
// red-packet GET to "get_red_packtet" of "http_server.conf" (blocking) ->
// the reply's "msg" in a box. The WeChat app id is "wx_appid" of
// "VellComVac.conf", section "vac_info" for the "release" channel, else
// "vac_test_info"; the share always uses "vac_info".
//
// Token request, 68 bytes little-endian: int32 41113, app id char[32],
// code char[32] (a 32-character value fills its field without a
// terminator; longer ones are cut). Token reply: int32 status (0 = good),
// int32 length, then that much JSON with "access_token" and "openid"; the
// length is clamped to the bytes received and to 255.
//
// The layer's members are in compete/CompeteRoomListWeChat.cpp; these are
// the readers they use, kept apart for the tests and the fuzz target.
#pragma once

#include <string>
#include <string_view>

namespace ddz::wechat {

constexpr int kTokenRequestId = 41113;
constexpr int kTokenRequestBytes = 68;
constexpr int kTokenFieldBytes = 32;
constexpr int kTokenJsonMax = 255;
constexpr int kReplyArea = 2048;
constexpr int kAddressBytes = 2048;
constexpr int kShareTextBytes = 1024;
constexpr int kTokenFailedText = 432;  // game text shown when the token exchange fails
constexpr const char* kAppIdFile = "VellComVac.conf";
constexpr const char* kRedPacketFile = "http_server.conf";
constexpr const char* kRedPacketKey = "get_red_packtet";
// Used when "get_red_packtet" is present but empty: the red-packet service of
// the player's own machine (no outside host is built in; an installation that
// has a service names it in "http_server.conf").
constexpr const char* kBuiltInRedPacketUrl = "http://127.0.0.1/rank/receivedRedPacketInterface.do";

constexpr std::string_view kShareTag = "wx_share2_";
constexpr std::string_view kRedPacketTag = "wx_auth2_get_redpacket_";

// "<kind>_<hexTitle>_<hexContent>_<link>[_...]" after kShareTag. The title
// and content decode into kShareTextBytes buffers: a field that is not hex
// or does not fit reads as "". Missing fields are empty. False when the
// kind is not a number.
struct ShareText {
  int kind = 0;
  std::string title, content, link;
};
[[nodiscard]] bool ReadShareText(std::string_view rest, ShareText& out);
// The platform's share kind for a page's kind (0 -> 2, 1 -> 4), 0 for none.
int PlatformShareKind(int kind);

// "<id>[_...]" after kRedPacketTag; false when the id is not a number.
[[nodiscard]] bool ReadRedPacketId(std::string_view rest, int& id);

// The 68-byte token request.
std::string TokenRequest(std::string_view appId, std::string_view code);

struct TokenReply {
  std::string json, accessToken, openId;
};
// False for a reply shorter than its 8-byte head or with a status other
// than 0; `out` is then untouched.
[[nodiscard]] bool ReadTokenReply(const char* reply, int len, TokenReply& out);

// "<base>?appId=..&openId=..&receiveId=..&userId=..&userToken=.." with every
// text value percent-encoded. False (and `url` untouched) when the address
// would not fit kAddressBytes with its terminator.
[[nodiscard]] bool RedPacketAddress(std::string_view base, std::string_view appId, std::string_view openId,
                                    int redId, int userId, std::string_view userToken, std::string& url);

// The configured app id: by the channel's section, or always "vac_info".
std::string AppId(bool byChannel);
// The red-packet service address for the channel's section: the configured
// value ("0" when the key is missing), kBuiltInRedPacketUrl when it is empty.
std::string RedPacketServiceUrl();

}  // namespace ddz::wechat
