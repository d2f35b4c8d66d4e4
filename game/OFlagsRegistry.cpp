#include "OFlagsRegistry.h"

#include "rules/events/OMissionsManager.h"
#include "sdk/TReport.h"
#include "sdk/TXmlNode.h"

namespace {
const char* const kSection = "flags_registry";
const char* const kValue = "value";
}  // namespace

OFlagsRegistry* OFlagsRegistry::sInstance = nullptr;

OFlagsRegistry* OFlagsRegistry::GetInstance() {
  if (!sInstance) sInstance = new OFlagsRegistry();
  return sInstance;
}

bool OFlagsRegistry::HasInstance() {
  return sInstance != nullptr;
}

void OFlagsRegistry::DeleteInstance() {
  delete sInstance;
  sInstance = nullptr;
}

str OFlagsRegistry::GetValue(const str& name) const {
  return ValueIn(mValues, name);
}

str OFlagsRegistry::ValueIn(const std::map<str, str>& values, const str& name) {
  auto it = values.find(name);
  return it == values.end() ? str("null") : it->second;
}

void OFlagsRegistry::SetValue(const str& name, const str& value) {
  // Store first: a rule or the listener reading the variable during the
  // announcement must see the new value.
  mValues[name] = value;
  OMissionsManager::GetInstance()->OnFlag(name, value);
  if (mListener) mListener->OnFlagChanged();
}

void OFlagsRegistry::SetValueSilently(const str& name, const str& value) {
  mValues[name] = value;
}

void OFlagsRegistry::Save(TXmlNode* node) const {
  if (!node) return;
  TXmlNode* section = node->CreateChild(kSection);
  for (const auto& entry : mValues) {
    // The name becomes an element name; one the XML layer cannot write would
    // make the player's whole save document unreadable.
    if (!TXmlNode::IsValidName(entry.first)) {
      Report("game variable \"%s\" is not a valid XML name; it is not saved", entry.first.c_str());
      continue;
    }
    section->CreateChild(entry.first)->SetAttribute(kValue, entry.second);
  }
}

void OFlagsRegistry::Load(TXmlNode* node) {
  mValues = Read(node);
}

std::map<str, str> OFlagsRegistry::Read(const TXmlNode* node) {
  std::map<str, str> values;
  TXmlNode* section = node ? node->GetChild(kSection) : nullptr;
  if (!section) return values;
  for (size_t i = 0; i < section->GetChildCount(); ++i) {
    TXmlNode* child = section->GetChildAt(i);
    values[child->GetName()] = child->GetAttribute(kValue);
  }
  return values;
}
