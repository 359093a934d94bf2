#include <gtest/gtest.h>

#include "store/store_state.h"
#include "store_test_util.h"

namespace oxi {
namespace {

namespace fs = std::filesystem;

class StoreStartTest : public testing::StoreStartFixture {
 protected:
  void Start() {
    StartStore(store, tmp.Path(), [this](StoreState& s) {
      ++chooserRuns;
      ChooseFirstDevice(s);
    });
  }

  int chooserRuns = 0;
};

TEST_F(StoreStartTest, FirstStartCreatesTheTreeAndHasNoDevice) {
  Start();
  EXPECT_TRUE(fs::is_directory(Root()));
  EXPECT_EQ(store.dataRoot, Root());
  EXPECT_TRUE(store.deviceFolders.empty());
  EXPECT_EQ(store.currentDeviceId, kNoDeviceId);
  EXPECT_EQ(chooserRuns, 0);
  Start();  // a second start finds the same tree
  EXPECT_EQ(store.currentDeviceId, kNoDeviceId);
}

TEST_F(StoreStartTest, OneDeviceFolderIsChosenWithoutAskingAndGetsItsCommentFolder) {
  MakeDevice("OXI0123456789AB");
  MakeDevice("OXI");  // no ID: no device
  testing::WriteBytes(Root() / "OXIFFFFFFFFFFFF", "a plain file is no device");
  Start();
  EXPECT_EQ(store.deviceFolders, std::vector<std::string>{"OXI0123456789AB"});
  EXPECT_EQ(store.currentDeviceId, "0123456789AB");
  EXPECT_TRUE(fs::is_directory(Root() / "OXI0123456789AB" / "Comment"));
  EXPECT_EQ(chooserRuns, 0);
}

TEST_F(StoreStartTest, LongFolderNameGivesATwelveCharacterId) {
  MakeDevice("OXI0123456789ABCDEF");
  Start();
  EXPECT_EQ(store.currentDeviceId, "0123456789AB");
}

TEST_F(StoreStartTest, PlainFilesInTheWayAreSkippedSilently) {
  testing::WriteBytes(tmp.Path() / "Application Data", "not a folder");
  Start();
  EXPECT_EQ(store.currentDeviceId, kNoDeviceId);
  EXPECT_TRUE(store.deviceFolders.empty());
  EXPECT_EQ(EnsureFolder(tmp.Path() / "Application Data"), 0);
  EXPECT_TRUE(fs::is_regular_file(tmp.Path() / "Application Data"));
  EXPECT_EQ(EnsureFolder(tmp.Path() / "new"), 0);
  EXPECT_EQ(EnsureFolder(tmp.Path() / "new"), 1);
}

// Where folder names ignore case (Windows), IDs that differ only in case would name one
// folder: the later one is refused. Where they do not (Linux), each has its own.
TEST_F(StoreStartTest, DevicesNeverShareAFolder) {
  Start();
  const auto upper = EnsureDeviceFolder(store, "ABCDEF000001");
  ASSERT_TRUE(upper);
  EXPECT_EQ(*upper, Root() / "OXIABCDEF000001");
  EXPECT_EQ(EnsureDeviceFolder(store, "ABCDEF000001"), upper);
  testing::WriteBytes(*upper / "0803150905.oxi", "A");
  const auto lower = EnsureDeviceFolder(store, "abcdef000001");
  if (lower) {
    EXPECT_EQ(*lower, Root() / "OXIabcdef000001");
    EXPECT_TRUE(fs::is_empty(*lower));
  } else {
    EXPECT_TRUE(fs::exists(Root() / "OXIabcdef000001")) << "refused though the name was free";
  }
  testing::WriteBytes(Root() / "OXIFILE0000001", "not a folder");
  EXPECT_FALSE(EnsureDeviceFolder(store, "FILE0000001"));
}

TEST(DeviceIds, TwelvePrintableCharactersThatNameTheSameFolderEverywhere) {
  EXPECT_TRUE(IsSafeDeviceId("0123456789AB"));
  EXPECT_TRUE(IsSafeDeviceId("ab-cd_EF0123"));
  EXPECT_FALSE(IsSafeDeviceId("0123456789A"));
  EXPECT_FALSE(IsSafeDeviceId("0123456789ABC"));
  EXPECT_FALSE(IsSafeDeviceId("../../etc/xx"));
  EXPECT_TRUE(IsSafeDeviceId("01234.67 9AB"));
  EXPECT_FALSE(IsSafeDeviceId("0123456789A."));
  EXPECT_FALSE(IsSafeDeviceId(" 123456789AB"));
  EXPECT_FALSE(IsSafeDeviceId("01234:6789AB"));
  EXPECT_FALSE(IsSafeDeviceId(std::string("0123456789A\0", 12)));
  EXPECT_FALSE(IsSafeDeviceId("0123456789A\xff"));
  EXPECT_TRUE(SameDeviceId("0123456789AB", "0123456789AB"));
  EXPECT_FALSE(SameDeviceId("0123456789AB", "0123456789AC"));
  EXPECT_TRUE(SameDeviceId(std::string("0123\0\0\0\0\0\0\0\0", 12), "0123"));
  EXPECT_FALSE(SameDeviceId("0123456789AB", "0123"));
}

}  // namespace
}  // namespace oxi
