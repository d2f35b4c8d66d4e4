#include "GTolvaneWnd.h"

#include "game/GMousePointer.h"
#include "game/OMousePointerManager.h"
#include "sdk/TModalWindow.h"
#include "sdk/TWindowManager.h"
#include "sdk/TWindowStyle.h"
#include "visual/LuaUtils.h"

namespace {
const char* const kWindowName = "TolvWindow";

void SetPointerMode(bool gameMouse) {
  GMousePointer* pointer = GMousePointer::PeekInstance();
  if (pointer && pointer->GetManager()) pointer->GetManager()->SetMode(gameMouse ? 1 : 0);
}
}  // namespace

void GTolvaneWnd::Init(TWindowStyle& style) {
  TWindow::Init(style);
  mGameMouse = style.GetBool("GameMouse", false);
  SetWindowSize(800, 600);
  GMousePointer::GetInstance()->Init(style);
  StartWindowAnimation(16, true, true, false);
}

void GTolvaneWnd::PostChildrenInit(TWindowStyle& style) {
  TWindow::PostChildrenInit(style);
  GMousePointer* pointer = GMousePointer::GetInstance();
  if (TWindow* parent = pointer->GetParent()) parent->OrphanChild(pointer);
  AdoptChild(pointer);
  SetPointerMode(mGameMouse);
}

GTolvaneWnd::~GTolvaneWnd() {
  GMousePointer* pointer = GMousePointer::PeekInstance();
  if (pointer && pointer->GetParent() == this) OrphanChild(pointer);
  TWindowManager* wm = TWindowManager::Peek();
  TModalWindow* top = wm ? wm->GetTopModalWindow() : nullptr;
  GTolvaneWnd* below = top ? WindowCast<GTolvaneWnd>(top->GetChildWindow(kWindowName)) : nullptr;
  // The screen underneath takes the pointer back, in its own pointer mode.
  if (below && below != this && pointer && !IsAncestorOf(below)) {
    if (TWindow* parent = pointer->GetParent()) parent->OrphanChild(pointer);
    below->AdoptChild(pointer);
    SetPointerMode(below->IsGameMouse());
  }
}

bool GTolvaneWnd::OnTaskAnimate() {
  GMousePointer* pointer = GMousePointer::PeekInstance();
  if (pointer && pointer->GetManager()) pointer->GetManager()->Tick();
  TWindowManager::GetInstance()->InvalidateScreen();
  return true;
}

bool GTolvaneWnd::OnMouseMove(const TPoint& point) {
  GMousePointer* pointer = GMousePointer::PeekInstance();
  if (pointer && pointer->GetManager()) pointer->GetManager()->MoveTo(int(point.x), int(point.y));
  TWindowManager::GetInstance()->InvalidateScreen();
  return false;
}
