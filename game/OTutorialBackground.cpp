#include "OTutorialBackground.h"

#include "sdk/TXmlNode.h"
#include "visual/GVXmlLoaders.h"

namespace {
struct SharedPicture {
  TSpriteRef sprite;
  str content;
};

// Never freed: the picture may be held until the process ends, and textures
// must not outlive the renderer in static destruction.
SharedPicture& Shared() {
  static SharedPicture* shared = new SharedPicture();
  return *shared;
}
}  // namespace

OTutorialBackground::OTutorialBackground(TXmlNode* node, TWindow* overlay)
    : OSimpleBackground(overlay, GetSharedSprite(node)) {}

TSpriteRef OTutorialBackground::GetSharedSprite(TXmlNode* node) {
  SharedPicture& shared = Shared();
  str content = node ? node->AsString() : str();
  if (shared.sprite && content == shared.content) return shared.sprite;
  shared.sprite = LoadSpriteFromXml(node);
  shared.content = content;
  return shared.sprite;
}

void OTutorialBackground::ReleaseSharedTexture() {
  Shared().sprite.reset();
}

bool OTutorialBackground::HasSharedSprite() {
  return Shared().sprite != nullptr;
}
