#include "OGame.h"

#include "game/GGameWnd.h"
#include "game/GScene.h"
#include "game/OGameConfig.h"
#include "game/OMinigameRegistry.h"
#include "game/OSceneBuilder.h"
#include "rules/events/OMissionsManager.h"
#include "rules/timers/OTimersManager.h"
#include "sdk/TReport.h"
#include "sdk/TXmlNode.h"
#include "tools/magic/OMagicRegistry.h"

namespace {
const char* const kWorldFile = "/world.xml";

TXmlNode* Destinations(OGameConfig* config) {
  return config->GetWorlds()->GetChild("destinations");
}

TXmlNode* FindNamed(TXmlNode* list, const str& name) {
  if (!list || name.empty()) return nullptr;
  for (size_t i = 0; i < list->GetChildCount(); ++i)
    if (list->GetChildAt(i)->GetAttribute("name") == name) return list->GetChildAt(i);
  return nullptr;
}
}  // namespace

OGame* OGame::sInstance = nullptr;

OGame* OGame::GetInstance() {
  if (!sInstance) new OGame();
  return sInstance;
}

bool OGame::HasInstance() {
  return sInstance != nullptr;
}

void OGame::DeleteInstance() {
  delete sInstance;
  sInstance = nullptr;
}

OGame::OGame() : mConfig(OGameConfig::GetInstance()) {
  // Set first: what the constructor calls may ask for the game object.
  sInstance = this;
  OFlagsRegistry::GetInstance()->SetListener(this);

  TXmlNode* destinations = Destinations(mConfig);
  str world = destinations ? destinations->GetAttribute("default") : str();
  OTimersManager::GetInstance()->OnWorldChange("", world);
  if (!EnterWorld(world))
    Report("cfg/worlds.xml: the default world \"%s\" has no destination", world.c_str());
  OTimersManager::GetInstance()->OnSceneChange("", mSceneId);
  mStateIndex = ChooseStateIndex();
  // A new game starts with no magic unlocked.
  OMagicRegistry::DeleteInstance();
}

OGame::~OGame() {
  if (OFlagsRegistry::HasInstance() && OFlagsRegistry::GetInstance()->GetListener() == this)
    OFlagsRegistry::GetInstance()->SetListener(nullptr);
  OFlagsRegistry::DeleteInstance();
  OMinigameRegistry::DeleteInstance();
  if (sInstance == this) sInstance = nullptr;
}

bool OGame::EnterWorld(const str& worldId) {
  TXmlNode* destinations = Destinations(mConfig);
  TXmlNode* entry =
      destinations && TXmlNode::IsValidName(worldId) ? destinations->GetChild(worldId) : nullptr;
  if (!entry) return false;
  mWorldId = worldId;
  mWorldDir = entry->GetAttribute("dir");
  mSceneId = mConfig->LoadWorld(mWorldDir + kWorldFile);
  mStateIndex = ChooseStateIndex();
  return true;
}

TXmlNode* OGame::GetSceneStateNode(int n) const {
  TXmlNode* scene = mConfig->GetScene();
  TXmlNode* states = scene ? scene->GetChild("states") : nullptr;
  if (!states || n < 0) return nullptr;
  return states->GetChildAt(size_t(n));
}

bool OGame::HasScene(const str& sceneId) const {
  TXmlNode* world = mConfig->GetWorld();
  return FindNamed(world ? world->GetChild("scenes") : nullptr, sceneId) ||
         FindNamed(mConfig->GetCommonScenesCfg(), sceneId);
}

bool OGame::SetCurrentScene(const str& sceneId) {
  if (!HasScene(sceneId)) {
    Report("world \"%s\" has no scene \"%s\"; the player stays in \"%s\"", mWorldId.c_str(), sceneId.c_str(),
           mSceneId.c_str());
    return false;
  }
  OTimersManager::GetInstance()->OnSceneChange(mSceneId, sceneId);
  mSceneId = sceneId;
  mConfig->LoadScene(sceneId);
  mStateIndex = ChooseStateIndex();
  if (mGameWnd) mGameWnd->SetTransitionState(GGameWnd::kSceneChange);
  return true;
}

bool OGame::GoToScene(const str& sceneId) {
  if (!SetCurrentScene(sceneId)) return false;
  if (mGameWnd)
    if (GScene* scene = mGameWnd->GetCurrentScene()) scene->SetState(GScene::kFadeOutScene);
  return true;
}

bool OGame::GoToWorld(const str& worldId) {
  TXmlNode* destinations = Destinations(mConfig);
  if (!destinations || !TXmlNode::IsValidName(worldId) || !destinations->GetChild(worldId)) {
    Report("cfg/worlds.xml: no destination \"%s\"; the player stays in \"%s\"", worldId.c_str(),
           mWorldId.c_str());
    return false;
  }
  str oldScene = mSceneId;
  OTimersManager::GetInstance()->OnWorldChange(mWorldId, worldId);
  EnterWorld(worldId);
  OTimersManager::GetInstance()->OnSceneChange(oldScene, mSceneId);
  OMissionsManager::GetInstance()->OnWorldEnter(mWorldId);
  return true;
}

void OGame::OnFlagChanged() {
  int index = ChooseStateIndex();
  if (index == mStateIndex) return;
  mStateIndex = index;
  if (!mGameWnd) return;
  // On a journey the navigator has the scene rebuilt itself, from the state
  // chosen then; a change of state now would leave the journey half-way.
  if (mGameWnd->GetTransitionState() == GGameWnd::kNavigator) return;
  mGameWnd->SetTransitionState(GGameWnd::kStateChange);
  // During a build there is no scene to pause yet; the request stands.
  if (GScene* scene = mGameWnd->GetCurrentScene()) scene->Pause();
}

void OGame::Save(TXmlNode* node) const {
  node->CreateChild("current_world")->SetAttribute("id", mWorldId);
  node->CreateChild("current_scene")->SetAttribute("id", mSceneId);
}

bool OGame::Load(TXmlNode* node) {
  TXmlNode* world = node ? node->GetChild("current_world") : nullptr;
  TXmlNode* scene = node ? node->GetChild("current_scene") : nullptr;
  if (!world || !scene) {
    Report("save: no current world or scene; the player stays in \"%s\"", mSceneId.c_str());
    return false;
  }
  str worldId = world->GetAttribute("id");
  if (!EnterWorld(worldId)) {
    Report("save: no destination \"%s\"; the player stays in world \"%s\"", worldId.c_str(),
           mWorldId.c_str());
    return false;
  }
  str sceneId = scene->GetAttribute("id");
  if (!HasScene(sceneId)) {
    Report("save: world \"%s\" has no scene \"%s\"; the player goes to \"%s\"", mWorldId.c_str(),
           sceneId.c_str(), mSceneId.c_str());
    return false;
  }
  mSceneId = sceneId;
  mConfig->LoadScene(sceneId);
  mStateIndex = ChooseStateIndex();
  return true;
}

bool OGame::CanLoad(const TXmlNode* node) const {
  TXmlNode* world = node ? node->GetChild("current_world") : nullptr;
  TXmlNode* scene = node ? node->GetChild("current_scene") : nullptr;
  if (!world || !scene) {
    Report("save: no current world or scene");
    return false;
  }
  const str worldId = world->GetAttribute("id"), sceneId = scene->GetAttribute("id");
  TXmlNode* destinations = Destinations(mConfig);
  TXmlNode* entry =
      destinations && TXmlNode::IsValidName(worldId) ? destinations->GetChild(worldId) : nullptr;
  if (!entry) {
    Report("save: no destination \"%s\"", worldId.c_str());
    return false;
  }
  std::unique_ptr<TXmlNode> worldDoc = mConfig->ReadWorld(entry->GetAttribute("dir") + kWorldFile);
  if (!FindNamed(worldDoc->GetChild("scenes"), sceneId) &&
      !FindNamed(mConfig->GetCommonScenesCfg(), sceneId)) {
    Report("save: world \"%s\" has no scene \"%s\"", worldId.c_str(), sceneId.c_str());
    return false;
  }
  std::unique_ptr<TXmlNode> sceneDoc = mConfig->ReadScene(worldDoc.get(), sceneId);
  const int index =
      ChooseStateIndex(OGameConfig::ReadStateConditions(sceneDoc.get()), OFlagsRegistry::Read(node));
  TXmlNode* states = sceneDoc->GetChild("states");
  return CanBuildSceneState(states ? states->GetChildAt(size_t(index)) : nullptr, sceneId);
}

bool OGame::LocationsHold(const char* kind) const {
  TXmlNode* navigator = mConfig->GetGameScreen()->GetChild("navigator");
  TXmlNode* locations =
      navigator && navigator->GetChild(kind) ? navigator->GetChild(kind)->GetChild("locations") : nullptr;
  if (!locations) return false;
  for (size_t i = 0; i < locations->GetChildCount(); ++i)
    if (locations->GetChildAt(i)->GetAttribute("world_id") == mWorldId) return true;
  return false;
}

bool OGame::IsThroughSpaceWorld() const {
  return LocationsHold("through_space");
}

bool OGame::IsThroughTimeWorld() const {
  return LocationsHold("through_time");
}

std::unique_ptr<OVethraCoords> OGame::GetVethraSceneCoords() const {
  if (mWorldId != "vethra" || mSceneId.size() < 5) return nullptr;
  std::unique_ptr<OVethraCoords> coords(new OVethraCoords());
  coords->part = str(1, mSceneId[0]).to_int();
  coords->column = str(1, mSceneId[2]).to_int();
  coords->row = str(1, mSceneId[4]).to_int();
  return coords;
}

int OGame::ChooseStateIndex() const {
  return ChooseStateIndex(mConfig->GetStateConditions(), OFlagsRegistry::GetInstance()->GetValues());
}

int OGame::ChooseStateIndex(const std::vector<OGameConfig::StateConditions>& entries,
                            const std::map<str, str>& values) {
  if (entries.size() < 2) return 0;
  for (size_t i = 0; i < entries.size(); ++i) {
    bool all = true;
    for (const auto& condition : entries[i]) {
      const str value = OFlagsRegistry::ValueIn(values, condition.first);
      bool any = false;
      for (const str& wanted : condition.second)
        if (value == wanted) any = true;
      if (!any) {
        all = false;
        break;
      }
    }
    if (all) return int(i);
  }
  return 0;
}
