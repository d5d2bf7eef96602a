// "setting.conf" on arbitrary bytes: a refused file leaves the record as it
// was; an accepted one holds volumes in 0..1 and switches 0 or 1, and writing
// it and reading it back gives the same record; so does the reading of a cut
// file. Loading the file from the writable folder gives the parse's answer,
// else the cut reading's, else the default record.
#include <string>

#include "fuzz/FuzzSupport.h"
#include "widgets/SettingConf.h"

using namespace ddz::settings;

namespace {
bool Same(const SettingConf& a, const SettingConf& b) {
  return a.fMusicVolume == b.fMusicVolume && a.fSoundVolume == b.fSoundVolume && a.bMusicOpen == b.bMusicOpen &&
         a.bSoundOpen == b.bSoundOpen && a.iValue6 == b.iValue6 && a.iValue7 == b.iValue7 && a.iValue8 == b.iValue8;
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const bool ready = (ddz::fuzz::QuietLog(), ddz::fuzz::Scratch::Get(), true);
  (void)ready;
  const ddz::fuzz::RunScope scope;
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  SettingConf conf;
  conf.fMusicVolume = 0.25f;
  conf.iValue8 = -77;
  const SettingConf before = conf;
  if (!ParseSettingConf(text, conf)) {
    FUZZ_CHECK(Same(conf, before));
  } else {
    FUZZ_CHECK(conf.fMusicVolume >= 0 && conf.fMusicVolume <= 1 && conf.fSoundVolume >= 0 && conf.fSoundVolume <= 1);
    FUZZ_CHECK(conf.bMusicOpen <= 1 && conf.bSoundOpen <= 1);
    const std::string written = FormatSettingConf(conf);
    SettingConf back;
    FUZZ_CHECK(ParseSettingConf(written, back));
    FUZZ_CHECK(FormatSettingConf(back) == written);
  }
  // A cut text: a refusal leaves the record alone; what is taken is in range.
  SettingConf cut = before;
  if (ParseCutSettingConf(text, cut) == 0) {
    FUZZ_CHECK(Same(cut, before));
  } else {
    FUZZ_CHECK(cut.fMusicVolume >= 0 && cut.fMusicVolume <= 1 && cut.fSoundVolume >= 0 && cut.fSoundVolume <= 1);
    FUZZ_CHECK(cut.bMusicOpen <= 1 && cut.bSoundOpen <= 1);
  }
  ddz::fuzz::Scratch::Get().Write(kSettingFile, text);
  g_SettingConf = before;
  const bool loaded = LoadSettingConf();
  SettingConf parsed;
  SettingConf partly;
  const bool parses = ParseSettingConf(text, parsed);
  const bool taken = parses || ParseCutSettingConf(text, partly) > 0;
  FUZZ_CHECK(loaded == taken);
  FUZZ_CHECK(Same(g_SettingConf, parses ? parsed : partly));
  return 0;
}
