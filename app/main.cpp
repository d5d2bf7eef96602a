// The client's process entry.
#include "shell/ProgramMain.h"

int main(int argc, char** argv) {
  ddz::ProgramOptions options;
  options.startup.dataFolders = {"data", DDZ_DATA_DIR};
  options.limits = ddz::RunLimitsFromEnvironment();
  return ddz::RunProgram(argc, argv, std::move(options));
}
