#pragma once
// Plays a visual object through a graph of named states: each sets a visual
// state and may move, scale, rotate and fade the object over its duration;
// at its end the next state is drawn at random from its list. A state with
// no duration lasts until the object's "main" child ends its visual state.

#include <utility>
#include <vector>

#include "GVObject.h"

class TXmlNode;

class GZInterpolator : public GVListener {
 public:
  struct State {
    str id;
    std::vector<std::pair<float, float>> coords;
    std::vector<str> nextIds;
    std::vector<float> scale;
    std::vector<float> rotate;
    std::vector<float> alpha;
    str visualState;
    int loops = 0;      // read and kept; it affects nothing
    int duration = -1;  // milliseconds; -1 until the visual state ends
    int quant = 16;
    int elapsed = 0;
    std::vector<int> time;
  };

  GZInterpolator() = default;
  // Deletes the object and drops the shared random generator.
  ~GZInterpolator() override;
  GZInterpolator(const GZInterpolator&) = delete;
  GZInterpolator& operator=(const GZInterpolator&) = delete;

  void OnStateEnd(GVObject* object, TState state) override;
  bool Update();
  // Takes the object; false, keeping nothing, when a state without a time
  // needs a "main" child that the object lacks.
  bool Load(const TXmlNode* states, GVObject* object);
  void SetOffset(float x, float y);
  void SetState(const str& id);

  GVObject* GetObject() const { return mObject; }
  // -1 when stopped.
  int GetCurrent() const { return mCurrent; }
  const State* GetCurrentState() const;
  const std::vector<State*>& GetStates() const { return mStates; }

 private:
  void EnterNext();
  void ApplyFirstValues(const State& state);

  GVObject* mObject = nullptr;
  float mOffsetX = 0, mOffsetY = 0;
  std::vector<State*> mStates;
  int mCurrent = -1;
};
