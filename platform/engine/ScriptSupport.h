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
  // Drops a script function kept under a handler id.
  virtual void removeScriptHandler(int handler) = 0;
};

// A script function kept by the program under its handler id (0: none). The
// entry owns the handler: destroying the entry drops the function.
class ScriptHandlerEntry;

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
