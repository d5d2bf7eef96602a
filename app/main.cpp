// The client's process entry. The program's own options (--headless,
// --screenshot FILE) are taken out before the launch parameters are read.
#include <string>
#include <vector>

#include "shell/ProgramMain.h"

int main(int argc, char** argv) {
  ddz::ProgramOptions options;
  options.window = ddz::WindowChoice{};
  const std::vector<std::string> args = ddz::TakeWindowOptions(argc, argv, &options.window);
  std::vector<const char*> rest;
  for (const std::string& a : args) rest.push_back(a.c_str());
  options.startup.dataFolders = {"data", DDZ_DATA_DIR, DDZ_ART_DIR};
  options.limits = ddz::RunLimitsFromEnvironment();
  return ddz::RunProgram(static_cast<int>(rest.size()), rest.data(), std::move(options));
}
