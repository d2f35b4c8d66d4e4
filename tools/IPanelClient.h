#pragma once
// What the game panel asks of the current scene. Every scene implements it;
// the operations on the globe and the two that follow them serve the Vethra
// scene only.

#include <boost/shared_ptr.hpp>
#include <vector>

#include "sdk/TSprite.h"

class TFxSprite;
class GBaseInterpolator;
typedef boost::shared_ptr<TFxSprite> TFxSpriteRef;

class IPanelClient {
public:
  virtual ~IPanelClient() = default;
  virtual void OnDoneClick() = 0;
  virtual void OnClearClick() = 0;
  // 0 left, 1 right, 2 top, 3 bottom, 4 exit.
  virtual void OnPassageButtonClick(int direction) = 0;
  virtual void OnGlobeClick() = 0;
  virtual bool CanUseGlobeWhileLocked() = 0;
  virtual void OnGlobeRotated(int step) = 0;
  virtual void OnGlobeAction(int value) = 0;
  virtual void OnGlobeActionEnd() = 0;
  virtual void OnThroughTimeMagic() = 0;
  virtual void OnThroughSpaceMagic() = 0;
  virtual TSpriteRef GetEffectsSpriteA() = 0;
  virtual TSpriteRef GetEffectsSpriteB() = 0;
  // The scene's particle list and interpolator list; null when it has none.
  virtual std::vector<TFxSpriteRef>* GetEffectsList() = 0;
  virtual std::vector<GBaseInterpolator*>* GetEffectsHost() = 0;
  virtual bool CanScrollInventory() = 0;
  virtual bool CanUseItem(int kind) = 0;
  virtual bool IsMagicEnabled() = 0;
};
