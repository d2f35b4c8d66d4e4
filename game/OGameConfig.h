#pragma once
// The game's read-only configuration: cfg/config.xml and the fourteen
// documents it names, parsed once on first use, plus the documents of the
// current world and scene, which the game object replaces as the player
// moves. A document that is missing or does not parse reads as an empty
// element of its own name, so every reader finds nothing and goes on.

#include <map>
#include <memory>
#include <vector>

#include "sdk/TXmlNode.h"
#include "sdk/str.h"

class OGameConfig {
 public:
  // The fourteen documents, in their order of loading.
  enum Document {
    kWorlds,
    kItemsGuide,
    kGameScreen,
    kDropZones,
    kMousePointerCfg,
    kComboCfg,
    kMissionsCfg,
    kMagicCfg,
    kHintsCfg,
    kTimerControllerCfg,
    kCommonScenesCfg,
    kCompositeActionsCfg,
    kSoundDefaults,
    kThemes,
    kDocumentCount
  };
  // Condition name to its values, for one leading state of the current scene.
  typedef std::map<str, std::vector<str>> StateConditions;

  static OGameConfig* GetInstance();
  static bool HasInstance();
  static void DeleteInstance();

  // The root element of a document; never null.
  TXmlNode* GetDocument(Document doc) const { return mDocs[doc].get(); }
  // By its name under config/path ("items_guide", "themes" ...); null for a
  // name that is not one of the fourteen.
  TXmlNode* GetDocument(const str& name) const;
  static const char* GetDocumentName(Document doc);

  TXmlNode* GetWorlds() const { return GetDocument(kWorlds); }
  TXmlNode* GetItemsGuide() const { return GetDocument(kItemsGuide); }
  // The element whose children are the items guide's entries: the document's
  // root when it is "items_guide", else its "items_guide" child; null when
  // there is neither. Everyone who looks an item up goes through here so they
  // all accept the same two shapes.
  TXmlNode* GetItemsGuideEntries() const;
  TXmlNode* GetGameScreen() const { return GetDocument(kGameScreen); }
  TXmlNode* GetDropZones() const { return GetDocument(kDropZones); }
  TXmlNode* GetMousePointerCfg() const { return GetDocument(kMousePointerCfg); }
  // The pointer document's "pointer_config" element: the root when it is
  // that element, else the root's child of that name; null when there is
  // neither. The pointer and the dark rooms both read it from here.
  TXmlNode* GetPointerConfig() const;
  TXmlNode* GetComboCfg() const { return GetDocument(kComboCfg); }
  TXmlNode* GetMissionsCfg() const { return GetDocument(kMissionsCfg); }
  TXmlNode* GetMagicCfg() const { return GetDocument(kMagicCfg); }
  TXmlNode* GetHintsCfg() const { return GetDocument(kHintsCfg); }
  TXmlNode* GetTimerControllerCfg() const { return GetDocument(kTimerControllerCfg); }
  TXmlNode* GetCommonScenesCfg() const { return GetDocument(kCommonScenesCfg); }
  TXmlNode* GetCompositeActionsCfg() const { return GetDocument(kCompositeActionsCfg); }
  TXmlNode* GetSoundDefaults() const { return GetDocument(kSoundDefaults); }
  TXmlNode* GetThemes() const { return GetDocument(kThemes); }

  // The child `name` of game_screen; an empty name means "inventory". Null
  // when absent.
  TXmlNode* GetGameScreenChild(const str& name) const;

  TXmlNode* GetConfig() const { return mConfig.get(); }
  const str& GetResourcesPath() const { return mResourcesPath; }
  const str& GetLayoutsPath() const { return mLayoutsPath; }
  bool AreParticlesEnabled() const { return mParticlesEnabled; }
  bool AreAllRecipesUnlocked() const { return mAllRecipesUnlocked; }

  // Replaces the current world document with `path` and loads its default
  // scene; returns that scene's name ("" when no scene is marked default).
  str LoadWorld(const str& path);
  // Replaces the current scene document with the scene `name` (a common
  // scene's entry wins over the world's) and rebuilds the state conditions.
  void LoadScene(const str& name);
  // The same documents read on their own, the current ones left as they
  // are: the world document at `path`; the scene `name` as `world` or the
  // common scenes list it (an empty "scene" when none does).
  std::unique_ptr<TXmlNode> ReadWorld(const str& path) const;
  std::unique_ptr<TXmlNode> ReadScene(const TXmlNode* world, const str& name) const;
  // The conditions of a scene document's leading states.
  static std::vector<StateConditions> ReadStateConditions(const TXmlNode* scene);
  TXmlNode* GetWorld() const { return mWorld.get(); }
  TXmlNode* GetScene() const { return mScene.get(); }
  const std::vector<StateConditions>& GetStateConditions() const { return mConditions; }

 private:
  OGameConfig();
  ~OGameConfig();
  OGameConfig(const OGameConfig&) = delete;
  OGameConfig& operator=(const OGameConfig&) = delete;

  std::unique_ptr<TXmlNode> mConfig;
  std::unique_ptr<TXmlNode> mDocs[kDocumentCount];
  str mResourcesPath;
  str mLayoutsPath;
  bool mParticlesEnabled = true;
  bool mAllRecipesUnlocked = false;
  std::unique_ptr<TXmlNode> mWorld;
  std::unique_ptr<TXmlNode> mScene;
  std::vector<StateConditions> mConditions;

  static OGameConfig* sInstance;
};
