// The sign-up dialog's fixture: a tournament list on a stage with a window
// (touches go through the real dispatch), the dialog opened from a list row,
// and finders for the labels of a subtree.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "CompeteListTestSupport.h"
#include "compete/DropDownList.h"
#include "compete/SignUpLayer.h"
#include "platform/engine/GLView.h"
#include "platform/framework/YndRemoveChildManage.h"

namespace ddz::test {

struct FoundLabel {
  std::string text;
  cocos2d::Vec2 at;  // position in its parent
  cocos2d::Label* label;
};

// Every label under `node`, depth first in child order.
inline void CollectLabels(cocos2d::Node* node, std::vector<FoundLabel>& out) {
  if (node == nullptr) return;
  for (cocos2d::Node* child : node->getChildren()) {
    if (auto* label = dynamic_cast<cocos2d::Label*>(child))
      out.push_back({label->getString(), label->getPosition(), label});
    CollectLabels(child, out);
  }
}
inline std::vector<std::string> LabelTexts(cocos2d::Node* node) {
  std::vector<FoundLabel> found;
  CollectLabels(node, found);
  std::vector<std::string> texts;
  for (const FoundLabel& f : found) texts.push_back(f.text);
  return texts;
}

// Children of `node` of type T.
template <class T>
int CountChildren(cocos2d::Node* node) {
  int n = 0;
  for (cocos2d::Node* child : node->getChildren()) n += dynamic_cast<T*>(child) != nullptr ? 1 : 0;
  return n;
}

class SignUpFixture : public CompeteListFixture {
 protected:
  void SetUp() override {
    CompeteListFixture::SetUp();
    window = cocos2d::GLViewImpl::create("test");
    director->setOpenGLView(window);
  }
  void TearDown() override {
    SignUpLayer* dialog = SignUpLayer::shareSignUpLayer();
    if (dialog->getParent() != nullptr) dialog->removeFromParent();
    CompeteListFixture::TearDown();
  }

  // A list of `records` (one room each, open from `startHour` for `hours`),
  // on the stage, the rows opening the dialog.
  void ListOf(const std::vector<CompeteMatchRecord>& records, int startHour = 0, int hours = 24) {
    g_vcCompeteRoomTable = records;
    int key = 0;
    for (const CompeteMatchRecord& r : records)
      AddMatchRoom({.matchId = r.iMatchId, .sortKey = key++, .serverId = 41, .startHour = startHour, .hours = hours});
    g_tLastSignUpNumReply = ddz::CompeteTimeNow();
    EnterList();
    CompeteRoomListLayer::SetSignUpOpener(SignUpLayer::Open);
  }
  // Touches list row `row` as the list view reports it; the dialog.
  SignUpLayer* TouchRow(int row) {
    list->OnListEvent(row, false);
    list->OnListEvent(row, true);
    return SignUpLayer::shareSignUpLayer();
  }
  SignUpLayer* OpenFor(const CompeteMatchRecord& record, int startHour = 0, int hours = 24) {
    ListOf({record}, startHour, hours);
    return TouchRow(0);
  }
  void Leave() {
    SignUpLayer* dialog = SignUpLayer::shareSignUpLayer();
    if (dialog->getParent() != nullptr) dialog->removeFromParent();
    if (list != nullptr) list->removeFromParent();
    list = nullptr;
    ResetGlobals();
  }
  void Frames(int n) {
    for (int i = 0; i < n; ++i) director->mainLoop(1.0f / 60);
  }
  // A touch at a point of the design (GL) space: down, then up at `to`.
  void Press(const cocos2d::Vec2& at) { window->touchBegan(at.x, 720 - at.y); }
  void Release(const cocos2d::Vec2& at) { window->touchEnded(at.x, 720 - at.y); }
  void Tap(const cocos2d::Vec2& at) {
    Press(at);
    Release(at);
  }
  static cocos2d::Vec2 WorldOf(cocos2d::Node* node) {
    return node->getParent()->convertToWorldSpace(node->getPosition());
  }

  cocos2d::GLView* window = nullptr;
};

}  // namespace ddz::test
