// The web messages' reply readers on arbitrary replies: a reply is read only
// when it starts with 'S' and holds every field read, the values are the
// reply's bytes at their offsets, and a reply not read changes nothing (the
// records, the entry data, the invitation answer).
#include <cstring>
#include <string>

#include "fuzz/FuzzSupport.h"
#include "gamedata/CompeteWebMsg.h"
#include "gamedata/DdzCompete.h"
#include "platform/gamebase/GameViewBase.h"

namespace {

std::int32_t IntAt(const std::string& reply, std::size_t offset) {
  std::int32_t v = 0;
  std::memcpy(&v, reply.data() + offset, 4);
  return v;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const bool ready = (ddz::fuzz::QuietLog(), ddz::fuzz::Scratch::Get(), true);
  (void)ready;
  const ddz::fuzz::RunScope scope;
  ddz::fuzz::Input in(data, size);
  const int error = in.Bool() ? 0 : -4;
  const std::string reply = in.Rest();
  const int len = static_cast<int>(reply.size());
  const bool accepted = !reply.empty() && reply[0] == 'S';

  std::int32_t a = 11, b = 12;
  const bool invite = CompeteWebMsg::ReadEnterCompeteReply(reply.data(), len, a);
  FUZZ_CHECK(invite == (accepted && len >= 65));
  FUZZ_CHECK(invite ? a == IntAt(reply, 61) : a == 11);

  a = 11;
  const bool count = CompeteWebMsg::ReadSignUpCountReply(reply.data(), len, a, b);
  FUZZ_CHECK(count == (accepted && len >= 69));
  FUZZ_CHECK(count ? (a == IntAt(reply, 61) && b == IntAt(reply, 65)) : (a == 11 && b == 12));

  FdLogicData& entry = *FdLogicData::shareFdLogicData();
  entry.Reset();
  entry.m_iEntryFlag = 9;
  const bool stored = entry.AcceptReply(reply.data(), len, 1234);
  FUZZ_CHECK(stored == (accepted && len >= 69));
  if (stored) {
    FUZZ_CHECK(entry.m_tLastQuery == 1234 && entry.m_iEntryFlag == IntAt(reply, 61));
    FUZZ_CHECK(entry.m_iEntryKind >= 1 && entry.m_iEntryKind <= 3);
  } else {
    FUZZ_CHECK(entry.m_tLastQuery == 0 && entry.m_iEntryFlag == 9 && entry.m_iEntryKind == 0);
  }

  CompeteUserRecord record{};
  record.iFeeKind5Num = 77;
  const bool read = CompeteWebMsg::ReadCompeteRoomInfoReply(reply.data(), len, record);
  FUZZ_CHECK(read == (accepted && len >= 1237));
  if (read) FUZZ_CHECK(std::memcmp(&record, reply.data() + 61, sizeof record) == 0);
  else FUZZ_CHECK(record.iFeeKind5Num == 77);

  DdzCompete& compete = *DdzCompete::getInstance();
  compete.m_iInviteCompete = 5;
  compete.m_tLastInviteQuery = 0;
  const bool taken = compete.AcceptInviteReply(reply.data(), len, error);
  FUZZ_CHECK(taken == (error == 0 && invite));
  FUZZ_CHECK(compete.m_iInviteCompete == (taken ? IntAt(reply, 61) : 5));
  if (error != 0) FUZZ_CHECK(compete.m_tLastInviteQuery == 0);
  return 0;
}
