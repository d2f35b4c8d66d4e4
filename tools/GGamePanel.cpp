#include "GGamePanel.h"

#include "rules/OIndicatorsManager.h"
#include "sdk/TXmlNode.h"

GGamePanel::GGamePanel() : mLuaNames(this) {
  mLuaNames.Bind("onInventoryPrev", this, &GGamePanel::onInventoryPrev);
  mLuaNames.Bind("onInventoryNext", this, &GGamePanel::onInventoryNext);
}

GGamePanel::~GGamePanel() = default;

void GGamePanel::SetKind(int kind) {
  mKind = kind;
  mAsked.push_back(str::format("kind %d", kind));
}

void GGamePanel::Update() {
  OIndicatorsManager::GetInstance()->BlinkTick();
}

void GGamePanel::Lock() {
  mLocked = true;
  mAsked.push_back("lock");
}

void GGamePanel::Unlock() {
  mLocked = false;
  mAsked.push_back("unlock");
}

void GGamePanel::SetPassages(const bool passages[5]) {
  for (int i = 0; i < 5; ++i) mPassages[i] = passages[i];
}

bool GGamePanel::HitTest(const TPoint& point) const {
  // Nothing of the panel is drawn yet, so nothing of it covers the scene.
  return false;
}

bool GGamePanel::IsOverInventoryCell(const TPoint& point) const {
  return false;
}

bool GGamePanel::HasItem(const str& name) const {
  mAsked.push_back("has " + name);
  return false;
}

void GGamePanel::RefreshInventoryItems() {}

void GGamePanel::onInventoryPrev() {
  mAsked.push_back("prev");
}

void GGamePanel::onInventoryNext() {
  mAsked.push_back("next");
}

void GGamePanel::Save(TXmlNode* save) const {
  if (save) save->CreateChild("panel");
}

void GGamePanel::Load(TXmlNode* save) {
  mAsked.push_back("load");
}
