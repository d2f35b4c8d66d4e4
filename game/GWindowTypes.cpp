#include "GWindowTypes.h"

#include "game/GGameWnd.h"
#include "game/GLoadWnd.h"
#include "game/GMainMenu.h"
#include "game/GOptions.h"
#include "game/GPickSceneWnd.h"
#include "game/GPopup.h"
#include "game/GProfilesWnd.h"
#include "game/GSaveWnd.h"
#include "game/GSlidingPanel.h"
#include "game/GTolvaneWnd.h"
#include "game/GTutorialWnd.h"
#include "minigames/catapult/GCatapultPanel.h"
#include "minigames/cook/GCookBook.h"
#include "rules/hints/GAutoDeleteHint.h"
#include "rules/hints/GBigHint.h"
#include "rules/hints/GSmallHint.h"
#include "rules/questbook/GQuestBookControl.h"
#include "rules/questbook/GQuestBookItemTick.h"
#include "rules/questbook/GQuestBookTaskTick.h"
#include "sdk/TWindowManager.h"
#include "tools/magic/GMagicButton.h"
#include "tools/magic/GMagicControl.h"
#include "tools/panel/GGamePanel.h"
#include "tools/travel/GNavigatorEntrance.h"
#include "tools/travel/GTravelSelection.h"  // GTravelSelection, GTravelLocation, GTravelButton
#include "tools/vethra/GVethraGrid.h"
#include "tools/vethra/GVethraPotionEffectChooser.h"
#include "visual/GButton.h"  // GButton, GSlider
#include "visual/GFlyEmitter.h"
#include "visual/GInteractiveButton.h"
#include "visual/GVObjectWrapper.h"  // GVObjectWrapper, GVLuaObject
#include "visual/TProgressBar.h"
#include "visual/particle_layer.h"

namespace {
// In start-up order.
const std::vector<WindowType>& Table() {
  static const std::vector<WindowType> table = {
      {"MainMenu", &GMainMenu::Create},
      {"SlidingPanel", &GSlidingPanel::Create},
      {"GameWindow", &GGameWnd::Create},
      {"GamePanel", &GGamePanel::Create},
      {"ThroughSpaceModeWnd", &GThroughSpaceModeWnd::Create},
      {"TolvWindow", &GTolvaneWnd::Create},
      {"GButton", &GButton::Create},
      {"GSlider", &GSlider::Create},
      {"TProgressBar", &TProgressBar::Create},
      {"GInteractiveButton", &GInteractiveButton::Create},
      {"particle_layer", &particle_layer::Create},
      {"GFlyEmitter", &GFlyEmitter::Create},
      {"GVethraPotionEffectChooser", &GVethraPotionEffectChooser::Create},
      {"GVethraGrid", &GVethraGrid::Create},
      {"MagicControl", &GMagicControl::Create},
      {"MagicButton", &GMagicButton::Create},
      {"GBigHint", &GBigHint::Create},
      {"GSmallHint", &GSmallHint::Create},
      {"GAutoDeleteHint", &GAutoDeleteHint::Create},
      {"OptionsWindow", &GOptions::Create},
      {"SaveWindow", &GSaveWnd::Create},
      {"LoadWindow", &GLoadWnd::Create},
      {"ProfilesWindow", &GProfilesWnd::Create},
      {"EnterName", &GEnterNameWnd::Create},
      {"PickSceneWindow", &GPickSceneWnd::Create},
      {"CatapultPanel", &GCatapultPanel::Create},
      {"GPopup", &GPopup::Create},
      {"GVLuaObject", &GVLuaObject::Create},
      {"GNavigatorEntrance", &GNavigatorEntrance::Create},
      {"GVObjectWrapper", &GVObjectWrapper::Create},
      {"GTravelLocation", &GTravelLocation::Create},
      {"GTravelButton", &GTravelButton::Create},
      {"GTravelSelection", &GTravelSelection::Create},
      {"GQuestBookControl", &GQuestBookControl::Create},
      {"GQuestBookItemTick", &GQuestBookItemTick::Create},
      {"GQuestBookTaskTick", &GQuestBookTaskTick::Create},
      {"GCookBook", &GCookBook::Create},
      {"GTutorialWnd", &GTutorialWnd::Create},
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
