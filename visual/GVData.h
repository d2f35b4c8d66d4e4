#pragma once
// The block of display values carried by objects and their states, with the
// arithmetic that stacks blocks, and the typed XML attribute readers and
// writers that turn attribute text into numbers with the framework's defaults.

#include <cstdint>

#include "GVBase.h"
#include "sdk/str.h"

class GVData : public GVBase {
 public:
  enum { kFlipH = 1, kFlipV = 2 };
  enum { kBlendNormal = 0, kBlendAdd = 2, kBlendSub = 3, kBlendMul = 4 };

  GVData() : GVBase(kData) {}
  explicit GVData(int32_t typeCode) : GVBase(typeCode) {}

  bool Load(TXmlNode* element, GVBase* owner) override;
  bool Save(TXmlNode* element) override;
  GVBase* CopyTo(GVBase* other) override;
  virtual void ClearChanged() { changed = 0; }

  // Only the display values, leaving the target's kind and other fields alone.
  void CopyValuesTo(GVData& other) const;
  // Puts `other` on top of this block.
  void Compose(const GVData& other);
  // The block that, composed on top of `previous`, gives `current`.
  static GVData MakeDifference(const GVData& current, const GVData& previous);
  void SetDefaults();

  float deltaX = 0;
  float deltaY = 0;
  float deltaZ = 0;
  int8_t visible = 1;  // composition may briefly hold 2
  float alpha = 1;
  int32_t flags = 0;  // kFlipH, kFlipV
  int32_t blend = kBlendNormal;
  float rotate = 0;  // radians
  float scaling = 1;
  uint8_t changed = 1;
};

float GVReadFloatAttribute(const char* name, const TXmlNode* element, float def);
int GVReadIntAttribute(const char* name, const TXmlNode* element, int def);
unsigned GVReadUIntAttribute(const char* name, const TXmlNode* element, unsigned def);
bool GVReadBoolAttribute(const char* name, const TXmlNode* element);
void GVWriteIntAttribute(const char* name, TXmlNode* element, int value, int def);

// Pixel coordinates and sizes from content are held to +-kContentNumberLimit
// (sizes from 0), so that sums and products of a few of them stay inside an
// int. An empty or missing value is `def`; a value outside low..high is
// reported, naming `where` (the document and element; the element's name
// when null), and the nearest bound is used.
const int kContentNumberLimit = 100000;
int GVReadRangedAttribute(const char* name, const TXmlNode* element, int low, int high, int def,
                          const char* where = nullptr);
int GVReadCoordinate(const char* name, const TXmlNode* element, const char* where = nullptr, int def = 0);
int GVReadSize(const char* name, const TXmlNode* element, const char* where = nullptr, int def = 0);
void GVWriteFloatAttribute(const char* name, TXmlNode* element, float value, float def);
