#pragma once
// Decides whether a point inside a frame's rectangle hits the object: the
// whole rectangle ("default"), or the opaque outline of the frame's pixels
// ("alpha"), approximated by the opaque extent of the point's row and column.

#include <map>
#include <memory>
#include <vector>

#include "GVBase.h"
#include "sdk/TTexture.h"
#include "sdk/str.h"

class GVObject;
class GVFrame;

class GVHitTester : public GVBase {
 public:
  GVHitTester() : GVBase(kHitTester) {}
  bool Save(TXmlNode*) override { return false; }
  // The point is in frame pixels, measured from the frame's top-left.
  virtual bool HitTest(int x, int y, const GVFrame* frame) = 0;
  virtual bool Bind(GVObject* object) = 0;
  virtual str GetName() const = 0;
};

class GVDefHitTester : public GVHitTester {
 public:
  bool HitTest(int, int, const GVFrame*) override { return true; }
  bool Bind(GVObject*) override { return true; }
  str GetName() const override { return "default"; }
};

class GVAlphaHitTester : public GVHitTester {
 public:
  enum { kOpaqueAbove = 80 };
  struct Span {
    int first = -1, last = -1;
  };
  struct Table {
    int left = 0, top = 0, right = 0, bottom = 0;
    std::vector<Span> rows, columns;
  };

  ~GVAlphaHitTester() override;
  bool HitTest(int x, int y, const GVFrame* frame) override;
  bool Bind(GVObject* object) override;
  str GetName() const override { return "alpha"; }

  const Table* GetTable(int frameNumber) const;

 private:
  void BuildTable(const GVFrame& frame, bool keepLocked);
  void Unlock();

  TTextureRef mLocked;
  uint32_t* mPixels = nullptr;
  int mStride = 0;
  int mLockedImage = -1;
  std::vector<std::unique_ptr<Table>> mTables;
  GVObject* mOwner = nullptr;
};

// Kind name to maker; "default" and "alpha" are known from the start.
class GVHitTesterRegistry {
 public:
  typedef GVHitTester* (*Maker)();
  static GVHitTesterRegistry& GetInstance();
  void Register(const str& kind, Maker maker) { mMakers[kind] = maker; }
  GVHitTester* Make(const str& kind) const;

 private:
  GVHitTesterRegistry();
  std::map<str, Maker> mMakers;
};
