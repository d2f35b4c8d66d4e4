#include "OCookDishItem.h"

#include <algorithm>

#include "game/GMousePointer.h"
#include "game/OMinigameRegistry.h"
#include "game/OMousePointerManager.h"
#include "items/IItemsManager.h"
#include "items/OCookCutItem.h"
#include "items/OItemFactory.h"
#include "items/OItemsManager.h"
#include "minigames/cook/GCookScene.h"
#include "rules/actions/OHintAction.h"
#include "sdk/TXmlNode.h"
#include "visual/LuaUtils.h"

namespace {
TSoundRef LoadSound(const str& path) {
  return path.empty() ? TSoundRef() : TSound::Get(path, 0, TSound::kTypeEffects);
}

void PlayOnce(const TSoundRef& sound) {
  if (sound) sound->Play(false);
}

// Pieces from the start; the first empty piece ends the list.
std::vector<str> SplitIngredients(const str& text) {
  std::vector<str> out;
  size_t start = 0;
  for (;;) {
    size_t comma = text.find(',', start);
    str piece = text.substr(start, comma == std::string::npos ? std::string::npos : comma - start);
    if (piece.empty()) break;
    out.push_back(piece);
    if (comma == std::string::npos) break;
    start = comma + 1;
  }
  return out;
}

OMousePointerManager* Pointer() {
  return GMousePointer::PeekManager();
}

IItem* DishHeldItem() {
  OMousePointerManager* pointer = Pointer();
  return pointer ? pointer->GetHeldItem() : nullptr;
}

void ConsumeHeldItem() {
  if (OMousePointerManager* pointer = Pointer()) pointer->ConsumeHeldItem();
}

void ShowLayer(GVObject* layer, float depth) {
  layer->visible = 1;
  layer->deltaZ = depth;
  layer->changed = 1;
}
}  // namespace

OCookDishItem::OCookDishItem(const str& name, IItemsManager* owner, const Look& look)
    : OSimpleItem(name, owner, look.folder, look.path, look.x, look.y) {}

OSimpleItem* OCookDishItem::CreateFromXml(const str& name, TXmlNode* node, IItemsManager* owner) {
  Look look;
  if (!ReadLook(name, node, &look)) return nullptr;
  OCookDishItem* dish = new OCookDishItem(name, owner, look);
  dish->ReadEntry(node, owner, kReadUseAction | kReadOnPointerFlag);
  dish->mStatic = node->GetAttribute("static") == "true";
  dish->mStaticHint = node->GetAttribute("static_hint");
  if (TXmlNode* products = node->GetChild("products")) {
    for (size_t i = 0; i < products->GetChildCount(); ++i) {
      TXmlNode* p = products->GetChildAt(i);
      Product product;
      product.id = p->GetAttribute("id");
      product.name = p->GetAttribute("name");
      product.layer = p->GetAttribute("layer");
      product.link = p->GetAttribute("link");
      product.keep = p->GetAttribute("keep") == "true";
      product.giveBack = p->GetAttribute("return");
      product.sound = LoadSound(p->GetAttribute("sound"));
      dish->mProducts.push_back(product);
    }
  }
  if (TXmlNode* tools = node->GetChild("tools")) {
    for (size_t i = 0; i < tools->GetChildCount(); ++i) {
      TXmlNode* t = tools->GetChildAt(i);
      dish->mTools.push_back(Tool{t->GetAttribute("name"), t->GetAttribute("return_good"),
                                  t->GetAttribute("return_bad"), LoadSound(t->GetAttribute("sound"))});
    }
  }
  if (TXmlNode* dishes = node->GetChild("dishes")) {
    dish->mStartReady = dishes->GetAttribute("start_ready");
    // An absent step reads as 0 here, as the attribute's text is empty.
    dish->mAppearStep = dishes->GetAttribute("appear_step").to_float();
    dish->mMinPercentForMix = dishes->GetAttribute("min_percent_for_mix").to_int();
    dish->mMinPercentHint = dishes->GetAttribute("min_percent_hint");
    for (size_t i = 0; i < dishes->GetChildCount(); ++i) {
      TXmlNode* d = dishes->GetChildAt(i);
      Recipe recipe;
      recipe.id = d->GetAttribute("id");
      recipe.ingredients = SplitIngredients(d->GetAttribute("ingredients"));
      recipe.layerGood = d->GetAttribute("layer_good");
      recipe.layerBad = d->GetAttribute("layer_bad");
      recipe.completeDish = d->GetAttribute("complete_dish");
      recipe.order = d->GetAttribute("order") == "true";
      recipe.lastId = d->GetAttribute("lastid");
      recipe.lastLayer = d->GetAttribute("lastlayer");
      recipe.nomix = d->GetAttribute("nomix") == "true";
      dish->mRecipes.push_back(recipe);
    }
  }
  return dish;
}

bool OCookDishItem::IsKindOf(int32_t typeId) const {
  return typeId == ItemTypeId::OCookDishItem || OSimpleItem::IsKindOf(typeId);
}

void OCookDishItem::CreateObject() {
  // The layer that was fading belonged to the visual being replaced.
  mFade = nullptr;
  OSimpleItem::CreateObject();
}

void OCookDishItem::SetPlace(int32_t place) {
  if (mObject && place == ItemPlace::stScene) {
    mObject->scaling = 1;
    mObject->changed = 1;
  }
  OSimpleItem::SetPlace(place);
}

GCookScene* OCookDishItem::CookScene() const {
  return WindowCast<GCookScene>(mOwner ? mOwner->GetScene() : nullptr);
}

bool OCookDishItem::IsCurrentDish() const {
  GCookScene* scene = CookScene();
  return scene && scene->GetMixingPlate() == this;
}

// ---- lookups ----

const OCookDishItem::Tool* OCookDishItem::FindTool(const str& name) const {
  for (const Tool& tool : mTools)
    if (tool.name == name) return &tool;
  return nullptr;
}

OCookDishItem::Product* OCookDishItem::FindProduct(const str& name, bool applied) {
  for (Product& product : mProducts)
    if (product.name == name && product.applied == applied) return &product;
  return nullptr;
}

const OCookDishItem::Recipe* OCookDishItem::FindRecipe(const str& id) const {
  for (const Recipe& recipe : mRecipes)
    if (recipe.id == id) return &recipe;
  return nullptr;
}

GVObject* OCookDishItem::Layer(const str& name) const {
  return mObject && !name.empty() ? mObject->GetChild(name) : nullptr;
}

GVObject* OCookDishItem::LayerOf(const Product& product) const {
  return Layer(product.layer.empty() ? product.name : product.layer);
}

void OCookDishItem::HideLayers() {
  GVChilds* children = mObject ? mObject->GetChildren() : nullptr;
  if (!children) return;
  for (int i = 1; i < children->Count(); ++i) {
    GVObject* layer = children->Get(i);
    layer->visible = 0;
    layer->changed = 1;
  }
}

// ---- rating ----

int OCookDishItem::GetRating() {
  if (mStage == kDone) return 100;
  if (mStage == kFailed) return 0;

  int winner = -1, best = 0;
  for (size_t r = 0; r < mRecipes.size(); ++r) {
    std::vector<bool> matched(mApplied.size(), false);
    int matches = 0;
    for (const str& ingredient : mRecipes[r].ingredients) {
      for (size_t a = 0; a < mApplied.size(); ++a) {
        if (matched[a] || mApplied[a].id != ingredient) continue;
        matched[a] = true;
        ++matches;
        break;
      }
    }
    if (matches > best) {
      best = matches;
      winner = int(r);
    }
  }
  mCurrentRecipe = winner;
  if (winner < 0) return -1;

  const Recipe& recipe = mRecipes[winner];
  bool wrong = false;
  if (mApplied.size() >= 2) {
    std::vector<str> left = recipe.ingredients;
    for (const Applied& applied : mApplied) {
      if (left.empty()) break;
      auto it = std::find(left.begin(), left.end(), applied.id);
      if (it == left.end())
        wrong = true;
      else
        left.erase(it);
    }
  }
  if (mApplied.size() > recipe.ingredients.size()) return 0;
  if (recipe.order)
    for (size_t i = 0; i < mApplied.size(); ++i)
      if (mApplied[i].id != recipe.ingredients[i]) return 0;
  if (wrong) return 0;
  return int(float(best) * 100.0f / float(recipe.ingredients.size()));
}

// ---- stages ----

void OCookDishItem::SetStage(const str& layer, int stage, const str& completeDish) {
  if (GVObject* object = Layer(layer)) {
    object->alpha = 0;
    ShowLayer(object, 100.0f);
    mFade = object;
  }
  mStage = stage;
  mCurrentLayer = layer;
  mCompleteDish = completeDish;
}

void OCookDishItem::Complete() {
  const Recipe& recipe = mRecipes[mCurrentRecipe];
  SetStage(recipe.layerGood, kDone, recipe.completeDish);
  if (IsCurrentDish()) CookScene()->PlayDishResult(kDone);
}

void OCookDishItem::Fail() {
  const Recipe& recipe = mRecipes[mCurrentRecipe];
  if (IsCurrentDish()) CookScene()->PlayDishResult(kFailed);
  SetStage(recipe.layerBad, kFailed, recipe.completeDish);
}

void OCookDishItem::Update() {
  if (!mFade) return;
  float alpha = mFade->alpha + mAppearStep;
  mFade->changed = 1;
  if (alpha < 1) {
    mFade->alpha = alpha;
  } else {
    mFade->alpha = 1;
    mFade = nullptr;
  }
}

void OCookDishItem::Clear() {
  HideLayers();
  OItemsManager* sceneItems = OItemsManager::SceneListOf(mOwner);
  for (Product& product : mProducts) {
    product.applied = false;
    if (product.clear.empty()) continue;
    if (IItem* item = sceneItems ? OItemFactory::CreateDropped(product.clear, sceneItems) : nullptr) {
      item->CreateObject();
      sceneItems->InsertInSceneOrder(item);
      item->MoveToScene();
    }
    product.clear.clear();
  }
  mApplied.clear();
  mStage = kCooking;
  mCurrentLayer.clear();
  mCompleteDish.clear();
}

// ---- clicks ----

void OCookDishItem::QueueHint(const str& key) {
  if (key.empty()) return;
  OHintAction hint(key, str(), 1, mOwner ? mOwner->GetMasksManager() : nullptr);
  hint.Execute();
}

bool OCookDishItem::OnMaskClick(IMask* mask) {
  IItem* held = DishHeldItem();
  if (!held) {
    if (!mStatic) return OSimpleItem::OnMaskClick(mask);
    QueueHint(mStaticHint);
    return true;
  }
  if (const Tool* tool = FindTool(held->GetName())) return UseTool(*tool, held);
  if (mStage != kCooking) return mStatic || OSimpleItem::OnMaskClick(mask);
  return ApplyProduct(held);
}

bool OCookDishItem::UseTool(const Tool& tool, IItem* held) {
  if (mStage != kCooking) {
    PlayOnce(tool.sound);
    str giveBack = mStage == kDone || tool.returnBad.empty() ? tool.returnGood : tool.returnBad;
    if (giveBack.empty() || giveBack == held->GetName()) return true;
    IItem* item = OItemFactory::CreateForPointer(giveBack, mOwner);
    if (!item) return true;
    held->MoveToScene();
    Pointer()->DeleteHeldItem();
    item->CreateObject();
    item->MoveToPointer();
    return true;
  }
  if (!tool.returnGood.empty() || !tool.returnBad.empty()) return true;

  // A mixing tool.
  int rating = GetRating();
  if (rating < 1) {
    const Recipe* recipe = mCurrentRecipe < 0 ? nullptr : &mRecipes[mCurrentRecipe];
    if (!recipe || recipe->ingredients.empty()) return true;
    float percent = float(mApplied.size()) / float(recipe->ingredients.size()) * 100.0f;
    if (percent < float(mMinPercentForMix)) {
      QueueHint(mMinPercentHint);
    } else {
      PlayOnce(tool.sound);
      Fail();
    }
  } else if (rating == 100) {
    PlayOnce(tool.sound);
    Complete();
  } else if (rating < mMinPercentForMix) {
    QueueHint(mMinPercentHint);
  } else {
    PlayOnce(tool.sound);
    Fail();
  }
  return true;
}

bool OCookDishItem::ApplyProduct(IItem* held) {
  Product* product = FindProduct(held->GetName(), false);
  if (!product) return true;
  if (!product->link.empty() && !FindProduct(product->link, false)) return true;
  GVObject* layer = LayerOf(*product);
  if (!layer) return true;

  PlayOnce(product->sound);
  mApplied.push_back(Applied{product->id, product->name});
  product->applied = true;
  ShowLayer(layer, float(mApplied.size()));
  if (OCookCutItem* cut = dynamic_cast<OCookCutItem*>(held)) product->clear = cut->GetClearReturn();
  if (!product->keep) ConsumeHeldItem();
  if (!product->giveBack.empty()) {
    if (IItem* item = OItemFactory::CreateForPointer(product->giveBack, mOwner)) {
      ConsumeHeldItem();
      item->CreateObject();
      item->MoveToPointer();
    }
  }

  int rating = GetRating();
  // Only a cooking scene rates its dishes; anywhere else the dish keeps its
  // products and no one is told.
  if (GCookScene* scene = CookScene()) scene->UpdateProgressBar(this, rating);
  if (mCurrentRecipe < 0 || rating != 100 || !mRecipes[mCurrentRecipe].nomix) return true;
  Complete();
  return true;
}

// ---- saved state ----

void OCookDishItem::OnSceneStart() {
  if (!mStartReady.empty())
    if (const Recipe* recipe = FindRecipe(mStartReady)) SetStage(recipe->layerGood, kDone, str());
  TXmlNode* cook = OMinigameRegistry::GetInstance()->GetNode("cook");
  if (!cook) {
    if (mStartReady.empty()) Clear();
    return;
  }
  HideLayers();
  TXmlNode* plates = cook->GetChild("plates");
  TXmlNode* saved = plates ? plates->GetChild(mName) : nullptr;
  if (!saved) return;
  // What the dish held before is replaced by what was saved, not added to.
  mApplied.clear();
  for (Product& product : mProducts) product.applied = false;
  mCurrentRecipe = saved->GetAttribute("ccd").to_int();
  // A recipe number the dish does not have is no recipe.
  if (mCurrentRecipe < 0 || mCurrentRecipe >= int(mRecipes.size())) mCurrentRecipe = -1;
  mStage = saved->GetAttribute("cs").to_int();
  mCurrentLayer = saved->GetAttribute("cl");
  mCompleteDish = saved->GetAttribute("cdi");
  if (mStage > kCooking)
    if (GVObject* layer = Layer(mCurrentLayer)) ShowLayer(layer, 100.0f);
  TXmlNode* aps = saved->GetChild("aps");
  for (size_t i = 0; aps && i < aps->GetChildCount(); ++i) {
    TXmlNode* ap = aps->GetChildAt(i);
    if (ap->GetName() != "ap") continue;
    Product* product = FindProduct(ap->GetAttribute("name"), false);
    if (!product) continue;
    product->clear = ap->GetAttribute("clear");
    GVObject* layer = LayerOf(*product);
    if (mStage != kCooking || !layer) continue;
    mApplied.push_back(Applied{product->id, product->name});
    product->applied = true;
    ShowLayer(layer, float(mApplied.size()));
  }
}

void OCookDishItem::SaveState(TXmlNode* node) {
  if (!node) return;
  node->SetAttribute("ccd", str::format("%d", mCurrentRecipe));
  node->SetAttribute("cs", str::format("%d", mStage));
  node->SetAttribute("cl", mCurrentLayer);
  node->SetAttribute("cdi", mCompleteDish);
  TXmlNode* aps = node->CreateChild("aps");
  for (const Applied& applied : mApplied) {
    TXmlNode* ap = aps->CreateChild("ap");
    ap->SetAttribute("id", applied.id);
    ap->SetAttribute("name", applied.name);
    if (Product* product = FindProduct(applied.name, true)) ap->SetAttribute("clear", product->clear);
  }
}
