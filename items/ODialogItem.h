#pragma once
// A scripted conversation played over a scene. A panel slides down into the
// screen, the interlocutor's figure (the item's visual) comes up in front of
// the scene, and the phrases follow one per click on the scene's "all_scene"
// mask, each as a text over a speech bubble. After the last the figure goes,
// the panel slides out, the result item is put in the player's hand and the
// result action runs. It keeps nothing: it plays at every build of its scene.
//
// Shown in front, it is updated twice a tick (among the scene's items and as
// the front item), so its counts are of updates.

#include <vector>

#include "items/OItem.h"

class GFrontItemHolder;
class IAction;
class OItemMask;
class TImage;
class TText;
class TWindow;
class TXmlNode;

struct ODialogPhrase {
  str text;     // string-table key; empty shows an empty text
  str emotion;  // the figure's visual state with this phrase
  bool mine = false;
  int32_t delay = 0;  // updates before the figure falls silent
};

class ODialogItem : public OItem {
 public:
  enum Phase { kWaiting = 0, kSlidingIn = 1, kTalking = 2, kSlidingOut = 3, kFinished = 4 };

  ~ODialogItem() override;

  // The windows are the scene's background layer, which takes the panel,
  // and its front-item holder, which takes the bubbles and texts; either may
  // be null, and then that part is not shown.
  static ODialogItem* CreateFromXml(const str& name, TXmlNode* node, IItemsManager* owner,
                                    TWindow* backgroundLayer, GFrontItemHolder* frontHolder);
  // The scene creator: the windows come from the owner's scene.
  static IItem* CreateForScene(const str& name, TXmlNode* node, IItemsManager* owner);
  // One coordinate of the panel after `step` of `steps` slide updates from
  // `from` towards `to`, in whole pixels (truncated).
  static int32_t SlideCoordinate(int32_t from, int32_t to, int32_t step, int32_t steps);

  void OnStateChange(GVObject* object, TState current, TState& requested) override {}
  void OnStateEnd(GVObject* object, TState state) override {}
  // Creates the figure and asks to be shown in front of the scene.
  void CreateObject() override;
  // Drawn by the front-item holder, never among the scene's items.
  bool IsInScene() const override { return false; }
  bool IsInInventory() const override { return false; }
  bool IsOnPointer() const override { return false; }
  // A click on the click mask shows the next phrase while talking, and is
  // taken in every phase.
  bool OnMaskClick(IMask* mask) override;
  bool OwnsMask(IMask* mask) const override { return true; }
  // The mask goes with the scene: it is forgotten, never reached again.
  void ReleaseMask() override { mClickMask = nullptr; }
  // One step of the phase.
  void Update() override;
  void Detach() override;
  void SaveState() override {}

  void NextPhrase();

  Phase GetPhase() const { return mPhase; }
  int32_t GetCurrentPhrase() const { return mCurrentPhrase; }
  int32_t GetSlideLength() const { return mSlideLength; }
  TImage* GetBackgroundImage() const { return mBackground; }
  TText* GetPlayerText() const { return mPlayerText; }
  TText* GetInterlocutorText() const { return mInterlocutorText; }

 private:
  using OItem::OItem;

  void PlaceBackground(int32_t x, int32_t y);
  void ShowFigure(bool shown);
  // Takes whichever bubble the bubble window shows out of it.
  void OrphanBubbles();
  void EndTalk();
  void Finish();
  // Puts the texts, bubbles and panel out of the scene's windows and deletes
  // what only the dialog used; safe to call again.
  void ReleaseWindows();

  int32_t mStartX = 0, mStartY = 0;
  int32_t mEndX = 0, mEndY = 0;
  TImage* mBackground = nullptr;        // owned
  TWindow* mBubbleWindow = nullptr;     // owned
  TWindow* mBackgroundLayer = nullptr;  // not owned
  str mInitialState;
  std::vector<ODialogPhrase> mPhrases;
  int32_t mCurrentPhrase = -1;
  Phase mPhase = kWaiting;
  int32_t mSlideLength = 1;
  int32_t mCounter = 0;
  TText* mPlayerText = nullptr;              // owned
  TText* mInterlocutorText = nullptr;        // owned
  IAction* mResultAction = nullptr;          // owned
  GFrontItemHolder* mFrontHolder = nullptr;  // not owned
  int32_t mStartDelay = 0;
  OItemMask* mClickMask = nullptr;  // not owned
  str mResultItem;
  TImage* mPlayerBubble = nullptr;        // owned
  TImage* mInterlocutorBubble = nullptr;  // owned
};
