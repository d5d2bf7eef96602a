// The root of a running scene graph.
#pragma once

#include "platform/engine/Node.h"

namespace cocos2d {

class Scene : public Node {
 public:
  static Scene* create();
  bool init() override;

 protected:
  Scene();
};

}  // namespace cocos2d
