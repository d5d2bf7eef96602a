// The steps of the fuzz targets that run a real table view (the classic and
// the four-player table): the input is a list of steps, each an op byte and
// what the op needs:
//   op % 6 == 0: a game message: type byte, 2-byte length (below 1024),
//                that many bytes (the type is written into byte 1; bytes past
//                the input's end are 0);
//   op % 6 == 1: a hand result: 2-byte length (below 600), then its bytes;
//   op % 6 == 2: a re-login snapshot: 2-byte length (below 800), then its bytes;
//   op % 6 == 3: a number of frames (below 64) of 50 ms each;
//   op % 6 == 4: a notice of the game base: a byte choosing it (% 4: jackpot,
//                red packet, announcement, quick chat), 2-byte length (below
//                600), then its bytes;
//   op % 6 == 5: the window to the background (even byte) or back (odd byte).
// Every message is followed by one frame. After every step and frame the
// message lock count is checked: never below 0, and never lowered past 0 (the
// count's own log line for that never appears). A message shorter than the
// minimum its table gives must leave what the target observes as it was.
#pragma once

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "fuzz/FuzzSupport.h"
#include "fuzz/TableStage.h"
#include "platform/engine/cocos2d.h"
#include "platform/gamebase/GameViewBase.h"
#include "platform/gamebase/MainMsgLock.h"

namespace ddz::fuzz {

// What a table target tells the step runner.
struct TableSizes {
  int maxMessage = 1024;
  int maxResult = 600;
  int maxSnapshot = 800;
  int resultSize = 0;    // the shortest result the table reads
  int snapshotSize = 0;  // the shortest snapshot the table reads
};

inline void CheckLockNeverBelowZero() {
  FUZZ_CHECK(GameViewBase::m_iLockMainMsgCount.Get() >= 0);
  for (const std::string& line : cocos2d::Log::lines())
    FUZZ_CHECK(line.find("m_iLockMainMsgCount lowered below 0") == std::string::npos);
  cocos2d::Log::clear();
}

inline int StepLength(Input& in, int max) {
  const int hi = in.Byte();
  const int lo = in.Byte();
  return ((hi << 8) | lo) % max;
}

inline std::vector<char> StepBody(Input& in, int len) {
  const std::vector<std::uint8_t> bytes = in.Bytes(static_cast<std::size_t>(len));
  std::vector<char> body(static_cast<std::size_t>(std::max(len, 1)), 0);
  std::copy(bytes.begin(), bytes.end(), body.begin());
  return body;
}

// Runs the input's steps on `view`. `minimumOf(type)` is the shortest message
// of a type the table takes unchanged-if-shorter; `observe(view)` what a
// refusal must not change, compared with `same`.
template <class View, class MinimumOf, class Observe, class Same>
void RunTableSteps(TableStage& stage, View* view, Input& in, const TableSizes& sizes, MinimumOf minimumOf,
                   Observe observe, Same same) {
  constexpr int kMaxFrames = 64;
  constexpr float kFrameSeconds = 0.05f;
  constexpr int kMaxSteps = 64;
  constexpr int kMaxNotice = 600;
  constexpr int kOps = 6;
  for (int step = 0; step < kMaxSteps && !in.Empty(); ++step) {
    const int op = in.Byte() % kOps;
    if (op == 3) {
      const int frames = in.Byte() % kMaxFrames;
      for (int i = 0; i < frames; ++i) {
        stage.director->mainLoop(kFrameSeconds);
        CheckLockNeverBelowZero();
      }
      continue;
    }
    if (op == 4) {
      const int which = in.Byte() % 4;
      const int len = StepLength(in, kMaxNotice);
      std::vector<char> notice = StepBody(in, len);
      switch (which) {
        case 0: view->CallBackJackPotNotice(notice.data(), len); break;
        case 1: view->CallBackHongBaoNotice(notice.data(), len); break;
        case 2: view->CallBackShowBullInfo(notice.data(), len); break;
        default: view->CallBackUrgrCard(notice.data(), len); break;
      }
    } else if (op == 5) {
      if (in.Byte() % 2 == 0) {
        view->CallBackGameEnterBackGround();
      } else {
        view->CallBackGameEnterForeGround();
      }
    } else {
      int len = 0;
      int minimum = 0;
      std::vector<char> msg;
      const auto before = observe(view);
      if (op == 0) {
        const int type = in.Byte();
        len = StepLength(in, sizes.maxMessage);
        msg = StepBody(in, len);
        if (len > 1) msg[1] = static_cast<char>(type);
        minimum = minimumOf(len > 1 ? type : 0);
        view->CallBackHandleMainSocketNetMsg(msg.data(), len);
      } else if (op == 1) {
        len = StepLength(in, sizes.maxResult);
        msg = StepBody(in, len);
        minimum = sizes.resultSize;
        view->CallBackGameResultServer(msg.data(), len);
      } else {
        len = StepLength(in, sizes.maxSnapshot);
        msg = StepBody(in, len);
        minimum = sizes.snapshotSize;
        view->CallBackAgainLogin(msg.data(), len);
      }
      CheckLockNeverBelowZero();
      if (len < minimum) FUZZ_CHECK(same(before, observe(view)));
    }
    CheckLockNeverBelowZero();
    stage.director->mainLoop(kFrameSeconds);
    CheckLockNeverBelowZero();
  }
}

}  // namespace ddz::fuzz
