// The device-ID chooser a window starts its store with: the dialog's list and the ID it
// leaves as the current device.
#include "app/id_dialog.h"

#include <gtest/gtest.h>

#include "platform/ui/scripted_platform.h"
#include "store/store_test_util.h"

namespace oxi {
namespace {

namespace fs = std::filesystem;

class StoreStartTest : public testing::StoreStartFixture {
 protected:
  void Start() { StartStore(store, tmp.Path(), IdDialogChooser(platform)); }

  ScriptedPlatform platform;
};

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

}  // namespace
}  // namespace oxi
