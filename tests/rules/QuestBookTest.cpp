// Page sheets and the quest book: the turn's geometry and timing, the order
// a book draws its sheets in, the staged building, the content reveal and
// its refresh, and the book's turning rules, open position and cover.

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "game/OFlagsRegistry.h"
#include "game/OGameConfig.h"
#include "items/OItemsRegistry.h"
#include "rules/events/OMissionsManager.h"
#include "rules/questbook/IPagesContainer.h"
#include "rules/questbook/OQuestBookItem.h"
#include "rules/questbook/OQuestBookPage.h"
#include "sdk/TPlatform.h"
#include "sdk/TRenderer.h"
#include "sdk/TReport.h"
#include "sdk/TWindowManager.h"
#include "sdk/TXmlNode.h"

namespace {
// Absolute, whatever path the build gave this file.
str QuestBookFixturesDir() {
  return str(TOLVANE_TEST_FIXTURES) + "/rules/questbook";
}

// A book that hands out effect sprites without scripts and counts what its
// sheets tell it.
class RecordingBook : public IPagesContainer {
 public:
  std::vector<TFxSpriteRef> CreateContentAppearEffects(int x, int y) override {
    return {TFxSprite::Create(0, "")};
  }
  void OnPageTurned() override { ++turned; }
  TFxSpriteRef CreateTurningParticle(int x, int y) override {
    particleMadeAt = TVec2(float(x), float(y));
    particle = TFxSprite::Create(0, "");
    return particle;
  }
  int GetContentAppearTicks() override { return ticks; }

  int turned = 0;
  int ticks = 100;
  TVec2 particleMadeAt;
  TFxSpriteRef particle;
};

class QuestBookTest : public testing::Test {
 protected:
  void SetUp() override {
    static bool opened = TRenderer::GetInstance()->Open(true, false);
    (void)opened;
    mOldRoot = TPlatform::GetContentRoot();
    TPlatform::SetHeadless(true);
    TPlatform::SetContentRoot(QuestBookFixturesDir());
    Reset();
    // The documents the fixture does not name are reported once, here.
    OGameConfig::GetInstance();
  }
  void TearDown() override {
    mSheets.clear();
    Reset();
    TWindowManager::GetInstance()->DeletePending();
    TPlatform::SetContentRoot(mOldRoot);
  }
  static void Reset() {
    OMissionsManager::DestroyInstance();
    OItemsRegistry::DeleteInstance();
    OFlagsRegistry::DeleteInstance();
    OGameConfig::DeleteInstance();
  }
  TXmlNode* Node(const str& text) {
    mNodes.emplace_back(new TXmlNode());
    EXPECT_TRUE(mNodes.back()->ParseString(text));
    return mNodes.back().get();
  }
  // A sheet of 300 by 400 faces, the front at (400, 80) and the back at
  // (100, 80), built at once unless `build` is false.
  OQuestBookPage* Sheet(int ticks, double skew = 0.4, const str& description = "<page/>", bool build = true) {
    mSheets.emplace_back(new OQuestBookPage(&mBook, Node(description), TTexture::Create(300, 400),
                                            TTexture::Create(300, 400), 400, 80, 100, 80));
    OQuestBookPage* sheet = mSheets.back().get();
    sheet->SetTurning(ticks, skew);
    sheet->LoadOffsets();
    sheet->SetTurnState(OQuestBookPage::kFront);
    while (build && !sheet->IsBuilt()) sheet->Animate();
    return sheet;
  }
  // Where the point (px, py) of the face, measured from its centre, is drawn.
  static TVec2 Drawn(const TSpriteRef& face, float px, float py) {
    return face->GetLocalSpec().matrix.Transform(TVec2(px, py));
  }
  static void SetPages(const std::vector<int>& states) {
    OMissionsManager::DestroyInstance();
    for (size_t i = 0; i < states.size(); ++i)
      OMissionsManager::GetInstance()->SetPageState(int(i), states[i]);
  }
  // A book of `pages` sheets without contents, open at `cur`, its cover
  // already seen, made and shown as its scene would.
  std::unique_ptr<OQuestBookItem> Book(int pages, int cur, const str& extra = "") {
    str text = "<quest_book type='basement_quest_book'><turn_cfg num_turning_ticks='4' max_skew='0.4'/>" +
               extra + "<pages>";
    for (int i = 0; i < pages; ++i) text += "<page/>";
    text += "</pages></quest_book>";
    OItemsRegistry::GetInstance()->SetState("book", cur);
    std::unique_ptr<OQuestBookItem> book(
        static_cast<OQuestBookItem*>(OQuestBookItem::CreateFromXml("book", Node(text), nullptr)));
    book->CreateObject();
    return book;
  }

  RecordingBook mBook;
  std::vector<std::unique_ptr<TXmlNode>> mNodes;
  std::vector<std::unique_ptr<OQuestBookPage>> mSheets;
  str mOldRoot;
};
}  // namespace

TEST(QuestBookCurve, CubicBezierYIgnoresTheXCoordinates) {
  struct Case {
    TBezierPoint p0, p1, p2, p3;
    double t, y;
  } cases[] = {
      // The turn's shear: 3 D t (1 - t) for N = 4, D = 0.4.
      {{0, 0}, {0, 0.4}, {4, 0.4}, {4, 0}, 0, 0},
      {{0, 0}, {0, 0.4}, {4, 0.4}, {4, 0}, 0.25, 0.225},
      {{0, 0}, {0, 0.4}, {4, 0.4}, {4, 0}, 0.5, 0.3},
      {{0, 0}, {0, 0.4}, {4, 0.4}, {4, 0}, 1, 0},
      // A general curve: (y0 + 3 y1 + 3 y2 + y3) / 8 half-way, whatever x is.
      {{-7, 1}, {100, 2}, {3, 3}, {0, 4}, 0.5, 2.5},
      {{-7, 1}, {100, 2}, {3, 3}, {0, 4}, 1, 4},
  };
  for (const Case& c : cases) EXPECT_NEAR(c.y, CubicBezierY(c.p0, c.p1, c.p2, c.p3, c.t), 1e-9) << c.t;
}

TEST_F(QuestBookTest, AForwardTurnFoldsTheFrontAndUnfoldsTheBackInNPlusOneTicks) {
  OQuestBookPage* sheet = Sheet(4, 0.4);
  EXPECT_EQ(1, mBook.turned);  // building ended in state 0
  sheet->SetTurnState(OQuestBookPage::kTurningForward);
  EXPECT_EQ(2, mBook.turned);
  // Made at the top corner of the free edge.
  EXPECT_FLOAT_EQ(700, mBook.particleMadeAt.x);
  EXPECT_FLOAT_EQ(80, mBook.particleMadeAt.y);

  // The spine (the front's left edge, the back's right edge) keeps its top
  // at (400, 80); the free edge's top rises by r times the width: 67.5 px
  // at S = 1, where sx = 0.5 and r = 0.225.
  struct Tick {
    int state, step;
    bool front;
    float sx, freeX, freeY, particleX, particleY;
  } ticks[] = {
      {1, 1, true, 0.5f, 550, 12.5f, 550, 12.5f},  {1, 2, false, 0, 400, -10, 400, -10},
      {1, 3, false, 0.5f, 250, 12.5f, 250, 12.5f}, {1, 4, false, 1, 100, 80, 100, 80},
      {2, 4, false, 1, 100, 80, 100, 80},
  };
  for (const Tick& t : ticks) {
    sheet->Animate();
    SCOPED_TRACE(t.step);
    EXPECT_EQ(t.state, sheet->GetTurnState());
    EXPECT_EQ(t.step, sheet->GetStep());
    OQuestBookPage::Side side = t.front ? OQuestBookPage::kFrontFace : OQuestBookPage::kBackFace;
    TSpriteRef face = sheet->GetSprite(side);
    EXPECT_EQ(face, sheet->GetCurrentSprite());
    EXPECT_EQ(t.front, sheet->IsFrontShown());
    EXPECT_FLOAT_EQ(t.sx, face->GetMatrix().m[0][0]);
    float half = t.front ? 150 : -150;
    TVec2 free = Drawn(face, half, -200), spine = Drawn(face, -half, -200);
    EXPECT_NEAR(t.freeX, free.x, 1e-3);
    EXPECT_NEAR(t.freeY, free.y, 1e-3);
    EXPECT_NEAR(400, spine.x, 1e-3);
    EXPECT_NEAR(80, spine.y, 1e-3);
    EXPECT_NEAR(t.particleX, mBook.particle->GetPosition().x, 1e-3);
    EXPECT_NEAR(t.particleY, mBook.particle->GetPosition().y, 1e-3);
  }
  EXPECT_EQ(3, mBook.turned);
  // At rest on the left: the back's centre.
  EXPECT_FLOAT_EQ(250, sheet->GetSprite(OQuestBookPage::kBackFace)->GetPosition().x);
  EXPECT_FLOAT_EQ(280, sheet->GetSprite(OQuestBookPage::kBackFace)->GetPosition().y);

  // And back: made at the back's top-left, five ticks, the front last.
  sheet->SetTurnState(OQuestBookPage::kTurningBack);
  EXPECT_FLOAT_EQ(100, mBook.particleMadeAt.x);
  const int backStates[] = {3, 3, 3, 3, 0};
  const bool backFront[] = {false, false, true, true, true};
  for (int i = 0; i < 5; ++i) {
    sheet->Animate();
    EXPECT_EQ(backStates[i], sheet->GetTurnState()) << i;
    EXPECT_EQ(backFront[i], sheet->IsFrontShown()) << i;
  }
  EXPECT_EQ(5, mBook.turned);
  EXPECT_FLOAT_EQ(550, sheet->GetSprite(OQuestBookPage::kFrontFace)->GetPosition().x);

  // The state it is in again: the face rests, the book is not told.
  sheet->SetTurnState(OQuestBookPage::kFront);
  EXPECT_EQ(5, mBook.turned);
}

TEST_F(QuestBookTest, TurnsOfNoTicksAndOfAnOddNumber) {
  // N = 0: each turn ends on its first tick, without dividing.
  OQuestBookPage* none = Sheet(0);
  none->SetTurnState(OQuestBookPage::kTurningForward);
  none->Animate();
  EXPECT_EQ(OQuestBookPage::kBack, none->GetTurnState());
  none->SetTurnState(OQuestBookPage::kTurningBack);
  none->Animate();
  EXPECT_EQ(OQuestBookPage::kFront, none->GetTurnState());

  // N = 5 (N/2 = 2): the first back-phase tick draws the back mirrored and
  // narrow; six ticks in all.
  OQuestBookPage* odd = Sheet(5);
  odd->SetTurnState(OQuestBookPage::kTurningForward);
  const float sx[] = {0.6f, -0.2f, 0.2f, 0.6f, 1};
  for (int i = 0; i < 5; ++i) {
    odd->Animate();
    EXPECT_EQ(OQuestBookPage::kTurningForward, odd->GetTurnState()) << i;
    EXPECT_NEAR(sx[i], odd->GetCurrentSprite()->GetMatrix().m[0][0], 1e-6) << i;
  }
  odd->Animate();
  EXPECT_EQ(OQuestBookPage::kBack, odd->GetTurnState());
}

TEST_F(QuestBookTest, ASheetBuildsInSevenTicksAndOnlyThenTakesItsState) {
  OQuestBookPage* sheet = Sheet(4, 0.4, "<page/>", false);
  sheet->SetTurnState(OQuestBookPage::kBack);
  for (int i = 0; i < OQuestBookPage::kBuildStages - 1; ++i) sheet->Animate();
  EXPECT_FALSE(sheet->IsBuilt());
  EXPECT_EQ(OQuestBookPage::kUnset, sheet->GetTurnState());
  EXPECT_FALSE(sheet->IsFrontShown());  // where its pending state puts it
  EXPECT_EQ(0, mBook.turned);
  sheet->Animate();
  EXPECT_TRUE(sheet->IsBuilt());
  EXPECT_EQ(OQuestBookPage::kBack, sheet->GetTurnState());
  EXPECT_EQ(1, mBook.turned);
}

TEST_F(QuestBookTest, SheetsAreDrawnLeftStackUpThenRightStackDown) {
  enum Kind { kNone, kFront, kBack, kForwardFront, kForwardBack, kBackwardBack };
  struct Case {
    std::vector<Kind> sheets;
    std::vector<size_t> order;
  } cases[] = {
      {{kFront, kFront, kFront, kFront}, {3, 2, 1, 0}},
      {{kBack, kFront, kFront, kFront}, {0, 3, 2, 1}},
      {{kBack, kBack, kBack, kBack}, {0, 1, 2, 3}},
      // A turning sheet still showing its front comes last of all; once it
      // shows its back, last of the left stack.
      {{kBack, kForwardFront, kFront, kFront}, {0, 3, 2, 1}},
      {{kBack, kForwardBack, kFront, kFront}, {0, 1, 3, 2}},
      {{kBack, kBackwardBack, kFront, kFront}, {0, 1, 3, 2}},
      // Sheets not made yet are left out.
      {{kBack, kNone, kBack, kFront}, {0, 2, 3}},
      {{kNone, kNone, kFront}, {2}},
  };
  for (const Case& c : cases) {
    std::vector<OQuestBookPage*> sheets;
    for (Kind kind : c.sheets) {
      if (kind == kNone) {
        sheets.push_back(nullptr);
        continue;
      }
      OQuestBookPage* sheet = Sheet(4);
      if (kind != kFront) sheet->SetTurnState(kind == kForwardFront || kind == kForwardBack ? 1 : 2);
      if (kind == kBackwardBack) sheet->SetTurnState(OQuestBookPage::kTurningBack);
      if (kind == kForwardFront) sheet->Animate();  // S = 1 of 4
      if (kind == kForwardBack) {
        sheet->Animate();
        sheet->Animate();  // S = 2
      }
      sheets.push_back(sheet);
    }
    EXPECT_EQ(c.order, PageStackOrder(sheets)) << "case " << (&c - cases);
  }
}

TEST_F(QuestBookTest, TheRevealGrowsTheDrawnHeightFromTheTopAndEndsWhole) {
  struct Case {
    int ticks, steps, height, riderY;
    bool running;
  } cases[] = {
      {100, 25, 60, 140, true},  // 240 px over 100 ticks
      {100, 99, 237, 317, true}, {100, 100, 240, 317, false},
      {0, 1, 240, 80, false},  // no ticks: ends on its first step
      {-3, 1, 240, 80, false},
  };
  for (const Case& c : cases) {
    TSpriteRef content = TSprite::Create(1, TTexture::Create(50, 240));
    content->SetPosition(TVec3(-150, -200, 1));
    content->SetVisible(false);
    TFxSpriteRef rider = TFxSprite::Create(0, "");
    rider->SetPosition(TVec3(100, 80, 0));
    OContentAppearEffect effect(content, {rider}, c.ticks, 100, 80);
    effect.SetState(OContentAppearEffect::kRunning);
    EXPECT_TRUE(content->IsVisible());
    EXPECT_EQ(0, content->GetDrawnHeight());
    EXPECT_EQ(50, content->GetDrawnWidth());
    for (int i = 0; i < c.steps; ++i) effect.Step();
    SCOPED_TRACE(str::format("%d ticks, %d steps", c.ticks, c.steps));
    EXPECT_EQ(c.running, effect.GetState() == OContentAppearEffect::kRunning);
    EXPECT_EQ(c.height, content->GetDrawnHeight());
    EXPECT_FLOAT_EQ(float(c.riderY), rider->GetPosition().y);
    EXPECT_FLOAT_EQ(-200, content->GetPosition().y);
  }
  // Without content it ends on its first step.
  OContentAppearEffect empty(TSpriteRef(), {}, 100, 0, 0);
  empty.SetState(OContentAppearEffect::kRunning);
  empty.Step();
  EXPECT_EQ(OContentAppearEffect::kEnded, empty.GetState());
}

TEST_F(QuestBookTest, ContentsAreRenderedOverTheFaceAndAgainAfterATextureLoss) {
  OQuestBookPage* sheet = Sheet(4, 0.4, "<page><front><content file='scripts/page.lua'/></front></page>");
  TSpriteRef content = sheet->GetContentSprite(OQuestBookPage::kFrontFace);
  ASSERT_TRUE(content);
  EXPECT_EQ(sheet->GetSprite(OQuestBookPage::kFrontFace).get(), content->GetParent());
  EXPECT_EQ(300, content->GetTexture()->GetWidth());
  EXPECT_EQ(400, content->GetTexture()->GetHeight());
  // Its top-left corner on the face's top-left corner.
  EXPECT_FLOAT_EQ(-150, content->GetPosition().x);
  EXPECT_FLOAT_EQ(-200, content->GetPosition().y);
  EXPECT_EQ(TDrawSpec::kLeftOrigin | TDrawSpec::kOriginPoint, content->GetDrawFlags());
  EXPECT_FALSE(sheet->GetContentSprite(OQuestBookPage::kBackFace));

  // Half way through a reveal, the platform loses its textures: a new
  // texture, the same part drawn.
  sheet->StartContentAppear();
  for (int i = 0; i < 10; ++i) sheet->Animate();
  ASSERT_EQ(40, content->GetDrawnHeight());
  TTextureRef old = content->GetTexture();
  TRenderer::GetInstance()->LoseTargets();
  EXPECT_NE(old, content->GetTexture());
  EXPECT_EQ(40, content->GetDrawnHeight());
  EXPECT_TRUE(content->IsVisible());
}

TEST_F(QuestBookTest, FacesWithoutContentOrWithoutItsWindowRenderNothing) {
  size_t reports = ReportCount();
  OQuestBookPage* sheet =
      Sheet(4, 0.4, "<page><front><content file='scripts/no_container.lua'/></front></page>");
  EXPECT_EQ(reports + 1, ReportCount());
  EXPECT_TRUE(sheet->IsBuilt());
  EXPECT_FALSE(sheet->GetContentSprite(OQuestBookPage::kFrontFace));
  EXPECT_FALSE(sheet->GetContentSprite(OQuestBookPage::kBackFace));
  EXPECT_TRUE(sheet->GetSprite(OQuestBookPage::kFrontFace)->GetChildren().empty());
  EXPECT_TRUE(sheet->DoTask());
  // A reveal ends on its first tick and leaves the face revealed.
  sheet->SetContentVisible(false, false);
  sheet->StartContentAppear();
  sheet->Animate();
  EXPECT_FALSE(sheet->IsContentAppearing());
  EXPECT_TRUE(sheet->IsContentVisible(OQuestBookPage::kFrontFace));
  EXPECT_FALSE(sheet->IsContentVisible(OQuestBookPage::kBackFace));
}

TEST_F(QuestBookTest, FaceOffsetsReplaceTheDefaultsOnlyWhenGiven) {
  OQuestBookPage* sheet = Sheet(4, 0.4, "<page><front x='' y='12'/><back x='0'/></page>");
  EXPECT_EQ(400, sheet->GetFaceX(OQuestBookPage::kFrontFace));
  EXPECT_EQ(12, sheet->GetFaceY(OQuestBookPage::kFrontFace));
  EXPECT_EQ(0, sheet->GetFaceX(OQuestBookPage::kBackFace));
  EXPECT_EQ(80, sheet->GetFaceY(OQuestBookPage::kBackFace));
}

TEST_F(QuestBookTest, TurningRulesFollowTheOpenSpreadAndTheSheetsAtRest) {
  typedef OQuestBookItem Q;
  enum Setup { kAtRest, kRightAppearing, kLeftAppearing, kRightTurning, kLeftTurningBack, kRevealing };
  struct Case {
    int cur;
    std::vector<int> pages;
    Setup setup;
    Q::Turn forward, backward;
  } cases[] = {
      // The first turn is silent; spread 0 is never returned to.
      {0, {2, 1, 1}, kAtRest, Q::kSilentTurn, Q::kRefused},
      {1, {2, 2, 1}, kAtRest, Q::kDiscoverSound, Q::kRefused},
      {1, {2, 2, 2}, kAtRest, Q::kTurnSound, Q::kRefused},
      // The open spread still unread: nothing turns.
      {2, {2, 2, 1, 2}, kAtRest, Q::kRefused, Q::kRefused},
      // Locked spreads, and the last spread, are not turned to.
      {2, {2, 2, 2}, kAtRest, Q::kRefused, Q::kBackwardsSound},
      {2, {2, 0, 2, 2}, kAtRest, Q::kTurnSound, Q::kRefused},
      {4, {2, 2, 2, 2, 2}, kAtRest, Q::kRefused, Q::kBackwardsSound},
      // Something moving on either page.
      {2, {2, 2, 2, 2}, kRightAppearing, Q::kRefused, Q::kRefused},
      {2, {2, 2, 2, 2}, kLeftAppearing, Q::kRefused, Q::kRefused},
      {2, {2, 2, 2, 2}, kRightTurning, Q::kRefused, Q::kRefused},
      {2, {2, 2, 2, 2}, kLeftTurningBack, Q::kRefused, Q::kRefused},
      {2, {2, 2, 1, 2}, kRevealing, Q::kRefused, Q::kRefused},
  };
  for (const Case& c : cases) {
    SetPages(c.pages);
    OFlagsRegistry::GetInstance()->SetValue(OQuestBookItem::kCoverFlag, "completed");
    std::unique_ptr<OQuestBookItem> book = Book(4, c.cur);
    OQuestBookPage* left = c.cur > 0 ? book->GetSheets()[size_t(c.cur - 1)] : nullptr;
    OQuestBookPage* right = c.cur < 4 ? book->GetSheets()[size_t(c.cur)] : nullptr;
    switch (c.setup) {
      case kRightAppearing:
        right->StartContentAppear();
        break;
      case kLeftAppearing:
        left->StartContentAppear();
        break;
      case kRightTurning:
        right->SetTurnState(OQuestBookPage::kTurningForward);
        break;
      case kLeftTurningBack:
        left->SetTurnState(OQuestBookPage::kTurningBack);
        break;
      case kRevealing:
        book->Update();
        EXPECT_TRUE(book->IsBusy());
        EXPECT_EQ(2, OMissionsManager::GetInstance()->GetPageState(c.cur));
        break;
      default:
        break;
    }
    SCOPED_TRACE(str::format("case %d", int(&c - cases)));
    EXPECT_EQ(c.forward, book->ForwardTurn());
    EXPECT_EQ(c.backward, book->BackwardTurn());
  }
}

TEST_F(QuestBookTest, TheOpenPositionFromSaveDataIsKeptWithinTheBook) {
  struct Case {
    bool stored;
    int value, cur;
    bool reported;
  } cases[] = {{false, 0, 0, false},
               {true, 2, 2, false},
               {true, 3, 3, false},
               {true, 9, 3, true},
               {true, -2, 0, true}};
  for (const Case& c : cases) {
    OItemsRegistry::GetInstance()->Clear();
    if (c.stored) OItemsRegistry::GetInstance()->SetState("book", c.value);
    size_t reports = ReportCount();
    std::unique_ptr<IItem> book(OQuestBookItem::CreateFromXml(
        "book", Node("<quest_book><pages><a/><b/><c/></pages></quest_book>"), nullptr));
    EXPECT_EQ(c.cur, static_cast<OQuestBookItem*>(book.get())->GetCur()) << c.value;
    EXPECT_EQ(c.reported, ReportCount() > reports) << c.value;
  }
}

TEST_F(QuestBookTest, ACoverThatCannotBeMadeLeavesTheBookFreeToTurn) {
  SetPages({2, 1});
  size_t reports = ReportCount();
  std::unique_ptr<OQuestBookItem> book = Book(2, 0, "<cover_anim name='nowhere' x='1' y='2'/>");
  EXPECT_GT(ReportCount(), reports);
  EXPECT_EQ(nullptr, book->GetCover());
  EXPECT_TRUE(book->IsCoverCompleted());
  // Counted completed for this visit only.
  EXPECT_EQ("null", OFlagsRegistry::GetInstance()->GetValue(OQuestBookItem::kCoverFlag));
  book->Update();
  EXPECT_EQ(1, book->GetCur());
  EXPECT_EQ(OQuestBookPage::kTurningForward, book->GetSheets()[0]->GetTurnState());
}
