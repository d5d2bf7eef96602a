#include "platform/gamebase/GameText.h"

#include <vector>

#include "platform/engine/Log.h"
#include "platform/framework/YndFileTools.h"

namespace gamebase {

namespace {

struct TextState {
  GameTextSource source;
  std::vector<std::string> fileLines;  // entry 0 is the placeholder
  bool fileRead = false;
};

TextState& State() {
  static TextState state;
  return state;
}

const std::vector<std::string>& FileTexts() {
  TextState& s = State();
  if (!s.fileRead) {
    s.fileRead = true;
    s.fileLines.assign(1, std::string());
    YndFileTools reader(kGameTextFile);
    if (!reader.IsOpen()) cocos2d::log("GameText: %s not found", kGameTextFile);
    std::string line;
    while (reader.GetLine(line)) {
      if (!line.empty()) s.fileLines.push_back(line);
    }
  }
  return s.fileLines;
}

}  // namespace

std::string GameText(int n) {
  TextState& s = State();
  if (s.source) return s.source(n);
  const std::vector<std::string>& lines = FileTexts();
  if (n <= 0 || static_cast<std::size_t>(n) >= lines.size()) return std::string();
  return lines[static_cast<std::size_t>(n)];
}

void SetGameTextSource(GameTextSource source) {
  TextState& s = State();
  s.source = std::move(source);
  s.fileRead = false;
  s.fileLines.clear();
}

}  // namespace gamebase
