#pragma once
// The small item kinds of the cooking scene, simple items with one or two
// settings more: the cut piece of a product, the dust that cutting leaves,
// and a tool (a knife, a spoon). The cook desk cuts products into cut and
// dust pieces with tools; the cook dish takes cut pieces as products; the
// scene's clear button asks a held dust piece or tool to give back what it
// came from ("clear_return").

#include "items/OSimpleItem.h"

class OCookCutItem : public OSimpleItem {
 public:
  OCookCutItem(const str& name, IItemsManager* owner, const Look& look, TXmlNode* node);
  static OSimpleItem* CreateFromXml(const str& name, TXmlNode* node, IItemsManager* owner);

  bool IsKindOf(int32_t typeId) const override;
  const char* GetTypeName() const override { return "OCookCutItem"; }
  int32_t GetTypeId() const override { return ItemTypeId::OCookCutItem; }
  // In an inventory cell the piece shows at its own size again.
  void SetPlace(int32_t place) override;

  str GetClearReturn() const { return mClearReturn; }
  // A cut piece that is a product in its own right: the desk lays it in its
  // product place.
  bool IsProduct() const { return mIsProduct; }

 private:
  str mClearReturn;
  bool mIsProduct = false;
};

class OCookDustItem : public OSimpleItem {
 public:
  OCookDustItem(const str& name, IItemsManager* owner, const Look& look, TXmlNode* node);
  static OSimpleItem* CreateFromXml(const str& name, TXmlNode* node, IItemsManager* owner);

  bool IsKindOf(int32_t typeId) const override;
  const char* GetTypeName() const override { return "OCookDustItem"; }
  int32_t GetTypeId() const override { return ItemTypeId::OCookDustItem; }
  void SetPlace(int32_t place) override;

  // Held, it goes back to the scene's place and leaves the hand (it is
  // deleted); its clear return, when it has one, comes back into the scene.
  // Nothing happens unless the pointer holds it.
  void ReplaceByResult();

  const str& GetClearReturn() const { return mClearReturn; }

 private:
  str mClearReturn;
};

class OCookToolItem : public OSimpleItem {
 public:
  OCookToolItem(const str& name, IItemsManager* owner, const Look& look, TXmlNode* node);
  static OSimpleItem* CreateFromXml(const str& name, TXmlNode* node, IItemsManager* owner);

  bool IsKindOf(int32_t typeId) const override;
  const char* GetTypeName() const override { return "OCookToolItem"; }
  int32_t GetTypeId() const override { return ItemTypeId::OCookToolItem; }

  // Held, it is replaced in the hand by its clear return (it is deleted);
  // with no clear return, or one that cannot be made, it stays. Nothing
  // happens unless the pointer holds it.
  void ReplaceByResult();

  const str& GetClearReturn() const { return mClearReturn; }

 private:
  str mClearReturn;
};
