#pragma once
// Rectangles cut from an object's textures, with registration offsets that
// line the frames of one animation up on screen.

#include <boost/shared_ptr.hpp>

#include "GVConteiner.h"

class GVTextures;
class GVObject;

class GVFrame : public GVBase {
 public:
  GVFrame() : GVBase(kFrame) {}
  bool Load(TXmlNode* element, GVBase* owner) override;
  bool Save(TXmlNode* element) override;
  GVBase* CopyTo(GVBase* other) override;

  int Width() const { return right - left; }
  int Height() const { return bottom - top; }

  // Read from "regx"/"regy", then replaced by the left and top offsets.
  float regX = 0, regY = 0;
  // Used in place of the left and top offsets when flipped.
  float rightOffset = 0, bottomOffset = 0;
  int32_t centering = 4;
  int32_t left = 0, top = 0, right = 0, bottom = 0;
  int32_t image = 0;
  int32_t number = 0;
};

class GVFrames : public GVConteiner<GVFrame, int32_t> {
 public:
  GVFrames() : GVConteiner(kFrames, "frame") {}
  // Loads, numbers the frames and computes their registration offsets
  // against the owner's textures.
  bool Load(TXmlNode* element, GVBase* owner) override;
  GVFrame* CreateElement(TXmlNode* node) override;
  GVFrame* CloneElement(GVFrame* item) override;
  // Frames are entered under 0 and reached by index.
  int32_t KeyOf(const GVFrame*) const override { return 0; }

  int32_t centering = 4;
};

// Turns registration points into whole-pixel offsets; lives only while a
// frame list loads.
class GVRegCalc {
 public:
  struct Point {
    float x, y;
  };
  GVRegCalc(GVBase* owner, GVFrames& frames);
  virtual ~GVRegCalc() = default;
  void Run();

 protected:
  // The reference point of a frame's offsets under one centering kind.
  typedef Point (*Rule)(const GVRegCalc& calc, const GVFrame& frame);
  virtual void FillTable();
  static Point RuleOld(const GVRegCalc& calc, const GVFrame&) { return calc.mLeast; }
  static Point RuleDeltaLeft(const GVRegCalc& calc, const GVFrame& f);
  static Point RuleOrigin(const GVRegCalc&, const GVFrame&) { return {0, 0}; }

  boost::shared_ptr<GVTextures> mTextures;
  GVFrames& mFrames;
  Point mLeast;
  Rule mTable[4];
};
