// The items guide's entries are found the same way by everyone who looks an
// item up, whether the guide is the document's root or a child of it.

#include <gtest/gtest.h>

#include "StartupTestUtil.h"
#include "items/OItemFactory.h"

namespace {
class ItemsGuideTest : public StartupTest {
 protected:
  void SetUp() override {}  // each case picks its own content root
};
}  // namespace

TEST_F(ItemsGuideTest, ItemsAndTheirSoundsAreFoundWhereverTheGuideSits) {
  const str fixtures = StartupFixturesDir() + "/..";
  const char* roots[] = {"/startup", "/items_guide_nested"};  // root element, then a child of <data>
  for (const char* root : roots) {
    UseRoot(fixtures + root);
    EXPECT_NE(OItemFactory::FindGuideNode("lamp"), nullptr) << root;
    EXPECT_EQ(OItemFactory::FindGuideNode("no_such_item"), nullptr) << root;
    OSoundManager* sounds = OSoundManager::GetInstance();
    EXPECT_EQ(sounds->ResolveItemSound("lamp", "get", "simple_item_get"), "sounds/a.wav") << root;
    EXPECT_EQ(sounds->ResolveItemSound("no_such_item", "get", "simple_item_get"), "sounds/b.wav") << root;
    TearDown();
  }
}
