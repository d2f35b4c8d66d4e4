#pragma once
// The small XML tree through which a mini-game's state reaches a save and
// comes back from it: one child per mini-game, named after it, holding
// whatever the mini-game writes. Deleted with the game object.

#include <memory>

#include "sdk/str.h"

class TXmlNode;

class OMinigameRegistry {
 public:
  static OMinigameRegistry* GetInstance();
  static bool HasInstance();
  static void DeleteInstance();

  // The child of that name, or null.
  TXmlNode* GetNode(const str& name) const;
  // A new empty child of that name, replacing an existing one. Null (with a
  // message) for a name that cannot be an element name.
  TXmlNode* CreateNode(const str& name);
  void DeleteNode(const str& name);
  // Deletes the tree and starts an empty "minigame_registry".
  void Reset();
  TXmlNode* GetRoot() const { return mRoot.get(); }

  // Appends to `to` a deep copy of every child of `from`, in order.
  static void CopyTree(const TXmlNode* from, TXmlNode* to);

  // The save's "minigame_registry" section: copied in, then the registry is
  // emptied, so a mini-game's state is saved only from inside it.
  void Save(TXmlNode* save);
  // Empties the registry, then copies the save's section back.
  void Load(TXmlNode* save);

 private:
  OMinigameRegistry();
  ~OMinigameRegistry();
  std::unique_ptr<TXmlNode> mRoot;
  static OMinigameRegistry* sInstance;
};
