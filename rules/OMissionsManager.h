#pragma once
// Stand-in for the missions manager until the game rules land: it receives
// the game events and records them (as "type id"), and writes an empty
// "missions_manager" section so saves keep their shape.

#include <vector>

#include "sdk/str.h"

class TXmlNode;

class OMissionsManager {
 public:
  static OMissionsManager* GetInstance();
  static bool HasInstance();
  static void DeleteInstance();

  // The sender owns the element.
  void OnEvent(TXmlNode* event);
  void OnFlag(const str& name, const str& value);
  void OnWorldEnter(const str& worldId);
  void OnSceneEnter(const str& sceneId);
  void OnItemCreate(const str& item);
  void OnItemGet(const str& item);
  void OnItemAction(const str& item);
  void OnItemSceneReturn(const str& item);
  void OnNoteRead(const str& item);
  void OnPotionCreate(const str& potion);
  void OnPotionDrink(const str& magic);
  void Reset();

  void Save(TXmlNode* save) const;
  void Load(TXmlNode* save);

  // What it was asked, oldest first: "flag name=value", "item_get lamp",
  // "reset", "load".
  const std::vector<str>& GetAsked() const { return mAsked; }

 private:
  OMissionsManager() = default;
  void Send(const str& type, const str& key, const str& id);
  std::vector<str> mAsked;
  static OMissionsManager* sInstance;
};
