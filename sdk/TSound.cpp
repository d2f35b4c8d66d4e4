#include "TSound.h"

#include <SDL.h>
#include <SDL_mixer.h>

#include <algorithm>
#include <cstdlib>

#include "TPlatform.h"
#include "TReport.h"

namespace {
const int kFrequency = 44100;
const int kFirstChannels = 32;

uint32_t Now() {
  TPlatform* p = TPlatform::GetInstance();
  return p ? p->Timer() : 0;
}

// Milliseconds of `bytes` of sample data in the given format.
uint32_t LengthMs(uint32_t bytes, int freq, SDL_AudioFormat format, int channels) {
  const uint32_t frameBytes = uint32_t(SDL_AUDIO_BITSIZE(format) / 8) * uint32_t(channels > 0 ? channels : 1);
  if (!frameBytes || freq <= 0) return 0;
  return uint32_t(uint64_t(bytes / frameBytes) * 1000 / uint64_t(freq));
}
}  // namespace

TSoundCallBack::~TSoundCallBack() {
  TSoundManager::GetInstance()->ForgetCallback(this);
}

// ---------------------------------------------------------------- TSound

TSoundRef TSound::Get(const str& path, int flag, int type) {
  TSoundManager* mgr = TSoundManager::GetInstance();
  const auto key = std::make_tuple(path, flag, type);
  auto it = mgr->mCache.find(key);
  if (it != mgr->mCache.end()) {
    if (TSoundRef live = it->second.lock()) return live;
    mgr->mCache.erase(it);
  }
  const str full = TPlatform::ResolvePath(path);
  // One message per file: the game asks again on every event that plays it.
  const bool reported = mgr->mFailed.count(full) != 0;
  TSoundRef sound(new TSound());
  sound->mPath = path;
  sound->mFlag = flag;
  sound->mType = type;
  if (mgr->mOpen) {
    SDL_RWops* rw = SDL_RWFromFile(full.c_str(), "rb");
    Mix_Chunk* chunk = rw ? Mix_LoadWAV_RW(rw, 1) : nullptr;
    if (!chunk) {
      if (!reported) Report("%s: cannot load the sound (%s)", path.c_str(), SDL_GetError());
      mgr->mFailed.insert(full);
      return TSoundRef();
    }
    int freq = 0, channels = 0;
    Uint16 format = 0;
    Mix_QuerySpec(&freq, &format, &channels);
    sound->mChunk = chunk;
    sound->mLengthMs = LengthMs(chunk->alen, freq, format, channels);
  } else {
    // No mixer: the file must still be there; its length is known for WAV
    // data, and anything else ends at once.
    SDL_RWops* rw = SDL_RWFromFile(full.c_str(), "rb");
    if (!rw) {
      if (!reported) Report("%s: cannot load the sound (%s)", path.c_str(), SDL_GetError());
      mgr->mFailed.insert(full);
      return TSoundRef();
    }
    SDL_AudioSpec spec;
    Uint8* buf = nullptr;
    Uint32 len = 0;
    if (SDL_LoadWAV_RW(rw, 1, &spec, &buf, &len)) {
      sound->mLengthMs = LengthMs(len, spec.freq, spec.format, spec.channels);
      SDL_FreeWAV(buf);
    }
  }
  mgr->mFailed.erase(full);
  mgr->mCache[key] = sound;
  return sound;
}

TSound::~TSound() {
  // Instances still playing stop with their sound, without a notice.
  std::vector<TSoundInstanceRef> playing;
  playing.swap(mPlaying);
  for (auto& inst : playing) inst->Stop();
  playing.clear();
  if (mChunk && TSoundManager::GetInstance()->IsOpen()) Mix_FreeChunk(static_cast<Mix_Chunk*>(mChunk));
  mChunk = nullptr;
}

TSoundInstanceRef TSound::Play(bool loop) {
  TSoundManager* mgr = TSoundManager::GetInstance();
  TSoundInstanceRef inst(new TSoundInstance());
  inst->mSound = shared_from_this();
  inst->mType = mType;
  inst->mLoop = loop;
  inst->mStart = Now();
  inst->mPlaying = true;
  if (mChunk && mgr->mOpen && !mgr->mVirtual) {
    const int ch = mgr->FreeChannel();
    if (ch >= 0) {
      inst->mChannel = ch;
      mgr->ApplyVolume(inst.get());
      if (Mix_PlayChannel(ch, static_cast<Mix_Chunk*>(mChunk), loop ? -1 : 0) < 0) {
        // It still runs on the clock, so whoever waits for its end gets it.
        Report("%s: cannot play the sound (%s)", mPath.c_str(), Mix_GetError());
        inst->mChannel = -1;
      }
    }
  }
  mPlaying.push_back(inst);
  mgr->Register(inst.get());
  if (TPlatform::IsHeadless()) mgr->Log({mPath, mType, loop, inst->mStart});
  return inst;
}

void TSound::Kill() {
  std::vector<TSoundInstanceRef> playing = mPlaying;
  for (auto& inst : playing) inst->Kill();
}

void TSound::Forget(TSoundInstance* inst) {
  for (size_t i = 0; i < mPlaying.size(); ++i)
    if (mPlaying[i].get() == inst) {
      mPlaying.erase(mPlaying.begin() + i);
      return;
    }
}

// ---------------------------------------------------------------- TSoundInstance

TSoundInstance::~TSoundInstance() {
  Stop();
}

void TSoundInstance::Stop() {
  if (!mPlaying) return;
  mPlaying = false;
  TSoundManager* mgr = TSoundManager::GetInstance();
  if (mChannel >= 0 && mgr->mOpen) Mix_HaltChannel(mChannel);
  mChannel = -1;
  mgr->Unregister(this);
}

void TSoundInstance::Kill() {
  if (!mPlaying) return;
  // The sound may hold the last reference to this instance.
  TSoundInstanceRef self = shared_from_this();
  Stop();
  if (TSoundRef sound = mSound.lock()) sound->Forget(this);
}

bool TSoundInstance::IsPlaying() const {
  return mPlaying;
}

void TSoundInstance::SetCompleteAction(TSoundCallBack* callback) {
  mCallback = callback;
}

void TSoundInstance::SetVolume(float v) {
  mVolume = std::min(1.f, std::max(0.f, v));
  TSoundManager::GetInstance()->ApplyVolume(this);
}

// ---------------------------------------------------------------- TSoundManager

TSoundManager* TSoundManager::GetInstance() {
  // Never deleted: callbacks unregister from their destructors, which may run
  // during static destruction.
  static TSoundManager* instance = new TSoundManager();
  return instance;
}

bool TSoundManager::Open() {
  if (mOpen) return true;
  const bool headless = TPlatform::IsHeadless();
  if (headless) SDL_setenv("SDL_AUDIODRIVER", "dummy", 1);
  bool ok = SDL_InitSubSystem(SDL_INIT_AUDIO) == 0;
  Mix_Init(MIX_INIT_OGG);
  ok = ok && Mix_OpenAudio(kFrequency, AUDIO_S16SYS, 2, 1024) == 0;
  mVirtual = headless;
  if (!ok && !headless) {
    Report("cannot open the sound device (%s); playing silently", SDL_GetError());
    // The dummy driver still lets the mixer decode, so lengths stay right.
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    SDL_setenv("SDL_AUDIODRIVER", "dummy", 1);
    ok = SDL_InitSubSystem(SDL_INIT_AUDIO) == 0 && Mix_OpenAudio(kFrequency, AUDIO_S16SYS, 2, 1024) == 0;
    mVirtual = true;
  }
  if (!ok) {
    Report("cannot open the sound mixer (%s); sounds end on the clock", SDL_GetError());
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    return false;
  }
  mChannels = Mix_AllocateChannels(kFirstChannels);
  mOpen = true;
  return true;
}

void TSoundManager::Shutdown() {
  std::vector<TSoundInstance*> active = mActive;
  for (TSoundInstance* inst : active) inst->Stop();
  mPending.clear();
  if (!mOpen) return;
  // Chunks must go before the mixer closes; the sounds themselves may live on.
  for (auto& kv : mCache)
    if (TSoundRef s = kv.second.lock()) {
      if (s->mChunk) Mix_FreeChunk(static_cast<Mix_Chunk*>(s->mChunk));
      s->mChunk = nullptr;
    }
  mCache.clear();
  Mix_CloseAudio();
  Mix_Quit();
  SDL_QuitSubSystem(SDL_INIT_AUDIO);
  mOpen = false;
  mVirtual = false;
}

int TSoundManager::FreeChannel() {
  // Channels are handed out here, never by the mixer, so a channel that one
  // instance owns is never reused under it and its end is its own.
  std::vector<bool> used(size_t(mChannels), false);
  for (TSoundInstance* inst : mActive)
    if (inst->mChannel >= 0 && inst->mChannel < mChannels) used[size_t(inst->mChannel)] = true;
  for (int ch = 0; ch < mChannels; ++ch)
    if (!used[size_t(ch)] && !Mix_Playing(ch)) return ch;
  const int before = mChannels;
  mChannels = Mix_AllocateChannels(mChannels * 2);
  return mChannels > before ? before : -1;
}

void TSoundManager::SetTypeVolume(int type, float volume) {
  mVolumes[type] = std::min(1.f, std::max(0.f, volume));
  for (TSoundInstance* inst : mActive)
    if (inst->mType == type) ApplyVolume(inst);
}

float TSoundManager::GetTypeVolume(int type) const {
  auto it = mVolumes.find(type);
  return it == mVolumes.end() ? 1.f : it->second;
}

float TSoundManager::EffectiveVolume(const TSoundInstance* inst) const {
  return GetTypeVolume(inst->mType) * inst->mVolume;
}

void TSoundManager::ApplyVolume(TSoundInstance* inst) const {
  if (inst->mChannel >= 0 && mOpen)
    Mix_Volume(inst->mChannel, int(EffectiveVolume(inst) * MIX_MAX_VOLUME + 0.5f));
}

void TSoundManager::Register(TSoundInstance* inst) {
  mActive.push_back(inst);
}

void TSoundManager::Unregister(TSoundInstance* inst) {
  mActive.erase(std::remove(mActive.begin(), mActive.end(), inst), mActive.end());
}

int TSoundManager::CountPlaying() const {
  return int(mActive.size());
}

void TSoundManager::ForgetCallback(TSoundCallBack* callback) {
  for (TSoundInstance* inst : mActive)
    if (inst->mCallback == callback) inst->mCallback = nullptr;
  for (auto& inst : mPending)
    if (inst->mCallback == callback) inst->mCallback = nullptr;
}

void TSoundManager::Update() {
  const uint32_t now = Now();
  std::vector<TSoundInstance*> active = mActive;
  for (TSoundInstance* inst : active) {
    bool ended;
    if (inst->mChannel >= 0 && mOpen)
      ended = !Mix_Playing(inst->mChannel);
    else {
      TSoundRef sound = inst->mSound.lock();
      const uint32_t length = sound ? sound->mLengthMs : 0;
      ended = !inst->mLoop && now - inst->mStart >= length;
    }
    if (!ended) continue;
    TSoundInstanceRef ref = inst->shared_from_this();
    inst->Stop();
    if (TSoundRef sound = inst->mSound.lock()) sound->Forget(inst);
    mPending.push_back(ref);
  }
  // Delivered one by one from the front: a callback may play, kill or
  // destroy anything, other callbacks included (ForgetCallback clears them
  // here too).
  while (!mPending.empty()) {
    TSoundInstanceRef inst = mPending.front();
    mPending.erase(mPending.begin());
    TSoundCallBack* cb = inst->mCallback;
    inst->mCallback = nullptr;
    if (cb) cb->OnSoundFinished(inst.get());
  }
}
