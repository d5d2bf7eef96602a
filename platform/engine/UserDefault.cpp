#include "platform/engine/UserDefault.h"

#include <tinyxml2.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <limits>

#include "platform/engine/FileUtils.h"
#include "platform/engine/Log.h"
#include "platform/os/FileIo.h"

namespace cocos2d {

namespace {
UserDefault* g_userDefault = nullptr;
constexpr const char* kFileName = "UserDefault.xml";
}  // namespace

UserDefault* UserDefault::getInstance() {
  if (!g_userDefault) {
    g_userDefault = new UserDefault();
    g_userDefault->load();
  }
  return g_userDefault;
}

void UserDefault::destroyInstance() {
  delete g_userDefault;
  g_userDefault = nullptr;
}

UserDefault::UserDefault() : _path(FileUtils::getInstance()->getWritablePath() + kFileName) {}

namespace {
constexpr const char* kRoot = "userDefaultRoot";
constexpr const char* kEntryEnd = "</entry>";

// The entries of a file that does not parse whole, as one cut short leaves
// it: everything up to the last whole entry, with the root closed again.
bool ParseWholeEntries(const std::string& text, tinyxml2::XMLDocument& doc) {
  const std::size_t end = text.rfind(kEntryEnd);
  if (end == std::string::npos) return false;
  const std::string kept = text.substr(0, end + std::strlen(kEntryEnd)) + "</" + kRoot + ">";
  return doc.Parse(kept.c_str(), kept.size()) == tinyxml2::XML_SUCCESS;
}
}  // namespace

void UserDefault::load() {
  std::string text;
  const ddz::os::StoredFile read = ddz::os::ReadStoredFile(_path, text);
  _unreadable = read == ddz::os::StoredFile::kUnreadable;
  if (_unreadable) log("UserDefault: cannot read %s; starting empty and leaving the file alone", _path.c_str());
  if (read != ddz::os::StoredFile::kRead || text.empty()) return;
  tinyxml2::XMLDocument doc;
  if (doc.Parse(text.c_str(), text.size()) != tinyxml2::XML_SUCCESS) {
    const std::string why = doc.ErrorStr() ? doc.ErrorStr() : "";
    doc.Clear();
    if (!ParseWholeEntries(text, doc)) {
      log("UserDefault: %s does not read (%s); starting empty", _path.c_str(), why.c_str());
      return;
    }
    log("UserDefault: %s is cut short (%s); its whole entries are kept", _path.c_str(), why.c_str());
  }
  const tinyxml2::XMLElement* root = doc.FirstChildElement(kRoot);
  if (!root) return;
  for (const tinyxml2::XMLElement* e = root->FirstChildElement("entry"); e; e = e->NextSiblingElement("entry")) {
    const char* key = e->Attribute("key");
    if (!key) continue;
    const char* value = e->GetText();
    _values[key] = value ? value : "";
  }
}

const std::string* UserDefault::find(const char* key) const {
  if (!key) return nullptr;
  auto it = _values.find(key);
  return it == _values.end() ? nullptr : &it->second;
}

bool UserDefault::getBoolForKey(const char* key, bool defaultValue) const {
  const std::string* v = find(key);
  if (!v) return defaultValue;
  if (*v == "true") return true;
  if (*v == "false") return false;
  return defaultValue;
}

int UserDefault::getIntegerForKey(const char* key, int defaultValue) const {
  const std::string* v = find(key);
  if (!v || v->empty()) return defaultValue;
  errno = 0;
  char* end = nullptr;
  long n = std::strtol(v->c_str(), &end, 10);
  if (errno != 0 || *end != '\0' || n < std::numeric_limits<int>::min() || n > std::numeric_limits<int>::max())
    return defaultValue;
  return static_cast<int>(n);
}

double UserDefault::getDoubleForKey(const char* key, double defaultValue) const {
  const std::string* v = find(key);
  if (!v || v->empty()) return defaultValue;
  char* end = nullptr;
  double d = std::strtod(v->c_str(), &end);
  return *end == '\0' ? d : defaultValue;
}

float UserDefault::getFloatForKey(const char* key, float defaultValue) const {
  return static_cast<float>(getDoubleForKey(key, defaultValue));
}

std::string UserDefault::getStringForKey(const char* key, const std::string& defaultValue) const {
  const std::string* v = find(key);
  return v ? *v : defaultValue;
}

void UserDefault::setBoolForKey(const char* key, bool value) { if (key) _values[key] = value ? "true" : "false"; }
void UserDefault::setIntegerForKey(const char* key, int value) { if (key) _values[key] = std::to_string(value); }
void UserDefault::setFloatForKey(const char* key, float value) { setDoubleForKey(key, value); }
void UserDefault::setDoubleForKey(const char* key, double value) {
  if (!key) return;
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.17g", value);
  _values[key] = buf;
}
void UserDefault::setStringForKey(const char* key, const std::string& value) { if (key) _values[key] = value; }
void UserDefault::deleteValueForKey(const char* key) { if (key) _values.erase(key); }

bool UserDefault::flush() {
  if (_unreadable) {
    // What the file holds is only out of reach; writing over it would lose it.
    log("UserDefault: %s could not be read; not written over", _path.c_str());
    return false;
  }
  tinyxml2::XMLDocument doc;
  doc.InsertEndChild(doc.NewDeclaration());
  tinyxml2::XMLElement* root = doc.NewElement(kRoot);
  doc.InsertEndChild(root);
  for (const auto& [key, value] : _values) {
    tinyxml2::XMLElement* e = doc.NewElement("entry");
    e->SetAttribute("key", key.c_str());
    e->SetText(value.c_str());
    root->InsertEndChild(e);
  }
  tinyxml2::XMLPrinter printer;
  doc.Print(&printer);
  if (!FileUtils::getInstance()->writeStringToFile(printer.CStr(), _path)) {
    log("UserDefault: cannot write %s", _path.c_str());
    return false;
  }
  return true;
}

}  // namespace cocos2d
