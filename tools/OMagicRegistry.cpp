#include "OMagicRegistry.h"

#include "game/OSoundManager.h"
#include "sdk/TXmlNode.h"

OMagicRegistry* OMagicRegistry::sInstance = nullptr;

OMagicRegistry* OMagicRegistry::GetInstance() {
  if (!sInstance) sInstance = new OMagicRegistry();
  return sInstance;
}

bool OMagicRegistry::HasInstance() {
  return sInstance != nullptr;
}

void OMagicRegistry::DeleteInstance() {
  delete sInstance;
  sInstance = nullptr;
}

void OMagicRegistry::PlayUnlockSound() {
  OSoundManager::GetInstance()->PlayItemSound("___dummy__", "___dummy__", "unlock_magic");
}

void OMagicRegistry::Save(TXmlNode* save) const {
  if (save) save->CreateChild("magic_registry");
}
