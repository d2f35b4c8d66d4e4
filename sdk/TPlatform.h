#pragma once
// The process, the display, the clock and the event pump. One instance, made
// by PlatformExec; the game reaches it through TPlatform::GetInstance().

#include <cstdint>
#include <deque>
#include <map>
#include <memory>

#include "TEvent.h"
#include "TTask.h"
#include "str.h"

class TWindowManager;
class TStringTable;
class TPlatform;

typedef void (*TMainCallback)(TPlatform* platform, const str& commandLine);

// Drives a headless run: GetEvent asks it for more work whenever nothing is
// queued. It queues events or ticks through the platform and returns; when it
// returns false the platform queues a quit event.
class IHeadlessDriver {
 public:
  virtual ~IHeadlessDriver() = default;
  virtual bool Step(TPlatform* platform) = 0;
};

class TPlatform {
 public:
  // Keys of SetConfig.
  static const char* const kGameName;
  static const char* const kEncryptionKey;
  static const char* const kGameHandle;
  static const char* const kGameModeName;
  static const char* const kGameMedalName;
  static const char* const kVsync;

  static TPlatform* GetInstance();

  void SetConfig(const str& key, const str& value);
  str GetConfig(const str& key) const;

  void SetWindowTitle(const str& title);
  const str& GetWindowTitle() const { return mTitle; }
  void ShowCursor(bool show);
  bool IsCursorShown() const { return mCursorShown; }
  void SetCursorPos(int x, int y);
  TPoint GetCursorPos() const { return mCursor; }

  // Milliseconds since start, as an unsigned 32-bit count. Virtual when
  // headless: it moves only when the driver ticks.
  uint32_t Timer() const;
  uint32_t Rand();

  TWindowManager* GetWindowManager();
  TStringTable* GetStringTable();

  // The logical size is always 800x600. The first call opens the display and
  // queues nothing; every later change of mode queues kDisplayModeChanged.
  bool SetDisplay(int width, int height, bool fullscreen);
  bool IsFullscreen() const { return mFullscreen; }
  void SetFullscreen(bool fullscreen);
  int GetWidth() const { return 800; }
  int GetHeight() const { return 600; }

  // Pumps input, runs due window animations and tasks, draws a frame when one
  // is due, and returns the next event (blocking until there is one).
  bool GetEvent(TEvent& event);
  void QueueEvent(const TEvent& event);

  // Tasks that run whatever modal is on top.
  void AdoptTask(TTask* task);
  void OrphanTask(TTask* task);
  // Run (DoTask) after the renderer has lost its textures.
  void AdoptTextureRefreshListener(TTask* listener);
  void OrphanTextureRefreshListener(TTask* listener);
  void NotifyTexturesLost();

  bool ExtendedMouseEvents() const { return true; }

  // Headless runs: the dummy video and audio drivers, a software renderer and
  // a virtual clock. Set before PlatformExec (also by TOLVANE_HEADLESS=1).
  static void SetHeadless(bool headless);
  static bool IsHeadless();
  // A new driver starts fresh, even when the one before it already finished.
  void SetHeadlessDriver(IHeadlessDriver* driver) {
    mDriver = driver;
    mDriverDone = false;
  }
  // What PlatformExec returns once the main callback is done (0 by default).
  void SetExitCode(int code) { mExitCode = code; }
  int GetExitCode() const { return mExitCode; }
  // One heartbeat: the clock moves by `ms`, then due animations and tasks run
  // and a frame is drawn, exactly as the interactive loop does. A headless
  // run that looks at no frame in between may leave the frame undrawn.
  void Tick(uint32_t ms = 16, bool draw = true);
  // The content root every relative path is read from (TOLVANE_CONTENT, else
  // "content" beside the working directory).
  static void SetContentRoot(const str& root);
  static const str& GetContentRoot();
  static str ResolvePath(const str& relative);

  // Internal to the layer.
  void RunDue();  // runs tasks and animations due now
  void DrawFrame();
  TPlatform();
  ~TPlatform();

 private:
  std::map<str, str> mConfig;
  str mTitle;
  bool mCursorShown = true;
  TPoint mCursor;
  bool mFullscreen = false;
  bool mDisplayOpen = false;
  uint32_t mVirtualTime = 0;
  uint32_t mRandState = 12345;
  std::deque<TEvent> mQueue;
  TTaskList mTasks;
  std::vector<TTask*> mRefreshListeners;
  IHeadlessDriver* mDriver = nullptr;
  bool mDriverDone = false;
  uint32_t mNextFrame = 0;
  uint32_t mStartTicks = 0;  // SDL ticks at PlatformExec
  bool mSdlOpen = false;
  int mExitCode = 0;
  std::unique_ptr<TStringTable> mStrings;
  bool PumpSdl();
  void TranslateSdlEvent(const void* sdlEvent);
  void AfterTick();
  friend int PlatformExec(TMainCallback callback, const str& commandLine);
  friend struct TPlatformAccess;
};

// Opens the platform, runs the main callback, closes the platform; returns
// the process's exit code.
int PlatformExec(TMainCallback callback, const str& commandLine = "");
