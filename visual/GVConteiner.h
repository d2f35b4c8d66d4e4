#pragma once
// A keyed list loaded from the children of one XML element: elements stay in
// load order, are reachable by key (equal keys allowed, the earliest found
// first), are cloned one by one when their object is copied, and are owned.

#include <map>
#include <vector>

#include "GVBase.h"
#include "sdk/TXmlNode.h"
#include "sdk/str.h"

template <class Element, class Key>
class GVConteiner : public GVBase {
 public:
  GVConteiner(int32_t typeCode, const str& tag) : GVBase(typeCode), mTag(tag) {}
  ~GVConteiner() override { ClearElements(); }
  GVConteiner(const GVConteiner&) = delete;
  GVConteiner& operator=(const GVConteiner&) = delete;

  bool Load(TXmlNode* element, GVBase* owner) override {
    if (!element) return false;
    for (size_t i = 0; i < element->GetChildCount(); ++i) {
      TXmlNode* child = element->GetChildAt(i);
      if (!mTag.empty() && child->GetName() != mTag) continue;
      if (Element* item = CreateElement(child)) Add(item);
    }
    return !mElements.empty();
  }
  // Containers are never written back; their sections are rebuilt from content.
  bool Save(TXmlNode*) override { return false; }
  GVBase* CopyTo(GVBase* other) override {
    auto* o = dynamic_cast<GVConteiner*>(other);
    if (!o) return nullptr;
    for (Element* e : mElements)
      if (Element* clone = CloneElement(e)) o->Add(clone);
    return o;
  }
  virtual void Clear() { ClearElements(); }
  virtual bool SaveElement(TXmlNode* node, Element* item) { return item->Save(node); }
  virtual Element* CreateElement(TXmlNode* node) = 0;
  virtual Element* CloneElement(Element* item) = 0;
  virtual Key KeyOf(const Element* item) const = 0;

  void Add(Element* item) {
    mElements.push_back(item);
    // multimap inserts after the entries with an equal key.
    mKeys.emplace(KeyOf(item), int(mElements.size()) - 1);
  }
  int IndexOf(const Key& key) const {
    auto it = mKeys.find(key);
    if (it == mKeys.end()) return -1;
    // find() may land anywhere among equal keys; the first added is the first in range.
    return mKeys.lower_bound(key)->second;
  }
  Element* Get(int index) const {
    return index >= 0 && size_t(index) < mElements.size() ? mElements[index] : nullptr;
  }
  Element* Find(const Key& key) const { return Get(IndexOf(key)); }
  int Count() const { return int(mElements.size()); }
  const std::vector<Element*>& Elements() const { return mElements; }
  const str& GetTag() const { return mTag; }

 protected:
  void ClearElements() {
    for (Element* e : mElements) delete e;
    Forget();
  }
  // Empties the lists without deleting the elements.
  void Forget() {
    mElements.clear();
    mKeys.clear();
  }
  // Rebuilds the key map after keys changed (frames are renumbered after load).
  void Rekey() {
    mKeys.clear();
    for (size_t i = 0; i < mElements.size(); ++i) mKeys.emplace(KeyOf(mElements[i]), int(i));
  }

  str mTag;
  std::vector<Element*> mElements;
  std::multimap<Key, int> mKeys;
};
