#include "GPickSceneWnd.h"

#include "game/GGameWnd.h"
#include "game/GMousePointer.h"
#include "game/GScene.h"
#include "game/OGame.h"
#include "game/OGameConfig.h"
#include "game/OMousePointerManager.h"
#include "items/IItem.h"
#include "items/OItemFactory.h"
#include "items/OItemsManager.h"
#include "sdk/TButton.h"
#include "sdk/TPlatform.h"
#include "sdk/TReport.h"
#include "sdk/TText.h"
#include "sdk/TWindowManager.h"
#include "sdk/TXmlNode.h"
#include "visual/LuaUtils.h"

namespace {
const char* const kPickerWhat = "scene picker";

void Run(TWindow* window, const char* code) {
  TWindowManager::GetInstance()->DoLuaString(window, code);
}
}  // namespace

GPickSceneWnd::GPickSceneWnd() : mLuaNames(this) {
  mLuaNames.Bind("ShowScenes", this, &GPickSceneWnd::ShowScenes);
  mLuaNames.Bind("GoToScene", this, &GPickSceneWnd::GoToScene);
}

GPickSceneWnd::~GPickSceneWnd() {
  mLuaNames.UnbindAll();
}

void GPickSceneWnd::PostChildrenInit(TWindowStyle& style) {
  TWindow::PostChildrenInit(style);
  TXmlNode* worlds = OGameConfig::GetInstance()->GetWorlds();
  TXmlNode* destinations = worlds ? worlds->GetChild("destinations") : nullptr;
  for (size_t i = 0; destinations && i < destinations->GetChildCount(); ++i) {
    TXmlNode* world = destinations->GetChildAt(i);
    mWorlds.emplace_back(world->GetName(), world->GetAttribute("dir"));
    if (TButton* button = WindowCast<TButton>(GetChildWindow(str::format("world%d", int(i)))))
      button->SetLabel(world->GetName());
  }
  mItemField = WindowCast<TText>(GetChildWindow("itemedit"));
}

void GPickSceneWnd::ShowScenes(int index) {
  if (index < 0 || index >= int(mWorlds.size())) return;
  Run(this, "ClearScenes()");
  mScenes.clear();
  mShownWorld = index;
  const std::pair<str, str>& world = mWorlds[size_t(index)];
  if (TText* name = WindowCast<TText>(GetChildWindow("world_name"))) name->SetText(world.first);
  TXmlNode doc;
  // A file that is missing or does not parse says so itself.
  if (!doc.ParseFile(TPlatform::ResolvePath(str::format("%s/world.xml", world.second.c_str())))) return;
  TXmlNode* scenes = doc.GetName() == "world" ? doc.GetChild("scenes") : nullptr;
  for (size_t j = 0; scenes && j < scenes->GetChildCount(); ++j) {
    const str name = scenes->GetChildAt(j)->GetAttribute("name");
    if (TButton* button = WindowCast<TButton>(GetChildWindow(str::format("scene%d", int(j))))) {
      button->Show(true);
      button->SetLabel(name);
    }
    mScenes.push_back(name);
  }
}

void GPickSceneWnd::GoToScene(int index) {
  if (index < 0 || index >= int(mScenes.size())) return;
  if (mShownWorld < 0 || mShownWorld >= int(mWorlds.size())) return;
  OGame* game = OGame::GetInstance();
  // Each refusal says why; the picker stays open.
  if (!game->GoToWorld(mWorlds[size_t(mShownWorld)].first)) return;
  if (!game->GoToScene(mScenes[size_t(index)])) return;
  Run(this, "CloseWindow()");
}

bool GPickSceneWnd::GiveItem() {
  const str name = mItemField ? mItemField->GetText() : str();
  if (name.empty()) return false;
  GGameWnd* wnd = GGameWnd::GetCurrent();
  GScene* scene = wnd ? wnd->GetCurrentScene() : nullptr;
  OItemsManager* items = scene ? scene->GetItemsManager() : nullptr;
  if (!items) {
    Report("%s: no scene is running; no item can be given", kPickerWhat);
    return false;
  }
  GMousePointer* pointer = GMousePointer::PeekInstance();
  if (!pointer || !pointer->GetManager()) return false;
  // The item held now would be on no one's pointer, yet the items registry
  // would keep it in the hand for every later save.
  if (pointer->GetHeldItem()) {
    Report("%s: the hand already holds \"%s\"; \"%s\" is not given", kPickerWhat,
           pointer->GetHeldItem()->GetName().c_str(), name.c_str());
    return false;
  }
  IItem* item = OItemFactory::CreateForPointer(name, items);
  if (!item) {
    Report("%s: no item \"%s\" can be made for the hand", kPickerWhat, name.c_str());
    return false;
  }
  item->CreateObject();
  pointer->HoldItem(item);
  return true;
}

bool GPickSceneWnd::OnMessage(const TMessage& message) {
  if (message.kind == TMessage::kButtonPressed && message.senderName == "getitem" && GiveItem())
    Run(this, "CloseWindow()");
  return false;
}

bool GPickSceneWnd::OnMouseDown(const TPoint& local) {
  FocusFieldAt(this, local, mItemField);
  return false;
}
