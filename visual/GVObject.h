#pragma once
// The drawable of the game: a node of an XML-described tree with textures,
// frames, states that run through frames on a timer, effects, children, a
// hit tester and a place in draw lists. What it shows is composed from its
// own values (written by game code), its description, its current state and
// its parent.

#include <boost/shared_ptr.hpp>
#include <memory>
#include <vector>

#include "GVConteiner.h"
#include "GVData.h"
#include "GVParams.h"
#include "TState.h"
#include "sdk/TMath.h"

class GVFrame;
class GVFrames;
class GVTextures;
class GVStates;
class GVState;
class GVEffects;
class GVHitTester;
class GVDrawList;
class GVObject;
class TCustomOnTimerCaller;
class TWindow;

// Told by an object when it switches state and when a state's run ends.
class GVListener {
 public:
  virtual ~GVListener() = default;
  // Before a switch made at once; `requested` may be rewritten to send the
  // object into another state.
  virtual void OnStateChange(GVObject* object, TState current, TState& requested) {}
  // When the current state's run ends, before the queued next state is entered.
  virtual void OnStateEnd(GVObject* object, TState state) {}
};

// What a visual-object wrapper window asks its owner to draw.
class GVObjectWrapperClient {
 public:
  virtual ~GVObjectWrapperClient() = default;
  virtual void DrawObjects(TWindow* wrapper) = 0;
};

struct GVRectF {
  float left = 0, top = 0, right = 0, bottom = 0;
};

// The children of an object, keyed by id.
class GVChilds : public GVConteiner<GVObject, str> {
 public:
  GVChilds() : GVConteiner(kChilds, "obj") {}
  ~GVChilds() override;
  GVBase* GetParent() const override;
  GVObject* GetParentObject() const override { return owner; }
  bool Load(TXmlNode* element, GVBase* owner) override;
  GVBase* CopyTo(GVBase* other) override;
  void Clear() override;
  GVObject* CreateElement(TXmlNode* node) override;
  // A copy of the child under this list's owner; the copied list owns it.
  // Sharing the child would let a placed copy take it over and delete it
  // with itself, under the original's feet.
  GVObject* CloneElement(GVObject* item) override;
  str KeyOf(const GVObject* item) const override;
  virtual bool SaveChild(TXmlNode* node, GVObject* child);
  // Takes a child out of the list without deleting it.
  void Remove(GVObject* child);

  GVObject* owner = nullptr;
  bool owning = false;
  std::vector<GVObject*> exported;
};

class GVObject : public GVData {
 public:
  GVObject();
  ~GVObject() override;
  GVObject(const GVObject&) = delete;
  GVObject& operator=(const GVObject&) = delete;
  friend class GVChilds;

  GVBase* GetParent() const override;
  GVObject* GetParentObject() const override { return mParent; }
  bool Load(TXmlNode* element, GVBase* owner) override;
  bool Save(TXmlNode* element) override;
  GVBase* CopyTo(GVBase* other) override;
  void ClearChanged() override { changed = 0; }
  virtual void DrawFrame(TDrawSpec& spec, GVFrame* frame);
  virtual void UpdateTransform(GVFrame* frame);

  // On this object and then on every descendant; the largest run length (ms)
  // of the subtree. `extra` is passed along and unused.
  int SetState(TState name, bool atOnce, void* extra = nullptr);
  int SetOwnState(TState name, bool atOnce, void* extra = nullptr);
  TState GetState() const;
  GVFrame* GetCurrentFrame() const;
  GVRectF GetFrameRect(GVFrame* frame = nullptr);
  void Draw(const TRect& clip);
  bool HitTestSelf(const TPoint& screen);
  // Depth -1 searches the whole tree; the object is tested before its children.
  GVObject* FindObjectAt(int depth, const TPoint& screen);
  bool Attach(GVDrawList* list, GVObject* parent, bool startNormal);
  void UpdateData();
  bool NeedsUpdate() const;
  void Relink();
  void AddToDrawList(GVDrawList* list, bool withChildren);
  void RemoveFromDrawList(GVDrawList* list, bool withChildren);

  // A child by id (the first of that id), or null.
  GVObject* GetChild(const str& id) const;
  GVChilds* GetChildren() const { return mChildren; }
  GVStates* GetStates() const { return mStates; }
  GVState* GetCurrentStateData() const;
  int GetFramePosition() const { return mFramePos; }
  const boost::shared_ptr<GVFrames>& GetFrames() const { return mFrames; }
  const boost::shared_ptr<GVTextures>& GetTextures() const { return mTextures; }
  const boost::shared_ptr<GVHitTester>& GetHitTester() const { return mHitTester; }
  const GVData& GetEffective() const { return mEffective; }
  const GVData& GetLoaded() const { return mLoaded; }
  GVParams& GetParams() { return mParams; }
  const str& GetId() const { return mId; }
  GVEffects* GetEffects() const { return mEffects; }
  const std::vector<GVDrawList*>& GetDrawLists() const { return mDrawLists; }
  GVDrawList* GetFirstDrawList() const { return mDrawLists.empty() ? nullptr : mDrawLists[0]; }
  const TDrawSpec* GetTransform() const { return mTransform.get(); }
  bool HasTask() const { return mTask != nullptr; }

  int32_t link = 2;
  GVListener* listener = nullptr;  // not owned; set by the object's owner

 protected:
  void SetFrame(int position);
  void OnRunEnd();
  bool EnsureTask();
  void SetFrameDelay(int ms);
  bool FrameStep(TCustomOnTimerCaller* task);
  void UpdateSelf();
  // Own values with what the ancestors' own values pass on.
  void ComposeOwnTotal();
  // Every link but 0 follows the parent's own-value moves.
  bool ReceivesPushes() const { return link != 0; }

  GVData mLoaded, mEffective, mLinked;
  // The own values as last passed on to the children, with the ancestors' part.
  GVData mOwnTotal;
  TCustomOnTimerCaller* mTask = nullptr;
  boost::shared_ptr<GVFrames> mFrames;
  boost::shared_ptr<GVTextures> mTextures;
  GVParams mParams;
  GVStates* mStates = nullptr;
  GVChilds* mChildren = nullptr;
  GVEffects* mEffects = nullptr;
  int mFramePos = -1;
  int mCurState = -1;
  str mId;
  boost::shared_ptr<GVHitTester> mHitTester;
  std::unique_ptr<TDrawSpec> mTransform;
  GVObject* mParent = nullptr;
  std::vector<GVDrawList*> mDrawLists;
  // Cleared when the object dies, so callers of a listener can tell.
  std::shared_ptr<bool> mAlive;
  int mRunEndDepth = 0;
  bool mOwnTotalChanged = true;
};
