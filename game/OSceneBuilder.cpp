#include "OSceneBuilder.h"

#include <map>

#include "game/GGameWnd.h"
#include "game/GInventoryGameScene.h"
#include "game/GMasksManager.h"
#include "game/GMiniGameScene.h"
#include "game/GSceneVariants.h"
#include "game/GTutorialGameScene.h"
#include "game/IMask.h"
#include "game/OAlphaBackground.h"
#include "game/ODarkRoomBackground.h"
#include "game/ODropZoneSet.h"
#include "game/ODropZonesMask.h"
#include "game/OFlagsRegistry.h"
#include "game/OFlashSceneBuilder.h"
#include "game/OGame.h"
#include "game/OGameConfig.h"
#include "game/OPopupQueue.h"
#include "game/OSimpleBackground.h"
#include "game/OTutorialBackground.h"
#include "items/OItem.h"
#include "items/OItemFactory.h"
#include "items/OItemsManager.h"
#include "minigames/cards/GCardsScene.h"
#include "minigames/catapult/GCatapultScene.h"
#include "minigames/cook/GCookScene.h"
#include "minigames/fishing/GFishingScene.h"
#include "minigames/mirrors/GMirrorsScene.h"
#include "minigames/plants/GPlantsScene.h"
#include "minigames/shooter/GShooterScene.h"
#include "minigames/tag/GTagScene.h"
#include "rules/actions/IAction.h"
#include "rules/actions/OActionFactory.h"
#include "sdk/TImage.h"
#include "sdk/TReport.h"
#include "sdk/TScript.h"
#include "sdk/TXmlNode.h"
#include "tools/panel/GGamePanel.h"
#include "visual/GVXmlLoaders.h"
#include "visual/GZInterpolator.h"

namespace {

struct MinigameEntry {
  MinigameSceneCreator creator = nullptr;
  int panelKind = 0;
};

// The mini-games by id with the panel kind each sets; their scenes are
// registered by the mini-games themselves as they land.
std::map<str, MinigameEntry>& MinigameTable() {
  static std::map<str, MinigameEntry> table = {
      // One game a line: the creator, then the panel kind it shows.
      {"fishing", {&NewFishingScene, 9}},  //
      {"catapult", {&NewCatapultScene, 10}},  //
      {"shooter", {&NewShooterScene, 13}},  //
      {"mirrors", {&NewMirrorsScene, 8}},  //
      {"tag", {&NewTagScene, 7}},  //
      {"cards", {&NewCardsScene, 12}},  //
  };
  return table;
}

GGamePanel* PanelOf(GGameWnd* wnd) {
  return wnd ? wnd->GetPanel() : nullptr;
}

// The game_screen/panel_masks child that a panel kind uses, or "".
str PanelMaskName(int kind) {
  switch (kind) {
    case 0:
    case 2:
    case 5:
      return "common";
    case 1:
      return "alchemical_device";
    case 6:
    case 11:
      return "king_cook_minigame";
    default:
      return str();
  }
}

// A mask of the node over the image, added to the manager; the image is
// deleted when no mask takes it.
void AddMaskFromXml(GMasksManager* masks, TXmlNode* node, TImage* image) {
  IMask* mask = IMask::CreateFromXml(node, image, masks);
  if (mask)
    masks->AddMask(mask);
  else
    delete image;
}

// "cycling" counts as true unless it is exactly "false".
bool Cycling(TXmlNode* node) {
  return node->GetAttribute("cycling") != "false";
}

void SetMusic(GScene* scene, TXmlNode* node) {
  if (TXmlNode* music = node->GetChild("music")) {
    scene->SetTheme(music->GetContent(), Cycling(music));
    return;
  }
  OGameConfig* config = OGameConfig::GetInstance();
  str world = OGame::GetInstance()->GetCurrentWorldId();
  TXmlNode* themes = config->GetThemes();
  if (themes && !world.empty() && TXmlNode::IsValidName(world) && themes->GetChild(world)) {
    bool vethra = world == "vethra" && OFlagsRegistry::GetInstance()->GetValue("vethra_atmosphere") == "true";
    scene->SetTheme(vethra ? str("vethra_atmosphere") : world, true);
    return;
  }
  TXmlNode* defaults = config->GetSoundDefaults();
  TXmlNode* theme = defaults ? defaults->GetChild("background_theme") : nullptr;
  if (theme) scene->SetTheme(theme->GetContent(), Cycling(theme));
}

}  // namespace

// ---- game scenes ----

OGameSceneBuilder::OGameSceneBuilder(TXmlNode* node, GGameWnd* gameWnd)
    : mNode(node), mGameWnd(gameWnd), mPanel(PanelOf(gameWnd)) {}

GScene* OGameSceneBuilder::GetScene() {
  return mScene;
}

bool OGameSceneBuilder::KnowsType(const str& type) {
  // The alchemical device and Vethra scenes come with their subsystems.
  return type.empty() || type == "full_screen" || type == "tutorial" || type == "cook" || type == "plants" ||
         IsSceneVariantType(type);
}

GFullScreenGameScene* OGameSceneBuilder::CreateSceneWindow(const str& type) const {
  if (IsSceneVariantType(type)) return CreateSceneVariant(type);
  if (type == "cook") return new GCookScene();
  if (type == "plants") return new GPlantsScene();
  if (type == "tutorial") {
    std::vector<int> cells;
    if (TXmlNode* list = mNode->GetChild("not_locked_cells"))
      for (size_t i = 0; i < list->GetChildCount(); ++i)
        cells.push_back(list->GetChildAt(i)->GetContent().to_int());
    return new GTutorialGameScene(mNode->GetChild("top_visual_objects"), cells);
  }
  return new GInventoryGameScene(type == "full_screen");
}

void OGameSceneBuilder::BuildSceneWindow() {
  str type = mNode->GetAttribute("type");
  if (!KnowsType(type)) return;
  GFullScreenGameScene* scene = CreateSceneWindow(type);
  mScene = scene;
  scene->SetStandardPointer(mNode->GetAttribute("use_std_pointer") == "true");
  str hints = mNode->GetAttribute("drop_zones_hints_enabled");
  scene->SetDropZoneHints(hints.empty() ? type != "full_screen" : hints == "true");
  scene->SetMagicControlEnabled(mNode->GetAttribute("magic_control_enabled") != "false");
  if (scene->UsesPanel() && mPanel) {
    scene->AttachPanel(mPanel);
    mPanel->SetClient(scene);
  }
  scene->SetInteractionMode(GFullScreenGameScene::kPlay);
  scene->SetWindowSize(800, 600);
  scene->SetDropZonesOnTop(mNode->GetAttribute("drop_zone_on_top") == "true");
}

void OGameSceneBuilder::BuildBackground() {
  if (!mScene) return;
  TXmlNode* bg = mNode->GetChild("bg");
  if (!bg) {
    Report("scene \"%s\": state has no \"bg\"; scene has no background",
           OGame::GetInstance()->GetCurrentSceneId().c_str());
    return;
  }
  str type = bg->GetAttribute("type");
  TWindow* overlay = mScene->GetOverlayLayer();
  OSimpleBackground* background = nullptr;
  if (type.empty()) {
    background = new OSimpleBackground(overlay, LoadSpriteFromXml(bg));
  } else if (type == "tutorial") {
    background = new OTutorialBackground(bg, overlay);
  } else if (type == "dark") {
    background = new ODarkRoomBackground(overlay, bg, LoadSpriteFromXml(bg));
  } else if (type == "alpha") {
    OAlphaBackground* alpha =
        new OAlphaBackground(overlay, LoadImagesFromXml(bg), bg->GetAttribute("delay").to_int());
    if (!bg->GetAttribute("exit_flag_name").empty())
      alpha->SetExitFlag(bg->GetAttribute("exit_flag_name"), bg->GetAttribute("exit_flag_value"));
    background = alpha;
  } else {
    Report("scene \"%s\": background type \"%s\" is not known; scene has no background",
           OGame::GetInstance()->GetCurrentSceneId().c_str(), type.c_str());
    return;
  }
  mScene->SetBackground(background);
}

void OGameSceneBuilder::BuildMasks() {
  if (!mScene) return;
  GMasksManager* masks = new GMasksManager(mScene);
  if (mPanel) {
    str panelMask = PanelMaskName(mPanel->GetKind());
    TXmlNode* panelMasks = OGameConfig::GetInstance()->GetGameScreenChild("panel_masks");
    TXmlNode* node = panelMask.empty() || !panelMasks ? nullptr : panelMasks->GetChild(panelMask);
    if (node) AddMaskFromXml(masks, node, LoadImageFromXml(node));
  }
  if (TXmlNode* list = mNode->GetChild("masks")) {
    std::vector<TImage*> images = LoadImagesFromXml(list);
    for (size_t i = 0; i < list->GetChildCount(); ++i)
      AddMaskFromXml(masks, list->GetChildAt(i), i < images.size() ? images[i] : nullptr);
    for (size_t i = list->GetChildCount(); i < images.size(); ++i) delete images[i];
  }
  mScene->SetMasksManager(masks);
  mScene->GetBackgroundLayer()->AdoptChild(masks);
}

void OGameSceneBuilder::BuildBorders() {
  if (!mScene) return;
  static const char* const kNames[GScene::kBorderCount] = {"left", "right", "top", "bottom", "exit"};
  std::vector<IAction*>* borders = new std::vector<IAction*>(GScene::kBorderCount, nullptr);
  if (TXmlNode* node = mNode->GetChild("borders")) {
    for (int i = 0; i < GScene::kBorderCount; ++i)
      if (TXmlNode* border = node->GetChild(kNames[i]))
        (*borders)[i] = OActionFactory::CreateAction(border, mScene->GetMasksManager());
  }
  mScene->SetBorders(borders);
}

void OGameSceneBuilder::BuildItems() {
  if (!mScene) return;
  OItemsManager* items = new OItemsManager(mScene);
  if (mPanel) mPanel->SetItemsManager(items);
  OItemsManager* kept = mGameWnd ? mGameWnd->TakeKeptItemsManager() : nullptr;
  std::vector<str>* names = new std::vector<str>();
  if (TXmlNode* list = mNode->GetChild("items")) {
    for (size_t i = 0; i < list->GetChildCount(); ++i) {
      str name = list->GetChildAt(i)->GetAttribute("name");
      names->push_back(name);
      IItem* item = kept ? kept->FindItem(name) : nullptr;
      if (item) {
        // Taken over from the previous state: it now belongs to this scene.
        kept->RemoveItem(item);
        if (OItem* owned = dynamic_cast<OItem*>(item)) owned->SetItemsManager(items);
        items->AddItem(item);
      } else if ((item = OItemFactory::CreateForScene(name, items))) {
        items->AddItem(item);
      }
    }
  }
  mScene->SetItemNames(names);
  mScene->SetItemsManager(items);
  delete kept;
  if (TXmlNode* action = mNode->GetChild("create_action"))
    mScene->SetStartAction(OActionFactory::CreateAction(action, mScene->GetMasksManager()));
}

void OGameSceneBuilder::BuildDropZones() {
  if (!mScene) return;
  ODropZoneSet* zones =
      new ODropZoneSet(mScene->GetMasksManager(), static_cast<OItemsManager*>(mScene->GetItemsManager()));
  mScene->SetDropZoneSet(zones);
  // Without "drop_zones" the set stays empty and no zone mask exists.
  if (TXmlNode* list = mNode->GetChild("drop_zones")) {
    zones->AddZonesFromXml(list);
    if (mScene->GetMasksManager()) mScene->GetMasksManager()->AddMaskFirst(new ODropZonesMask(zones));
  }
}

void OGameSceneBuilder::BuildEffects() {
  if (!mScene || !OGameConfig::GetInstance()->AreParticlesEnabled()) return;
  LoadParticlesFromXml(mNode->GetChild("effects"), *mScene->GetEffectsList(), *mScene->GetEffectsHost(),
                       mScene->GetEffectsSpriteA());
  LoadParticlesFromXml(mNode->GetChild("top_effects"), *mScene->GetEffectsList(), *mScene->GetEffectsHost(),
                       mScene->GetEffectsSpriteB());
  for (GZInterpolator* animation :
       LoadAnimationsFromXml(mNode->GetChild("animations"), &mScene->GetDrawList()))
    mScene->GetAnimations().push_back(animation);
}

void OGameSceneBuilder::BuildMusic() {
  if (mScene) SetMusic(mScene, mNode);
}

// ---- mini-games ----

OMinigameSceneBuilder::OMinigameSceneBuilder(TXmlNode* node, GGameWnd* gameWnd)
    : mNode(node), mGameWnd(gameWnd), mPanel(PanelOf(gameWnd)) {}

GScene* OMinigameSceneBuilder::GetScene() {
  return mScene;
}

void OMinigameSceneBuilder::RegisterScene(const str& id, MinigameSceneCreator creator) {
  MinigameTable()[id].creator = creator;
}

bool OMinigameSceneBuilder::KnowsId(const str& id) {
  auto it = MinigameTable().find(id);
  return it != MinigameTable().end() && it->second.creator;
}

int OMinigameSceneBuilder::GetPanelKind(const str& id) {
  auto it = MinigameTable().find(id);
  return it == MinigameTable().end() ? 0 : it->second.panelKind;
}

void OMinigameSceneBuilder::BuildSceneWindow() {
  TXmlNode* game = mNode->GetChild("mini_game");
  str id = game ? game->GetAttribute("id") : str();
  if (!KnowsId(id)) return;
  mScene = MinigameTable()[id].creator();
  if (!mScene) return;
  if (game->GetAttribute("panel") == "true" && mPanel) {
    mScene->AttachPanel(mPanel);
    mPanel->SetKind(GetPanelKind(id));
    mPanel->SetClient(mScene);
  }
  mScene->SetWindowSize(800, 600);
  mScene->SetConfigNode(mNode);
}

void OMinigameSceneBuilder::BuildMasks() {
  if (!mScene) return;
  GMasksManager* masks = new GMasksManager(mScene);
  mScene->SetMasksManager(masks);
  mScene->GetSceneLayer()->AdoptChild(masks);
}

void OMinigameSceneBuilder::BuildBackgroundImage() {
  if (!mScene) return;
  if (TXmlNode* bg = mNode->GetChild("bg"))
    if (TImage* image = LoadImageFromXml(bg)) mScene->AdoptOverlayChild(image);
}

void OMinigameSceneBuilder::BuildEffects() {
  if (!mScene) return;
  // Mini-games keep their effects whatever the particles switch says.
  if (TXmlNode* effects = mNode->GetChild("effects")) {
    for (size_t i = 0; i < effects->GetChildCount(); ++i) {
      TXmlNode* e = effects->GetChildAt(i);
      TSpriteRef sprite =
          mScene->AddAnimation(e, e->GetAttribute("x").to_int(), e->GetAttribute("y").to_int());
      TFxSprite* fx = static_cast<TFxSprite*>(sprite.get());
      if (!fx) continue;
      bool active = e->GetAttribute("active").empty() || e->GetAttribute("active").to_int() != 0;
      if (TScript* script = fx->GetScript()) {
        str action = e->GetAttribute("action");
        if (!action.empty()) script->DoLuaString(action, 0);
        script->DoLuaString(active ? "gActive = true" : "gActive = false", 0);
      }
      if (!e->GetAttribute("layer").empty()) fx->SetLayer(e->GetAttribute("layer").to_int());
    }
  }
  if (TXmlNode* animations = mNode->GetChild("animations"))
    for (GZInterpolator* animation : LoadAnimationsFromXml(animations, &mScene->GetDrawList()))
      mScene->GetAnimations().push_back(animation);
}

void OMinigameSceneBuilder::BuildMusic() {
  if (mScene) SetMusic(mScene, mNode);
}

// ---- choice ----

ISceneBuilder* CreateSceneBuilder(TXmlNode* node, GGameWnd* gameWnd) {
  str type = node->GetAttribute("type");
  if (type == "mini_game") return new OMinigameSceneBuilder(node, gameWnd);
  if (type == "flash") return new OFlashSceneBuilder(node);
  return new OGameSceneBuilder(node, gameWnd);
}

bool CanBuildSceneState(TXmlNode* node, const str& sceneId) {
  if (!node) {
    Report("scene \"%s\" has no such state; scene not changed", sceneId.c_str());
    return false;
  }
  str type = node->GetAttribute("type");
  if (type == "flash") return OFlashSceneBuilder::CanBuild(node, sceneId);
  if (type == "mini_game") {
    TXmlNode* game = node->GetChild("mini_game");
    str id = game ? game->GetAttribute("id") : str();
    if (!OMinigameSceneBuilder::KnowsId(id)) {
      Report("scene \"%s\": mini-game \"%s\" is not known; scene not changed", sceneId.c_str(), id.c_str());
      return false;
    }
    return true;
  }
  if (!OGameSceneBuilder::KnowsType(type)) {
    Report("scene \"%s\": scene type \"%s\" is not known; scene not changed", sceneId.c_str(), type.c_str());
    return false;
  }
  return true;
}

bool StateTakesHand(TXmlNode* node) {
  if (!node) return false;
  const str type = node->GetAttribute("type");
  return type == "mini_game" || type == "cook" || type == "plants";
}
