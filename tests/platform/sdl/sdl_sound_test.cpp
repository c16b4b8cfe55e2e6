#include <SDL.h>
#include <gtest/gtest.h>

#include <cstdlib>

#include "platform/posix/folder_asset_store.h"
#include "platform/sdl/sdl_sound_player.h"
#include "support/media_bytes.h"
#include "support/scratch_dir.h"

namespace qz {
namespace {

constexpr std::uint32_t kAsync = kSoundResource | kSoundAsync;
constexpr std::uint32_t kLoop = kSoundResource | kSoundAsync | kSoundLoop;
constexpr std::uint32_t kSync = kSoundResource;
constexpr std::uint32_t kSyncNoStop = kSoundResource | kSoundNoStop;

// A clock that only moves when slept on, and remembers how long each sleep was.
class SleepCounter : public Clock {
 public:
  std::uint32_t TickMs() override { return m_nNow; }
  std::int64_t Now() override { return 0; }
  std::int64_t SteadySeconds() override { return 0; }
  void Sleep(std::uint32_t ms) override {
    m_nNow += ms;
    m_nSlept += ms;
  }
  std::uint32_t m_nNow = 0;
  std::uint32_t m_nSlept = 0;
};

// Chooses SDL's audio driver for one test and puts the old choice back.
class AudioDriver {
 public:
  explicit AudioDriver(const char* name) {
    const char* old = std::getenv("SDL_AUDIODRIVER");
    m_bHad = old != nullptr;
    if (m_bHad)
      m_strOld = old;
    setenv("SDL_AUDIODRIVER", name, 1);
  }
  ~AudioDriver() {
    if (m_bHad) {
      setenv("SDL_AUDIODRIVER", m_strOld.c_str(), 1);
    } else {
      unsetenv("SDL_AUDIODRIVER");
    }
  }

 private:
  bool m_bHad = false;
  std::string m_strOld;
};

class SdlSound : public ::testing::Test {
 protected:
  SdlSound() : assets(dir.Path()) {
    dir.Write("144.wav", test::AdpcmWav(22050, 352828));  // 16001 ms
    dir.Write("151.wav", test::AdpcmWav(11025, 11414));   // 1036 ms
    dir.Write("177.wav", test::PcmWav(11025, 16, 1103));  // 101 ms
  }
  test::ScratchDir dir;
  FolderAssetStore assets;
  SleepCounter clock;
};

TEST_F(SdlSound, WithoutADeviceSoundsAreSilentButKeepTheirTime) {
  AudioDriver none("no-such-driver");
  SdlSoundPlayer player(assets, clock);
  ASSERT_FALSE(player.HasDevice());
  player.Play(151, kSync);
  EXPECT_EQ(1036u, clock.m_nSlept);
  EXPECT_FALSE(player.IsPlaying());

  player.Play(177, kAsync);
  EXPECT_TRUE(player.IsPlaying());
  player.Play(151, kSyncNoStop);  // gives way
  EXPECT_EQ(1036u, clock.m_nSlept);
  clock.Sleep(101);
  EXPECT_FALSE(player.IsPlaying());

  player.Play(144, kLoop);
  clock.Sleep(60000);
  EXPECT_TRUE(player.IsPlaying());
  player.Stop();
  EXPECT_FALSE(player.IsPlaying());
  player.Play(999, kSync);
  EXPECT_FALSE(player.IsPlaying());
}

TEST_F(SdlSound, DeviceDecodesBothEncodingsAndFollowsTheRules) {
  AudioDriver dummy("dummy");
  SdlSoundPlayer player(assets, clock);
  ASSERT_TRUE(player.HasDevice()) << SDL_GetError();
  player.Play(144, kLoop);  // MS ADPCM
  EXPECT_TRUE(player.IsPlaying());
  player.Play(151, kSyncNoStop);
  EXPECT_EQ(0u, clock.m_nSlept) << "a NoStop sound must give way, not wait";
  EXPECT_TRUE(player.IsPlaying());
  player.Stop();
  EXPECT_FALSE(player.IsPlaying());
  player.Play(177, kSync);  // PCM, waited for on the clock
  EXPECT_GT(clock.m_nSlept, 0u);
  EXPECT_FALSE(player.IsPlaying());
  player.Play(999, kAsync);
  player.Play(0, kAsync);
  EXPECT_FALSE(player.IsPlaying());
}

TEST_F(SdlSound, UnreadableFileIsSilent) {
  dir.Write("500.wav", {'R', 'I', 'F', 'F', 0, 0, 0, 0, 'W', 'A', 'V', 'E'});
  AudioDriver dummy("dummy");
  SdlSoundPlayer player(assets, clock);
  player.Play(500, kSync);
  EXPECT_FALSE(player.IsPlaying());
  EXPECT_EQ(0u, clock.m_nSlept);
}

}  // namespace
}  // namespace qz
