// The Lua state: errors reported without ending the run, table getters, and
// styles read through them.

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cmath>
#include <iterator>
#include <lua.hpp>
#include <memory>

#include "sdk/CoreTestUtil.h"
#include "sdk/TPlatform.h"
#include "sdk/TReport.h"
#include "sdk/TScript.h"
#include "sdk/TWindowStyle.h"

namespace {

double GlobalNumber(TScript& script, const char* name) {
  lua_State* L = script.GetState();
  lua_getfield(L, LUA_GLOBALSINDEX, name);
  double v = lua_tonumber(L, -1);
  lua_pop(L, 1);
  return v;
}

struct ErrorCase {
  const char* label;
  bool file;           // RunScript when true, else DoLuaString
  const char* input;   // path or code
  const char* prefix;  // what the reported line starts with
};

const ErrorCase kErrorCases[] = {
    {"file syntax", true, "scripts/syntax_error.lua", "tolvane: scripts/syntax_error.lua:3:"},
    {"file runtime", true, "scripts/runtime_error.lua", "tolvane: scripts/runtime_error.lua:3:"},
    {"file missing", true, "scripts/no_such_script.lua", "tolvane: scripts/no_such_script.lua:"},
    {"string syntax", false, "x = = 1", "tolvane: lua:1:"},
    {"string runtime", false, "local t = nil\nreturn t.x", "tolvane: lua:2:"},
    {"error value not a string", false, "error({})", "tolvane: lua: error object is a table value"},
    {"multi-line message", false, "error('one\\ntwo')", "tolvane: lua:1: one two\n"},
};

}  // namespace

TEST(LuaScript, ErrorsAreReportedOnOneLineAndTheStateGoesOn) {
  TPlatform::SetContentRoot(CoreFixturesDir());
  TScript script;
  lua_State* L = script.GetState();
  for (const ErrorCase& c : kErrorCases) {
    SCOPED_TRACE(c.label);
    const int top = lua_gettop(L);
    const size_t before = ReportCount();
    testing::internal::CaptureStderr();
    bool ok = c.file ? script.RunScript(c.input) : script.DoLuaString(c.input);
    std::string err = testing::internal::GetCapturedStderr();
    EXPECT_FALSE(ok);
    EXPECT_EQ(ReportCount(), before + 1);
    EXPECT_EQ(err.rfind(c.prefix, 0), 0u) << err;
    EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), 1) << err;
    EXPECT_EQ(lua_gettop(L), top) << "the error value stays on the stack";
    // The state still works after the failure.
    EXPECT_TRUE(script.DoLuaString("after = (after or 0) + 1", 0));
  }
  EXPECT_EQ(GlobalNumber(script, "after"), double(std::size(kErrorCases)));
}

TEST(LuaScript, RunScriptAndResults) {
  TPlatform::SetContentRoot(CoreFixturesDir());
  TScript script;
  lua_State* L = script.GetState();
  const int top = lua_gettop(L);
  ASSERT_TRUE(script.RunScript("scripts/globals.lua"));
  lua_getfield(L, LUA_GLOBALSINDEX, "greeting");
  EXPECT_STREQ(lua_tostring(L, -1), "hello from a script");
  lua_pop(L, 1);
  ASSERT_TRUE(script.DoLuaString("return 1, 'two'", -1));
  ASSERT_EQ(lua_gettop(L), top + 2);
  EXPECT_STREQ(lua_tostring(L, -1), "two");
  lua_settop(L, top);
  ASSERT_TRUE(script.DoLuaString("return 1, 2, 3", 1));
  EXPECT_EQ(lua_gettop(L), top + 1);
  lua_settop(L, top);

  script.DoLuaString("function bump() bumped = (bumped or 0) + 1 end notafunction = 3");
  EXPECT_TRUE(script.CallGlobal("bump"));
  EXPECT_FALSE(script.CallGlobal("notafunction"));
  EXPECT_FALSE(script.CallGlobal("nothing"));
  EXPECT_EQ(GlobalNumber(script, "bumped"), 1);
  EXPECT_TRUE(script.IsGlobalNil("nothing"));
  EXPECT_FALSE(script.IsGlobalNil("bumped"));
  EXPECT_EQ(lua_gettop(L), top);
}

TEST(LuaTable, GettersConvertAsLuaDoesAndFallBackToDefaults) {
  TScript script;
  ASSERT_TRUE(script.DoLuaString(
      "t = { 'first', 5, name = 'lamp', n = 3.7, neg = -2.9, s = ' 12 ', hex = '0x10', word = 'x',"
      "      big = 1e20, yes = true, no = false, one = 1, zero = 0, str = 'false',"
      "      sub = {10, 20, 30}, f = function() called = true end }"
      "notatable = 4"));
  TLuaTableRef t = script.GetGlobalTable("t");
  ASSERT_TRUE(t);
  EXPECT_FALSE(script.GetGlobalTable("notatable"));
  EXPECT_FALSE(script.GetGlobalTable("missing"));

  EXPECT_EQ(t->GetSize(), 2);
  EXPECT_EQ(t->GetString(1), "first");
  EXPECT_EQ(t->GetString(2), "5");
  EXPECT_EQ(t->GetNumber(2), 5);
  EXPECT_EQ(t->GetString(3, "none"), "none");

  EXPECT_TRUE(t->Has("name"));
  EXPECT_FALSE(t->Has("missing"));
  EXPECT_EQ(t->GetString("name"), "lamp");
  EXPECT_EQ(t->GetString("n"), "3.7");
  EXPECT_EQ(t->GetString("sub", "d"), "d");
  EXPECT_EQ(t->GetString("yes", "d"), "d");
  EXPECT_EQ(t->GetString("missing", "d"), "d");

  EXPECT_DOUBLE_EQ(t->GetNumber("n"), 3.7);
  EXPECT_EQ(t->GetNumber("s"), 12);
  EXPECT_EQ(t->GetNumber("hex"), 16);
  EXPECT_EQ(t->GetNumber("word", 7), 7);
  EXPECT_EQ(t->GetNumber("yes", 7), 7);

  EXPECT_EQ(t->GetInt("n"), 3);
  EXPECT_EQ(t->GetInt("neg"), -2);
  EXPECT_EQ(t->GetInt("s"), 12);
  EXPECT_EQ(t->GetInt("big"), INT_MAX);
  EXPECT_EQ(t->GetInt("word", -1), -1);

  struct BoolCase {
    const char* key;
    bool def, expected;
  };
  for (const BoolCase& c :
       {BoolCase{"missing", true, true}, BoolCase{"missing", false, false}, BoolCase{"yes", false, true},
        BoolCase{"no", true, false}, BoolCase{"one", false, true}, BoolCase{"zero", true, false},
        BoolCase{"str", false, true}}) {
    EXPECT_EQ(t->GetBool(c.key, c.def), c.expected) << c.key << " default " << c.def;
  }

  TLuaTableRef sub = t->GetTable("sub");
  ASSERT_TRUE(sub);
  EXPECT_EQ(sub->GetSize(), 3);
  EXPECT_EQ(sub->GetNumber(3), 30);
  EXPECT_FALSE(t->GetTable("name"));
  EXPECT_FALSE(t->GetTable(1));

  EXPECT_TRUE(t->IsFunction("f"));
  EXPECT_FALSE(t->IsFunction("name"));
  EXPECT_TRUE(t->CallFunction("f"));
  EXPECT_FALSE(script.IsGlobalNil("called"));
  EXPECT_FALSE(t->CallFunction("name"));
}

TEST(LuaTable, MetatablesAreHonouredAndAFailingIndexIsReported) {
  TScript script;
  ASSERT_TRUE(
      script.DoLuaString("base = { size = 20, font = 'serif' }"
                         "derived = setmetatable({ font = 'sans' }, { __index = base })"
                         "broken = setmetatable({}, { __index = function() error('no such key') end })"));
  TLuaTableRef derived = script.GetGlobalTable("derived");
  EXPECT_EQ(derived->GetInt("size"), 20);
  EXPECT_EQ(derived->GetString("font"), "sans");

  TLuaTableRef broken = script.GetGlobalTable("broken");
  const int top = lua_gettop(script.GetState());
  const size_t before = ReportCount();
  testing::internal::CaptureStderr();
  EXPECT_EQ(broken->GetString("anything", "d"), "d");
  testing::internal::GetCapturedStderr();
  EXPECT_EQ(ReportCount(), before + 1);
  EXPECT_EQ(lua_gettop(script.GetState()), top);

  // Globals guarded by a "strict" metatable: asking for an unknown one is
  // reported, never the end of the game.
  ASSERT_TRUE(
      script.DoLuaString("setmetatable(_G, { __index = function(_, k) error('undeclared ' .. k) end })"));
  testing::internal::CaptureStderr();
  EXPECT_TRUE(script.IsGlobalNil("nope"));
  EXPECT_FALSE(script.GetGlobalTable("nope"));
  EXPECT_FALSE(script.CallGlobal("nope"));
  testing::internal::GetCapturedStderr();
  EXPECT_EQ(ReportCount(), before + 4);
  EXPECT_TRUE(script.GetGlobalTable("base"));
  EXPECT_EQ(lua_gettop(script.GetState()), top);
}

TEST(LuaTable, AReferenceMayOutliveItsScript) {
  auto script = std::make_unique<TScript>();
  script->DoLuaString("kept = { a = 1 }");
  TLuaTableRef kept = script->GetGlobalTable("kept");
  TLuaRef ref;
  kept->Push();
  ref.Set(script->GetState(), -1);
  lua_pop(script->GetState(), 1);
  EXPECT_TRUE(ref.IsSet());
  script.reset();
  EXPECT_FALSE(ref.IsSet());
  EXPECT_EQ(kept->GetInt("a", -1), -1);
  EXPECT_EQ(kept->GetSize(), 0);
  // Destroying kept and ref here must not touch the closed state.
}

TEST(WindowStyle, GettersAndColours) {
  TWindowStyle empty;
  EXPECT_FALSE(empty.Has("x"));
  EXPECT_EQ(empty.GetString("font", "serif"), "serif");
  EXPECT_EQ(empty.GetInt("size", 12), 12);
  EXPECT_EQ(empty.GetFloat("alpha", 0.5f), 0.5f);
  EXPECT_TRUE(empty.GetBool("wrap", true));
  EXPECT_FALSE(empty.GetTable("pos_anim"));
  EXPECT_EQ(empty.GetColor("color", TColor32(0xFF010203)).argb, 0xFF010203u);

  TScript script;
  script.DoLuaString(
      "s = { size = 14, alpha = 0.25, pos_anim = {{1, 2}, {3, 4}},"
      "      c1 = 0x80FF0000, c2 = {0, 128, 255}, c3 = {300, -5, 1.5, 64}, c4 = {1, 2}, c5 = 'red',"
      "      c6 = -1 }");
  TWindowStyle style(script.GetGlobalTable("s"));
  EXPECT_EQ(style.GetInt("size"), 14);
  EXPECT_FLOAT_EQ(style.GetFloat("alpha"), 0.25f);
  TLuaTableRef anim = style.GetTable("pos_anim");
  ASSERT_TRUE(anim);
  EXPECT_EQ(anim->GetTable(2)->GetNumber(1), 3);

  const TColor32 def(0xFF111111);
  struct ColourCase {
    const char* key;
    uint32_t expected;
  };
  for (const ColourCase& c :
       {ColourCase{"c1", 0x80FF0000u}, ColourCase{"c2", 0xFF0080FFu}, ColourCase{"c3", 0x40FF0001u},
        ColourCase{"c4", def.argb}, ColourCase{"c5", def.argb}, ColourCase{"c6", def.argb},
        ColourCase{"missing", def.argb}}) {
    EXPECT_EQ(style.GetColor(c.key, def).argb, c.expected) << c.key;
  }
}
