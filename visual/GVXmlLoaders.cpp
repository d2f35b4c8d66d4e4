#include "GVXmlLoaders.h"

#include "GBaseInterpolator.h"
#include "GVData.h"
#include "GVFactory.h"
#include "GVObject.h"
#include "GZInterpolator.h"
#include "game/OGameConfig.h"
#include "sdk/TImage.h"
#include "sdk/TScript.h"
#include "sdk/TXmlNode.h"

namespace {
// Whole numbers of an attribute that counts as present only when not empty.
bool ReadInt(const TXmlNode* e, const char* name, int* out) {
  str text = e->GetAttribute(name);
  if (text.empty()) return false;
  *out = text.to_int();
  return true;
}

// The position of "x" and "y", each held to the coordinate range.
void ReadPosition(const TXmlNode* e, int* x, int* y) {
  *x = GVReadCoordinate("x", e, nullptr, *x);
  *y = GVReadCoordinate("y", e, nullptr, *y);
}

void RunInScript(const TFxSpriteRef& sprite, const str& code) {
  if (TScript* script = sprite->GetScript()) script->DoLuaString(code);
}
}  // namespace

TTextureRef LoadTextureFromXml(const TXmlNode* e, int flags) {
  if (!e) return TTextureRef();
  str folder = e->GetAttribute("folder");
  const str& content = e->GetContent();
  return TTexture::Get(folder + (content.empty() ? e->GetAttribute("asset") : content), flags);
}

TImage* LoadImageFromXml(const TXmlNode* e, int flags) {
  TImage* image = new TImage(true);
  image->SetTexture(LoadTextureFromXml(e, flags), 1.0f);
  if (!e) return image;
  int x = 0, y = 0;
  ReadPosition(e, &x, &y);
  if (x != 0 || y != 0) image->SetWindowPos(x, y);
  if (e->GetAttribute("hflip") == "true") image->SetDrawFlags(1);
  if (e->GetAttribute("vflip") == "true") image->SetDrawFlags(2);
  return image;
}

TSpriteRef LoadSpriteFromXml(const TXmlNode* e, int flags) {
  TSpriteRef sprite = TSprite::Create(1, LoadTextureFromXml(e, flags));
  if (!e) return sprite;
  int x = 0, y = 0;
  ReadPosition(e, &x, &y);
  if (x != 0 || y != 0) sprite->SetPosition(TVec3(float(x), float(y), 0));
  return sprite;
}

std::vector<TImage*> LoadImagesFromXml(const TXmlNode* e) {
  std::vector<TImage*> images;
  if (!e) return images;
  str defFolder = e->GetAttribute("folder");
  for (size_t i = 0; i < e->GetChildCount(); ++i) {
    const TXmlNode* c = e->GetChildAt(i);
    TImage* image = new TImage(true);
    str folder = c->GetAttribute("folder");
    if (folder.empty()) folder = defFolder;
    image->SetTexture(TTexture::Get(folder + c->GetAttribute("asset"), 0), 1.0f);
    int x = 0, y = 0;
    ReadPosition(c, &x, &y);
    if (x != 0 || y != 0) image->SetWindowPos(x, y);
    images.push_back(image);
  }
  return images;
}

void LoadParticleFromXml(const TXmlNode* e, std::vector<TFxSpriteRef>& sprites,
                         std::vector<GBaseInterpolator*>& interpolators, const TSpriteRef& parent) {
  if (!e || !OGameConfig::GetInstance()->AreParticlesEnabled()) return;
  TFxSpriteRef sprite = TFxSprite::Create(int(sprites.size()), e->GetAttribute("file"));
  if (!sprite) return;
  int x = 0, y = 0;
  ReadPosition(e, &x, &y);
  sprite->SetPosition(TVec3(float(x), float(y), 0));
  bool active = true;
  int value = 0;
  if (ReadInt(e, "active", &value)) active = value != 0;
  RunInScript(sprite, active ? "gActive = true" : "gActive = false");
  str action = e->GetAttribute("action");
  if (!action.empty()) RunInScript(sprite, action);
  // Without a "layer" the sprite keeps the place it was made with, its
  // position in the list, so siblings stack in document order.
  int layer = 0;
  if (ReadInt(e, "layer", &layer)) sprite->SetLayer(layer);
  if (parent) parent->AddChild(sprite);
  sprites.push_back(sprite);
  for (size_t i = 0; i < e->GetChildCount(); ++i) {
    const TXmlNode* c = e->GetChildAt(i);
    if (c->GetName() != "ip") continue;
    if (GBaseInterpolator* ip = GBaseInterpolator::Create(sprite, c)) {
      ip->Reset();
      interpolators.push_back(ip);
    }
  }
}

void LoadParticlesFromXml(const TXmlNode* e, std::vector<TFxSpriteRef>& sprites,
                          std::vector<GBaseInterpolator*>& interpolators, const TSpriteRef& parent) {
  if (!e) return;
  for (size_t i = 0; i < e->GetChildCount(); ++i)
    LoadParticleFromXml(e->GetChildAt(i), sprites, interpolators, parent);
}

TFxSpriteRef CreateParticleFromXml(const TXmlNode* e) {
  if (!e) return TFxSpriteRef();
  int layer = 0;
  ReadInt(e, "layer", &layer);
  TFxSpriteRef sprite = TFxSprite::Create(layer, e->GetAttribute("file"));
  if (!sprite) return sprite;
  RunInScript(sprite, "gActive = false");
  str action = e->GetAttribute("action");
  if (!action.empty()) RunInScript(sprite, action);
  sprite->SetPosition(TVec3(e->GetAttribute("x").to_float(), e->GetAttribute("y").to_float(), 0));
  return sprite;
}

GZInterpolator* LoadAnimationFromXml(const TXmlNode* e, GVDrawList* list) {
  if (!e || e->GetName() != "animation") return nullptr;
  GVFactory* factory = GVFactory::GetInstance();
  factory->drawList = list;
  factory->imageFolder = "anim/";
  factory->descriptionFolder = "xml/";
  GVObject* object = factory->CreateObject(nullptr, e->GetAttribute("file"), false, nullptr);
  GZInterpolator* z = new GZInterpolator;
  if (z->Load(e->GetChild("states"), object)) return z;
  delete z;
  // A refused animation does not take its object.
  delete object;
  return nullptr;
}

std::vector<GZInterpolator*> LoadAnimationsFromXml(const TXmlNode* e, GVDrawList* list) {
  std::vector<GZInterpolator*> out;
  if (!e) return out;
  for (size_t i = 0; i < e->GetChildCount(); ++i)
    if (GZInterpolator* z = LoadAnimationFromXml(e->GetChildAt(i), list)) out.push_back(z);
  return out;
}
