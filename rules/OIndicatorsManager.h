#pragma once
// Stand-in for the timer indicators, replaced when the indicators are built:
// it draws nothing, records what it was asked and writes an empty
// "indicators" section.

#include <vector>

#include "game/OCallLog.h"
#include "sdk/str.h"

class TXmlNode;

class OIndicatorsManager {
 public:
  static OIndicatorsManager* GetInstance();
  static bool HasInstance();
  static void DeleteInstance();

  void Draw() {}
  void Save(TXmlNode* save) const;
  void Load(TXmlNode* save) { mAsked.push_back("load"); }
  // Total time 0, image alpha 0, no text: "poison", "vethra" or "underwater".
  void EmptyIndicator(const str& key) { mAsked.push_back("empty " + key); }
  const std::vector<str>& GetAsked() const { return mAsked.Lines(); }

 private:
  OIndicatorsManager() = default;
  OCallLog mAsked{"indicators"};
  static OIndicatorsManager* sInstance;
};
