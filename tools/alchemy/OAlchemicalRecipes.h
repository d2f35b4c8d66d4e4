#pragma once
// The alchemical device's recipes and the four tests that match the device's
// contents against them. A recipe is a liquid and an ordered list of
// ingredient entries, each entry the names of the items that may fill it.
// Contents are item names in cell order; the tests never look at anything
// else, so they work on plain lists.

#include <vector>

#include "sdk/str.h"

class TXmlNode;

class OAlchemicalRecipes {
 public:
  struct Recipe {
    str id;
    str liquid;
    // One list of alternative item names per ingredient entry.
    std::vector<std::vector<str>> entries;
    TXmlNode* potions = nullptr;  // the configuration's; may be null
  };

  // Every child of `recipes`, whatever its name, is a recipe. A null node
  // leaves no recipes.
  void Load(TXmlNode* recipes);

  int Count() const { return int(mRecipes.size()); }
  // Null outside 0 .. Count() - 1.
  const Recipe* Get(int index) const;
  // The first recipe of that id, or -1.
  int FindById(const str& id) const;

  // The first recipe with as many entries as there are names, each entry
  // accepting at least one of the names (a name may serve several), and
  // this liquid; -1 when none.
  int FindExact(const std::vector<str>& names, const str& liquid) const;
  bool IsLiquid(int index, const str& liquid) const;
  // Every entry accepts at least one item of the contents.
  bool HasAllIngredients(int index, const std::vector<str>& contents) const;
  // Positions in `contents` of the items left over when each item, in order,
  // takes the first entry that accepts it and is not taken yet. An unknown
  // recipe has no entries, so every item is left over.
  std::vector<int> FindUnnecessary(int index, const std::vector<str>& contents) const;
  bool HasNoUnnecessaryItems(int index, const std::vector<str>& contents) const {
    return FindUnnecessary(index, contents).empty();
  }

 private:
  static bool Accepts(const std::vector<str>& entry, const str& name);
  std::vector<Recipe> mRecipes;
};
