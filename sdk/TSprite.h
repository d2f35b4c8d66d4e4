#pragma once
// A node of the sprite tree: an optional texture drawn with the sprite's spec,
// then its children in layer order, composed with the parent's spec.

#include <boost/enable_shared_from_this.hpp>
#include <boost/shared_ptr.hpp>
#include <cstdint>
#include <vector>

#include "TMath.h"
#include "TTexture.h"
#include "str.h"

class TSprite;
typedef boost::shared_ptr<TSprite> TSpriteRef;

class TSprite : public boost::enable_shared_from_this<TSprite> {
 public:
  static TSpriteRef Create(int layer, TTextureRef texture = TTextureRef());
  virtual ~TSprite();
  static uintptr_t ClassId();
  virtual const char* GetTypeName() const { return "TSprite"; }
  virtual bool IsKindOf(uintptr_t id) const { return id == ClassId(); }

  // Draws with the parent's spec composed with this sprite's position,
  // matrix, alpha, colour and flags; then the children in layer order. The
  // depth is passed on to children unchanged.
  virtual void Draw(const TDrawSpec& parent, int depth = -1);
  // This sprite's own spec relative to its parent.
  TDrawSpec GetLocalSpec() const;

  void SetPosition(const TVec3& p) { mPos = p; }
  const TVec3& GetPosition() const { return mPos; }
  void SetMatrix(const TMat3& m) { mMatrix = m; }
  const TMat3& GetMatrix() const { return mMatrix; }
  virtual void SetTexture(TTextureRef t) { mTexture = t; }
  TTextureRef GetTexture() const { return mTexture; }
  void SetLayer(int layer);
  int GetLayer() const { return mLayer; }
  void SetVisible(bool v) { mVisible = v; }
  bool IsVisible() const { return mVisible; }
  void SetAlpha(float a) { mAlpha = a; }
  float GetAlpha() const { return mAlpha; }
  void SetColor(const TColor& c) { mColor = c; }
  const TColor& GetColor() const { return mColor; }
  void SetBlend(int blend) { mBlend = blend; }
  // TDrawSpec flags: 1, 2 flips; 8 anchors the picture at the origin point,
  // else it is centred (4 moves that anchor to the left edge).
  void SetDrawFlags(int flags) { mFlags = flags; }
  int GetDrawFlags() const { return mFlags; }
  // With flag 8: the point of the picture, in pixels from its top-left, that
  // is placed at the sprite's position and that it turns and scales about.
  // Children are placed from the position whatever the origin.
  void SetOrigin(const TVec2& o) { mOrigin = o; }
  const TVec2& GetOrigin() const { return mOrigin; }
  // The drawn region in texture pixels from the top-left; (-1, -1) all of it.
  void SetDrawnSize(int w, int h) {
    mDrawnW = w;
    mDrawnH = h;
  }
  int GetDrawnWidth() const { return mDrawnW; }
  int GetDrawnHeight() const { return mDrawnH; }

  // Safe while the tree is being drawn: changes made during a draw take
  // effect when the outermost draw returns.
  void AddChild(TSpriteRef child);
  virtual void RemoveChild(TSpriteRef child);
  void RemoveChildren();
  const std::vector<TSpriteRef>& GetChildren() const { return mChildren; }
  TSprite* GetParent() const { return mParent; }
  virtual void ResortSprites();

  // Screen rectangle of its own texture under the given parent spec.
  virtual TRect GetRect(const TDrawSpec& parent = TDrawSpec()) const;
  virtual bool HitTest(const TPoint& p, const TDrawSpec& parent = TDrawSpec()) const;

 protected:
  explicit TSprite(int layer, TTextureRef texture = TTextureRef());
  // Draws only this sprite's picture with a final spec.
  virtual void DrawSelf(const TDrawSpec& spec);
  void DrawChildren(const TDrawSpec& spec, int depth);
  // The spec the picture itself is drawn with, from the composed spec; false
  // when there is nothing to draw (no texture, or a drawn region of 0).
  virtual bool PictureSpec(const TDrawSpec& composed, TDrawSpec& out) const;

 private:
  TVec3 mPos;
  TMat3 mMatrix;
  TTextureRef mTexture;
  int mLayer = 0;
  bool mVisible = true;
  float mAlpha = 1;
  TColor mColor;
  int mBlend = TDrawSpec::kBlendUnset;
  int mFlags = 0;
  TVec2 mOrigin;
  int mDrawnW = -1, mDrawnH = -1;
  std::vector<TSpriteRef> mChildren;
  TSprite* mParent = nullptr;
  int mDrawing = 0;
  // add (true) / remove (false); a remove without a sprite removes them all.
  std::vector<std::pair<bool, TSpriteRef>> mPending;
  bool mResortPending = false;
  void ApplyPending();
  void DoAdd(const TSpriteRef& child);
  void DoRemove(const TSpriteRef& child);
};

// A sprite that shows a line or block of text.
class TTextSprite : public TSprite {
 public:
  enum { kCenterH = 1, kCenterV = 4 };
  static boost::shared_ptr<TTextSprite> Create(int w, int h, int flags, const str& font, int size,
                                               TColor32 colour, int layer = 0);
  static uintptr_t ClassId();
  const char* GetTypeName() const override { return "TTextSprite"; }
  bool IsKindOf(uintptr_t id) const override { return id == ClassId() || TSprite::IsKindOf(id); }
  void SetText(const str& text);
  const str& GetText() const { return mText; }
  using TSprite::SetColor;  // the tint; SetColor(TColor32) is the text's own colour
  void SetColor(TColor32 colour);
  void SetFlags(int flags);

 protected:
  TTextSprite(int w, int h, int flags, const str& font, int size, TColor32 colour, int layer);
  void DrawSelf(const TDrawSpec& spec) override;
  bool PictureSpec(const TDrawSpec& composed, TDrawSpec& out) const override;

 private:
  int mW, mH, mTextFlags;
  str mFont;
  int mSize;
  TColor32 mColour;
  str mText;
  bool mDirty = true;
  void Rebuild();
};
