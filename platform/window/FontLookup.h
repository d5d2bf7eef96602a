// Font names to font files, through fontconfig. The program names its fonts
// by family ("微软雅黑", "Arial"); on this system that family may not exist,
// so the match always asks for a face that covers Chinese, and the answer is
// whatever installed font fontconfig judges closest.
#pragma once

#include <string>

namespace ddz::window {

// The file of the installed font closest to `family` that covers Chinese;
// "" when fontconfig finds no font at all. Answers are cached per family.
std::string FindFontFile(const std::string& family);

}  // namespace ddz::window
