#pragma once
// A plate of the cooking scene on which the player assembles a dish. Each
// product applied to it shows its own layer of the dish's visual; after
// every product the dish rates how well the applied products match its best
// fitting recipe (0 to 100) and tells the cooking scene. A dish is done
// (stage 2, the recipe's good layer) when the rating reaches 100 and the
// recipe needs no mixing, or when a mixing tool is applied at 100; a mixing
// tool on a wrong but filled enough dish fails it (stage 1, the bad layer).
// Tools with return items trade themselves for other items on a finished
// dish. The dish keeps its state in the cooking scene's mini-game registry
// node, not in the items registry.

#include <vector>

#include "items/OSimpleItem.h"
#include "sdk/TSound.h"

class GCookScene;

class OCookDishItem : public OSimpleItem {
 public:
  enum { kCooking = 0, kFailed = 1, kDone = 2 };

  struct Recipe {
    str id;
    std::vector<str> ingredients;  // product ids
    str layerGood, layerBad, completeDish;
    bool order = false;     // the products must come in the ingredients' order
    str lastId, lastLayer;  // read and kept, unused by the dish
    bool nomix = false;     // done at 100 without a mixing tool
  };
  struct Product {
    str id, name, layer, link;
    bool applied = false;
    bool keep = false;  // stays in hand when applied
    str giveBack;       // the "return" item put in the hand
    str clear;          // the item given back to the scene when the dish is cleared
    TSoundRef sound;
  };
  struct Tool {
    str name, returnGood, returnBad;
    TSoundRef sound;
  };
  struct Applied {
    str id, name;
  };

  OCookDishItem(const str& name, IItemsManager* owner, const Look& look);
  static OSimpleItem* CreateFromXml(const str& name, TXmlNode* node, IItemsManager* owner);

  bool IsKindOf(int32_t typeId) const override;
  const char* GetTypeName() const override { return "OCookDishItem"; }
  int32_t GetTypeId() const override { return ItemTypeId::OCookDishItem; }

  void CreateObject() override;
  // Applies the held product or tool; an empty hand takes a dish that is not
  // static.
  bool OnMaskClick(IMask* mask) override;
  bool CanBeStored() const override { return false; }
  // The fade-in of the layer of the last stage.
  void Update() override;
  // Restores the dish from the cooking scene's registry node.
  void OnSceneStart() override;
  // Back in the scene the dish shows at its own size again.
  void SetPlace(int32_t place) override;

  // 0 to 100 for the best fitting recipe, which becomes the current one;
  // -1 (and no current recipe) when nothing applied fits any recipe.
  int GetRating();
  // Shows the layer, fading in, and records the three values. Without a
  // layer of that name the values are recorded and nothing is shown.
  void SetStage(const str& layer, int stage, const str& completeDish);
  // Empties the dish; the applied cut pieces' clear returns come back into
  // the scene.
  void Clear();
  // The saved node: "ccd", "cs", "cl", "cdi" and "aps".
  using OSimpleItem::SaveState;
  void SaveState(TXmlNode* node);

  int GetStage() const { return mStage; }
  int GetCurrentRecipe() const { return mCurrentRecipe; }
  str GetCurrentLayer() const { return mCurrentLayer; }
  str GetCompleteDish() const { return mCompleteDish; }
  const std::vector<Applied>& GetApplied() const { return mApplied; }

  const Tool* FindTool(const str& name) const;
  Product* FindProduct(const str& name, bool applied);
  const Recipe* FindRecipe(const str& id) const;

 private:
  bool UseTool(const Tool& tool, IItem* held);
  bool ApplyProduct(IItem* held);
  void Complete();
  void Fail();
  // Queues a small hint with that text key; nothing for an empty key.
  void QueueHint(const str& key);
  // The layer child of a product: its layer, or its name without one.
  GVObject* LayerOf(const Product& product) const;
  GVObject* Layer(const str& name) const;
  // Hides every layer (every child of the visual but the plate, child 0).
  void HideLayers();
  // The scene of the dish's items manager when it is a cooking scene, else
  // null: the scene on screen, for a dish in it or in the hand.
  GCookScene* CookScene() const;
  bool IsCurrentDish() const;

  std::vector<Recipe> mRecipes;
  std::vector<Product> mProducts;
  std::vector<Tool> mTools;
  int mCurrentRecipe = -1;
  int mStage = kCooking;
  str mCurrentLayer;
  str mCompleteDish;
  str mStartReady;
  bool mStatic = false;
  std::vector<Applied> mApplied;
  GVObject* mFade = nullptr;  // a layer of the visual while it fades in
  float mAppearStep = 0.05f;  // alpha a tick
  int mMinPercentForMix = 0;
  str mMinPercentHint;
  str mStaticHint;
};
