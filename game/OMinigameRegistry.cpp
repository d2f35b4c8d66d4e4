#include "OMinigameRegistry.h"

#include "sdk/TReport.h"
#include "sdk/TXmlNode.h"

namespace {
const char* const kRootName = "minigame_registry";
}

OMinigameRegistry* OMinigameRegistry::sInstance = nullptr;

OMinigameRegistry* OMinigameRegistry::GetInstance() {
  if (!sInstance) sInstance = new OMinigameRegistry();
  return sInstance;
}

bool OMinigameRegistry::HasInstance() {
  return sInstance != nullptr;
}

void OMinigameRegistry::DeleteInstance() {
  delete sInstance;
  sInstance = nullptr;
}

OMinigameRegistry::OMinigameRegistry() : mRoot(new TXmlNode(kRootName)) {}

OMinigameRegistry::~OMinigameRegistry() = default;

TXmlNode* OMinigameRegistry::GetNode(const str& name) const {
  return mRoot->GetChild(name);
}

TXmlNode* OMinigameRegistry::CreateNode(const str& name) {
  if (!TXmlNode::IsValidName(name)) {
    Report("mini-game registry: \"%s\" cannot be an element name; its state is not kept", name.c_str());
    return nullptr;
  }
  DeleteNode(name);
  return mRoot->CreateChild(name);
}

void OMinigameRegistry::DeleteNode(const str& name) {
  if (TXmlNode* node = mRoot->GetChild(name)) mRoot->RemoveChild(node);
}

void OMinigameRegistry::Reset() {
  mRoot.reset(new TXmlNode(kRootName));
}

void OMinigameRegistry::CopyTree(const TXmlNode* from, TXmlNode* to) {
  if (!from || !to) return;
  for (size_t i = 0; i < from->GetChildCount(); ++i) to->AdoptChild(from->GetChildAt(i)->Clone());
}

void OMinigameRegistry::Save(TXmlNode* save) {
  CopyTree(mRoot.get(), save->CreateChild(kRootName));
  Reset();
}

void OMinigameRegistry::Load(TXmlNode* save) {
  Reset();
  if (save) CopyTree(save->GetChild(kRootName), mRoot.get());
}
