#pragma once
// The masks of one scene, in hit-test order, and the one under the pointer.
// Blocked while the scene is paused: moves and clicks are remembered but not
// acted on until it resumes.

#include <vector>

#include "sdk/TWindow.h"

class GScene;
class IMask;

class GMasksManager : public TWindow {
  TWINDOW_CLASS(GMasksManager, TWindow)
 public:
  explicit GMasksManager(GScene* scene = nullptr);
  ~GMasksManager() override;

  // Takes ownership.
  void AddMask(IMask* mask);
  // Tested before every mask already there (the drop-zones mask).
  void AddMaskFirst(IMask* mask);
  IMask* FindMask(const str& name) const;

  void UpdateHover(const TPoint& point);
  bool OnPointerMove(const TPoint& point);
  bool OnClick(const TPoint& point);
  void Block();
  void Unblock();
  // Forgets the active mask without telling it and looks again.
  void Refresh();

  void SetCaptionKey(const str& key);
  void SetCaptionText(const str& text);
  void GoToScene(const str& sceneName);

  GScene* GetScene() const { return mScene; }
  void SetScene(GScene* scene) { mScene = scene; }
  IMask* GetActiveMask() const { return mActiveMask; }
  bool IsBlocked() const { return mBlocked; }
  TPoint GetLastPointerPosition() const { return mLastPosition; }
  const std::vector<IMask*>& GetMasks() const { return mMasks; }

 private:
  std::vector<IMask*> mMasks;
  GScene* mScene;
  IMask* mActiveMask = nullptr;
  bool mBlocked = true;
  TPoint mLastPosition{-100, 0};
};
