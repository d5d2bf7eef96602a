// The engine's seam to a script engine: the Lua side registers itself here and
// hears when an object it knows is destroyed.
#pragma once

namespace cocos2d {

class Ref;

class ScriptEngineProtocol {
 public:
  virtual ~ScriptEngineProtocol() = default;
  // Called from Ref's destructor for objects that were pushed to the script side.
  virtual void removeScriptObjectByObject(Ref* object) = 0;
};

class ScriptEngineManager {
 public:
  static ScriptEngineManager* getInstance();
  static void destroyInstance();
  // The manager does not own the engine.
  void setScriptEngine(ScriptEngineProtocol* engine) { _engine = engine; }
  ScriptEngineProtocol* getScriptEngine() const { return _engine; }
  void removeScriptEngine() { _engine = nullptr; }
  static void sendObjectDestroyed(Ref* object);

 private:
  ScriptEngineProtocol* _engine = nullptr;
};

}  // namespace cocos2d
