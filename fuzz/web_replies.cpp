// What comes back from the web services: the JSON reader on arbitrary texts
// and the web client's handling of a reply (the bytes arriving in pieces up
// to a limit, the judgement of the exchange, the copy into a caller's reply
// area of a given capacity). A JSON member read is the value the text holds;
// a reply is handed over whole or not at all, never past its limit or the
// caller's capacity.
#include <cstring>
#include <memory>
#include <string>

#include <curl/curl.h>

#include "fuzz/FuzzSupport.h"
#include "platform/framework/LobbyNewVac.h"
#include "platform/framework/YndWebClient.h"

using namespace ddz;

namespace {

void CheckJson(const std::string& text, const std::string& member) {
  const std::string value = LobbyNewVacConf::GetJSON(text, member);
  FUZZ_CHECK(value == LobbyNewVacConf::GetJSON(text, member));  // the same text reads the same
  if (text.size() > LobbyNewVacConf::kMaxJsonBytes) FUZZ_CHECK(value.empty());
  // A string member written back into an object reads as itself.
  if (!value.empty() && !member.empty() && fuzz::IsUtf8(member) && member.find_first_of("\"\\") == std::string::npos &&
      value.find_first_of("\"\\") == std::string::npos) {
    FUZZ_CHECK(fuzz::IsUtf8(value));
    bool control = false;
    for (unsigned char c : value + member) control = control || c < 0x20;
    if (!control) {
      const std::string again = "{\"" + member + "\":\"" + value + "\"}";
      FUZZ_CHECK(LobbyNewVacConf::GetJSON(again, member) == value);
    }
  }
}

void CheckReply(fuzz::Input& in) {
  static constexpr int kCodes[] = {CURLE_OK, CURLE_COULDNT_CONNECT, CURLE_OPERATION_TIMEDOUT, CURLE_WRITE_ERROR,
                                   CURLE_GOT_NOTHING, CURLE_UNSUPPORTED_PROTOCOL};
  const int code = kCodes[in.Byte() % 6];
  const long status = in.Bool() ? 200 : static_cast<long>(in.U32() % 600);
  YndWebReplyBuffer buffer;
  buffer.limit = in.Byte() * 4u;
  const int capacity = in.Byte() * 4;
  std::string sent;
  while (!in.Empty() && sent.size() < 4096) {
    std::vector<std::uint8_t> piece = in.Block(64);
    sent.append(piece.begin(), piece.end());
    const bool taken = buffer.Append(reinterpret_cast<const char*>(piece.data()), piece.size());
    FUZZ_CHECK(buffer.body.size() <= buffer.limit);
    if (!taken) break;
  }
  FUZZ_CHECK(buffer.overLimit == (sent.size() > buffer.limit));
  if (!buffer.overLimit) FUZZ_CHECK(buffer.body == sent);
  const bool over = buffer.overLimit;
  const YndWebOutcome outcome = YndWebJudgeExchange(code, status, buffer);
  if (outcome.error == kWebOk) {
    FUZZ_CHECK(code == CURLE_OK && status == 200 && !over);
    FUZZ_CHECK(outcome.reply == sent);
  } else {
    FUZZ_CHECK(outcome.reply.empty());
    if (over) FUZZ_CHECK(outcome.error == kWebErrTooLong);
  }

  auto area = std::make_unique<char[]>(static_cast<std::size_t>(capacity) + 1);  // exact: AddressSanitizer sees overruns
  area[static_cast<std::size_t>(capacity)] = 'x';
  int len = -1;
  const int result = YndWebCopyReply(outcome, area.get(), capacity, len);
  FUZZ_CHECK(area[static_cast<std::size_t>(capacity)] == 'x');
  if (result == kWebOk) {
    FUZZ_CHECK(len == static_cast<int>(outcome.reply.size()) && len <= capacity);
    FUZZ_CHECK(std::memcmp(area.get(), outcome.reply.data(), outcome.reply.size()) == 0);
    if (len < capacity) FUZZ_CHECK(area[static_cast<std::size_t>(len)] == '\0');
  } else {
    FUZZ_CHECK(len == 0);
    if (capacity > 0) FUZZ_CHECK(area[0] == '\0');
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const bool ready = (fuzz::QuietLog(), true);
  (void)ready;
  const fuzz::RunScope scope;
  fuzz::Input in(data, size);
  if (in.Bool()) {
    std::vector<std::uint8_t> member = in.Block(16);
    CheckJson(in.Rest(), std::string(member.begin(), member.end()));
  } else {
    CheckReply(in);
  }
  return 0;
}
