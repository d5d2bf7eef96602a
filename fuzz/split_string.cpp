// The splitter of the tournament's lists on arbitrary texts and separators:
// the pieces joined again give the text without its trailing blanks (and
// without a last separator whose empty piece was dropped), and no piece holds
// the separator.
#include <string>
#include <vector>

#include "fuzz/FuzzSupport.h"
#include "gamedata/CompeteRecords.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  ddz::fuzz::Input in(data, size);
  const std::vector<std::uint8_t> sepBytes = in.Block(4);
  const std::string separator(sepBytes.begin(), sepBytes.end());
  const std::string text = in.Rest();
  std::vector<std::string> pieces = {"left over"};
  SplitString(pieces, text, separator);

  std::string trimmed = text;
  trimmed.erase(trimmed.find_last_not_of(' ') == std::string::npos ? 0 : trimmed.find_last_not_of(' ') + 1);
  if (separator.empty()) {
    FUZZ_CHECK(pieces.size() == (trimmed.empty() ? 0u : 1u));
    return 0;
  }
  std::string joined;
  for (std::size_t i = 0; i < pieces.size(); ++i) {
    FUZZ_CHECK(pieces[i].find(separator) == std::string::npos);
    joined += (i > 0 ? separator : "") + pieces[i];
  }
  FUZZ_CHECK(joined == trimmed || (!pieces.empty() && joined + separator == trimmed));
  if (trimmed.empty()) FUZZ_CHECK(pieces.empty());
  return 0;
}
