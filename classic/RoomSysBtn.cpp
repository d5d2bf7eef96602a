#include "classic/RoomSysBtn.h"

#include <new>

RoomSysBtn* RoomSysBtn::create() {
  auto* layer = new (std::nothrow) RoomSysBtn();
  if (layer == nullptr) return nullptr;
  layer->init();
  layer->autorelease();
  return layer;
}
