// Files: search paths tried in order for bare names, the per-user writable
// folder, and reading and writing whole files. Configured paths may use
// Windows separators ('\'); they are turned into '/'.
#pragma once

#include <string>
#include <vector>

namespace cocos2d {

class FileUtils {
 public:
  static FileUtils* getInstance();
  static void destroyInstance();

  // Appends (or, with front, prepends) a folder to the search paths.
  void addSearchPath(const std::string& path, bool front = false);
  void setSearchPaths(const std::vector<std::string>& paths);
  const std::vector<std::string>& getSearchPaths() const { return _searchPaths; }
  // The folder relative search paths and names are taken from ("" = working folder).
  void setDefaultResourceRootPath(const std::string& path);
  const std::string& getDefaultResourceRootPath() const { return _root; }

  // The full path of a file: an absolute path as it is, a relative one tried
  // in each search path in order, then in the root. "" when there is none.
  std::string fullPathForFilename(const std::string& filename) const;
  bool isFileExist(const std::string& filename) const;
  bool isDirectoryExist(const std::string& path) const;
  bool isAbsolutePath(const std::string& path) const;

  std::string getStringFromFile(const std::string& filename) const;
  std::vector<unsigned char> getDataFromFile(const std::string& filename) const;
  // Writes through a temporary file and a rename, so readers see the old or
  // the new content, never a part.
  bool writeStringToFile(const std::string& data, const std::string& fullPath) const;
  bool writeDataToFile(const std::vector<unsigned char>& data, const std::string& fullPath) const;
  bool createDirectory(const std::string& path) const;
  bool removeFile(const std::string& path) const;
  bool renameFile(const std::string& oldFullPath, const std::string& newFullPath) const;

  // The per-user folder for settings and logs, ending in '/'; created when
  // first asked for. Default: $XDG_DATA_HOME (or ~/.local/share) + "/DouDiZhu/".
  std::string getWritablePath() const;
  void setWritablePath(const std::string& path);

  // Whether a missing file is reported in the log.
  void setPopupNotify(bool notify) { _popupNotify = notify; }
  bool isPopupNotify() const { return _popupNotify; }

  // '\' to '/', and a trailing '/' for folders.
  static std::string normalizeFolder(const std::string& path);
  static std::string normalizePath(const std::string& path);

 private:
  FileUtils();
  std::vector<std::string> _searchPaths;
  std::string _root;
  mutable std::string _writablePath;
  bool _popupNotify = false;
};

}  // namespace cocos2d
