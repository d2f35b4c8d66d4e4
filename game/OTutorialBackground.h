#pragma once
// The background of the tutorial scenes. Successive tutorial scenes usually
// show the same picture, so it is loaded once and shared until the rules say
// the tutorial is over.

#include "game/OSimpleBackground.h"

class TXmlNode;

class OTutorialBackground : public OSimpleBackground {
  TWINDOW_CLASS(OTutorialBackground, OSimpleBackground)
 public:
  OTutorialBackground() = default;
  OTutorialBackground(TXmlNode* node, TWindow* overlay);

  // The shared picture when `node` describes the same one as last time
  // (the whole element, attributes and text); otherwise a new one made from
  // `node`, which becomes the shared picture.
  static TSpriteRef GetSharedSprite(TXmlNode* node);
  // Drops the shared picture; the next tutorial scene loads it anew.
  static void ReleaseSharedTexture();
  static bool HasSharedSprite();
};
