#pragma once
// Root of the visual-object framework: every node of an XML-described object
// tree knows its kind, its owner, and how to load, save and copy itself.

#include <cstdint>

class TXmlNode;

class GVBase {
 public:
  // Type codes compared by code that must know what framework object it holds.
  enum {
    kParams = 0,
    kHitTester = 0,
    kData = 1,
    kFrame = 2,
    kFrames = 3,
    kTexture = 4,
    kTextures = 5,
    kState = 6,
    kStates = 7,
    kEffect = 8,
    kEffects = 9,
    kObject = 10,
    kChilds = 11,
  };

  explicit GVBase(int32_t typeCode) : mTypeCode(typeCode) {}
  virtual ~GVBase() = default;
  int32_t GetTypeCode() const { return mTypeCode; }

  virtual GVBase* GetParent() const { return nullptr; }
  virtual class GVObject* GetParentObject() const { return nullptr; }
  virtual bool Load(TXmlNode* element, GVBase* owner) { return element != nullptr; }
  virtual bool Save(TXmlNode* element) = 0;
  virtual GVBase* CopyTo(GVBase* other) { return other; }

 protected:
  int32_t mTypeCode;
};
