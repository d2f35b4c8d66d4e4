#pragma once
// The one dispatcher of game events: each event goes to every mission of the
// story, then to the hints manager, then to the current scene. It owns the
// missions read from the missions document and the states of the quest-book
// pages, and saves them as "missions_manager".
//
// Dispatch is synchronous and re-entrant: a result that sets a game variable
// sends its "flag" event, which is dispatched completely before the outer
// dispatch goes on with its next mission.

#include <cstdint>
#include <vector>

#include "sdk/str.h"

class OMission;
class OMissionTask;
class TXmlNode;

class OMissionsManager {
 public:
  // Quest-book page states.
  enum { kPageLocked = 0, kPageUnlocked = 1, kPageRevealed = 2 };
  // Far more spreads than any book holds.
  enum { kMaxPages = 1024 };

  // The first call reads the missions document.
  static OMissionsManager* GetInstance();
  static bool HasInstance();
  static void DestroyInstance();
  static void DeleteInstance() { DestroyInstance(); }

  // The sender owns the event and keeps it alive for the call only.
  void OnEvent(TXmlNode* event);
  void OnPotionCreate(const str& potion);
  void OnItemCreate(const str& item);
  void OnItemGet(const str& item);
  void OnMagicButtonUnlock(const str& magic);
  void OnNoteRead(const str& item);
  void OnPotionDrink(const str& potion);
  void OnFlag(const str& name, const str& value);
  void OnPotionReady(const str& potion);
  void OnWorldEnter(const str& worldId);
  void OnSceneEnter(const str& sceneId);
  void OnItemAction(const str& item);
  void OnItemSceneReturn(const str& item);
  void OnItemInventoryPush(const str& item);

  OMission* FindMission(const str& name) const;
  // Tasks of missions only, missions in order, then tasks in order.
  OMissionTask* FindTask(const str& name) const;
  const std::vector<OMission*>& GetMissions() const { return mMissions; }

  // Pages from 0; a page beyond the list is locked.
  int GetPageState(int page) const;
  // A page from kMaxPages on, or a state that is not one of the three, is
  // refused with a message; a negative page is ignored.
  void SetPageState(int page, int state);
  const std::vector<int32_t>& GetPageStates() const { return mPageStates; }

  void Save(TXmlNode* save) const;
  // Resets, then reads the slot's "missions_manager" back; a damaged or
  // absent section leaves what it does not cover reset.
  void Load(TXmlNode* save);
  // A new game: everything open, pages 0 to 2 available.
  void Reset();

  // The events dispatched so far, oldest first, each as "type id" ("flag
  // name=value" for variables), with "reset" and "load" between them: what
  // the scenario runner and tests read. Only the latest tens of thousands
  // are kept.
  const std::vector<str>& GetAsked() const { return mAsked; }

 private:
  OMissionsManager() = default;
  ~OMissionsManager();
  OMissionsManager(const OMissionsManager&) = delete;
  OMissionsManager& operator=(const OMissionsManager&) = delete;

  void LoadMissions();
  void ResetMissions();
  // SetPageState without the message; false when refused.
  bool StorePageState(int page, int state);
  void Send(const char* type, const char* key, const str& id);
  void Note(TXmlNode* event);

  std::vector<OMission*> mMissions;  // owned; fixed once read
  std::vector<int32_t> mPageStates;
  std::vector<str> mAsked;
  static OMissionsManager* sInstance;
};
