// Reference counting of engine objects, the autorelease pool drained at the end
// of each frame, and the retaining container the scene graph uses.
//
// Rules: an object starts with one reference. `create()` factories call
// `autorelease()`, so an object nobody retains dies when the pool drains at the
// end of the frame. A parent retains its children. `new` without `autorelease`
// (as the script side does) leaves the creator the owner of that reference.
#pragma once

#include <algorithm>
#include <cassert>
#include <functional>
#include <initializer_list>
#include <new>
#include <vector>

namespace cocos2d {

// Fails hard on a programming error of the caller (double release and the like).
#define CCASSERT(cond, msg) assert((cond) && (msg))

class Ref {
 public:
  void retain();
  void release();
  Ref* autorelease();
  unsigned int getReferenceCount() const { return _referenceCount; }

  virtual ~Ref();

  // Script bookkeeping: the engine's id of the object and its slot in the Lua
  // object mapping (0 while the object was never pushed to Lua).
  unsigned int _ID;
  int _luaID = 0;

 protected:
  Ref();
  Ref(const Ref&) = delete;
  Ref& operator=(const Ref&) = delete;

 private:
  friend class AutoreleasePool;
  unsigned int _referenceCount = 1;
  unsigned int _pendingAutoreleases = 0;
};

using SEL_CallFunc = void (Ref::*)();
using SEL_CallFuncN = void (Ref::*)(class Node*);
using SEL_SCHEDULE = void (Ref::*)(float);
using SEL_MenuHandler = void (Ref::*)(Ref*);

#define callfunc_selector(_SELECTOR) static_cast<cocos2d::SEL_CallFunc>(&_SELECTOR)
#define callfuncN_selector(_SELECTOR) static_cast<cocos2d::SEL_CallFuncN>(&_SELECTOR)
#define schedule_selector(_SELECTOR) static_cast<cocos2d::SEL_SCHEDULE>(&_SELECTOR)
#define menu_selector(_SELECTOR) static_cast<cocos2d::SEL_MenuHandler>(&_SELECTOR)
#define CC_CALLFUNC_SELECTOR(_SELECTOR) callfunc_selector(_SELECTOR)
#define CC_SCHEDULE_SELECTOR(_SELECTOR) schedule_selector(_SELECTOR)
#define CC_MENU_SELECTOR(_SELECTOR) menu_selector(_SELECTOR)

#define CC_CALLBACK_0(__selector__, __target__, ...) std::bind(&__selector__, __target__, ##__VA_ARGS__)
#define CC_CALLBACK_1(__selector__, __target__, ...) \
  std::bind(&__selector__, __target__, std::placeholders::_1, ##__VA_ARGS__)
#define CC_CALLBACK_2(__selector__, __target__, ...) \
  std::bind(&__selector__, __target__, std::placeholders::_1, std::placeholders::_2, ##__VA_ARGS__)

#define CC_SAFE_RETAIN(p) do { if (p) { (p)->retain(); } } while (0)
#define CC_SAFE_RELEASE(p) do { if (p) { (p)->release(); } } while (0)
#define CC_SAFE_RELEASE_NULL(p) do { if (p) { (p)->release(); (p) = nullptr; } } while (0)
#define CC_SAFE_DELETE(p) do { delete (p); (p) = nullptr; } while (0)

// The usual factory: construct, init, autorelease; null when init fails.
#define CREATE_FUNC(__TYPE__)                 \
  static __TYPE__* create() {                 \
    __TYPE__* pRet = new (std::nothrow) __TYPE__(); \
    if (pRet && pRet->init()) {               \
      pRet->autorelease();                    \
      return pRet;                            \
    }                                         \
    delete pRet;                              \
    return nullptr;                           \
  }

// The pool of objects released at the end of the frame (one pool; the frame
// loop drains it).
class AutoreleasePool {
 public:
  static AutoreleasePool& current();
  void addObject(Ref* object);
  // Releases every object added so far; objects autoreleased while draining
  // stay for the next drain.
  void clear();
  bool contains(const Ref* object) const;
  std::size_t size() const { return _objects.size(); }

 private:
  std::vector<Ref*> _objects;
  bool _clearing = false;
};

// A vector of engine objects that holds one reference to each element.
template <class T>
class Vector {
 public:
  using iterator = typename std::vector<T>::iterator;
  using const_iterator = typename std::vector<T>::const_iterator;

  Vector() = default;
  Vector(std::initializer_list<T> list) { for (T t : list) pushBack(t); }
  Vector(const Vector& o) : _data(o._data) { for (T t : _data) t->retain(); }
  Vector(Vector&& o) noexcept : _data(std::move(o._data)) { o._data.clear(); }
  Vector& operator=(const Vector& o) {
    if (this != &o) {
      for (T t : o._data) t->retain();
      clear();
      _data = o._data;
    }
    return *this;
  }
  Vector& operator=(Vector&& o) noexcept {
    if (this != &o) { clear(); _data = std::move(o._data); o._data.clear(); }
    return *this;
  }
  ~Vector() { clear(); }

  void pushBack(T object) { CCASSERT(object, "null element"); object->retain(); _data.push_back(object); }
  void insert(std::size_t index, T object) {
    object->retain();
    _data.insert(_data.begin() + static_cast<std::ptrdiff_t>(index), object);
  }
  void popBack() { if (!_data.empty()) { T t = _data.back(); _data.pop_back(); t->release(); } }
  void eraseObject(T object) {
    auto it = std::find(_data.begin(), _data.end(), object);
    if (it != _data.end()) { _data.erase(it); object->release(); }
  }
  iterator erase(iterator it) { T t = *it; auto next = _data.erase(it); t->release(); return next; }
  void erase(std::size_t index) { erase(_data.begin() + static_cast<std::ptrdiff_t>(index)); }
  void clear() {
    std::vector<T> old;
    old.swap(_data);
    for (T t : old) t->release();
  }
  bool contains(T object) const { return std::find(_data.begin(), _data.end(), object) != _data.end(); }
  std::ptrdiff_t getIndex(T object) const {
    auto it = std::find(_data.begin(), _data.end(), object);
    return it == _data.end() ? -1 : it - _data.begin();
  }
  T at(std::size_t i) const { return _data.at(i); }
  T front() const { return _data.front(); }
  T back() const { return _data.back(); }
  std::size_t size() const { return _data.size(); }
  bool empty() const { return _data.empty(); }
  void reserve(std::size_t n) { _data.reserve(n); }
  iterator begin() { return _data.begin(); }
  iterator end() { return _data.end(); }
  const_iterator begin() const { return _data.begin(); }
  const_iterator end() const { return _data.end(); }
  const std::vector<T>& getRaw() const { return _data; }
  // Reorders without touching reference counts.
  template <class Cmp>
  void stableSort(Cmp cmp) { std::stable_sort(_data.begin(), _data.end(), cmp); }

 private:
  std::vector<T> _data;
};

}  // namespace cocos2d
