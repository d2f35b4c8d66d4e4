#include "OMagicRegistry.h"

#include "game/OGameConfig.h"
#include "game/OSoundManager.h"
#include "sdk/TReport.h"
#include "sdk/TXmlNode.h"
#include "tools/magic/GMagicControl.h"
#include "tools/panel/GGamePanel.h"

namespace {
const char* const kGuideRoot = "magic_guide";
const char* const kSection = "magic_registry";

// The section's children as name -> "value".
void ReadValues(TXmlNode* list, std::map<str, int>* into) {
  for (size_t i = 0; list && i < list->GetChildCount(); ++i) {
    TXmlNode* child = list->GetChildAt(i);
    (*into)[child->GetName()] = child->GetAttribute("value").to_int();
  }
}

// Only keys that are element names can be written: any other would make a
// save that no longer reads back.
void WriteValues(TXmlNode* list, const std::map<str, int>& values) {
  for (const auto& entry : values) {
    if (!TXmlNode::IsValidName(entry.first)) {
      Report("magic registry: \"%s\" is not an XML name; not saved", entry.first.c_str());
      continue;
    }
    list->CreateChild(entry.first)->SetAttribute("value", str::format("%d", entry.second));
  }
}
}  // namespace

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

TXmlNode* OMagicRegistry::GetGuide() {
  TXmlNode* root = OGameConfig::GetInstance()->GetMagicCfg();
  if (root->GetName() == kGuideRoot) return root;
  // A missing document reads as an empty element and was reported as
  // missing already; a document of another root is said once per reading.
  static const TXmlNode* reported = nullptr;
  if (root->GetChildCount() > 0 && reported != root) {
    reported = root;
    Report("magiccfg: root is \"%s\", not \"%s\"; no magic can be earned", root->GetName().c_str(),
           kGuideRoot);
  }
  return nullptr;
}

TXmlNode* OMagicRegistry::GetGuideEntry(const str& magic) {
  TXmlNode* guide = GetGuide();
  return guide && !magic.empty() ? guide->GetChild(magic) : nullptr;
}

int OMagicRegistry::UnlockUsageCount(const str& magic) {
  TXmlNode* entry = GetGuideEntry(magic);
  return entry ? entry->GetAttribute("unlock_usage_count").to_int() : 0;
}

int OMagicRegistry::GetValue(const str& key) const {
  auto it = mValues.find(key);
  return it == mValues.end() ? 0 : it->second;
}

int OMagicRegistry::GetFlaskUsage(const str& magic) const {
  auto it = mFlaskUsage.find(magic);
  return it == mFlaskUsage.end() ? 0 : it->second;
}

void OMagicRegistry::SetValue(const str& key, int value) {
  mValues[key] = value;
  if (mListener) mListener->OnMagicRegistryChanged(key, value);
}

void OMagicRegistry::OnFlaskUsed(const str& magic) {
  if (GetValue(magic) != kLocked) return;
  int count = ++mFlaskUsage[magic];
  if (count < UnlockUsageCount(magic)) return;
  PlayUnlockSound();
  SetValue(magic, kEarned);
  GMagicControl* control = mListener ? mListener->GetMagicControl() : nullptr;
  if (control) control->PlayUnlockEffects();
}

void OMagicRegistry::PlayUnlockSound() {
  OSoundManager::GetInstance()->PlayItemSound("___dummy__", "___dummy__", "unlock_magic");
}

void OMagicRegistry::Save(TXmlNode* save) const {
  if (!save) return;
  TXmlNode* section = save->CreateChild(kSection);
  WriteValues(section->CreateChild("data"), mValues);
  WriteValues(section->CreateChild("flask_usage"), mFlaskUsage);
}

void OMagicRegistry::Load(TXmlNode* save) {
  mValues.clear();
  mFlaskUsage.clear();
  TXmlNode* section = save ? save->GetChild(kSection) : nullptr;
  if (!section) return;
  ReadValues(section->GetChild("data"), &mValues);
  TXmlNode* usage = section->GetChild("flask_usage");
  for (size_t i = 0; usage && i < usage->GetChildCount(); ++i) {
    TXmlNode* child = usage->GetChildAt(i);
    const str magic = child->GetName();
    int count = child->GetAttribute("value").to_int();
    mFlaskUsage[magic] = count;
    // Enough drinks make the magic unlocked whatever was saved. Below the
    // threshold the saved value stands: a magic that a mission unlocked
    // after a drink or two must not be lost on loading.
    SetValue(magic, count >= UnlockUsageCount(magic) ? int(kUnlocked) : GetValue(magic));
  }
}
