#include "GVTexture.h"

#include "sdk/TXmlNode.h"

int GVReadCentering(const TXmlNode* element) {
  str c = element ? element->GetAttribute("centering") : str();
  if (c == "old") return GVTexture::kOld;
  if (c == "delta_left") return GVTexture::kDeltaLeft;
  if (c == "left") return GVTexture::kLeft;
  if (c == "center") return GVTexture::kCenter;
  return GVTexture::kInherit;
}

bool GVTexture::Load(TXmlNode* element, GVBase*) {
  if (!element) return false;
  str name = element->GetAttribute("name");
  if (name.empty()) return false;
  str path = element->GetAttribute("path");
  if (!path.empty()) mPath = path;
  centering = GVReadCentering(element);
  mPath += name;
  texture = TTexture::Get(mPath, 0);
  // The platform hands back an empty texture for a file it cannot read.
  return texture && !texture->IsEmpty();
}

bool GVTextures::Load(TXmlNode* element, GVBase* owner) {
  if (element) {
    str path = element->GetAttribute("path");
    if (!path.empty()) mFolder = path;
  }
  return GVConteiner::Load(element, owner);
}

GVTexture* GVTextures::CreateElement(TXmlNode* node) {
  GVTexture* t = new GVTexture(mFolder);
  if (t->Load(node, this)) return t;
  delete t;
  return nullptr;
}
