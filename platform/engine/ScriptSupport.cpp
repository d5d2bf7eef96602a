#include "platform/engine/ScriptSupport.h"

namespace cocos2d {

namespace {
ScriptEngineManager* g_scriptManager = nullptr;
}

ScriptEngineManager* ScriptEngineManager::getInstance() {
  if (!g_scriptManager) g_scriptManager = new ScriptEngineManager();
  return g_scriptManager;
}

void ScriptEngineManager::destroyInstance() {
  delete g_scriptManager;
  g_scriptManager = nullptr;
}

void ScriptEngineManager::sendObjectDestroyed(Ref* object) {
  if (g_scriptManager && g_scriptManager->_engine) g_scriptManager->_engine->removeScriptObjectByObject(object);
}

}  // namespace cocos2d
