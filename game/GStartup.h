#pragma once
// The game's entry: configures the platform before it opens, and the main
// callback the platform runs once it has.

#include "sdk/TPlatform.h"

void ConfigurePlatform();
void TolvaneMainCallback(TPlatform* platform, const str& commandLine);
