#include "GVFrame.h"

#include <algorithm>

#include "GVData.h"
#include "GVObject.h"
#include "GVTexture.h"
#include "sdk/TXmlNode.h"

bool GVFrame::Load(TXmlNode* e, GVBase*) {
  if (!e) return false;
  int x = GVReadCoordinate("x", e), y = GVReadCoordinate("y", e);
  int w = GVReadSize("w", e), h = GVReadSize("h", e);
  image = GVReadIntAttribute("img", e, 0);
  // Whole pixels, as the registration is worked out in them.
  regX = float(GVReadCoordinate("regx", e));
  regY = float(GVReadCoordinate("regy", e));
  centering = GVReadCentering(e);
  left = x;
  top = y;
  right = x + w;
  bottom = y + h;
  return w != 0 || h != 0;
}

bool GVFrame::Save(TXmlNode* e) {
  if (!e) return false;
  GVWriteIntAttribute("x", e, left, 0);
  GVWriteIntAttribute("y", e, top, 0);
  GVWriteIntAttribute("w", e, right - left, 0);
  GVWriteIntAttribute("h", e, bottom - top, 0);
  GVWriteIntAttribute("img", e, image, 0);
  return true;
}

GVBase* GVFrame::CopyTo(GVBase* other) {
  GVFrame* o = dynamic_cast<GVFrame*>(other);
  if (!o) return nullptr;
  o->left = left;
  o->top = top;
  o->right = right;
  o->bottom = bottom;
  o->image = image;
  o->regX = regX;
  o->regY = regY;
  o->rightOffset = rightOffset;
  o->bottomOffset = bottomOffset;
  return o;
}

bool GVFrames::Load(TXmlNode* element, GVBase* owner) {
  if (!GVConteiner::Load(element, owner)) return false;
  for (size_t i = 0; i < mElements.size(); ++i) mElements[i]->number = int32_t(i);
  centering = GVReadCentering(element);
  GVRegCalc(owner, *this).Run();
  return true;
}

GVFrame* GVFrames::CreateElement(TXmlNode* node) {
  GVFrame* f = new GVFrame;
  if (f->Load(node, this)) return f;
  delete f;
  return nullptr;
}

GVFrame* GVFrames::CloneElement(GVFrame* item) {
  GVFrame* f = new GVFrame;
  if (item->CopyTo(f)) return f;
  delete f;
  return nullptr;
}

GVRegCalc::GVRegCalc(GVBase* owner, GVFrames& frames) : mFrames(frames), mLeast{2147483647.f, 2147483647.f} {
  if (owner && owner->GetTypeCode() == GVBase::kObject)
    mTextures = static_cast<GVObject*>(owner)->GetTextures();
}

void GVRegCalc::FillTable() {
  mTable[GVTexture::kOld] = &GVRegCalc::RuleOld;
  mTable[GVTexture::kDeltaLeft] = &GVRegCalc::RuleDeltaLeft;
  mTable[GVTexture::kLeft] = &GVRegCalc::RuleOrigin;
  mTable[GVTexture::kCenter] = &GVRegCalc::RuleOrigin;
}

GVRegCalc::Point GVRegCalc::RuleDeltaLeft(const GVRegCalc& calc, const GVFrame& f) {
  GVTexture* t = calc.mTextures ? calc.mTextures->Get(f.image) : nullptr;
  return t ? Point{t->anchorX, t->anchorY} : calc.mLeast;
}

void GVRegCalc::Run() {
  for (GVFrame* f : mFrames.Elements()) {
    mLeast.x = std::min(mLeast.x, float(int(f->regX)));
    mLeast.y = std::min(mLeast.y, float(int(f->regY)));
  }
  for (GVFrame* f : mFrames.Elements()) {
    if (f->centering != GVTexture::kInherit) continue;
    f->centering = mFrames.centering;
    if (f->centering != GVTexture::kInherit) continue;
    GVTexture* t = mTextures ? mTextures->Get(f->image) : nullptr;
    f->centering = (t && t->centering != GVTexture::kInherit) ? t->centering : GVTexture::kOld;
  }
  FillTable();
  for (GVFrame* f : mFrames.Elements()) {
    if (f->centering < 0 || f->centering > 3) {
      f->regX = f->regY = 0;
      continue;
    }
    Point p = mTable[f->centering](*this, *f);
    int rx = int(f->regX), ry = int(f->regY);
    f->regX = float(rx - int(p.x));
    f->regY = float(ry - int(p.y));
    f->rightOffset = float(int(f->Width() - rx - p.x));
    f->bottomOffset = float(int(f->Height() - ry - p.y));
  }
}
