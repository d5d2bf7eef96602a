// The prop catalogue on arbitrary files: every entry is filed under its own
// id, its texts are cuts of the file's values that fit the reader's buffer,
// and reading the same file again adds nothing (the first entry of an id stays).
#include <string>

#include "classic/DDZPackLayer.h"
#include "fuzz/FuzzSupport.h"
#include "platform/framework/YndConf.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const bool ready = (ddz::fuzz::QuietLog(), ddz::fuzz::Scratch::Get(), true);
  (void)ready;
  const ddz::fuzz::RunScope scope;
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  ddz::fuzz::Scratch::Get().Write("fuzz_prop.conf", text);
  ddz::ClearConfCache();
  auto& catalogue = DDZPackLayer::GetStaticPropMap();
  catalogue.clear();
  DDZPackLayer::LoadPropConf("fuzz_prop.conf");
  const ddz::ConfFile conf = ddz::ConfFile::Parse(text);
  FUZZ_CHECK(catalogue.size() <= 1000);
  for (const auto& [id, info] : catalogue) {
    FUZZ_CHECK(info.iPropID == id);
    for (const std::string* t : {&info.strName, &info.strNumMax, &info.strLimitTime, &info.strDescription,
                                 &info.strFrom})
      FUZZ_CHECK(t->size() < 400);
  }
  // The first section's texts, when it is an entry, are cuts of its values.
  if (const std::string* id = conf.Find("1", "prop_id")) {
    int n = 0;
    if (ddz::ParseConfInt(*id, n)) {
      FUZZ_CHECK(catalogue.count(n) == 1);
      if (const std::string* name = conf.Find("1", "prop_name"))
        FUZZ_CHECK(ddz::fuzz::IsCutOf(catalogue[n].strName, name->substr(0, name->find('\0'))));
    }
  }
  const auto first = catalogue;
  DDZPackLayer::LoadPropConf("fuzz_prop.conf");
  FUZZ_CHECK(catalogue.size() == first.size());
  return 0;
}
