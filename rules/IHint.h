#pragma once
// A hint waiting to be shown; holders only pass the pointer on and delete it
// through this interface.

class IHint {
 public:
  virtual ~IHint() = default;
};
