// The task catalogue ("ddz_task_info.conf") on arbitrary files: a task's name
// is always terminated inside the caller's buffer, a cut of the file's value
// at a character boundary, and "" for a task the file does not name.
#include <cstring>
#include <string>

#include "fuzz/FuzzSupport.h"
#include "platform/framework/YndConf.h"
#include "widgets/TaskUI.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const bool ready = (ddz::fuzz::QuietLog(), ddz::fuzz::Scratch::Get(), true);
  (void)ready;
  const ddz::fuzz::RunScope scope;
  if (size < 2) return 0;
  const std::size_t capacity = 1 + data[0] % TaskUI::kNameCapacity;
  const int taskId = static_cast<std::int8_t>(data[1]);
  const std::string_view text(reinterpret_cast<const char*>(data + 2), size - 2);
  ddz::fuzz::Scratch::Get().Write(TaskUI::kTaskFile, text);
  ddz::ClearConfCache();
  char name[TaskUI::kNameCapacity + 1];
  std::memset(name, 'x', sizeof name);
  TaskUI::GetTaskName(taskId, name, capacity);
  const std::size_t n = strnlen(name, capacity);
  FUZZ_CHECK(n < capacity);
  FUZZ_CHECK(name[capacity] == 'x');
  const ddz::ConfFile conf = ddz::ConfFile::Parse(text);
  const std::string* value = conf.Find(TaskUI::kTaskSection, "task" + std::to_string(taskId));
  if (value == nullptr) FUZZ_CHECK(n == 0);
  else FUZZ_CHECK(ddz::fuzz::IsCutOf(std::string_view(name, n), value->substr(0, value->find('\0'))));
  return 0;
}
