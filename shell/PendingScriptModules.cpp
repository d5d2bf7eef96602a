#include "shell/PendingScriptModules.h"

#include <tolua++.h>

namespace {
int DeclareEmptyModule(lua_State* L, const char* module) {
  tolua_open(L);
  tolua_module(L, module, 0);
  tolua_beginmodule(L, module);
  tolua_endmodule(L);
  return 1;
}
}  // namespace

int register_all_QorvDDZView(lua_State* L) { return DeclareEmptyModule(L, "QorvDDZView"); }
