#include "platform/framework/YndFileTools.h"

#include <cstdio>

#include "platform/engine/FileUtils.h"
#include "platform/os/Log.h"

namespace ddz {

std::string FindDataFile(const std::string& name) {
  return cocos2d::FileUtils::getInstance()->fullPathForFilename(name);
}

bool ReadFileBytes(const std::string& path, std::string& out) {
  out.clear();
  if (path.empty()) return false;
  std::FILE* f = std::fopen(path.c_str(), "rb");
  if (!f) return false;
  bool ok = true;
  char buf[8192];
  for (;;) {
    const std::size_t n = std::fread(buf, 1, sizeof buf, f);
    if (n > 0) {
      if (out.size() + n > kMaxDataFileBytes) {
        ddz::os::Log("ReadFileBytes: %s is larger than %zu bytes, refused", path.c_str(), kMaxDataFileBytes);
        ok = false;
        break;
      }
      out.append(buf, n);
    }
    if (n < sizeof buf) {
      if (std::ferror(f)) ok = false;
      break;
    }
  }
  std::fclose(f);
  if (!ok) out.clear();
  return ok;
}

}  // namespace ddz

char* NewCharArray(std::size_t n) { return new char[n + 1](); }

YndFileTools::YndFileTools(const char* file, bool absolutePath) {
  if (!file || !*file) return;
  const std::string path = absolutePath ? std::string(file) : ddz::FindDataFile(file);
  open_ = ddz::ReadFileBytes(path, text_);
  if (!open_) {
    ddz::os::Log("YndFileTools: cannot read %s", file);
    return;
  }
  if (text_.size() >= 3 && text_.compare(0, 3, "\xEF\xBB\xBF") == 0) pos_ = 3;
}

bool YndFileTools::GetLine(std::string& line) {
  line.clear();
  if (pos_ >= text_.size()) return false;
  const std::size_t end = text_.find_first_of("\r\n", pos_);
  if (end == std::string::npos) {
    line.assign(text_, pos_, std::string::npos);
    pos_ = text_.size();
    return true;
  }
  line.assign(text_, pos_, end - pos_);
  pos_ = end + 1;
  if (text_[end] == '\r' && pos_ < text_.size() && text_[pos_] == '\n') ++pos_;
  return true;
}
