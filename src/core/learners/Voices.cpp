#include "learners/Voices.h"

#include <espeak-ng/speak_lib.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <mutex>

#include "base/Text.h"

namespace zidezo {

namespace {

// The engine's state is global: it is started once per process and every use is serialised.
std::mutex& EngineMutex() {
  static std::mutex mutex;
  return mutex;
}

int StartEngine() {
  static const int sample_rate = [] {
    const int rate = espeak_Initialize(AUDIO_OUTPUT_SYNCHRONOUS, 0, nullptr, espeakINITIALIZE_DONT_EXIT);
    return rate > 0 ? rate : 0;
  }();
  return sample_rate;
}

int CollectSamples(short* wave, int count, espeak_EVENT* events) {
  if (wave != nullptr && count > 0 && events != nullptr && events->user_data != nullptr) {
    auto* samples = static_cast<std::vector<std::int16_t>*>(events->user_data);
    samples->insert(samples->end(), wave, wave + count);
  }
  return 0;  // go on
}

// The languages field is a list of (priority byte, name) pairs; the first name is the main one.
std::string MainLanguage(const espeak_VOICE& voice) {
  if (voice.languages == nullptr || voice.languages[0] == '\0') return {};
  return std::string(voice.languages + 1);
}

bool IsEnglish(const std::string& language) { return language == "en" || language.rfind("en-", 0) == 0; }

}  // namespace

TVoices::TVoices(Engine engine) {
  words_per_minute_ = RateToWordsPerMinute(0);
  if (engine == Engine::None) return;
  std::lock_guard lock(EngineMutex());
  sample_rate_ = StartEngine();
  if (sample_rate_ == 0) return;
  ListVoices();
  available_ = !voices_.empty();
  if (available_) selected_ = 0;
}

void TVoices::ListVoices() {
  const espeak_VOICE** listed = espeak_ListVoices(nullptr);
  if (listed == nullptr) return;
  for (; *listed != nullptr; ++listed) {
    const espeak_VOICE& voice = **listed;
    if (voice.name == nullptr || voice.identifier == nullptr) continue;
    // Voices under "mb/" need separately installed data and cannot speak on their own.
    if (std::strncmp(voice.identifier, "mb/", 3) == 0) continue;
    voices_.push_back({voice.name, MainLanguage(voice), voice.identifier});
  }
  std::stable_partition(voices_.begin(), voices_.end(), [](const Voice& voice) { return IsEnglish(voice.language); });
}

std::string TVoices::Description(int index) const {
  if (index < 0 || index >= Count()) return {};
  const Voice& voice = voices_[index];
  return voice.language.empty() ? voice.name : voice.name + " (" + voice.language + ")";
}

const std::string& TVoices::Language(int index) const {
  static const std::string none;
  return index < 0 || index >= Count() ? none : voices_[index].language;
}

bool TVoices::Select(int position) {
  if (voices_.empty()) return false;
  selected_ = ((position % Count()) + Count()) % Count();
  return true;
}

int TVoices::RateToWordsPerMinute(int rate_key) {
  const int rate = std::clamp(rate_key, -10, 10);
  const double words = espeakRATE_NORMAL * std::pow(3.0, rate / 10.0);
  return std::clamp(static_cast<int>(std::lround(words)), espeakRATE_MINIMUM, espeakRATE_MAXIMUM);
}

int TVoices::VolumeFromKey(int volume_key) { return std::clamp(volume_key, 0, 100); }

void TVoices::SetRate(int rate_key) { words_per_minute_ = RateToWordsPerMinute(rate_key); }

void TVoices::SetVolume(int volume_key) { volume_ = VolumeFromKey(volume_key); }

void TVoices::DropQueued() {
  if (!available_) return;
  std::lock_guard lock(EngineMutex());
  espeak_Cancel();
}

bool TVoices::ApplySettings() const {
  if (espeak_SetVoiceByName(voices_[selected_].identifier.c_str()) != EE_OK &&
      espeak_SetVoiceByName(voices_[selected_].name.c_str()) != EE_OK)
    return false;
  espeak_SetParameter(espeakRATE, words_per_minute_, 0);
  espeak_SetParameter(espeakVOLUME, volume_, 0);
  return true;
}

TSpeechPcm TVoices::Synthesise(const std::string& text) {
  TSpeechPcm pcm;
  const std::string spoken = Trim(text);
  if (!available_ || spoken.empty()) return pcm;
  std::lock_guard lock(EngineMutex());
  if (!ApplySettings()) return pcm;
  espeak_SetSynthCallback(CollectSamples);
  std::vector<std::int16_t> samples;
  const espeak_ERROR result = espeak_Synth(spoken.c_str(), spoken.size() + 1, 0, POS_CHARACTER, 0,
                                           espeakCHARS_UTF8, nullptr, &samples);
  if (result != EE_OK) return pcm;
  pcm.samples = std::move(samples);
  pcm.sample_rate = sample_rate_;
  return pcm;
}

}  // namespace zidezo
