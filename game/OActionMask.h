#pragma once
// A mask that runs an action when clicked and asks the pointer for its
// passage or eye look while the pointer is over it.

#include "OMask.h"

class IAction;

class OActionMask : public OSimpleMask {
 public:
  // Takes ownership of the action, which may be null (the click then runs nothing).
  OActionMask(const str& name, TImage* image, const str& captionKey, GMasksManager* manager, IAction* action,
              bool allowItem, int pointerMode);
  ~OActionMask() override;

  bool IsActive() override { return true; }
  void OnEnter(const TPoint& point) override;
  void OnLeave() override;
  bool OnClick() override;

  IAction* GetAction() const { return mAction; }
  bool AllowsItem() const { return mAllowItem; }
  int GetPointerMode() const { return mPointerMode; }

 private:
  IAction* mAction;
  bool mAllowItem;
  int32_t mPointerMode;  // 0 plain, 1 passage, 2 eye
};
