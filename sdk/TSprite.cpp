#include "TSprite.h"

#include <algorithm>
#include <cmath>

#include "TFont.h"
#include "TRenderer.h"

namespace {

TRect BoundingRect(const TVec2 pos[4]) {
  float x0 = pos[0].x, x1 = pos[0].x, y0 = pos[0].y, y1 = pos[0].y;
  for (int i = 1; i < 4; ++i) {
    x0 = std::min(x0, pos[i].x);
    x1 = std::max(x1, pos[i].x);
    y0 = std::min(y0, pos[i].y);
    y1 = std::max(y1, pos[i].y);
  }
  return TRect(int(std::floor(x0)), int(std::floor(y0)), int(std::ceil(x1)), int(std::ceil(y1)));
}

}  // namespace

TSpriteRef TSprite::Create(int layer, TTextureRef texture) {
  return TSpriteRef(new TSprite(layer, texture));
}

uintptr_t TSprite::ClassId() {
  return reinterpret_cast<uintptr_t>(static_cast<TSpriteRef (*)(int, TTextureRef)>(&TSprite::Create));
}

TSprite::TSprite(int layer, TTextureRef texture) : mTexture(texture), mLayer(layer) {}

TSprite::~TSprite() {
  for (TSpriteRef& c : mChildren)
    if (c->mParent == this) c->mParent = nullptr;
}

TDrawSpec TSprite::GetLocalSpec() const {
  TDrawSpec s;
  s.matrix = mMatrix;
  s.matrix.Translate(mPos.x, mPos.y);
  s.point = mOrigin;
  s.color = mColor;
  s.alpha = mAlpha;
  s.flags = mFlags;
  s.blend = mBlend;
  if ((mDrawnW >= 0 || mDrawnH >= 0) && mTexture) {
    const int w = mDrawnW < 0 ? mTexture->GetWidth() : std::min(mDrawnW, mTexture->GetWidth());
    const int h = mDrawnH < 0 ? mTexture->GetHeight() : std::min(mDrawnH, mTexture->GetHeight());
    s.src = TRect(0, 0, w, h);
  }
  return s;
}

bool TSprite::PictureSpec(const TDrawSpec& composed, TDrawSpec& out) const {
  if (!mTexture || mTexture->IsEmpty() || mDrawnW == 0 || mDrawnH == 0) return false;
  out = composed;
  const int tw = mTexture->GetWidth(), th = mTexture->GetHeight();
  const TRect& r = composed.src;
  if (!r.IsEmpty() && (r.Width() != tw || r.Height() != th)) {
    // The drawn region cuts the picture where it stands: a centred sprite
    // stays centred on the whole texture, not on the part shown.
    out.point = composed.Anchor(tw, th);
    out.flags |= TDrawSpec::kOriginPoint;
  }
  return true;
}

void TSprite::Draw(const TDrawSpec& parent, int depth) {
  if (!mVisible) return;
  const TDrawSpec spec = TDrawSpec::Compose(parent, GetLocalSpec());
  ++mDrawing;
  DrawSelf(spec);
  DrawChildren(spec, depth);
  if (--mDrawing == 0) ApplyPending();
}

void TSprite::DrawSelf(const TDrawSpec& spec) {
  TDrawSpec s;
  if (PictureSpec(spec, s)) TRenderer::GetInstance()->DrawTexture(mTexture.get(), s);
}

void TSprite::DrawChildren(const TDrawSpec& spec, int depth) {
  // Changes to the list wait in mPending while this runs, so indices hold.
  ++mDrawing;
  for (size_t i = 0; i < mChildren.size(); ++i) mChildren[i]->Draw(spec, depth);
  if (--mDrawing == 0) ApplyPending();
}

void TSprite::SetLayer(int layer) {
  if (layer == mLayer) return;
  mLayer = layer;
  if (mParent) mParent->ResortSprites();
}

void TSprite::ResortSprites() {
  if (mDrawing) {
    mResortPending = true;
    return;
  }
  std::stable_sort(mChildren.begin(), mChildren.end(),
                   [](const TSpriteRef& a, const TSpriteRef& b) { return a->mLayer < b->mLayer; });
}

void TSprite::AddChild(TSpriteRef child) {
  if (!child) return;
  // A sprite under itself would be drawn for ever.
  for (const TSprite* s = this; s; s = s->mParent)
    if (s == child.get()) return;
  if (mDrawing) {
    mPending.emplace_back(true, child);
    return;
  }
  DoAdd(child);
}

void TSprite::RemoveChild(TSpriteRef child) {
  if (!child) return;
  if (mDrawing) {
    mPending.emplace_back(false, child);
    return;
  }
  DoRemove(child);
}

void TSprite::RemoveChildren() {
  if (mDrawing) {
    mPending.emplace_back(false, TSpriteRef());  // no sprite: all of them
    return;
  }
  std::vector<TSpriteRef> old;
  old.swap(mChildren);
  for (TSpriteRef& c : old)
    if (c->mParent == this) c->mParent = nullptr;
}

void TSprite::DoAdd(const TSpriteRef& child) {
  if (child->mParent == this && std::find(mChildren.begin(), mChildren.end(), child) != mChildren.end())
    return;
  if (child->mParent && child->mParent != this) child->mParent->RemoveChild(child);
  // After every child of the same layer: equal layers keep the order of adding.
  auto at = std::upper_bound(mChildren.begin(), mChildren.end(), child->mLayer,
                             [](int layer, const TSpriteRef& s) { return layer < s->mLayer; });
  mChildren.insert(at, child);
  child->mParent = this;
}

void TSprite::DoRemove(const TSpriteRef& child) {
  auto it = std::find(mChildren.begin(), mChildren.end(), child);
  if (it == mChildren.end()) return;
  TSpriteRef keep = *it;  // the caller's reference may be the one erased
  mChildren.erase(it);
  if (keep->mParent == this) keep->mParent = nullptr;
}

void TSprite::ApplyPending() {
  while (!mPending.empty() || mResortPending) {
    std::vector<std::pair<bool, TSpriteRef>> pending;
    pending.swap(mPending);
    for (auto& op : pending) {
      if (op.first)
        DoAdd(op.second);
      else if (op.second)
        DoRemove(op.second);
      else
        RemoveChildren();
    }
    if (mResortPending) {
      mResortPending = false;
      ResortSprites();
    }
  }
}

TRect TSprite::GetRect(const TDrawSpec& parent) const {
  TDrawSpec s;
  TVec2 pos[4];
  if (!PictureSpec(TDrawSpec::Compose(parent, GetLocalSpec()), s) ||
      !TRenderer::SpecQuad(s, mTexture->GetWidth(), mTexture->GetHeight(), pos))
    return TRect();
  return BoundingRect(pos);
}

bool TSprite::HitTest(const TPoint& p, const TDrawSpec& parent) const {
  return mVisible && GetRect(parent).Contains(p);
}

// ---------------------------------------------------------------------------

boost::shared_ptr<TTextSprite> TTextSprite::Create(int w, int h, int flags, const str& font, int size,
                                                   TColor32 colour, int layer) {
  return boost::shared_ptr<TTextSprite>(new TTextSprite(w, h, flags, font, size, colour, layer));
}

uintptr_t TTextSprite::ClassId() {
  return reinterpret_cast<uintptr_t>(
      static_cast<boost::shared_ptr<TTextSprite> (*)(int, int, int, const str&, int, TColor32, int)>(
          &TTextSprite::Create));
}

TTextSprite::TTextSprite(int w, int h, int flags, const str& font, int size, TColor32 colour, int layer)
    : TSprite(layer), mW(w), mH(h), mTextFlags(flags), mFont(font), mSize(size), mColour(colour) {}

void TTextSprite::SetText(const str& text) {
  if (text == mText) return;
  mText = text;
  mDirty = true;
}

void TTextSprite::SetColor(TColor32 colour) {
  if (colour.argb == mColour.argb) return;
  mColour = colour;
  mDirty = true;
}

void TTextSprite::SetFlags(int flags) {
  mTextFlags = flags;
}

void TTextSprite::Rebuild() {
  mDirty = false;
  SetTexture(mText.empty() ? TTextureRef() : TFont::RenderText(mFont, mSize, mColour, mText));
}

bool TTextSprite::PictureSpec(const TDrawSpec& composed, TDrawSpec& out) const {
  if (mDirty) const_cast<TTextSprite*>(this)->Rebuild();
  TTextureRef t = GetTexture();
  if (!t || t->IsEmpty()) return false;
  // The box is placed as a picture of mW x mH would be; the text sits in it.
  const TVec2 box = composed.Anchor(mW, mH);
  const float ox = (mTextFlags & kCenterH) ? float((mW - t->GetWidth()) / 2) : 0;
  const float oy = (mTextFlags & kCenterV) ? float((mH - t->GetHeight()) / 2) : 0;
  out = composed;
  out.src = TRect();
  out.point = TVec2(box.x - ox, box.y - oy);
  out.flags |= TDrawSpec::kOriginPoint;
  return true;
}

void TTextSprite::DrawSelf(const TDrawSpec& spec) {
  TDrawSpec s;
  if (PictureSpec(spec, s)) TRenderer::GetInstance()->DrawTexture(GetTexture().get(), s);
}
