// A fixture that gives every engine test a fresh director with a running
// scene, a clock at zero and a quiet, empty log.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/engine/cocos2d.h"
#include "platform/os/Clock.h"
#include "support/Stage.h"

namespace enginetest {

class EngineTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const ddz::test::Stage stage = ddz::test::ResetStage();
    director = stage.director;
    scene = stage.scene;
  }
  void TearDown() override { director->reset(); }

  void tick(float dt, int frames = 1) {
    for (int i = 0; i < frames; ++i) director->mainLoop(dt);
  }

  cocos2d::Director* director = nullptr;
  cocos2d::Scene* scene = nullptr;
};

// A node that writes what happens to it into a shared journal.
struct Journal {
  std::vector<std::string> lines;
  void add(const std::string& s) { lines.push_back(s); }
  bool has(const std::string& s) const {
    for (const auto& l : lines)
      if (l == s) return true;
    return false;
  }
};

class Probe : public cocos2d::Node {
 public:
  static Probe* create(std::shared_ptr<Journal> j, const std::string& name) {
    auto* p = new Probe(std::move(j), name);
    p->autorelease();
    return p;
  }
  ~Probe() override { journal->add(label + ".dtor"); }
  void onEnter() override {
    cocos2d::Node::onEnter();
    journal->add(label + ".enter");
  }
  void onExit() override {
    cocos2d::Node::onExit();
    journal->add(label + ".exit");
  }
  void cleanup() override {
    cocos2d::Node::cleanup();
    journal->add(label + ".cleanup");
  }

  std::shared_ptr<Journal> journal;
  std::string label;

 protected:
  Probe(std::shared_ptr<Journal> j, std::string name) : journal(std::move(j)), label(std::move(name)) {}
};

}  // namespace enginetest
