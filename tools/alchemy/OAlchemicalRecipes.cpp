#include "OAlchemicalRecipes.h"

#include <algorithm>

#include "sdk/TXmlNode.h"

void OAlchemicalRecipes::Load(TXmlNode* recipes) {
  mRecipes.clear();
  for (size_t i = 0; recipes && i < recipes->GetChildCount(); ++i) {
    TXmlNode* node = recipes->GetChildAt(i);
    Recipe recipe;
    recipe.liquid = node->GetChildContent("liquid");
    recipe.id = node->GetAttribute("id");
    recipe.potions = node->GetChild("potions");
    if (TXmlNode* ingredients = node->GetChild("ingredients")) {
      for (size_t j = 0; j < ingredients->GetChildCount(); ++j) {
        TXmlNode* entry = ingredients->GetChildAt(j);
        std::vector<str> alternatives;
        // "ingredient" names one item; any other element lists its choices.
        if (entry->GetName() == "ingredient") {
          alternatives.push_back(entry->GetContent());
        } else {
          for (size_t k = 0; k < entry->GetChildCount(); ++k)
            alternatives.push_back(entry->GetChildAt(k)->GetContent());
        }
        recipe.entries.push_back(alternatives);
      }
    }
    mRecipes.push_back(recipe);
  }
}

const OAlchemicalRecipes::Recipe* OAlchemicalRecipes::Get(int index) const {
  return index >= 0 && index < Count() ? &mRecipes[size_t(index)] : nullptr;
}

int OAlchemicalRecipes::FindById(const str& id) const {
  for (int i = 0; i < Count(); ++i)
    if (mRecipes[size_t(i)].id == id) return i;
  return -1;
}

bool OAlchemicalRecipes::Accepts(const std::vector<str>& entry, const str& name) {
  return std::find(entry.begin(), entry.end(), name) != entry.end();
}

int OAlchemicalRecipes::FindExact(const std::vector<str>& names, const str& liquid) const {
  for (int i = 0; i < Count(); ++i) {
    const Recipe& recipe = mRecipes[size_t(i)];
    if (recipe.entries.size() != names.size() || recipe.liquid != liquid) continue;
    bool all = true;
    for (const std::vector<str>& entry : recipe.entries) {
      all = std::any_of(names.begin(), names.end(), [&](const str& n) { return Accepts(entry, n); });
      if (!all) break;
    }
    if (all) return i;
  }
  return -1;
}

bool OAlchemicalRecipes::IsLiquid(int index, const str& liquid) const {
  const Recipe* recipe = Get(index);
  return recipe && recipe->liquid == liquid;
}

bool OAlchemicalRecipes::HasAllIngredients(int index, const std::vector<str>& contents) const {
  const Recipe* recipe = Get(index);
  if (!recipe) return false;
  for (const std::vector<str>& entry : recipe->entries)
    if (std::none_of(contents.begin(), contents.end(), [&](const str& n) { return Accepts(entry, n); }))
      return false;
  return true;
}

std::vector<int> OAlchemicalRecipes::FindUnnecessary(int index, const std::vector<str>& contents) const {
  const Recipe* recipe = Get(index);
  const size_t entryCount = recipe ? recipe->entries.size() : 0;
  std::vector<bool> taken(entryCount, false);
  std::vector<int> left;
  for (size_t i = 0; i < contents.size(); ++i) {
    bool placed = false;
    for (size_t e = 0; e < entryCount && !placed; ++e) {
      if (taken[e] || !Accepts(recipe->entries[e], contents[i])) continue;
      taken[e] = true;
      placed = true;
    }
    if (!placed) left.push_back(int(i));
  }
  return left;
}
