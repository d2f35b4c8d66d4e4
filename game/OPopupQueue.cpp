#include "OPopupQueue.h"

#include "game/GPopup.h"
#include "sdk/TPlatform.h"
#include "sdk/TReport.h"
#include "sdk/TStringTable.h"
#include "visual/LuaUtils.h"

namespace {
const char* const kScript = "scripts/popup.lua";

void Detach(TWindow* w) {
  if (TWindow* parent = w->GetParent()) parent->OrphanChild(w);
}
}  // namespace

OPopupQueue* OPopupQueue::sInstance = nullptr;

OPopupQueue* OPopupQueue::GetInstance() {
  if (!sInstance) sInstance = new OPopupQueue();
  return sInstance;
}

bool OPopupQueue::HasInstance() {
  return sInstance != nullptr;
}

void OPopupQueue::DeleteInstance() {
  delete sInstance;
  sInstance = nullptr;
}

OPopupQueue::OPopupQueue() : mPopup(CreatePopupWindow()) {
  if (mPopup)
    mPopup->Setup();
  else
    Report("%s: no window \"popup\" of type \"GPopup\"; messages to the player are not shown", kScript);
}

OPopupQueue::~OPopupQueue() {
  if (mPopup) {
    Detach(mPopup);
    delete mPopup;
  }
}

GPopup* OPopupQueue::CreatePopupWindow() {
  return LoadWindowFromScript<GPopup>(kScript, "popup");
}

void OPopupQueue::Push(const str& text) {
  mPending.push_back(text);
}

void OPopupQueue::PushString(const char* key, const char* fallback) {
  TStringTable* strings = TPlatform::GetInstance()->GetStringTable();
  Push(strings->Has(key) ? strings->GetString(key) : str(fallback));
}

void OPopupQueue::Update() {
  // Without a popup window the texts are still taken, one per update, so
  // the list cannot grow without end.
  if (!mPopup) {
    if (!mPending.empty()) mPending.pop_front();
    return;
  }
  if (!mPending.empty() && mPopup->GetState() == GPopup::kHidden) {
    mPopup->SetText(mPending.front());
    Detach(mPopup);
    if (mLayer) mLayer->AdoptChild(mPopup);
    mPending.pop_front();
    mPopup->SetState(GPopup::kShown);
    mPopup->SetTickCount(0);
  }
  if (mPopup->GetState() == GPopup::kShown) {
    mPopup->SetTickCount(mPopup->GetTickCount() + 1);
    if (mPopup->GetTickCount() > mPopup->GetStayTicks()) {
      mPopup->SetState(GPopup::kHidden);
      mPopup->SetTickCount(0);
      Detach(mPopup);
    }
  }
}

void OPopupQueue::SetParentLayer(TWindow* layer) {
  mLayer = layer;
  // By its state, not its parent: a scene that goes gives null first, and
  // the popup it let go must still reach the next scene's layer.
  if (mPopup && mPopup->GetState() == GPopup::kShown) {
    Detach(mPopup);
    if (layer) layer->AdoptChild(mPopup);
  }
}
