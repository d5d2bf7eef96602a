// The client's process entry.
#include "shell/ProgramMain.h"
#include "table/TableSceneLinks.h"

int main(int argc, char** argv) {
  // The layers above the shell tell the scene how to reach them.
  ddz::FillTableSceneLinks();
  ddz::ProgramOptions options;
  options.startup.dataFolders = {"data", DDZ_DATA_DIR};
  options.limits = ddz::RunLimitsFromEnvironment();
  return ddz::RunProgram(argc, argv, std::move(options));
}
