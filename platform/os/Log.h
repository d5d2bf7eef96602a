// The OS layer's log line. The OS layer knows nothing of the engine, so it
// writes through a replaceable sink: standard error until start-up routes it
// into the program's log.
#pragma once

#include <functional>
#include <string>

namespace ddz::os {

using LogSink = std::function<void(const std::string& line)>;

// Replaces the sink; an empty function restores standard error.
void SetLogSink(LogSink sink);

// printf-style; the line is cut at 4 KB.
void Log(const char* format, ...) __attribute__((format(printf, 1, 2)));

}  // namespace ddz::os
