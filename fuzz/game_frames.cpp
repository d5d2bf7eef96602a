// The game-server stream on its way in: the frame cutter over the bytes as
// they might come off the socket, the game base's readers of the login
// answer and request, and every cut frame delivered to the real classic table
// in network play (the game base's notices and the table's own types alike).
// Checked:
//   - the cutter gives the same frames and the same break whether the stream
//     comes in one read or in reads of the input's chunk size; each frame's
//     length field is its size, 8 to the largest game message, and its header
//     bytes 0 and 4-7 are 0; the frames laid end to end are the stream's
//     start; a stream breaks exactly where the bytes after those frames
//     cannot begin a frame; a broken stream cuts no more;
//   - what the login readers accept rebuilds and reads back the same;
//   - a game-base frame shorter than its minimum changes no seat, chair or
//     table; the message lock is never below 0.
//
// Input: one byte, the read size (1 to 64), then the stream.
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "classic/GameViewPC.h"
#include "fuzz/FuzzSupport.h"
#include "fuzz/TableStage.h"
#include "platform/engine/cocos2d.h"
#include "platform/framework/FrameCutter.h"
#include "platform/framework/SoundManage.h"
#include "platform/framework/YndLocalData.h"
#include "platform/gamebase/GameBaseProtocol.h"
#include "platform/gamebase/GameMsgBox.h"
#include "platform/gamebase/MainMsgLock.h"
#include "platform/os/Clock.h"
#include "table/GameSoundDDZ.h"

namespace {

using Frames = std::vector<std::vector<std::uint8_t>>;
constexpr int kMaxFrames = 48;
constexpr float kFrameSeconds = 0.05f;

struct Cut {
  Frames frames;
  bool broken = false;
};

Cut CutStream(const std::uint8_t* data, std::size_t size, std::size_t chunk) {
  FrameCutter cutter(GameViewBase::kMaxGameMessage);
  Cut cut;
  for (std::size_t at = 0; at < size; at += chunk) {
    const std::size_t n = std::min(chunk, size - at);
    const bool whole = cutter.Feed(reinterpret_cast<const char*>(data + at), static_cast<int>(n),
                                   [&](const char* f, int len) { cut.frames.emplace_back(f, f + len); });
    if (!whole) {
      cut.broken = true;
      // Nothing more comes out of a broken stream.
      FUZZ_CHECK(!cutter.Feed(reinterpret_cast<const char*>(data), static_cast<int>(size),
                              [](const char*, int) { FUZZ_CHECK(false); }));
      break;
    }
  }
  return cut;
}

void CheckLoginReaders(const std::vector<std::uint8_t>& f) {
  const int len = static_cast<int>(f.size());
  gamebase::AuthenResult res;
  if (gamebase::ReadAuthenResult(f.data(), len, res)) {
    const gamebase::Frame built = gamebase::BuildAuthenResult(res);
    gamebase::AuthenResult again;
    FUZZ_CHECK(gamebase::ReadAuthenResult(built.data(), static_cast<int>(built.size()), again));
    FUZZ_CHECK(gamebase::BuildAuthenResult(again) == built);
    FUZZ_CHECK(std::memchr(res.self.szNickName, 0, sizeof res.self.szNickName) != nullptr);
  }
  gamebase::AuthenRequest req;
  if (gamebase::ReadAuthenRequest(f.data(), len, req)) {
    const gamebase::Frame built = gamebase::BuildAuthenRequest(req);
    gamebase::AuthenRequest again;
    FUZZ_CHECK(gamebase::ReadAuthenRequest(built.data(), static_cast<int>(built.size()), again));
    FUZZ_CHECK(gamebase::BuildAuthenRequest(again) == built);
    FUZZ_CHECK(std::memchr(req.token, 0, sizeof req.token) != nullptr);
  }
}

class FuzzTable : public GameViewPC {
 public:
  static FuzzTable* create() {
    auto* view = new FuzzTable();
    view->autorelease();
    return view;
  }
  using GameViewBase::m_pPlayerNode;

 private:
  FuzzTable() : GameViewPC(nullptr, nullptr, 62) {}
};

void Post(FuzzTable* view, const std::vector<std::uint8_t>& f) { view->PostGameMessage(f.data(), static_cast<int>(f.size())); }

struct Seats {
  PlayerNode* seat[GameViewBase::kMaxSeats];
  int chair;
  int table;
};

Seats SeatsOf(FuzzTable* view) {
  Seats s{{}, GameViewBase::m_GlobalInfo.iChairID, GameViewBase::m_GlobalInfo.iTableNum};
  std::copy(std::begin(view->m_pPlayerNode), std::end(view->m_pPlayerNode), std::begin(s.seat));
  return s;
}

bool Same(const Seats& a, const Seats& b) {
  return std::equal(std::begin(a.seat), std::end(a.seat), std::begin(b.seat)) && a.chair == b.chair &&
         a.table == b.table;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const std::size_t chunk = 1 + data[0] % 64;
  const std::uint8_t* stream = data + 1;
  const std::size_t streamSize = size - 1;

  const Cut whole = CutStream(stream, streamSize, streamSize == 0 ? 1 : streamSize);
  const Cut pieces = CutStream(stream, streamSize, chunk);
  FUZZ_CHECK(whole.frames == pieces.frames);
  FUZZ_CHECK(whole.broken == pieces.broken);
  std::size_t at = 0;
  for (const auto& f : whole.frames) {
    FUZZ_CHECK(f.size() >= 8 && f.size() <= static_cast<std::size_t>(GameViewBase::kMaxGameMessage));
    FUZZ_CHECK(FrameCutter::LengthField(reinterpret_cast<const char*>(f.data())) == static_cast<int>(f.size()));
    FUZZ_CHECK(f[0] == 0 && f[4] == 0 && f[5] == 0 && f[6] == 0 && f[7] == 0);
    FUZZ_CHECK(std::equal(f.begin(), f.end(), stream + at));
    at += f.size();
    CheckLoginReaders(f);
  }
  // What is left after the frames is the start of one, or the break.
  FUZZ_CHECK(whole.broken == !FrameCutter::HeaderFits(reinterpret_cast<const char*>(stream + at), streamSize - at,
                                                       GameViewBase::kMaxGameMessage));

  ddz::fuzz::TableStage& stage = ddz::fuzz::TheTableStage();
  ddz::fuzz::RunScope scope;
  ddz::fuzz::ResetTableStage(stage);
  GameViewBase::m_GlobalInfo.iUserID = 42;  // network play, without a connection
  FuzzTable* view = FuzzTable::create();
  stage.scene->addChild(view);
  // Seated at chair 1 with two others, as a server would seat the table.
  PlayerNode p;
  Post(view, gamebase::BuildSitResult(true, 3, 1));
  for (int chair = 0; chair < 3; ++chair) {
    p.iUserID = 41 + chair;
    p.cChairID = static_cast<std::uint8_t>(chair);
    Post(view, gamebase::BuildPlayerJoin(p));
  }
  for (int i = 0; i < 5; ++i) stage.director->mainLoop(kFrameSeconds);

  int delivered = 0;
  for (const auto& f : whole.frames) {
    if (delivered++ >= kMaxFrames) break;
    const int type = f[1];
    const bool shortBase = gamebase::IsGameBaseType(type) && static_cast<int>(f.size()) < gamebase::MinimumLength(type);
    const Seats before = SeatsOf(view);
    ResetMainMsgLock();
    Post(view, f);
    stage.director->mainLoop(kFrameSeconds);
    FUZZ_CHECK(GameViewBase::m_iLockMainMsgCount.Get() >= 0);
    if (shortBase) FUZZ_CHECK(Same(before, SeatsOf(view)));
    GameMsgBox::destroyMessageBox();
  }
  cocos2d::Log::clear();
  return 0;
}
