#pragma once
// A clickable region of a scene. The masks manager tests its masks in list
// order and tells the one under the pointer when the pointer enters, moves
// over, leaves or clicks it.

#include "sdk/TMath.h"
#include "sdk/str.h"

class GMasksManager;
class TImage;
class TXmlNode;

class IMask {
 public:
  explicit IMask(const str& name = str()) : mName(name) {}
  virtual ~IMask() = default;
  IMask(const IMask&) = delete;
  IMask& operator=(const IMask&) = delete;

  // Whether the mask takes part in hit testing now.
  virtual bool IsActive() = 0;
  virtual bool HitTest(const TPoint& point) = 0;
  virtual void OnEnter(const TPoint& point) = 0;
  virtual void OnMove(const TPoint& point) {}
  virtual void OnLeave() = 0;
  // True when the mask took the click.
  virtual bool OnClick() = 0;

  const str& GetName() const { return mName; }

  // A mask of the node's "type" ("" simple, "item", "action", "panel") over
  // `image`, which the mask then owns; null for any other type, in which case
  // the caller still owns the image.
  static IMask* CreateFromXml(TXmlNode* node, TImage* image, GMasksManager* manager);

 protected:
  str mName;
};
