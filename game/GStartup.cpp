#include "GStartup.h"

#include "sdk/TEvent.h"
#include "sdk/TWindowManager.h"

void ConfigurePlatform() {
  TPlatform* p = TPlatform::GetInstance();
  p->SetConfig(TPlatform::kGameName, "Tolvane");
  p->SetConfig(TPlatform::kVsync, "1");
}

void TolvaneMainCallback(TPlatform* platform, const str& /*commandLine*/) {
  platform->SetWindowTitle("Tolvane");
  platform->SetDisplay(800, 600, false);
  TWindowManager* wm = platform->GetWindowManager();
  wm->RunScript(nullptr, "scripts/mainloop.lua");
  TEvent event;
  while (platform->GetEvent(event)) {
    if (event.type == TEvent::kQuit) break;
    wm->HandleEvent(event);
  }
}
