#include "variants/DDZSmallGameSound.h"

#include <string>

#include "table/GameSoundDDZ.h"

namespace ddz::smallgame {

void PlaySound(int number) { GameSoundDDZ::shareGameSoundDDZ()->PlayGameSound(std::to_string(number) + ".mp3"); }

void PlaySound(const char* name) { GameSoundDDZ::shareGameSoundDDZ()->PlayGameSound(std::string(name)); }

}  // namespace ddz::smallgame
