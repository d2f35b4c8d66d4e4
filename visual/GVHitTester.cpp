#include "GVHitTester.h"

#include "GVFrame.h"
#include "GVObject.h"
#include "GVTexture.h"

namespace {
template <class T>
GVHitTester* MakeTester() {
  return new T;
}
}  // namespace

GVHitTesterRegistry::GVHitTesterRegistry() {
  Register("default", &MakeTester<GVDefHitTester>);
  Register("alpha", &MakeTester<GVAlphaHitTester>);
}

GVHitTesterRegistry& GVHitTesterRegistry::GetInstance() {
  static GVHitTesterRegistry instance;
  return instance;
}

GVHitTester* GVHitTesterRegistry::Make(const str& kind) const {
  auto it = mMakers.find(kind);
  return it == mMakers.end() ? nullptr : it->second();
}

GVAlphaHitTester::~GVAlphaHitTester() {
  Unlock();
}

void GVAlphaHitTester::Unlock() {
  if (mLocked && mPixels) mLocked->Unlock();
  mLocked.reset();
  mPixels = nullptr;
  mStride = 0;
  mLockedImage = -1;
}

bool GVAlphaHitTester::Bind(GVObject* object) {
  mOwner = object;
  Unlock();
  mTables.clear();
  if (!object) return false;
  GVFrames* frames = object->GetFrames().get();
  if (!frames || frames->Count() == 0) return true;
  int n = frames->Count();
  mTables.resize(n);
  // Frames that share a texture are built together so each texture is
  // locked once per group.
  int last = -1;
  for (const GVFrame* f : frames->Elements()) last = std::max(last, int(f->number));
  std::vector<bool> done(n, false);
  int start = 0;
  while (start < n) {
    int image = frames->Get(start)->image;
    for (int i = start; i < n; ++i) {
      const GVFrame* f = frames->Get(i);
      if (f->image != image) continue;
      BuildTable(*f, f->number != last);
      done[i] = true;
    }
    int nextStart = n;
    for (int i = start + 1; i < n; ++i)
      if (!done[i] && frames->Get(i)->image != image) {
        nextStart = i;
        break;
      }
    start = nextStart;
  }
  Unlock();
  return true;
}

void GVAlphaHitTester::BuildTable(const GVFrame& f, bool keepLocked) {
  if (f.image != mLockedImage) {
    Unlock();
    GVTextures* textures = mOwner->GetTextures().get();
    GVTexture* t = textures ? textures->Get(f.image) : nullptr;
    if (t && t->texture && !t->texture->IsEmpty()) {
      uint32_t* pixels = nullptr;
      int pitch = 0;
      if (t->texture->Lock(&pixels, &pitch) && pixels) {
        mLocked = t->texture;
        mPixels = pixels;
        mStride = pitch;
      }
    }
    mLockedImage = f.image;
  }
  auto table = std::make_unique<Table>();
  table->left = f.left;
  table->top = f.top;
  table->right = f.right;
  table->bottom = f.bottom;
  int w = std::max(0, f.right - f.left), h = std::max(0, f.bottom - f.top);
  table->rows.resize(h);
  table->columns.resize(w);
  // Only pixels inside the texture are read; the rest of a rectangle that
  // reaches past it, or a frame without a texture, counts as transparent.
  int tw = mLocked ? mLocked->GetWidth() : 0, th = mLocked ? mLocked->GetHeight() : 0;
  auto opaque = [&](int x, int y) {
    int tx = f.left + x, ty = f.top + y;
    if (!mPixels || tx < 0 || ty < 0 || tx >= tw || ty >= th) return false;
    return (mPixels[size_t(ty) * mStride + tx] >> 24) > kOpaqueAbove;
  };
  for (int y = 0; y < h; ++y) {
    Span& s = table->rows[y];
    for (int x = 0; x < w; ++x)
      if (opaque(x, y)) {
        if (s.first < 0) s.first = x;
        s.last = x;
      }
    if (s.first > 0) --s.first;
  }
  for (int x = 0; x < w; ++x) {
    Span& s = table->columns[x];
    for (int y = 0; y < h; ++y)
      if (opaque(x, y)) {
        if (s.first < 0) s.first = y;
        s.last = y;
      }
    if (s.first < 0) continue;
    if (s.first > 0) --s.first;
    if (s.last + 1 < h) ++s.last;
  }
  if (f.number >= 0 && size_t(f.number) < mTables.size()) mTables[f.number] = std::move(table);
  if (!keepLocked) Unlock();
}

const GVAlphaHitTester::Table* GVAlphaHitTester::GetTable(int n) const {
  return n >= 0 && size_t(n) < mTables.size() ? mTables[n].get() : nullptr;
}

bool GVAlphaHitTester::HitTest(int x, int y, const GVFrame* frame) {
  if (!frame) return false;
  const Table* t = GetTable(frame->number);
  if (!t || x < 0 || y < 0 || size_t(x) >= t->columns.size() || size_t(y) >= t->rows.size()) return false;
  const Span& row = t->rows[y];
  const Span& col = t->columns[x];
  if (row.first < 0 || col.first < 0) return false;
  return row.first <= x && x <= row.last && col.first <= y && y <= col.last;
}
