#include "GVethraGameScene.h"

#include <memory>

#include "game/GMousePointer.h"
#include "game/OGame.h"
#include "sdk/TReport.h"
#include "sdk/TWindowManager.h"
#include "tools/panel/GGamePanel.h"
#include "tools/vethra/GVethraGlobe.h"
#include "tools/vethra/GVethraMap.h"
#include "tools/vethra/GVethraPotionEffectChooser.h"
#include "visual/LuaUtils.h"

namespace {
const char* const kChooserScript = "scripts/through_space_potion.lua";
const char* const kChooserWindow = "VethraPotionEffectChooser";
}  // namespace

GVethraGameScene::GVethraGameScene() : mLuaNames(this) {
  mLuaNames.Bind("doThroughVethraPassage", this, &GVethraGameScene::doThroughVethraPassage);
  mLuaNames.Bind("doThroughSpacePassage", this, &GVethraGameScene::doThroughSpacePassage);
}

GVethraGameScene::~GVethraGameScene() {
  if (mMap) {
    if (mMap->GetParent()) mMap->GetParent()->OrphanChild(mMap);
    delete mMap;
    mMap = nullptr;
  }
  mLuaNames.UnbindAll();
  // One still adopted goes with the scene's windows; one already taken out
  // by its button, but not yet deleted by a tick, is deleted here.
  if (mChooser && !mChooser->GetParent()) delete mChooser;
  mChooser = nullptr;
}

void GVethraGameScene::Init(TWindowStyle& style) {
  GInventoryGameScene::Init(style);
  mMap = new GVethraMap(mMasksManager);
  mMap->Build();
  mUpperLayer->AdoptChild(mMap);
  std::unique_ptr<OVethraCoords> coords = OGame::GetInstance()->GetVethraSceneCoords();
  if (!coords)
    Report(
        "vethra scene \"%s\": not a Vethra scene id (part_column_row in world \"vethra\"); the globe stays",
        OGame::GetInstance()->GetCurrentSceneId().c_str());
  else if (GVethraGlobe* globe = Globe())
    globe->RotateTo(coords->part);
}

void GVethraGameScene::AttachPanel(GGamePanel* panel) {
  mPanel = panel;
  if (!mPanel) return;
  mPanel->SetKind(2);
  mPanelLayer->AdoptChild(mPanel);
}

void GVethraGameScene::Update() {
  GFullScreenGameScene::Update();
  if (mChooser) {
    mChooser->Tick();
    if (!mChooser->GetParent()) {
      delete mChooser;
      mChooser = nullptr;
    }
  }
  if (mMap) mMap->Tick();
}

GVethraGlobe* GVethraGameScene::Globe() const {
  return mPanel ? mPanel->GetGlobe() : nullptr;
}

int GVethraGameScene::GlobeTarget() const {
  if (GVethraGlobe* globe = Globe())
    if (globe->GetTarget() >= 0) return globe->GetTarget();
  std::unique_ptr<OVethraCoords> coords = OGame::GetInstance()->GetVethraSceneCoords();
  return coords ? coords->part : 0;
}

void GVethraGameScene::OnGlobeClick() {
  if (!mMap) return;
  int state = mMap->GetState();
  if (state == GVethraMap::kHidden) {
    mMap->ShowPart(GlobeTarget());
    mMap->Show();
    mMap->SetGridActive(false);
    Pause();
  } else if (state == GVethraMap::kShown && !mMap->IsGridActive()) {
    mMap->Hide();
    Resume();
  }
}

bool GVethraGameScene::CanUseGlobeWhileLocked() {
  return mMap && mMap->GetState() != GVethraMap::kHidden;
}

void GVethraGameScene::OnGlobeRotated(int position) {
  if (!mMap) return;
  int state = mMap->GetState();
  if (state != GVethraMap::kHidden && state != GVethraMap::kLeaving) mMap->FadeToPart(position);
}

void GVethraGameScene::OnThroughSpaceMagic() {
  // One chooser at a time.
  if (mChooser) return;
  mChooser = LoadWindowFromScript<GVethraPotionEffectChooser>(kChooserScript, kChooserWindow);
  if (!mChooser) {
    Report("%s builds no \"%s\"; the Vethra offers no choice of journey", kChooserScript, kChooserWindow);
    return;
  }
  GMousePointer::GetInstance()->SetInGameMode(false);
  mUpperLayer->AdoptChild(mChooser);
  Pause();
}

void GVethraGameScene::RemoveChooser() {
  if (mChooser && mChooser->GetParent()) mChooser->GetParent()->OrphanChild(mChooser);
}

void GVethraGameScene::doThroughVethraPassage() {
  if (mMap) {
    mMap->ShowPart(GlobeTarget());
    mMap->Show();
    mMap->SetGridActive(true);
  }
  Pause();
  RemoveChooser();
}

void GVethraGameScene::doThroughSpacePassage() {
  // Nothing of this name is ever pushed; popping it is harmless.
  TWindowManager::GetInstance()->PopModal(str("through_space_potion"));
  StartTravel(0);
  RemoveChooser();
}
