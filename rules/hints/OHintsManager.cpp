#include "OHintsManager.h"

#include <algorithm>

#include "GAutoDeleteHint.h"
#include "GBigHint.h"
#include "GSmallHint.h"
#include "IHint.h"
#include "OHint.h"
#include "game/GScene.h"
#include "game/OGameConfig.h"
#include "sdk/TReport.h"
#include "sdk/TXmlNode.h"

namespace {
const char* const kGuideElement = "hints_guide";
const char* const kSaveElement = "hints_manager";
const char* const kHintElement = "hint";
}  // namespace

OHintsManager* OHintsManager::sInstance = nullptr;

OHintsManager* OHintsManager::GetInstance() {
  if (!sInstance) {
    sInstance = new OHintsManager();
    sInstance->LoadGuide();
  }
  return sInstance;
}

bool OHintsManager::HasInstance() {
  return sInstance != nullptr;
}

void OHintsManager::DestroyInstance() {
  OHintsManager* manager = sInstance;
  sInstance = nullptr;
  delete manager;
}

OHintsManager::OHintsManager() = default;

OHintsManager::~OHintsManager() {
  DropShownWindow();
  // Guide hints and timer hints in the queue belong to their owners: only
  // the hints handed over with their delete flag are the queue's to free.
  for (IHint* hint : mQueue)
    if (hint->IsDeleteAfterShowing()) delete hint;
  for (OHint* hint : mHints) delete hint;
}

void OHintsManager::LoadGuide() {
  TXmlNode* root = OGameConfig::GetInstance()->GetHintsCfg();
  TXmlNode* guide =
      root && root->GetName() == kGuideElement ? root : (root ? root->GetChild(kGuideElement) : nullptr);
  if (!guide && root && root->GetChildCount())
    Report("%s: the top element is <%s>, not <%s>; no guide hints",
           OGameConfig::GetDocumentName(OGameConfig::kHintsCfg), root->GetName().c_str(), kGuideElement);
  for (size_t i = 0; guide && i < guide->GetChildCount(); ++i) {
    OHint* hint = new OHint(guide->GetChildAt(i));
    mHints.push_back(hint);
    hint->Init();
  }
}

OHint* OHintsManager::FindHint(const str& name) const {
  for (OHint* hint : mHints)
    if (hint->GetName() == name) return hint;
  return nullptr;
}

void OHintsManager::QueueHint(IHint* hint) {
  if (hint) mQueue.push_back(hint);
}

void OHintsManager::Unqueue(const IHint* hint) {
  mQueue.erase(std::remove(mQueue.begin(), mQueue.end(), hint), mQueue.end());
}

void OHintsManager::OnEvent(TXmlNode* event) {
  // By index: a hint's results may dispatch further events into this list.
  for (size_t i = 0; i < mHints.size(); ++i) mHints[i]->OnEvent(event);
}

void OHintsManager::Update() {
  if (mShownWindow) {
    mShownWindow->Tick();
    // Closed during this tick or an earlier one: no parent any more.
    if (mShownWindow && !mShownWindow->GetParent()) {
      IGHint* closed = mShownWindow;
      mShownWindow = nullptr;
      delete closed;
    }
  }
  if (!mScene || mShownWindow || mQueue.empty()) return;
  IHint* hint = mQueue.front();
  // Out of the queue before anything runs: showing may queue more hints.
  mQueue.erase(mQueue.begin());
  ShowHint(hint);
  if (hint->IsDeleteAfterShowing()) delete hint;
}

bool OHintsManager::ShowHint(IHint* hint) {
  if (!hint || !mScene) return false;
  IGHint* window = nullptr;
  const char* script = "";
  switch (hint->GetKind()) {
    case IHint::kBigHint:
      window = CreateBigHintWindow();
      script = "scripts/hint_big.lua";
      break;
    case IHint::kAutoDeleteHint:
      window = CreateAutoDeleteHintWindow();
      script = "scripts/hint_autodelete.lua";
      break;
    default:
      window = CreateSmallHintWindow();
      script = "scripts/hint_small.lua";
      break;
  }
  // A hint that cannot be shown is dropped; the scene is never paused for a
  // window that does not exist, since nothing would resume it.
  if (!window) {
    Report("%s: no hint window \"hint\" of the expected type; hint dropped", script);
    return false;
  }
  TWindow* layer = mScene->GetLayer();
  if (!layer) {
    Report("%s: the scene has no layer for hint windows; hint dropped", script);
    delete window;
    return false;
  }
  if (mShownWindow) DropShownWindow();
  window->SetText(hint->GetText());
  window->SetAfterCloseAction(hint->GetAfterCloseAction());
  layer->AdoptChild(window);
  mShownWindow = window;
  mScene->Pause();
  return true;
}

void OHintsManager::AttachScene(GScene* scene) {
  mScene = scene;
  DropShownWindow();
}

void OHintsManager::DetachScene() {
  mScene = nullptr;
  DropShownWindow();
}

void OHintsManager::DropShownWindow() {
  IGHint* window = mShownWindow;
  if (!window) return;
  mShownWindow = nullptr;
  if (window->GetParent()) window->GetParent()->OrphanChild(window);
  delete window;
}

TWindow* OHintsManager::GetHintWindow() const {
  return mShownWindow;
}

void OHintsManager::SetHintWindow(TWindow* window) {
  mShownWindow = dynamic_cast<IGHint*>(window);
}

void OHintsManager::Save(TXmlNode* save) const {
  if (!save) return;
  TXmlNode* section = save->CreateChild(kSaveElement);
  for (OHint* hint : mHints) hint->Save(section->CreateChild(kHintElement));
}

void OHintsManager::Load(TXmlNode* save) {
  // What the save does not cover starts over, as in a new game.
  ResetHints();
  TXmlNode* section = save ? save->GetChild(kSaveElement) : nullptr;
  if (!section) {
    if (save) Report("save: no %s section; the guide hints start over", kSaveElement);
    return;
  }
  if (section->GetChildCount() != mHints.size())
    Report("save: %s holds %zu hints for %zu guide hints; extra ones ignored, missing ones start over",
           kSaveElement, section->GetChildCount(), mHints.size());
  for (size_t i = 0; i < mHints.size() && i < section->GetChildCount(); ++i)
    mHints[i]->Load(section->GetChildAt(i));
}

void OHintsManager::ResetHints() {
  for (OHint* hint : mHints) hint->Reset();
}
