// Drawing through the window backend, read back as pixels.
#include "WindowTestSupport.h"

#include <SDL_image.h>

#include <cstdio>

#include "platform/engine/ui/Widgets.h"
#include "support/TempDir.h"

using namespace cocos2d;
using windowtest::Near;
using windowtest::Pixel;

namespace {

const Pixel kFelt{0, 90, 40};
const Pixel kWhite{255, 255, 255};

class RenderTest : public windowtest::WindowTest {
 protected:
  // A felt-green background and the card sheet.
  void buildTable(int width, int height) {
    openWindow(width, height);
    if (HasFatalFailure()) return;
    scene->addChild(LayerColor::create(Color4B(kFelt.r, kFelt.g, kFelt.b, 255)), -10);
    SpriteFrameCache::getInstance()->addSpriteFramesWithFile("CardLayer1.plist");
  }
  // The plain white card face at a design point.
  Sprite* card(const Vec2& at) {
    Sprite* s = Sprite::createWithSpriteFrameName("new_card_bg.png");
    s->setPosition(at);
    scene->addChild(s);
    return s;
  }
};

TEST_F(RenderTest, ACardIsDrawnWhereTheLayoutPutsItAtEveryWindowSize) {
  for (const Size window : {Size(1280, 720), Size(640, 360), Size(1920, 1080), Size(1000, 720)}) {
    SCOPED_TRACE(std::to_string(window.width) + "x" + std::to_string(window.height));
    SetUp();
    buildTable(static_cast<int>(window.width), static_cast<int>(window.height));
    if (HasFatalFailure()) return;
    card(Vec2(300, 200));
    frame();
    EXPECT_TRUE(Near(pixelAt(Vec2(300, 200)), kWhite)) << pixelAt(Vec2(300, 200));
    // Half a card width (70.5) past the centre is felt again, on both sides.
    EXPECT_TRUE(Near(pixelAt(Vec2(300 + 76, 200)), kFelt)) << pixelAt(Vec2(376, 200));
    EXPECT_TRUE(Near(pixelAt(Vec2(300, 200 - 100)), kFelt)) << pixelAt(Vec2(300, 100));
    EXPECT_TRUE(Near(pixelAt(Vec2(300, 200 + 88)), kWhite)) << "the card is 188 high";
    TearDown();
  }
}

TEST_F(RenderTest, TheDesignAreaIsCentredAndTheBordersStayBlack) {
  buildTable(1000, 720);  // narrower than 16:9: bands above and below
  if (HasFatalFailure()) return;
  frame();
  const SDL_FPoint origin = view->renderer()->toPixels(Vec2(0, 720));
  EXPECT_NEAR(origin.x, 0, 0.5);
  EXPECT_NEAR(origin.y, (720 - 562.5) / 2, 0.5);
  EXPECT_TRUE(Near(pixelAtWindow(500, 10), Pixel{0, 0, 0}));
  EXPECT_TRUE(Near(pixelAtWindow(500, 360), kFelt));
}

TEST_F(RenderTest, HiddenNodesOpacityAndTintChangeThePixels) {
  struct Case {
    const char* name;
    void (*change)(Sprite*);
    Pixel expected;
  } cases[] = {
      {"shown", [](Sprite*) {}, kWhite},
      {"hidden", [](Sprite* s) { s->setVisible(false); }, kFelt},
      {"hidden parent", [](Sprite* s) { s->getParent()->setVisible(false); }, kFelt},
      {"transparent", [](Sprite* s) { s->setOpacity(0); }, kFelt},
      {"half transparent", [](Sprite* s) { s->setOpacity(128); }, Pixel{128, 173, 148}},
      {"tinted red", [](Sprite* s) { s->setColor(Color3B(255, 0, 0)); }, Pixel{255, 0, 0}},
      {"tinted half blue", [](Sprite* s) { s->setColor(Color3B(0, 0, 255)), s->setOpacity(128); }, Pixel{0, 45, 148}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    SetUp();
    buildTable(1280, 720);
    if (HasFatalFailure()) return;
    Node* holder = Node::create();
    scene->addChild(holder);
    Sprite* s = Sprite::createWithSpriteFrameName("new_card_bg.png");
    s->setPosition(640, 360);
    holder->addChild(s);
    c.change(s);
    frame();
    EXPECT_TRUE(Near(pixelAt(Vec2(640, 360)), c.expected)) << pixelAt(Vec2(640, 360));
    TearDown();
  }
}

TEST_F(RenderTest, ASpriteScaledAndRotatedCoversTheTurnedArea) {
  buildTable(1280, 720);
  if (HasFatalFailure()) return;
  Sprite* s = card(Vec2(640, 360));
  s->setRotation(90);  // now 188 wide and 141 high
  s->setScale(1.5f);
  frame();
  EXPECT_TRUE(Near(pixelAt(Vec2(640 + 130, 360)), kWhite)) << "1.5 x 94 = 141 to the side";
  EXPECT_TRUE(Near(pixelAt(Vec2(640, 360 + 115)), kFelt)) << "1.5 x 70.5 = 106 up";
}

TEST_F(RenderTest, ClippingShowsChildrenOnlyInsideTheStencil) {
  buildTable(1280, 720);
  if (HasFatalFailure()) return;
  DrawNode* stencil = DrawNode::create();
  stencil->drawSolidRect(Vec2(100, 100), Vec2(300, 300), Color4F::WHITE);
  ClippingNode* clip = ClippingNode::create(stencil);
  LayerColor* red = LayerColor::create(Color4B(255, 0, 0, 255), 1280, 720);
  clip->addChild(red);
  scene->addChild(clip);
  frame();
  EXPECT_TRUE(Near(pixelAt(Vec2(200, 200)), Pixel{255, 0, 0}));
  EXPECT_TRUE(Near(pixelAt(Vec2(400, 200)), kFelt));
  EXPECT_TRUE(Near(pixelAt(Vec2(200, 320)), kFelt));
}

TEST_F(RenderTest, LabelsDigitAtlasesAndNineSliceBoxesDrawSomething) {
  buildTable(1280, 720);
  if (HasFatalFailure()) return;
  SpriteFrameCache::getInstance()->addSpriteFramesWithFile("vellddz_res_btn.plist");
  Label* label = Label::createWithSystemFont("斗地主 WWW", "微软雅黑", 40);
  label->setPosition(300, 500);
  scene->addChild(label);
  auto* box = ui::Scale9Sprite::createWithSpriteFrameName("qorvddz_btn_normal_1.png");
  ASSERT_NE(box, nullptr);
  box->setContentSize(Size(400, 64));
  box->setPosition(900, 500);
  scene->addChild(box);
  frame();
  // Some pixels of the label's box are ink, some are felt.
  int ink = 0, felt = 0;
  const Rect r = label->getBoundingBox();
  for (float x = r.getMinX() + 2; x < r.getMaxX() - 2; x += 3) {
    const Pixel p = pixelAt(Vec2(x, r.getMidY()));
    (Near(p, kFelt) ? felt : ink) += 1;
  }
  EXPECT_GT(ink, 5);
  EXPECT_GT(felt, 5);
  // The stretched box keeps its orange middle across the whole width.
  for (float x : {720.0f, 900.0f, 1080.0f}) {
    const Pixel p = pixelAt(Vec2(x, 500));
    EXPECT_GT(p.r, 200) << x << " " << p;
    EXPECT_LT(p.b, 100) << x << " " << p;
  }
}

TEST_F(RenderTest, AFrameWithoutAnImageIsSkipped) {
  buildTable(1280, 720);
  if (HasFatalFailure()) return;
  // A manifest-only frame (no sheet image) and an image that does not exist.
  SpriteFrameCache::getInstance()->addSpriteFrame(SpriteFrame::create("", Rect(0, 0, 100, 100)), "ghost.png");
  card(Vec2(640, 360))->setSpriteFrame("ghost.png");
  scene->addChild(Sprite::createWithTexture(Texture2D::create("no/such/image.png", Size(50, 50))));
  frame();
  frame();
  EXPECT_TRUE(Near(pixelAt(Vec2(640, 360)), kFelt));
  int logged = 0;
  for (const std::string& line : Log::lines()) logged += line.find("no/such/image.png") != std::string::npos;
  EXPECT_EQ(logged, 1) << "logged once, not every frame";
}

TEST_F(RenderTest, LabelsMeasureWithTheRealFontWhileTheWindowIsOpen) {
  const float fixedNarrow = Label::measureWidth("iiii", 20), fixedWide = Label::measureWidth("WWWW", 20);
  EXPECT_EQ(fixedNarrow, fixedWide) << "the fixed model";
  openWindow(1280, 720);
  if (HasFatalFailure()) return;
  EXPECT_LT(Label::measureWidth("iiii", 20), Label::measureWidth("WWWW", 20));
  Label* wrapped = Label::createWithSystemFont("WWWW WWWW WWWW", "", 20, Size(100, 0));
  EXPECT_EQ(wrapped->getStringNumLines(), 3) << "wrapped on real widths";
  director->reset();
  EXPECT_EQ(Label::measureWidth("iiii", 20), fixedNarrow) << "the fixed model is back when the window goes";
}

}  // namespace

TEST_F(RenderTest, TheLastFrameIsWrittenAsJpegOrPngThroughTheRendererSeam) {
  buildTable(1280, 720);
  if (HasFatalFailure()) return;
  frame();
  ddz::test::TempDir dir;
  Renderer* seam = Director::getInstance()->getRenderer();
  ASSERT_TRUE(seam->saveFrameImage(dir.file("share.jpg")));
  ASSERT_TRUE(seam->saveFrameImage(dir.file("shot.png")));
  SDL_Surface* jpeg = IMG_Load(dir.file("share.jpg").c_str());
  ASSERT_NE(jpeg, nullptr);
  EXPECT_EQ(jpeg->w, 1280);
  SDL_FreeSurface(jpeg);
  std::FILE* f = std::fopen(dir.file("share.jpg").c_str(), "rb");
  unsigned char head[2] = {};
  ASSERT_EQ(std::fread(head, 1, 2, f), 2u);
  std::fclose(f);
  EXPECT_EQ(head[0], 0xFF);  // a JPEG, not a PNG under another name
  EXPECT_EQ(head[1], 0xD8);
  EXPECT_FALSE(seam->saveFrameImage(dir.file("missing/folder/x.jpg")));
}
