#pragma once
// The game-scene kinds that vary the default inventory scene, by the state
// node's "type": "sleeping", "under_water", "game_over", "vethra" and
// "alchemical_device".

#include "sdk/str.h"

class GFullScreenGameScene;

bool IsSceneVariantType(const str& type);
// A new scene of that kind, or null for any other type.
GFullScreenGameScene* CreateSceneVariant(const str& type);
