#pragma once
// Plays a sound file ("none" is silence).

#include "IAction.h"
#include "sdk/str.h"

class OSoundAction : public IAction {
 public:
  OSoundAction(const str& file, GMasksManager* owner) : IAction(owner), mFile(file) {}
  void Execute() override;
  const str& GetFile() const { return mFile; }

 private:
  str mFile;
};
