#include "OGameConfig.h"

#include "sdk/TPlatform.h"
#include "sdk/TReport.h"

namespace {
const char* const kConfigPath = "cfg/config.xml";
const char* const kDocumentNames[OGameConfig::kDocumentCount] = {
    "worlds",          "items_guide",         "game_screen",    "drop_zones", "mousepointercfg",
    "combocfg",        "missionscfg",         "magiccfg",       "hintscfg",   "timercontrollercfg",
    "commonscenescfg", "compositeactionscfg", "sound_defaults", "themes"};

// Parses `path` into a new node. Whatever goes wrong, the result is an element
// named `rootName`, empty when the file could not be read; ParseFile has then
// said which file failed.
std::unique_ptr<TXmlNode> ParseDocument(const str& path, const str& rootName, const str& where,
                                        bool quietWhenUnnamed = false) {
  std::unique_ptr<TXmlNode> doc(new TXmlNode(rootName));
  if (path.empty()) {
    if (!quietWhenUnnamed)
      Report("%s: no file given for \"%s\"; it reads as empty", where.c_str(), rootName.c_str());
    return doc;
  }
  // Content paths are relative to the content root.
  if (!doc->ParseFile(TPlatform::ResolvePath(path))) {
    doc.reset(new TXmlNode(rootName));
  }
  return doc;
}

// Children of `parent` in document order.
std::vector<TXmlNode*> Children(const TXmlNode* parent) {
  std::vector<TXmlNode*> out;
  if (!parent) return out;
  for (size_t i = 0; i < parent->GetChildCount(); ++i) out.push_back(parent->GetChildAt(i));
  return out;
}

TXmlNode* FindByName(const TXmlNode* list, const str& name) {
  for (TXmlNode* child : Children(list))
    if (child->GetAttribute("name") == name) return child;
  return nullptr;
}
}  // namespace

OGameConfig* OGameConfig::sInstance = nullptr;

OGameConfig* OGameConfig::GetInstance() {
  if (!sInstance) sInstance = new OGameConfig();
  return sInstance;
}

bool OGameConfig::HasInstance() {
  return sInstance != nullptr;
}

void OGameConfig::DeleteInstance() {
  delete sInstance;
  sInstance = nullptr;
}

const char* OGameConfig::GetDocumentName(Document doc) {
  return doc >= 0 && doc < kDocumentCount ? kDocumentNames[doc] : "";
}

OGameConfig::OGameConfig() {
  mConfig = ParseDocument(kConfigPath, "config", kConfigPath);
  // Without a configuration its own message says it all; one line per
  // unnamed document would only repeat it.
  const bool configMissing = mConfig->GetChildCount() == 0;
  TXmlNode* paths = mConfig->GetChild("path");
  if (!paths) paths = mConfig->CreateChild("path");
  mResourcesPath = paths->GetChildContent("resources");
  mLayoutsPath = paths->GetChildContent("layouts");
  mParticlesEnabled = mConfig->GetChildContent("particles_enabled") != "false";
  mAllRecipesUnlocked = mConfig->GetChildContent("all_recipes_unlocked") == "true";
  for (int i = 0; i < kDocumentCount; ++i)
    mDocs[i] = ParseDocument(paths->GetChildContent(kDocumentNames[i]), kDocumentNames[i], kConfigPath,
                             configMissing);
  mWorld.reset(new TXmlNode("world"));
  mScene.reset(new TXmlNode("scene"));
}

OGameConfig::~OGameConfig() = default;

TXmlNode* OGameConfig::GetDocument(const str& name) const {
  for (int i = 0; i < kDocumentCount; ++i)
    if (name == kDocumentNames[i]) return mDocs[i].get();
  return nullptr;
}

TXmlNode* OGameConfig::GetItemsGuideEntries() const {
  TXmlNode* root = GetItemsGuide();
  return root->GetName() == "items_guide" ? root : root->GetChild("items_guide");
}

TXmlNode* OGameConfig::GetPointerConfig() const {
  TXmlNode* root = GetMousePointerCfg();
  return root->GetName() == "pointer_config" ? root : root->GetChild("pointer_config");
}

TXmlNode* OGameConfig::GetGameScreenChild(const str& name) const {
  return GetGameScreen()->GetChild(name.empty() ? str("inventory") : name);
}

str OGameConfig::LoadWorld(const str& path) {
  mWorld = ReadWorld(path);
  str def;
  for (TXmlNode* scene : Children(mWorld->GetChild("scenes"))) {
    if (scene->GetAttribute("default") == "true") {
      def = scene->GetAttribute("name");
      break;
    }
  }
  LoadScene(def);
  return def;
}

void OGameConfig::LoadScene(const str& name) {
  mScene = ReadScene(mWorld.get(), name);
  mConditions = ReadStateConditions(mScene.get());
}

std::unique_ptr<TXmlNode> OGameConfig::ReadWorld(const str& path) const {
  return ParseDocument(path, "world", "world");
}

std::unique_ptr<TXmlNode> OGameConfig::ReadScene(const TXmlNode* world, const str& name) const {
  str path;
  bool listed = false;
  if (TXmlNode* entry = FindByName(world ? world->GetChild("scenes") : nullptr, name)) {
    path = entry->GetAttribute("path");
    listed = true;
  }
  // A common scene overrides the world's entry of the same name.
  if (TXmlNode* common = FindByName(GetCommonScenesCfg(), name)) {
    path = common->GetAttribute("path");
    listed = true;
  }
  if (!listed) {
    if (!name.empty()) Report("scene \"%s\" is in no scene list; it reads as empty", name.c_str());
    return std::unique_ptr<TXmlNode>(new TXmlNode("scene"));
  }
  return ParseDocument(mLayoutsPath + path, "scene", "scene \"" + name + "\"");
}

std::vector<OGameConfig::StateConditions> OGameConfig::ReadStateConditions(const TXmlNode* scene) {
  std::vector<StateConditions> all;
  for (TXmlNode* state : Children(scene ? scene->GetChild("states") : nullptr)) {
    TXmlNode* conditions = state->GetChild("conditions");
    if (!conditions) break;
    StateConditions map;
    for (TXmlNode* cond : Children(conditions)) {
      std::vector<str>& values = map[cond->GetAttribute("name")];
      values.clear();
      for (TXmlNode* v : Children(cond)) values.push_back(v->GetContent());
    }
    all.push_back(map);
  }
  return all;
}
