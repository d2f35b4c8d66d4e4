#include "GAlchemicalDeviceGameScene.h"

#include "items/OItemsManager.h"
#include "sdk/TReport.h"
#include "tools/alchemy/GAlchemicalDevicePanel.h"
#include "tools/alchemy/OAlchemicalDeviceItem.h"
#include "tools/panel/GGamePanel.h"

const char* const GAlchemicalDeviceGameScene::kDeviceName = "alchemical_device";

namespace {
// The game panel's kind for this scene.
const int kPanelKind = 1;
}  // namespace

GAlchemicalDeviceGameScene::GAlchemicalDeviceGameScene() : GInventoryGameScene(false) {
  mDevicePanel = new GAlchemicalDevicePanel();
  mDevicePanel->Fill();
  mEffectLayer = NewLayer();
  mEffectLayer->SetName("alchemical_device_effects");
  // A scene without a background still shows its potion.
  mBackgroundLayer->AdoptChild(mEffectLayer);
}

GAlchemicalDeviceGameScene::~GAlchemicalDeviceGameScene() {
  // The device panel was adopted by Init; one never adopted is deleted here.
  if (!mDevicePanel->GetParent()) delete mDevicePanel;
}

void GAlchemicalDeviceGameScene::Init(TWindowStyle& style) {
  GInventoryGameScene::Init(style);
  mUpperLayer->AdoptChild(mDevicePanel);
}

void GAlchemicalDeviceGameScene::Update() {
  GInventoryGameScene::Update();
  mDevicePanel->Update();
}

void GAlchemicalDeviceGameScene::AttachPanel(GGamePanel* panel) {
  mPanel = panel;
  if (!mPanel) return;
  mPanel->SetKind(kPanelKind);
  mPanelLayer->AdoptChild(mPanel);
}

void GAlchemicalDeviceGameScene::SetItemsManager(OItemsManager* manager) {
  GInventoryGameScene::SetItemsManager(manager);
  IItem* item = manager ? manager->FindItem(kDeviceName) : nullptr;
  mDevice = item && item->IsKindOf(ItemTypeId::OAlchemicalDeviceItem)
                ? static_cast<OAlchemicalDeviceItem*>(item)
                : nullptr;
  if (!mDevice) {
    // Nothing to brew in: done stays disabled and done and clear do nothing.
    if (manager)
      Report("alchemical device scene: no item \"%s\" of the device's kind; nothing can be brewed here",
             kDeviceName);
    if (mPanel) mPanel->ShowDoneButton(false);
    return;
  }
  mDevice->SetGamePanel(mPanel);
  if (mPanel) mPanel->ShowDoneButton(mDevice->IsLit());
  mDevice->LoadIntoPanel(mDevicePanel);
}

void GAlchemicalDeviceGameScene::ReleaseItemsManager() {
  // The device goes with the items it belongs to.
  mDevice = nullptr;
  GInventoryGameScene::ReleaseItemsManager();
}

void GAlchemicalDeviceGameScene::Pause() {
  GInventoryGameScene::Pause();
  mDevicePanel->SetPaused(true);
}

void GAlchemicalDeviceGameScene::Resume() {
  GInventoryGameScene::Resume();
  mDevicePanel->SetPaused(false);
  if (mDevice) mDevice->OnSceneResumed();
}

void GAlchemicalDeviceGameScene::SetBackground(OSimpleBackground* background) {
  GInventoryGameScene::SetBackground(background);
  // Right above the background, under the scene's objects.
  if (mEffectLayer->GetParent()) mEffectLayer->GetParent()->OrphanChild(mEffectLayer);
  mBackgroundLayer->AdoptChild(mEffectLayer);
}

void GAlchemicalDeviceGameScene::OnDoneClick() {
  if (mDevice) mDevice->Brew();
}

void GAlchemicalDeviceGameScene::OnClearClick() {
  if (mDevice) mDevice->Clear();
}
