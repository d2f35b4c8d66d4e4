#pragma once
// The game's spine: the platform configuration set before the platform
// opens, the main callback that starts the game, the main loop that takes
// events until the quit event, and the shut-down that deletes the shared
// objects in a fixed order.

#include <functional>

#include "sdk/TPlatform.h"

class TWindow;

void ConfigurePlatform();
void TolvaneMainCallback(TPlatform* platform, const str& commandLine);
void RunMainLoop(TPlatform* platform);

// The shut-down order. The owners of the game window, the mouse pointer and
// the save data hand in theirs; the configuration, sound and users objects
// are deleted here. A step with nothing handed in is skipped.
enum ShutdownStep {
  kShutdownGameWindow,
  kShutdownMousePointer,
  kShutdownConfig,
  kShutdownSound,
  kShutdownSaveData,
  kShutdownUsers,
  kShutdownStepCount
};
// For the save data: `fn` deletes it and clears its singleton pointer.
void SetShutdownStep(ShutdownStep step, std::function<void()> fn);
// For the game window and the mouse pointer: `take` gives up the window
// (clearing the owner's pointer to it) or returns null; the main loop orphans
// it from its parent and then deletes it, so the tree never holds a freed
// window.
void SetShutdownWindow(ShutdownStep step, std::function<TWindow*()> take);

// Runs on a close request unless the quit dialog ("yesnobox") is already on
// top, after "scripts/quitverify.lua": the game window records whether its
// scene was paused and pauses it.
void SetCloseRequestHandler(std::function<void()> fn);
