#pragma once
// Every hint meets here: guide hints fire on game events, the rules, timers,
// actions and scenes queue hints of their own, and one window at a time is
// opened in the attached scene, first in first out, pausing the scene until
// the window closes. The queue owns exactly the hints whose
// delete-after-showing flag is set; guide and timer hints stay their owners'.

#include <vector>

#include "sdk/str.h"

class GScene;
class IGHint;
class IHint;
class OHint;
class TWindow;
class TXmlNode;

class OHintsManager {
 public:
  // The first call reads the hints document.
  static OHintsManager* GetInstance();
  static bool HasInstance();
  static void DestroyInstance();
  static void DeleteInstance() { DestroyInstance(); }

  // No test for duplicates. A hint with delete-after-showing set is handed
  // over with it; null is ignored.
  void QueueHint(IHint* hint);
  // Takes every entry of a hint out of the queue, not deleting it: for an
  // owner that goes while its hint waits.
  void Unqueue(const IHint* hint);
  // Offers the event to every guide hint, in document order.
  void OnEvent(TXmlNode* event);
  // One tick, while the attached scene is active.
  void Update();
  // Opens the window of one hint in the attached scene and pauses it. False
  // when no window could be made or no scene is attached.
  bool ShowHint(IHint* hint);

  // The scene hint windows open in; a window still shown is dropped without
  // closing (no resume, no after-close action).
  void AttachScene(GScene* scene);
  void DetachScene();

  void Save(TXmlNode* save) const;
  // Pairs saved `hint`s with guide hints by position; the queue is kept.
  void Load(TXmlNode* save);
  // A new game: every guide hint open again; the queue is kept.
  void ResetHints();

  GScene* GetScene() const { return mScene; }
  IGHint* GetShownWindow() const { return mShownWindow; }
  const std::vector<IHint*>& GetQueue() const { return mQueue; }
  const std::vector<OHint*>& GetHints() const { return mHints; }
  OHint* FindHint(const str& name) const;

  // Older names still used by the scenes: the scene pointer alone (no drop)
  // and the shown window, which a scene may drop itself.
  void SetCurrentScene(GScene* scene) { mScene = scene; }
  GScene* GetCurrentScene() const { return mScene; }
  TWindow* GetHintWindow() const;
  void SetHintWindow(TWindow* window);

 private:
  OHintsManager();
  ~OHintsManager();
  OHintsManager(const OHintsManager&) = delete;
  OHintsManager& operator=(const OHintsManager&) = delete;

  void LoadGuide();
  void DropShownWindow();

  GScene* mScene = nullptr;
  IGHint* mShownWindow = nullptr;  // owned while shown
  std::vector<OHint*> mHints;      // owned
  std::vector<IHint*> mQueue;
  static OHintsManager* sInstance;
};
