#include "OItemsRegistry.h"

#include "sdk/TReport.h"
#include "sdk/TXmlNode.h"

OItemsRegistry* OItemsRegistry::sInstance = nullptr;

OItemsRegistry* OItemsRegistry::GetInstance() {
  if (!sInstance) sInstance = new OItemsRegistry();
  return sInstance;
}

bool OItemsRegistry::HasInstance() {
  return sInstance != nullptr;
}

void OItemsRegistry::DeleteInstance() {
  delete sInstance;
  sInstance = nullptr;
}

const OItemsRegistry::States* OItemsRegistry::GetStates(const str& name) const {
  auto it = mEntries.find(name);
  return it == mEntries.end() ? nullptr : &it->second;
}

bool OItemsRegistry::GetState(const str& name, size_t index, int32_t* value) const {
  const States* states = GetStates(name);
  if (!states || index >= states->size()) return false;
  *value = (*states)[index];
  return true;
}

void OItemsRegistry::SetState(const str& name, int32_t value) {
  mEntries[name] = States(1, value);
}

void OItemsRegistry::SetStates(const str& name, const States& states) {
  mEntries[name] = states;
}

void OItemsRegistry::Clear() {
  mEntries.clear();
}

void OItemsRegistry::Save(TXmlNode* save) const {
  if (!save) return;
  TXmlNode* section = save->CreateChild("items_registry");
  for (const auto& entry : mEntries) {
    // Keys come from content and other subsystems; a key that cannot be an
    // element name would make a document that does not read back.
    if (!TXmlNode::IsValidName(entry.first)) {
      Report("items registry: \"%s\" is not a valid element name; entry not saved", entry.first.c_str());
      continue;
    }
    TXmlNode* child = section->CreateChild(entry.first);
    for (size_t i = 0; i < entry.second.size(); ++i)
      child->SetAttribute(str::format("a%d", int(i)), str::format("%d", int(entry.second[i])));
  }
}

void OItemsRegistry::Load(TXmlNode* save) {
  Clear();
  TXmlNode* section = save ? save->GetChild("items_registry") : nullptr;
  if (!section) return;
  str name;
  TXmlNode* child = nullptr;
  section->ResetChildren();
  while (section->GetNextChild(&name, &child)) {
    States states;
    str attr, value;
    child->ResetAttributes();
    while (child->GetNextAttribute(&attr, &value)) states.push_back(value.to_int());
    SetStates(child->GetName(), states);
  }
}
