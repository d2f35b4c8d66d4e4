#include "TWindow.h"

#include <algorithm>

#include "TModalWindow.h"
#include "TPlatform.h"
#include "TRenderer.h"
#include "TWindowManager.h"

// Calls a window's OnTaskAnimate on the clock of the modal it lives in: the
// modal's task list runs it only while that modal is on top. The task belongs
// to its window and dies when the window stops animating; a list never touches
// a task again once it is orphaned, so only a task inside its own run has to
// wait for the run to return before it is freed.
class TWindowAnimTask : public TAnimTask {
 public:
  explicit TWindowAnimTask(TWindow* window) : mWindow(window) {}

  bool DoTask() override {
    if (!mWindow) return false;
    TWindow* window = mWindow;
    mRunning = true;
    bool keep = window->OnTaskAnimate();
    mRunning = false;
    // The window may have stopped its animation or died inside the call.
    if (!mWindow) {
      delete this;
      return false;
    }
    if (!keep) {
      window->mAnim = nullptr;
      Release();
    }
    return keep;
  }

  // Takes the task out of whatever list holds it and frees it, at once or,
  // inside its own run, as the run returns.
  void Release();
  void AdoptInto(TModalWindow* modal);

  TWindow* mWindow;
  TModalWindow* mOwner = nullptr;  // null: the platform's list
  bool mInList = false;
  bool mRunning = false;
};

namespace {
uint32_t gNextId = 0;
}  // namespace

void TWindowAnimTask::Release() {
  if (mInList) {
    if (mOwner)
      mOwner->OrphanTask(this);
    else
      TPlatform::GetInstance()->OrphanTask(this);
  }
  mInList = false;
  mOwner = nullptr;
  mWindow = nullptr;
  if (!mRunning) delete this;
}

void TWindowAnimTask::AdoptInto(TModalWindow* modal) {
  if (mInList && modal == mOwner) return;
  if (mInList) {
    if (mOwner)
      mOwner->OrphanTask(this);
    else
      TPlatform::GetInstance()->OrphanTask(this);
  }
  mOwner = modal;
  if (modal)
    modal->AdoptTask(this);
  else
    TPlatform::GetInstance()->AdoptTask(this);
  mInList = true;
}

TWindow::TWindow() : mId(++gNextId) {}

TWindow::~TWindow() {
  StopWindowAnimation();
  // Children go while this window is still linked, so their destructors can
  // still find their modal.
  DeleteChildren();
  // Told while still linked, so the manager can reach the modal whose focus
  // may point here.
  if (TWindowManager* wm = TWindowManager::Peek()) wm->OnWindowDestroyed(this);
  if (mParent) mParent->OrphanChild(this);
}

void TWindow::DeleteChildren() {
  while (!mChildren.empty()) {
    TWindow* child = mChildren.front();
    mChildren.erase(mChildren.begin());
    child->mParent = nullptr;
    delete child;
  }
}

void TWindow::Init(TWindowStyle& /*style*/) {}
void TWindow::PostChildrenInit(TWindowStyle& /*style*/) {}
void TWindow::Draw() {}
void TWindow::PostDraw() {}

void TWindow::DoDraw() {
  if (!IsShown()) return;
  TRenderer* r = TRenderer::GetInstance();
  TRect rect = GetWindowRect();
  TPoint saved = r->GetOrigin();
  TPoint origin(float(rect.left), float(rect.top));
  r->SetOrigin(origin);
  Draw();
  bool clip = ClipsChildren();
  if (clip) r->PushClip(rect);
  // A child may delete a later sibling while drawing; index and re-check.
  for (size_t i = 0; i < mChildren.size(); ++i) mChildren[i]->DoDraw();
  if (clip) r->PopClip();
  r->SetOrigin(origin);
  PostDraw();
  r->SetOrigin(saved);
}

bool TWindow::OnTaskAnimate() {
  return true;
}

void TWindow::StartWindowAnimation(uint32_t periodMs, bool, bool, bool) {
  StopWindowAnimation();
  TWindowAnimTask* task = new TWindowAnimTask(this);
  task->SetDelay(periodMs);
  mAnim = task;
  task->AdoptInto(FindParentModal());
}

void TWindow::StopWindowAnimation() {
  if (!mAnim) return;
  TWindowAnimTask* task = mAnim;
  mAnim = nullptr;
  task->Release();
}

bool TWindow::IsAnimating() const {
  return mAnim != nullptr;
}

void TWindow::RehomeAnimations() {
  if (mAnim) mAnim->AdoptInto(FindParentModal());
  for (TWindow* child : mChildren) child->RehomeAnimations();
}

bool TWindow::OnMouseDown(const TPoint&) {
  return false;
}
bool TWindow::OnMouseUp(const TPoint&) {
  return false;
}
bool TWindow::OnMouseMove(const TPoint&) {
  return false;
}
void TWindow::OnMouseLeave() {}
bool TWindow::OnExtendedMouseEvent(const TPoint&, int) {
  return false;
}
bool TWindow::OnKeyDown(int, uint32_t) {
  return false;
}
bool TWindow::OnKeyUp(int, uint32_t) {
  return false;
}
bool TWindow::OnChar(int) {
  return false;
}
bool TWindow::OnMessage(const TMessage&) {
  return false;
}
void TWindow::OnNewParent() {}
void TWindow::OnFocus(bool) {}

bool TWindow::HitTest(const TPoint& local) const {
  return GetClientRect().Contains(local);
}

void TWindow::AdoptChild(TWindow* child, bool onTop) {
  // Adopting an ancestor would make a cycle that nothing could delete.
  if (!child || child == this || child->IsAncestorOf(this)) return;
  if (child->mParent) child->mParent->OrphanChild(child);
  if (onTop)
    mChildren.push_back(child);
  else
    mChildren.insert(mChildren.begin(), child);
  child->mParent = this;
  child->RehomeAnimations();
  child->OnNewParent();
}

bool TWindow::OrphanChild(TWindow* child) {
  auto it = std::find(mChildren.begin(), mChildren.end(), child);
  if (it == mChildren.end()) return false;
  mChildren.erase(it);
  child->mParent = nullptr;
  child->RehomeAnimations();
  return true;
}

TWindow* TWindow::GetChildWindow(const str& name, int depth) const {
  if (depth == 0) return nullptr;
  for (TWindow* child : mChildren) {
    if (child->mName == name) return child;
    if (TWindow* found = child->GetChildWindow(name, depth < 0 ? -1 : depth - 1)) return found;
  }
  return nullptr;
}

TModalWindow* TWindow::FindParentModal() {
  for (TWindow* w = this; w; w = w->mParent)
    if (w->IsModal()) return static_cast<TModalWindow*>(w);
  return nullptr;
}

bool TWindow::IsAncestorOf(const TWindow* w) const {
  for (const TWindow* p = w ? w->mParent : nullptr; p; p = p->mParent)
    if (p == this) return true;
  return false;
}

void TWindow::Show(bool shown) {
  if (shown)
    mFlags |= kShown;
  else
    mFlags &= ~uint32_t(kShown);
}

bool TWindow::IsVisibleOnScreen() const {
  for (const TWindow* w = this; w; w = w->mParent)
    if (!w->IsShown()) return false;
  return true;
}

void TWindow::SetWindowSize(int w, int h) {
  mW = w;
  mH = h;
}

void TWindow::SetWindowPos(int x, int y) {
  mX = x;
  mY = y;
}

TRect TWindow::GetWindowRect() const {
  int x = 0, y = 0;
  for (const TWindow* w = this; w; w = w->mParent) {
    x += w->mX;
    y += w->mY;
  }
  return {x, y, x + mW, y + mH};
}

TPoint TWindow::ScreenToLocal(const TPoint& screen) const {
  TRect r = GetWindowRect();
  return {screen.x - r.left, screen.y - r.top};
}
