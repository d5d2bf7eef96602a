// The lobby web view's balance returns, read the same way by every room
// list: "update_yb_<a>_<b>" (the yuanbao holding is a + b, saturated) and
// "update_money_<a>_<b>" (the money holding is a; b is the page's own). Both
// numbers must read as "%d_%d" does, or nothing changes. An accepted return
// is stored in the login record and redraws the room panel while it runs.
#pragma once

#include <string_view>

enum class LobbyBalanceReturn {
  kOther,     // not a balance text
  kRefused,   // a balance text whose numbers did not read (logged; nothing changed)
  kApplied,   // stored and the panel redrawn
};

[[nodiscard]] LobbyBalanceReturn ApplyLobbyBalanceReturn(std::string_view text);
