// The mini-game's messages against an open mini-game on the real classic
// view: message 35 opens it (its fields from the input), then arbitrary
// messages 35 and 41 reach the view's dispatcher, between pressed start
// buttons, touches anywhere on the window and stepped frames. Checked:
//   - the record count read is 0 to 5 and never more than the message holds;
//   - while a level is played its level number is 1 to the record count, and
//     from the pick on all eight card places hold a card;
//   - level data shorter than its 16-byte head changes nothing (played flag,
//     phase, record count);
//   - the message lock count is never below 0.
//
// Input: four opening values (level count, big award, start award, cost, each
// 4 bytes big-endian), then steps. Each step is an op byte, then what it needs:
//   op % 5 == 0: message 35: 2-byte length (below 128), that many bytes;
//   op % 5 == 1: message 41: 2-byte length (below 256), that many bytes;
//   op % 5 == 2: the start button is pressed (when it is there);
//   op % 5 == 3: a touch at (x, y), two bytes each, inside the window;
//   op % 5 == 4: a number of frames (below 128) of 50 ms each.
// Every step is followed by one frame.
#include <algorithm>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "classic/GameViewPC.h"
#include "fuzz/FuzzClassicView.h"
#include "fuzz/TableStage.h"
#include "fuzz/FuzzSupport.h"
#include "platform/engine/cocos2d.h"
#include "platform/engine/ui/Widgets.h"
#include "platform/framework/SoundManage.h"
#include "platform/framework/YndLocalData.h"
#include "platform/gamebase/GameMsgBox.h"
#include "platform/gamebase/MainMsgLock.h"
#include "platform/gamebase/SingleServerBase.h"
#include "platform/os/Clock.h"
#include "table/GameSoundDDZ.h"
#include "variants/DDZSmallGameLayer.h"

using ddz::fuzz::FuzzView;
using ddz::fuzz::Input;
using Phase = DDZSmallGameLayer::Phase;

namespace {

constexpr int kMaxOpen = 128;
constexpr int kMaxLevelData = 256;
constexpr int kMaxFrames = 128;
constexpr int kMaxSteps = 96;
constexpr float kFrameSeconds = 0.05f;


std::vector<char> Message(Input& in, int type, int max) {
  const int hi = in.Byte();
  const int lo = in.Byte();
  const int len = ((hi << 8) | lo) % max;
  const std::vector<std::uint8_t> bytes = in.Bytes(static_cast<std::size_t>(len));
  std::vector<char> msg(static_cast<std::size_t>(len), 0);
  std::copy(bytes.begin(), bytes.end(), msg.begin());
  if (len > 1) msg[1] = static_cast<char>(type);
  return msg;
}

void Put(std::vector<char>& msg, int at, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) msg[static_cast<std::size_t>(at + i)] = static_cast<char>(v >> (8 * i));
}

struct Seen {
  bool played;
  Phase phase;
  int records;
};

// The layer the view holds (it may have closed).
DDZSmallGameLayer* Layer(FuzzView* view) { return dynamic_cast<DDZSmallGameLayer*>(view->GetSmallGameLayer()); }

void Check(FuzzView* view) {
  FUZZ_CHECK(GameViewBase::m_iLockMainMsgCount.Get() >= 0);
  DDZSmallGameLayer* layer = Layer(view);
  if (layer == nullptr) return;
  FUZZ_CHECK(layer->GetLevelRecordCount() >= 0 && layer->GetLevelRecordCount() <= DDZSmallGameLayer::kMaxLevels);
  const Phase phase = layer->GetPhase();
  if (phase == Phase::kLevel || phase == Phase::kPicking || phase == Phase::kRevealing) {
    FUZZ_CHECK(layer->GetLevelNo() >= 1 && layer->GetLevelNo() <= layer->GetLevelRecordCount());
    if (phase != Phase::kLevel)
      for (int i = 0; i < DDZSmallGameLayer::kCardPlaces; ++i) FUZZ_CHECK(layer->GetCard(i) != nullptr);
  }
  if (phase == Phase::kResult) FUZZ_CHECK(layer->GetLevelNo() == layer->GetLevelRecordCount() + 1);
  cocos2d::Log::clear();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  ddz::fuzz::TableStage& stage = ddz::fuzz::TheTableStage();
  ddz::fuzz::RunScope scope;
  ddz::fuzz::ResetTableStage(stage);
  GameViewBase::m_GlobalInfo.iPlayMode = 1;
  cocos2d::Director* director = stage.director;
  // The reset let the last window go; touches need one.
  if (director->getOpenGLView() == nullptr) director->setOpenGLView(cocos2d::GLViewImpl::create("fuzz"));
  cocos2d::Scene* scene = stage.scene;

  FuzzView* view = FuzzView::create();
  view->SetSmallGameMaker(DDZSmallGameMaker::Shared());
  scene->addChild(view);
  view->SendSitReq();
  director->mainLoop(kFrameSeconds);

  Input in(data, size);
  std::vector<char> open(36, 0);
  open[1] = 35;
  for (int at : {12, 16, 20, 24}) Put(open, at, in.U32());
  view->CallBackHandleMainSocketNetMsg(open.data(), static_cast<int>(open.size()));
  for (int i = 0; i < 12; ++i) director->mainLoop(kFrameSeconds);
  Check(view);

  for (int step = 0; step < kMaxSteps && !in.Empty(); ++step) {
    const int op = in.Byte() % 5;
    DDZSmallGameLayer* layer = Layer(view);
    if (op == 0 || op == 1) {
      std::vector<char> msg = Message(in, op == 0 ? 35 : 41, op == 0 ? kMaxOpen : kMaxLevelData);
      const bool shortData = op == 1 && msg.size() >= 9 && msg.size() < 16 && msg[8] == 0;
      const Seen before = layer != nullptr ? Seen{layer->HasPlayed(), layer->GetPhase(), layer->GetLevelRecordCount()}
                                           : Seen{};
      if (layer != nullptr) layer->retain();
      view->CallBackHandleMainSocketNetMsg(msg.data(), static_cast<int>(msg.size()));
      if (layer != nullptr) {
        if (shortData) {
          FUZZ_CHECK(layer->HasPlayed() == before.played);
          FUZZ_CHECK(layer->GetPhase() == before.phase);
          FUZZ_CHECK(layer->GetLevelRecordCount() == before.records);
        }
        if (op == 1 && msg.size() >= 16 && layer->HasPlayed() && !before.played) {
          const int fits = (static_cast<int>(msg.size()) - 16) / 24;
          FUZZ_CHECK(layer->GetLevelRecordCount() <= fits);
        }
        layer->release();
      }
    } else if (op == 2) {
      if (layer != nullptr && layer->GetStartButton() != nullptr) layer->SendPlayRequest(layer->GetStartButton());
    } else if (op == 3) {
      const float x = static_cast<float>(((in.Byte() << 8) | in.Byte()) % 1280);
      const float y = static_cast<float>(((in.Byte() << 8) | in.Byte()) % 720);
      director->getOpenGLView()->touchBegan(x, y);
      director->getOpenGLView()->touchEnded(x, y);
    } else {
      const int frames = in.Byte() % kMaxFrames;
      for (int i = 0; i < frames; ++i) {
        director->mainLoop(kFrameSeconds);
        Check(view);
      }
    }
    Check(view);
    director->mainLoop(kFrameSeconds);
    Check(view);
  }

  GameMsgBox::destroyMessageBox();
  view->removeFromParent();
  director->reset();
  ResetMainMsgLock();
  return 0;
}
