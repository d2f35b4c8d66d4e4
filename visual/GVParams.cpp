#include "GVParams.h"

#include "sdk/TXmlNode.h"

bool GVParams::LoadAttributes(TXmlNode* element) {
  if (!element) return true;
  str name, value;
  element->ResetAttributes();
  while (element->GetNextAttribute(&name, &value)) Set(name, value);
  return true;
}

int GVParams::Set(const str& name, const str& value) {
  auto it = mIndex.find(name);
  if (it != mIndex.end()) {
    mEntries[it->second].text = value;
    return it->second;
  }
  Entry e;
  e.text = value;
  mEntries.push_back(e);
  int index = int(mEntries.size()) - 1;
  mIndex[name] = index;
  return index;
}

bool GVParams::Save(TXmlNode* element) {
  if (!element) return false;
  for (auto& kv : mIndex) element->SetAttribute(kv.first, mEntries[kv.second].text);
  return true;
}

str GVParams::Get(const str& name, const str& def) const {
  auto it = mIndex.find(name);
  return it == mIndex.end() ? def : mEntries[it->second].text;
}
