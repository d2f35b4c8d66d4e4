#include "OMissionsManager.h"

#include "sdk/TXmlNode.h"

OMissionsManager* OMissionsManager::sInstance = nullptr;

OMissionsManager* OMissionsManager::GetInstance() {
  if (!sInstance) sInstance = new OMissionsManager();
  return sInstance;
}

bool OMissionsManager::HasInstance() {
  return sInstance != nullptr;
}

void OMissionsManager::DeleteInstance() {
  delete sInstance;
  sInstance = nullptr;
}

void OMissionsManager::OnEvent(TXmlNode* event) {
  if (!event) return;
  str type = event->GetAttribute("type");
  if (type == "flag") {
    mAsked.push_back("flag " + event->GetAttribute("flag_name") + "=" + event->GetAttribute("flag_value"));
    return;
  }
  str line = type;
  str name, value;
  event->ResetAttributes();
  while (event->GetNextAttribute(&name, &value))
    if (name != "type") line += " " + value;
  mAsked.push_back(line);
}

void OMissionsManager::Send(const str& type, const str& key, const str& id) {
  TXmlNode event("event");
  event.SetAttribute("type", type);
  event.SetAttribute(key, id);
  OnEvent(&event);
}

void OMissionsManager::OnFlag(const str& name, const str& value) {
  TXmlNode event("event");
  event.SetAttribute("type", "flag");
  event.SetAttribute("flag_name", name);
  event.SetAttribute("flag_value", value);
  OnEvent(&event);
}

void OMissionsManager::OnWorldEnter(const str& id) {
  Send("world_enter", "world_id", id);
}
void OMissionsManager::OnSceneEnter(const str& id) {
  Send("scene_enter", "scene_id", id);
}
void OMissionsManager::OnItemCreate(const str& item) {
  Send("item_create", "item_id", item);
}
void OMissionsManager::OnItemGet(const str& item) {
  Send("item_get", "item_id", item);
}
void OMissionsManager::OnItemAction(const str& item) {
  Send("item_action", "item_id", item);
}
void OMissionsManager::OnItemSceneReturn(const str& item) {
  Send("item_scene_return", "item_id", item);
}
void OMissionsManager::OnNoteRead(const str& item) {
  Send("note_read", "item_id", item);
}
void OMissionsManager::OnPotionCreate(const str& potion) {
  Send("potion_create", "potion_id", potion);
}
void OMissionsManager::OnPotionDrink(const str& magic) {
  Send("potion_drink", "potion_id", magic);
}
void OMissionsManager::Reset() {
  mAsked.push_back("reset");
}

void OMissionsManager::Save(TXmlNode* save) const {
  if (save) save->CreateChild("missions_manager");
}

void OMissionsManager::Load(TXmlNode* save) {
  mAsked.push_back("load");
}
