#include <gtest/gtest.h>

#include <cctype>

#include "learners/Voices.h"

namespace zidezo {
namespace {

TEST(VoicesTest, EnglishVoicesComeFirstAndSynthesisFillsABuffer) {
  TVoices voices;
  if (!voices.Available()) GTEST_SKIP() << "no speech engine could start here";
  ASSERT_GT(voices.Count(), 0);
  EXPECT_EQ(voices.Language(0).substr(0, 2), "en");
  EXPECT_FALSE(voices.Description(0).empty());
  EXPECT_TRUE(voices.Select(voices.Count() + 1));
  EXPECT_EQ(voices.Selected(), 1 % voices.Count());
  voices.Select(0);
  voices.SetRate(0);
  const TSpeechPcm pcm = voices.Synthesise("hello world");
  EXPECT_GT(pcm.sample_rate, 0);
  EXPECT_GT(pcm.samples.size(), static_cast<std::size_t>(pcm.sample_rate) / 10);
}

TEST(VoicesTest, WithoutAnEngineTheListIsEmptyAndNothingFails) {
  TVoices voices(TVoices::Engine::None);
  EXPECT_FALSE(voices.Available());
  EXPECT_EQ(voices.Count(), 0);
  EXPECT_FALSE(voices.Select(2));
  voices.SetRate(5);
  voices.DropQueued();
  EXPECT_TRUE(voices.Synthesise("hello").samples.empty());
}

TEST(VoicesTest, RateAndVolumeMapping) {
  EXPECT_EQ(TVoices::RateToWordsPerMinute(0), 175);
  EXPECT_LT(TVoices::RateToWordsPerMinute(-10), TVoices::RateToWordsPerMinute(0));
  EXPECT_GT(TVoices::RateToWordsPerMinute(10), TVoices::RateToWordsPerMinute(0));
  EXPECT_EQ(TVoices::VolumeFromKey(150), TVoices::VolumeFromKey(100));
}

}  // namespace
}  // namespace zidezo
