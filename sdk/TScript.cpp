#include "TScript.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <lua.hpp>
#include <new>
#include <sstream>

#include "TLuaApi.h"
#include "TPlatform.h"
#include "TReport.h"

namespace {

// Registry key under which a state remembers the TScript that owns it.
char kOwnerKey;
// Instructions between two looks at the budget.
const int kBudgetSlice = 1000;

// Reports the error value on the stack top as one line and pops it.
void ReportError(lua_State* L, int status, const str& where) {
  str message;
  TScript* owner = TScript::FromState(L);
  if (status == LUA_ERRMEM && owner && owner->GetMemoryLimit() > 0) {
    message = str::format("%s: asked for more than its %d MiB of memory", where.c_str(),
                          int(owner->GetMemoryLimit() >> 20));
  } else if (status == LUA_ERRMEM) {
    message = where + ": not enough memory";
  } else if (lua_type(L, -1) == LUA_TSTRING) {
    // Lua's own messages already start with "file:line:".
    message = lua_tostring(L, -1);
  } else {
    message = where + ": error object is a " + luaL_typename(L, -1) + " value";
  }
  lua_pop(L, 1);
  message.replace_all("\r", " ");
  message.replace_all("\n", " ");
  Report("%s", message.c_str());
}

// What luaL_newstate installs: an error outside any protected call ends
// the process; it says why first.
int Panic(lua_State* L) {
  Report("unprotected Lua error: %s", lua_isstring(L, -1) ? lua_tostring(L, -1) : "?");
  return 0;
}

// Runs in protected mode so that a failing __index reports instead of
// reaching Lua's panic handler, which would end the process.
int GetTableProtected(lua_State* L) {
  lua_gettable(L, 1);
  return 1;
}

// Pushes t[k] where t is at absolute index `t` and k is on the stack top
// (popped). Tables without a metatable are read raw, which cannot fail.
void GetSafe(lua_State* L, int t) {
  if (!lua_getmetatable(L, t)) {
    lua_rawget(L, t);
    return;
  }
  lua_pop(L, 1);
  lua_pushcfunction(L, GetTableProtected);
  lua_pushvalue(L, t);
  lua_pushvalue(L, -3);  // the key
  if (!TScript::ProtectedCall(L, 2, 1, "table lookup")) lua_pushnil(L);
  lua_remove(L, -2);  // the key
}

// Pushes the global `name`; a failing __index on the globals (a "strict"
// module that rejects unknown names) reports and pushes nil.
void PushGlobal(lua_State* L, const str& name) {
  lua_pushvalue(L, LUA_GLOBALSINDEX);
  int t = lua_gettop(L);
  lua_pushlstring(L, name.data(), name.size());
  GetSafe(L, t);
  lua_remove(L, t);
}

int ClampToInt(double d, int def) {
  if (std::isnan(d)) return def;
  if (d >= double(INT_MAX)) return INT_MAX;
  if (d <= double(INT_MIN)) return INT_MIN;
  return int(d);  // truncates toward zero
}

}  // namespace

TScript::TScript() : mState(luaL_newstate()), mAlive(std::make_shared<int>(0)) {
  Open();
}

TScript::TScript(size_t memoryLimit)
    : mState(nullptr), mAlive(std::make_shared<int>(0)), mMemoryLimit(memoryLimit) {
  mState = lua_newstate(&TScript::Allocate, this);
  if (!mState) throw std::bad_alloc();
  lua_atpanic(mState, &Panic);
  Open();
}

void* TScript::Allocate(void* ud, void* block, size_t oldSize, size_t newSize) {
  TScript* self = static_cast<TScript*>(ud);
  // Lua 5.1 gives a size of 0 with a null block.
  if (newSize == 0) {
    free(block);
    self->mMemoryUsed -= oldSize;
    return nullptr;
  }
  // Only growth inside a call is refused: shrinking must never fail, and a
  // refusal outside any call would reach the panic handler.
  if (newSize > oldSize && self->mMemoryLimit > 0 && self->mCallDepth > 0 &&
      newSize - oldSize > self->mMemoryLimit - std::min(self->mMemoryUsed, self->mMemoryLimit)) {
    self->mMemoryExceeded = true;
    return nullptr;
  }
  void* grown = realloc(block, newSize);
  if (!grown) return nullptr;
  self->mMemoryUsed = self->mMemoryUsed - oldSize + newSize;
  return grown;
}

bool TScript::TakeMemoryExceeded() {
  const bool exceeded = mMemoryExceeded;
  mMemoryExceeded = false;
  return exceeded;
}

void TScript::Open() {
  luaL_openlibs(mState);
  lua_pushlightuserdata(mState, &kOwnerKey);
  lua_pushlightuserdata(mState, this);
  lua_rawset(mState, LUA_REGISTRYINDEX);
  RegisterLuaApi(*this);
}

TScript::~TScript() {
  mAlive.reset();
  // Closing runs whatever finalizers the scripts left: bounded as well.
  if (mBudget > 0) ArmBudget(mState);
  lua_close(mState);
}

TScript* TScript::FromState(lua_State* L) {
  if (!L) return nullptr;
  lua_pushlightuserdata(L, &kOwnerKey);
  lua_rawget(L, LUA_REGISTRYINDEX);
  TScript* owner = static_cast<TScript*>(lua_touserdata(L, -1));
  lua_pop(L, 1);
  return owner;
}

void TScript::ArmBudget(lua_State* L) {
  mSpent = 0;
  lua_sethook(L, &TScript::BudgetHook, LUA_MASKCOUNT, kBudgetSlice);
}

void TScript::BudgetHook(lua_State* L, lua_Debug*) {
  TScript* owner = FromState(L);
  if (!owner || owner->mBudget <= 0) return;
  owner->mSpent += kBudgetSlice;
  if (owner->mSpent <= owner->mBudget) return;
  owner->mBudgetExceeded = true;
  // From here every instruction raises, so that a script's own pcall cannot
  // catch the error and carry on: the instruction after it raises again.
  lua_sethook(L, &TScript::BudgetHook, LUA_MASKCOUNT, 1);
  luaL_where(L, 0);
  lua_pushfstring(L, "stopped after more than %d Lua instructions in one call", int(owner->mBudget));
  lua_concat(L, 2);
  lua_error(L);
}

bool TScript::TakeBudgetExceeded() {
  const bool exceeded = mBudgetExceeded;
  mBudgetExceeded = false;
  return exceeded;
}

int TScript::CallWithinBudget(lua_State* L, int nargs, int nresults) {
  TScript* owner = FromState(L);
  if (!owner || owner->mBudget <= 0) return lua_pcall(L, nargs, nresults, 0);
  // Only the outermost call starts the count: a script that calls back into
  // C++, which calls into the script again, must not renew its budget.
  const bool outer = owner->mCallDepth++ == 0;
  if (outer) owner->ArmBudget(L);
  const int status = lua_pcall(L, nargs, nresults, 0);
  if (--owner->mCallDepth == 0) lua_sethook(L, nullptr, 0, 0);
  return status;
}

bool TScript::ProtectedCall(lua_State* L, int nargs, int nresults, const str& where) {
  int status = CallWithinBudget(L, nargs, nresults);
  if (status == 0) return true;
  ReportError(L, status, where);
  return false;
}

bool TScript::PCall(int nargs, int nresults, const str& where) {
  return ProtectedCall(mState, nargs, nresults, where);
}

bool TScript::RunScript(const str& path) {
  return LoadFile(path) && PCall(0, 0, path);
}

bool TScript::LoadFile(const str& path) {
  std::ifstream in(TPlatform::ResolvePath(path).c_str(), std::ios::binary);
  if (!in) {
    Report("%s: cannot open script", path.c_str());
    return false;
  }
  std::ostringstream text;
  text << in.rdbuf();
  const std::string code = text.str();
  // "@" makes Lua name the chunk by its path in messages.
  const str chunk = "@" + path;
  int status = luaL_loadbuffer(mState, code.data(), code.size(), chunk.c_str());
  if (status != 0) {
    ReportError(mState, status, path);
    return false;
  }
  return true;
}

bool TScript::DoLuaString(const str& code, int results, int /*errfunc*/) {
  int status = luaL_loadbuffer(mState, code.data(), code.size(), "=lua");
  if (status != 0) {
    ReportError(mState, status, "lua");
    return false;
  }
  return PCall(0, results < 0 ? LUA_MULTRET : results, "lua");
}

TLuaTableRef TScript::GetGlobalTable(const str& name) {
  PushGlobal(mState, name);
  TLuaTableRef table;
  if (lua_istable(mState, -1)) table.reset(new TLuaTable(mState, -1));
  lua_pop(mState, 1);
  return table;
}

bool TScript::CallGlobal(const str& name) {
  PushGlobal(mState, name);
  if (!lua_isfunction(mState, -1)) {
    lua_pop(mState, 1);
    return false;
  }
  return PCall(0, 0, name);
}

bool TScript::IsGlobalNil(const str& name) {
  PushGlobal(mState, name);
  bool isNil = lua_isnil(mState, -1);
  lua_pop(mState, 1);
  return isNil;
}

// --- TLuaRef

void TLuaRef::Set(lua_State* L, int stackIndex) {
  lua_pushvalue(L, stackIndex);  // before Reset: the index may be relative
  Reset();
  if (lua_isnil(L, -1)) {
    lua_pop(L, 1);
    return;
  }
  mState = L;
  mRef = luaL_ref(L, LUA_REGISTRYINDEX);
  TScript* owner = TScript::FromState(L);
  mOwnedByScript = owner != nullptr;
  if (owner) mAlive = owner->mAlive;
}

void TLuaRef::Reset() {
  if (IsSet()) luaL_unref(mState, LUA_REGISTRYINDEX, mRef);
  mState = nullptr;
  mRef = LUA_NOREF;
  mAlive.reset();
  mOwnedByScript = false;
}

bool TLuaRef::IsSet() const {
  if (!mState || mRef == LUA_NOREF || mRef == LUA_REFNIL) return false;
  return !mOwnedByScript || !mAlive.expired();
}

bool TLuaRef::Push() const {
  if (!IsSet()) return false;
  lua_rawgeti(mState, LUA_REGISTRYINDEX, mRef);
  return true;
}

// --- TLuaTable

TLuaTable::TLuaTable(lua_State* L, int stackIndex) : mState(L), mValue(L, stackIndex) {
  mRef = mValue.GetRef();
}

TLuaTable::~TLuaTable() = default;

void TLuaTable::Push() const {
  if (!mValue.Push()) lua_pushnil(mState);
}

bool TLuaTable::PushTableOrNil() const {
  if (!mValue.Push()) {
    lua_pushnil(mState);
    return false;
  }
  if (!lua_istable(mState, -1)) {
    lua_pop(mState, 1);
    lua_pushnil(mState);
    return false;
  }
  return true;
}

void TLuaTable::PushField(const str& key) const {
  if (!PushTableOrNil()) return;
  int t = lua_gettop(mState);
  lua_pushlstring(mState, key.data(), key.size());
  GetSafe(mState, t);
  lua_remove(mState, t);
}

void TLuaTable::PushIndex(int index) const {
  if (!PushTableOrNil()) return;
  int t = lua_gettop(mState);
  lua_pushinteger(mState, index);
  GetSafe(mState, t);
  lua_remove(mState, t);
}

int TLuaTable::GetSize() const {
  if (!mValue.Push()) return 0;
  int n = lua_istable(mState, -1) ? int(lua_objlen(mState, -1)) : 0;
  lua_pop(mState, 1);
  return n;
}

bool TLuaTable::Has(const str& key) const {
  if (!mValue.IsSet()) return false;
  PushField(key);
  bool has = !lua_isnil(mState, -1);
  lua_pop(mState, 1);
  return has;
}

namespace {

// Reads the value on the stack top and pops it.
str PopString(lua_State* L, const str& def) {
  str result = def;
  int type = lua_type(L, -1);
  if (type == LUA_TSTRING || type == LUA_TNUMBER) {
    size_t len = 0;
    // Converting a number in place is harmless: the value is our own copy.
    const char* s = lua_tolstring(L, -1, &len);
    result.assign(s, len);
  }
  lua_pop(L, 1);
  return result;
}

double PopNumber(lua_State* L, double def) {
  double result = lua_isnumber(L, -1) ? lua_tonumber(L, -1) : def;
  lua_pop(L, 1);
  return result;
}

}  // namespace

str TLuaTable::GetString(const str& key, const str& def) const {
  if (!mValue.IsSet()) return def;
  PushField(key);
  return PopString(mState, def);
}

double TLuaTable::GetNumber(const str& key, double def) const {
  if (!mValue.IsSet()) return def;
  PushField(key);
  return PopNumber(mState, def);
}

int TLuaTable::GetInt(const str& key, int def) const {
  if (!mValue.IsSet()) return def;
  PushField(key);
  if (!lua_isnumber(mState, -1)) {
    lua_pop(mState, 1);
    return def;
  }
  return ClampToInt(PopNumber(mState, 0), def);
}

bool TLuaTable::GetBool(const str& key, bool def) const {
  if (!mValue.IsSet()) return def;
  PushField(key);
  bool result;
  switch (lua_type(mState, -1)) {
    case LUA_TNIL:
      result = def;
      break;
    case LUA_TNUMBER:
      result = lua_tonumber(mState, -1) != 0;
      break;
    default:
      result = lua_toboolean(mState, -1) != 0;
      break;
  }
  lua_pop(mState, 1);
  return result;
}

TLuaTableRef TLuaTable::GetTable(const str& key) const {
  if (!mValue.IsSet()) return TLuaTableRef();
  PushField(key);
  TLuaTableRef table;
  if (lua_istable(mState, -1)) table.reset(new TLuaTable(mState, -1));
  lua_pop(mState, 1);
  return table;
}

str TLuaTable::GetString(int index, const str& def) const {
  if (!mValue.IsSet()) return def;
  PushIndex(index);
  return PopString(mState, def);
}

double TLuaTable::GetNumber(int index, double def) const {
  if (!mValue.IsSet()) return def;
  PushIndex(index);
  return PopNumber(mState, def);
}

TLuaTableRef TLuaTable::GetTable(int index) const {
  if (!mValue.IsSet()) return TLuaTableRef();
  PushIndex(index);
  TLuaTableRef table;
  if (lua_istable(mState, -1)) table.reset(new TLuaTable(mState, -1));
  lua_pop(mState, 1);
  return table;
}

bool TLuaTable::IsFunction(const str& key) const {
  if (!mValue.IsSet()) return false;
  PushField(key);
  bool isFunction = lua_isfunction(mState, -1);
  lua_pop(mState, 1);
  return isFunction;
}

bool TLuaTable::CallFunction(const str& key) const {
  if (!mValue.IsSet()) return false;
  PushField(key);
  if (!lua_isfunction(mState, -1)) {
    lua_pop(mState, 1);
    return false;
  }
  return TScript::ProtectedCall(mState, 0, 0, key);
}
