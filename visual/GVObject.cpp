#include "GVObject.h"

#include <algorithm>
#include <cstdint>

#include "GVDrawList.h"
#include "GVEffect.h"
#include "GVFactory.h"
#include "GVFrame.h"
#include "GVHitTester.h"
#include "GVState.h"
#include "GVTexture.h"
#include "TOnTimerCaller.h"
#include "sdk/TXmlNode.h"

// ---- children ----

GVChilds::~GVChilds() {
  if (!owning) Forget();
}

GVBase* GVChilds::GetParent() const {
  return owner;
}

bool GVChilds::Load(TXmlNode* element, GVBase* o) {
  owner = dynamic_cast<GVObject*>(o);
  return GVConteiner::Load(element, o);
}

GVBase* GVChilds::CopyTo(GVBase* other) {
  if (!other || other->GetTypeCode() != kChilds) return nullptr;
  GVChilds* o = static_cast<GVChilds*>(other);
  o->owning = true;
  for (GVObject* child : mElements) {
    GVObject* copy = o->CloneElement(child);
    o->Add(copy);
    if (std::find(exported.begin(), exported.end(), child) != exported.end()) o->exported.push_back(copy);
  }
  return o;
}

GVObject* GVChilds::CloneElement(GVObject* item) {
  GVObject* copy = new GVObject;
  copy->mParent = owner;
  item->CopyTo(copy);
  return copy;
}

void GVChilds::Clear() {
  if (owning)
    ClearElements();
  else
    Forget();
}

GVObject* GVChilds::CreateElement(TXmlNode* node) {
  return GVFactory::GetInstance()->CreateChild(node->GetAttribute("id"), node, this);
}

str GVChilds::KeyOf(const GVObject* item) const {
  return item->GetId();
}

bool GVChilds::SaveChild(TXmlNode* node, GVObject* child) {
  if (std::find(exported.begin(), exported.end(), child) != exported.end()) return false;
  return child->Save(node);
}

void GVChilds::Remove(GVObject* child) {
  auto it = std::find(mElements.begin(), mElements.end(), child);
  if (it == mElements.end()) return;
  mElements.erase(it);
  exported.erase(std::remove(exported.begin(), exported.end(), child), exported.end());
  Rekey();
}

// ---- object ----

GVObject::GVObject() : GVData(kObject), mAlive(std::make_shared<bool>(true)) {}

GVObject::~GVObject() {
  *mAlive = false;
  std::vector<GVDrawList*> lists = mDrawLists;
  for (GVDrawList* l : lists) l->Remove(this);
  mDrawLists.clear();
  if (mTask) mTask->Release();
  mTask = nullptr;
  // The object's hooks point into the states' effects; drop them first.
  delete mEffects;
  mEffects = nullptr;
  delete mStates;
  mStates = nullptr;
  delete mChildren;
  mChildren = nullptr;
}

GVBase* GVObject::GetParent() const {
  return mParent;
}

bool GVObject::Load(TXmlNode* e, GVBase* owner) {
  if (!mLoaded.Load(e, owner)) return false;
  if (owner && owner->GetTypeCode() == kObject)
    mParent = static_cast<GVObject*>(owner);
  else if (owner && owner->GetTypeCode() == kChilds)
    mParent = static_cast<GVChilds*>(owner)->owner;
  else
    mParent = nullptr;
  mId = e->GetAttribute("id");
  if (TXmlNode* params = e->GetChild("params")) mParams.LoadAttributes(params);

  GVFactory* factory = GVFactory::GetInstance();
  mTextures = factory->LoadTextures(e->GetChild("images"), this);
  if (mTextures) mFrames = factory->LoadFrames(e->GetChild("framelist"), this);

  str kind = e->GetAttribute("hit_test");
  if (kind.empty()) {
    if (!mParent)
      kind = "default";
    else if (mParent->mHitTester)
      kind = mParent->mHitTester->GetName();
    else
      kind = "none";
  }
  if (GVHitTester* t = GVHitTesterRegistry::GetInstance().Make(kind)) {
    if (t->Bind(this))
      mHitTester.reset(t);
    else
      delete t;
  }

  mChildren = new GVChilds;
  // Children made by this load belong to this object, placed or not.
  mChildren->owning = true;
  mChildren->Load(e->GetChild("objects"), this);
  if (mChildren->Count() == 0) {
    str exportPath = e->GetAttribute("export");
    if (!exportPath.empty()) {
      if (GVObject* child = factory->CreateExported(exportPath)) {
        child->mParent = this;
        mChildren->Add(child);
        mChildren->exported.push_back(child);
      }
    }
    if (mChildren->Count() == 0) {
      delete mChildren;
      mChildren = nullptr;
    }
  }

  if (TXmlNode* effects = e->GetChild("effects")) {
    mEffects = new GVEffects;
    mEffects->Load(effects, this);
  }
  if (mFrames && mFrames->Count() > 0) {
    mStates = new GVStates(this, mFrames->Count());
    GVStates::LoadStates(e->GetChild("states"), mStates, this);
  }
  link = GVReadIntAttribute("link", e, 2);
  return mStates != nullptr || mChildren != nullptr;
}

bool GVObject::Save(TXmlNode* e) {
  if (!mLoaded.Save(e)) return false;
  TXmlNode* params = e->GetChild("params");
  if (!mParams.IsEmpty()) {
    if (!params) params = e->CreateChild("params");
    mParams.Save(params);
  } else if (params) {
    e->RemoveChild(params);
  }
  e->SetAttribute("id", mId);
  // These sections are rebuilt from content, never written back.
  for (const char* section : {"framelist", "effects", "states"})
    if (TXmlNode* c = e->GetChild(section)) e->RemoveChild(c);
  if (mChildren && !e->GetChild("objects")) e->CreateChild("objects");
  GVWriteIntAttribute("link", e, link, 2);
  return true;
}

GVBase* GVObject::CopyTo(GVBase* other) {
  GVObject* o = dynamic_cast<GVObject*>(other);
  if (!o) return nullptr;
  CopyValuesTo(*o);
  mLoaded.CopyValuesTo(o->mLoaded);
  o->link = link;
  o->mFrames = mFrames;
  o->mTextures = mTextures;
  o->mId = mId;
  if (mChildren) {
    auto* c = new GVChilds;
    c->owner = o;
    if (mChildren->CopyTo(c))
      o->mChildren = c;
    else
      delete c;
  }
  if (mEffects) {
    auto* fx = new GVEffects;
    if (mEffects->CopyTo(fx)) {
      fx->SetOwner(o);
      o->mEffects = fx;
    } else {
      delete fx;
    }
  }
  if (mStates) {
    auto* s = new GVStates(o, mStates->frameCount);
    if (mStates->CopyTo(s))
      o->mStates = s;
    else
      delete s;
  }
  o->mParams = mParams;
  o->mHitTester = mHitTester;
  o->SetState(GetState(), true, nullptr);
  return o;
}

GVObject* GVObject::GetChild(const str& id) const {
  return mChildren ? mChildren->Find(id) : nullptr;
}

GVState* GVObject::GetCurrentStateData() const {
  return mStates ? mStates->Get(mCurState) : nullptr;
}

TState GVObject::GetState() const {
  GVState* s = GetCurrentStateData();
  return s ? s->id : TState();
}

GVFrame* GVObject::GetCurrentFrame() const {
  GVState* s = GetCurrentStateData();
  if (!s || mFramePos < 0 || size_t(mFramePos) >= s->frames.size() || !mFrames || mFrames->Count() == 0)
    return nullptr;
  int entry = s->frames[mFramePos];
  if (entry < 0) return nullptr;
  // A list shared with a shorter frame set must not reach past it.
  return mFrames->Get(std::min(entry, mFrames->Count() - 1));
}

// ---- states and the frame run ----

int GVObject::SetState(TState name, bool atOnce, void* extra) {
  int result = SetOwnState(name, atOnce, extra);
  if (mChildren)
    for (GVObject* c : std::vector<GVObject*>(mChildren->Elements()))
      result = std::max(result, c->SetState(name, atOnce, extra));
  return result;
}

int GVObject::SetOwnState(TState name, bool atOnce, void* extra) {
  if (!mStates) return 0;
  int index = mStates->IndexOf(name);
  if (index < 0) {
    if (name != kStateAny) SetOwnState(kStateAny, atOnce, extra);
    return 0;
  }
  if (atOnce) {
    if (listener) {
      TState requested = name;
      listener->OnStateChange(this, GetState(), requested);
      if (requested != name) {
        index = mStates->IndexOf(requested);
        if (index < 0) return 0;
      }
    }
    // Stopped only once the switch is sure, so a refused switch keeps them running.
    GVState* current = GetCurrentStateData();
    if (current && mEffects) mEffects->StopStateEffects(current->effects);
    mCurState = index;
    GVState* s = mStates->Get(index);
    if (s->effects) {
      if (!mEffects) {
        mEffects = new GVEffects;
        mEffects->SetOwner(this);
      }
      mEffects->StartStateEffects(s->effects);
    }
    mStates->queued = s->next;
    SetFrameDelay(s->delay);
    SetFrame(0);
    mEffective.changed = 1;
  } else {
    mStates->queued = name;
    if (!mTask) EnsureTask();
  }
  GVState* found = mStates->Get(index);
  if (!found) return 0;
  // A long list of long frames is longer than an int counts.
  const int64_t length = int64_t(found->delay) * int64_t(found->frames.size());
  return int(std::min<int64_t>(length, INT32_MAX));
}

void GVObject::SetFrame(int position) {
  int old = mFramePos;
  mFramePos = position;
  GVState* s = GetCurrentStateData();
  if (!s) return;
  if (position >= 0 && size_t(position) < s->frames.size() && s->frames[position] >= 0) {
    if (mEffects) mEffects->OnFrame(old);
    UpdateTransform(nullptr);
    return;
  }
  OnRunEnd();
}

void GVObject::OnRunEnd() {
  // A state with no entries, or a ring of them, would end its run again and
  // again within one call; stop after a few rounds and wait for the next step.
  if (mRunEndDepth > 8) return;
  ++mRunEndDepth;
  std::shared_ptr<bool> alive = mAlive;
  if (listener) listener->OnStateEnd(this, GetState());
  // The listener may have deleted the object.
  if (!*alive) return;
  TState next = mStates ? mStates->queued : TState();
  if (next.IsEmpty())
    SetFrame(0);
  else
    SetOwnState(next, true, nullptr);
  if (*alive) --mRunEndDepth;
}

bool GVObject::EnsureTask() {
  if (mTask) return true;
  if (mDrawLists.empty() || !mStates) return false;
  GVState* s = GetCurrentStateData();
  bool needed = listener || !mStates->queued.IsEmpty() || (s && s->frames.size() > 1) ||
                (mEffects && mEffects->HasStarted());
  if (!needed) return false;
  mTask = new TOnTimerCaller<GVObject>(this, &GVObject::FrameStep, &mTask);
  mTask->SetDelay(uint32_t(std::max(0, s ? s->delay : 100)), true, true, false);
  AdoptTimerTask(mTask, mDrawLists[0]->host);
  return true;
}

void GVObject::SetFrameDelay(int ms) {
  if (mTask || EnsureTask()) mTask->SetDelay(uint32_t(std::max(0, ms)), true, true, false);
}

bool GVObject::FrameStep(TCustomOnTimerCaller*) {
  SetFrame(mFramePos + 1);
  return true;
}

// ---- placing ----

bool GVObject::Attach(GVDrawList* list, GVObject* parent, bool startNormal) {
  AddToDrawList(list, false);
  mParent = parent;
  Relink();
  GVEffects::BindAll(mEffects, this);
  GVStates::BindEffects(mStates, this);
  if (mStates && startNormal) {
    SetOwnState(kStateNormal, true, nullptr);
  } else {
    if (!mTask) EnsureTask();
    UpdateData();
  }
  if (mChildren) {
    for (GVObject* c : std::vector<GVObject*>(mChildren->Elements())) {
      GVObject* placed = GVFactory::GetInstance()->Reattach(c, list, this, startNormal);
      if (!placed) mChildren->Remove(c);  // Reattach deleted it
    }
    mChildren->owning = true;
  }
  return true;
}

void GVObject::AddToDrawList(GVDrawList* list, bool withChildren) {
  if (!list) return;
  if (withChildren && mChildren)
    for (GVObject* c : mChildren->Elements()) c->AddToDrawList(list, true);
  if (std::find(mDrawLists.begin(), mDrawLists.end(), list) != mDrawLists.end()) return;
  mDrawLists.push_back(list);
  list->Insert(this);
}

void GVObject::RemoveFromDrawList(GVDrawList* list, bool withChildren) {
  if (!list) return;
  if (withChildren && mChildren)
    for (GVObject* c : mChildren->Elements()) c->RemoveFromDrawList(list, true);
  auto it = std::find(mDrawLists.begin(), mDrawLists.end(), list);
  if (it == mDrawLists.end()) return;
  mDrawLists.erase(it);
  list->Remove(this);
}

// ---- display values ----

bool GVObject::NeedsUpdate() const {
  GVState* s = GetCurrentStateData();
  return changed || mLoaded.changed || mEffective.changed || mLinked.changed || mOwnTotalChanged ||
         (s && s->changed) || (mParent && mParent->changed);
}

void GVObject::UpdateData() {
  GVObject* top = this;
  while (top->mParent && top->mParent->NeedsUpdate()) top = top->mParent;
  top->UpdateSelf();
  // The ancestor's pass reaches only children whose own or effective values
  // changed; a change of this object's state alone is caught here.
  if (top != this && NeedsUpdate()) UpdateSelf();
}

void GVObject::ComposeOwnTotal() {
  CopyValuesTo(mOwnTotal);
  // Recomputed from the values themselves on every change, never by
  // applying differences, so flips, a zero alpha or a zero scale above do
  // not stick in the children. A link-3 object takes the ancestors' part
  // too, though only to pass it on: its own effective values get it through
  // its parent's.
  if (mParent && ReceivesPushes()) mOwnTotal.Compose(mParent->mOwnTotal);
}

void GVObject::UpdateSelf() {
  float oldZ = mEffective.deltaZ;
  bool ownChanged = changed || mOwnTotalChanged || (mParent && mParent->changed);
  ComposeOwnTotal();
  if (mChildren && ownChanged)
    for (GVObject* c : mChildren->Elements())
      if (c->ReceivesPushes()) {
        c->mOwnTotalChanged = true;
        c->mEffective.changed = 1;
      }
  GVState* s = GetCurrentStateData();
  if (s && s->changed) {
    if (mChildren)
      for (GVObject* c : mChildren->Elements())
        if (c->link >= 3) c->mEffective.changed = 1;
    s->changed = 0;
  }
  const bool followsEffective = link >= 3 && mParent;
  // The parent's effective values carry the ancestors' own values, so a
  // link-3 object starts from its own alone.
  if (followsEffective)
    CopyValuesTo(mEffective);
  else
    mOwnTotal.CopyValuesTo(mEffective);
  if (s) mEffective.Compose(*s);
  if (mLoaded.changed || mLinked.changed) Relink();
  if (followsEffective) {
    mEffective.Compose(mLoaded);
    mEffective.Compose(mParent->mEffective);
  } else {
    mEffective.Compose(mLinked);
  }
  if (mEffective.deltaZ != oldZ)
    for (GVDrawList* l : mDrawLists) l->Move(this, oldZ);
  if (mEffects) mEffects->OnData(mEffective);
  mEffective.changed = 0;
  changed = 0;
  mOwnTotalChanged = false;
  if (mChildren) {
    for (GVObject* c : mChildren->Elements()) {
      if (c->link >= 3) c->mEffective.changed = 1;
      if (c->changed || c->mEffective.changed || c->mOwnTotalChanged) c->UpdateSelf();
    }
  }
  UpdateTransform(nullptr);
}

void GVObject::Relink() {
  mLoaded.CopyValuesTo(mLinked);
  if (mParent && link > 1) mLinked.Compose(mParent->mLinked);
  mLoaded.changed = 0;
  mLinked.changed = 0;
  if (mChildren)
    for (GVObject* c : mChildren->Elements()) {
      if (c->link >= 2) c->mEffective.changed = 1;
      if (c->link > 1) c->mLinked.changed = 1;
    }
}

void GVObject::UpdateTransform(GVFrame* frame) {
  if (!mTransform) {
    mTransform.reset(new TDrawSpec);
    mTransform->blend = TDrawSpec::kBlendUnset;
  }
  if (!frame) frame = GetCurrentFrame();
  if (!frame) return;
  TDrawSpec& spec = *mTransform;
  spec.alpha = mEffective.alpha;
  spec.blend = mEffective.blend;
  spec.src = TRect(frame->left, frame->top, frame->right, frame->bottom);
  bool flipH = mEffective.flags & kFlipH, flipV = mEffective.flags & kFlipV;
  float regX = float(int(flipH ? frame->rightOffset : frame->regX));
  float regY = float(int(flipV ? frame->bottomOffset : frame->regY));
  spec.matrix.SetIdentity();
  spec.matrix.Translate(mEffective.deltaX, mEffective.deltaY);
  spec.matrix.Scale(mEffective.scaling);
  spec.point = TVec2(regX, regY);
  if (mEffective.rotate != 0) spec.matrix.Rotate(mEffective.rotate);
  spec.flags = TDrawSpec::kLeftOrigin | TDrawSpec::kOriginPoint | (flipV ? TDrawSpec::kFlipV : 0) |
               (flipH ? TDrawSpec::kFlipH : 0);
}

GVRectF GVObject::GetFrameRect(GVFrame* frame) {
  if (!frame) frame = GetCurrentFrame();
  if (!mTransform) UpdateTransform(frame);
  GVRectF r;
  r.left = mTransform->matrix.Tx();
  r.top = mTransform->matrix.Ty();
  if (frame) {
    r.right = r.left + frame->Width() * mEffective.scaling;
    r.bottom = r.top + frame->Height() * mEffective.scaling;
  } else {
    r.right = r.left;
    r.bottom = r.top;
  }
  return r;
}

void GVObject::DrawFrame(TDrawSpec& spec, GVFrame* frame) {
  GVTexture* t = mTextures ? mTextures->Get(frame->image) : nullptr;
  if (t && t->texture) t->texture->Draw(spec);
}

void GVObject::Draw(const TRect& clip) {
  if (!mStates || !mEffective.visible) return;
  GVFrame* f = GetCurrentFrame();
  if (!f) return;
  if (!mTransform) UpdateTransform(f);
  TDrawSpec spec = *mTransform;
  GVRectF r = GetFrameRect(f);
  bool meets = r.right >= clip.left && r.bottom >= clip.top && clip.right >= r.left && clip.bottom >= r.top;
  if (!meets && mEffective.rotate == 0) return;
  spec.matrix.Translate(float(-clip.left), float(-clip.top));
  if (mEffects && !mEffects->PreDraw(spec)) return;
  DrawFrame(spec, f);
  if (mEffects) mEffects->PostDraw(spec);
}

bool GVObject::HitTestSelf(const TPoint& p) {
  if (!mEffective.visible || !mHitTester) return false;
  GVFrame* f = GetCurrentFrame();
  if (!f) return false;
  GVRectF r = GetFrameRect(f);
  const TDrawSpec& spec = *mTransform;
  // The registration point is the frame's pixel drawn at the object's
  // position, and the one it turns and scales about.
  TVec2 local = spec.matrix.Inverse().Transform(p) + spec.point;
  if (f->centering == GVTexture::kCenter) {
    float w = r.right - r.left, h = r.bottom - r.top;
    float dx = p.x - r.left, dy = p.y - r.top;
    if (!(dx >= 0 && dx < w && dy >= 0 && dy < h)) return false;
  } else {
    // Local coordinates are frame pixels, so they are compared with the
    // frame's own size, whatever the object's scale.
    float w = float(f->Width()), h = float(f->Height());
    if (!(local.x >= 0 && local.x < w && local.y >= 0 && local.y < h)) return false;
    if (mEffective.flags & kFlipH) local.x = w - local.x;
    if (mEffective.flags & kFlipV) local.y = h - local.y;
  }
  return mHitTester->HitTest(int(local.x), int(local.y), f);
}

GVObject* GVObject::FindObjectAt(int depth, const TPoint& p) {
  if (HitTestSelf(p)) return this;
  if (!mChildren || depth == 0) return nullptr;
  for (GVObject* c : mChildren->Elements())
    if (GVObject* hit = c->FindObjectAt(depth - 1, p)) return hit;
  return nullptr;
}
