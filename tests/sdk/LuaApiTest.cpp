// The globals content scripts call: building windows, modals and dialogs, the
// quit message and the string table, reading and changing windows by name;
// and button commands run from clicks.

#include <gtest/gtest.h>

#include "LuaTestWindows.h"
#include "sdk/TButton.h"
#include "sdk/TPlatform.h"
#include "sdk/TReport.h"
#include "sdk/TStringTable.h"
#include "sdk/TText.h"

using LuaApi = WindowTreeTest;

TEST_F(LuaApi, WindowBuildsANamedTreeAtTheRightPlaces) {
  ASSERT_TRUE(wm->RunScript(root, "scripts/tree.lua"));
  TWindow* panel = root->GetChildWindow("panel", 1);
  ASSERT_TRUE(panel);
  TWindow* deep = root->GetChildWindow("deep");
  ASSERT_TRUE(deep);
  EXPECT_EQ(deep->GetParent()->GetName(), "box");
  EXPECT_EQ(deep->GetParent()->GetParent(), panel);
  EXPECT_EQ(deep->GetWindowRect(), TRect(41, 62, 101, 82));
  EXPECT_TRUE(As<TText>(deep));
  EXPECT_EQ(As<TText>(deep)->GetText(), "deep");
  TButton* ok = As<TButton>(root->GetChildWindow("ok"));
  ASSERT_TRUE(ok);
  EXPECT_EQ(ok->GetLabel(), "OK");
  EXPECT_EQ(ok->GetWindowRect(), TRect(15, 26, 95, 50));

  // Window gives back the name; a type nobody registered gives nothing and one line.
  ASSERT_TRUE(wm->DoLuaString(root, "made = Window{type = 'TWindow', name = 'x'}"));
  EXPECT_EQ(LuaString("made"), "x");
  const size_t before = ReportCount();
  testing::internal::CaptureStderr();
  EXPECT_TRUE(wm->DoLuaString(root, "made = Window{type = 'NoSuchType', name = 'y'}"));
  EXPECT_FALSE(wm->DoLuaString(root, "Window(5)"));
  std::string err = testing::internal::GetCapturedStderr();
  EXPECT_EQ(LuaString("made"), "<nil>");
  EXPECT_EQ(ReportCount(), before + 2);
  EXPECT_NE(err.find("tolvane: lua:1: Window expects a table"), std::string::npos) << err;
}

TEST_F(LuaApi, APlainWindowWithNoModalToHoldItIsDropped) {
  wm->PopModal(root);
  wm->DeletePending();
  const size_t before = ReportCount();
  testing::internal::CaptureStderr();
  EXPECT_TRUE(wm->DoLuaString(nullptr, "made = Window{type = 'TWindow', name = 'stray'}"));
  testing::internal::GetCapturedStderr();
  EXPECT_EQ(ReportCount(), before + 1);
  EXPECT_EQ(LuaString("made"), "<nil>");
  // A modal window needs no parent: it becomes the root of the stack.
  EXPECT_TRUE(wm->DoLuaString(nullptr, "made = Window{type = 'TModalWindow', name = 'newroot'}"));
  EXPECT_EQ(LuaString("made"), "newroot");
  root = wm->GetTopModalWindow();
  ASSERT_TRUE(root);
  EXPECT_EQ(root->GetName(), "newroot");
}

TEST_F(LuaApi, ButtonClickBubblesItsMessageThenRunsItsCommand) {
  ASSERT_TRUE(wm->DoLuaString(root, R"(
    order = ''
    Window{type = 'MessageCatcher', name = 'catcher', x = 100, y = 100, w = 200, h = 200,
      {type = 'TWindow', name = 'inner', w = 200, h = 200,
        {type = 'TButton', name = 'go', x = 10, y = 10, w = 50, h = 20,
          command = function() clicks = (clicks or 0) + 1 end}}})"));
  auto* catcher = As<TMessageCatcher>(root->GetChildWindow("catcher"));
  ASSERT_TRUE(catcher);

  Click(115, 115);
  EXPECT_EQ(LuaNumber("clicks"), 1);
  ASSERT_EQ(catcher->kinds.size(), 1u);
  EXPECT_EQ(catcher->kinds[0], int(TMessage::kButtonPressed));
  EXPECT_EQ(catcher->senders[0], "go");

  // Pressed inside, released outside: no click; and a later release over
  // the button without a press of its own does not click either.
  Press(115, 115);
  Release(250, 250);
  Release(115, 115);
  EXPECT_EQ(LuaNumber("clicks"), 1);
  EXPECT_EQ(catcher->kinds.size(), 1u);
  EXPECT_EQ(As<TButton>(root->GetChildWindow("go"))->GetState(), int(TButton::kHover));
}

TEST_F(LuaApi, AFailingCommandIsReportedAndTheNextClickStillRuns) {
  ASSERT_TRUE(wm->DoLuaString(root, R"(
    Window{type = 'TButton', name = 'bad', x = 10, y = 10, w = 50, h = 20,
      command = function() tries = (tries or 0) + 1; error('broken') end})"));
  const size_t before = ReportCount();
  testing::internal::CaptureStderr();
  Click(20, 20);
  Click(20, 20);
  std::string err = testing::internal::GetCapturedStderr();
  EXPECT_EQ(LuaNumber("tries"), 2);
  EXPECT_EQ(ReportCount(), before + 2);
  EXPECT_NE(err.find("tolvane: lua:3: broken"), std::string::npos) << err;
  EXPECT_TRUE(wm->DoLuaString(root, "after = 1"));
}

namespace {
// Deletes the button whose message reaches it, as a window rebuilding its
// controls would.
class Demolisher : public TWindow {
  TWINDOW_CLASS(Demolisher, TWindow)
 public:
  bool OnMessage(const TMessage& m) override {
    if (m.sender && m.sender->GetParent() == this) {
      OrphanChild(m.sender);
      delete m.sender;
    }
    return true;
  }
};
}  // namespace

TEST_F(LuaApi, AButtonDeletedByItsMessageHandlerStillRunsItsCommand) {
  wm->AddWindowType("Demolisher", &Demolisher::Create);
  ASSERT_TRUE(wm->DoLuaString(root, R"(
    Window{type = 'Demolisher', name = 'd', w = 800, h = 600,
      {type = 'TButton', name = 'doomed', x = 10, y = 10, w = 50, h = 20,
        command = function() ran = true end}})"));
  Click(20, 20);
  EXPECT_FALSE(root->GetChildWindow("doomed"));
  lua_getfield(L, LUA_GLOBALSINDEX, "ran");
  EXPECT_TRUE(lua_toboolean(L, -1));
  lua_pop(L, 1);
}

TEST_F(LuaApi, DoModalPushesTheScriptsModalAndCloseWindowPopsIt) {
  // Run from inside a window, as a game window opens its pause menu.
  ASSERT_TRUE(wm->DoLuaString(root, "Window{type = 'TWindow', name = 'game', w = 800, h = 600}"));
  ASSERT_TRUE(wm->DoLuaString(root->GetChildWindow("game"), "DoModal('scripts/modal.lua')"));
  ASSERT_EQ(TopName(), "extra");
  EXPECT_EQ(wm->GetModalStack().size(), 2u);
  EXPECT_EQ(wm->GetTopModalWindow()->GetParent(), root);
  EXPECT_TRUE(wm->GetTopModalWindow()->GetChildWindow("close"));

  Click(110, 110);  // the modal's button runs CloseWindow()
  EXPECT_EQ(TopName(), "root");

  ASSERT_TRUE(wm->DoLuaString(root, "DoModal('scripts/modal.lua')"));
  ASSERT_EQ(TopName(), "extra");
  ASSERT_TRUE(wm->DoLuaString(root, "PopModal('nothing') PopModal('extra')"));
  EXPECT_EQ(TopName(), "root");

  // A plain window built at top level by a dialog script joins the top modal.
  ASSERT_TRUE(wm->DoLuaString(root, "DoModal('scripts/tree.lua')"));
  EXPECT_EQ(TopName(), "root");
  EXPECT_TRUE(root->GetChildWindow("panel", 1));
}

TEST_F(LuaApi, DisplayDialogRunsTheYesFunctionOfItsOwnDialog) {
  TStringTable* strings = TPlatform::GetInstance()->GetStringTable();
  strings->Set("quittitle", "Leave the game?");
  ASSERT_TRUE(wm->DoLuaString(root, R"(
    DisplayDialog{'scripts/yesno.lua', title = 'quittitle', body = 'sure',
                  yes = function() answers = (answers or '') .. 'first ' end})"));
  ASSERT_EQ(TopName(), "yesno");
  TModalWindow* first = wm->GetTopModalWindow();
  EXPECT_EQ(As<TText>(first->GetChildWindow("dialog_title"))->GetText(), "Leave the game?");
  EXPECT_EQ(As<TText>(first->GetChildWindow("dialog_body"))->GetText(), "sure");

  // A second dialog over the first, with its own yes.
  ASSERT_TRUE(wm->DoLuaString(root, R"(
    DisplayDialog{path = 'scripts/yesno.lua',
                  yes = function() answers = (answers or '') .. 'second ' end})"));
  ASSERT_EQ(wm->GetModalStack().size(), 3u);
  Click(290, 330);  // yes of the second
  EXPECT_EQ(LuaString("answers"), "second ");
  EXPECT_EQ(wm->GetTopModalWindow(), first);
  Click(290, 330);  // yes of the first
  EXPECT_EQ(LuaString("answers"), "second first ");
  EXPECT_EQ(TopName(), "root");

  // "no" closes and answers nothing; a dialog without yes has a working yes.
  ASSERT_TRUE(
      wm->DoLuaString(root, "DisplayDialog{'scripts/yesno.lua', yes = function() answers = 'x' end}"));
  Click(430, 330);
  ASSERT_TRUE(wm->DoLuaString(root, "DisplayDialog{'scripts/yesno.lua'}"));
  Click(290, 330);
  EXPECT_EQ(TopName(), "root");
  EXPECT_EQ(LuaString("answers"), "second first ");
}

TEST_F(LuaApi, SendGameMessageQueuesQuitAndGetStringFormats) {
  TPlatform* platform = TPlatform::GetInstance();
  ASSERT_TRUE(wm->DoLuaString(root, "SendGameMessage('quit')"));
  TEvent marker;
  marker.type = 77;
  platform->QueueEvent(marker);
  TEvent e;
  ASSERT_TRUE(platform->GetEvent(e));
  EXPECT_EQ(e.type, uint32_t(TEvent::kQuit));
  ASSERT_TRUE(platform->GetEvent(e));
  EXPECT_EQ(e.type, 77u);

  const size_t before = ReportCount();
  testing::internal::CaptureStderr();
  EXPECT_TRUE(wm->DoLuaString(root, "SendGameMessage('dance')"));
  testing::internal::GetCapturedStderr();
  EXPECT_EQ(ReportCount(), before + 1);

  platform->GetStringTable()->Set("welcome", "Welcome, %s! Level %d");
  ASSERT_TRUE(wm->DoLuaString(root, "w = GetString('welcome', 'Ann', 3) u = GetString('no_such_key')"));
  EXPECT_EQ(LuaString("w"), "Welcome, Ann! Level 3");
  EXPECT_EQ(LuaString("u"), "no_such_key");
}

TEST_F(LuaApi, WindowsAreReadWrittenAndShownByName) {
  ASSERT_TRUE(wm->RunScript(root, "scripts/tree.lua"));
  ASSERT_TRUE(wm->DoLuaString(
      root, "t = GetText('deep') b = GetText('ok') p = GetText('panel') n = GetText('nowhere')"));
  EXPECT_EQ(LuaString("t"), "deep");
  EXPECT_EQ(LuaString("b"), "OK");  // a button's label
  EXPECT_EQ(LuaString("p"), "<nil>");
  EXPECT_EQ(LuaString("n"), "<nil>");

  TWindow* panel = root->GetChildWindow("panel");
  const size_t before = ReportCount();
  testing::internal::CaptureStderr();
  ASSERT_TRUE(
      wm->DoLuaString(root, "SetText('deep', 'shallow') SetText('ok', 'No') ShowWindow('panel', false)"));
  EXPECT_EQ(As<TText>(root->GetChildWindow("deep"))->GetText(), "shallow");
  EXPECT_EQ(As<TButton>(root->GetChildWindow("ok"))->GetLabel(), "OK") << "a button is no text window";
  EXPECT_FALSE(panel->IsShown());
  ASSERT_TRUE(wm->DoLuaString(root, "ShowWindow('panel', true) ShowWindow('nowhere', true)"));
  testing::internal::GetCapturedStderr();
  EXPECT_TRUE(panel->IsShown());
  EXPECT_EQ(ReportCount(), before + 2);
}
