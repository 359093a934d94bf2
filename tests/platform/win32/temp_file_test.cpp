// Temporary files when the C runtime has no stream left: its reason is kept.
#include <gtest/gtest.h>

#include <cstdio>
#include <vector>

#include "platform/fs/files.h"
#include "test_files.h"

namespace oxi {
namespace {

// The C runtime keeps far fewer streams than the system keeps handles, so with every stream
// in use the file is made but cannot become a stream.
TEST(TempFileStreams, WithNoStreamLeftTheReasonIsKeptAndNoFileLeft) {
  testing::TempFolder folder{"oxi-streams"};
  const auto held = folder.Path() / "held";
  testing::WriteBytes(held, "x");
  constexpr std::size_t kMostStreams = 100000;  // far beyond any C runtime's table
  std::vector<std::FILE*> streams;
  while (streams.size() < kMostStreams) {
    std::FILE* f = OpenStream(held, "rb");
    if (!f) break;
    streams.push_back(f);
  }
  TempFile temp;
  const bool created = temp.Create(folder.Path(), ".tmp-s.");
  const std::error_code why = temp.Error();
  for (std::FILE* f : streams) std::fclose(f);
  ASSERT_LT(streams.size(), kMostStreams);
  EXPECT_FALSE(created);
  EXPECT_TRUE(why) << "no reason kept";
  EXPECT_EQ(testing::Names(folder.Path()), std::vector<std::string>{"held"});
}

}  // namespace
}  // namespace oxi
