#include "OHintsManager.h"

#include "IHint.h"
#include "OSimpleHint.h"
#include "sdk/TXmlNode.h"

OHintsManager* OHintsManager::sInstance = nullptr;

OHintsManager* OHintsManager::GetInstance() {
  if (!sInstance) sInstance = new OHintsManager();
  return sInstance;
}

bool OHintsManager::HasInstance() {
  return sInstance != nullptr;
}

void OHintsManager::DeleteInstance() {
  delete sInstance;
  sInstance = nullptr;
}

OHintsManager::~OHintsManager() {
  for (IHint* hint : mQueue) delete hint;
}

void OHintsManager::QueueHint(IHint* hint) {
  if (!hint) return;
  const OSimpleHint* simple = dynamic_cast<const OSimpleHint*>(hint);
  mAsked.push_back("queue " + (simple ? simple->GetTextKey() : str()));
  mQueue.push_back(hint);
}

void OHintsManager::Save(TXmlNode* save) const {
  if (save) save->CreateChild("hints_manager");
}
