#include "gamedata/CompeteRecords.h"

#include <cctype>
#include <climits>
#include <cstring>

#include "gamedata/DdzCompete.h"

void SplitString(std::vector<std::string>& out, std::string text, std::string separator) {
  out.clear();
  const std::size_t end = text.find_last_not_of(' ');
  text.erase(end == std::string::npos ? 0 : end + 1);
  if (separator.empty()) {
    if (!text.empty()) out.push_back(std::move(text));
    return;
  }
  std::size_t from = 0;
  for (std::size_t at = text.find(separator); at != std::string::npos; at = text.find(separator, from)) {
    out.push_back(text.substr(from, at - from));
    from = at + separator.size();
  }
  if (from < text.size()) out.push_back(text.substr(from));
}

namespace {

// Reads an int as "%d" does (leading blanks, a sign, digits) from p, moving p
// past it; a number beyond an int stops at its nearest end. False when no
// digit is there.
bool ReadInt(const char*& p, int& out) {
  const char* q = p;
  while (*q != '\0' && std::isspace(static_cast<unsigned char>(*q))) ++q;
  bool negative = false;
  if (*q == '+' || *q == '-') negative = *q++ == '-';
  if (!std::isdigit(static_cast<unsigned char>(*q))) return false;
  long long value = 0;
  for (; std::isdigit(static_cast<unsigned char>(*q)); ++q) {
    if (value <= static_cast<long long>(INT_MAX) + 1) value = value * 10 + (*q - '0');
  }
  if (negative) value = -value;
  out = value > INT_MAX ? INT_MAX : value < INT_MIN ? INT_MIN : static_cast<int>(value);
  p = q;
  return true;
}

// Reads up to `count` ints separated by '-' as "%d-%d-..." does; the ints
// not read keep their values.
void ScanDashed(const std::string& piece, int* out, int count) {
  const char* p = piece.c_str();
  for (int i = 0; i < count; ++i) {
    if (i > 0) {
      if (*p != '-') return;
      ++p;
    }
    if (!ReadInt(p, out[i])) return;
  }
}

}  // namespace

namespace ddz {

std::vector<int> ParseNumberList(const std::string& text) {
  std::vector<std::string> pieces;
  SplitString(pieces, text, ";");
  std::vector<int> numbers;
  numbers.reserve(pieces.size());
  for (const std::string& piece : pieces) {
    int n = 0;
    const char* p = piece.c_str();
    ReadInt(p, n);  // as atoi: no number reads as 0
    numbers.push_back(n);
  }
  return numbers;
}

std::vector<CompeteKindValue> ParseKindValueList(const std::string& text) {
  std::vector<std::string> pieces;
  SplitString(pieces, text, ";");
  std::vector<CompeteKindValue> pairs;
  pairs.reserve(pieces.size());
  for (const std::string& piece : pieces) {
    int v[2] = {0, 0};
    ScanDashed(piece, v, 2);
    pairs.push_back(CompeteKindValue{v[0], v[1]});
  }
  return pairs;
}

std::vector<CompeteAwardItem> ParseAwardItems(const CompeteMatchRecord& record) {
  const DdzCompete& compete = *DdzCompete::getInstance();
  std::vector<std::string> pieces;
  std::vector<CompeteAwardItem> items;
  SplitString(pieces, RecordText(record.szAwards), ";");
  for (const std::string& piece : pieces) {
    int v[4] = {0, 0, 0, 0};
    ScanDashed(piece, v, 4);
    CompeteAwardItem item;
    item.iRankFrom = v[0];
    item.iRankTo = v[1];
    item.iPropId = v[2];
    item.iPropNum = v[3];
    compete.FillAwardItemText(item);
    items.push_back(item);
  }
  // The second and third prizes join the line of the same ranks.
  const auto joinPrizes = [&](const std::string& text, auto fill) {
    SplitString(pieces, text, ";");
    for (const std::string& piece : pieces) {
      int v[4] = {0, 0, 0, 0};
      ScanDashed(piece, v, 4);
      for (CompeteAwardItem& item : items) {
        if (item.iRankFrom == v[0] && item.iRankTo == v[1]) {
          fill(item, v[2], v[3]);
          break;
        }
      }
    }
  };
  joinPrizes(RecordText(record.szSecondPrizes), [&](CompeteAwardItem& item, int id, int num) {
    item.iPropId2 = id;
    item.iPropNum2 = num;
    compete.GetPropName(id, num, item.szAwardText2, sizeof item.szAwardText2);
  });
  joinPrizes(RecordText(record.szThirdPrizes), [&](CompeteAwardItem& item, int id, int num) {
    item.iPropId3 = id;
    item.iPropNum3 = num;
    compete.GetPropName(id, num, item.szAwardText3, sizeof item.szAwardText3);
  });
  return items;
}

}  // namespace ddz
