#pragma once
// Stand-in for the hints manager until the game rules land: it keeps the
// queued hints (deleting them when it dies), records what it was asked, and
// writes an empty "hints_manager" section.

#include <vector>

#include "sdk/str.h"

class GScene;
class IHint;
class TWindow;
class TXmlNode;

class OHintsManager {
 public:
  static OHintsManager* GetInstance();
  static bool HasInstance();
  static void DeleteInstance();

  void SetCurrentScene(GScene* scene) { mCurrentScene = scene; }
  GScene* GetCurrentScene() const { return mCurrentScene; }
  void SetHintWindow(TWindow* window) { mHintWindow = window; }
  TWindow* GetHintWindow() const { return mHintWindow; }

  // Takes the hint over.
  void QueueHint(IHint* hint);
  const std::vector<IHint*>& GetQueue() const { return mQueue; }
  void Update() {}
  void ShowHint(IHint* hint) { mAsked.push_back("show"); }
  void ResetHints() { mAsked.push_back("reset"); }

  void Save(TXmlNode* save) const;
  void Load(TXmlNode* save) { mAsked.push_back("load"); }

  const std::vector<str>& GetAsked() const { return mAsked; }

 private:
  OHintsManager() = default;
  ~OHintsManager();
  GScene* mCurrentScene = nullptr;
  TWindow* mHintWindow = nullptr;
  std::vector<IHint*> mQueue;
  std::vector<str> mAsked;
  static OHintsManager* sInstance;
};
