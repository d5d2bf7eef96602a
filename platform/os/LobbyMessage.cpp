#include "platform/os/LobbyMessage.h"

#include "platform/os/Log.h"

namespace ddz::os {

namespace {
std::vector<LobbyMessage>& Messages() {
  static std::vector<LobbyMessage> messages;
  return messages;
}

bool Deliver(std::uint32_t window, std::uint32_t message, std::uint64_t wParam, std::int64_t lParam, bool posted) {
  Messages().push_back(LobbyMessage{window, message, wParam, lParam, posted});
  Log("LobbyMessage %s hwnd[%u] msg[0x%X] wParam[%llu] lParam[%lld]", posted ? "post" : "send", window, message,
      static_cast<unsigned long long>(wParam), static_cast<long long>(lParam));
  return window != 0;
}
}  // namespace

bool SendLobbyMessage(std::uint32_t window, std::uint32_t message, std::uint64_t wParam, std::int64_t lParam) {
  return Deliver(window, message, wParam, lParam, false);
}

bool PostLobbyMessage(std::uint32_t window, std::uint32_t message, std::uint64_t wParam, std::int64_t lParam) {
  return Deliver(window, message, wParam, lParam, true);
}

const std::vector<LobbyMessage>& LobbyMessages() { return Messages(); }

void ClearLobbyMessages() { Messages().clear(); }

}  // namespace ddz::os
