// The popup queue: texts shown one at a time in the current scene's layer.

#include <gtest/gtest.h>

#include "ShellTestUtil.h"
#include "game/GPopup.h"
#include "game/GWindowTypes.h"
#include "game/OPopupQueue.h"
#include "sdk/TText.h"
#include "sdk/TWindowManager.h"

namespace {
class PopupTest : public ShellTest {
 protected:
  void SetUp() override {
    ShellTest::SetUp();
    TWindowManager* wm = TWindowManager::GetInstance();
    if (!wm->HasWindowType("GPopup")) RegisterWindowTypes(wm);
    queue = OPopupQueue::GetInstance();
  }
  void TearDown() override {
    OPopupQueue::DeleteInstance();
    TWindowManager::GetInstance()->DeletePending();
    ShellTest::TearDown();
  }
  // What one update leaves on show: the text, or "" when hidden.
  str Shown(TWindow* layer) {
    queue->Update();
    GPopup* popup = queue->GetPopup();
    if (popup->GetParent() != layer || popup->GetState() != GPopup::kShown) return "";
    return popup->GetTextWindow()->GetText();
  }
  OPopupQueue* queue = nullptr;
};
}  // namespace

TEST_F(PopupTest, TextsShowOneAfterAnotherInPushOrder) {
  ASSERT_NE(queue->GetPopup(), nullptr);
  EXPECT_EQ(queue->GetPopup()->GetStayTicks(), 3);
  EXPECT_EQ(queue->GetPopup()->GetParent(), nullptr);
  TWindow layer;
  queue->SetParentLayer(&layer);
  queue->Push("one");
  queue->Push("two");
  queue->Push("one");  // the same text twice is shown twice
  std::vector<str> seen;
  for (int i = 0; i < 13; ++i) seen.push_back(Shown(&layer));
  // Taken and counted 1, shown while the count is 1..3, hidden when it
  // reaches 4; the next is taken on the following update.
  EXPECT_EQ(seen, (std::vector<str>{"one", "one", "one", "", "two", "two", "two", "", "one", "one", "one", "",
                                    ""}));
  EXPECT_TRUE(queue->GetPending().empty());
  EXPECT_TRUE(layer.GetChildren().empty());
}

TEST_F(PopupTest, ANewLayerTakesTheShownPopupWithoutRestartingItsCount) {
  TWindow first, second;
  queue->SetParentLayer(&first);
  queue->Push("saved");
  EXPECT_EQ(Shown(&first), "saved");
  EXPECT_EQ(Shown(&first), "saved");
  queue->SetParentLayer(&second);
  EXPECT_EQ(queue->GetPopup()->GetParent(), &second);
  EXPECT_EQ(Shown(&second), "saved");
  EXPECT_EQ(Shown(&second), "");
  // A scene that goes away leaves no popup in its layer, and the scene that
  // comes next takes it up.
  queue->Push("again");
  EXPECT_EQ(Shown(&second), "again");
  queue->SetParentLayer(nullptr);
  EXPECT_EQ(queue->GetPopup()->GetParent(), nullptr);
  TWindow third;
  queue->SetParentLayer(&third);
  EXPECT_EQ(Shown(&third), "again");
  EXPECT_EQ(Shown(&third), "again");
  EXPECT_EQ(Shown(&third), "");
}

TEST_F(PopupTest, TextsPushedWithoutALayerAreCountedButNotShown) {
  queue->Push("lost");
  queue->Update();
  EXPECT_EQ(queue->GetPopup()->GetState(), GPopup::kShown);
  EXPECT_EQ(queue->GetPopup()->GetParent(), nullptr);
  for (int i = 0; i < 3; ++i) queue->Update();
  EXPECT_EQ(queue->GetPopup()->GetState(), GPopup::kHidden);
}
