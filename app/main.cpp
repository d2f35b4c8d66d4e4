// The process entry. The game reads no command line; the platform layer may
// read environment variables for paths and headless runs.

#include "game/GStartup.h"
#include "sdk/TPlatform.h"

int main() {
  ConfigurePlatform();
  return PlatformExec(&TolvaneMainCallback);
}
