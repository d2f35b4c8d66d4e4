#include "GGamePanel.h"

#include "game/GGameWnd.h"
#include "game/GScene.h"
#include "game/OFlagsRegistry.h"
#include "game/OGameConfig.h"
#include "items/IItem.h"
#include "items/OItemFactory.h"
#include "rules/questbook/GQuestBookControl.h"
#include "rules/timers/OIndicatorsManager.h"
#include "sdk/TImage.h"
#include "sdk/TLuaParticleSystem.h"
#include "sdk/TRenderer.h"
#include "sdk/TReport.h"
#include "sdk/TScript.h"
#include "sdk/TXmlNode.h"
#include "tools/magic/GMagicControl.h"
#include "tools/panel/GInventory.h"
#include "tools/panel/GInventoryCell.h"
#include "tools/panel/IPanelClient.h"
#include "tools/vethra/GVethraGlobe.h"
#include "visual/GButton.h"
#include "visual/GInteractiveButton.h"
#include "visual/GVData.h"
#include "visual/GVXmlLoaders.h"
#include "visual/TProgressBar.h"

namespace {
// The children the panel's style gives, with the class each must be of.
struct ChildSpec {
  const char* name;
  uintptr_t (*classId)();
};
const ChildSpec kChildren[] = {
    {"alchemical_stub", &TImage::ClassId},
    {"cook_book_button", &GButton::ClassId},
    {"inactive_quest_image", &TImage::ClassId},
    {"btn_done", &GButton::ClassId},
    {"btn_clear", &GButton::ClassId},
    {"btn_cook_clear", &GButton::ClassId},
    {"btn_exit", &GButton::ClassId},
    {"btn_exit_minigame", &GButton::ClassId},
    {"tag_note_button", &GButton::ClassId},
    {"plants_note_button", &GButton::ClassId},
    {"progress_bar_king_cook", &TProgressBar::ClassId},
    {"img_done_disabled", &TImage::ClassId},
    {"img_clear_disabled", &TImage::ClassId},
    {"btn_inventory_left", &GInteractiveButton::ClassId},
    {"btn_inventory_right", &GInteractiveButton::ClassId},
    {"menu_button", &GButton::ClassId},
    {"btn_passage_bottom", &GInteractiveButton::ClassId},
    {"btn_passage_left", &GInteractiveButton::ClassId},
    {"btn_passage_right", &GInteractiveButton::ClassId},
    {"btn_passage_top", &GInteractiveButton::ClassId},
    {"btn_globe", &GButton::ClassId},
    {"btn_globe_rotation_left", &GButton::ClassId},
    {"btn_globe_rotation_right", &GButton::ClassId},
    {"magic_control", &GMagicControl::ClassId},
    {"quest_book_control", &GQuestBookControl::ClassId},
};

// The passage arrows by direction: left, right, top, bottom.
const char* const kPassageNames[GGamePanel::kPassageButtons] = {"btn_passage_left", "btn_passage_right",
                                                                "btn_passage_top", "btn_passage_bottom"};

// Saved in this order; the index is the panel's own.
struct SavedInventory {
  const char* element;
  int index;
};
const SavedInventory kSavedInventories[] = {
    {"main_inventory", GGamePanel::kMainInventory},
    {"cook_inventory", GGamePanel::kCookInventory},
    {"plants_inventory", GGamePanel::kPlantsInventory},
    {"mirrors_inventory", GGamePanel::kMirrorsInventory},
    {"fishing_inventory", GGamePanel::kFishingInventory},
};

void PanelOrphan(TWindow* w) {
  if (w && w->GetParent()) w->GetParent()->OrphanChild(w);
}

}  // namespace

GScene* GGamePanel::CurrentScene() {
  GGameWnd* wnd = GGameWnd::GetCurrent();
  return wnd ? wnd->GetCurrentScene() : nullptr;
}

GGamePanel::GGamePanel() : mLuaNames(this) {
  SetWindowSize(800, 600);
  for (GInventory*& inventory : mInventories) inventory = new GInventory();
  mGlobe = new GVethraGlobe();
  mGlobe->SetName("globe");
  mGlobe->SetWindowPos(24, 484);
  mGlobe->Build();
  mLuaNames.Bind("onInventoryPrev", this, &GGamePanel::onInventoryPrev);
  mLuaNames.Bind("onInventoryNext", this, &GGamePanel::onInventoryNext);
  mLuaNames.Bind("onDoneClick", this, &GGamePanel::onDoneClick);
  mLuaNames.Bind("onClearClick", this, &GGamePanel::onClearClick);
  mLuaNames.Bind("onLeftButtonClick", this, &GGamePanel::onLeftButtonClick);
  mLuaNames.Bind("onRightButtonClick", this, &GGamePanel::onRightButtonClick);
  mLuaNames.Bind("onTopButtonClick", this, &GGamePanel::onTopButtonClick);
  mLuaNames.Bind("onBottomButtonClick", this, &GGamePanel::onBottomButtonClick);
  mLuaNames.Bind("onExitFullScreenClick", this, &GGamePanel::onExitFullScreenClick);
  mLuaNames.Bind("onGlobeClick", this, &GGamePanel::onGlobeClick);
  mLuaNames.Bind("onGlobeLeftButtonClick", this, &GGamePanel::onGlobeLeftButtonClick);
  mLuaNames.Bind("onGlobeRightButtonClick", this, &GGamePanel::onGlobeRightButtonClick);
  mLuaNames.Bind("onMenuButtonClick", this, &GGamePanel::onMenuButtonClick);
  mSpriteRoot = TSprite::Create(0);
}

GGamePanel::~GGamePanel() {
  mLuaNames.UnbindAll();
  PanelOrphan(mBackground);
  delete mBackground;
  for (Named& child : mNamed) {
    PanelOrphan(child.window);
    delete child.window;
  }
  for (GInventory* inventory : mInventories) {
    PanelOrphan(inventory);
    delete inventory;
  }
  PanelOrphan(mGlobe);
  delete mGlobe;
  if (mSpriteRoot) mSpriteRoot->RemoveChildren();
}

void GGamePanel::Init(TWindowStyle& style) {
  TWindow::Init(style);
  for (int i = 0; i < kInventoryCount; ++i)
    mInventories[i]->LoadCells(style, i == kPlantsInventory
                                          ? OGameConfig::GetInstance()->GetGameScreenChild("plants_inventory")
                                          : nullptr);
}

void GGamePanel::PostChildrenInit(TWindowStyle& style) {
  mNamed.clear();
  for (const ChildSpec& spec : kChildren) {
    TWindow* w = GetChildWindow(spec.name, -1);
    if (w && !w->IsKindOf(spec.classId())) w = nullptr;
    mNamed.push_back(Named{spec.name, spec.classId, w});
  }
  // The panel owns them from now on, shown or not.
  for (Named& child : mNamed) PanelOrphan(child.window);
  for (int i = 0; i < kPassageButtons; ++i)
    mPassageButtons[i] = static_cast<GInteractiveButton*>(GetNamedChild(kPassageNames[i]));
  mMagicControl = static_cast<GMagicControl*>(GetNamedChild("magic_control"));
  mQuestBookControl = static_cast<GQuestBookControl*>(GetNamedChild("quest_book_control"));
  if (mMagicControl) mMagicControl->SetPanel(this);
  if (mQuestBookControl) mQuestBookControl->SetPanel(this);
  HideAllChildren();
  TWindow::PostChildrenInit(style);
}

TWindow* GGamePanel::GetNamedChild(const str& name) const {
  for (const Named& child : mNamed)
    if (name == child.name) return child.window;
  return nullptr;
}

GInventory* GGamePanel::GetInventory(int index) const {
  return index >= 0 && index < kInventoryCount ? mInventories[index] : nullptr;
}

GInventory* GGamePanel::GetCurrentInventory() const {
  switch (mKind) {
    case kKindCook:
      return mInventories[kCookInventory];
    case kKindMirrors:
      return mInventories[kMirrorsInventory];
    case kKindFishing:
      return mInventories[kFishingInventory];
    case kKindPlants:
      return mInventories[kPlantsInventory];
    default:
      return mInventories[kMainInventory];
  }
}

GInteractiveButton* GGamePanel::GetPassageButton(int direction) const {
  return direction >= 0 && direction < kPassageButtons ? mPassageButtons[direction] : nullptr;
}

void GGamePanel::HideAllChildren() {
  PanelOrphan(mBackground);
  for (Named& child : mNamed) PanelOrphan(child.window);
  for (GInventory* inventory : mInventories) PanelOrphan(inventory);
  PanelOrphan(mGlobe);
}

void GGamePanel::Show(TWindow* w) {
  // A child the style did not give is simply not shown.
  if (w && !w->GetParent()) AdoptChild(w, true);
}

void GGamePanel::ShowPassageButtons() {
  for (GInteractiveButton* button : mPassageButtons) Show(button);
}

void GGamePanel::ShowArrows() {
  Show("btn_inventory_left");
  Show("btn_inventory_right");
}

void GGamePanel::SetKind(int kind) {
  mKind = kind;
  HideAllChildren();
  LoadBackground(kind);
  Show(mBackground);
  bool showsInventory = true;
  switch (kind) {
    case kKindGame:
    case kKindUnderwater:
      ShowPassageButtons();
      Show(mGlobe);
      ShowArrows();
      Show(mMagicControl);
      Show(mQuestBookControl);
      break;
    case kKindAlchemicalDevice:
      Show("alchemical_stub");
      ShowArrows();
      Show("btn_done");
      ShowPassageButtons();
      Show(mMagicControl);
      Show(mQuestBookControl);
      break;
    case kKindVethra:
      ShowPassageButtons();
      ShowArrows();
      Show("btn_globe_rotation_left");
      Show("btn_globe_rotation_right");
      Show(mGlobe);
      Show("btn_globe");
      Show(mMagicControl);
      Show(mQuestBookControl);
      break;
    case kKindFullScreen:
      Show("btn_exit");
      Show(mQuestBookControl);
      showsInventory = false;
      break;
    case kKindGameOver:
      showsInventory = false;
      break;
    case kKindCook:
      ShowArrows();
      Show("btn_done");
      Show("btn_cook_clear");
      Show("progress_bar_king_cook");
      Show("cook_book_button");
      break;
    case kKindTag:
      Show("btn_done");
      Show("btn_exit_minigame");
      showsInventory = false;
      break;
    case kKindMirrors:
    case kKindFishing:
      ShowArrows();
      Show("btn_done");
      Show("btn_clear");
      Show("inactive_quest_image");
      break;
    case kKindPlants:
      ShowArrows();
      Show("btn_done");
      Show("btn_exit_minigame");
      break;
    case kKindCatapult:
    case kKindCards:
    case kKindShooter:
      Show("inactive_quest_image");
      showsInventory = false;
      break;
    default:
      Report("game panel: kind %d is not a panel kind; only its background shows", kind);
      showsInventory = false;
      break;
  }
  // The full-screen and game-over kinds leave the globe's mode as it was.
  if (kind != kKindFullScreen && kind != kKindGameOver) mGlobe->SetActive(kind == kKindVethra);
  if (kind != kKindGameOver) Show("menu_button");
  if (showsInventory) Show(GetCurrentInventory());
  UpdateArrows();
}

void GGamePanel::LoadBackground(int kind) {
  const char* name = "common";
  int id = kCommon;
  switch (kind) {
    case kKindFullScreen:
    case kKindCards:
    case kKindShooter:
      name = "full_screen";
      id = kFullScreenBg;
      break;
    case kKindGameOver:
      name = "gameover_screen";
      id = kGameOverBg;
      break;
    case kKindCook:
      name = "king_cook";
      id = kKingCook;
      break;
    case kKindTag:
      name = "alchemical";
      id = kAlchemical;
      break;
    default:
      break;
  }
  if (id == mBackgroundId) return;
  PanelOrphan(mBackground);
  delete mBackground;
  mBackground = nullptr;
  mBackgroundId = id;
  TXmlNode* backgrounds = OGameConfig::GetInstance()->GetGameScreenChild("panel_bgs");
  TXmlNode* node = backgrounds ? backgrounds->GetChild(name) : nullptr;
  // Without its picture the kind shows no background, and nothing of the
  // panel covers the scene.
  if (node) mBackground = LoadImageFromXml(node);
}

bool GGamePanel::HitTest(const TPoint& point) const {
  if (!mBackground) return false;
  int dx = int(point.x) - mBackground->GetX(), dy = int(point.y) - mBackground->GetY();
  if (dx < 0 || dy < 0 || dx >= mBackground->GetWidth() || dy >= mBackground->GetHeight()) return false;
  TTextureRef texture = mBackground->GetTexture();
  // Read without a lock: this runs on every mouse event over the screen, and
  // a picture that cannot be read gives no pixel (alpha 0).
  return texture && (texture->GetPixel(dx, dy) >> 24) == 0xFF;
}

bool GGamePanel::IsOverInventoryCell(const TPoint& point) const {
  GInventory* inventory = GetCurrentInventory();
  return inventory && inventory->IsOverCell(point);
}

bool GGamePanel::HasItem(const str& name) {
  GInventory* inventory = GetCurrentInventory();
  return inventory && inventory->ContainsItem(name);
}

void GGamePanel::Lock() {
  mLocked = true;
  GetCurrentInventory()->SetDisabled(true);
  if (mMagicControl) mMagicControl->Lock();
  UpdatePassageButtons();
}

void GGamePanel::Unlock() {
  mLocked = false;
  GetCurrentInventory()->SetDisabled(false);
  if (mMagicControl) mMagicControl->Unlock();
  UpdatePassageButtons();
}

void GGamePanel::UpdatePassageButtons() {
  for (int i = 0; i < kPassageButtons; ++i)
    if (mPassageButtons[i]) mPassageButtons[i]->SetEnabled(!mLocked && HasPassage(i));
}

void GGamePanel::SetPassages(std::vector<bool> passages) {
  mPassages = passages;
  UpdatePassageButtons();
}

bool GGamePanel::HasPassage(int direction) const {
  return direction >= 0 && direction < int(mPassages.size()) && mPassages[direction];
}

void GGamePanel::UpdateArrows() {
  GInventory* inventory = GetCurrentInventory();
  auto* left = static_cast<GInteractiveButton*>(GetNamedChild("btn_inventory_left"));
  auto* right = static_cast<GInteractiveButton*>(GetNamedChild("btn_inventory_right"));
  if (left) left->SetEnabled(inventory->GetFirstCell() > 0);
  if (right)
    right->SetEnabled(inventory->GetFirstCell() <=
                      inventory->GetTotalCells() - inventory->GetVisibleCount() - 1);
}

void GGamePanel::onInventoryNext() {
  if (mClient && !mClient->CanScrollInventory()) return;
  GInventory* inventory = GetCurrentInventory();
  if (inventory->GetFirstCell() <= inventory->GetTotalCells() - inventory->GetVisibleCount() - 1) {
    inventory->SetFirstCell(inventory->GetFirstCell() + 1);
    inventory->LayOut();
  }
  UpdateArrows();
}

void GGamePanel::onInventoryPrev() {
  if (mClient && !mClient->CanScrollInventory()) return;
  GInventory* inventory = GetCurrentInventory();
  if (inventory->GetFirstCell() > 0) {
    inventory->SetFirstCell(inventory->GetFirstCell() - 1);
    inventory->LayOut();
  }
  UpdateArrows();
}

void GGamePanel::Update() {
  if (mMenuRequest) {
    mMenuRequest = false;
    if (!mLocked && mGameWnd) mGameWnd->ShowLocalMenu();
  }
  GetCurrentInventory()->Tick();
  if (mMagicControl) mMagicControl->Tick();
  if (mQuestBookControl) mQuestBookControl->Tick();
  OIndicatorsManager::GetInstance()->BlinkTick();
}

void GGamePanel::SetItemsManager(IItemsManager* manager) {
  mItemsManager = manager;
  for (int i = 0; i < kInventoryCount; ++i)
    mInventories[i]->SetItemsManager(i == kMainInventory ? manager : nullptr);
}

void GGamePanel::RefreshInventoryItems() {
  for (GInventory* inventory : mInventories) inventory->RefreshItems();
}

void GGamePanel::DeleteInventoryItems() {
  for (GInventory* inventory : mInventories) inventory->DeleteItems();
}

void GGamePanel::OnMagicRegistryChanged(const str& key, int value) {
  if (mMagicControl) mMagicControl->OnMagicValueChanged(key, value);
}

void GGamePanel::HideDoneClear() {
  for (const char* name : {"btn_done", "btn_clear", "img_done_disabled", "img_clear_disabled"})
    PanelOrphan(GetNamedChild(name));
}

void GGamePanel::ShowDoneButton(bool enabled) {
  HideDoneClear();
  Show(enabled ? "btn_done" : "img_done_disabled");
}

void GGamePanel::onDoneClick() {
  if (mClient) mClient->OnDoneClick();
}

void GGamePanel::onClearClick() {
  if (mClient) mClient->OnClearClick();
}

void GGamePanel::PassageClick(int direction) {
  if (!mLocked && mClient) mClient->OnPassageButtonClick(direction);
}

bool GGamePanel::CanUseGlobe() {
  return mClient && (!mLocked || mClient->CanUseGlobeWhileLocked());
}

void GGamePanel::onGlobeClick() {
  if (CanUseGlobe()) mClient->OnGlobeClick();
}

void GGamePanel::TurnGlobe(int step) {
  if (!CanUseGlobe()) return;
  // Before a Vethra scene has shown the globe a position there is nothing to
  // turn from.
  int target = mGlobe->GetTarget();
  if (target < 0) return;
  int position = (target + step + GVethraGlobe::kPositions) % GVethraGlobe::kPositions;
  mClient->OnGlobeRotated(position);
  mGlobe->RotateTo(position);
}

void GGamePanel::onGlobeLeftButtonClick() {
  TurnGlobe(-1);
}

void GGamePanel::onGlobeRightButtonClick() {
  TurnGlobe(1);
}

void GGamePanel::onMenuButtonClick() {
  GScene* scene = CurrentScene();
  if (scene && !scene->IsPaused()) mMenuRequest = true;
}

TFxSpriteRef GGamePanel::MakeEffect(TXmlNode* node, void (GGamePanel::*remove)()) {
  if (!node) return TFxSpriteRef();
  TFxSpriteRef effect = TFxSprite::Create(1, node->GetAttribute("file"));
  // The effect's own script says when it is over.
  effect->GetParticleSystem()->BindFunction("removeEffect", [this, remove](lua_State*) {
    (this->*remove)();
    return 0;
  });
  if (TScript* script = effect->GetScript()) script->DoLuaString("gActive = true; gCount = 0;", 0);
  effect->SetPosition(TVec3(float(GVReadCoordinate("x", node)), float(GVReadCoordinate("y", node)), 0));
  return effect;
}

void GGamePanel::PlayAlchemicalPanelEffects() {
  TXmlNode* effects = OGameConfig::GetInstance()->GetGameScreenChild("alchemical_panel_effects");
  RemoveLeftEffect();
  RemoveRightEffect();
  mLeftEffect =
      MakeEffect(effects ? effects->GetChild("left_button") : nullptr, &GGamePanel::RemoveLeftEffect);
  mRightEffect =
      MakeEffect(effects ? effects->GetChild("right_button") : nullptr, &GGamePanel::RemoveRightEffect);
  if (mLeftEffect) mSpriteRoot->AddChild(mLeftEffect);
  if (mRightEffect) mSpriteRoot->AddChild(mRightEffect);
}

void GGamePanel::RemoveLeftEffect() {
  if (!mLeftEffect) return;
  mSpriteRoot->RemoveChild(mLeftEffect);
  mLeftEffect->GetParticleSystem()->SetDone();
}

void GGamePanel::RemoveRightEffect() {
  if (!mRightEffect) return;
  mSpriteRoot->RemoveChild(mRightEffect);
  mRightEffect->GetParticleSystem()->SetDone();
}

void GGamePanel::PostDraw() {
  TWindow::PostDraw();
  T2dScope pass;
  mSpriteRoot->Draw(TDrawSpec());
}

void GGamePanel::SaveInventory(TXmlNode* panel, const char* element, GInventory* inventory) {
  TXmlNode* node = panel->CreateChild(element);
  node->SetAttribute("first_cell", str::format("%d", inventory->GetFirstCell()));
  for (GInventoryCell* cell : inventory->GetCells()) {
    TXmlNode* child = node->CreateChild(str::format("cell%d", cell->GetIndex()));
    if (IItem* item = cell->GetItem()) child->SetAttribute("item_id", item->GetName());
  }
}

void GGamePanel::Release(IPanelClient* client, TWindow* holder) {
  if (holder && GetParent() == holder) holder->OrphanChild(this);
  if (mClient != client) return;
  mClient = nullptr;
  SetItemsManager(nullptr);
}

void GGamePanel::Save(TXmlNode* save) {
  if (!save) return;
  TXmlNode* panel = save->CreateChild("panel");
  for (const SavedInventory& saved : kSavedInventories)
    SaveInventory(panel, saved.element, mInventories[saved.index]);
  if (mMagicControl) mMagicControl->Save(panel);
}

void GGamePanel::LoadInventory(TXmlNode* panel, const char* element, GInventory* inventory,
                               std::set<str>* placed) {
  TXmlNode* node = panel ? panel->GetChild(element) : nullptr;
  int first = node ? node->GetAttribute("first_cell").to_int() : 0;
  // A damaged save must not scroll the strip past its cells.
  if (first < 0 || first > inventory->GetLastFirstCell()) {
    Report("save: %s's first cell %d is not 0 to %d; set to the nearest", element, first,
           inventory->GetLastFirstCell());
    first = first < 0 ? 0 : inventory->GetLastFirstCell();
  }
  inventory->SetFirstCell(first);
  inventory->LayOut();
  inventory->DeleteItems();
  for (GInventoryCell* cell : inventory->GetCells()) {
    TXmlNode* child = node ? node->GetChild(str::format("cell%d", cell->GetIndex())) : nullptr;
    str name = child ? child->GetAttribute("item_id") : str();
    if (name.empty()) continue;
    IItem* item = OItemFactory::CreateForInventory(name, mItemsManager);
    if (!item) {
      Report("save: %s cell %d: no item \"%s\" can be made; the cell stays empty", element, cell->GetIndex(),
             name.c_str());
      continue;
    }
    // A product (a caught fish, a mirror) may be had many times over; any
    // other item is one thing in one place.
    if (!placed->insert(name).second && !item->IsKindOf(ItemTypeId::OProductItem)) {
      Report("save: %s cell %d: item \"%s\" is in an earlier cell already; this cell stays empty", element,
             cell->GetIndex(), name.c_str());
      delete item;
      continue;
    }
    item->CreateObject();
    cell->PutItem(item);
    item->OnSceneStart();
  }
}

void GGamePanel::Load(TXmlNode* save, std::set<str>* placed) {
  TXmlNode* panel = save ? save->GetChild("panel") : nullptr;
  std::set<str> own;
  for (const SavedInventory& saved : kSavedInventories)
    LoadInventory(panel, saved.element, mInventories[saved.index], placed ? placed : &own);
  UpdateArrows();
  if (mMagicControl) mMagicControl->Load(panel);
  if (mQuestBookControl)
    mQuestBookControl->SetState(OFlagsRegistry::GetInstance()->GetValue("quest_book_control_unlocked") ==
                                        "true"
                                    ? GQuestBookControl::kUnlocked
                                    : GQuestBookControl::kLocked);
}
