#include "TPlatform.h"

#include <SDL.h>

#include <cstdlib>

#include "TFont.h"
#include "TRenderer.h"
#include "TReport.h"
#include "TSound.h"
#include "TStringTable.h"
#include "TTexture.h"
#include "TWindow.h"
#include "TWindowManager.h"

const char* const TPlatform::kGameName = "game_name";
const char* const TPlatform::kEncryptionKey = "encryption_key";
const char* const TPlatform::kGameHandle = "game_handle";
const char* const TPlatform::kGameModeName = "game_mode";
const char* const TPlatform::kGameMedalName = "game_medal";
const char* const TPlatform::kVsync = "vsync";

namespace {

// One frame every 16 ms, the game's heartbeat.
const uint32_t kFrameMs = 16;

TPlatform* gPlatform = nullptr;
int gHeadless = -1;  // -1: not set, read TOLVANE_HEADLESS
str gContentRoot;
bool gContentRootSet = false;

bool EnvIs(const char* name, const char* value) {
  const char* v = getenv(name);
  return v && str(v) == value;
}

// Key codes the windows see: lower-case letters, digits, space, the arrows as
// 37..40 and the named keys of TEvent; 0 for keys the game does not use.
int KeyCode(SDL_Keycode sym) {
  if (sym >= SDLK_a && sym <= SDLK_z) return int(sym);
  if (sym >= SDLK_0 && sym <= SDLK_9) return int(sym);
  switch (sym) {
    case SDLK_SPACE:
      return ' ';
    case SDLK_LEFT:
      return TEvent::kLeft;
    case SDLK_UP:
      return TEvent::kUp;
    case SDLK_RIGHT:
      return TEvent::kRight;
    case SDLK_DOWN:
      return TEvent::kDown;
    case SDLK_ESCAPE:
      return TEvent::kEscape;
    case SDLK_RETURN:
    case SDLK_KP_ENTER:
      return TEvent::kEnter;
    case SDLK_BACKSPACE:
      return TEvent::kBackspace;
    case SDLK_TAB:
      return TEvent::kTab;
    case SDLK_DELETE:
      return TEvent::kDelete;
  }
  // Other printable ASCII keys (punctuation) keep their character.
  if (sym > 32 && sym < 127) return int(sym);
  return 0;
}

uint32_t Modifiers(Uint16 mod) {
  uint32_t flags = 0;
  if (mod & KMOD_SHIFT) flags |= TEvent::kShift;
  if (mod & KMOD_CTRL) flags |= TEvent::kControl;
  if (mod & KMOD_ALT) flags |= TEvent::kAlt;
  return flags;
}

// The code points of a UTF-8 string; malformed bytes are skipped.
std::vector<int> DecodeUtf8(const char* s) {
  std::vector<int> out;
  const unsigned char* p = reinterpret_cast<const unsigned char*>(s);
  while (*p) {
    int cp, extra;
    if (*p < 0x80) {
      cp = *p;
      extra = 0;
    } else if ((*p & 0xE0) == 0xC0) {
      cp = *p & 0x1F;
      extra = 1;
    } else if ((*p & 0xF0) == 0xE0) {
      cp = *p & 0x0F;
      extra = 2;
    } else if ((*p & 0xF8) == 0xF0) {
      cp = *p & 0x07;
      extra = 3;
    } else {
      ++p;
      continue;
    }
    ++p;
    bool ok = true;
    for (int i = 0; i < extra; ++i, ++p) {
      if ((*p & 0xC0) != 0x80) {
        ok = false;
        break;
      }
      cp = (cp << 6) | (*p & 0x3F);
    }
    if (ok) out.push_back(cp);
  }
  return out;
}

}  // namespace

TPlatform* TPlatform::GetInstance() {
  if (!gPlatform) gPlatform = new TPlatform();
  return gPlatform;
}

TPlatform::TPlatform() : mStrings(new TStringTable()) {}
TPlatform::~TPlatform() {}

void TPlatform::SetConfig(const str& key, const str& value) {
  mConfig[key] = value;
  if (key == kVsync) TRenderer::GetInstance()->SetOption("vsync", value);
}

str TPlatform::GetConfig(const str& key) const {
  auto it = mConfig.find(key);
  return it == mConfig.end() ? str() : it->second;
}

void TPlatform::SetWindowTitle(const str& title) {
  mTitle = title;
  if (void* window = TRenderer::GetInstance()->GetSdlWindow())
    SDL_SetWindowTitle(static_cast<SDL_Window*>(window), title.c_str());
}

void TPlatform::ShowCursor(bool show) {
  mCursorShown = show;
  if (mSdlOpen && !IsHeadless()) SDL_ShowCursor(show ? SDL_ENABLE : SDL_DISABLE);
}

void TPlatform::SetCursorPos(int x, int y) {
  mCursor = TPoint(float(x), float(y));
  if (IsHeadless()) return;
  TRenderer* r = TRenderer::GetInstance();
  if (!r->GetSdlWindow() || !r->GetSdlRenderer()) return;
  // The window may be scaled; warp to where the logical point lands.
  int wx = x, wy = y;
  SDL_RenderLogicalToWindow(static_cast<SDL_Renderer*>(r->GetSdlRenderer()), float(x), float(y), &wx, &wy);
  SDL_WarpMouseInWindow(static_cast<SDL_Window*>(r->GetSdlWindow()), wx, wy);
}

uint32_t TPlatform::Timer() const {
  if (IsHeadless()) return mVirtualTime;
  return SDL_GetTicks() - mStartTicks;
}

uint32_t TPlatform::Rand() {
  // xorshift32: small, fast and the same on every machine.
  uint32_t x = mRandState;
  x ^= x << 13;
  x ^= x >> 17;
  x ^= x << 5;
  mRandState = x;
  return x;
}

TWindowManager* TPlatform::GetWindowManager() {
  return TWindowManager::GetInstance();
}

TStringTable* TPlatform::GetStringTable() {
  return mStrings.get();
}

bool TPlatform::SetDisplay(int /*width*/, int /*height*/, bool fullscreen) {
  // The logical screen is always 800x600; only the mode is the caller's.
  if (!mDisplayOpen) {
    // The start-up mode is not a change: nothing is queued, so a first start
    // never stores a mode the player did not choose.
    mFullscreen = fullscreen;
    TRenderer* r = TRenderer::GetInstance();
    mDisplayOpen = r->Open(IsHeadless(), fullscreen);
    if (!mDisplayOpen) return false;
    if (void* window = r->GetSdlWindow()) {
      SDL_SetWindowTitle(static_cast<SDL_Window*>(window), mTitle.c_str());
      if (!IsHeadless())
        mFullscreen = (SDL_GetWindowFlags(static_cast<SDL_Window*>(window)) & SDL_WINDOW_FULLSCREEN) != 0;
    }
    if (mSdlOpen && !IsHeadless()) SDL_ShowCursor(mCursorShown ? SDL_ENABLE : SDL_DISABLE);
    return true;
  }
  SetFullscreen(fullscreen);
  return true;
}

void TPlatform::SetFullscreen(bool fullscreen) {
  if (!mDisplayOpen) {
    mFullscreen = fullscreen;
    return;
  }
  if (fullscreen == mFullscreen) return;
  TRenderer* r = TRenderer::GetInstance();
  r->SetFullscreen(fullscreen);
  bool now = fullscreen;
  if (!IsHeadless())
    if (void* window = r->GetSdlWindow())
      now = (SDL_GetWindowFlags(static_cast<SDL_Window*>(window)) & SDL_WINDOW_FULLSCREEN) != 0;
  // A switch the system refused is not a change of mode.
  if (now == mFullscreen) return;
  mFullscreen = now;
  TEvent event;
  event.type = TEvent::kDisplayModeChanged;
  QueueEvent(event);
}

void TPlatform::QueueEvent(const TEvent& event) {
  mQueue.push_back(event);
}

bool TPlatform::GetEvent(TEvent& event) {
  TWindowManager* wm = TWindowManager::GetInstance();
  // The event returned last has been handled by now: modals popped by it go.
  wm->DeletePending();
  const bool headless = IsHeadless();
  for (;;) {
    if (!headless) {
      PumpSdl();
      TSoundManager::GetInstance()->Update();
      uint32_t now = Timer();
      if (int32_t(now - mNextFrame) >= 0) {
        // Once a frame, as a headless tick runs them: a task without a
        // delay must not run faster while input streams in.
        RunDue();
        DrawFrame();
        mNextFrame = now + kFrameMs;
      }
      wm->DeletePending();
    }
    if (!mQueue.empty()) {
      event = mQueue.front();
      mQueue.pop_front();
      if (event.type == TEvent::kMouseDown || event.type == TEvent::kMouseUp ||
          event.type == TEvent::kMouseMove || event.type == TEvent::kExtendedMouse)
        mCursor = event.point;
      return true;
    }
    if (headless) {
      if (mDriver && !mDriverDone) {
        if (!mDriver->Step(this)) mDriverDone = true;
        continue;
      }
      // Nothing will ever come: end the run.
      TEvent quit;
      quit.type = TEvent::kQuit;
      QueueEvent(quit);
      continue;
    }
    int32_t wait = int32_t(mNextFrame - Timer());
    if (wait < 1) wait = 1;
    if (wait > int32_t(kFrameMs)) wait = kFrameMs;
    SDL_WaitEventTimeout(nullptr, wait);
  }
}

bool TPlatform::PumpSdl() {
  if (!mSdlOpen) return false;
  SDL_Event e;
  bool any = false;
  while (SDL_PollEvent(&e)) {
    TranslateSdlEvent(&e);
    any = true;
  }
  return any;
}

void TPlatform::TranslateSdlEvent(const void* sdlEvent) {
  const SDL_Event& e = *static_cast<const SDL_Event*>(sdlEvent);
  TEvent ev;
  switch (e.type) {
    case SDL_QUIT:
      // Ctrl+C, a kill or the session ending: nobody is there to answer a
      // question, so the game ends as it does after the player confirmed.
      // The window's close button asks first (below).
      ev.type = TEvent::kQuit;
      QueueEvent(ev);
      break;
    case SDL_WINDOWEVENT:
      if (e.window.event == SDL_WINDOWEVENT_CLOSE) {
        ev.type = TEvent::kCloseRequest;
        QueueEvent(ev);
      } else if (e.window.event == SDL_WINDOWEVENT_LEAVE) {
        ev.type = TEvent::kMouseLeave;
        ev.point = mCursor;
        QueueEvent(ev);
      }
      break;
    case SDL_MOUSEMOTION:
      ev.type = TEvent::kMouseMove;
      ev.point = TPoint(float(e.motion.x), float(e.motion.y));
      // Wheel events carry no position: they use the latest one.
      mCursor = ev.point;
      QueueEvent(ev);
      break;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP: {
      bool down = e.type == SDL_MOUSEBUTTONDOWN;
      ev.point = TPoint(float(e.button.x), float(e.button.y));
      if (e.button.button == SDL_BUTTON_LEFT) {
        ev.type = down ? TEvent::kMouseDown : TEvent::kMouseUp;
      } else if (e.button.button == SDL_BUTTON_RIGHT) {
        ev.type = TEvent::kExtendedMouse;
        ev.code = down ? TEvent::kRightDown : TEvent::kRightUp;
      } else {
        break;
      }
      QueueEvent(ev);
      break;
    }
    case SDL_MOUSEWHEEL: {
      int dx = e.wheel.x, dy = e.wheel.y;
      if (e.wheel.direction == SDL_MOUSEWHEEL_FLIPPED) {
        dx = -dx;
        dy = -dy;
      }
      ev.type = TEvent::kExtendedMouse;
      ev.point = mCursor;
      // One event per notch, as the game counts them.
      for (int i = 0; i < (dy < 0 ? -dy : dy); ++i) {
        ev.code = dy > 0 ? TEvent::kWheelUp : TEvent::kWheelDown;
        QueueEvent(ev);
      }
      for (int i = 0; i < (dx < 0 ? -dx : dx); ++i) {
        ev.code = dx > 0 ? TEvent::kWheelRight : TEvent::kWheelLeft;
        QueueEvent(ev);
      }
      break;
    }
    case SDL_KEYDOWN:
    case SDL_KEYUP: {
      int key = KeyCode(e.key.keysym.sym);
      if (!key) break;
      ev.type = e.type == SDL_KEYDOWN ? TEvent::kKeyDown : TEvent::kKeyUp;
      ev.key = key;
      ev.flags = Modifiers(e.key.keysym.mod);
      QueueEvent(ev);
      // These keys type no text through SDL, but the windows expect their
      // characters as the keyboard gives them.
      if (e.type == SDL_KEYDOWN &&
          (key == TEvent::kEscape || key == TEvent::kEnter || key == TEvent::kBackspace)) {
        ev.type = TEvent::kChar;
        QueueEvent(ev);
      }
      break;
    }
    case SDL_TEXTINPUT:
      ev.type = TEvent::kChar;
      for (int cp : DecodeUtf8(e.text.text)) {
        ev.key = cp;
        QueueEvent(ev);
      }
      break;
    case SDL_RENDER_TARGETS_RESET:
    case SDL_RENDER_DEVICE_RESET:
      // Also runs the texture-refresh listeners.
      TRenderer::GetInstance()->LoseTargets();
      break;
  }
}

void TPlatform::AdoptTask(TTask* task) {
  if (task) mTasks.Adopt(task, Timer());
}

void TPlatform::OrphanTask(TTask* task) {
  if (task) mTasks.Orphan(task);
}

void TPlatform::AdoptTextureRefreshListener(TTask* listener) {
  if (!listener) return;
  for (TTask* t : mRefreshListeners)
    if (t == listener) return;
  mRefreshListeners.push_back(listener);
}

void TPlatform::OrphanTextureRefreshListener(TTask* listener) {
  for (size_t i = 0; i < mRefreshListeners.size(); ++i)
    if (mRefreshListeners[i] == listener) {
      mRefreshListeners.erase(mRefreshListeners.begin() + long(i));
      return;
    }
}

void TPlatform::NotifyTexturesLost() {
  // A listener may orphan itself or others while it runs: walk by index over
  // a snapshot and skip those no longer registered.
  std::vector<TTask*> listeners = mRefreshListeners;
  for (TTask* t : listeners) {
    bool still = false;
    for (TTask* r : mRefreshListeners) still = still || r == t;
    if (still) t->DoTask();
  }
}

void TPlatform::SetHeadless(bool headless) {
  gHeadless = headless ? 1 : 0;
}

bool TPlatform::IsHeadless() {
  if (gHeadless < 0) gHeadless = EnvIs("TOLVANE_HEADLESS", "1") ? 1 : 0;
  return gHeadless == 1;
}

void TPlatform::Tick(uint32_t ms, bool draw) {
  if (IsHeadless()) mVirtualTime += ms;
  RunDue();
  TSoundManager::GetInstance()->Update();
  if (draw) DrawFrame();
  TWindowManager::GetInstance()->DeletePending();
}

void TPlatform::SetContentRoot(const str& root) {
  gContentRoot = root;
  gContentRootSet = true;
}

const str& TPlatform::GetContentRoot() {
  if (!gContentRootSet) {
    const char* env = getenv("TOLVANE_CONTENT");
    gContentRoot = env && *env ? str(env) : str("content");
    gContentRootSet = true;
  }
  return gContentRoot;
}

str TPlatform::ResolvePath(const str& relative) {
  if (relative.empty() || relative[0] == '/') return relative;
  const str& root = GetContentRoot();
  if (root.empty()) return relative;
  return root.ends_with("/") ? root + relative : root + "/" + relative;
}

void TPlatform::RunDue() {
  TWindowManager* wm = TWindowManager::GetInstance();
  uint32_t now = Timer();
  wm->EnterDispatch();
  mTasks.Run(now);
  wm->RunAnimations(now);
  wm->LeaveDispatch();
}

void TPlatform::DrawFrame() {
  if (!mDisplayOpen) return;
  TRenderer* r = TRenderer::GetInstance();
  r->BeginFrame();
  TWindowManager::GetInstance()->DrawAll();
  r->EndFrame();
}

int PlatformExec(TMainCallback callback, const str& commandLine) {
  TPlatform* p = TPlatform::GetInstance();
  const bool headless = TPlatform::IsHeadless();
  if (headless) {
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    setenv("SDL_AUDIODRIVER", "dummy", 1);
  }
#ifdef SDL_HINT_QUIT_ON_LAST_WINDOW_CLOSE
  // The window's close button asks the player; SDL's own quit on closing the
  // last window would end the game before the answer.
  SDL_SetHint(SDL_HINT_QUIT_ON_LAST_WINDOW_CLOSE, "0");
#endif
  if (SDL_Init(SDL_INIT_VIDEO | SDL_INIT_EVENTS | SDL_INIT_TIMER) != 0) {
    Report("cannot start SDL: %s", SDL_GetError());
    return 1;
  }
  p->mSdlOpen = true;
  p->mStartTicks = SDL_GetTicks();
  p->mNextFrame = 0;
  p->mDriverDone = false;
  p->mDisplayOpen = false;
  p->mExitCode = 0;
  p->mQueue.clear();

  p->GetStringTable()->Load("strings/strings.xml");
  TSoundManager::GetInstance()->Open();

  if (callback) callback(p, commandLine);

  // Teardown order: windows first (their destructors still reach sounds,
  // textures and the script), then sound, the display, fonts and textures.
  TWindowManager* wm = TWindowManager::GetInstance();
  wm->DeletePending();
  TWindowManager::DestroyInstance();
  TSoundManager::GetInstance()->Shutdown();
  TRenderer::GetInstance()->Close();
  TFont::Shutdown();
  TTexture::ClearCache();
  SDL_Quit();
  p->mSdlOpen = false;
  p->mDisplayOpen = false;
  p->mQueue.clear();
  return p->mExitCode;
}
