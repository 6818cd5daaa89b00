// The platform's sound player on SDL's dummy audio driver, and without any device.
#ifdef TOBU_HAVE_PLATFORM
#include "platform/audio.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

namespace tobu {
namespace {

// SDL started with `driver` as its audio driver, stopped at the end of the test.
class AudioDriver {
 public:
  explicit AudioDriver(const char* driver) {
    setenv("SDL_AUDIODRIVER", driver, 1);
    SDL_Init(0);
  }
  ~AudioDriver() {
    SDL_Quit();
    unsetenv("SDL_AUDIODRIVER");
  }
};

TEST(Audio, WithoutADeviceSilentWithOneLine) {
  const AudioDriver driver("no-such-driver");
  ::testing::internal::CaptureStderr();
  {
    Audio audio;
    EXPECT_FALSE(audio.DeviceOpen());
    audio.Play({GameEvent::Jump, GameEvent::Fail});
    audio.SetVolume(50);
    audio.SetEnabled(false);
    audio.SetEnabled(true);
  }
  const std::string written = ::testing::internal::GetCapturedStderr();
  EXPECT_EQ(written.rfind("tobu: no sound: ", 0), 0u) << written;
  EXPECT_EQ(written.find('\n'), written.size() - 1) << written;
}

// The long sounds, so none has ended while the test looks.
TEST(Audio, OneChannelPerEventAndTheSwitch) {
  const AudioDriver driver("dummy");
  Audio audio;
  ASSERT_TRUE(audio.DeviceOpen());
  audio.Play({GameEvent::Best});
  audio.Play({GameEvent::Best});  // cuts the first
  EXPECT_EQ(audio.Playing(), 1);
  audio.Play({GameEvent::Open, GameEvent::Fail});
  EXPECT_EQ(audio.Playing(), 3);
  EXPECT_EQ(audio.Playing(GameEvent::Fail), 1);
  audio.SetEnabled(false);
  EXPECT_EQ(audio.Playing(), 0);
  audio.Play({GameEvent::Best});
  EXPECT_EQ(audio.Playing(), 0);
  audio.SetEnabled(true);
  audio.Play({GameEvent::Finish, GameEvent::Best});  // the fanfare alone
  EXPECT_EQ(audio.Playing(), 1);
  EXPECT_EQ(audio.Playing(GameEvent::Best), 1);
}

// The device's buffer as opened, which bounds how long a sound waits to start: the
// game's 512 frames unless SDL's own SDL_AUDIO_SAMPLES asks for another size.
TEST(Audio, BufferSizeAsOpened) {
  const std::pair<const char*, int> cases[] = {{nullptr, 512}, {"128", 128}, {"1024", 1024}};
  for (const auto& [variable, frames] : cases) {
    if (variable != nullptr) setenv("SDL_AUDIO_SAMPLES", variable, 1);
    {
      const AudioDriver driver("dummy");
      const Audio audio;
      EXPECT_EQ(audio.BufferFrames(), frames) << (variable ? variable : "unset");
    }
    unsetenv("SDL_AUDIO_SAMPLES");
  }
}

TEST(Audio, VolumeInPercent) {
  const AudioDriver driver("dummy");
  Audio audio;
  ASSERT_TRUE(audio.DeviceOpen());
  const std::pair<int, int> cases[] = {{100, 100}, {50, 50}, {0, 0}, {150, 100}, {-5, 0}};
  for (const auto& [percent, mixer] : cases) {
    audio.SetVolume(percent);
    EXPECT_EQ(audio.Volume(), mixer) << percent;
  }
}

}  // namespace
}  // namespace tobu
#endif
