#include <gtest/gtest.h>

#include "platform/ui/scripted_platform.h"
#include "store/id_dialog.h"
#include "store/store_state.h"
#include "store_test_util.h"

namespace oxi {
namespace {

namespace fs = std::filesystem;

class StoreStartTest : public ::testing::Test {
 protected:
  fs::path Root() const { return tmp.Path() / "Application Data" / "StO2"; }
  void MakeDevice(const std::string& folder) { fs::create_directories(Root() / folder); }
  void Start() { StartStore(store, tmp.Path(), platform); }

  testing::TempFolder tmp;
  StoreState store;
  ScriptedPlatform platform;
};

TEST_F(StoreStartTest, FirstStartCreatesTheTreeAndHasNoDevice) {
  Start();
  EXPECT_TRUE(fs::is_directory(Root()));
  EXPECT_EQ(store.dataRoot, Root());
  EXPECT_TRUE(store.deviceFolders.empty());
  EXPECT_EQ(store.currentDeviceId, kNoDeviceId);
  EXPECT_EQ(platform.idDialogRuns, 0);
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
  EXPECT_EQ(platform.idDialogRuns, 0);
}

TEST_F(StoreStartTest, LongFolderNameGivesATwelveCharacterId) {
  MakeDevice("OXI0123456789ABCDEF");
  Start();
  EXPECT_EQ(store.currentDeviceId, "0123456789AB");
}

TEST_F(StoreStartTest, SeveralDevicesAskAndTheFirstIsTakenAtOnce) {
  MakeDevice("OXIBBBBBBBBBBBB");
  MakeDevice("OXIAAAAAAAAAAAA");
  Start();
  EXPECT_EQ(platform.idDialogRuns, 1);
  EXPECT_EQ(platform.idDialogEntries, (std::vector<std::string>{"AAAAAAAAAAAA", "BBBBBBBBBBBB"}));
  EXPECT_EQ(store.currentDeviceId, "AAAAAAAAAAAA");
  EXPECT_TRUE(fs::is_directory(Root() / "OXIBBBBBBBBBBBB" / "Comment"));
}

TEST_F(StoreStartTest, TheIdShownWhenTheDialogEndsIsTheOneUsed) {
  MakeDevice("OXIAAAAAAAAAAAA");
  MakeDevice("OXIBBBBBBBBBBBB");
  MakeDevice("OXICCCCCCCCCCCC");
  // Picked in the open list, then the list closes up.
  platform.idDialogScript = {{IdDialogStep::Kind::kSelect, 1}, {IdDialogStep::Kind::kCloseUp}};
  Start();
  EXPECT_EQ(store.currentDeviceId, "BBBBBBBBBBBB");

  // Stepped with the arrow keys while the list stays closed: no close-up ever comes.
  platform.idDialogScript = {{IdDialogStep::Kind::kSelect, 2}, {IdDialogStep::Kind::kClose}};
  Start();
  EXPECT_EQ(store.currentDeviceId, "CCCCCCCCCCCC");

  // Stepped down and back up again: the ID shown last counts.
  platform.idDialogScript = {{IdDialogStep::Kind::kSelect, 2},
                             {IdDialogStep::Kind::kCloseUp},
                             {IdDialogStep::Kind::kSelect, 0},
                             {IdDialogStep::Kind::kClose}};
  Start();
  EXPECT_EQ(store.currentDeviceId, "AAAAAAAAAAAA");
}

TEST_F(StoreStartTest, AtMostSixtyFourDeviceFoldersInNameOrder) {
  for (int k = 70; k > 0; --k)
    MakeDevice("OXI0000000000" + std::to_string(k / 10) + std::to_string(k % 10));
  Start();
  ASSERT_EQ(store.deviceFolders.size(), 64u);
  EXPECT_EQ(store.deviceFolders.front(), "OXI000000000001");
  EXPECT_EQ(store.deviceFolders.back(), "OXI000000000064");
  EXPECT_EQ(platform.idDialogEntries.size(), 64u);
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
