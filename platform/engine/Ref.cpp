#include "platform/engine/Ref.h"

#include "platform/engine/ScriptSupport.h"

namespace cocos2d {

namespace {
unsigned int g_nextRefId = 0;
}

Ref::Ref() : _ID(++g_nextRefId) {}

Ref::~Ref() {
  if (_luaID != 0) ScriptEngineManager::sendObjectDestroyed(this);
}

void Ref::retain() {
  CCASSERT(_referenceCount > 0, "retain of a dead object");
  ++_referenceCount;
}

void Ref::release() {
  CCASSERT(_referenceCount > 0, "release of a dead object");
  --_referenceCount;
  if (_referenceCount == 0) {
    // Releasing an object still waiting in the pool would free it twice.
    CCASSERT(_pendingAutoreleases == 0, "released an autoreleased object to zero");
    delete this;
  }
}

Ref* Ref::autorelease() {
  AutoreleasePool::current().addObject(this);
  return this;
}

AutoreleasePool& AutoreleasePool::current() {
  static AutoreleasePool pool;
  return pool;
}

void AutoreleasePool::addObject(Ref* object) {
  ++object->_pendingAutoreleases;
  _objects.push_back(object);
}

void AutoreleasePool::clear() {
  if (_clearing) return;
  _clearing = true;
  std::vector<Ref*> batch;
  batch.swap(_objects);
  for (Ref* obj : batch) {
    --obj->_pendingAutoreleases;
    obj->release();
  }
  _clearing = false;
}

bool AutoreleasePool::contains(const Ref* object) const {
  return std::find(_objects.begin(), _objects.end(), object) != _objects.end();
}

}  // namespace cocos2d
