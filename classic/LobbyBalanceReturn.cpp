#include "classic/LobbyBalanceReturn.h"

#include <charconv>
#include <string>

#include "classic/RoomUI.h"
#include "platform/engine/Log.h"
#include "platform/gamebase/GameViewBase.h"
#include "platform/os/Saturate.h"

namespace {

constexpr std::string_view kReturnYuanBao = "update_yb_";
constexpr std::string_view kReturnMoney = "update_money_";

// One "%d" as the C reader takes it (blanks, a sign, digits); false when
// there are no digits or the number does not fit an int.
bool ReadNumber(std::string_view& text, int& out) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  if (!text.empty() && text.front() == '+') text.remove_prefix(1);
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), out);
  if (ec != std::errc()) return false;
  text.remove_prefix(static_cast<std::size_t>(end - text.data()));
  return true;
}

// "%d_%d": both numbers or nothing.
bool ReadTwoNumbers(std::string_view text, int& a, int& b) {
  int first = 0;
  int second = 0;
  if (!ReadNumber(text, first) || text.empty() || text.front() != '_') return false;
  text.remove_prefix(1);
  if (!ReadNumber(text, second)) return false;
  a = first;
  b = second;
  return true;
}

}  // namespace

LobbyBalanceReturn ApplyLobbyBalanceReturn(std::string_view text) {
  const bool yuanBao = text.starts_with(kReturnYuanBao);
  if (!yuanBao && !text.starts_with(kReturnMoney)) return LobbyBalanceReturn::kOther;
  int a = 0;
  int b = 0;
  if (!ReadTwoNumbers(text.substr(yuanBao ? kReturnYuanBao.size() : kReturnMoney.size()), a, b)) {
    cocos2d::log("lobby balance return refused [%s]", std::string(text.substr(0, 64)).c_str());
    return LobbyBalanceReturn::kRefused;
  }
  GlobalInfo& info = GameViewBase::m_GlobalInfo;
  if (yuanBao) {
    info.iYuanBao = ddz::os::SaturatingAdd(a, b);
  } else {
    info.iMoney = a;
  }
  RoomUI* panel = RoomUI::create(RoomUI::kModeCurrent);
  if (panel != nullptr && panel->isRunning()) panel->FreshUserInfo();
  return LobbyBalanceReturn::kApplied;
}
