// A pipe named like a record: reading it would wait for a writer that never comes.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include "store/store_state.h"
#include "store/store_test_util.h"

namespace oxi {
namespace {

using testing::MakeHeader;
using testing::RecordBytes;
using testing::WriteBytes;

class MonthIndexPipe : public testing::DeviceFolderTest {};

TEST_F(MonthIndexPipe, APipeNamedLikeARecordIsSkipped) {
  WriteBytes(Folder() / "0803100000.oxi",
             RecordBytes(MakeHeader(testing::kTestDeviceId, 8, 3, 10, 0, 0), 1));
  ASSERT_EQ(::mkfifo((Folder() / "0803130100.oxi").c_str(), 0600), 0);
  ScanMonth(store, 8, 3);
  EXPECT_EQ(store.monthList, std::vector<std::string>{"0803100000.oxi"});
}

}  // namespace
}  // namespace oxi
