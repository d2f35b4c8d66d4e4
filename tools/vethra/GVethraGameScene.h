#pragma once
// The scene kind of the Vethra world: an inventory scene with the world map.
// The panel's globe shows the part the player stands in; a click on it
// slides the map in to look at that part and out again, its arrows turn the
// shown map to the neighbouring part. The through-space magic opens a small
// chooser here: travel across the Vethra on the map, or through space.

#include "game/GInventoryGameScene.h"
#include "game/LuaBinding.h"

class GVethraGlobe;
class GVethraMap;
class GVethraPotionEffectChooser;

class GVethraGameScene : public GInventoryGameScene {
  TWINDOW_CLASS(GVethraGameScene, GInventoryGameScene)
 public:
  GVethraGameScene();
  ~GVethraGameScene() override;

  void Init(TWindowStyle& style) override;
  void AttachPanel(GGamePanel* panel) override;
  // The panel is not stepped a second time here, unlike the other
  // inventory scenes.
  void Update() override;

  void OnGlobeClick() override;
  bool CanUseGlobeWhileLocked() override;
  void OnGlobeRotated(int position) override;
  void OnThroughSpaceMagic() override;

  // Lua "doThroughVethraPassage" and "doThroughSpacePassage", the chooser's
  // two buttons; each removes the chooser.
  void doThroughVethraPassage();
  void doThroughSpacePassage();

  GVethraMap* GetMap() const { return mMap; }
  GVethraPotionEffectChooser* GetChooser() const { return mChooser; }

 private:
  GVethraGlobe* Globe() const;
  // The part the globe heads for; the player's own part without a globe.
  int GlobeTarget() const;
  void RemoveChooser();

  GVethraMap* mMap = nullptr;                      // owned
  GVethraPotionEffectChooser* mChooser = nullptr;  // owned
  LuaNameSet mLuaNames;
};
