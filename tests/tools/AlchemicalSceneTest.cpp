// The alchemical device's scene on the game panel.

#include "PanelTestUtil.h"
#include "items/OItemsManager.h"
#include "tools/alchemy/GAlchemicalDeviceGameScene.h"

namespace {

bool Shown(GGamePanel* panel, const char* name) {
  TWindow* child = panel->GetNamedChild(name);
  return child && child->GetParent() == panel;
}

TEST_F(BuiltPanelTest, ASceneWithoutItsDeviceGreysDoneAndItsButtonsDoNothing) {
  GAlchemicalDeviceGameScene scene;
  scene.AttachPanel(mPanel.get());
  EXPECT_TRUE(Shown(mPanel.get(), "btn_done"));  // the kind's own choice, until the items arrive
  scene.SetItemsManager(new OItemsManager(&scene));
  EXPECT_EQ(scene.GetDevice(), nullptr);
  EXPECT_TRUE(Shown(mPanel.get(), "img_done_disabled"));
  EXPECT_FALSE(Shown(mPanel.get(), "btn_done"));
  EXPECT_FALSE(Shown(mPanel.get(), "btn_clear"));
  // Nothing to brew in: both buttons are ignored.
  scene.OnDoneClick();
  scene.OnClearClick();
  scene.GetPanelLayer()->OrphanChild(mPanel.get());
}

}  // namespace
