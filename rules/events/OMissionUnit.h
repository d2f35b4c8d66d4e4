#pragma once
// A named unit of the story that is complete once all its children are:
// a task over conditions, a mission over tasks. Guide hints reuse the task.
// The unit reads itself from its element in a configuration document, which
// outlives it.

#include <vector>

#include "sdk/str.h"

class TXmlNode;

template <class T>
class OMissionUnit {
 public:
  explicit OMissionUnit(TXmlNode* element) : mElement(element) {}
  virtual ~OMissionUnit();
  OMissionUnit(const OMissionUnit&) = delete;
  OMissionUnit& operator=(const OMissionUnit&) = delete;

  // Reads "name" and builds one child per element of the children element.
  virtual void Init();
  // True exactly when this call completed the unit (its results have run).
  virtual bool OnEvent(TXmlNode* event);
  // Into the element the owner made for this unit: "completed" and one
  // `item` per child under the children element.
  virtual void Save(TXmlNode* element) const;
  // Pairs saved `item`s with children by position; runs no results.
  virtual void Load(TXmlNode* element);
  // Runs the children of `results`, in order.
  virtual void OnComplete();

  // Everything open again.
  void Reset();

  const str& GetName() const { return mName; }
  bool IsCompleted() const { return mCompleted; }
  TXmlNode* GetElement() const { return mElement; }
  const std::vector<T*>& GetChildren() const { return mChildren; }
  // The first child of that name, or null (tasks of a mission; conditions
  // have no names).
  template <class U = T>
  U* FindChild(const str& name) const {
    for (U* child : mChildren)
      if (child->GetName() == name) return child;
    return nullptr;
  }

  // "conditions" or "tasks".
  static const char* ChildrenElementName();

 protected:
  void SetCompleted(bool completed) { mCompleted = completed; }

  TXmlNode* mElement;
  std::vector<T*> mChildren;  // owned
  bool mCompleted = false;
  str mName;
};

class OGameCondition;
class OMissionTask;
template <>
const char* OMissionUnit<OGameCondition>::ChildrenElementName();
template <>
const char* OMissionUnit<OMissionTask>::ChildrenElementName();
extern template class OMissionUnit<OGameCondition>;
extern template class OMissionUnit<OMissionTask>;
