// Global Lua names bound to members: every closure shape, argument
// conversion, who wins a name, and unbinding when an owner dies.

#include <gtest/gtest.h>

#include <lua.hpp>

#include "game/LuaBinding.h"
#include "sdk/TRandom.h"
#include "sdk/TScript.h"
#include "sdk/TWindowManager.h"

namespace {

lua_State* L() {
  return TWindowManager::GetInstance()->GetScript()->GetState();
}

// Runs `code` (an expression) and gives its value as text, "nil" for nil.
std::string Eval(const std::string& expr) {
  lua_State* s = L();
  int top = lua_gettop(s);
  std::string out = "error";
  if (luaL_loadstring(s, ("return " + expr).c_str()) == 0 && lua_pcall(s, 0, 1, 0) == 0) {
    if (lua_isnil(s, -1))
      out = "nil";
    else if (lua_isboolean(s, -1))
      out = lua_toboolean(s, -1) ? "true" : "false";
    else if (const char* t = lua_tostring(s, -1))
      out = t;
  }
  lua_settop(s, top);
  return out;
}

struct Target {
  int calls = 0;
  int lastInt = -99;
  std::string lastStr = "unset";
  void Ping() { ++calls; }
  bool Flag() { return true; }
  void TakeInt(int v) { lastInt = v; }
  int Count() { return 42; }
  void TakeStr(const str& s) { lastStr = s; }
  bool IsAnn(const str& s) { return s == "Ann"; }
  int Add(int a, int b) { return a * 100 + b; }
  str Name() const { return "target"; }
};

}  // namespace

TEST(LuaBinding, EveryShapeReadsItsArgumentsAndReturnsItsResult) {
  Target t;
  BindLuaMember("t_ping", &t, &Target::Ping);
  BindLuaMember("t_flag", &t, &Target::Flag);
  BindLuaMember("t_int", &t, &Target::TakeInt);
  BindLuaMember("t_count", &t, &Target::Count);
  BindLuaMember("t_str", &t, &Target::TakeStr);
  BindLuaMember("t_isann", &t, &Target::IsAnn);
  BindLuaMember("t_add", &t, &Target::Add);
  BindLuaMember("t_name", &t, &Target::Name);

  EXPECT_EQ(Eval("t_ping()"), "nil");
  EXPECT_EQ(t.calls, 1);
  EXPECT_EQ(Eval("t_flag()"), "true");
  EXPECT_EQ(Eval("t_count()"), "42");
  EXPECT_EQ(Eval("t_isann('Ann')"), "true");
  EXPECT_EQ(Eval("t_isann('ann')"), "false");
  EXPECT_EQ(Eval("t_add(1.9, 6.9)"), "106");  // truncated toward zero
  EXPECT_EQ(Eval("t_add(-1.9, 2)"), "-98");
  EXPECT_EQ(Eval("t_name()"), "target");

  struct Case {
    const char* call;
    int expected;
  } intCases[] = {{"t_int(7)", 7}, {"t_int(2.99)", 2}, {"t_int()", 0}, {"t_int('x')", 0}, {"t_int(3, 9)", 3}};
  for (const Case& c : intCases) {
    Eval(c.call);
    EXPECT_EQ(t.lastInt, c.expected) << c.call;
  }

  // A missing or non-string argument reads as "" rather than a null string.
  struct StrCase {
    const char* call;
    const char* expected;
  } strCases[] = {
      {"t_str('Bob')", "Bob"}, {"t_str()", ""}, {"t_str(nil)", ""}, {"t_str({})", ""}, {"t_str(12)", "12"}};
  for (const StrCase& c : strCases) {
    t.lastStr = "unset";
    Eval(c.call);
    EXPECT_EQ(t.lastStr, c.expected) << c.call;
  }
  EXPECT_EQ(Eval("t_isann()"), "false");

  for (const char* n : {"t_ping", "t_flag", "t_int", "t_count", "t_str", "t_isann", "t_add", "t_name"})
    UnbindLuaMember(n);
  EXPECT_EQ(Eval("t_ping"), "nil");
}

TEST(LuaBinding, LaterBinderWinsAndAnOwnerOnlyClearsItsOwnNames) {
  Target first, second;
  {
    LuaNameSet names(&first);
    names.Bind("shared_name", &first, &Target::Ping);
    names.Bind("own_name", &first, &Target::Ping);
    BindLuaMember("shared_name", &second, &Target::Ping);
    Eval("shared_name()");
    EXPECT_EQ(first.calls, 0);
    EXPECT_EQ(second.calls, 1);
    EXPECT_EQ(LuaBinding::BoundObject("shared_name"), &second);
  }
  // The first owner is gone: its own name is nil, the name the second object
  // took over still reaches the second object.
  EXPECT_EQ(Eval("own_name"), "nil");
  Eval("shared_name()");
  EXPECT_EQ(second.calls, 2);
  UnbindLuaMember("shared_name", &first);
  EXPECT_EQ(Eval("type(shared_name)"), "function");
  UnbindLuaMember("shared_name", &second);
  EXPECT_EQ(Eval("shared_name"), "nil");
}

TEST(LuaBinding, AScriptFunctionUnderTheNameIsNotTakenForABinding) {
  Target t;
  BindLuaMember("replaced", &t, &Target::Ping);
  Eval("(function() replaced = print end)()");
  EXPECT_EQ(LuaBinding::BoundObject("replaced"), nullptr);
  UnbindLuaMember("replaced", &t);  // not ours any more: left alone
  EXPECT_EQ(Eval("type(replaced)"), "function");
  UnbindLuaMember("replaced");
}

TEST(LuaBinding, RandomPassesTruncatedBoundsToItsGenerator) {
  TRandom bound(1234), reference(1234);
  BindLuaMember("random", &bound, &TRandom::RandRange);
  for (int i = 0; i < 20; ++i) {
    int got = std::stoi(Eval(i % 2 ? "random(1, 6)" : "random(1.9, 6.9)"));
    EXPECT_EQ(got, reference.RandRange(1, 6));
    EXPECT_GE(got, 1);
    EXPECT_LE(got, 6);
  }
  UnbindLuaMember("random", &bound);
  EXPECT_EQ(Eval("random"), "nil");
}

TEST(LuaBinding, AStrictGlobalsTableCannotMakeBindingRaise) {
  // Content may guard its globals; binding and unbinding happen outside any
  // protected call, where an error would end the process.
  Eval(
      "(function() setmetatable(_G, {__newindex = function() error('strict') end, "
      "__index = function() error('strict') end}) end)()");
  Target t;
  BindLuaMember("strict_name", &t, &Target::Ping);
  EXPECT_EQ(LuaBinding::BoundObject("strict_name"), &t);
  EXPECT_EQ(LuaBinding::BoundObject("never_bound"), nullptr);
  UnbindLuaMember("strict_name", &t);
  EXPECT_EQ(LuaBinding::BoundObject("strict_name"), nullptr);
  Eval("(function() setmetatable(_G, nil) end)()");
}
