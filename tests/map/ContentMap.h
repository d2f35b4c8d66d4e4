#pragma once
// The map of a content tree as a player meets it: every scene of every world,
// the ways out of each scene state, and where they lead. A way is what the
// player can click or cast, or what the scene does by itself: passages (an
// action mask's link, any item whose actions change the scene), the panel's
// arrows, the mini-games' exits, the quest-book button, the navigator's
// worlds, the Vethra map, waking from a sleep, and the hazards whose time
// runs out into a scene. The tree is read through the game's own readers, so
// it is read as the game reads it.

#include <vector>

#include "sdk/str.h"

// What is wrong with the content tree under the current content root, one
// line each: a listed scene that cannot be reached from the start of the
// game, a scene state that cannot be left (no way at all, or ways only under
// the panel or another mask), a way that leads to a scene its world does not
// list. Empty when nothing is. Needs the renderer open and the window types
// registered (the travel selections are built from their scripts); makes and
// leaves behind the game's shared objects.
std::vector<str> CheckContentMap();
