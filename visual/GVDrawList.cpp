#include "GVDrawList.h"

#include <cmath>

#include "GVObject.h"
#include "sdk/TRenderer.h"

namespace {
// The depth an object is ordered by; a depth that is not a number (game code
// may compute one) would break the ordering, so it counts as 0.
float DepthOf(const GVObject* o) {
  float z = o->GetEffective().deltaZ;
  return std::isnan(z) ? 0.f : z;
}
}  // namespace

End2dGuard::End2dGuard() : mOpened(TRenderer::GetInstance()->Begin2d()) {}

End2dGuard::~End2dGuard() {
  if (mOpened) TRenderer::GetInstance()->End2d();
  mOpened = false;
}

GVDrawList::GVDrawList() : clip(0, 0, 800, 600) {}

GVDrawList::~GVDrawList() {
  for (GVObject* o : GetObjects())
    if (Contains(o)) o->RemoveFromDrawList(this, true);
}

void GVDrawList::Insert(GVObject* o) {
  if (!o || !mMembers.insert(o).second) return;
  // multimap puts a new key after the equal ones: equal depths keep their order.
  mObjects.emplace(DepthOf(o), o);
}

bool GVDrawList::Erase(GVObject* o, float depth) {
  auto range = mObjects.equal_range(depth);
  for (auto it = range.first; it != range.second; ++it)
    if (it->second == o) {
      mObjects.erase(it);
      return true;
    }
  return false;
}

void GVDrawList::Remove(GVObject* o) {
  if (!mMembers.erase(o)) return;
  if (Erase(o, DepthOf(o))) return;
  for (auto it = mObjects.begin(); it != mObjects.end(); ++it)
    if (it->second == o) {
      mObjects.erase(it);
      return;
    }
}

void GVDrawList::Move(GVObject* o, float oldDepth) {
  if (!Contains(o)) return;
  if (std::isnan(oldDepth)) oldDepth = 0;
  if (!Erase(o, oldDepth)) {
    for (auto it = mObjects.begin(); it != mObjects.end(); ++it)
      if (it->second == o) {
        mObjects.erase(it);
        break;
      }
  }
  mObjects.emplace(DepthOf(o), o);
}

std::vector<GVObject*> GVDrawList::GetObjects() const {
  std::vector<GVObject*> out;
  out.reserve(mObjects.size());
  for (auto& kv : mObjects) out.push_back(kv.second);
  return out;
}

void GVDrawList::Draw() {
  // Updating moves objects whose depth changed, so the pass walks a copy.
  for (GVObject* o : GetObjects())
    if (Contains(o) && o->NeedsUpdate()) o->UpdateData();
  End2dGuard guard;
  for (GVObject* o : GetObjects())
    if (Contains(o)) o->Draw(clip);
}

TDrawSpec MakeDrawSpec(const TVec2& position, float alpha, float scale) {
  TDrawSpec spec;
  spec.alpha = alpha;
  spec.flags = 0;
  spec.blend = TDrawSpec::kBlendUnset;
  if (scale != 1) spec.matrix.Scale(scale);
  spec.matrix.m[2][0] = position.x;
  spec.matrix.m[2][1] = position.y;
  spec.matrix.m[2][2] = 1;
  return spec;
}

TDrawSpec CombineDrawSpecs(const TDrawSpec& own, const TDrawSpec& outer) {
  TDrawSpec s = own;
  s.matrix = own.matrix * outer.matrix;
  s.alpha = own.alpha * outer.alpha;
  s.flags = own.flags ^ (outer.flags & 3);
  if (s.blend == TDrawSpec::kBlendUnset) s.blend = outer.blend;
  return s;
}
