#pragma once
// What every fuzz target shares: the game booted headless for one input at
// a time, on its own copy of a content tree (a target may swap one of its
// files for the input) and an empty preferences folder, with every shared
// object the game keeps between runs deleted afterwards, so that no input
// sees what the one before it left behind.

#include <cstddef>
#include <cstdint>
#include <functional>

#include "sdk/str.h"

class GGameWnd;

namespace fuzz {

// Once per process, before the first input: the environment, the content
// copy and the preferences folder. Later calls do nothing.
void Boot();

// The folders Boot made.
const str& ContentRoot();
const str& PrefsFolder();

// Empties the preferences folder.
void ClearPrefs();

// Replaces the file `relative` of the content copy with `bytes` for the
// object's life, then puts the original back (or removes the file when there
// was none).
class SwappedFile {
 public:
  SwappedFile(const str& relative, const uint8_t* data, size_t size);
  ~SwappedFile();
  SwappedFile(const SwappedFile&) = delete;
  SwappedFile& operator=(const SwappedFile&) = delete;

 private:
  str mPath;
  str mOriginal;
  bool mExisted = false;
};

// Empties the preferences folder and makes one player, the current one,
// whose save data is `save`.
void MakePlayer(const str& save);

// Deletes every shared object a run of the game leaves behind.
void ResetShared();

// Starts the game as the player starts it (the main script, the main menu),
// runs `body` at the main loop's first step, then quits and shuts the game
// down, and deletes every shared object the shut-down keeps.
void PlayOnce(const std::function<void()>& body);

// From the main menu: the game's screen as the menu opens it, or null.
GGameWnd* OpenGameScreen();

// `n` heartbeats of the game window alone: its scene changes and its
// scene's animations, without drawing frames.
void Beat(GGameWnd* game, int n);

// The text as a string; the input may hold any bytes.
inline str Text(const uint8_t* data, size_t size) {
  return str(reinterpret_cast<const char*>(data), size);
}

}  // namespace fuzz
