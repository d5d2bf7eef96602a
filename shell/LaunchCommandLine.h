// The lobby's launch command line: the program path and eight parameters
// separated by spaces (server address, port, server id, a fourth number,
// network flag, user id, user token, lobby window), optionally followed by a
// ninth, an extra resource folder.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/os/Text.h"

namespace ddz {

// The command line is read from a working copy of this many bytes (the last
// one the terminator); anything after it is ignored.
inline constexpr std::size_t kCommandLineCapacity = 1024;
// The longest extra resource folder the command line may name.
inline constexpr std::size_t kMaxLaunchSearchPath = 259;

// The command line cut to kCommandLineCapacity - 1 bytes and split at spaces;
// runs of spaces count as one separator, leading and trailing ones are
// dropped. Token 0 is the program path.
std::vector<std::string> SplitCommandLine(std::string_view commandLine);

// The launch numbers are read with the runtime's decimal readers
// (platform/os/Text.h): they saturate, they never wrap.
using os::ParseInt64Token;
using os::ParseIntToken;

}  // namespace ddz

// Fills the launch-parameter record of OsApiBase::shareOsApi() from the
// command line (token 0, the program path, is skipped):
//   1 server address: must contain '.', else parsing stops and nothing more is
//     read or set; an address longer than the record's 19 characters is
//     refused the same way. Otherwise bLaunchedWithParams = 1.
//   2 port (low 16 bits of the saturated int), 3 server id, 4 fourth number, 5 network flag,
//   6 user id, 7 user token (cut to 19 bytes at a character boundary),
//   8 lobby window (low 32 bits of a 64-bit number),
//   9 an extra search path, appended to the engine's search paths (start-up
//     parses before it adds its own, so this folder is searched first);
//     refused when longer than kMaxLaunchSearchPath.
// Tokens after the ninth are ignored. After a launch with parameters the game
// kind becomes 62 and the launch flag 0. Every step is logged.
void ParseLaunchCommandLine(const char* commandLine);
