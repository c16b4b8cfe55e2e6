#include "platform/posix/folder_asset_store.h"

#include <gtest/gtest.h>

#include "support/media_bytes.h"
#include "support/scratch_dir.h"

namespace qz {
namespace {

TEST(FolderAssetStore, LoadsPicturesByNameAndKeepsThem) {
  test::ScratchDir dir;
  dir.Write("163.bmp", test::SolidBmp(4, 3, 0x102030));
  FolderAssetStore store(dir.Path());
  const Bitmap& b = store.GetBitmap("163");
  EXPECT_EQ(4, b.width);
  EXPECT_EQ(0x102030u, b.At(3, 2));
  std::filesystem::remove(dir.Path() / "163.bmp");
  EXPECT_EQ(&b, &store.GetBitmap("163"));
}

TEST(FolderAssetStore, MissingOrBrokenFilesNameTheirFullPath) {
  test::ScratchDir dir;
  dir.Write("bad.bmp", {'B', 'M', 1, 2, 3});
  FolderAssetStore store(dir.Path());
  for (const char* name : {"missing", "bad"}) {
    try {
      store.GetBitmap(name);
      ADD_FAILURE() << name;
    } catch (const AssetError& e) {
      EXPECT_NE(std::string::npos,
                std::string(e.what()).find((dir.Path() / (std::string(name) + ".bmp")).string()))
          << e.what();
    }
  }
  EXPECT_THROW(store.GetBytes("144.wav"), AssetError);
  EXPECT_FALSE(store.Exists("144.wav"));
}

TEST(FolderAssetStore, LocatePrefersTheBuildTreeThenTheInstallTree) {
  test::ScratchDir root;
  std::filesystem::create_directories(root.Path() / "bin");
  std::filesystem::create_directories(root.Path() / "share" / "quizendo");
  EXPECT_EQ(std::filesystem::canonical(root.Path() / "share" / "quizendo"),
            std::filesystem::canonical(*FolderAssetStore::Locate(root.Path() / "bin")));
  std::filesystem::create_directories(root.Path() / "bin" / "assets");
  EXPECT_EQ(std::filesystem::canonical(root.Path() / "bin" / "assets"),
            std::filesystem::canonical(*FolderAssetStore::Locate(root.Path() / "bin")));
}

}  // namespace
}  // namespace qz
