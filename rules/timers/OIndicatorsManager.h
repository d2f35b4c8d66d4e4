#pragma once
// Owns what the hazard timers show over the scene, built from
// game_screen/indicators: the poison, Vethra and under-water indicators
// (the last two both from `air`) and the invisibility overlay. It draws them
// after the full-screen scenes' objects and keeps them in the save.

class OInvisibilityOverlay;
class OTimerIndicator;
class TXmlNode;

class OIndicatorsManager {
 public:
  static OIndicatorsManager* GetInstance();
  static bool HasInstance();
  static void DeleteInstance();

  OTimerIndicator* GetPoison() const { return mPoison; }
  OTimerIndicator* GetVethra() const { return mVethra; }
  OTimerIndicator* GetUnderwater() const { return mUnderwater; }
  OInvisibilityOverlay* GetOverlay() const { return mOverlay; }

  // Nothing while the quest book is the current scene.
  void Draw();
  // One blinking tick of the three indicators.
  void BlinkTick();
  void Save(TXmlNode* parent) const;
  // A missing section changes nothing; a missing child leaves its
  // indicator idle, or the overlay stopped. Then the overlay follows the
  // loaded invisibility timer, when there is a timers manager.
  void Load(const TXmlNode* parent);

 private:
  OIndicatorsManager();
  ~OIndicatorsManager();
  OIndicatorsManager(const OIndicatorsManager&) = delete;
  OIndicatorsManager& operator=(const OIndicatorsManager&) = delete;
  void LoadSection(const TXmlNode* section);

  OTimerIndicator* mPoison = nullptr;        // owned
  OTimerIndicator* mVethra = nullptr;        // owned
  OTimerIndicator* mUnderwater = nullptr;    // owned
  OInvisibilityOverlay* mOverlay = nullptr;  // owned
  static OIndicatorsManager* sInstance;
};
