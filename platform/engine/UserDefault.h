// The engine's per-user key-value store. Values live in memory until `flush`,
// which writes "UserDefault.xml" in the writable path atomically (temporary
// file and rename). The file is read when the store is first used; of a file
// cut short the whole entries are read. A file that is there but cannot be
// read (a folder, no permission) is never written over: `flush` then fails
// and the values live for this run only.
#pragma once

#include <map>
#include <string>

namespace cocos2d {

class UserDefault {
 public:
  static UserDefault* getInstance();
  // Drops the store (unflushed values are lost); the next getInstance reads
  // the file again.
  static void destroyInstance();

  bool getBoolForKey(const char* key, bool defaultValue = false) const;
  int getIntegerForKey(const char* key, int defaultValue = 0) const;
  float getFloatForKey(const char* key, float defaultValue = 0) const;
  double getDoubleForKey(const char* key, double defaultValue = 0) const;
  std::string getStringForKey(const char* key, const std::string& defaultValue = "") const;
  void setBoolForKey(const char* key, bool value);
  void setIntegerForKey(const char* key, int value);
  void setFloatForKey(const char* key, float value);
  void setDoubleForKey(const char* key, double value);
  void setStringForKey(const char* key, const std::string& value);
  void deleteValueForKey(const char* key);
  bool flush();
  const std::string& getFilePath() const { return _path; }

 private:
  UserDefault();
  void load();
  const std::string* find(const char* key) const;

  std::map<std::string, std::string> _values;
  std::string _path;
  bool _unreadable = false;  // the file is there but could not be read
};

}  // namespace cocos2d
