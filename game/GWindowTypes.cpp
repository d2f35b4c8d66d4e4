#include "GWindowTypes.h"

#include "sdk/TWindowManager.h"

// Each class is registered once its header is in the tree; until then a
// script naming the type gets nothing, as for any unknown type.
#if __has_include("game/GMainMenu.h")
#include "game/GMainMenu.h"
#define TOLVANE_HAS_GMainMenu 1
#endif
#if __has_include("game/GSlidingPanel.h")
#include "game/GSlidingPanel.h"
#define TOLVANE_HAS_GSlidingPanel 1
#endif
#if __has_include("game/GGameWnd.h")
#include "game/GGameWnd.h"
#define TOLVANE_HAS_GGameWnd 1
#endif
#if __has_include("tools/GGamePanel.h")
#include "tools/GGamePanel.h"
#define TOLVANE_HAS_GGamePanel 1
#endif
#if __has_include("game/GThroughSpaceModeWnd.h")
#include "game/GThroughSpaceModeWnd.h"
#define TOLVANE_HAS_GThroughSpaceModeWnd 1
#endif
#if __has_include("game/GTolvaneWnd.h")
#include "game/GTolvaneWnd.h"
#define TOLVANE_HAS_GTolvaneWnd 1
#endif
#if __has_include("visual/GButton.h")
#include "visual/GButton.h"
#define TOLVANE_HAS_GButton 1
#endif
#if __has_include("visual/GSlider.h")
#include "visual/GSlider.h"
#define TOLVANE_HAS_GSlider 1
#elif __has_include("visual/GButton.h")
#include "visual/GButton.h"  // GSlider lives beside its sibling
#define TOLVANE_HAS_GSlider 1
#endif
#if __has_include("visual/TProgressBar.h")
#include "visual/TProgressBar.h"
#define TOLVANE_HAS_TProgressBar 1
#endif
#if __has_include("visual/GInteractiveButton.h")
#include "visual/GInteractiveButton.h"
#define TOLVANE_HAS_GInteractiveButton 1
#endif
#if __has_include("visual/particle_layer.h")
#include "visual/particle_layer.h"
#define TOLVANE_HAS_particle_layer 1
#endif
#if __has_include("visual/GFlyEmitter.h")
#include "visual/GFlyEmitter.h"
#define TOLVANE_HAS_GFlyEmitter 1
#endif
#if __has_include("tools/GVethraPotionEffectChooser.h")
#include "tools/GVethraPotionEffectChooser.h"
#define TOLVANE_HAS_GVethraPotionEffectChooser 1
#endif
#if __has_include("tools/GVethraGrid.h")
#include "tools/GVethraGrid.h"
#define TOLVANE_HAS_GVethraGrid 1
#endif
#if __has_include("tools/GMagicControl.h")
#include "tools/GMagicControl.h"
#define TOLVANE_HAS_GMagicControl 1
#endif
#if __has_include("tools/GMagicButton.h")
#include "tools/GMagicButton.h"
#define TOLVANE_HAS_GMagicButton 1
#endif
#if __has_include("rules/GBigHint.h")
#include "rules/GBigHint.h"
#define TOLVANE_HAS_GBigHint 1
#endif
#if __has_include("rules/GSmallHint.h")
#include "rules/GSmallHint.h"
#define TOLVANE_HAS_GSmallHint 1
#endif
#if __has_include("rules/GAutoDeleteHint.h")
#include "rules/GAutoDeleteHint.h"
#define TOLVANE_HAS_GAutoDeleteHint 1
#endif
#if __has_include("game/GOptions.h")
#include "game/GOptions.h"
#define TOLVANE_HAS_GOptions 1
#endif
#if __has_include("game/GSaveWnd.h")
#include "game/GSaveWnd.h"
#define TOLVANE_HAS_GSaveWnd 1
#endif
#if __has_include("game/GLoadWnd.h")
#include "game/GLoadWnd.h"
#define TOLVANE_HAS_GLoadWnd 1
#endif
#if __has_include("game/GProfilesWnd.h")
#include "game/GProfilesWnd.h"
#define TOLVANE_HAS_GProfilesWnd 1
#endif
#if __has_include("game/GEnterNameWnd.h")
#include "game/GEnterNameWnd.h"
#define TOLVANE_HAS_GEnterNameWnd 1
#endif
#if __has_include("game/GPickSceneWnd.h")
#include "game/GPickSceneWnd.h"
#define TOLVANE_HAS_GPickSceneWnd 1
#endif
#if __has_include("minigames/GCatapultPanel.h")
#include "minigames/GCatapultPanel.h"
#define TOLVANE_HAS_GCatapultPanel 1
#endif
#if __has_include("game/GPopup.h")
#include "game/GPopup.h"
#define TOLVANE_HAS_GPopup 1
#endif
#if __has_include("visual/GVLuaObject.h")
#include "visual/GVLuaObject.h"
#define TOLVANE_HAS_GVLuaObject 1
#elif __has_include("visual/GVObjectWrapper.h")
#include "visual/GVObjectWrapper.h"  // GVLuaObject lives beside its sibling
#define TOLVANE_HAS_GVLuaObject 1
#endif
#if __has_include("tools/GNavigatorEntrance.h")
#include "tools/GNavigatorEntrance.h"
#define TOLVANE_HAS_GNavigatorEntrance 1
#endif
#if __has_include("visual/GVObjectWrapper.h")
#include "visual/GVObjectWrapper.h"
#define TOLVANE_HAS_GVObjectWrapper 1
#endif
#if __has_include("tools/GTravelLocation.h")
#include "tools/GTravelLocation.h"
#define TOLVANE_HAS_GTravelLocation 1
#endif
#if __has_include("tools/GTravelButton.h")
#include "tools/GTravelButton.h"
#define TOLVANE_HAS_GTravelButton 1
#endif
#if __has_include("tools/GTravelSelection.h")
#include "tools/GTravelSelection.h"
#define TOLVANE_HAS_GTravelSelection 1
#endif
#if __has_include("rules/GQuestBookControl.h")
#include "rules/GQuestBookControl.h"
#define TOLVANE_HAS_GQuestBookControl 1
#endif
#if __has_include("rules/GQuestBookItemTick.h")
#include "rules/GQuestBookItemTick.h"
#define TOLVANE_HAS_GQuestBookItemTick 1
#endif
#if __has_include("rules/GQuestBookTaskTick.h")
#include "rules/GQuestBookTaskTick.h"
#define TOLVANE_HAS_GQuestBookTaskTick 1
#endif
#if __has_include("minigames/GCookBook.h")
#include "minigames/GCookBook.h"
#define TOLVANE_HAS_GCookBook 1
#endif
#if __has_include("game/GTutorialWnd.h")
#include "game/GTutorialWnd.h"
#define TOLVANE_HAS_GTutorialWnd 1
#endif

namespace {
const std::vector<WindowType>& Table() {
  static const std::vector<WindowType> table = {
#ifdef TOLVANE_HAS_GMainMenu
      {"MainMenu", &GMainMenu::Create},
#endif
#ifdef TOLVANE_HAS_GSlidingPanel
      {"SlidingPanel", &GSlidingPanel::Create},
#endif
#ifdef TOLVANE_HAS_GGameWnd
      {"GameWindow", &GGameWnd::Create},
#endif
#ifdef TOLVANE_HAS_GGamePanel
      {"GamePanel", &GGamePanel::Create},
#endif
#ifdef TOLVANE_HAS_GThroughSpaceModeWnd
      {"ThroughSpaceModeWnd", &GThroughSpaceModeWnd::Create},
#endif
#ifdef TOLVANE_HAS_GTolvaneWnd
      {"TolvWindow", &GTolvaneWnd::Create},
#endif
#ifdef TOLVANE_HAS_GButton
      {"GButton", &GButton::Create},
#endif
#ifdef TOLVANE_HAS_GSlider
      {"GSlider", &GSlider::Create},
#endif
#ifdef TOLVANE_HAS_TProgressBar
      {"TProgressBar", &TProgressBar::Create},
#endif
#ifdef TOLVANE_HAS_GInteractiveButton
      {"GInteractiveButton", &GInteractiveButton::Create},
#endif
#ifdef TOLVANE_HAS_particle_layer
      {"particle_layer", &particle_layer::Create},
#endif
#ifdef TOLVANE_HAS_GFlyEmitter
      {"GFlyEmitter", &GFlyEmitter::Create},
#endif
#ifdef TOLVANE_HAS_GVethraPotionEffectChooser
      {"GVethraPotionEffectChooser", &GVethraPotionEffectChooser::Create},
#endif
#ifdef TOLVANE_HAS_GVethraGrid
      {"GVethraGrid", &GVethraGrid::Create},
#endif
#ifdef TOLVANE_HAS_GMagicControl
      {"MagicControl", &GMagicControl::Create},
#endif
#ifdef TOLVANE_HAS_GMagicButton
      {"MagicButton", &GMagicButton::Create},
#endif
#ifdef TOLVANE_HAS_GBigHint
      {"GBigHint", &GBigHint::Create},
#endif
#ifdef TOLVANE_HAS_GSmallHint
      {"GSmallHint", &GSmallHint::Create},
#endif
#ifdef TOLVANE_HAS_GAutoDeleteHint
      {"GAutoDeleteHint", &GAutoDeleteHint::Create},
#endif
#ifdef TOLVANE_HAS_GOptions
      {"OptionsWindow", &GOptions::Create},
#endif
#ifdef TOLVANE_HAS_GSaveWnd
      {"SaveWindow", &GSaveWnd::Create},
#endif
#ifdef TOLVANE_HAS_GLoadWnd
      {"LoadWindow", &GLoadWnd::Create},
#endif
#ifdef TOLVANE_HAS_GProfilesWnd
      {"ProfilesWindow", &GProfilesWnd::Create},
#endif
#ifdef TOLVANE_HAS_GEnterNameWnd
      {"EnterName", &GEnterNameWnd::Create},
#endif
#ifdef TOLVANE_HAS_GPickSceneWnd
      {"PickSceneWindow", &GPickSceneWnd::Create},
#endif
#ifdef TOLVANE_HAS_GCatapultPanel
      {"CatapultPanel", &GCatapultPanel::Create},
#endif
#ifdef TOLVANE_HAS_GPopup
      {"GPopup", &GPopup::Create},
#endif
#ifdef TOLVANE_HAS_GVLuaObject
      {"GVLuaObject", &GVLuaObject::Create},
#endif
#ifdef TOLVANE_HAS_GNavigatorEntrance
      {"GNavigatorEntrance", &GNavigatorEntrance::Create},
#endif
#ifdef TOLVANE_HAS_GVObjectWrapper
      {"GVObjectWrapper", &GVObjectWrapper::Create},
#endif
#ifdef TOLVANE_HAS_GTravelLocation
      {"GTravelLocation", &GTravelLocation::Create},
#endif
#ifdef TOLVANE_HAS_GTravelButton
      {"GTravelButton", &GTravelButton::Create},
#endif
#ifdef TOLVANE_HAS_GTravelSelection
      {"GTravelSelection", &GTravelSelection::Create},
#endif
#ifdef TOLVANE_HAS_GQuestBookControl
      {"GQuestBookControl", &GQuestBookControl::Create},
#endif
#ifdef TOLVANE_HAS_GQuestBookItemTick
      {"GQuestBookItemTick", &GQuestBookItemTick::Create},
#endif
#ifdef TOLVANE_HAS_GQuestBookTaskTick
      {"GQuestBookTaskTick", &GQuestBookTaskTick::Create},
#endif
#ifdef TOLVANE_HAS_GCookBook
      {"GCookBook", &GCookBook::Create},
#endif
#ifdef TOLVANE_HAS_GTutorialWnd
      {"GTutorialWnd", &GTutorialWnd::Create},
#endif
  };
  return table;
}
}  // namespace

const std::vector<WindowType>& GetWindowTypes() {
  return Table();
}

void RegisterWindowTypes(TWindowManager* wm) {
  for (const WindowType& type : Table()) wm->AddWindowType(type.name, type.factory);
}
