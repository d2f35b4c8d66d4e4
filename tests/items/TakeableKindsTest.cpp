// Takeable kinds beyond the simple item: the note, read large from the
// hand with its text rendered from a script, and the flag items that mirror
// their place into a variable.

#include <cmath>

#include "ItemsTestUtil.h"
#include "game/OMousePointerManager.h"
#include "items/OFlagItem.h"
#include "items/OItemFactory.h"
#include "items/ONoteItem.h"
#include "sdk/TReport.h"
#include "sdk/TScript.h"
#include "sdk/TWindowManager.h"

namespace {
class TakeableKindsTest : public ItemsTest {
 protected:
  void SetUp() override {
    ItemsTest::SetUp();
    pointer = ReadyPointer()->GetManager();
  }
  void TearDown() override {
    // The items go while the shared objects they reach still exist.
    manager.Clear();
    GMousePointer::DestroyInstance();
    ItemsTest::TearDown();
  }
  IItem* Make(IItem* item) {
    EXPECT_NE(item, nullptr);
    if (item) item->CreateObject();
    return item;
  }
  static str Flag(const str& name) { return OFlagsRegistry::GetInstance()->GetValue(name); }

  RecordingItemsManager manager;
  OMousePointerManager* pointer = nullptr;
};

TEST_F(TakeableKindsTest, ANoteOpensLargeOnlyFromTheHand) {
  ONoteItem* page = static_cast<ONoteItem*>(Make(OItemFactory::CreateForScene("page", &manager)));
  manager.AddItem(page);
  EXPECT_TRUE(page->Use(TPoint()));
  EXPECT_EQ(page->GetLargeMode(), 0) << "lying in the scene it is not read";

  manager.RemoveItem(page);
  page->MoveToPointer();
  ASSERT_EQ(pointer->GetHeldItem(), page);
  size_t events = Events().size();
  EXPECT_TRUE(page->Use(TPoint()));
  EXPECT_EQ(page->GetLargeMode(), 1);
  EXPECT_EQ(pointer->GetHeldItem(), nullptr) << "the hand lets it go";
  EXPECT_EQ(page->GetObject()->deltaX, 390) << "its 20 by 10 frame centred on (400, 240)";
  EXPECT_EQ(page->GetObject()->deltaY, 235);
  ASSERT_GT(Events().size(), events);
  EXPECT_EQ(Events()[events], "note_read page");

  page->Use(TPoint());
  EXPECT_EQ(page->GetLargeMode(), 0);
  EXPECT_EQ(page->GetMainObject()->GetState().ToStr(), "stPointer");
  EXPECT_EQ(pointer->GetHeldItem(), page) << "back in the hand, which owns it again";
}

TEST_F(TakeableKindsTest, TheTextIsRenderedTurnedAndRenderedAgainWhenTexturesAreLost) {
  std::unique_ptr<IItem> page(OItemFactory::CreateForPointer("page", &manager));
  TSpriteRef sprite = static_cast<ONoteItem*>(page.get())->GetTextSprite();
  ASSERT_TRUE(sprite);
  ASSERT_TRUE(sprite->GetTexture());
  EXPECT_EQ(sprite->GetTexture()->GetWidth(), 20) << "the script's window \"window\"";
  EXPECT_EQ(sprite->GetPosition().x, 5);
  EXPECT_EQ(sprite->GetPosition().y, 6);
  EXPECT_EQ(sprite->GetDrawFlags(), 8);
  // 90 degrees turn by 1.57 radians, not by pi / 2.
  EXPECT_NEAR(sprite->GetMatrix().m[0][0], std::cos(1.57f), 1e-6);

  ONoteItem* note = static_cast<ONoteItem*>(page.get());
  TTextureRef before = sprite->GetTexture();
  EXPECT_TRUE(note->DoTask());
  EXPECT_NE(sprite->GetTexture(), before);
  EXPECT_EQ(sprite->GetTexture()->GetWidth(), 20);

  // A script that no longer makes its window leaves no text, not a stale one.
  TScript* script = TWindowManager::GetInstance()->GetScript();
  script->DoLuaString("TextGone = true", 0);
  EXPECT_TRUE(note->DoTask());
  script->DoLuaString("TextGone = nil", 0);
  EXPECT_FALSE(note->GetTextSprite());
}

TEST_F(TakeableKindsTest, AScriptWithoutItsWindowGivesNoTextNowOrAfterARefresh) {
  size_t reported = ReportCount();
  std::unique_ptr<IItem> blank(OItemFactory::CreateForPointer("blank", &manager));
  std::unique_ptr<IItem> plaque(OItemFactory::CreateForScene("plaque", &manager));
  ASSERT_TRUE(blank && plaque);
  EXPECT_EQ(ReportCount(), reported + 2);
  ONoteItem* note = static_cast<ONoteItem*>(blank.get());
  OSceneTextItem* text = static_cast<OSceneTextItem*>(plaque.get());
  EXPECT_FALSE(note->GetTextSprite());
  EXPECT_FALSE(text->GetTextSprite());
  EXPECT_TRUE(note->DoTask());
  EXPECT_TRUE(text->DoTask());
  EXPECT_FALSE(note->GetTextSprite());
  EXPECT_FALSE(text->GetTextSprite());
  note->SetLarge(1);
  note->Draw();
  text->Draw();
}

TEST_F(TakeableKindsTest, FlagItemsMirrorTheirPlace) {
  OFlagItem* banner = static_cast<OFlagItem*>(Make(OItemFactory::CreateForScene("banner", &manager)));
  manager.AddItem(banner);
  EXPECT_EQ(Flag("banner_here"), "null");
  banner->OnSceneStart();
  EXPECT_EQ(Flag("banner_here"), "true");
  banner->ReleaseSceneLinks();
  EXPECT_EQ(Flag("banner_here"), "true") << "the items outlive the scene";
  banner->ReleaseMask();
  EXPECT_EQ(Flag("banner_here"), "false") << "dropped with the scene";

  struct Case {
    int32_t place;
    const char* value;
  } cases[] = {{ItemPlace::stScene, "true"},
               {ItemPlace::stInventory, "false"},
               {ItemPlace::stDropped, "false"},
               {ItemPlace::stScene, "true"}};
  std::unique_ptr<IItem> vase(OItemFactory::CreateForInventory("vase", &manager));
  OSceneFlagItem* flagged = static_cast<OSceneFlagItem*>(vase.get());
  flagged->CreateObject();
  EXPECT_EQ(Flag("vase_here"), "false") << "made for the inventory";
  for (const Case& c : cases) {
    flagged->SetPlace(c.place);
    EXPECT_EQ(Flag("vase_here"), c.value) << c.place;
  }
  flagged->Detach();
}
}  // namespace
