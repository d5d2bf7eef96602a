#include "platform/engine/FileUtils.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <system_error>

#include "platform/engine/Log.h"

namespace cocos2d {

namespace fs = std::filesystem;

namespace {
FileUtils* g_fileUtils = nullptr;

bool IsRegularFile(const std::string& p) {
  std::error_code ec;
  return !p.empty() && fs::is_regular_file(p, ec);
}
}  // namespace

FileUtils::FileUtils() = default;

FileUtils* FileUtils::getInstance() {
  if (!g_fileUtils) g_fileUtils = new FileUtils();
  return g_fileUtils;
}

void FileUtils::destroyInstance() {
  delete g_fileUtils;
  g_fileUtils = nullptr;
}

std::string FileUtils::normalizePath(const std::string& path) {
  std::string p = path;
  for (char& c : p)
    if (c == '\\') c = '/';
  return p;
}

std::string FileUtils::normalizeFolder(const std::string& path) {
  std::string p = normalizePath(path);
  if (!p.empty() && p.back() != '/') p += '/';
  return p;
}

void FileUtils::addSearchPath(const std::string& path, bool front) {
  std::string p = normalizeFolder(path);
  if (front)
    _searchPaths.insert(_searchPaths.begin(), p);
  else
    _searchPaths.push_back(p);
}

void FileUtils::setSearchPaths(const std::vector<std::string>& paths) {
  _searchPaths.clear();
  for (const auto& p : paths) addSearchPath(p);
}

void FileUtils::setDefaultResourceRootPath(const std::string& path) { _root = normalizeFolder(path); }

bool FileUtils::isAbsolutePath(const std::string& path) const { return !path.empty() && path[0] == '/'; }

std::string FileUtils::fullPathForFilename(const std::string& filename) const {
  if (filename.empty()) return "";
  const std::string name = normalizePath(filename);
  if (isAbsolutePath(name)) return IsRegularFile(name) ? name : "";
  for (const std::string& sp : _searchPaths) {
    std::string candidate = (isAbsolutePath(sp) ? sp : _root + sp) + name;
    if (IsRegularFile(candidate)) return candidate;
  }
  std::string candidate = _root + name;
  if (IsRegularFile(candidate)) return candidate;
  if (_popupNotify) log("fullPathForFilename: No file found at %s. Possible missing file.", filename.c_str());
  return "";
}

bool FileUtils::isFileExist(const std::string& filename) const { return !fullPathForFilename(filename).empty(); }

bool FileUtils::isDirectoryExist(const std::string& path) const {
  std::error_code ec;
  std::string p = normalizePath(path);
  if (!isAbsolutePath(p)) p = _root + p;
  return fs::is_directory(p, ec);
}

std::vector<unsigned char> FileUtils::getDataFromFile(const std::string& filename) const {
  std::string full = fullPathForFilename(filename);
  if (full.empty()) return {};
  std::ifstream in(full, std::ios::binary);
  return std::vector<unsigned char>((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

std::string FileUtils::getStringFromFile(const std::string& filename) const {
  std::vector<unsigned char> d = getDataFromFile(filename);
  return std::string(d.begin(), d.end());
}

bool FileUtils::writeDataToFile(const std::vector<unsigned char>& data, const std::string& fullPath) const {
  const std::string target = normalizePath(fullPath);
  const std::string tmp = target + ".tmp";
  std::FILE* f = std::fopen(tmp.c_str(), "wb");
  if (!f) return false;
  bool ok = data.empty() || std::fwrite(data.data(), 1, data.size(), f) == data.size();
  ok = std::fflush(f) == 0 && ok;
  ok = ::fsync(fileno(f)) == 0 && ok;
  ok = std::fclose(f) == 0 && ok;
  if (!ok) {
    std::remove(tmp.c_str());
    return false;
  }
  std::error_code ec;
  fs::rename(tmp, target, ec);
  if (ec) {
    std::remove(tmp.c_str());
    return false;
  }
  return true;
}

bool FileUtils::writeStringToFile(const std::string& data, const std::string& fullPath) const {
  return writeDataToFile(std::vector<unsigned char>(data.begin(), data.end()), fullPath);
}

bool FileUtils::createDirectory(const std::string& path) const {
  std::error_code ec;
  fs::create_directories(normalizePath(path), ec);
  return fs::is_directory(normalizePath(path), ec);
}

bool FileUtils::removeFile(const std::string& path) const {
  std::error_code ec;
  return fs::remove(normalizePath(path), ec);
}

bool FileUtils::renameFile(const std::string& oldFullPath, const std::string& newFullPath) const {
  std::error_code ec;
  fs::rename(normalizePath(oldFullPath), normalizePath(newFullPath), ec);
  return !ec;
}

std::string FileUtils::getWritablePath() const {
  if (_writablePath.empty()) {
    std::string base;
    if (const char* xdg = std::getenv("XDG_DATA_HOME"); xdg && *xdg)
      base = xdg;
    else if (const char* home = std::getenv("HOME"); home && *home)
      base = std::string(home) + "/.local/share";
    else
      base = "/tmp";
    _writablePath = normalizeFolder(base) + "DouDiZhu/";
  }
  createDirectory(_writablePath);
  return _writablePath;
}

void FileUtils::setWritablePath(const std::string& path) { _writablePath = normalizeFolder(path); }

}  // namespace cocos2d
