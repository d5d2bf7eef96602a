// The engine's own script module "cc": what a script needs to place and drive
// the client's objects (nodes, layers, scenes, sprites, labels, the director)
// and the scheduler's script timers. Every binding follows the conventions of
// LuaBinding.h.
#include <tolua++.h>

#include <lua.hpp>
#include <map>
#include <string>

#include "platform/engine/Director.h"
#include "platform/engine/Label.h"
#include "platform/engine/Layer.h"
#include "platform/engine/Log.h"
#include "platform/engine/Node.h"
#include "platform/engine/Scene.h"
#include "platform/engine/Scheduler.h"
#include "platform/engine/Sprite.h"
#include "platform/engine/lua/LuaBinding.h"
#include "platform/engine/lua/LuaStack.h"

using namespace cocos2d;

namespace {

// ---------------------------------------------------------------- Ref

int lua_cocos2dx_Ref_retain(lua_State* L) {
  auto* self = luabind::Self<Ref>(L, "cc.Ref", "lua_cocos2dx_Ref_retain");
  const int argc = luabind::ArgCount(L);
  if (argc != 0) return luabind::CountError(L, "cc.Ref:retain", argc, 0);
  luabind::ScriptRetain(L, self);
  return luabind::ReturnSelf(L);
}

int lua_cocos2dx_Ref_release(lua_State* L) {
  auto* self = luabind::Self<Ref>(L, "cc.Ref", "lua_cocos2dx_Ref_release");
  const int argc = luabind::ArgCount(L);
  if (argc != 0) return luabind::CountError(L, "cc.Ref:release", argc, 0);
  if (!luabind::ScriptRelease(L, self)) log("cc.Ref:release: the script holds no reference to this object");
  return luabind::ReturnSelf(L);
}

// ---------------------------------------------------------------- Node

Node* SelfNode(lua_State* L, const char* func) { return luabind::Self<Node>(L, "cc.Node", func); }

bool IsAncestorOrSelf(const Node* candidate, const Node* node) {
  for (const Node* n = node; n != nullptr; n = n->getParent())
    if (n == candidate) return true;
  return false;
}

int lua_cocos2dx_Node_addChild(lua_State* L) {
  constexpr const char* kFunc = "lua_cocos2dx_Node_addChild";
  constexpr const char* kDiag = "cc.Node:addChild";
  Node* self = SelfNode(L, kFunc);
  const int argc = luabind::ArgCount(L);
  if (argc < 1 || argc > 3) return luabind::CountError(L, kDiag, argc, 1);
  Node* child = nullptr;
  if (!luabind::ToObject(L, 2, "cc.Node", &child)) return luabind::ArgError(L, "child", kFunc);
  int z = 0;
  int tag = -1;
  if (argc >= 2 && !luaval_to_int32(L, 3, &z, kDiag)) return luabind::ArgError(L, "localZOrder", kFunc);
  if (argc >= 3 && !luaval_to_int32(L, 4, &tag, kDiag)) return luabind::ArgError(L, "tag", kFunc);
  // A node already placed, or one that would hold itself, is not added.
  if (child == nullptr || child->getParent() != nullptr || IsAncestorOrSelf(child, self)) {
    log("%s: the child is null, already placed, or the node itself or one of its parents", kDiag);
    return luabind::ReturnSelf(L);
  }
  if (argc >= 3)
    self->addChild(child, z, tag);
  else
    self->addChild(child, z);
  return luabind::ReturnSelf(L);
}

int lua_cocos2dx_Node_removeFromParent(lua_State* L) {
  Node* self = SelfNode(L, "lua_cocos2dx_Node_removeFromParent");
  const int argc = luabind::ArgCount(L);
  if (argc != 0) return luabind::CountError(L, "cc.Node:removeFromParent", argc, 0);
  self->retain();  // the call must not end the object under the script's feet
  self->removeFromParent();
  self->autorelease();
  return luabind::ReturnSelf(L);
}

int lua_cocos2dx_Node_removeChildByTag(lua_State* L) {
  int tag = 0;
  Node* self = luabind::SelfWithInt<Node>(L, "cc.Node", "cc.Node:removeChildByTag",
                                          "lua_cocos2dx_Node_removeChildByTag", "tag", &tag);
  self->removeChildByTag(tag);
  return luabind::ReturnSelf(L);
}

int lua_cocos2dx_Node_getChildByTag(lua_State* L) {
  int tag = 0;
  Node* self = luabind::SelfWithInt<Node>(L, "cc.Node", "cc.Node:getChildByTag", "lua_cocos2dx_Node_getChildByTag",
                                          "tag", &tag);
  luabind::PushObject(L, self->getChildByTag(tag), "cc.Node");
  return 1;
}

int lua_cocos2dx_Node_getParent(lua_State* L) {
  Node* self = SelfNode(L, "lua_cocos2dx_Node_getParent");
  const int argc = luabind::ArgCount(L);
  if (argc != 0) return luabind::CountError(L, "cc.Node:getParent", argc, 0);
  luabind::PushObject(L, self->getParent(), "cc.Node");
  return 1;
}

// A point given as {x, y} or as two numbers.
bool ReadPoint(lua_State* L, int argc, const char* diag, Vec2* out) {
  if (argc == 1) return luaval_to_vec2(L, 2, out, diag);
  double x = 0, y = 0;
  if (!luaval_to_number(L, 2, &x, diag) || !luaval_to_number(L, 3, &y, diag)) return false;
  *out = Vec2(static_cast<float>(x), static_cast<float>(y));
  return true;
}

int lua_cocos2dx_Node_setPosition(lua_State* L) {
  constexpr const char* kFunc = "lua_cocos2dx_Node_setPosition";
  Node* self = SelfNode(L, kFunc);
  const int argc = luabind::ArgCount(L);
  if (argc != 1 && argc != 2) return luabind::CountError(L, "cc.Node:setPosition", argc, 1);
  Vec2 p;
  if (!ReadPoint(L, argc, "cc.Node:setPosition", &p)) return luabind::ArgError(L, "position", kFunc);
  self->setPosition(p);
  return luabind::ReturnSelf(L);
}

int lua_cocos2dx_Node_getPosition(lua_State* L) {
  Node* self = SelfNode(L, "lua_cocos2dx_Node_getPosition");
  const int argc = luabind::ArgCount(L);
  if (argc != 0) return luabind::CountError(L, "cc.Node:getPosition", argc, 0);
  lua_pushnumber(L, self->getPosition().x);
  lua_pushnumber(L, self->getPosition().y);
  return 2;
}

int lua_cocos2dx_Node_setVisible(lua_State* L) {
  constexpr const char* kFunc = "lua_cocos2dx_Node_setVisible";
  Node* self = SelfNode(L, kFunc);
  const int argc = luabind::ArgCount(L);
  if (argc != 1) return luabind::CountError(L, "cc.Node:setVisible", argc, 1);
  bool visible = false;
  if (!luaval_to_boolean(L, 2, &visible, "cc.Node:setVisible")) return luabind::ArgError(L, "visible", kFunc);
  self->setVisible(visible);
  return luabind::ReturnSelf(L);
}

int lua_cocos2dx_Node_isVisible(lua_State* L) {
  Node* self = SelfNode(L, "lua_cocos2dx_Node_isVisible");
  const int argc = luabind::ArgCount(L);
  if (argc != 0) return luabind::CountError(L, "cc.Node:isVisible", argc, 0);
  lua_pushboolean(L, self->isVisible());
  return 1;
}

int lua_cocos2dx_Node_isRunning(lua_State* L) {
  Node* self = SelfNode(L, "lua_cocos2dx_Node_isRunning");
  const int argc = luabind::ArgCount(L);
  if (argc != 0) return luabind::CountError(L, "cc.Node:isRunning", argc, 0);
  lua_pushboolean(L, self->isRunning());
  return 1;
}

// setLocalZOrder, setTag: one int.
template <void (*Apply)(Node*, int)>
int NodeIntSetter(lua_State* L, const char* func, const char* diag, const char* arg) {
  int v = 0;
  Node* self = luabind::SelfWithInt<Node>(L, "cc.Node", diag, func, arg, &v);
  Apply(self, v);
  return luabind::ReturnSelf(L);
}

void ApplyZOrder(Node* n, int v) { n->setLocalZOrder(v); }
void ApplyTag(Node* n, int v) { n->setTag(v); }

int lua_cocos2dx_Node_setLocalZOrder(lua_State* L) {
  return NodeIntSetter<ApplyZOrder>(L, "lua_cocos2dx_Node_setLocalZOrder", "cc.Node:setLocalZOrder", "localZOrder");
}

int lua_cocos2dx_Node_setTag(lua_State* L) {
  return NodeIntSetter<ApplyTag>(L, "lua_cocos2dx_Node_setTag", "cc.Node:setTag", "tag");
}

int lua_cocos2dx_Node_getTag(lua_State* L) {
  Node* self = SelfNode(L, "lua_cocos2dx_Node_getTag");
  const int argc = luabind::ArgCount(L);
  if (argc != 0) return luabind::CountError(L, "cc.Node:getTag", argc, 0);
  lua_pushnumber(L, self->getTag());
  return 1;
}

int lua_cocos2dx_Node_setScale(lua_State* L) {
  constexpr const char* kFunc = "lua_cocos2dx_Node_setScale";
  Node* self = SelfNode(L, kFunc);
  const int argc = luabind::ArgCount(L);
  if (argc != 1) return luabind::CountError(L, "cc.Node:setScale", argc, 1);
  double scale = 0;
  if (!luaval_to_number(L, 2, &scale, "cc.Node:setScale")) return luabind::ArgError(L, "scale", kFunc);
  self->setScale(static_cast<float>(scale));
  return luabind::ReturnSelf(L);
}

int lua_cocos2dx_Node_setAnchorPoint(lua_State* L) {
  constexpr const char* kFunc = "lua_cocos2dx_Node_setAnchorPoint";
  Node* self = SelfNode(L, kFunc);
  const int argc = luabind::ArgCount(L);
  if (argc != 1 && argc != 2) return luabind::CountError(L, "cc.Node:setAnchorPoint", argc, 1);
  Vec2 p;
  if (!ReadPoint(L, argc, "cc.Node:setAnchorPoint", &p)) return luabind::ArgError(L, "anchor", kFunc);
  self->setAnchorPoint(p);
  return luabind::ReturnSelf(L);
}

int lua_cocos2dx_Node_getContentSize(lua_State* L) {
  Node* self = SelfNode(L, "lua_cocos2dx_Node_getContentSize");
  const int argc = luabind::ArgCount(L);
  if (argc != 0) return luabind::CountError(L, "cc.Node:getContentSize", argc, 0);
  lua_createtable(L, 0, 2);
  lua_pushnumber(L, self->getContentSize().width);
  lua_setfield(L, -2, "width");
  lua_pushnumber(L, self->getContentSize().height);
  lua_setfield(L, -2, "height");
  return 1;
}

// ---------------------------------------------------------------- Layer, Scene

template <class T>
int CreateNode(lua_State* L, const char* diag, const char* luaType) {
  const int argc = luabind::ArgCount(L);
  if (argc != 0) return luabind::CountError(L, diag, argc, 0);
  luabind::PushObject(L, T::create(), luaType);
  return 1;
}

int lua_cocos2dx_Layer_create(lua_State* L) { return CreateNode<Layer>(L, "cc.Layer:create", "cc.Layer"); }
int lua_cocos2dx_Scene_create(lua_State* L) { return CreateNode<Scene>(L, "cc.Scene:create", "cc.Scene"); }

// ---------------------------------------------------------------- Director

int lua_cocos2dx_Director_getInstance(lua_State* L) {
  const int argc = luabind::ArgCount(L);
  if (argc != 0) return luabind::CountError(L, "cc.Director:getInstance", argc, 0);
  luabind::PushRecord(L, Director::getInstance(), nullptr, "cc.Director");
  return 1;
}

int lua_cocos2dx_Director_getRunningScene(lua_State* L) {
  auto* self = luabind::Self<Director>(L, "cc.Director", "lua_cocos2dx_Director_getRunningScene");
  const int argc = luabind::ArgCount(L);
  if (argc != 0) return luabind::CountError(L, "cc.Director:getRunningScene", argc, 0);
  luabind::PushObject(L, self->getRunningScene(), "cc.Scene");
  return 1;
}

int lua_cocos2dx_Director_getScheduler(lua_State* L) {
  auto* self = luabind::Self<Director>(L, "cc.Director", "lua_cocos2dx_Director_getScheduler");
  const int argc = luabind::ArgCount(L);
  if (argc != 0) return luabind::CountError(L, "cc.Director:getScheduler", argc, 0);
  luabind::PushObject(L, self->getScheduler(), "cc.Scheduler");
  return 1;
}

// ---------------------------------------------------------------- Sprite, Label

int lua_cocos2dx_Sprite_create(lua_State* L) {
  const int argc = luabind::ArgCount(L);
  if (argc > 1) return luabind::CountError(L, "cc.Sprite:create", argc, 0);
  std::string file;
  if (argc == 1 && !luaval_to_std_string(L, 2, &file, "cc.Sprite:create"))
    return luabind::ArgError(L, "filename", "lua_cocos2dx_Sprite_create");
  luabind::PushObject(L, argc == 1 ? Sprite::create(file) : Sprite::create(), "cc.Sprite");
  return 1;
}

int lua_cocos2dx_Sprite_createWithSpriteFrameName(lua_State* L) {
  const int argc = luabind::ArgCount(L);
  if (argc != 1) return luabind::CountError(L, "cc.Sprite:createWithSpriteFrameName", argc, 1);
  std::string name;
  if (!luaval_to_std_string(L, 2, &name, "cc.Sprite:createWithSpriteFrameName"))
    return luabind::ArgError(L, "spriteFrameName", "lua_cocos2dx_Sprite_createWithSpriteFrameName");
  luabind::PushObject(L, Sprite::createWithSpriteFrameName(name), "cc.Sprite");
  return 1;
}

int lua_cocos2dx_Label_createWithSystemFont(lua_State* L) {
  constexpr const char* kFunc = "lua_cocos2dx_Label_createWithSystemFont";
  constexpr const char* kDiag = "cc.Label:createWithSystemFont";
  const int argc = luabind::ArgCount(L);
  if (argc != 3) return luabind::CountError(L, kDiag, argc, 3);
  std::string text, font;
  double size = 0;
  if (!luaval_to_std_string(L, 2, &text, kDiag)) return luabind::ArgError(L, "text", kFunc);
  if (!luaval_to_std_string(L, 3, &font, kDiag)) return luabind::ArgError(L, "font", kFunc);
  if (!luaval_to_number(L, 4, &size, kDiag)) return luabind::ArgError(L, "fontSize", kFunc);
  luabind::PushObject(L, Label::createWithSystemFont(text, font, static_cast<float>(size)), "cc.Label");
  return 1;
}

int lua_cocos2dx_Label_setString(lua_State* L) {
  constexpr const char* kFunc = "lua_cocos2dx_Label_setString";
  auto* self = luabind::Self<Label>(L, "cc.Label", kFunc);
  const int argc = luabind::ArgCount(L);
  if (argc != 1) return luabind::CountError(L, "cc.Label:setString", argc, 1);
  std::string text;
  if (!luaval_to_std_string(L, 2, &text, "cc.Label:setString")) return luabind::ArgError(L, "text", kFunc);
  self->setString(text);
  return luabind::ReturnSelf(L);
}

int lua_cocos2dx_Label_getString(lua_State* L) {
  auto* self = luabind::Self<Label>(L, "cc.Label", "lua_cocos2dx_Label_getString");
  const int argc = luabind::ArgCount(L);
  if (argc != 0) return luabind::CountError(L, "cc.Label:getString", argc, 0);
  lua_pushlstring(L, self->getString().data(), self->getString().size());
  return 1;
}

// ---------------------------------------------------------------- script timers

// A Lua function the scheduler calls with the frame's dt, once or every
// interval, until the script removes it or the Lua state closes.
class ScriptTimer : public Ref {
 public:
  ScriptTimer(lua_State* L, unsigned id, int handler, Scheduler* scheduler)
      : state(L), entryId(id), entry(ScriptHandlerEntry::create(handler)), scheduler(scheduler) {
    entry->retain();
    scheduler->retain();
  }
  ~ScriptTimer() override {
    entry->release();
    scheduler->release();
  }
  lua_State* state;
  unsigned entryId;
  ScriptHandlerEntry* entry;
  Scheduler* scheduler;
};

constexpr const char* kTimerKey = "script_timer";

std::map<lua_State*, std::map<unsigned, ScriptTimer*>>& Timers() {
  static std::map<lua_State*, std::map<unsigned, ScriptTimer*>> timers;
  return timers;
}
unsigned g_nextTimerId = 0;

void RemoveTimer(lua_State* L, unsigned id) {
  auto state = Timers().find(L);
  if (state == Timers().end()) return;
  auto it = state->second.find(id);
  if (it == state->second.end()) return;
  ScriptTimer* timer = it->second;
  state->second.erase(it);
  timer->scheduler->unschedule(kTimerKey, timer);
  timer->release();
}

int lua_cocos2dx_Scheduler_scheduleScriptFunc(lua_State* L) {
  constexpr const char* kFunc = "lua_cocos2dx_Scheduler_scheduleScriptFunc";
  constexpr const char* kDiag = "cc.Scheduler:scheduleScriptFunc";
  auto* self = luabind::Self<Scheduler>(L, "cc.Scheduler", kFunc);
  const int argc = luabind::ArgCount(L);
  if (argc != 3 && argc != 4) return luabind::CountError(L, kDiag, argc, 3);
  if (!lua_isfunction(L, 2)) return luabind::ArgError(L, "handler", kFunc);
  double interval = 0;
  bool paused = false, once = false;
  if (!luaval_to_number(L, 3, &interval, kDiag) || interval < 0) return luabind::ArgError(L, "interval", kFunc);
  if (!luaval_to_boolean(L, 4, &paused, kDiag)) return luabind::ArgError(L, "paused", kFunc);
  if (argc == 4 && !luaval_to_boolean(L, 5, &once, kDiag)) return luabind::ArgError(L, "once", kFunc);

  const unsigned id = ++g_nextTimerId;
  auto* timer = new ScriptTimer(L, id, toluafix_ref_function(L, 2, 0), self);
  Timers()[L][id] = timer;
  const float seconds = static_cast<float>(interval);
  self->schedule(
      [timer, once](float dt) {
        // The scheduler holds the timer through this call, even when the
        // function removes its own entry.
        lua_State* state = timer->state;
        const unsigned entryId = timer->entryId;
        LuaStack* stack = LuaEngine::getInstance()->getLuaStack();
        if (stack->getLuaState() == state) {
          stack->pushFloat(dt);
          stack->executeFunctionByHandler(timer->entry->getHandler(), 1);
        }
        if (once) RemoveTimer(state, entryId);
      },
      static_cast<Ref*>(timer), seconds, once ? 0u : CC_REPEAT_FOREVER, once ? seconds : 0.0f, paused, kTimerKey);
  lua_pushnumber(L, id);
  return 1;
}

int lua_cocos2dx_Scheduler_unscheduleScriptEntry(lua_State* L) {
  int id = 0;
  luabind::SelfWithInt<Scheduler>(L, "cc.Scheduler", "cc.Scheduler:unscheduleScriptEntry",
                                  "lua_cocos2dx_Scheduler_unscheduleScriptEntry", "id", &id);
  RemoveTimer(L, static_cast<unsigned>(id));
  return luabind::ReturnSelf(L);
}

// ---------------------------------------------------------------- the module

constexpr luabind::Member kRef[] = {
    luabind::Method("retain", lua_cocos2dx_Ref_retain),
    luabind::Method("release", lua_cocos2dx_Ref_release),
};
constexpr luabind::Member kNode[] = {
    luabind::Method("addChild", lua_cocos2dx_Node_addChild),
    luabind::Method("removeFromParent", lua_cocos2dx_Node_removeFromParent),
    luabind::Method("removeChildByTag", lua_cocos2dx_Node_removeChildByTag),
    luabind::Method("getChildByTag", lua_cocos2dx_Node_getChildByTag),
    luabind::Method("getParent", lua_cocos2dx_Node_getParent),
    luabind::Method("setPosition", lua_cocos2dx_Node_setPosition),
    luabind::Method("getPosition", lua_cocos2dx_Node_getPosition),
    luabind::Method("setVisible", lua_cocos2dx_Node_setVisible),
    luabind::Method("isVisible", lua_cocos2dx_Node_isVisible),
    luabind::Method("setLocalZOrder", lua_cocos2dx_Node_setLocalZOrder),
    luabind::Method("setTag", lua_cocos2dx_Node_setTag),
    luabind::Method("getTag", lua_cocos2dx_Node_getTag),
    luabind::Method("setScale", lua_cocos2dx_Node_setScale),
    luabind::Method("setAnchorPoint", lua_cocos2dx_Node_setAnchorPoint),
    luabind::Method("getContentSize", lua_cocos2dx_Node_getContentSize),
    luabind::Method("isRunning", lua_cocos2dx_Node_isRunning),
};
constexpr luabind::Member kLayer[] = {luabind::Method("create", lua_cocos2dx_Layer_create)};
constexpr luabind::Member kScene[] = {luabind::Method("create", lua_cocos2dx_Scene_create)};
constexpr luabind::Member kDirector[] = {
    luabind::Method("getInstance", lua_cocos2dx_Director_getInstance),
    luabind::Method("getRunningScene", lua_cocos2dx_Director_getRunningScene),
    luabind::Method("getScheduler", lua_cocos2dx_Director_getScheduler),
};
constexpr luabind::Member kScheduler[] = {
    luabind::Method("scheduleScriptFunc", lua_cocos2dx_Scheduler_scheduleScriptFunc),
    luabind::Method("unscheduleScriptEntry", lua_cocos2dx_Scheduler_unscheduleScriptEntry),
};
constexpr luabind::Member kSprite[] = {
    luabind::Method("create", lua_cocos2dx_Sprite_create),
    luabind::Method("createWithSpriteFrameName", lua_cocos2dx_Sprite_createWithSpriteFrameName),
};
constexpr luabind::Member kLabel[] = {
    luabind::Method("createWithSystemFont", lua_cocos2dx_Label_createWithSystemFont),
    luabind::Method("setString", lua_cocos2dx_Label_setString),
    luabind::Method("getString", lua_cocos2dx_Label_getString),
};

}  // namespace

int lua_module_register(lua_State* L) {
  static const luabind::Class classes[] = {
      luabind::EngineClass<Ref>("Ref", "cc.Ref", "", kRef),
      luabind::EngineClass<Node>("Node", "cc.Node", "cc.Ref", kNode),
      luabind::EngineClass<Layer>("Layer", "cc.Layer", "cc.Node", kLayer),
      luabind::EngineClass<Scene>("Scene", "cc.Scene", "cc.Node", kScene),
      luabind::EngineClass<Sprite>("Sprite", "cc.Sprite", "cc.Node", kSprite),
      luabind::EngineClass<Label>("Label", "cc.Label", "cc.Node", kLabel),
      {"Director", "cc.Director", "", nullptr, nullptr, kDirector},
      luabind::EngineClass<Scheduler>("Scheduler", "cc.Scheduler", "cc.Ref", kScheduler),
  };
  lua_pushvalue(L, LUA_GLOBALSINDEX);
  luabind::RegisterModule(L, "cc", classes);
  lua_pop(L, 1);
  return 1;
}

void lua_release_script_timers(lua_State* L) {
  auto state = Timers().find(L);
  if (state == Timers().end()) return;
  std::map<unsigned, ScriptTimer*> timers;
  timers.swap(state->second);
  Timers().erase(state);
  for (auto& [id, timer] : timers) {
    timer->scheduler->unschedule(kTimerKey, timer);
    timer->release();
  }
}
