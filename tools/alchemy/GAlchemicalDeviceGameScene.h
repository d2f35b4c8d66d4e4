#pragma once
// The scene in which the alchemical device stands: an inventory scene with
// the device's cell panel in its tool layer and, right above its background,
// a layer that hosts the potion window. It binds the device item to both,
// picks the game panel's done button by whether the device is lit, and
// passes the panel's done and clear buttons to the device.

#include "game/GInventoryGameScene.h"

class GAlchemicalDevicePanel;
class OAlchemicalDeviceItem;

class GAlchemicalDeviceGameScene : public GInventoryGameScene {
  TWINDOW_CLASS(GAlchemicalDeviceGameScene, GInventoryGameScene)
 public:
  // The device's item name: the scene binds the item of this name.
  static const char* const kDeviceName;

  GAlchemicalDeviceGameScene();
  ~GAlchemicalDeviceGameScene() override;

  void Init(TWindowStyle& style) override;
  void Update() override;
  void AttachPanel(GGamePanel* panel) override;
  // Finds the device, gives it the game panel, shows the done button when it
  // is lit and places its restored contents.
  void SetItemsManager(OItemsManager* manager) override;
  void ReleaseItemsManager() override;
  void Pause() override;
  void Resume() override;
  void SetBackground(OSimpleBackground* background) override;

  void OnDoneClick() override;
  void OnClearClick() override;

  GAlchemicalDevicePanel* GetDevicePanel() const { return mDevicePanel; }
  TWindow* GetEffectLayer() const { return mEffectLayer; }
  // Null when the scene has no item "alchemical_device".
  OAlchemicalDeviceItem* GetDevice() const { return mDevice; }

 private:
  GAlchemicalDevicePanel* mDevicePanel;  // a child of the tool layer
  TWindow* mEffectLayer;                 // a child of the background layer
  OAlchemicalDeviceItem* mDevice = nullptr;
};
