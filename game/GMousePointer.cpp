#include "GMousePointer.h"

#include "GStartup.h"
#include "OGameConfig.h"
#include "OMousePointerManager.h"
#include "items/IItem.h"
#include "items/OItemFactory.h"
#include "sdk/TReport.h"
#include "sdk/TWindowManager.h"
#include "sdk/TXmlNode.h"
#include "visual/GVFactory.h"

namespace {
GMousePointer* gInstance = nullptr;

const char* const kSaveElement = "pointer_item";
const char* const kItemAttribute = "item_id";

void InvalidateScreen() {
  if (TWindowManager* wm = TWindowManager::Peek()) wm->InvalidateScreen();
}
}  // namespace

GMousePointer::GMousePointer() {
  SetWindowSize(800, 600);
}

GMousePointer::~GMousePointer() {
  // The held item goes before the pointer object it is drawn under.
  delete mManager;
  mManager = nullptr;
  delete mPointerObject;
  mPointerObject = nullptr;
  if (gInstance == this) gInstance = nullptr;
}

GMousePointer* GMousePointer::GetInstance() {
  if (!gInstance) {
    gInstance = new GMousePointer();
    SetShutdownWindow(kShutdownMousePointer, [] {
      GMousePointer* pointer = gInstance;
      gInstance = nullptr;
      return static_cast<TWindow*>(pointer);
    });
  }
  return gInstance;
}

GMousePointer* GMousePointer::PeekInstance() {
  return gInstance;
}

OMousePointerManager* GMousePointer::PeekManager() {
  return gInstance ? gInstance->mManager : nullptr;
}

void GMousePointer::DestroyInstance() {
  GMousePointer* pointer = gInstance;
  gInstance = nullptr;
  if (!pointer) return;
  if (TWindow* parent = pointer->GetParent()) parent->OrphanChild(pointer);
  delete pointer;
}

void GMousePointer::Init(TWindowStyle& style) {
  if (mInitialised) return;
  mInitialised = true;
  TWindow::Init(style);
  TXmlNode* config = OGameConfig::GetInstance()->GetPointerConfig();
  TXmlNode* gvobject = config ? config->GetChild("gvobject") : nullptr;
  if (!gvobject) {
    Report("mousepointercfg: no pointer_config/gvobject; the pointer is not drawn");
  } else {
    GVFactory* factory = GVFactory::GetInstance();
    GVDrawList* oldList = factory->drawList;
    str oldImages = factory->imageFolder, oldDescriptions = factory->descriptionFolder;
    factory->drawList = &mDrawList;
    factory->imageFolder = gvobject->GetContent();
    factory->descriptionFolder = "xml/";
    mPointerObject = factory->CreateObject(nullptr, gvobject->GetAttribute("name"));
    // Others set the factory before they create; leave it as it was found.
    factory->drawList = oldList;
    factory->imageFolder = oldImages;
    factory->descriptionFolder = oldDescriptions;
    if (mPointerObject) {
      mPointerObject->visible = 1;
      mPointerObject->changed = 1;
      if (GVObject* main = mPointerObject->GetChild("main")) main->listener = this;
    }
  }
  mManager = new OMousePointerManager(mPointerObject);
}

void GMousePointer::Draw() {
  if (mManager) mManager->DrawPass();
  mDrawList.Draw();
}

IItem* GMousePointer::GetHeldItem() const {
  return mManager ? mManager->GetHeldItem() : nullptr;
}

void GMousePointer::SetSceneMode(int mode) {
  if (mManager) mManager->SetSceneMode(mode);
}

void GMousePointer::SetInGameMode(bool inGame) {
  if (mManager) mManager->SetInGameMode(inGame);
}

void GMousePointer::OnItemDropped() {
  if (mManager) mManager->OnItemDropped();
}

void GMousePointer::HoldItem(IItem* item) {
  if (!mManager) return;
  mManager->HoldItem(item);
  InvalidateScreen();
}

void GMousePointer::ReleaseItem() {
  if (mManager) mManager->ReleaseItem();
}

void GMousePointer::SetVisible(bool visible) {
  if (mManager) mManager->SetVisible(visible);
}

void GMousePointer::SetMapMode(bool map) {
  if (mManager) mManager->SetMapMode(map);
}

void GMousePointer::SetHintMode(bool hint) {
  if (mManager) mManager->SetHintMode(hint);
}

void GMousePointer::OnStateEnd(GVObject* object, TState state) {
  if (mManager) mManager->OnPointerStateEnd(state);
}

void GMousePointer::SaveItem(TXmlNode* save) {
  if (!save) return;
  TXmlNode* node = save->CreateChild(kSaveElement);
  if (IItem* item = GetHeldItem()) node->SetAttribute(kItemAttribute, item->GetName());
}

void GMousePointer::LoadItem(TXmlNode* save, IItemsManager* items, const std::set<str>* placed) {
  if (mManager) mManager->DeleteHeldItem();
  TXmlNode* node = save ? save->GetChild(kSaveElement) : nullptr;
  str id = node ? node->GetAttribute(kItemAttribute) : str();
  if (id.empty()) return;
  if (placed && placed->count(id)) {
    Report("save: the pointer's item \"%s\" is in a panel cell already; the hand stays empty", id.c_str());
    return;
  }
  IItem* item = OItemFactory::CreateForPointer(id, items);
  if (!item) {
    Report("save: the pointer's item \"%s\" is not known; the hand stays empty", id.c_str());
    return;
  }
  item->CreateObject();
  if (!mManager) {
    // Without Init there is no hand to put it in.
    delete item;
    return;
  }
  HoldItem(item);
  item->OnSceneStart();
}
