#include "TFxSprite.h"

#include <algorithm>
#include <cmath>
#include <cstdarg>
#include <cstdio>

#include "LuaUtils.h"
#include "sdk/TPlatform.h"
#include "sdk/TReport.h"
#include "sdk/TScript.h"

namespace {

// Farthest a child effect may be placed from its parent (pixels).
const double kFarthest = 1e5;

}  // namespace

// --- TFxSpriteAnimTask

TFxSpriteAnimTask::TFxSpriteAnimTask() : mLastTime(GetTime()) {}

TFxSpriteAnimTask* TFxSpriteAnimTask::GetShared() {
  static TFxSpriteAnimTask* shared = nullptr;
  if (!shared) {
    shared = new TFxSpriteAnimTask();
    shared->SetDelay(kPeriodMs, true);
    if (TPlatform* platform = TPlatform::GetInstance()) platform->AdoptTask(shared);
  }
  return shared;
}

bool TFxSpriteAnimTask::DoTask() {
  Step(GetTime());
  return true;
}

void TFxSpriteAnimTask::Step(uint32_t now) {
  const uint32_t steps = std::min<uint32_t>((now - mLastTime) / kStepMs, kMaxSteps);
  // Effects added while this runs (a script's CreateFx) wait for the next call.
  const size_t count = mSprites.size();
  for (size_t i = 0; i < count; ++i) {
    TFxSpriteRef sprite = mSprites[i].lock();
    if (!sprite || sprite->GetParticleSystem()->IsDone()) {
      mSprites[i].reset();
      continue;
    }
    if (!sprite->IsPlaced()) continue;
    for (uint32_t s = 0; s < steps; ++s) sprite->GetParticleSystem()->Update(kStepMs);
  }
  size_t w = 0;
  for (size_t i = 0; i < mSprites.size(); ++i)
    if (!mSprites[i].expired()) mSprites[w++] = mSprites[i];
  mSprites.resize(w);
  mLastTime = now;
}

void TFxSpriteAnimTask::Add(const TFxSpriteRef& sprite) {
  for (auto& w : mSprites)
    if (!w.owner_before(sprite) && !sprite.owner_before(w)) return;
  mSprites.push_back(sprite);
}

// --- TFxSprite

TFxSprite::TFxSprite(int layer) : TSprite(layer) {}

TFxSprite::~TFxSprite() {
  if (mTree) --mTree->live;
}

uintptr_t TFxSprite::ClassId() {
  return reinterpret_cast<uintptr_t>(
      static_cast<TFxSpriteRef (*)(int, const str&, TFxSpriteAnimTask*)>(&TFxSprite::Create));
}

TFxSpriteRef TFxSprite::Create(int layer, const str& script, TFxSpriteAnimTask* task) {
  TFxSpriteRef sprite = Make(layer, std::make_shared<Tree>(), 0);
  if (!script.empty()) sprite->Load(task, script, true);
  return sprite;
}

TFxSpriteRef TFxSprite::Make(int layer, const std::shared_ptr<Tree>& tree, int nesting) {
  TFxSpriteRef sprite(new TFxSprite(layer));
  sprite->mTree = tree;
  sprite->mNesting = nesting;
  ++tree->live;
  TFxSprite* self = sprite.get();
  TLuaParticleSystem* system = &sprite->mSystem;
  system->BindFunction("CreateFx", [self](lua_State* L) { return self->CreateFx(L); });
  system->SetGlobalPointer("gParent", self);
  return sprite;
}

void TFxSprite::ReportOnce(const char* fmt, ...) {
  if (mTree->reported) return;
  mTree->reported = true;
  char line[512];
  va_list args;
  va_start(args, fmt);
  vsnprintf(line, sizeof line, fmt, args);
  va_end(args);
  Report("%s: %s", mSystem.GetScriptPath().empty() ? "particle script" : mSystem.GetScriptPath().c_str(),
         line);
}

int TFxSprite::CreateFx(lua_State* L) {
  LuaStackGuard guard(L);
  TFxSprite* parent = static_cast<TFxSprite*>(mSystem.GetGlobalPointer("gParent"));
  if (parent != this) {
    Report("CreateFx: gParent does not name the calling effect; no effect made");
    return 0;
  }
  // A script that makes itself again, at its top or at every update, would
  // otherwise nest until the stack overflows, or double its effects a step.
  if (mNesting >= kMaxNesting) {
    ReportOnce("CreateFx: effects nested more than %d deep; no more are made", int(kMaxNesting));
    return 0;
  }
  if (mTree->live >= kMaxTreeEffects) {
    ReportOnce("CreateFx: %d effects live under one another; no more are made", int(kMaxTreeEffects));
    return 0;
  }
  TLuaTable args(L, 1);
  double y = args.GetNumber("y", 0);
  double x = args.GetNumber("x", 0);
  const int layer = args.GetInt("layer", 0);  // truncated toward zero
  const str spec = args.GetString("spec", "");
  if (!(std::fabs(x) <= kFarthest && std::fabs(y) <= kFarthest)) {
    ReportOnce("CreateFx: x %g, y %g out of range; held within %g", x, y, kFarthest);
    x = std::isnan(x) ? 0 : std::max(-kFarthest, std::min(kFarthest, x));
    y = std::isnan(y) ? 0 : std::max(-kFarthest, std::min(kFarthest, y));
  }
  TFxSpriteRef child = Make(layer, mTree, mNesting + 1);
  if (!spec.empty()) child->Load(nullptr, spec, true);
  child->SetPosition(TVec3(float(x), float(y), 0));
  AddChild(child);
  return 0;
}

bool TFxSprite::Load(TFxSpriteAnimTask* task, const str& script, bool fresh) {
  TFxSpriteRef self = boost::static_pointer_cast<TFxSprite>(shared_from_this());
  if (fresh) mSystem.NewScript();
  if (script.empty()) return true;
  mSystem.RegisterDataSource("dLocus", &mLocus);
  mSystem.RegisterDataSource("dUp", &mUp);
  if (!mSystem.LoadScript(script)) return false;
  mScript = script;
  (task ? task : TFxSpriteAnimTask::GetShared())->Add(self);
  return true;
}

void TFxSprite::Draw(const TDrawSpec& parent, int depth) {
  if (!IsVisible()) return;
  const TDrawSpec spec = TDrawSpec::Compose(parent, GetLocalSpec());
  mLocus.SetValue(TVec2(spec.matrix.Tx() - spec.point.x, spec.matrix.Ty() - spec.point.y));
  mUp.SetValue(TVec2(spec.matrix.m[1][0], -spec.matrix.m[1][1]));
  mPlaced = true;

  if (mSystem.IsDone()) {
    // The parent may be walking its children right now; TSprite defers the
    // removal until that walk ends, and `self` keeps this sprite alive until
    // this call returns. A root effect has no parent and simply stops drawing.
    TSpriteRef self = shared_from_this();
    if (TSprite* p = GetParent()) p->RemoveChild(self);
    return;
  }

  // A copy: a child that finishes removes itself from this list while it draws.
  const std::vector<TSpriteRef> children = depth != 0 ? GetChildren() : std::vector<TSpriteRef>();
  size_t i = 0;
  for (; i < children.size() && children[i]->GetLayer() < 0; ++i) children[i]->Draw(spec, depth - 1);
  DrawSelf(spec);
  mSystem.Draw(mDrawOffset);
  for (; i < children.size(); ++i) children[i]->Draw(spec, depth - 1);
}
