// The mini-game's sounds, all through the table's sound service: a number n
// plays "ddzSound/<n>.mp3", a name plays "ddzSound/<name>".
#pragma once

namespace ddz::smallgame {

inline constexpr int kSoundClick = 6;       // buttons, the rules strip
inline constexpr int kSoundPick = 5;        // a card picked
inline constexpr int kSoundClockTick = 15;  // each second after the clock's warning

void PlaySound(int number);
void PlaySound(const char* name);

}  // namespace ddz::smallgame
