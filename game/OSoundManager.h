#pragma once
// The one object through which the game plays its sound effects and owns its
// music. Effects are named by keys: an item's sound is looked up in the items
// guide under the item's name and an event key, else a default key in
// "sound_defaults"; the file "none" is silence. It keeps every effect alive
// until the platform reports it finished, and holds the volumes, the music
// theme player and the ambient sound controllers.

#include <vector>

#include "OThemeController.h"
#include "sdk/TSound.h"
#include "sdk/str.h"

class OSoundController;
class TXmlNode;

class OSoundManager : public TSoundCallBack {
 public:
  static OSoundManager* GetInstance();
  static bool HasInstance();
  static void DeleteInstance();
  ~OSoundManager() override;

  void PlayFile(const str& path);
  void PlayItemSound(const str& item, const str& event, const str& defaultKey);
  // The file PlayItemSound would play ("" when none).
  str ResolveItemSound(const str& item, const str& event, const str& defaultKey) const;
  void PlayMagicSound(const str& magicId);
  void StopAllSounds();
  void OnSoundFinished(TSoundInstance* instance) override;

  // 0 to 1.
  void SetSoundVolume(float v);
  float GetSoundVolume() const { return mSoundVolume; }
  // Applied at once unless a theme fade holds the music volume; the fade
  // then applies it on its next tick.
  void SetMusicVolume(float v);
  float GetMusicVolume() const { return mMusicVolume; }
  bool IsMusicVolumeHeld() const { return mTheme.GetState() != OThemeController::kPlaying; }

  void SetTheme(const str& name, bool flag) { mTheme.SetTheme(name, flag); }
  const str& GetTheme() const { return mTheme.GetTheme(); }
  OThemeController& GetThemeController() { return mTheme; }

  const std::vector<TSoundRef>& GetPlayingEffects() const { return mPlaying; }

  // Ambient controllers: each takes the smallest free volume type.
  int AcquireVolumeType();
  void ReleaseVolumeType(int type);
  void AddController(OSoundController* controller);
  void RemoveController(OSoundController* controller);
  const std::vector<OSoundController*>& GetControllers() const { return mControllers; }

  // Item sounds.
  void PlaySimpleItemGet(const str& item) { PlayItemSound(item, "get", "simple_item_get"); }
  void PlaySimpleItemPut(const str& item) { PlayItemSound(item, "put", "simple_item_put"); }
  void PlaySimpleItemDropZonePut(const str& item) {
    PlayItemSound(item, "drop_zone_put", "simple_item_drop_zone_put");
  }
  void PlayFlaskItemPut(const str& item) { PlayItemSound(item, "put", "flask_item_put"); }
  void PlayFlaskItemDropZonePut(const str& item) {
    PlayItemSound(item, "drop_zone_put", "flask_item_drop_zone_put");
  }
  void PlayFlaskItemPour(const str& item) { PlayItemSound(item, "pour", "flask_item_pour"); }
  void PlayContainerItemOpen(const str& item) { PlayItemSound(item, "open", "container_item_open"); }
  void PlayContainerItemClose(const str& item) { PlayItemSound(item, "close", "container_item_close"); }
  void PlayContainerCantOpen(const str& item) { PlayItemSound(item, "cant_open", "container_cant_open"); }
  void PlayPassageItemOpen(const str& item) { PlayItemSound(item, "open", "passage_item_open"); }
  void PlayNoteOpenSound(const str& item) { PlayItemSound(item, "open", "note_open"); }
  void PlayNoteHideSound(const str& item) { PlayItemSound(item, "hide", "note_hide"); }
  void PlayImpossibleAction(const str& item) { PlayItemSound(item, "impossible", "impossible_action"); }
  void PlayItemEvent(const str& item, const str& event) { PlayItemSound(item, event, "none"); }
  void PlayQuestBookTurn() { PlayItemSound("basement_quest_book", "page_turn", "quest_book_turn"); }
  void PlayQuestBookBackwardsTurn() {
    PlayItemSound("basement_quest_book", "backwards_page_turn", "quest_book_backwards_turn");
  }
  void PlayQuestBookDiscover() {
    PlayItemSound("basement_quest_book", "new_page_turn", "quest_book_discover");
  }
  void PlayAlchemicalDeviceItemAdd(const str& item) {
    PlayItemSound("alchemical_device", "item_add_" + item, "alchemical_device_item_add");
  }
  void PlayAlchemicalDeviceLastPotionItem(const str& item) {
    PlayItemSound("alchemical_device", "last_potion_item_" + item, "alchemical_device_last_potion_item");
  }
  void PlayAlchemicalDeviceDone(const str& potion) {
    PlayItemSound("alchemical_device", "done_" + potion, "alchemical_device_done");
  }
  void PlayAlchemicalDeviceClear() {
    PlayItemSound("alchemical_device", "dummy____", "alchemical_device_clear");
  }
  void PlayAlchemicalDeviceAddLiquid() {
    PlayItemSound("alchemical_device", "dummy____", "alchemical_device_add_liquid");
  }
  void PlayAlchemicalDeviceTurnOn() {
    PlayItemSound("alchemical_device", "dummy____", "alchemical_device_turn_on");
  }
  void PlayAlchemicalDevicePourPotion() {
    PlayItemSound("alchemical_device", "dummy____", "alchemical_device_pour_potion");
  }
  void PlayNoAirSound() { PlayItemSound("___dummy__", "___dummy__", "no_air"); }

 private:
  OSoundManager();
  OThemeController mTheme;
  TXmlNode* mItemsGuide;
  TXmlNode* mSoundDefaults;
  std::vector<TSoundRef> mPlaying;
  float mMusicVolume = 1;
  float mSoundVolume = 1;
  std::vector<int> mTypesInUse;
  std::vector<OSoundController*> mControllers;
  static OSoundManager* sInstance;
};
