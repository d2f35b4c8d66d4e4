#include "GStartup.h"

#include "GWindowTypes.h"
#include "LuaBinding.h"
#include "OGameConfig.h"
#include "OSoundManager.h"
#include "OUsersManager.h"
#include "sdk/TEvent.h"
#include "sdk/TModalWindow.h"
#include "sdk/TPrefs.h"
#include "sdk/TRandom.h"
#include "sdk/TRenderer.h"
#include "sdk/TScript.h"
#include "sdk/TWindowManager.h"

namespace {
const char* const kStartScript = "scripts/mainloop.lua";
const char* const kQuitScript = "scripts/quitverify.lua";
const char* const kQuitDialog = "yesnobox";
const char* const kRandomName = "random";

std::function<void()>& Step(ShutdownStep step) {
  static std::function<void()> steps[kShutdownStepCount];
  return steps[step];
}

std::function<void()>& CloseRequestHandler() {
  static std::function<void()> handler;
  return handler;
}

void DeleteWindow(TWindow* window) {
  if (!window) return;
  if (TWindow* parent = window->GetParent()) parent->OrphanChild(window);
  delete window;
}

void OnCloseRequest(TWindowManager* wm) {
  TModalWindow* top = wm->GetTopModalWindow();
  // While the quit dialog is up, a further close request asks nothing again.
  if (top && top->GetName() == kQuitDialog) return;
  wm->RunScript(nullptr, kQuitScript);
  if (CloseRequestHandler()) CloseRequestHandler()();
}

void OnDisplayModeChanged(TPlatform* platform) {
  if (OUsersManager* users = OUsersManager::GetInstance())
    users->GetPrefs()->SetInt("fullscreen", platform->IsFullscreen() ? 1 : 0, -1, true);
}

void ShutDown() {
  for (int i = 0; i < kShutdownStepCount; ++i) {
    switch (i) {
      case kShutdownConfig:
        OGameConfig::DeleteInstance();
        break;
      case kShutdownSound:
        OSoundManager::DeleteInstance();
        break;
      case kShutdownUsers:
        OUsersManager::Delete();
        break;
      default:
        if (Step(ShutdownStep(i))) Step(ShutdownStep(i))();
        break;
    }
  }
}
}  // namespace

void SetShutdownStep(ShutdownStep step, std::function<void()> fn) {
  if (step >= 0 && step < kShutdownStepCount) Step(step) = std::move(fn);
}

void SetShutdownWindow(ShutdownStep step, std::function<TWindow*()> take) {
  if (step < 0 || step >= kShutdownStepCount) return;
  if (!take) {
    Step(step) = nullptr;
    return;
  }
  Step(step) = [take] { DeleteWindow(take()); };
}

void SetCloseRequestHandler(std::function<void()> fn) {
  CloseRequestHandler() = std::move(fn);
}

void ConfigurePlatform() {
  TPlatform* p = TPlatform::GetInstance();
  p->SetConfig(TPlatform::kGameName, "Tolvane");
  p->SetConfig("vsync", "1");
  p->SetConfig(TPlatform::kEncryptionKey, "wopzenlakQQQ");
  p->SetConfig(TPlatform::kGameHandle, "Tolvane");
  p->SetConfig(str::format("%s%d", TPlatform::kGameModeName, 1), "gamemode");
  p->SetConfig(str::format("%s%d", TPlatform::kGameMedalName, 1), "medal");
}

void TolvaneMainCallback(TPlatform* platform, const str& /*commandLine*/) {
  TRenderer::GetInstance()->SetOption("new_subtractive", "1");
  platform->SetWindowTitle("Tolvane");
  // The game draws its own pointer.
  platform->ShowCursor(false);
  OUsersManager::Create()->ApplyDisplayMode();
  TWindowManager* wm = platform->GetWindowManager();
  RegisterWindowTypes(wm);
  wm->RunScript(nullptr, kStartScript);
  RunMainLoop(platform);
}

void RunMainLoop(TPlatform* platform) {
  {
    TRandom random;
    BindLuaMember(kRandomName, &random, &TRandom::RandRange);
    TRenderer::GetInstance()->SetOption("fps", "0");

    TWindowManager* wm = platform->GetWindowManager();
    TEvent event;
    while (platform->GetEvent(event)) {
      if (event.type == TEvent::kQuit) break;
      if (event.type == TEvent::kCloseRequest)
        OnCloseRequest(wm);
      else if (event.type == TEvent::kDisplayModeChanged)
        OnDisplayModeChanged(platform);
      wm->HandleEvent(event);
    }
    // The generator dies with the loop; a script running during shut-down
    // must not reach it.
    UnbindLuaMember(kRandomName, &random);
  }
  ShutDown();
}
