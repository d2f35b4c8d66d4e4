#pragma once
// Directors call a builder's steps in a fixed order; one director per
// builder kind.

class ISceneBuilder;
class OFlashSceneBuilder;
class OGameSceneBuilder;
class OMinigameSceneBuilder;

class ISceneDirector {
 public:
  virtual ~ISceneDirector() = default;
  virtual void Direct() = 0;
};

// Scene window, background, masks, borders, items, drop zones, effects,
// music.
class OGameSceneDirector : public ISceneDirector {
 public:
  explicit OGameSceneDirector(OGameSceneBuilder* builder) : mBuilder(builder) {}
  void Direct() override;

 private:
  OGameSceneBuilder* mBuilder;
};

// Scene window, masks, background image, effects, music.
class OMinigameSceneDirector : public ISceneDirector {
 public:
  explicit OMinigameSceneDirector(OMinigameSceneBuilder* builder) : mBuilder(builder) {}
  void Direct() override;

 private:
  OMinigameSceneBuilder* mBuilder;
};

class OFlashSceneDirector : public ISceneDirector {
 public:
  explicit OFlashSceneDirector(OFlashSceneBuilder* builder) : mBuilder(builder) {}
  void Direct() override;

 private:
  OFlashSceneBuilder* mBuilder;
};

// Kind 0, 1 or 2 of the builder; any other kind throws the C string
// "no necessary scene builder", which nothing catches.
ISceneDirector* CreateSceneDirector(ISceneBuilder* builder);
