#pragma once
// The game's Lua 5.1 state. Errors in scripts print file, line and message on
// stderr and never end the game.

#include <boost/shared_ptr.hpp>

#include "str.h"

struct lua_State;
class TWindow;
class TLuaTable;
typedef boost::shared_ptr<TLuaTable> TLuaTableRef;

class TScript {
public:
  TScript();
  ~TScript();
  lua_State* GetState() const { return mState; }

  // Path relative to the content root. False when missing or failing.
  bool RunScript(const str& path);
  // `results` is the count of results to leave on the stack (-1: all, as Lua's
  // LUA_MULTRET); `errfunc` is kept for callers' habit and unused. False on error.
  bool DoLuaString(const str& code, int results = -1, int errfunc = 0);
  // The global of that name as a table, or null when it is not a table.
  TLuaTableRef GetGlobalTable(const str& name);
  // Calls a global function with string arguments; false when it is not a
  // function or it fails.
  bool CallGlobal(const str& name);
  bool IsGlobalNil(const str& name);

  // Runs a protected call of the function on the stack below `nargs`
  // arguments; reports errors. Used by the binding helpers.
  bool PCall(int nargs, int nresults, const str& where);

private:
  lua_State* mState;
};

// A reference to a Lua table (kept in the registry while this object lives).
class TLuaTable {
public:
  TLuaTable(lua_State* L, int stackIndex);
  ~TLuaTable();
  lua_State* GetState() const { return mState; }
  void Push() const;  // pushes the table

  int GetSize() const;  // the array part, as Lua's # operator
  bool Has(const str& key) const;
  str GetString(const str& key, const str& def = str()) const;
  double GetNumber(const str& key, double def = 0) const;
  int GetInt(const str& key, int def = 0) const;
  bool GetBool(const str& key, bool def = false) const;
  TLuaTableRef GetTable(const str& key) const;
  str GetString(int index, const str& def = str()) const;  // 1-based
  double GetNumber(int index, double def = 0) const;
  TLuaTableRef GetTable(int index) const;
  bool IsFunction(const str& key) const;
  // Calls the function stored under `key` with no arguments.
  bool CallFunction(const str& key) const;

private:
  lua_State* mState;
  int mRef;
};
