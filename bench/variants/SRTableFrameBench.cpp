// One headless frame of the four-player table after a deal, every row full:
// the own 25 cards, the three other seats' 25 backs each and the 8 bottom
// cards, with the table's widgets on stage.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "../../tests/support/SRFrames.h"
#include "cards/BaseCard.h"
#include "cards/Vell_SpriteCardManage.h"
#include "platform/engine/cocos2d.h"
#include "platform/framework/YndLocalData.h"
#include "platform/gamebase/GameViewBase.h"
#include "platform/gamebase/MainMsgLock.h"
#include "variants/SRGameView.h"

namespace {

// The real view with its four seats taken (own chair 1) and no server.
class FrameView : public SRGameView {
 public:
  FrameView() : SRGameView(nullptr, nullptr) {}
  void OnNetConnectFailed(int) override {}
  void SeatPlayers() {
    m_GlobalInfo.iChairID = 1;
    srtest::SeatFourChairs(m_PlayerRecord, m_pPlayerNode, [](int chair) { return chair; });
    for (int seat = 0; seat < kPlayerCount; ++seat) CallBackPlayerJoinTable(seat);
  }
  void Deliver(const srtest::Frame& f) {
    std::vector<char> copy(f.begin(), f.end());
    CallBackHandleMainSocketNetMsg(copy.data(), static_cast<int>(copy.size()));
  }
};

void BM_FourPlayerTableFrame(benchmark::State& state) {
  cocos2d::Log::setEchoToStderr(false);
  cocos2d::Director* director = cocos2d::Director::getInstance();
  director->reset();
  director->setOpenGLView(cocos2d::GLViewImpl::create("bench"));
  cocos2d::FileUtils* files = cocos2d::FileUtils::getInstance();
  files->setSearchPaths({std::string(DDZ_SOURCE_DIR) + "/data"});
  char folder[] = "/tmp/ddz-bench-XXXXXX";
  if (::mkdtemp(folder) == nullptr) {
    state.SkipWithError("no temporary folder");
    return;
  }
  files->setWritablePath(std::string(folder) + "/");
  YndLocalData::sharedLocalData()->SetFilePath("");
  GameViewBase::m_GlobalInfo = GlobalInfo();
  GameViewBase::m_GlobalInfo.iGuideShowTimes = 5;
  ResetMainMsgLock();

  cocos2d::Scene* scene = cocos2d::Scene::create();
  director->runWithScene(scene);
  auto* view = new FrameView();
  view->autorelease();
  scene->addChild(view);
  view->SeatPlayers();
  srtest::DealFields deal;
  deal.own = srtest::SomeHand();
  view->Deliver(srtest::Deal(deal));
  for (int i = 0; i < 2000 && GameViewBase::m_iLockMainMsgCount > 0; ++i) director->mainLoop(1.0f / 60);
  int cards = view->m_pBaseCard->GetCardCount();
  for (int seat = 0; seat < SRGameView::kPlayerCount; ++seat) cards += view->m_pHandCard[seat]->GetCardCount();
  if (cards != 4 * 25 + 8) state.SkipWithError("the deal did not fill the rows");
  for (auto _ : state) director->mainLoop(1.0f / 60);
  state.counters["cards"] = cards;
  director->reset();
  ResetMainMsgLock();
  std::string cleanup = std::string("rm -rf ") + folder;
  if (std::system(cleanup.c_str()) != 0) state.SkipWithError("temporary folder left behind");
}
BENCHMARK(BM_FourPlayerTableFrame)->Unit(benchmark::kMicrosecond);

}  // namespace
