// One frame of a table-sized scene: 500 nodes, 100 of them running actions.
#include <benchmark/benchmark.h>

#include "platform/engine/cocos2d.h"

using namespace cocos2d;

namespace {

Scene* BuildScene(int nodes, int animated, int touchLayers) {
  Director* d = Director::getInstance();
  d->reset();
  Log::setEchoToStderr(false);
  SpriteFrameCache::getInstance()->addSpriteFrame(SpriteFrame::create("", Rect(0, 0, 100, 140)), "card.png");
  Scene* scene = Scene::create();
  d->runWithScene(scene);
  // Rows of cards under a few layers, as a table view builds them.
  const int rows = 10;
  std::vector<Node*> parents;
  for (int r = 0; r < rows; ++r) {
    Layer* row = Layer::create();
    row->setPosition(0, r * 60.0f);
    scene->addChild(row, r);
    if (r < touchLayers) row->setTouchEnabled(true, false);
    parents.push_back(row);
  }
  for (int i = 0; i < nodes - rows; ++i) {
    Node* n = (i % 2) ? static_cast<Node*>(Sprite::createWithSpriteFrameName("card.png")) : Node::create();
    n->setPosition((i % 40) * 30.0f, 0);
    parents[i % rows]->addChild(n, 100 + i);
    if (i < animated) {
      switch (i % 4) {
        case 0:
          n->runAction(RepeatForever::create(
              Sequence::create(MoveBy::create(0.5f, Vec2(10, 0)), MoveBy::create(0.5f, Vec2(-10, 0)), nullptr)));
          break;
        case 1:
          n->runAction(RepeatForever::create(RotateBy::create(1.0f, 360)));
          break;
        case 2:
          n->runAction(RepeatForever::create(
              Sequence::create(FadeTo::create(0.58f, 128), FadeTo::create(0.58f, 255), nullptr)));
          break;
        default:
          n->runAction(RepeatForever::create(Sequence::create(DelayTime::create(0.2f), Hide::create(),
                                                              DelayTime::create(0.2f), Show::create(), nullptr)));
      }
    }
  }
  d->mainLoop(0);  // drain the pool of the build
  return scene;
}

void BM_FrameOf500NodesWith100Actions(benchmark::State& state) {
  BuildScene(500, 100, 0);
  Director* d = Director::getInstance();
  for (auto _ : state) d->mainLoop(1.0f / 60);
  state.counters["actions"] = static_cast<double>(d->getActionManager()->getNumberOfRunningActions());
  d->reset();
}
BENCHMARK(BM_FrameOf500NodesWith100Actions);

void BM_TouchDispatchOver500Nodes(benchmark::State& state) {
  BuildScene(500, 0, 10);
  auto* view = GLViewImpl::create("bench");
  Director* d = Director::getInstance();
  d->setOpenGLView(view);
  for (auto _ : state) {
    view->touchBegan(300, 300);
    view->touchEnded(300, 300);
  }
  d->reset();
}
BENCHMARK(BM_TouchDispatchOver500Nodes);

}  // namespace
