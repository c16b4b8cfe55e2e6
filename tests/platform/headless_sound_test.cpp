#include <gtest/gtest.h>

#include "platform/headless/headless_platform.h"
#include "platform/posix/folder_asset_store.h"
#include "support/media_bytes.h"
#include "support/scratch_dir.h"

namespace qz {
namespace {

using Outcome = HeadlessPlatform::SoundOutcome;

constexpr std::uint32_t kAsync = kSoundResource | kSoundAsync;
constexpr std::uint32_t kLoop = kSoundResource | kSoundAsync | kSoundLoop;
constexpr std::uint32_t kSync = kSoundResource;
constexpr std::uint32_t kSyncNoStop = kSoundResource | kSoundNoStop;

class HeadlessSound : public ::testing::Test {
 protected:
  HeadlessSound() : assets(dir.Path()), platform(&assets) {
    dir.Write("211.wav", test::AdpcmWav(8000, 28563));  // 3571 ms
    dir.Write("144.wav", test::AdpcmWav(22050, 352828));
    dir.Write("151.wav", test::PcmWav(11025, 16, 11466));  // 1040 ms
    dir.Write("133.wav", test::PcmWav(11025, 16, 2977));   // 271 ms
  }
  Outcome OutcomeOf(size_t i) const { return platform.Sounds().at(i).outcome; }

  test::ScratchDir dir;
  FolderAssetStore assets;
  HeadlessPlatform platform;
};

TEST_F(HeadlessSound, SynchronousSoundBlocksForItsLengthDispatchingNothing) {
  platform.SetTimer(1, 1000);
  platform.Play(211, kSync);
  EXPECT_EQ(3571u, platform.ElapsedMs());
  EXPECT_FALSE(platform.IsPlaying());
  EXPECT_EQ(1u, platform.QueuedEvents());  // the ticks piled up as one, still undelivered
  EXPECT_EQ(Outcome::kPlayed, OutcomeOf(0));
  EXPECT_EQ(3571u, platform.Sounds()[0].length_ms);
}

TEST_F(HeadlessSound, NoStopGivesWayToAPlayingSound) {
  platform.Play(133, kAsync);
  platform.Play(151, kSyncNoStop);
  EXPECT_EQ(0u, platform.ElapsedMs());
  EXPECT_EQ(Outcome::kSkipped, OutcomeOf(1));
  EXPECT_EQ(Outcome::kPlayed, OutcomeOf(0));
  platform.Sleep(271);
  platform.Play(151, kSyncNoStop);
  EXPECT_EQ(Outcome::kPlayed, OutcomeOf(2));
  EXPECT_EQ(271u + 1040u, platform.ElapsedMs());
}

TEST_F(HeadlessSound, NewSoundStopsThePlayingOne) {
  platform.Play(144, kLoop);
  platform.Sleep(100);
  platform.Play(133, kAsync);
  EXPECT_EQ(Outcome::kStopped, OutcomeOf(0));
  EXPECT_TRUE(platform.IsPlaying());
  platform.Sleep(271);
  EXPECT_FALSE(platform.IsPlaying());
  EXPECT_EQ(Outcome::kPlayed, OutcomeOf(1));
  EXPECT_EQ(100u, platform.Sounds()[1].start_ms);
}

TEST_F(HeadlessSound, LoopRunsUntilStopped) {
  platform.Play(144, kLoop);
  platform.Sleep(60000);
  EXPECT_TRUE(platform.IsPlaying());
  platform.Stop();
  EXPECT_FALSE(platform.IsPlaying());
  EXPECT_EQ(Outcome::kStopped, OutcomeOf(0));
  platform.Stop();
  EXPECT_EQ(1u, platform.Sounds().size());
}

TEST_F(HeadlessSound, UnknownSoundIsSilentAndStopsNothing) {
  platform.Play(144, kLoop);
  platform.Play(999, kSync);
  EXPECT_EQ(Outcome::kMissing, OutcomeOf(1));
  EXPECT_EQ(0u, platform.ElapsedMs());
  EXPECT_TRUE(platform.IsPlaying());
  HeadlessPlatform no_assets;
  no_assets.Play(211, kSync);
  EXPECT_EQ(0u, no_assets.ElapsedMs());
  no_assets.SetSoundLength(211, 500);
  no_assets.Play(211, kSync);
  EXPECT_EQ(500u, no_assets.ElapsedMs());
}

TEST(HeadlessWindows, CanvasAtTheChosenScaleAndFramesCounted) {
  HeadlessPlatform platform(nullptr, 2);
  std::unique_ptr<NativeWindow> main = platform.OpenWindow("Quizendo", 640, 400, nullptr, nullptr);
  std::unique_ptr<NativeWindow> about = platform.OpenWindow("About", 472, 200, nullptr, main.get());
  EXPECT_EQ(1280, main->GetCanvas().PixelWidth());
  main->GetCanvas().FillRect({0, 0, 1, 1}, Rgb(1, 2, 3));
  main->Present({0, 0, 10, 10});
  HeadlessWindow* seen = platform.FindWindow(main->Id());
  ASSERT_EQ(main.get(), seen);
  EXPECT_EQ(1, seen->Frames());
  EXPECT_EQ(0x010203u, seen->GetCanvas().PixelAt(0, 0));
  EXPECT_EQ(main->Id(), platform.FindWindow(about->Id())->OwnerId());
  const std::uint32_t about_id = about->Id();
  about.reset();
  EXPECT_EQ(nullptr, platform.FindWindow(about_id));
  platform.Show("quizendo", "Disk full", MessageIcon::kExclamation);
  ASSERT_EQ(1u, platform.Messages().size());
  EXPECT_EQ("Disk full", platform.Messages()[0].text);
}

}  // namespace
}  // namespace qz
