#include "OMissionUnit.h"

#include "OGameCondition.h"
#include "OMissionResults.h"
#include "OMissionTask.h"
#include "sdk/TXmlNode.h"

namespace {
const char* const kName = "name";
const char* const kUnitCompleted = "completed";
const char* const kResults = "results";
const char* const kItem = "item";

// What differs between the two kinds of children.
OGameCondition* MakeChild(OGameCondition*, TXmlNode* element) {
  return new OGameCondition(element);
}
OMissionTask* MakeChild(OMissionTask*, TXmlNode* element) {
  OMissionTask* task = new OMissionTask(element);
  task->Init();
  return task;
}
bool Offer(OGameCondition* condition, TXmlNode* event) {
  return condition->Match(event);
}
bool Offer(OMissionTask* task, TXmlNode* event) {
  return task->OnEvent(event);
}
void SaveChild(const OGameCondition* condition, TXmlNode* item) {
  condition->SaveState(item);
}
void SaveChild(const OMissionTask* task, TXmlNode* item) {
  task->Save(item);
}
void LoadChild(OGameCondition* condition, TXmlNode* item) {
  condition->LoadState(item);
}
void LoadChild(OMissionTask* task, TXmlNode* item) {
  task->Load(item);
}
void ResetChild(OGameCondition* condition) {
  condition->Reset();
}
void ResetChild(OMissionTask* task) {
  task->Reset();
}
}  // namespace

template <>
const char* OMissionUnit<OGameCondition>::ChildrenElementName() {
  return "conditions";
}
template <>
const char* OMissionUnit<OMissionTask>::ChildrenElementName() {
  return "tasks";
}

template <class T>
OMissionUnit<T>::~OMissionUnit() {
  for (T* child : mChildren) delete child;
}

template <class T>
void OMissionUnit<T>::Init() {
  if (!mElement) return;
  mName = mElement->GetAttribute(kName);
  // A unit without children never completes; the missions manager tells the
  // author about its own missions.
  TXmlNode* children = mElement->GetChild(ChildrenElementName());
  if (!children) return;
  for (size_t i = 0; i < children->GetChildCount(); ++i)
    mChildren.push_back(MakeChild(static_cast<T*>(nullptr), children->GetChildAt(i)));
}

template <class T>
bool OMissionUnit<T>::OnEvent(TXmlNode* event) {
  if (mCompleted) return false;
  bool any = false;
  // Every child sees the event, whatever the others answer: one event may
  // fulfil several conditions at once.
  for (T* child : mChildren)
    if (Offer(child, event)) any = true;
  // A child's results may have sent an event that completed this unit
  // already, inside the loop above; its results have run there.
  if (!any || mCompleted) return false;
  for (T* child : mChildren)
    if (!child->IsCompleted()) return false;
  // Complete before the results run: their own events reach this unit again
  // and must find it done.
  mCompleted = true;
  OnComplete();
  return true;
}

template <class T>
void OMissionUnit<T>::OnComplete() {
  TXmlNode* results = mElement ? mElement->GetChild(kResults) : nullptr;
  if (!results) return;
  for (size_t i = 0; i < results->GetChildCount(); ++i) OMissionResults::Execute(results->GetChildAt(i));
}

template <class T>
void OMissionUnit<T>::Save(TXmlNode* element) const {
  if (!element) return;
  element->SetAttribute(kUnitCompleted, mCompleted ? "true" : "false");
  TXmlNode* children = element->CreateChild(ChildrenElementName());
  for (const T* child : mChildren) SaveChild(child, children->CreateChild(kItem));
}

template <class T>
void OMissionUnit<T>::Load(TXmlNode* element) {
  if (!element) return;
  mCompleted = element->GetAttribute(kUnitCompleted) == "true";
  TXmlNode* children = element->GetChild(ChildrenElementName());
  if (!children) return;
  // By position; whatever is saved beyond the children is ignored, children
  // beyond what is saved keep their state.
  size_t next = 0;
  for (size_t i = 0; i < children->GetChildCount() && next < mChildren.size(); ++i) {
    TXmlNode* item = children->GetChildAt(i);
    if (item->GetName() != kItem) continue;
    LoadChild(mChildren[next++], item);
  }
}

template <class T>
void OMissionUnit<T>::Reset() {
  for (T* child : mChildren) ResetChild(child);
  mCompleted = false;
}

template class OMissionUnit<OGameCondition>;
template class OMissionUnit<OMissionTask>;
