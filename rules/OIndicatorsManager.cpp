#include "OIndicatorsManager.h"

#include "sdk/TXmlNode.h"

OIndicatorsManager* OIndicatorsManager::sInstance = nullptr;

OIndicatorsManager* OIndicatorsManager::GetInstance() {
  if (!sInstance) sInstance = new OIndicatorsManager();
  return sInstance;
}

bool OIndicatorsManager::HasInstance() {
  return sInstance != nullptr;
}

void OIndicatorsManager::DeleteInstance() {
  delete sInstance;
  sInstance = nullptr;
}

void OIndicatorsManager::Save(TXmlNode* save) const {
  if (save) save->CreateChild("indicators");
}
