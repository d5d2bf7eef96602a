// Window messages to the lobby program. The lobby is a separate program that
// started the client; the client reports its window and its outcome to the
// lobby's window. Here every message is logged and kept in order, so tests can
// read exactly what would have reached the lobby.
#pragma once

#include <cstdint>
#include <vector>

namespace ddz::os {

// WM_USER + 111: the client's own window handle (wParam), after start-up.
constexpr std::uint32_t kLobbyMsgClientWindow = 0x46F;
// WM_USER + 257: on quitting, money (wParam) and yuanbao change (lParam).
constexpr std::uint32_t kLobbyMsgQuitMoney = 0x501;
// WM_USER + 263: right after 0x501, the fee-type-4 holding (wParam).
constexpr std::uint32_t kLobbyMsgQuitFee = 0x507;
// WM_USER + 507: posted by the room list right before it ends the client.
constexpr std::uint32_t kLobbyMsgOpenVac = 0x5FB;

struct LobbyMessage {
  std::uint32_t window = 0;  // the lobby window handle the message went to
  std::uint32_t message = 0;
  std::uint64_t wParam = 0;
  std::int64_t lParam = 0;
  bool posted = false;  // PostMessage (true) or SendMessage (false)
  bool operator==(const LobbyMessage&) const = default;
};

// SendMessage: delivered and waited for. PostMessage: queued. Both return
// false when the window handle is 0 (no lobby); the message is kept either way.
bool SendLobbyMessage(std::uint32_t window, std::uint32_t message, std::uint64_t wParam, std::int64_t lParam);
bool PostLobbyMessage(std::uint32_t window, std::uint32_t message, std::uint64_t wParam, std::int64_t lParam);

// Every message so far, oldest first.
const std::vector<LobbyMessage>& LobbyMessages();
void ClearLobbyMessages();

}  // namespace ddz::os
