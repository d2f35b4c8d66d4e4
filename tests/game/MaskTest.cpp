#include <gtest/gtest.h>

#include <limits>
#include <memory>
#include <string>
#include <vector>

#include "PointerTestUtil.h"
#include "game/GMasksManager.h"
#include "game/GScene.h"
#include "game/OActionMask.h"
#include "game/OFlagsRegistry.h"
#include "game/OItemMask.h"
#include "game/OPanelMask.h"
#include "rules/actions/OActionFactory.h"
#include "rules/actions/OFlagAction.h"
#include "rules/actions/OPassageAction.h"
#include "sdk/TImage.h"
#include "sdk/TReport.h"
#include "sdk/TXmlNode.h"

namespace {

const uint32_t kOpaque = 0xFF000000, kClear = 0x00FFFFFF;

// An image at (x, y) whose pixels are opaque except the listed clear ones.
TImage* MakeImage(int x, int y, int w, int h, std::vector<std::pair<int, int>> clear = {}) {
  std::vector<uint32_t> pixels(size_t(w * h), kOpaque);
  for (auto& p : clear) pixels[size_t(p.first + p.second * w)] = kClear;
  TImage* image = new TImage();
  image->SetTexture(TTexture::FromPixels(w, h, pixels.data()));
  image->SetWindowPos(x, y);
  return image;
}

// Logs its enters, leaves and clicks under its name.
class LoggingMask : public OSimpleMask {
 public:
  LoggingMask(const char* name, TImage* image, std::string* log, bool takes = false)
      : OSimpleMask(name, image, "", nullptr), mLog(log), mTakes(takes) {}
  void OnEnter(const TPoint&) override { *mLog += std::string(mName.c_str()) + ">"; }
  void OnLeave() override { *mLog += std::string(mName.c_str()) + "<"; }
  bool OnClick() override {
    *mLog += std::string(mName.c_str()) + "!";
    return mTakes;
  }

 private:
  std::string* mLog;
  bool mTakes;
};

class RecordingScene : public GScene {
 public:
  void UseHeldItem(const TPoint& point) override { used.push_back(point); }
  std::vector<TPoint> used;
};

class MaskCountingAction : public IAction {
 public:
  explicit MaskCountingAction(int* runs) : mRuns(runs) {}
  void Execute() override { ++*mRuns; }
  void SetOwner(GMasksManager*) override {}

 private:
  int* mRuns;
};

}  // namespace

TEST(Mask, HitTestReadsAlphaInsideTheImageAndItsTexture) {
  OSimpleMask mask("m", MakeImage(10, 20, 4, 3, {{1, 1}}), "", nullptr);
  struct Case {
    float x, y;
    bool hit;
  } cases[] = {
      {10, 20, true},  {13, 22, true},  {11, 21, false},  // a clear pixel
      {14, 20, false}, {10, 23, false},                   // the right and bottom edges are outside
      {9, 20, false},  {10, 19, false}, {9.5f, 20, false}, {-5, -5, false},
  };
  for (const Case& c : cases) EXPECT_EQ(c.hit, mask.HitTest(TPoint(c.x, c.y))) << c.x << "," << c.y;

  // A window larger than its texture hits nothing beyond the texture.
  TImage* wide = MakeImage(0, 0, 2, 2);
  wide->SetWindowSize(50, 50);
  OSimpleMask big("big", wide, "", nullptr);
  EXPECT_TRUE(big.HitTest(TPoint(1, 1)));
  EXPECT_FALSE(big.HitTest(TPoint(2, 1)));
  EXPECT_FALSE(big.HitTest(TPoint(1, 40)));
  EXPECT_FALSE(big.HitTest(TPoint(49, 49)));

  // No texture, or no image at all: never hit.
  TImage* bare = new TImage();
  bare->SetWindowSize(10, 10);
  OSimpleMask empty("empty", bare, "", nullptr);
  EXPECT_FALSE(empty.HitTest(TPoint(1, 1)));
  OSimpleMask none("none", nullptr, "", nullptr);
  EXPECT_FALSE(none.HitTest(TPoint(0, 0)));

  // Layout coordinates at the ends of the int range, points far beyond
  // them: the distance between the two does not fit an int.
  const int kMax = std::numeric_limits<int>::max(), kMin = std::numeric_limits<int>::min();
  const float kNaN = std::numeric_limits<float>::quiet_NaN();
  OSimpleMask right("right", MakeImage(kMax, 0, 4, 3), "", nullptr);
  OSimpleMask top("top", MakeImage(0, kMin, 4, 3), "", nullptr);
  struct FarCase {
    OSimpleMask* mask;
    float x, y;
    bool hit;
  } farCases[] = {
      {&right, float(kMax), 0, true},  // 2^31, its second column
      {&right, 1e10f, 0, false},      {&right, kNaN, 0, false}, {&right, 0, 0, false},
      {&top, 0, float(kMin), true},   {&top, 0, 1e10f, false},  {&top, 0, -1e10f, false},
  };
  for (const FarCase& c : farCases)
    EXPECT_EQ(c.hit, c.mask->HitTest(TPoint(c.x, c.y))) << c.mask->GetName() << " " << c.x << "," << c.y;
}

TEST(Mask, LaterTextureChangesDoNotMoveTheRegion) {
  TImage* image = MakeImage(0, 0, 2, 1);
  OSimpleMask mask("m", image, "", nullptr);
  uint32_t* pixels = nullptr;
  int pitch = 0;
  image->GetTexture()->Lock(&pixels, &pitch);
  pixels[0] = kClear;
  image->GetTexture()->Unlock();
  EXPECT_TRUE(mask.HitTest(TPoint(0, 0)));
}

TEST(MasksManager, HoverFollowsListOrderWithLeaveBeforeEnter) {
  std::string log;
  GMasksManager manager;
  manager.Unblock();
  manager.AddMask(new LoggingMask("a", MakeImage(0, 0, 10, 10, {{5, 5}}), &log));
  manager.AddMask(new LoggingMask("b", MakeImage(5, 5, 10, 10), &log));
  manager.AddMaskFirst(new LoggingMask("front", MakeImage(100, 100, 5, 5), &log));
  EXPECT_EQ("front", manager.GetMasks()[0]->GetName());

  manager.OnPointerMove(TPoint(7, 7));  // both opaque: the earlier wins
  manager.OnPointerMove(TPoint(8, 8));  // within the active mask
  manager.OnPointerMove(TPoint(5, 5));  // clear in a: falls through to b
  manager.OnPointerMove(TPoint(1, 1));
  manager.OnPointerMove(TPoint(50, 50));
  manager.OnPointerMove(TPoint(101, 101));
  EXPECT_EQ("a>a<b>b<a>a<front>", log);
  EXPECT_EQ("front", manager.GetActiveMask()->GetName());
  EXPECT_EQ(manager.FindMask("b"), manager.GetMasks()[2]);
  EXPECT_FALSE(manager.FindMask("c"));
}

TEST(MasksManager, BlockedUntilResumedAndRefreshLooksAgain) {
  std::string log;
  RecordingScene scene;
  GMasksManager manager(&scene);
  EXPECT_TRUE(manager.IsBlocked());
  manager.AddMask(new LoggingMask("a", MakeImage(0, 0, 10, 10), &log, true));
  EXPECT_FALSE(manager.OnPointerMove(TPoint(3, 3)));
  EXPECT_FALSE(manager.OnClick(TPoint(4, 4)));
  EXPECT_EQ("", log);
  EXPECT_TRUE(scene.used.empty());
  manager.Unblock();  // at the last position seen while blocked
  EXPECT_EQ("a>", log);

  EXPECT_TRUE(manager.OnClick(TPoint(4, 4)));
  EXPECT_EQ("a>a!", log);
  EXPECT_TRUE(manager.OnClick(TPoint(40, 40)));  // no mask: the held item is used there
  ASSERT_EQ(1u, scene.used.size());
  EXPECT_FLOAT_EQ(40, scene.used[0].x);
  EXPECT_EQ("a>a!a<", log);

  manager.OnPointerMove(TPoint(2, 2));
  manager.Block();
  EXPECT_EQ("a>a!a<a>a<", log);
  EXPECT_FALSE(manager.GetActiveMask());
  manager.Unblock();
  manager.Refresh();  // forgets the active mask silently and enters it again
  EXPECT_EQ("a>a!a<a>a<a>a>", log);
}

TEST(MasksManager, AClickNoMaskTakesGoesToTheHeldItem) {
  std::string log;
  RecordingScene scene;
  GMasksManager manager(&scene);
  manager.Unblock();
  manager.AddMask(new LoggingMask("a", MakeImage(0, 0, 10, 10), &log, false));
  EXPECT_TRUE(manager.OnClick(TPoint(1, 1)));
  EXPECT_EQ("a>a!", log);
  EXPECT_EQ(1u, scene.used.size());
}

TEST(MasksManager, CreatesMasksByType) {
  GMasksManager manager;
  struct Case {
    const char* xml;
    const char* kind;  // "" none
    int pointerMode;
    bool allowItem;
  } cases[] = {
      {"<m asset='s' caption='c'/>", "simple", 0, true},
      {"<m type='item' asset='i'/>", "item", 0, true},
      {"<m type='panel' asset='p'/>", "panel", 0, true},
      {"<m type='action' asset='x' animation_type='passage' link='hall'/>", "action", 1, true},
      {"<m type='action' asset='x' animation_type='eye' allow_item='false'/>", "action", 2, false},
      {"<m type='action' asset='x' animation_type='get' allow_item='no'/>", "action", 0, true},
      {"<m type='hole' asset='h'/>", "", 0, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.xml);
    TXmlNode node;
    node.ParseString(c.xml);
    TImage* image = MakeImage(0, 0, 1, 1);
    size_t reports = ReportCount();
    std::unique_ptr<IMask> mask(IMask::CreateFromXml(&node, image, &manager));
    std::string kind = !mask                                    ? ""
                       : dynamic_cast<OActionMask*>(mask.get()) ? "action"
                       : dynamic_cast<OItemMask*>(mask.get())   ? "item"
                       : dynamic_cast<OPanelMask*>(mask.get())  ? "panel"
                       : dynamic_cast<OSimpleMask*>(mask.get()) ? "simple"
                                                                : "?";
    EXPECT_EQ(c.kind, kind);
    if (!mask) {
      EXPECT_EQ(reports + 1, ReportCount());
      delete image;  // the caller keeps an image no mask took
      continue;
    }
    EXPECT_EQ(node.GetAttribute("asset"), mask->GetName());
    if (auto* action = dynamic_cast<OActionMask*>(mask.get())) {
      EXPECT_EQ(c.pointerMode, action->GetPointerMode());
      EXPECT_EQ(c.allowItem, action->AllowsItem());
    }
  }
}

TEST(ActionFactory, BuildsPassagesAndVariablesByTheirAttributes) {
  GMasksManager manager;
  struct Case {
    const char* xml;
    const char* kind;
  } cases[] = {
      {"<a link='hall'/>", "passage"},
      {"<a type='action' link='hall' flag_name='f' flag_value='1'/>", "passage"},
      {"<a type='sound' link='hall'/>", "?"},  // the type decides first: a sound, not a passage
      {"<a flag_name='door' flag_value='open'/>", "flag"},
      {"<a flag_name='door' flag_value=''/>", ""},
      {"<a type='whatever'/>", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.xml);
    TXmlNode node;
    node.ParseString(c.xml);
    std::unique_ptr<IAction> action(OActionFactory::CreateAction(&node, &manager));
    std::string kind = !action                                       ? ""
                       : dynamic_cast<OPassageAction*>(action.get()) ? "passage"
                       : dynamic_cast<OFlagAction*>(action.get())    ? "flag"
                                                                     : "?";
    EXPECT_EQ(c.kind, kind);
  }

  TXmlNode flag;
  flag.ParseString("<a flag_name='door' flag_value='open'/>");
  std::unique_ptr<IAction> set(OActionFactory::CreateAction(&flag, &manager));
  set->Execute();
  EXPECT_EQ("open", OFlagsRegistry::GetInstance()->GetValue("door"));
  OFlagsRegistry::DeleteInstance();
}

TEST(ItemMask, PassesEventsOnlyToItsItem) {
  GMasksManager manager;
  manager.Unblock();
  OItemMask* mask = new OItemMask("gem_mask", MakeImage(0, 0, 10, 10), "", &manager);
  manager.AddMask(mask);
  manager.OnPointerMove(TPoint(1, 1));
  EXPECT_FALSE(manager.GetActiveMask());  // no item: inactive
  EXPECT_FALSE(mask->OnClick());
  mask->OnEnter(TPoint(1, 1));
  mask->OnLeave();

  TestItem item("gem");
  mask->SetItem(&item);
  manager.OnPointerMove(TPoint(2, 2));
  EXPECT_EQ(mask, manager.GetActiveMask());
  EXPECT_TRUE(manager.OnClick(TPoint(2, 2)));
  EXPECT_EQ(1, item.clicks);
  item.owns = false;  // not the item's mask in its present state
  manager.OnPointerMove(TPoint(3, 3));
  EXPECT_EQ("enter;leave;", item.log);
  mask->SetItem(nullptr);
}

TEST(ItemMask, ItemsLinkOnlyToItemMasks) {
  GMasksManager manager;
  manager.AddMask(new OSimpleMask("shelf", MakeImage(0, 0, 1, 1), "", &manager));
  OItemMask* gem = new OItemMask("gem", MakeImage(0, 0, 1, 1), "", &manager);
  manager.AddMask(gem);
  EXPECT_TRUE(manager.FindMask("shelf"));
  EXPECT_FALSE(FindItemMask(&manager, "shelf"));
  EXPECT_EQ(gem, FindItemMask(&manager, "gem"));
  EXPECT_FALSE(FindItemMask(&manager, "lamp"));
  EXPECT_FALSE(FindItemMask(nullptr, "gem"));
}

TEST_F(PointerTest, ActionAndPanelMasksSetThePointerAndTakeClicks) {
  RecordingController* r = nullptr;
  GMousePointer* pointer = InitPointer(&r);
  RecordingScene scene;
  GMasksManager manager(&scene);
  manager.Unblock();
  int runs = 0, guarded = 0;
  manager.AddMask(
      new OActionMask("door", MakeImage(0, 0, 10, 10), "", &manager, new MaskCountingAction(&runs), true, 1));
  manager.AddMask(new OActionMask("chest", MakeImage(20, 0, 10, 10), "", &manager,
                                  new MaskCountingAction(&guarded), false, 2));
  manager.AddMask(new OPanelMask("panel", MakeImage(0, 500, 800, 100), &manager));

  manager.OnPointerMove(TPoint(1, 1));
  manager.OnPointerMove(TPoint(21, 1));
  manager.OnPointerMove(TPoint(1, 550));
  manager.OnPointerMove(TPoint(1, 300));
  EXPECT_EQ((std::vector<int>{1, 0, 2, 0, 7, 0}), r->sceneModes);

  int deleted = 0;
  pointer->HoldItem(new TestItem("gem", &deleted));
  EXPECT_TRUE(manager.OnClick(TPoint(1, 1)));
  EXPECT_EQ(1, runs);
  // Taken without running its action, and the held item is not used.
  EXPECT_TRUE(manager.OnClick(TPoint(21, 1)));
  EXPECT_EQ(0, guarded);
  EXPECT_TRUE(manager.OnClick(TPoint(400, 590)));  // the panel stops every click
  EXPECT_TRUE(scene.used.empty());
  pointer->GetManager()->DeleteHeldItem();
  EXPECT_TRUE(manager.OnClick(TPoint(21, 1)));
  EXPECT_EQ(1, guarded);
}
