// The tournament list's lobby-page texts and the WeChat token reply on
// arbitrary bytes: the share texts decode into their 1024-byte buffers, a
// receive id reads or nothing happens, the token reply's JSON never reaches
// past what arrived nor past 255 bytes, and the red-packet address keeps its
// five parameters whatever the values hold.
#include <algorithm>
#include <string>

#include "classic/LobbyBalanceReturn.h"
#include "compete/CompeteRoomListWeChat.h"
#include "fuzz/FuzzSupport.h"

namespace wx = ddz::wechat;

namespace {

void ShareText(const std::string& text) {
  wx::ShareText share;
  share.link = "untouched";
  if (!wx::ReadShareText(text, share)) {
    FUZZ_CHECK(share.link == "untouched");
    return;
  }
  FUZZ_CHECK(share.title.size() < wx::kShareTextBytes);
  FUZZ_CHECK(share.content.size() < wx::kShareTextBytes);
  FUZZ_CHECK(share.link.find('_') == std::string::npos);
  FUZZ_CHECK(text.find(share.link) != std::string::npos);
}

void TokenReply(const std::string& bytes) {
  wx::TokenReply reply;
  reply.openId = "untouched";
  const int len = static_cast<int>(bytes.size());
  if (!wx::ReadTokenReply(bytes.data(), len, reply)) {
    FUZZ_CHECK(reply.openId == "untouched");
    return;
  }
  FUZZ_CHECK(len >= 8);
  FUZZ_CHECK(reply.json.size() <= static_cast<std::size_t>(std::min(wx::kTokenJsonMax, len - 8)));
  FUZZ_CHECK(bytes.compare(8, reply.json.size(), reply.json) == 0);
  FUZZ_CHECK(reply.json.find('\0') == std::string::npos);
}

void Address(ddz::fuzz::Input& in) {
  const std::string base = "http://h/p";
  auto text = [&in] {
    const std::vector<std::uint8_t> b = in.Block(200);
    return std::string(b.begin(), b.end());
  };
  const std::string appId = text();
  const std::string openId = text();
  const std::string token = text();
  const int redId = static_cast<int>(in.U32());
  std::string url;
  if (!wx::RedPacketAddress(base, appId, openId, redId, 7, token, url)) return;
  FUZZ_CHECK(url.size() < static_cast<std::size_t>(wx::kAddressBytes));
  const std::string query = url.substr(base.size());
  FUZZ_CHECK(std::count(query.begin(), query.end(), '&') == 4);
  FUZZ_CHECK(std::count(query.begin(), query.end(), '=') == 5);
  FUZZ_CHECK(std::count(query.begin(), query.end(), '?') == 1);
  FUZZ_CHECK(std::none_of(query.begin(), query.end(), [](char c) { return c == ' ' || c == '#' || c < ' '; }));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const bool quiet = (ddz::fuzz::QuietLog(), true);
  (void)quiet;
  ddz::fuzz::RunScope scope;
  ddz::fuzz::Input in(data, size);
  switch (in.Byte() % 5) {
    case 0: ShareText(in.Rest()); break;
    case 1: {
      const std::string text = in.Rest();
      int id = -7;
      if (!wx::ReadRedPacketId(text, id)) FUZZ_CHECK(id == -7);
      break;
    }
    case 2: TokenReply(in.Rest()); break;
    case 3: Address(in); break;
    default: {
      const std::string text = in.Rest();
      const LobbyBalanceReturn read = ApplyLobbyBalanceReturn(text);
      FUZZ_CHECK((read == LobbyBalanceReturn::kOther) ==
                 !(text.starts_with("update_yb_") || text.starts_with("update_money_")));
      break;
    }
  }
  return 0;
}
