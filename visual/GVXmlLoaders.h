#pragma once
// One reading, with one set of defaults, of the picture elements that scene
// files and configuration documents share: "folder" with "asset" (or the
// file name as the element's text), "x", "y", flips, and particle sprites
// with a script "file", "active", "action" and "layer".

#include <vector>

#include "TFxSprite.h"
#include "sdk/TSprite.h"
#include "sdk/TTexture.h"

class TXmlNode;
class TImage;
class GVDrawList;
class GBaseInterpolator;
class GZInterpolator;

TTextureRef LoadTextureFromXml(const TXmlNode* element, int flags = 0);
// A new image the caller owns.
TImage* LoadImageFromXml(const TXmlNode* element, int flags = 0);
TSpriteRef LoadSpriteFromXml(const TXmlNode* element, int flags = 0);
// New images, one per child element, owned by the caller.
std::vector<TImage*> LoadImagesFromXml(const TXmlNode* element);
// Appends a particle sprite under `parent` and its path interpolators; adds
// nothing while particles are switched off in the configuration.
void LoadParticleFromXml(const TXmlNode* element, std::vector<TFxSpriteRef>& sprites,
                         std::vector<GBaseInterpolator*>& interpolators, const TSpriteRef& parent);
void LoadParticlesFromXml(const TXmlNode* element, std::vector<TFxSpriteRef>& sprites,
                          std::vector<GBaseInterpolator*>& interpolators, const TSpriteRef& parent);
// An inactive particle sprite.
TFxSpriteRef CreateParticleFromXml(const TXmlNode* element);
// A state animation of an "animation" element, or null.
GZInterpolator* LoadAnimationFromXml(const TXmlNode* element, GVDrawList* list);
std::vector<GZInterpolator*> LoadAnimationsFromXml(const TXmlNode* element, GVDrawList* list);
