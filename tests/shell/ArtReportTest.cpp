// The art tool's list of the frames it paints as the plain panel against the
// reviewed list of the frames that are panels (data/panel_frames.txt): a
// frame on the reviewed list has no drawing of its own. A listed frame that
// got its drawing, or left the manifest, must leave the list, else it would
// hide the day it falls back to a plain box.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "support/TableLook.h"

namespace {

TEST(ArtReport, EveryFrameOnThePanelListIsOneTheArtToolPaintsAsThePlainPanel) {
  bool reported = false, reviewed = false;
  const std::set<std::string> plain = ddz::tour::ReadNameList(std::string(DDZ_ART_DIR) + "/plain_panels.txt", &reported);
  const std::set<std::string> panels =
      ddz::tour::ReadNameList(std::string(DDZ_SOURCE_DIR) + "/data/panel_frames.txt", &reviewed);
  ASSERT_TRUE(reported) << "the art tool wrote no list of its plain panels";
  ASSERT_TRUE(reviewed) << "no reviewed list of the panel frames";
  EXPECT_FALSE(panels.empty());
  for (const std::string& name : panels)
    EXPECT_TRUE(plain.count(name)) << name << ": on the panel list, but the art tool does not paint it as the plain panel";
}

}  // namespace
