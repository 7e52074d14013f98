#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace zidezo {

// Speech samples in memory: 16-bit mono PCM.
struct TSpeechPcm {
  std::vector<std::int16_t> samples;
  int sample_rate = 0;
};

// The text-to-speech voices (libespeak-ng, synthesising into memory, no audio device).
// English voices come first, so the default positions pick an English voice. When no engine can
// start, the list is empty and every operation quietly does nothing.
// The engine is process-wide; each object re-applies its own voice, rate and volume before it
// speaks, so several objects do not disturb one another.
class TVoices {
 public:
  enum class Engine { Start, None };
  explicit TVoices(Engine engine = Engine::Start);
  TVoices(const TVoices&) = delete;
  TVoices& operator=(const TVoices&) = delete;

  bool Available() const { return available_; }
  int Count() const { return static_cast<int>(voices_.size()); }
  // "name (language)", such as "English (America) (en-us)".
  std::string Description(int index) const;
  const std::string& Language(int index) const;

  // Makes voice (position mod Count) active; false when there is no voice.
  bool Select(int position);
  int Selected() const { return selected_; }
  // User key 12 (-10 .. 10) and user key 13 (0 .. 100).
  void SetRate(int rate_key);
  void SetVolume(int volume_key);
  int WordsPerMinute() const { return words_per_minute_; }
  int Volume() const { return volume_; }
  // Drops speech that is still queued.
  void DropQueued();

  // The text spoken by the active voice; empty samples when unavailable or the text is blank.
  TSpeechPcm Synthesise(const std::string& text);

  // Rate key -10 .. 10 to words per minute: 0 is the engine's normal speed, 10 three times as
  // fast and -10 a third, bounded by what the engine accepts.
  static int RateToWordsPerMinute(int rate_key);
  static int VolumeFromKey(int volume_key);

 private:
  struct Voice {
    std::string name;
    std::string language;
    std::string identifier;
  };
  void ListVoices();
  bool ApplySettings() const;

  bool available_ = false;
  int sample_rate_ = 0;
  std::vector<Voice> voices_;
  int selected_ = -1;
  int words_per_minute_ = 0;
  int volume_ = 100;
};

}  // namespace zidezo
