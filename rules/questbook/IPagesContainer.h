#pragma once
// A book whose page sheets turn: the sheets ask it for the particle effects
// that ride a turn and a content reveal, and tell it whenever one of them
// changes its turn state. The quest book and the cook book implement it.

#include <vector>

#include "visual/TFxSprite.h"

class IPagesContainer {
 public:
  virtual ~IPagesContainer() = default;
  // New particle sprites placed at (x, y), which ride a content reveal.
  virtual std::vector<TFxSpriteRef> CreateContentAppearEffects(int x, int y) = 0;
  virtual void OnPageTurned() = 0;
  // A particle sprite placed at (x, y) that follows the free corner of a
  // turning sheet; may be null when the book has none.
  virtual TFxSpriteRef CreateTurningParticle(int x, int y) = 0;
  // Length of a content reveal in ticks (16 ms).
  virtual int GetContentAppearTicks() = 0;
};
