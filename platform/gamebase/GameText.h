// The game texts the game base itself shows (the computer players' names).
// The game base sits below the client's text tables, so it reads the game
// text file through the framework's line reader, or through a source that the
// client hands in.
#pragma once

#include <functional>
#include <string>

namespace gamebase {

// The game text file and the numbers of the computer players' names in it.
constexpr const char* kGameTextFile = "ddz_game_text.txt";
constexpr int kRobotNameFirst = 61;
constexpr int kRobotNameCount = 8;

// Entry n of the game texts (UTF-8): entry 0 is a placeholder, entry n the
// n-th non-empty line. "" for a number outside the table.
using GameTextSource = std::function<std::string(int)>;
std::string GameText(int n);

// Replaces the source (tests, or the client's own tables); an empty function
// restores the file reader, which reads the file again on next use.
void SetGameTextSource(GameTextSource source);

}  // namespace gamebase
