#pragma once
// Covers the game panel's area: every click that reaches it stops there, so
// the held item is never used on the panel through the masks.

#include "OMask.h"

class OPanelMask : public OMask {
 public:
  OPanelMask(const str& name, TImage* image, GMasksManager* manager)
      : OMask(name, image), mManager(manager) {}

  bool IsActive() override { return true; }
  void OnEnter(const TPoint& point) override;
  void OnLeave() override;
  bool OnClick() override { return true; }

 private:
  GMasksManager* mManager;
};
