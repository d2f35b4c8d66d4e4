#pragma once
// The window tree. A window owns the children it adopted and deletes them
// after its derived destructor has run. Coordinates: GetWindowRect is in
// screen pixels; mouse handlers get points local to the window's top-left;
// Draw and PostDraw run with the renderer's origin at the window's top-left.

#include <cstdint>
#include <new>
#include <vector>

#include "TMath.h"
#include "TTask.h"
#include "str.h"

class TWindowStyle;
class TModalWindow;

// A message that bubbles from a control to its ancestors.
struct TMessage {
  enum Kind { kButtonPressed = 3, kSliderMoved = 9 };
  int kind = 0;
  str senderName;
  class TWindow* sender = nullptr;
};

typedef class TWindow* (*TWindowFactory)();

// Class identity: the address of the class's factory.
#define TWINDOW_CLASS(Class, Base)                                                   \
 public:                                                                             \
  static TWindow* Create() {                                                         \
    return new (std::nothrow) Class();                                               \
  }                                                                                  \
  static uintptr_t ClassId() {                                                       \
    return reinterpret_cast<uintptr_t>(static_cast<TWindow* (*)()>(&Class::Create)); \
  }                                                                                  \
  const char* GetTypeName() const override {                                         \
    return #Class;                                                                   \
  }                                                                                  \
  bool IsKindOf(uintptr_t id) const override {                                       \
    return id == ClassId() || Base::IsKindOf(id);                                    \
  }

class TWindow {
 public:
  enum { kShown = 0x100 };

  TWindow();
  virtual ~TWindow();
  static TWindow* Create() { return new TWindow(); }
  static uintptr_t ClassId() { return reinterpret_cast<uintptr_t>(&TWindow::Create); }
  virtual const char* GetTypeName() const { return "TWindow"; }
  virtual bool IsKindOf(uintptr_t id) const { return id == ClassId(); }

  // Building from a style: Init before the children are made, then
  // PostChildrenInit after.
  virtual void Init(TWindowStyle& style);
  virtual void PostChildrenInit(TWindowStyle& style);

  // Drawing: Draw (self), the children clipped to this window, then PostDraw.
  virtual void Draw();
  virtual void PostDraw();
  // Runs the whole sequence for this window and its subtree.
  void DoDraw();

  // Called every period while the animation runs; false stops it.
  virtual bool OnTaskAnimate();
  // Period in ms. The flags are accepted for callers' habit and unused.
  void StartWindowAnimation(uint32_t periodMs, bool a = true, bool b = true, bool c = false);
  void StopWindowAnimation();
  bool IsAnimating() const;

  // Input; each returns whether the event was taken. The base takes nothing.
  virtual bool OnMouseDown(const TPoint& local);
  virtual bool OnMouseUp(const TPoint& local);
  virtual bool OnMouseMove(const TPoint& local);
  virtual void OnMouseLeave();
  virtual bool OnExtendedMouseEvent(const TPoint& local, int code);
  virtual bool OnKeyDown(int key, uint32_t flags);
  virtual bool OnKeyUp(int key, uint32_t flags);
  virtual bool OnChar(int ch);
  virtual bool OnMessage(const TMessage& message);
  virtual void OnNewParent();
  virtual void OnFocus(bool gained);
  // Whether the point (local) is inside for hit purposes; default: the rectangle.
  virtual bool HitTest(const TPoint& local) const;

  // Tree.
  void AdoptChild(TWindow* child, bool onTop = true);
  bool OrphanChild(TWindow* child);
  TWindow* GetParent() const { return mParent; }
  const std::vector<TWindow*>& GetChildren() const { return mChildren; }
  // A descendant by name at any depth (depth -1), or only within `depth` levels.
  TWindow* GetChildWindow(const str& name, int depth = -1) const;
  TModalWindow* FindParentModal();
  bool IsAncestorOf(const TWindow* w) const;

  const str& GetName() const { return mName; }
  void SetName(const str& name) { mName = name; }
  uint32_t GetID() const { return mId; }
  uint32_t GetFlags() const { return mFlags; }
  void SetFlags(uint32_t flags) { mFlags = flags; }
  bool IsShown() const { return (mFlags & kShown) != 0; }
  void Show(bool shown);
  // Shown itself and every ancestor shown.
  bool IsVisibleOnScreen() const;

  void SetWindowSize(int w, int h);
  void SetWindowPos(int x, int y);                        // relative to the parent
  TRect GetWindowRect() const;                            // screen
  TRect GetClientRect() const { return {0, 0, mW, mH}; }  // local
  int GetX() const { return mX; }
  int GetY() const { return mY; }
  int GetWidth() const { return mW; }
  int GetHeight() const { return mH; }
  TPoint ScreenToLocal(const TPoint& screen) const;

  // Whether this window clips its children; modal windows do not.
  virtual bool ClipsChildren() const { return true; }
  virtual bool IsModal() const { return false; }

 protected:
  // Deletes the adopted children, front to back. A subclass whose members the
  // children's destructors still reach (a modal's task list) calls it first.
  void DeleteChildren();

 private:
  // Moves the animations of this subtree onto the clock of the modal they now
  // live in (the platform's when there is none).
  void RehomeAnimations();

  str mName;
  uint32_t mId;
  uint32_t mFlags = kShown;
  int mX = 0, mY = 0, mW = 0, mH = 0;
  TWindow* mParent = nullptr;
  std::vector<TWindow*> mChildren;
  class TWindowAnimTask* mAnim = nullptr;
  friend class TWindowManager;
  friend class TWindowAnimTask;
};
