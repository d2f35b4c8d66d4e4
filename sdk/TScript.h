#pragma once
// The game's Lua 5.1 state. Errors in scripts print file, line and message on
// stderr and never end the game.

#include <boost/shared_ptr.hpp>
#include <memory>

#include "str.h"

struct lua_State;
struct lua_Debug;
class TWindow;
class TLuaTable;
typedef boost::shared_ptr<TLuaTable> TLuaTableRef;

class TScript {
 public:
  TScript();
  ~TScript();
  // A state whose memory, inside calls into it, may not grow past `bytes`
  // (0: no limit). An allocation past it fails as Lua's out-of-memory error,
  // which ends the call; the game's own accesses between calls are never
  // refused, since nothing would catch the error there.
  explicit TScript(size_t memoryLimit);
  TScript(const TScript&) = delete;
  TScript& operator=(const TScript&) = delete;
  lua_State* GetState() const { return mState; }

  // Path relative to the content root. False when missing or failing.
  bool RunScript(const str& path);
  // Compiles the file and pushes the chunk without running it; false, with
  // one message and nothing pushed, when it is missing or does not compile.
  bool LoadFile(const str& path);
  // `results` is the count of results to leave on the stack (-1: all, as Lua's
  // LUA_MULTRET); `errfunc` is kept for callers' habit and unused. False on error.
  // Results left on the stack are the caller's to pop.
  bool DoLuaString(const str& code, int results = -1, int errfunc = 0);
  // The global of that name as a table, or null when it is not a table.
  TLuaTableRef GetGlobalTable(const str& name);
  // Calls a global function with no arguments; false when it is not a
  // function or it fails.
  bool CallGlobal(const str& name);
  bool IsGlobalNil(const str& name);

  // Runs a protected call of the function on the stack below `nargs`
  // arguments; reports errors. Used by the binding helpers.
  bool PCall(int nargs, int nresults, const str& where);
  // The same for any state. On failure the function and its arguments are
  // gone and nothing is pushed; `where` names the caller in messages that
  // carry no position of their own.
  static bool ProtectedCall(lua_State* L, int nargs, int nresults, const str& where);

  // The TScript that owns a state, or null for a state made elsewhere.
  static TScript* FromState(lua_State* L);

  // Bounds every call into this state, whoever makes it, to about
  // `instructions` Lua instructions: a call that runs longer is stopped with
  // an error. Calls made from inside a call share its budget. 0, the
  // default, leaves calls unbounded.
  void SetInstructionBudget(long instructions) { mBudget = instructions; }
  // Whether the budget stopped a call since the last time this was asked.
  bool TakeBudgetExceeded();
  // lua_pcall within the budget of the state's owner, when it has one. It
  // reports nothing: on failure the error is left on the stack.
  static int CallWithinBudget(lua_State* L, int nargs, int nresults);
  // Whether the memory limit refused an allocation since the last time this
  // was asked.
  bool TakeMemoryExceeded();
  size_t GetMemoryUsed() const { return mMemoryUsed; }
  size_t GetMemoryLimit() const { return mMemoryLimit; }

 private:
  static void BudgetHook(lua_State* L, lua_Debug* ar);
  static void* Allocate(void* self, void* block, size_t oldSize, size_t newSize);
  void Open();
  void ArmBudget(lua_State* L);

  lua_State* mState;
  long mBudget = 0;
  long mSpent = 0;
  int mCallDepth = 0;  // protected calls under way, nested ones included
  bool mBudgetExceeded = false;
  // Expires when the state closes, so references into it that outlive it
  // are dropped instead of touching freed memory.
  std::shared_ptr<int> mAlive;
  size_t mMemoryUsed = 0;
  size_t mMemoryLimit = 0;
  bool mMemoryExceeded = false;
  friend class TLuaRef;
};

// One value kept in a state's registry for as long as this object lives.
// Destroying it after its TScript has gone is safe.
class TLuaRef {
 public:
  TLuaRef() = default;
  TLuaRef(lua_State* L, int stackIndex) { Set(L, stackIndex); }
  ~TLuaRef() { Reset(); }
  TLuaRef(const TLuaRef&) = delete;
  TLuaRef& operator=(const TLuaRef&) = delete;

  // Keeps the value at `stackIndex`; nil keeps nothing.
  void Set(lua_State* L, int stackIndex);
  void Reset();
  // Holds a value and its state is still open.
  bool IsSet() const;
  // Pushes the value; false, and nothing pushed, when unset.
  bool Push() const;
  lua_State* GetState() const { return mState; }
  int GetRef() const { return mRef; }

 private:
  lua_State* mState = nullptr;
  int mRef = -2;  // LUA_NOREF
  std::weak_ptr<int> mAlive;
  bool mOwnedByScript = false;  // the state belongs to a TScript and may close first
};

// A reference to a Lua table (kept in the registry while this object lives).
class TLuaTable {
 public:
  TLuaTable(lua_State* L, int stackIndex);
  ~TLuaTable();
  TLuaTable(const TLuaTable&) = delete;
  TLuaTable& operator=(const TLuaTable&) = delete;
  lua_State* GetState() const { return mState; }
  void Push() const;  // pushes the table (nil once its state has closed)

  int GetSize() const;  // the array part, as Lua's # operator
  bool Has(const str& key) const;
  // Strings and numbers; anything else gives the default.
  str GetString(const str& key, const str& def = str()) const;
  // Numbers and strings that Lua would convert to a number.
  double GetNumber(const str& key, double def = 0) const;
  // GetNumber truncated toward zero and held inside the int range.
  int GetInt(const str& key, int def = 0) const;
  // nil gives the default; false is false; a number is true when non-zero;
  // any other value is true, as Lua tests it.
  bool GetBool(const str& key, bool def = false) const;
  TLuaTableRef GetTable(const str& key) const;
  str GetString(int index, const str& def = str()) const;  // 1-based
  double GetNumber(int index, double def = 0) const;
  TLuaTableRef GetTable(int index) const;
  bool IsFunction(const str& key) const;
  // Calls the function stored under `key` with no arguments.
  bool CallFunction(const str& key) const;

  // Pushes the value under a key or index; a failing __index pushes nil.
  // Used by readers that need a type this class does not convert.
  void PushField(const str& key) const;
  void PushIndex(int index) const;

 private:
  // Pushes the table itself, or nil (false) when it is gone or not a table.
  bool PushTableOrNil() const;

  lua_State* mState;
  int mRef;
  TLuaRef mValue;
};
