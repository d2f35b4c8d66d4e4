#include "LuaBinding.h"

#include <cstring>

#include "sdk/TScript.h"
#include "sdk/TWindowManager.h"

extern "C" {
#include <lua.h>
}

namespace {
// Registry key of the metatable that marks our records, so a global that a
// script replaced with its own function or userdata is never read as one.
const char* const kRecordMarker = "tolvane.bound_member";

void PushMarker(lua_State* L) {
  lua_getfield(L, LUA_REGISTRYINDEX, kRecordMarker);
  if (lua_isnil(L, -1)) {
    lua_pop(L, 1);
    lua_newtable(L);
    lua_pushvalue(L, -1);
    lua_setfield(L, LUA_REGISTRYINDEX, kRecordMarker);
  }
}
}  // namespace

namespace LuaBinding {

lua_State* GetState() {
  TScript* script = TWindowManager::GetInstance()->GetScript();
  return script ? script->GetState() : nullptr;
}

void Bind(const str& name, Closure closure, const void* record, size_t size) {
  lua_State* L = GetState();
  if (!L) return;
  lua_pushstring(L, name.c_str());
  void* ud = lua_newuserdata(L, size);
  std::memcpy(ud, record, size);
  PushMarker(L);
  lua_setmetatable(L, -2);
  lua_pushcclosure(L, closure, 1);
  // Raw: a metatable on the globals must not raise an error here, outside
  // any protected call.
  lua_rawset(L, LUA_GLOBALSINDEX);
}

void Unbind(const str& name) {
  lua_State* L = GetState();
  if (!L) return;
  lua_pushstring(L, name.c_str());
  lua_pushnil(L);
  lua_rawset(L, LUA_GLOBALSINDEX);
}

const void* BoundObject(const str& name) {
  lua_State* L = GetState();
  if (!L) return nullptr;
  int top = lua_gettop(L);
  const void* object = nullptr;
  lua_pushstring(L, name.c_str());
  lua_rawget(L, LUA_GLOBALSINDEX);
  if (lua_iscfunction(L, -1) && lua_getupvalue(L, -1, 1)) {
    if (lua_type(L, -1) == LUA_TUSERDATA && lua_getmetatable(L, -1)) {
      PushMarker(L);
      if (lua_rawequal(L, -1, -2)) object = *static_cast<void* const*>(lua_touserdata(L, -3));
    }
  }
  lua_settop(L, top);
  return object;
}

const void* Upvalue(lua_State* L) {
  return lua_touserdata(L, lua_upvalueindex(1));
}

int ToInt(lua_State* L, int index) {
  // lua_tonumber gives 0 for a missing or non-numeric argument; the cast
  // truncates toward zero.
  double d = lua_tonumber(L, index);
  if (!(d > -2147483648.0 && d < 2147483648.0)) return d > 0 ? 2147483647 : (d < 0 ? -2147483647 - 1 : 0);
  return int(d);
}

double ToNumber(lua_State* L, int index) {
  return lua_tonumber(L, index);
}

bool ToBool(lua_State* L, int index) {
  return lua_toboolean(L, index) != 0;
}

str ToStr(lua_State* L, int index) {
  size_t len = 0;
  const char* s = lua_tolstring(L, index, &len);
  return s ? str(s, len) : str();
}

void PushNumber(lua_State* L, double v) {
  lua_pushnumber(L, v);
}
void PushBool(lua_State* L, bool v) {
  lua_pushboolean(L, v ? 1 : 0);
}
void PushStr(lua_State* L, const str& v) {
  lua_pushlstring(L, v.data(), v.size());
}
int GetTop(lua_State* L) {
  return lua_gettop(L);
}
void SetTop(lua_State* L, int top) {
  lua_settop(L, top);
}

}  // namespace LuaBinding

void UnbindLuaMember(const str& name) {
  LuaBinding::Unbind(name);
}

void UnbindLuaMember(const str& name, const void* object) {
  if (LuaBinding::BoundObject(name) == object) LuaBinding::Unbind(name);
}

void LuaNameSet::UnbindAll() {
  for (const str& name : mNames) UnbindLuaMember(name, mOwner);
  mNames.clear();
}
