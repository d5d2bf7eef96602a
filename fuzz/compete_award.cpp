// The award certificate's record and prize from arbitrary bytes: an award
// message of any length, or prize lines with a rank. What holds: the record is
// the message's first 56 bytes and zeros after them, the award text (the game
// server's GBK, read within its 20-byte field) is well-formed UTF-8 and an
// ASCII field shows as it stands, and a prize's two lines put together are its
// one line, each text a cut of its field.
#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "compete/CompeteAwardLayer.h"
#include "fuzz/FuzzSupport.h"

namespace {

template <std::size_t N>
std::string FieldUpToZero(const char (&field)[N]) {
  return std::string(field, ::strnlen(field, N));
}

void CheckMessage(ddz::fuzz::Input& in) {
  const std::string msg = in.Rest();
  // A heap block of the message's own size: a read past it is caught.
  std::vector<char> bytes(msg.begin(), msg.end());
  CompeteAwardLayer* layer = CompeteAwardLayer::create(bytes.data(), static_cast<int>(bytes.size()));
  const std::size_t kept = std::min<std::size_t>(bytes.size(), CompeteAwardLayer::kMessageBytes);
  FUZZ_CHECK(kept == 0 || std::memcmp(layer->GetRecord(), bytes.data(), kept) == 0);
  for (std::size_t i = kept; i < CompeteAwardLayer::kRecordSize; ++i) FUZZ_CHECK(layer->GetRecord()[i] == 0);

  char field[CompeteAwardLayer::kAwardTextSize];
  std::memcpy(field, layer->GetRecord() + CompeteAwardLayer::kAwardTextOffset, sizeof field);
  const std::string text = layer->GetAwardText();
  const std::string raw = FieldUpToZero(field);
  FUZZ_CHECK(ddz::fuzz::IsUtf8(text));
  const bool ascii = std::all_of(raw.begin(), raw.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
  FUZZ_CHECK(!ascii || text == raw);
}

void CheckPrize(ddz::fuzz::Input& in) {
  const int rank = static_cast<std::int16_t>(in.U32());  // far from the ends of int
  std::vector<CompeteAwardItem> lines(in.Byte() % 4);
  for (CompeteAwardItem& line : lines) {
    const std::vector<std::uint8_t> raw = in.Bytes(sizeof line);
    if (!raw.empty()) std::memcpy(&line, raw.data(), raw.size());
    // Ranks near the one asked for, so that lines match.
    line.iRankFrom = rank - static_cast<int>(in.Byte() % 3);
    line.iRankTo = rank + static_cast<int>(in.Byte() % 3) - 1;
  }
  const CompeteAwardLayer::Prize prize = CompeteAwardLayer::ChoosePrize(lines, rank);
  if (!prize.has) {
    FUZZ_CHECK(prize.joined.empty() && prize.first.empty() && prize.second.empty());
    return;
  }
  FUZZ_CHECK(!prize.first.empty());
  FUZZ_CHECK(prize.first + prize.second == prize.joined);
  const CompeteAwardItem* chosen = nullptr;
  for (const CompeteAwardItem& line : lines) {
    if (line.iRankFrom <= rank && rank <= line.iRankTo) {
      chosen = &line;
      break;
    }
  }
  FUZZ_CHECK(chosen != nullptr);
  // The line opens with its first text, cut by at most one character's
  // bytes where the text is well-formed (bytes that form no character may
  // all be dropped), and the next text (if any) follows a "+".
  const std::string first = FieldUpToZero(chosen->szAwardText);
  const std::size_t mostDropped = ddz::fuzz::IsUtf8(first) ? 3 : first.size();
  bool opens = false;
  for (std::size_t drop = 0; drop <= mostDropped && drop < first.size() && !opens; ++drop) {
    const std::string cut = first.substr(0, first.size() - drop);
    opens = prize.joined.compare(0, cut.size(), cut) == 0 &&
            (prize.joined.size() == cut.size() || prize.joined[cut.size()] == '+') && ddz::fuzz::IsCutOf(cut, first);
  }
  FUZZ_CHECK(opens);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const bool ready = [] {
    ddz::fuzz::QuietLog();
    ddz::fuzz::Scratch::Get();
    return true;
  }();
  (void)ready;
  const ddz::fuzz::RunScope scope;
  ddz::fuzz::Input in(data, size);
  if (in.Bool()) CheckPrize(in);
  else CheckMessage(in);
  return 0;
}
