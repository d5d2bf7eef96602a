#include "platform/os/Log.h"

#include <cstdarg>
#include <cstdio>

namespace ddz::os {

namespace {
LogSink& Sink() {
  static LogSink sink;
  return sink;
}
}  // namespace

void SetLogSink(LogSink sink) { Sink() = std::move(sink); }

void Log(const char* format, ...) {
  char buffer[4096];
  va_list args;
  va_start(args, format);
  std::vsnprintf(buffer, sizeof buffer, format, args);
  va_end(args);
  if (Sink()) {
    Sink()(buffer);
  } else {
    std::fprintf(stderr, "%s\n", buffer);
  }
}

}  // namespace ddz::os
