// tolvane-play CONTENT_DIR SCENARIO.lua
//
// Boots the real game headless on a content tree, with a fresh preferences
// folder, and plays a scenario against it. The scenario is a Lua script run as
// a coroutine of the runner's own Lua state, never the game's: the game cannot
// see or disturb it. Whenever the platform runs out of events it asks the
// runner for a step; the runner resumes the scenario, which either queues
// input and yields (so the game's own main loop delivers it) or asks for
// ticks, which the runner performs one per step so that whatever a tick queues
// reaches the main loop before the next tick, exactly as in play.
//
// Adding a scenario function is one C function and one line in kFunctions.

#include <signal.h>
#include <stdlib.h>
#include <string.h>
#include <time.h>
#include <unistd.h>

#include <cctype>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <lua.hpp>
#include <string>
#include <vector>

#include "game/GFullScreenGameScene.h"
#include "game/GGameWnd.h"
#include "game/GMousePointer.h"
#include "game/GScene.h"
#include "game/GStartup.h"
#include "game/OFlagsRegistry.h"
#include "game/OGame.h"
#include "game/OGameConfig.h"
#include "game/OMousePointerManager.h"
#include "game/OSaveData.h"
#include "game/OSoundManager.h"
#include "game/OUsersManager.h"
#include "items/IItem.h"
#include "items/OItemFactory.h"
#include "items/OItemsManager.h"
#include "items/OItemsRegistry.h"
#include "rules/actions/OActionFactory.h"
#include "rules/events/OMission.h"
#include "rules/events/OMissionResults.h"
#include "rules/events/OMissionsManager.h"
#include "rules/questbook/GQuestBookControl.h"
#include "rules/questbook/OQuestBookItem.h"
#include "rules/questbook/OQuestBookPage.h"
#include "rules/timers/OIndicatorsManager.h"
#include "rules/timers/OInvisibilityOverlay.h"
#include "rules/timers/OTimerIndicator.h"
#include "rules/timers/OTimersManager.h"
#include "sdk/TEvent.h"
#include "sdk/TImage.h"
#include "sdk/TModalWindow.h"
#include "sdk/TPlatform.h"
#include "sdk/TPrefs.h"
#include "sdk/TRenderer.h"
#include "sdk/TReport.h"
#include "sdk/TScript.h"
#include "sdk/TSound.h"
#include "sdk/TStringTable.h"
#include "sdk/TText.h"
#include "sdk/TWindow.h"
#include "sdk/TWindowManager.h"
#include "sdk/TWindowStyle.h"
#include "sdk/TXmlNode.h"
#include "tools/GFrontItemHolder.h"
#include "tools/alchemy/OAlchemicalDeviceItem.h"
#include "tools/magic/GMagicButton.h"
#include "tools/magic/GMagicControl.h"
#include "tools/magic/OMagicRegistry.h"
#include "tools/panel/GGamePanel.h"
#include "tools/panel/GInventory.h"
#include "tools/panel/GInventoryCell.h"
#include "tools/travel/GNavigator.h"
#include "tools/travel/GTravelSelection.h"
#include "tools/vethra/GVethraGameScene.h"
#include "tools/vethra/GVethraGlobe.h"
#include "tools/vethra/GVethraGrid.h"
#include "tools/vethra/GVethraMap.h"
#include "tools/vethra/GVethraPotionEffectChooser.h"
#include "visual/GButton.h"
#include "visual/GInteractiveButton.h"
#include "visual/GVObject.h"
#include "visual/LuaUtils.h"
#include "visual/TFxSprite.h"

namespace fs = std::filesystem;

namespace {

// Seconds the game may take between two steps (or to start, or to shut down)
// before the run is declared hung. Generous: a debug build with sanitizers
// building a large scene still comes back within a second or two.
const unsigned kWatchdogSeconds = 60;
const uint32_t kTickMs = 16;

// Fails the scenario at the line it has reached, for faults found while the
// game runs rather than inside a scenario function.
void FailAtScenarioLine(const str& what);

// The game's globals are read and written inside protected calls: a content
// script may give _G an __index or __newindex that fails, and a Lua error
// raised outside a protected call would end the runner.
int GetGameGlobal(lua_State* G) {  // (name) -> value
  lua_settop(G, 1);
  lua_gettable(G, LUA_GLOBALSINDEX);
  return 1;
}

int SetGameGlobal(lua_State* G) {  // (name, value)
  lua_settop(G, 2);
  lua_settable(G, LUA_GLOBALSINDEX);
  return 0;
}

// The game's own tostring of its argument.
int GameToString(lua_State* G) {
  lua_getglobal(G, "tostring");
  lua_insert(G, 1);
  lua_call(G, lua_gettop(G) - 1, 1);
  return 1;
}

// Calls fn on the `nargs` values on top of G's stack inside a protected call.
// On failure the message is in *error and the arguments are gone.
bool CallInGame(lua_State* G, lua_CFunction fn, int nargs, int nresults, str* error) {
  lua_pushcfunction(G, fn);
  lua_insert(G, -nargs - 1);
  if (lua_pcall(G, nargs, nresults, 0) == 0) return true;
  *error = lua_isstring(G, -1) ? str(lua_tostring(G, -1)) : str("error object is not a string");
  lua_pop(G, 1);
  return false;
}

// A window that counts its 16 ms animation calls into a Lua global of the
// game's state named by its style key "counter". Scenarios use it to see
// whether a modal's clock moves. With the style key "log" it also takes the
// extended mouse events (right button, wheel) that reach it and appends their
// codes to that global, a string such as "4 5 1 0".
class TestTicker : public TWindow {
  TWINDOW_CLASS(TestTicker, TWindow)
 public:
  void Init(TWindowStyle& style) override {
    TWindow::Init(style);
    mCounter = style.GetString("counter", "ticker_count");
    mLog = style.GetString("log", "");
  }
  bool OnExtendedMouseEvent(const TPoint&, int code) override {
    if (mLog.empty()) return false;
    lua_State* G = TWindowManager::GetInstance()->GetScript()->GetState();
    str error;
    lua_pushstring(G, mLog.c_str());
    if (!CallInGame(G, GetGameGlobal, 1, 1, &error)) return Failed(error);
    str log = lua_isstring(G, -1) ? str(lua_tostring(G, -1)) : str();
    lua_pop(G, 1);
    log += str::format(log.empty() ? "%d" : " %d", code);
    lua_pushstring(G, mLog.c_str());
    lua_pushstring(G, log.c_str());
    if (!CallInGame(G, SetGameGlobal, 2, 0, &error)) return Failed(error);
    return true;
  }
  // Started on adoption rather than in Init: the animation runs on the clock
  // of the modal the window lives in, which is only known once it has a parent.
  void OnNewParent() override {
    TWindow::OnNewParent();
    if (!IsAnimating()) StartWindowAnimation(kTickMs);
  }
  bool OnTaskAnimate() override {
    lua_State* G = TWindowManager::GetInstance()->GetScript()->GetState();
    str error;
    lua_pushstring(G, mCounter.c_str());
    if (!CallInGame(G, GetGameGlobal, 1, 1, &error)) return Failed(error);
    lua_Number n = lua_tonumber(G, -1);
    lua_pop(G, 1);
    lua_pushstring(G, mCounter.c_str());
    lua_pushnumber(G, n + 1);
    if (!CallInGame(G, SetGameGlobal, 2, 0, &error)) return Failed(error);
    return true;
  }

 private:
  str mCounter;
  str mLog;

  bool Failed(const str& error) {
    FailAtScenarioLine(str::format("TestTicker \"%s\": %s", GetName().c_str(), error.c_str()));
    return false;
  }
};

class Runner;
Runner* gRunner = nullptr;

// The chunk name of the runner's own Lua helpers (tick_until, go's wait).
const char kPreludeName[] = "=tolvane-play";

// What a player cannot do: each reaches into the game past its screen. Once a
// scenario has called player_only() they fail at the line that calls them.
const char* const kNotAPlayers[] = {"go",  "give",        "set_flag", "set_save_document", "game_lua",
                                    "act", "show_effect", "autosave", "lose_textures"};

bool IsPlayersMeans(const char* name) {
  for (const char* other : kNotAPlayers)
    if (strcmp(other, name) == 0) return false;
  return true;
}

// Stands in for each of those: upvalue 1 is the function, 2 its name.
int NotAPlayersMeans(lua_State* L);

// Where the scenario stands ("file:line"), kept in a plain buffer so that the
// signal handlers below can print it without allocating.
char gWhere[256] = "tolvane-play";

void WriteWhere(const char* what) {
  char line[512];
  int n = snprintf(line, sizeof line, "%s: %s\n", gWhere, what);
  ssize_t ignored = write(STDERR_FILENO, line,
                          size_t(n < 0                  ? 0
                                 : n < int(sizeof line) ? n
                                                        : int(sizeof line) - 1));
  (void)ignored;
}

void OnWatchdog(int) {
  char what[128];
  snprintf(what, sizeof what, "the game did not answer within %u s", kWatchdogSeconds);
  WriteWhere(what);
  _exit(1);
}

void ArmWatchdog() {
  alarm(kWatchdogSeconds);
}

// A crash names the scenario line that led to it, then goes on to whatever
// handled the signal before (the default, or a sanitizer's report).
const int kCrashSignals[] = {SIGSEGV, SIGBUS, SIGFPE, SIGILL, SIGABRT};
struct sigaction gPreviousAction[sizeof kCrashSignals / sizeof kCrashSignals[0]];

void OnCrash(int sig, siginfo_t* info, void*) {
  char what[64];
  snprintf(what, sizeof what, "the game crashed (signal %d)", sig);
  WriteWhere(what);
  for (size_t i = 0; i < sizeof kCrashSignals / sizeof kCrashSignals[0]; ++i)
    if (kCrashSignals[i] == sig) sigaction(sig, &gPreviousAction[i], nullptr);
  // A fault repeats when the handler returns and then meets the previous
  // handler; a signal that was sent (abort, kill) has to be sent again.
  if (info->si_code <= 0) raise(sig);
}

// SIGTERM or SIGINT (timeout, Ctrl-C) ends the run at the next frame as a
// failure, so that the preferences folder is removed and the status says the
// scenario did not pass. A scenario busy in Lua between frames is stopped by
// a hook; a second signal ends the runner at once.
volatile sig_atomic_t gStopSignal = 0;
lua_State* gScenarioThread = nullptr;

void OnStopHook(lua_State* L, lua_Debug*) {
  lua_sethook(L, nullptr, 0, 0);
  luaL_error(L, "stopped by signal %d", int(gStopSignal));
}

void OnStop(int sig) {
  if (gStopSignal) {
    WriteWhere("stopped again; ending at once");
    _exit(1);
  }
  gStopSignal = sig;
  // lua_sethook is the one Lua call that is safe in a signal handler.
  if (gScenarioThread)
    lua_sethook(gScenarioThread, OnStopHook, LUA_MASKCALL | LUA_MASKRET | LUA_MASKCOUNT, 1);
}

void InstallSignalHandlers() {
  signal(SIGALRM, OnWatchdog);
  // Installed before the platform starts, so that SDL does not turn these
  // into a quit event that nothing in a scenario reads.
  signal(SIGTERM, OnStop);
  signal(SIGINT, OnStop);
  // A stack overflow leaves no stack for the handler: it runs on one of its own.
  static char altStack[64 * 1024];
  stack_t ss = {};
  ss.ss_sp = altStack;
  ss.ss_size = sizeof altStack;
  sigaltstack(&ss, nullptr);
  for (size_t i = 0; i < sizeof kCrashSignals / sizeof kCrashSignals[0]; ++i) {
    struct sigaction action = {};
    action.sa_sigaction = OnCrash;
    action.sa_flags = SA_SIGINFO | SA_ONSTACK;
    sigemptyset(&action.sa_mask);
    sigaction(kCrashSignals[i], &action, &gPreviousAction[i]);
  }
}

class Runner : public IHeadlessDriver {
 public:
  Runner(const str& path, const str& label) : mPath(path), mLabel(label) {}
  ~Runner() override {
    gScenarioThread = nullptr;
    if (mState) lua_close(mState);
  }

  // Compiles the scenario; false (after a message) when it cannot be read.
  bool Load(const std::vector<luaL_Reg>& functions);

  bool Step(TPlatform* platform) override;

  // The game's main callback has returned. A scenario still waiting is given
  // one more turn so that it can check that the game ended when it meant it to.
  void OnGameEnded(int exitCode);
  int Finish();

  // Used by the scenario functions.
  void QueueEvent(const TEvent& e) { TPlatform::GetInstance()->QueueEvent(e); }
  void RequestTicks(int n) { mPendingTicks += n; }
  void SetDrawing(bool on) { mDrawing = on; }
  bool GameEnded() const { return mGameEnded; }
  TPoint& Mouse() { return mMouse; }
  // The longest wall-clock time, in ms, one heartbeat or one turn of the
  // game's main loop between two heartbeats took since the last call.
  double TakeLongestBusyMs() {
    double longest = mLongestBusyMs;
    mLongestBusyMs = 0;
    return longest;
  }
  // The same for the processor time the game's thread spent, which a busy
  // machine does not stretch.
  double TakeLongestBusyCpuMs() {
    double longest = mLongestBusyCpuMs;
    mLongestBusyCpuMs = 0;
    return longest;
  }
  // Records where the scenario is (for the watchdog and for messages).
  void NoteLine(lua_State* L);
  // Fails the run at the last line the scenario reached.
  void FailAtLine(const str& what) { Fail(str::format("%s:%d: %s", mLabel.c_str(), mLine, what.c_str())); }
  const str& GetLabel() const { return mLabel; }
  // Where the scenario called player_only(), or empty while it has not: from
  // there on it keeps to what a player can do.
  const str& PlayerOnlySince() const { return mPlayerOnlySince; }
  void HoldToPlayer(lua_State* L) {
    if (mPlayerOnlySince.empty()) mPlayerOnlySince = Locate(L);
  }

 private:
  str mPath;
  str mLabel;  // the file name as messages show it
  lua_State* mState = nullptr;
  lua_State* mThread = nullptr;
  bool mStarted = false;
  bool mDone = false;
  bool mFailed = false;
  bool mGameEnded = false;
  int mPendingTicks = 0;
  bool mDrawing = true;
  int mTicks = 0;
  int mLine = 0;
  TPoint mMouse;
  double mLongestBusyMs = 0;
  double mLongestBusyCpuMs = 0;
  std::chrono::steady_clock::time_point mLastReturn;
  double mLastReturnCpuMs = 0;
  bool mReturned = false;
  str mPlayerOnlySince;

  static double ThreadCpuMs() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return double(t.tv_sec) * 1000.0 + double(t.tv_nsec) / 1e6;
  }
  void NoteBusy(std::chrono::steady_clock::time_point since, double sinceCpuMs) {
    double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - since).count();
    if (ms > mLongestBusyMs) mLongestBusyMs = ms;
    double cpu = ThreadCpuMs() - sinceCpuMs;
    if (cpu > mLongestBusyCpuMs) mLongestBusyCpuMs = cpu;
  }

  // Resumes the scenario; false once it has finished or failed.
  bool Resume();
  void Fail(const str& message);
  str Locate(lua_State* co) const;
};

bool Runner::Load(const std::vector<luaL_Reg>& functions) {
  std::string text;
  if (FILE* f = fopen(mPath.c_str(), "rb")) {
    char buf[4096];
    size_t n;
    while ((n = fread(buf, 1, sizeof buf, f)) > 0) text.append(buf, n);
    fclose(f);
  } else {
    fprintf(stderr, "tolvane-play: cannot read %s\n", mPath.c_str());
    return false;
  }
  mState = luaL_newstate();
  luaL_openlibs(mState);
  for (const luaL_Reg& f : functions) {
    if (IsPlayersMeans(f.name)) {
      lua_register(mState, f.name, f.func);
      continue;
    }
    lua_pushcfunction(mState, f.func);
    lua_pushstring(mState, f.name);
    lua_pushcclosure(mState, NotAPlayersMeans, 2);
    lua_setglobal(mState, f.name);
  }
  // Helpers every scenario wants, and `require` of shared helper files kept
  // beside the scenarios (tests/scenarios/lib/NAME.lua is require "lib.NAME").
  static const char kPrelude[] =
      "function tick_until(done, limit, what)\n"
      "  for _ = 1, limit do\n"
      "    if done() then return end\n"
      "    tick(1)\n"
      "  end\n"
      "  if not done() then error(what .. ': not within ' .. limit .. ' ticks', 2) end\n"
      "end\n"
      "do\n"
      "  local request = go\n"
      "  function go(id)\n"
      "    request(id)\n"
      "    local what = 'go(\"' .. tostring(id) .. '\")'\n"
      "    tick_until(function() local s, state = scene() return s ~= id or state == 1 end, 2000, what)\n"
      "    if scene() ~= id then\n"
      "      error(what .. ': refused, the player stays in ' .. tostring(scene()), 2)\n"
      "    end\n"
      "  end\n"
      "end\n";
  const std::string dir = fs::path(mPath.c_str()).parent_path().string();
  lua_getglobal(mState, "package");
  lua_pushstring(mState, (dir + "/?.lua").c_str());
  lua_setfield(mState, -2, "path");
  lua_pop(mState, 1);
  if (luaL_loadbuffer(mState, kPrelude, sizeof kPrelude - 1, kPreludeName) != 0 ||
      lua_pcall(mState, 0, 0, 0) != 0) {
    fprintf(stderr, "tolvane-play: %s\n", lua_tostring(mState, -1));
    return false;
  }
  mThread = lua_newthread(mState);
  gScenarioThread = mThread;
  luaL_ref(mState, LUA_REGISTRYINDEX);  // keeps the thread alive
  // "=" keeps the name as it is, so every message starts with the label.
  str chunk = "=" + mLabel;
  if (luaL_loadbuffer(mThread, text.data(), text.size(), chunk.c_str()) != 0) {
    fprintf(stderr, "%s\n", lua_tostring(mThread, -1));
    return false;
  }
  return true;
}

void Runner::NoteLine(lua_State* L) {
  lua_Debug ar;
  for (int level = 1; lua_getstack(L, level, &ar); ++level) {
    lua_getinfo(L, "Sl", &ar);
    if (ar.currentline > 0 && ar.source && ar.source[0] == '=' && mLabel == ar.source + 1) {
      mLine = ar.currentline;
      break;
    }
  }
  snprintf(gWhere, sizeof gWhere, "%s:%d", mLabel.c_str(), mLine);
}

str Runner::Locate(lua_State* co) const {
  lua_Debug ar;
  for (int level = 0; lua_getstack(co, level, &ar); ++level) {
    lua_getinfo(co, "Sl", &ar);
    if (ar.currentline > 0 && ar.source && ar.source[0] == '=' && mLabel == ar.source + 1)
      return str::format("%s:%d", mLabel.c_str(), ar.currentline);
  }
  return str::format("%s:%d", mLabel.c_str(), mLine);
}

void Runner::Fail(const str& message) {
  mFailed = true;
  fprintf(stderr, "%s\n", message.c_str());
  fflush(stderr);
}

bool Runner::Resume() {
  if (mDone || mFailed) return false;
  mStarted = true;
  int status = lua_resume(mThread, 0);
  if (status == LUA_YIELD) return true;
  if (status == 0) {
    mDone = true;
    return false;
  }
  str message =
      lua_isstring(mThread, -1) ? str(lua_tostring(mThread, -1)) : str("error object is not a string");
  // Errors raised through luaL_error or assert already start with the place;
  // others (error("x", 0), errors in the runner itself) get the scenario's line.
  if (!message.starts_with(mLabel + ":")) message = Locate(mThread) + ": " + message;
  Fail(message);
  return false;
}

bool Runner::Step(TPlatform* platform) {
  // The game's own work since the runner last handed it control: the events
  // it handled. The scenario's Lua runs after this point and is not counted.
  if (mReturned) NoteBusy(mLastReturn, mLastReturnCpuMs);
  if (gStopSignal && !mFailed) FailAtLine(str::format("stopped by signal %d", int(gStopSignal)));
  // A failure found while the game ran (see FailAtScenarioLine) ends the
  // ticks the scenario asked for.
  if (mFailed || (mPendingTicks == 0 && !Resume())) {
    snprintf(gWhere, sizeof gWhere, "%s: at the end", mLabel.c_str());
    ArmWatchdog();
    return false;
  }
  if (mPendingTicks > 0) {
    --mPendingTicks;
    ++mTicks;
    auto start = std::chrono::steady_clock::now();
    double startCpu = ThreadCpuMs();
    platform->Tick(kTickMs, mDrawing);
    NoteBusy(start, startCpu);
  }
  ArmWatchdog();
  mLastReturn = std::chrono::steady_clock::now();
  mLastReturnCpuMs = ThreadCpuMs();
  mReturned = true;
  return true;
}

void Runner::OnGameEnded(int exitCode) {
  mGameEnded = true;
  if (exitCode != 0 && !mFailed) {
    FailAtLine(str::format("the game ended with exit code %d", exitCode));
    return;
  }
  if (mDone || mFailed) return;
  if (!mStarted) {
    Fail(str::format("%s: the game ended before the scenario started", mLabel.c_str()));
    return;
  }
  // Anything that needs the game now raises an error, so a scenario that did
  // not expect the end fails at the line that comes next.
  Resume();
  if (!mDone && !mFailed) FailAtLine("the scenario waited for a game that has ended");
}

int Runner::Finish() {
  if (mFailed) return 1;
  str name = fs::path(mPath.c_str()).stem().string();
  printf("scenario %s: ok (%d ticks)\n", name.c_str(), mTicks);
  return 0;
}

void FailAtScenarioLine(const str& what) {
  gRunner->FailAtLine(what);
}

// ---- Scenario functions ----------------------------------------------------

TWindowManager* Game(lua_State* L) {
  if (gRunner->GameEnded()) luaL_error(L, "the game has ended");
  gRunner->NoteLine(L);
  return TWindowManager::GetInstance();
}

int Yield(lua_State* L) {
  if (gRunner->GameEnded()) return luaL_error(L, "the game has ended");
  return lua_yield(L, 0);
}

TPoint CheckPoint(lua_State* L, int first) {
  return TPoint(float(luaL_checknumber(L, first)), float(luaL_checknumber(L, first + 1)));
}

// Lua errors unwind with longjmp, so the functions below raise them only
// while no C++ object with a destructor is alive.
bool IsRight(lua_State* L, int index) {
  if (lua_isnoneornil(L, index)) return false;
  const char* button = luaL_checkstring(L, index);
  if (strcmp(button, "right") == 0) return true;
  if (strcmp(button, "left") != 0) luaL_argerror(L, index, "\"left\" or \"right\" expected");
  return false;
}

void QueueMove(const TPoint& p) {
  TEvent e;
  e.type = TEvent::kMouseMove;
  e.point = p;
  gRunner->Mouse() = p;
  gRunner->QueueEvent(e);
}

void QueueButton(const TPoint& p, bool right, bool down) {
  TEvent e;
  e.point = p;
  if (right) {
    e.type = TEvent::kExtendedMouse;
    e.code = down ? TEvent::kRightDown : TEvent::kRightUp;
  } else {
    e.type = down ? TEvent::kMouseDown : TEvent::kMouseUp;
  }
  gRunner->QueueEvent(e);
}

// tick([n]): n heartbeats of 16 ms (1 when omitted).
int L_tick(lua_State* L) {
  Game(L);
  lua_Integer n = luaL_optinteger(L, 1, 1);
  // A million ticks is over four hours of play: more is a typo.
  luaL_argcheck(L, n >= 0 && n <= 1000000, 1, "tick count out of range (0 to 1000000)");
  gRunner->RequestTicks(int(n));
  return Yield(L);
}

// click(x, y[, "right"]), press(...), release(...): move there, then press
// and release, press only or release only.
int QueueHand(lua_State* L, bool down, bool up) {
  Game(L);
  TPoint p = CheckPoint(L, 1);
  bool right = IsRight(L, 3);
  QueueMove(p);
  if (down) QueueButton(p, right, true);
  if (up) QueueButton(p, right, false);
  return Yield(L);
}

int L_click(lua_State* L) {
  return QueueHand(L, true, true);
}

int L_press(lua_State* L) {
  return QueueHand(L, true, false);
}

int L_release(lua_State* L) {
  return QueueHand(L, false, true);
}

int L_move(lua_State* L) {
  Game(L);
  QueueMove(CheckPoint(L, 1));
  return Yield(L);
}

// wheel(dy): dy notches at the mouse's place, up when positive.
int L_wheel(lua_State* L) {
  Game(L);
  lua_Integer dy = luaL_checkinteger(L, 1);
  luaL_argcheck(L, dy >= -1000 && dy <= 1000, 1, "too many notches");
  for (lua_Integer i = 0; i < (dy < 0 ? -dy : dy); ++i) {
    TEvent e;
    e.type = TEvent::kExtendedMouse;
    e.point = gRunner->Mouse();
    e.code = dy > 0 ? TEvent::kWheelUp : TEvent::kWheelDown;
    gRunner->QueueEvent(e);
  }
  return Yield(L);
}

// The key code, typed character (-1 for none) and flags of a key name: a
// single character types that character (its key code is the lower-case
// letter, with shift held for an upper-case one); named keys are below.
// Escape, Enter and Backspace send their character too, as the keyboard does.
bool KeyByName(const char* name, int* code, int* ch, uint32_t* flags) {
  struct Named {
    const char* name;
    int code;
    bool text;
  };
  static const Named kNamed[] = {
      {"escape", TEvent::kEscape, true}, {"space", ' ', true},
      {"enter", TEvent::kEnter, true},   {"backspace", TEvent::kBackspace, true},
      {"tab", TEvent::kTab, false},      {"delete", TEvent::kDelete, false},
      {"left", TEvent::kLeft, false},    {"up", TEvent::kUp, false},
      {"right", TEvent::kRight, false},  {"down", TEvent::kDown, false},
  };
  *code = -1;
  *ch = -1;
  *flags = 0;
  if (name[0] && !name[1] && isprint(static_cast<unsigned char>(name[0]))) {
    *ch = static_cast<unsigned char>(name[0]);
    *code = tolower(*ch);
    if (isupper(*ch)) *flags = TEvent::kShift;
  } else {
    for (const Named& k : kNamed)
      if (strcmp(name, k.name) == 0) {
        *code = k.code;
        if (k.text) *ch = k.code;
      }
  }
  return *code >= 0;
}

// key(k): one key stroke, sent as the platform sends a real one; k is a
// character or a key name ("escape", "space", "left" ...). key_down(k) and
// key_up(k) hold the key and let it go, for games steered while a key is
// held.
int QueueKey(lua_State* L, bool down, bool up) {
  Game(L);
  int code, ch;
  uint32_t flags;
  if (!KeyByName(luaL_checkstring(L, 1), &code, &ch, &flags))
    return luaL_argerror(L, 1, "a character or a key name expected");
  TEvent e;
  e.key = code;
  e.flags = flags;
  if (down) {
    e.type = TEvent::kKeyDown;
    gRunner->QueueEvent(e);
    if (ch >= 0) {
      e.type = TEvent::kChar;
      e.key = ch;
      gRunner->QueueEvent(e);
    }
  }
  if (up) {
    e.type = TEvent::kKeyUp;
    e.key = code;
    gRunner->QueueEvent(e);
  }
  return Yield(L);
}

int L_key(lua_State* L) {
  return QueueKey(L, true, true);
}

int L_key_down(lua_State* L) {
  return QueueKey(L, true, false);
}

int L_key_up(lua_State* L) {
  return QueueKey(L, false, true);
}

// close_request(): the player pressed the window's close button.
int L_close_request(lua_State* L) {
  Game(L);
  TEvent e;
  e.type = TEvent::kCloseRequest;
  gRunner->QueueEvent(e);
  return Yield(L);
}

// game_lua(code): runs code in the game's Lua state; every result as a string.
int L_game_lua(lua_State* L) {
  TWindowManager* wm = Game(L);
  size_t len;
  const char* code = luaL_checklstring(L, 1, &len);
  lua_State* G = wm->GetScript()->GetState();
  int base = lua_gettop(G);
  if (luaL_loadbuffer(G, code, len, "=game_lua") != 0 || lua_pcall(G, 0, LUA_MULTRET, 0) != 0) {
    const char* message = lua_tostring(G, -1);
    luaL_where(L, 1);
    lua_pushfstring(L, "game_lua: %s", message ? message : "error object is not a string");
    lua_concat(L, 2);
    lua_settop(G, base);
    return lua_error(L);
  }
  int results = lua_gettop(G) - base;
  luaL_checkstack(L, results, "too many results");
  for (int i = 1; i <= results; ++i) {
    lua_pushvalue(G, base + i);
    str error;
    bool converted = CallInGame(G, GameToString, 1, 1, &error);
    if (converted && lua_isstring(G, -1))
      lua_pushstring(L, lua_tostring(G, -1));
    else
      lua_pushstring(L, lua_typename(G, lua_type(G, base + i)));
    if (converted) lua_pop(G, 1);
  }
  lua_settop(G, base);
  return results;
}

// window(name): "shown", "hidden" (it or an ancestor is hidden) or nil.
int L_window(lua_State* L) {
  TWindowManager* wm = Game(L);
  TWindow* w = wm->FindWindow(luaL_checkstring(L, 1));
  if (!w)
    lua_pushnil(L);
  else
    lua_pushstring(L, w->IsVisibleOnScreen() ? "shown" : "hidden");
  return 1;
}

// window_rect(name): the window's screen rectangle (x, y, w, h), or nil.
int L_window_rect(lua_State* L) {
  TWindow* w = Game(L)->FindWindow(luaL_checkstring(L, 1));
  if (!w) {
    lua_pushnil(L);
    return 1;
  }
  TRect r = w->GetWindowRect();
  lua_pushinteger(L, r.left);
  lua_pushinteger(L, r.top);
  lua_pushinteger(L, r.Width());
  lua_pushinteger(L, r.Height());
  return 4;
}

// text(name): what a text window (an edit field too) holds, or a button's
// label; nil when there is no such window or it is neither.
int L_text(lua_State* L) {
  const str* text = ShownText(Game(L)->FindWindow(luaL_checkstring(L, 1)));
  if (text)
    lua_pushlstring(L, text->data(), text->size());
  else
    lua_pushnil(L);
  return 1;
}

// top_modal(): the name of the top modal window, or nil.
int L_top_modal(lua_State* L) {
  TModalWindow* top = Game(L)->GetTopModalWindow();
  if (top)
    lua_pushstring(L, top->GetName().c_str());
  else
    lua_pushnil(L);
  return 1;
}

// pref(key[, user]): the stored value as the file holds it now, or nil.
int L_pref(lua_State* L) {
  const char* keyArg = luaL_checkstring(L, 1);
  int user = int(luaL_optinteger(L, 2, -1));
  str key = keyArg;
  // A fresh look at the file, so the answer is what reached the disk; it
  // makes, moves and writes nothing, so asking cannot change what the game
  // finds there later.
  const TPrefs prefs = TPrefs::ReadOnly(TPrefs::DefaultFolder());
  static const char kAbsent[] =
      "\x01"
      "absent"
      "\x01";
  str value = prefs.GetStr(key, kAbsent, user);
  if (value == kAbsent)
    lua_pushnil(L);
  else
    lua_pushlstring(L, value.data(), value.size());
  return 1;
}

// pixel(x, y): r, g, b, a of the last frame drawn.
int L_pixel(lua_State* L) {
  Game(L);
  lua_Integer x = luaL_checkinteger(L, 1), y = luaL_checkinteger(L, 2);
  luaL_argcheck(L, x >= 0 && x < 800, 1, "x outside the 800x600 screen");
  luaL_argcheck(L, y >= 0 && y < 600, 2, "y outside the 800x600 screen");
  TColor32 c = TRenderer::GetInstance()->ReadPixel(int(x), int(y));
  lua_pushinteger(L, c.Red());
  lua_pushinteger(L, c.Green());
  lua_pushinteger(L, c.Blue());
  lua_pushinteger(L, c.Alpha());
  return 4;
}

// screenshot(path): the last frame as a PNG.
int L_screenshot(lua_State* L) {
  Game(L);
  const char* path = luaL_checkstring(L, 1);
  if (!TRenderer::GetInstance()->Screenshot(path)) return luaL_error(L, "cannot write screenshot %s", path);
  return 0;
}

// lose_textures(): the renderer loses its textures, as on a device reset.
int L_lose_textures(lua_State* L) {
  Game(L);
  TRenderer::GetInstance()->LoseTargets();
  return 0;
}

// reports(): how many lines the game has reported on stderr so far.
int L_reports(lua_State* L) {
  lua_pushinteger(L, lua_Integer(ReportCount()));
  return 1;
}

// heartbeat(): the longest wall-clock time in ms that one heartbeat, or the
// game's handling of queued input between two, took since the last call; and
// the longest processor time the game's thread spent on one.
int L_heartbeat(lua_State* L) {
  lua_pushnumber(L, gRunner->TakeLongestBusyMs());
  lua_pushnumber(L, gRunner->TakeLongestBusyCpuMs());
  return 2;
}

// drawing(on): whether the ticks that follow draw their frames (they do
// until told otherwise). A run that reads no pixels in between skips the
// drawing, most of a tick's time; pixel() reads the last frame drawn.
int L_drawing(lua_State* L) {
  luaL_checktype(L, 1, LUA_TBOOLEAN);
  gRunner->SetDrawing(lua_toboolean(L, 1) != 0);
  return 0;
}

// sounds(): the paths of every sound played so far, in order.
int L_sounds(lua_State* L) {
  const std::vector<TSoundManager::PlayRecord>& log = TSoundManager::GetInstance()->GetPlayLog();
  lua_createtable(L, int(log.size()), 0);
  for (size_t i = 0; i < log.size(); ++i) {
    lua_pushstring(L, log[i].path.c_str());
    lua_rawseti(L, -2, int(i + 1));
  }
  return 1;
}

// timer(): the platform clock in milliseconds.
int L_timer(lua_State* L) {
  Game(L);
  lua_pushnumber(L, TPlatform::GetInstance()->Timer());
  return 1;
}

// ended(): whether the game's main loop has returned.
int L_ended(lua_State* L) {
  lua_pushboolean(L, gRunner->GameEnded());
  return 1;
}

// scene(): the game object's current scene id, the state of the scene on
// screen (0 fading in .. 5 faded out), the index of the scene state, whether
// the scene is paused and the current world's id; nil while no game runs or
// no scene is built.
int L_scene(lua_State* L) {
  Game(L);
  GGameWnd* wnd = GGameWnd::GetCurrent();
  GScene* scene = wnd ? wnd->GetCurrentScene() : nullptr;
  if (!scene || !OGame::HasInstance()) {
    lua_pushnil(L);
    return 1;
  }
  lua_pushstring(L, OGame::GetInstance()->GetCurrentSceneId().c_str());
  lua_pushinteger(L, scene->GetState());
  lua_pushinteger(L, OGame::GetInstance()->GetStateIndex());
  lua_pushboolean(L, scene->IsPaused());
  lua_pushstring(L, OGame::GetInstance()->GetCurrentWorldId().c_str());
  return 5;
}

// worlds(): each world of cfg/worlds.xml by id, with the scene ids its
// world.xml lists, in order.
int L_worlds(lua_State* L) {
  Game(L);
  OGameConfig* config = OGameConfig::GetInstance();
  TXmlNode* worlds = config->GetWorlds();
  TXmlNode* destinations = worlds ? worlds->GetChild("destinations") : nullptr;
  lua_newtable(L);
  for (size_t i = 0; destinations && i < destinations->GetChildCount(); ++i) {
    TXmlNode* entry = destinations->GetChildAt(i);
    lua_newtable(L);
    std::unique_ptr<TXmlNode> world = config->ReadWorld(entry->GetAttribute("dir") + "/world.xml");
    TXmlNode* scenes = world ? world->GetChild("scenes") : nullptr;
    for (size_t j = 0; scenes && j < scenes->GetChildCount(); ++j) {
      lua_pushstring(L, scenes->GetChildAt(j)->GetAttribute("name").c_str());
      lua_rawseti(L, -2, int(j) + 1);
    }
    lua_setfield(L, -2, entry->GetName().c_str());
  }
  return 1;
}

// string_table(key): the string table's text for the key, as the game shows
// it.
int L_string_table(lua_State* L) {
  Game(L);
  str text = TPlatform::GetInstance()->GetStringTable()->GetString(luaL_checkstring(L, 1));
  lua_pushlstring(L, text.data(), text.size());
  return 1;
}

// player_only(): from here on the scenario keeps to a player's means (input,
// ticks and the readings); the functions that reach into the game fail.
int L_player_only(lua_State* L) {
  Game(L);
  gRunner->HoldToPlayer(L);
  return 0;
}

int NotAPlayersMeans(lua_State* L) {
  if (gRunner->PlayerOnlySince().empty()) return lua_tocfunction(L, lua_upvalueindex(1))(L);
  // The line that asked, past the runner's own helpers (go's wait).
  char where[LUA_IDSIZE + 24] = "";
  lua_Debug ar;
  for (int level = 1; lua_getstack(L, level, &ar); ++level) {
    lua_getinfo(L, "Sl", &ar);
    if (ar.currentline > 0 && strcmp(ar.source, kPreludeName) != 0) {
      snprintf(where, sizeof where, "%s:%d: ", ar.short_src, ar.currentline);
      break;
    }
  }
  lua_pushfstring(
      L, "%s%s() is not a player's: the scenario keeps to a player's means since player_only() at %s", where,
      lua_tostring(L, lua_upvalueindex(2)), gRunner->PlayerOnlySince().c_str());
  return lua_error(L);
}

// go(scene): a jump to that scene of the current world, as the scene picker
// makes it, with the hand kept. The prelude's go waits until it is active,
// and fails when the game sends the player back (a door kept shut).
int L_go_request(lua_State* L) {
  Game(L);
  const char* id = luaL_checkstring(L, 1);
  GGameWnd* wnd = GGameWnd::GetCurrent();
  if (!wnd || !wnd->GetCurrentScene() || !OGame::HasInstance()) return luaL_error(L, "go: no game is played");
  if (!OGame::GetInstance()->GoToScene(id))
    return luaL_error(L, "go: the current world has no scene \"%s\" (see stderr)", id);
  return 0;
}

// A node as a table: its attributes by name (numbers where they read as
// numbers), its children in order in the array part and each under its name
// (the first of that name).
void PushNode(lua_State* L, TXmlNode* node) {
  lua_newtable(L);
  node->ResetAttributes();
  str name, value;
  while (node->GetNextAttribute(&name, &value)) {
    char* end = nullptr;
    double number = strtod(value.c_str(), &end);
    if (!value.empty() && end && *end == 0)
      lua_pushnumber(L, number);
    else
      lua_pushstring(L, value.c_str());
    lua_setfield(L, -2, name.c_str());
  }
  for (size_t i = 0; i < node->GetChildCount(); ++i) {
    TXmlNode* child = node->GetChildAt(i);
    PushNode(L, child);
    lua_pushvalue(L, -1);
    lua_rawseti(L, -3, int(i) + 1);
    lua_getfield(L, -2, child->GetName().c_str());
    bool taken = !lua_isnil(L, -1);
    lua_pop(L, 1);
    if (taken)
      lua_pop(L, 1);
    else
      lua_setfield(L, -2, child->GetName().c_str());
  }
}

// minigame(): what the current scene describes of its game (what it saves,
// and the positions a scenario clicks), as a table; nil when it describes
// nothing.
int L_minigame(lua_State* L) {
  Game(L);
  GGameWnd* wnd = GGameWnd::GetCurrent();
  GScene* scene = wnd ? wnd->GetCurrentScene() : nullptr;
  if (!scene) {
    lua_pushnil(L);
    return 1;
  }
  TXmlNode node;
  node.SetName("minigame");
  scene->DescribeState(&node);
  if (node.GetAttributeCount() == 0 && node.GetChildCount() == 0) {
    lua_pushnil(L);
    return 1;
  }
  // Lua raises no error below: the table is built with plain pushes.
  PushNode(L, &node);
  return 1;
}

// autosave(): asks the running game for an autosave exactly as the
// mission result "autosave" does: refused while a hazard is about to run out
// or in a locked scene, else requested with its message.
int L_autosave(lua_State* L) {
  Game(L);
  if (!GGameWnd::GetCurrent()) return luaL_error(L, "autosave: no game is running");
  OMissionResults::Autosave();
  return 0;
}

// timers(): the timer controllers by save key ("poison", "vethra",
// "mousetrap", "under_water", "sleeping_zone", "greece_scroll",
// "sleeping_hints", "invisibility"), each a table {state = 0 running or 1
// stopped, left = milliseconds left}.
int L_timers(lua_State* L) {
  Game(L);
  OTimersManager* timers = OTimersManager::GetInstance();
  lua_newtable(L);
  for (int i = 0; i < OTimersManager::kControllerCount; ++i) {
    ITimerController* controller = timers->GetController(i);
    lua_newtable(L);
    lua_pushinteger(L, controller->GetState());
    lua_setfield(L, -2, "state");
    lua_pushinteger(L, controller->GetLeftTime());
    lua_setfield(L, -2, "left");
    lua_setfield(L, -2, OTimersManager::GetSaveKey(i));
  }
  return 1;
}

// indicators(): "poison", "vethra" and "underwater", each {total = ms,
// alpha = the picture's, text = the string key shown, blink = ticks per
// half cycle, text_alpha = the blinking text's alpha}, and "invisibility",
// the overlay {total = ms, active, alpha, particles = how many run}.
int L_indicators(lua_State* L) {
  Game(L);
  OIndicatorsManager* indicators = OIndicatorsManager::GetInstance();
  lua_newtable(L);
  const std::pair<const char*, OTimerIndicator*> shown[] = {{"poison", indicators->GetPoison()},
                                                            {"vethra", indicators->GetVethra()},
                                                            {"underwater", indicators->GetUnderwater()}};
  for (const auto& entry : shown) {
    OTimerIndicator* indicator = entry.second;
    lua_newtable(L);
    lua_pushinteger(L, indicator->GetTotalTime());
    lua_setfield(L, -2, "total");
    lua_pushnumber(L, indicator->GetAlpha());
    lua_setfield(L, -2, "alpha");
    lua_pushstring(L, indicator->GetTextKey().c_str());
    lua_setfield(L, -2, "text");
    lua_pushinteger(L, lua_Integer(indicator->GetBlinkPeriod()));
    lua_setfield(L, -2, "blink");
    lua_pushnumber(L, indicator->GetTextAlpha());
    lua_setfield(L, -2, "text_alpha");
    lua_setfield(L, -2, entry.first);
  }
  OInvisibilityOverlay* overlay = indicators->GetOverlay();
  lua_newtable(L);
  lua_pushinteger(L, overlay->GetTotalTime());
  lua_setfield(L, -2, "total");
  lua_pushboolean(L, overlay->IsActive());
  lua_setfield(L, -2, "active");
  lua_pushnumber(L, overlay->GetSprite()->GetAlpha());
  lua_setfield(L, -2, "alpha");
  lua_pushinteger(L, lua_Integer(overlay->GetParticles().size()));
  lua_setfield(L, -2, "particles");
  lua_setfield(L, -2, "invisibility");
  return 1;
}

// held(): the name of the item on the pointer, or nil.
int L_held(lua_State* L) {
  Game(L);
  GMousePointer* pointer = GMousePointer::PeekInstance();
  IItem* item = pointer ? pointer->GetHeldItem() : nullptr;
  if (item)
    lua_pushstring(L, item->GetName().c_str());
  else
    lua_pushnil(L);
  return 1;
}

// pointer(): the drawn pointer's current look (the state of its "main"
// child, "stNormal" ...), or nil before the pointer is loaded; and whether
// the pointer is shown (false while a game hides it).
int L_pointer(lua_State* L) {
  Game(L);
  GMousePointer* pointer = GMousePointer::PeekInstance();
  GVObject* object = pointer ? pointer->GetPointerObject() : nullptr;
  GVObject* main = object ? object->GetChild("main") : nullptr;
  if (!main) {
    lua_pushnil(L);
    return 1;
  }
  lua_pushstring(L, main->GetState().ToStr().c_str());
  lua_pushboolean(L, pointer->GetManager() && pointer->GetManager()->IsVisible());
  return 2;
}

// registry(item[, index]): the item's saved number at index (0, its place,
// by default), or nil when the registry holds none.
int L_registry(lua_State* L) {
  Game(L);
  const char* name = luaL_checkstring(L, 1);
  lua_Integer index = luaL_optinteger(L, 2, 0);
  int32_t value = 0;
  if (index >= 0 && OItemsRegistry::HasInstance() &&
      OItemsRegistry::GetInstance()->GetState(name, size_t(index), &value))
    lua_pushinteger(L, value);
  else
    lua_pushnil(L);
  return 1;
}

// save_document(): the current player's save data as stored, or nil.
int L_save_document(lua_State* L) {
  Game(L);
  str text = OSaveData::ReadPreference();
  lua_pushlstring(L, text.data(), text.size());
  return 1;
}

// set_save_document(text): stores text as the current player's save data,
// as a damaged or foreign save would be found.
int L_set_save_document(lua_State* L) {
  Game(L);
  size_t length = 0;
  const char* text = luaL_checklstring(L, 1, &length);
  OUsersManager* users = OUsersManager::GetInstance();
  TPrefs* prefs = users ? users->GetPrefs() : nullptr;
  if (!prefs) return luaL_error(L, "set_save_document: no player");
  prefs->SetStr(OSaveData::kPrefKey, str(text, length), prefs->GetInt("curuser", -1));
  return 0;
}

// events(): the game events the rules received so far, oldest first, each as
// "type id" ("item_get lamp"), in a table.
int L_events(lua_State* L) {
  Game(L);
  lua_newtable(L);
  if (!OMissionsManager::HasInstance()) return 1;
  const std::vector<str>& asked = OMissionsManager::GetInstance()->GetAsked();
  for (size_t i = 0; i < asked.size(); ++i) {
    lua_pushstring(L, asked[i].c_str());
    lua_rawseti(L, -2, int(i + 1));
  }
  return 1;
}

// flag(name): the game variable's value ("null" when never set).
int L_flag(lua_State* L) {
  Game(L);
  const char* name = luaL_checkstring(L, 1);
  lua_pushstring(L, OFlagsRegistry::GetInstance()->GetValue(name).c_str());
  return 1;
}

// set_flag(name, value): sets a game variable through the store, as an
// action does: the rules and the game object hear of it.
int L_set_flag(lua_State* L) {
  Game(L);
  OFlagsRegistry::GetInstance()->SetValue(luaL_checkstring(L, 1), luaL_checkstring(L, 2));
  return 0;
}

// music(): the music's volume as the mixer has it (0 to 1), the theme's name
// and its state (0 playing, 1 fading out, 2 fading in).
int L_music(lua_State* L) {
  Game(L);
  lua_pushnumber(L, TSoundManager::GetInstance()->GetTypeVolume(TSound::kTypeMusic));
  if (!OSoundManager::HasInstance()) {
    lua_pushstring(L, "");
    lua_pushinteger(L, 0);
    return 3;
  }
  OSoundManager* sounds = OSoundManager::GetInstance();
  lua_pushstring(L, sounds->GetTheme().c_str());
  lua_pushinteger(L, sounds->GetThemeController().GetState());
  return 3;
}

// mission(name): whether the mission is complete and whether it was shown;
// nil for a name no mission has. task(name): whether the task is complete,
// nil for none. page(n): the quest-book page's state.
int L_mission(lua_State* L) {
  Game(L);
  OMission* mission = OMissionsManager::GetInstance()->FindMission(luaL_checkstring(L, 1));
  if (!mission) {
    lua_pushnil(L);
    return 1;
  }
  lua_pushboolean(L, mission->IsCompleted());
  lua_pushboolean(L, mission->IsShown());
  return 2;
}

int L_task(lua_State* L) {
  Game(L);
  OMissionTask* task = OMissionsManager::GetInstance()->FindTask(luaL_checkstring(L, 1));
  if (task)
    lua_pushboolean(L, task->IsCompleted());
  else
    lua_pushnil(L);
  return 1;
}

int L_page(lua_State* L) {
  Game(L);
  lua_pushinteger(L, OMissionsManager::GetInstance()->GetPageState(int(luaL_checkinteger(L, 1))));
  return 1;
}

// type_text(text): one key() per character of text.
int L_type_text(lua_State* L) {
  Game(L);
  size_t length = 0;
  const char* text = luaL_checklstring(L, 1, &length);
  for (size_t i = 0; i < length; ++i) {
    unsigned char ch = static_cast<unsigned char>(text[i]);
    if (!isprint(ch)) return luaL_argerror(L, 1, "printable characters expected");
    TEvent e;
    e.type = TEvent::kKeyDown;
    e.key = tolower(ch);
    e.flags = isupper(ch) ? TEvent::kShift : 0;
    gRunner->QueueEvent(e);
    e.type = TEvent::kChar;
    e.key = ch;
    gRunner->QueueEvent(e);
    e.type = TEvent::kKeyUp;
    e.key = tolower(ch);
    gRunner->QueueEvent(e);
  }
  return Yield(L);
}

// volume(type): the live volume (0 to 1) of a sound type as the mixer has it
// (1000 the effects, 1001 the music, other numbers the controllers' own).
int L_volume(lua_State* L) {
  Game(L);
  lua_pushnumber(L, TSoundManager::GetInstance()->GetTypeVolume(int(luaL_checkinteger(L, 1))));
  return 1;
}

// The current scene's items manager, or null.
OItemsManager* SceneItems() {
  GGameWnd* wnd = GGameWnd::GetCurrent();
  GScene* scene = wnd ? wnd->GetCurrentScene() : nullptr;
  return scene ? scene->GetItemsManager() : nullptr;
}

// The named item in the hand, shown in front of the scene, in the scene's
// list, or inside an item of that list that holds items of its own (a
// container, a passage, a desk, the alchemical device).
IItem* FindAnyItem(const str& name) {
  GMousePointer* pointer = GMousePointer::PeekInstance();
  IItem* held = pointer ? pointer->GetHeldItem() : nullptr;
  if (held && held->GetName() == name) return held;
  GGameWnd* wnd = GGameWnd::GetCurrent();
  if (auto* scene = dynamic_cast<GFullScreenGameScene*>(wnd ? wnd->GetCurrentScene() : nullptr)) {
    IItem* front = scene->GetFrontItemHolder()->mItem;
    if (front && front->GetName() == name) return front;
  }
  OItemsManager* items = SceneItems();
  if (!items) return nullptr;
  if (IItem* item = items->FindItem(name)) return item;
  for (IItem* holder : items->GetItems()) {
    if (IItemsManager* inner = dynamic_cast<IItemsManager*>(holder))
      if (IItem* item = inner->FindItem(name)) return item;
    if (holder->IsKindOf(ItemTypeId::OAlchemicalDeviceItem))
      if (IItem* item = static_cast<OAlchemicalDeviceItem*>(holder)->FindContainedItem(name)) return item;
  }
  return nullptr;
}

// item(name): the item's current name, the state of its visual's "main"
// object (of the visual itself when it has no "main"), that object's alpha
// as drawn, and the x and y of the visual's root; nil when the item is
// nowhere, "" and zeros for what it lacks.
int L_item(lua_State* L) {
  Game(L);
  IItem* item = FindAnyItem(luaL_checkstring(L, 1));
  if (!item) {
    lua_pushnil(L);
    return 1;
  }
  GVObject* root = item->GetObject();
  GVObject* main = item->GetMainObject();
  GVObject* shown = main ? main : root;
  lua_pushstring(L, item->GetCurrentName().c_str());
  lua_pushstring(L, shown ? shown->GetState().ToStr().c_str() : "");
  lua_pushnumber(L, shown ? shown->GetEffective().alpha : 0);
  lua_pushnumber(L, root ? root->GetEffective().deltaX : 0);
  lua_pushnumber(L, root ? root->GetEffective().deltaY : 0);
  return 5;
}

// give(name): the item made for the hand with the scene's items manager,
// its visual created and held, as if taken; an item already held is used up
// first (its record ended, as the game ends one). An error when no such item
// can be made.
int L_give(lua_State* L) {
  Game(L);
  const char* name = luaL_checkstring(L, 1);
  GMousePointer* pointer = GMousePointer::PeekInstance();
  if (!pointer || !pointer->GetManager()) return luaL_error(L, "give: there is no pointer");
  IItem* item = OItemFactory::CreateForPointer(name, SceneItems());
  if (!item) return luaL_error(L, "give: no item \"%s\" can be made for the hand", name);
  pointer->GetManager()->ConsumeHeldItem();
  item->CreateObject();
  pointer->HoldItem(item);
  item->SaveState();
  item->OnSceneStart();
  return 0;
}

// act(xml): the action element run once, as the current scene's rules run
// it (owned by the scene's masks manager); an error when the text is no
// element or makes no action.
int L_act(lua_State* L) {
  Game(L);
  TXmlNode node;
  if (!node.ParseString(luaL_checkstring(L, 1), "act")) return luaL_error(L, "act: not an element");
  OItemsManager* items = SceneItems();
  if (!OActionFactory::RunAction(&node, items ? items->GetMasksManager() : nullptr))
    return luaL_error(L, "act: the element makes no action");
  return 0;
}

// book(): the quest book of the current scene as a table: cur (the open
// position), busy (a reveal runs), auto_turn (1 until the automatic turn is
// over), cover (the state of the cover's "main", nil without a cover) and
// sheets (one entry per page description: the sheet's turn state, -1 while
// it is being built, false for a sheet not made); nil without a book.
int L_book(lua_State* L) {
  Game(L);
  OItemsManager* items = SceneItems();
  OQuestBookItem* book = nullptr;
  for (size_t i = 0; items && !book && i < items->GetItems().size(); ++i)
    if (items->GetItems()[i]->IsKindOf(ItemTypeId::OQuestBookItem))
      book = static_cast<OQuestBookItem*>(items->GetItems()[i]);
  if (!book) {
    lua_pushnil(L);
    return 1;
  }
  lua_newtable(L);
  lua_pushinteger(L, book->GetCur());
  lua_setfield(L, -2, "cur");
  lua_pushboolean(L, book->IsBusy());
  lua_setfield(L, -2, "busy");
  lua_pushinteger(L, book->GetAutoTurn());
  lua_setfield(L, -2, "auto_turn");
  GVObject* cover = book->GetCover() ? book->GetCover()->GetChild("main") : nullptr;
  if (cover) {
    lua_pushstring(L, cover->GetState().ToStr().c_str());
    lua_setfield(L, -2, "cover");
  }
  const std::vector<OQuestBookPage*>& sheets = book->GetSheets();
  lua_createtable(L, int(sheets.size()), 0);
  for (size_t i = 0; i < sheets.size(); ++i) {
    if (sheets[i])
      lua_pushinteger(L, sheets[i]->IsBuilt() ? sheets[i]->GetTurnState() : OQuestBookPage::kUnset);
    else
      lua_pushboolean(L, 0);
    lua_rawseti(L, -2, int(i + 1));
  }
  lua_setfield(L, -2, "sheets");
  return 1;
}

void SetBool(lua_State* L, const char* key, bool value) {
  lua_pushboolean(L, value);
  lua_setfield(L, -2, key);
}

void SetInt(lua_State* L, const char* key, int value) {
  lua_pushinteger(L, value);
  lua_setfield(L, -2, key);
}

// Whether the interactive button exists and is live.
bool Enabled(const GInteractiveButton* button) {
  return button && button->IsEnabled();
}

// panel(): the game panel as a table, nil without a running game: kind,
// locked, shown (a scene holds it), per inventory ("main", "cook",
// "fishing", "plants", "mirrors") its first cell and its items (one entry
// per cell, the item's name or false), the inventory arrows and the passage
// arrows (live or not), and the book button (state, frame, the state of
// its animation's "main", whether that is shown).
int L_panel(lua_State* L) {
  Game(L);
  GGameWnd* wnd = GGameWnd::GetCurrent();
  GGamePanel* panel = wnd ? wnd->GetPanel() : nullptr;
  if (!panel) {
    lua_pushnil(L);
    return 1;
  }
  lua_newtable(L);
  SetInt(L, "kind", panel->GetKind());
  SetBool(L, "locked", panel->IsLocked());
  SetBool(L, "shown", panel->GetParent() != nullptr);
  static const char* const kNames[GGamePanel::kInventoryCount] = {"main", "cook", "fishing", "plants",
                                                                  "mirrors"};
  for (int i = 0; i < GGamePanel::kInventoryCount; ++i) {
    GInventory* inventory = panel->GetInventory(i);
    lua_newtable(L);
    SetInt(L, "first", inventory->GetFirstCell());
    lua_createtable(L, inventory->GetTotalCells(), 0);
    for (GInventoryCell* cell : inventory->GetCells()) {
      if (cell->GetItem())
        lua_pushstring(L, cell->GetItem()->GetName().c_str());
      else
        lua_pushboolean(L, 0);
      lua_rawseti(L, -2, cell->GetIndex() + 1);
    }
    lua_setfield(L, -2, "items");
    lua_setfield(L, -2, kNames[i]);
  }
  lua_newtable(L);
  SetBool(L, "left", Enabled(static_cast<GInteractiveButton*>(panel->GetNamedChild("btn_inventory_left"))));
  SetBool(L, "right", Enabled(static_cast<GInteractiveButton*>(panel->GetNamedChild("btn_inventory_right"))));
  lua_setfield(L, -2, "arrows");
  lua_newtable(L);
  static const char* const kDirections[GGamePanel::kPassageButtons] = {"left", "right", "top", "bottom"};
  for (int i = 0; i < GGamePanel::kPassageButtons; ++i)
    SetBool(L, kDirections[i], Enabled(panel->GetPassageButton(i)));
  lua_setfield(L, -2, "passages");
  if (GQuestBookControl* book = panel->GetQuestBookControl()) {
    lua_newtable(L);
    SetInt(L, "state", book->GetState());
    SetInt(L, "frame", book->GetFrame());
    GVObject* anim = book->GetAnimation();
    GVObject* main = anim && anim->GetChild("main") ? anim->GetChild("main") : anim;
    lua_pushstring(L, main ? main->GetState().ToStr().c_str() : "");
    lua_setfield(L, -2, "look");
    SetBool(L, "shown", anim && anim->visible);
    lua_setfield(L, -2, "book");
  }
  return 1;
}

// magic(id): the magic registry's value for the id (magics and worlds), the
// flask drinks counted for it, and, for the six magics, whether its small
// button and its magic button are shown on the panel and whether the magic
// button is ready (full).
int L_magic(lua_State* L) {
  Game(L);
  const char* id = luaL_checkstring(L, 1);
  OMagicRegistry* registry = OMagicRegistry::GetInstance();
  lua_pushinteger(L, registry->GetValue(id));
  lua_pushinteger(L, registry->GetFlaskUsage(id));
  GGameWnd* wnd = GGameWnd::GetCurrent();
  GMagicControl* control = wnd && wnd->GetPanel() ? wnd->GetPanel()->GetMagicControl() : nullptr;
  int index = GMagicControl::IndexOf(id);
  GButton* small = control ? control->GetSmallButton(index) : nullptr;
  GMagicButton* button = control ? control->GetMagicButton(index) : nullptr;
  lua_pushboolean(L, small && small->GetParent());
  lua_pushboolean(L, button && button->GetParent());
  lua_pushboolean(L, button && button->GetMagicState() == GMagicButton::kReady);
  return 5;
}

// show_effect(name): the game window's magic effect of
// game_screen/magic_effects/<name> with a new empty hints list, or its
// wake-up effect for "wake_up"; as the game asks for them, so a second one
// while one runs is dropped. "health" is the scene's health effect, as an
// item asks for it: the timers it helps give their hints to the effect.
int L_show_effect(lua_State* L) {
  Game(L);
  const char* name = luaL_checkstring(L, 1);
  GGameWnd* wnd = GGameWnd::GetCurrent();
  if (!wnd) return luaL_error(L, "show_effect: no game is running");
  if (strcmp(name, "health") == 0) {
    OItemsManager* items = SceneItems();
    if (!items) return luaL_error(L, "show_effect: the scene has no items manager to show the health");
    items->ShowHealthEffect();
    return 0;
  }
  if (strcmp(name, "wake_up") == 0) {
    wnd->ShowWakeUpEffect();
    return 0;
  }
  TXmlNode* effects = OGameConfig::GetInstance()->GetGameScreenChild("magic_effects");
  wnd->ShowMagicEffect(effects && TXmlNode::IsValidName(name) ? effects->GetChild(name) : nullptr,
                       new std::vector<IHint*>());
  return 0;
}

// navigator(): the travel navigator's state (0 .. 12), the ticks counted in
// that state, the world ids its selection offers and the particles its
// selection plays, each "script x y" (two tables, empty without a
// selection); nil while no journey runs.
int L_navigator(lua_State* L) {
  Game(L);
  GGameWnd* wnd = GGameWnd::GetCurrent();
  GNavigator* navigator = wnd ? wnd->GetNavigator() : nullptr;
  if (!navigator) {
    lua_pushnil(L);
    return 1;
  }
  lua_pushinteger(L, navigator->GetState());
  lua_pushinteger(L, navigator->GetTickCount());
  lua_newtable(L);
  if (GTravelSelection* selection = navigator->GetSelection()) {
    const std::vector<GTravelLocation*>& locations = selection->GetLocations();
    for (size_t i = 0; i < locations.size(); ++i) {
      lua_pushstring(L, locations[i]->GetWorldId().c_str());
      lua_rawseti(L, -2, int(i + 1));
    }
  }
  lua_newtable(L);
  if (GTravelSelection* selection = navigator->GetSelection()) {
    const std::vector<TFxSpriteRef>& particles = selection->GetParticles();
    for (size_t i = 0; i < particles.size(); ++i) {
      const TVec3& at = particles[i]->GetPosition();
      lua_pushstring(
          L, str::format("%s %d %d", particles[i]->GetScriptPath().c_str(), int(at.x), int(at.y)).c_str());
      lua_rawseti(L, -2, int(i + 1));
    }
  }
  return 4;
}

// vethra(): a table of the Vethra's tools. From the panel's globe:
// globe (its position, -1 before the first), globe_target, globe_mode (0
// idle, 1 turning right, 2 turning left, 3 inactive) and globe_state (the
// state shown, "noactive", "1", "10" ...). In a Vethra scene also: map (0
// hidden, 1 showing, 2 shown, 3 hiding, 4 leaving to travel), map_y (the
// map window's top), part (the part shown), fade (that part picture's
// alpha), grid (0 choosing, 1 a cell chosen), grid_active, marker_x and
// marker_y (the marker's place on the slides, absent when not shown),
// chooser (the chooser's state, absent without one) and chooser_buttons
// (how many of its buttons are shown). Nil without a game window.
int L_vethra(lua_State* L) {
  Game(L);
  GGameWnd* wnd = GGameWnd::GetCurrent();
  if (!wnd) {
    lua_pushnil(L);
    return 1;
  }
  lua_newtable(L);
  auto setInt = [L](const char* key, int value) {
    lua_pushinteger(L, value);
    lua_setfield(L, -2, key);
  };
  if (GVethraGlobe* globe = wnd->GetPanel() ? wnd->GetPanel()->GetGlobe() : nullptr) {
    setInt("globe", globe->GetPosition());
    setInt("globe_target", globe->GetTarget());
    setInt("globe_mode", globe->GetMode());
    lua_pushstring(L, globe->GetShownState().c_str());
    lua_setfield(L, -2, "globe_state");
  }
  GVethraGameScene* scene = WindowCast<GVethraGameScene>(wnd->GetCurrentScene());
  GVethraMap* map = scene ? scene->GetMap() : nullptr;
  if (map) {
    setInt("map", map->GetState());
    setInt("map_y", map->GetY());
    setInt("part", map->GetCurrentPart());
    GVethraMapSlides* slides = map->GetSlides();
    int current = slides->GetCurrent();
    if (current >= 0 && current < int(slides->GetPictures().size())) {
      lua_pushnumber(L, slides->GetPictures()[current]->GetAlpha());
      lua_setfield(L, -2, "fade");
    }
    if (TImage* marker = slides->GetMarker())
      if (marker->GetParent()) {
        setInt("marker_x", marker->GetX());
        setInt("marker_y", marker->GetY());
      }
    if (GVethraGrid* grid = map->GetGrid()) setInt("grid", grid->GetMode());
    lua_pushboolean(L, map->IsGridActive());
    lua_setfield(L, -2, "grid_active");
  }
  if (GVethraPotionEffectChooser* chooser = scene ? scene->GetChooser() : nullptr) {
    setInt("chooser", chooser->GetState());
    int shown = 0;
    for (GButton* button : chooser->GetButtons()) shown += button->GetParent() ? 1 : 0;
    setInt("chooser_buttons", shown);
  }
  return 1;
}

const std::vector<luaL_Reg> kFunctions = {
    {"tick", L_tick},
    {"click", L_click},
    {"press", L_press},
    {"release", L_release},
    {"move", L_move},
    {"wheel", L_wheel},
    {"key", L_key},
    {"key_down", L_key_down},
    {"key_up", L_key_up},
    {"close_request", L_close_request},
    {"game_lua", L_game_lua},
    {"window", L_window},
    {"window_rect", L_window_rect},
    {"text", L_text},
    {"top_modal", L_top_modal},
    {"pref", L_pref},
    {"pixel", L_pixel},
    {"screenshot", L_screenshot},
    {"lose_textures", L_lose_textures},
    {"reports", L_reports},
    {"heartbeat", L_heartbeat},
    {"drawing", L_drawing},
    {"sounds", L_sounds},
    {"timer", L_timer},
    {"ended", L_ended},
    {"scene", L_scene},
    {"go", L_go_request},
    {"minigame", L_minigame},
    {"held", L_held},
    {"registry", L_registry},
    {"save_document", L_save_document},
    {"events", L_events},
    {"set_save_document", L_set_save_document},
    {"flag", L_flag},
    {"set_flag", L_set_flag},
    {"music", L_music},
    {"mission", L_mission},
    {"task", L_task},
    {"page", L_page},
    {"autosave", L_autosave},
    {"timers", L_timers},
    {"indicators", L_indicators},
    {"pointer", L_pointer},
    {"type_text", L_type_text},
    {"volume", L_volume},
    {"item", L_item},
    {"give", L_give},
    {"act", L_act},
    {"book", L_book},
    {"panel", L_panel},
    {"magic", L_magic},
    {"show_effect", L_show_effect},
    {"navigator", L_navigator},
    {"vethra", L_vethra},
    {"player_only", L_player_only},
    {"worlds", L_worlds},
    {"string_table", L_string_table},
};

void PlayMainCallback(TPlatform* platform, const str& commandLine) {
  TWindowManager::GetInstance()->AddWindowType("TestTicker", &TestTicker::Create);
  TolvaneMainCallback(platform, commandLine);
}

// Messages name the scenario by its path, shortened to what follows "tests/"
// when it lies in the repo, since Lua cuts long chunk names.
str LabelFor(const str& path) {
  size_t at = path.rfind("tests/");
  str label = at == std::string::npos ? path : str(path.substr(at));
  if (label.size() > LUA_IDSIZE - 8) label = fs::path(path.c_str()).filename().string();
  return label;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    fprintf(stderr, "usage: tolvane-play CONTENT_DIR SCENARIO.lua\n");
    return 2;
  }
  std::error_code ec;
  fs::path content = fs::absolute(argv[1], ec);
  if (ec || !fs::is_directory(content)) {
    fprintf(stderr, "tolvane-play: %s is not a content folder\n", argv[1]);
    return 2;
  }

  Runner runner(argv[2], LabelFor(argv[2]));
  gRunner = &runner;
  if (!runner.Load(kFunctions)) return 1;

  char prefsTemplate[] = "/tmp/tolvane-play-XXXXXX";
  const char* prefsDir = mkdtemp(prefsTemplate);
  if (!prefsDir) {
    perror("tolvane-play: mkdtemp");
    return 1;
  }
  setenv("TOLVANE_PREFS_DIR", prefsDir, 1);
  setenv("TOLVANE_HEADLESS", "1", 1);
  setenv("SDL_VIDEODRIVER", "dummy", 1);
  setenv("SDL_AUDIODRIVER", "dummy", 1);
  TPlatform::SetHeadless(true);
  TPlatform::SetContentRoot(content.string());

  snprintf(gWhere, sizeof gWhere, "%s: at start-up", runner.GetLabel().c_str());
  InstallSignalHandlers();
  ArmWatchdog();
  ConfigurePlatform();
  TPlatform::GetInstance()->SetHeadlessDriver(&runner);
  int exitCode = PlatformExec(&PlayMainCallback);
  runner.OnGameEnded(exitCode);
  alarm(0);

  int result = runner.Finish();
  fs::remove_all(prefsDir, ec);
  return result;
}
