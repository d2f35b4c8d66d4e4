#pragma once
// The textures an object's frames are cut from: one "img" child each under
// "images", shared between an object, its copies and image-less children.

#include "GVConteiner.h"
#include "sdk/TTexture.h"

// The text of a "centering" attribute as a kind; anything unknown is 4 (inherit).
int GVReadCentering(const TXmlNode* element);

class GVTexture : public GVBase {
 public:
  enum { kOld = 0, kDeltaLeft = 1, kLeft = 2, kCenter = 3, kInherit = 4 };
  explicit GVTexture(const str& folder = str()) : GVBase(kTexture), mPath(folder) {}

  bool Load(TXmlNode* element, GVBase* owner) override;
  bool Save(TXmlNode*) override { return false; }
  // Texture sets are shared between copies, never copied.
  GVBase* CopyTo(GVBase*) override { return nullptr; }

  float anchorX = 0, anchorY = 0;
  int32_t centering = kInherit;
  TTextureRef texture;
  const str& GetPath() const { return mPath; }

 private:
  str mPath;
};

class GVTextures : public GVConteiner<GVTexture, str> {
 public:
  explicit GVTextures(const str& folder) : GVConteiner(kTextures, "img"), mFolder(folder) {}
  bool Load(TXmlNode* element, GVBase* owner) override;
  GVTexture* CreateElement(TXmlNode* node) override;
  GVTexture* CloneElement(GVTexture*) override { return nullptr; }
  str KeyOf(const GVTexture* item) const override { return item->GetPath(); }
  const str& GetFolder() const { return mFolder; }

 private:
  str mFolder;
};
