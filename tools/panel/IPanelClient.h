#pragma once
// What the game panel, its inventory cells, the magic control and the
// quest-book button ask of the current scene. The panel's buttons never act
// on their own: every click becomes one call here and the scene decides.
// Every scene implements it.

#include <boost/shared_ptr.hpp>
#include <vector>

#include "sdk/TSprite.h"

class TFxSprite;
class GBaseInterpolator;
typedef boost::shared_ptr<TFxSprite> TFxSpriteRef;

class IPanelClient {
 public:
  virtual ~IPanelClient() = default;
  virtual void OnDoneClick() {}
  virtual void OnClearClick() {}
  // 0 left, 1 right, 2 top, 3 bottom, 4 exit full screen.
  virtual void OnPassageButtonClick(int direction) {}
  virtual void OnGlobeClick() {}
  // Asked only while the panel is locked, before a globe click or turn.
  virtual bool CanUseGlobeWhileLocked() { return false; }
  // The globe's new position (0 to 3), told before the globe turns to it.
  virtual void OnGlobeRotated(int position) {}
  virtual void OnThroughTimeMagic() {}
  virtual void OnThroughSpaceMagic() {}
  // Where effects played into the scene go: the sprite over the scene's
  // windows, its particle list and its interpolator list. The lists stay the
  // scene's; null when the scene keeps none.
  virtual TSpriteRef GetEffectsSpriteB() { return TSpriteRef(); }
  virtual std::vector<TFxSpriteRef>* GetEffectsList() { return nullptr; }
  virtual std::vector<GBaseInterpolator*>* GetEffectsHost() { return nullptr; }
  virtual bool CanScrollInventory() { return true; }
  // `cell` is the clicked cell's index within its inventory.
  virtual bool CanUseItem(int cell) { return true; }
  virtual bool IsMagicEnabled() = 0;
};
