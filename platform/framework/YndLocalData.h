// The per-user key-value store: integers and flags kept in a text file in the
// engine's writable folder ("YndLocalData.txt"), one "key=value" a line.
// Values change in memory; `flush` writes the whole store atomically, so an
// interrupted write leaves the previous file as it was. A file cut short
// elsewhere loses only its unfinished last line. A file that is there but
// cannot be read (a folder, no permission) is never written over: the store
// then holds its values for this run only.
#pragma once

#include <cstdint>
#include <map>
#include <string>

class YndLocalData {
 public:
  static constexpr const char* kFileName = "YndLocalData.txt";

  // The one store, loaded on first use. The argument is not used (callers
  // pass null).
  static YndLocalData* sharedLocalData(const char* unused = nullptr);

  int getIntegerForKey(const char* key, int defaultValue = 0) const;
  void setIntegerForKey(const char* key, int value);
  // Whole 64-bit values (times in seconds since 1970); an int written by
  // setIntegerForKey reads back the same.
  std::int64_t getInteger64ForKey(const char* key, std::int64_t defaultValue = 0) const;
  void setInteger64ForKey(const char* key, std::int64_t value);
  bool getBoolForKey(const char* key, bool defaultValue = false) const;
  void setBoolForKey(const char* key, bool value);
  // Writes the store to its file. False when the write failed or the file
  // could not be read (the old file stays, the values stay in memory);
  // nothing is written when nothing changed.
  bool flush();

  // The file behind the store. Setting it drops unflushed changes and loads
  // the file (tests; an empty path restores the writable folder's file).
  const std::string& GetFilePath() const { return m_strPath; }
  void SetFilePath(const std::string& path);
  // Drops unflushed changes and reads the file again.
  void Reload();

 private:
  YndLocalData();
  void Load();
  void Set(const char* key, std::string value);
  const std::string* Find(const char* key) const;

  std::string m_strPath;
  std::map<std::string, std::string> m_values;
  bool m_bDirty = false;
  bool m_bUnreadable = false;  // the file is there but could not be read
};
