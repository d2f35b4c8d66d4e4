#pragma once
// The window types that scripts and window styles instantiate by name, in
// the order they are registered at start-up.

#include <vector>

#include "sdk/TWindow.h"

class TWindowManager;

struct WindowType {
  const char* name;
  TWindowFactory factory;
};

const std::vector<WindowType>& GetWindowTypes();
void RegisterWindowTypes(TWindowManager* wm);
