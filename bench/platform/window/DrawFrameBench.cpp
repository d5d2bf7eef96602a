// One drawn frame at 1280 x 720 on SDL's software renderer (offscreen): the
// table background, the own hand of 20 cards with their number and suit
// parts, the three other rows of backs, action buttons with words, labels,
// a clipped panel and a progress bar, as a table after the deal shows them.
#include <benchmark/benchmark.h>

#include <cstdlib>

#include "platform/engine/cocos2d.h"
#include "platform/engine/ui/Widgets.h"
#include "platform/window/SdlWindow.h"

using namespace cocos2d;

namespace {

void AddCard(Node* parent, const Vec2& at, int number, int suit) {
  Sprite* face = Sprite::createWithSpriteFrameName("new_card_bg.png");
  face->setPosition(at);
  parent->addChild(face);
  char name[40];
  std::snprintf(name, sizeof name, "new_card_num_%d_%d.png", suit & 1, number);
  if (Sprite* n = Sprite::createWithSpriteFrameName(name)) n->setPosition(22, 160), face->addChild(n);
  std::snprintf(name, sizeof name, "new_card_type_s_%d.png", suit);
  if (Sprite* s = Sprite::createWithSpriteFrameName(name)) s->setPosition(22, 125), face->addChild(s);
  std::snprintf(name, sizeof name, "new_card_type_%d.png", suit);
  if (Sprite* b = Sprite::createWithSpriteFrameName(name)) b->setPosition(85, 70), face->addChild(b);
}

void BM_DrawTableFrame(benchmark::State& state) {
  ::setenv("SDL_VIDEODRIVER", "offscreen", 1);
  ::setenv("SDL_RENDER_DRIVER", "software", 1);
  Log::setEchoToStderr(false);
  Director* d = Director::getInstance();
  d->reset();
  FileUtils::getInstance()->setSearchPaths({DDZ_ART_DIR});
  auto* view = ddz::window::SdlWindow::create({"bench", Size(1280, 720), true});
  if (!view) {
    state.SkipWithError("no offscreen window");
    return;
  }
  view->install();
  view->setDesignResolutionSize(1280, 720, ResolutionPolicy::SHOW_ALL);
  for (const char* sheet : {"CardLayer1.plist", "vellddz_res_btn.plist", "vellddz_res_tips.plist",
                            "vellddz_res_loading.plist"})
    SpriteFrameCache::getInstance()->addSpriteFramesWithFile(sheet);
  Scene* scene = Scene::create();
  d->runWithScene(scene);
  scene->addChild(Sprite::create("qorvddz_loading_bg.jpg"), -10);
  scene->getChildren().back()->setPosition(640, 360);
  for (int i = 0; i < 20; ++i) AddCard(scene, Vec2(200 + i * 45.0f, 110 + (i == 5 ? 20 : 0)), i % 13, i % 4);
  for (int i = 0; i < 17; ++i) {
    for (const Vec2& row : {Vec2(100, 300 + i * 12.0f), Vec2(1180, 300 + i * 12.0f)}) {
      Sprite* back = Sprite::createWithSpriteFrameName("cardback.png");
      back->setScale(0.5f);
      back->setPosition(row);
      scene->addChild(back);
    }
  }
  for (int i = 0; i < 4; ++i) {
    char word[40];
    std::snprintf(word, sizeof word, "qorvddz_btn_word_%d.png", i + 4);
    auto* b = ui::Button::createWithExtraAbove("qorvddz_btn_normal_1.png", "", "qorvddz_btn_disable_1.png", word);
    b->setPosition(Vec2(400 + i * 160.0f, 280));
    scene->addChild(b);
  }
  for (int i = 0; i < 8; ++i) {
    Label* l = Label::createWithSystemFont("玩家" + std::to_string(i) + " 12345", "微软雅黑", 22);
    l->setPosition(150 + (i % 4) * 300.0f, 650 - (i / 4) * 30.0f);
    scene->addChild(l);
  }
  DrawNode* stencil = DrawNode::create();
  stencil->drawSolidRect(Vec2(440, 400), Vec2(840, 560), Color4F::WHITE);
  ClippingNode* clip = ClippingNode::create(stencil);
  clip->addChild(LayerColor::create(Color4B(0, 0, 0, 120), 1280, 720));
  scene->addChild(clip);
  auto* bar = ProgressTimer::create(Sprite::createWithSpriteFrameName("qorvddz_loading_process_1.png"));
  bar->setType(ProgressTimer::Type::BAR);
  bar->setMidpoint(Vec2(0, 0.5f));
  bar->setBarChangeRate(Vec2(1, 0));
  bar->setPercentage(60);
  bar->setPosition(640, 40);
  scene->addChild(bar);
  d->mainLoop(1.0f / 60);  // loads the textures and renders the texts once
  // A frame is drawn only when the picture changes: the progress bar moves
  // by one step every frame, so every frame is drawn whole.
  int step = 0;
  for (auto _ : state) {
    bar->setPercentage(static_cast<float>(60 + (++step & 1)));
    d->mainLoop(1.0f / 60);
  }
  d->reset();
}
BENCHMARK(BM_DrawTableFrame)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

}  // namespace
