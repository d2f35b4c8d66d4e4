#pragma once
// Goes to another scene: the element's "link" names it. The scene change
// goes through the owner's scene, so a passage without an owner does nothing.

#include "IAction.h"
#include "sdk/str.h"

class OPassageAction : public IAction {
 public:
  OPassageAction(const str& link, GMasksManager* owner) : mLink(link), mOwner(owner) {}
  void Execute() override;
  void SetOwner(GMasksManager* owner) override { mOwner = owner; }

  const str& GetLink() const { return mLink; }

 private:
  str mLink;
  GMasksManager* mOwner;
};
