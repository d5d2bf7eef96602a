// The tournament table's message handling on the real view: a CompeteGameView
// on a headless stage (the program's data files, a scratch writable folder,
// seated through the game base's single-player road with a local server that
// answers nothing) takes arbitrary frames of every type and length through
// its dispatcher, the hand result and the re-login snapshot, with frames of
// the table stepped between them. The match's messages come through the same
// dispatcher, long enough for the match start; a server move connects to a
// loopback listener that stands for the next stage's server (the first move
// of an input gets there, later ones are refused). Checked:
//   - the message lock count is never below 0, and nothing lowers it past 0;
//   - a message shorter than its type's minimum changes nothing: the hand
//     state (m_TableItem), the seats' card counts, the lock count, the match's
//     numbers (players, rank, tables, state, stage, the server move and its
//     port) and the holdings the award adds to are as they were.
//
// Input: the steps of fuzz/TableViewSteps.h, as the classic table's target
// reads them.
// Scores, multiples and amounts from the messages are summed and multiplied on
// the way: the sanitizers see any overflow. A fresh view is made for each
// input, so a found input replays alone.
#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <vector>

#include "compete/CompeteGameView.h"
#include "fuzz/FuzzClassicView.h"
#include "fuzz/FuzzSupport.h"
#include "fuzz/TableChecks.h"
#include "fuzz/TableStage.h"
#include "fuzz/TableViewSteps.h"
#include "gamedata/CompeteGameInfo.h"
#include "platform/engine/cocos2d.h"
#include "platform/framework/TcpClientSock.h"
#include "platform/gamebase/GameMsgBox.h"
#include "platform/gamebase/MainMsgLock.h"

using ddz::fuzz::Input;

namespace {

constexpr float kFrameSeconds = 0.05f;

class FuzzCompeteView : public CompeteGameView {
 public:
  static FuzzCompeteView* create() {
    auto* view = new FuzzCompeteView();
    view->autorelease();
    return view;
  }
  SingleServerBase* CallBackCreateSingleServer() override {
    server = std::make_unique<ddz::fuzz::SilentServer>(this);
    return server.get();
  }
  std::unique_ptr<ddz::fuzz::SilentServer> server;

 private:
  FuzzCompeteView() : CompeteGameView(nullptr, nullptr) {}
};

// What a refused message must leave alone beside the table's state.
struct CompeteObserved {
  ddz::fuzz::Observed table;
  std::vector<int> match;
};

CompeteObserved ObserveCompete(FuzzCompeteView* v) {
  const CompeteGameInfo* info = CompeteGameInfo::shareCompeteGameInfo();
  const GlobalInfo& g = GameViewBase::m_GlobalInfo;
  return {ddz::fuzz::Observe(v),
          {v->iAllPlayer, v->iWaitTable, v->iTableNum, v->iCurOrder, info->m_iState, info->m_iStageNo,
           info->m_iAwardValue, v->m_bServerMove, g.iServerPort, g.iMoney, g.iYuanBao, g.iPrizeHold88, g.iPrizeHold89,
           g.iFeeType4Num}};
}

bool SameCompete(const CompeteObserved& a, const CompeteObserved& b) {
  return ddz::fuzz::Same(a.table, b.table) && a.match == b.match;
}

// A loopback listener for the next stage's server, for one input: it never
// accepts, the connection waits in its backlog.
class NextStageListener {
 public:
  NextStageListener() {
    m_fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in at{};
    at.sin_family = AF_INET;
    at.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t size = sizeof at;
    if (m_fd < 0 || ::bind(m_fd, reinterpret_cast<sockaddr*>(&at), sizeof at) != 0 || ::listen(m_fd, 64) != 0 ||
        ::getsockname(m_fd, reinterpret_cast<sockaddr*>(&at), &size) != 0)
      return;
    m_iPort = ntohs(at.sin_port);
  }
  ~NextStageListener() {
    if (m_fd >= 0) ::close(m_fd);
  }
  int Port() const { return m_iPort; }

 private:
  int m_fd = -1;
  int m_iPort = 0;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  ddz::fuzz::TableStage& stage = ddz::fuzz::TheTableStage();
  ddz::fuzz::RunScope scope;
  ddz::fuzz::ResetTableStage(stage);
  GameViewBase::m_GlobalInfo.iPlayMode = 1;
  CompeteGameInfo::shareCompeteGameInfo()->m_iState = 0;
  CompeteGameInfo::shareCompeteGameInfo()->m_iStageNo = 0;
  CompeteGameInfo::shareCompeteGameInfo()->m_iAwardValue = 0;
  cocos2d::Log::clear();
  NextStageListener nextStage;
  if (nextStage.Port() > 1) {
    std::snprintf(GameViewBase::m_GlobalInfo.szServerIP, sizeof GameViewBase::m_GlobalInfo.szServerIP, "127.0.0.1");
    GameViewBase::m_GlobalInfo.iServerPort = static_cast<std::uint16_t>(nextStage.Port() - 1);
  }

  FuzzCompeteView* view = FuzzCompeteView::create();
  stage.scene->addChild(view);
  view->SendSitReq();
  stage.director->mainLoop(kFrameSeconds);
  ddz::fuzz::CheckLockNeverBelowZero();

  Input in(data, size);
  ddz::fuzz::TableSizes sizes;
  sizes.resultSize = GameViewBase::kFrameSize;  // a shorter result is read zero-padded
  sizes.snapshotSize = CompeteGameView::kReloginSize;
  // Long enough for the match start, the longest of the match's messages.
  sizes.maxMessage = 2048;
  ddz::fuzz::RunTableSteps(
      stage, view, in, sizes,
      [](int type) { return std::max(GameViewBase::kFrameSize, CompeteGameView::MinMessageLength(type)); },
      ObserveCompete, SameCompete);

  GameViewBase::GetMainSocket().DisconnectServer(0, false);
  GameMsgBox::destroyMessageBox();
  view->removeFromParent();
  stage.director->reset();
  ResetMainMsgLock();
  return 0;
}
