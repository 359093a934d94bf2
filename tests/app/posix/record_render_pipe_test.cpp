// A pipe named like a record: opening it for reading would wait for a writer for ever.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include "app/record_render.h"
#include "test_files.h"

namespace oxi {
namespace {

TEST(RecordRenderPipe, APipeIsRefusedAtOnce) {
  testing::TempFolder folder{"oxi-render-pipe"};
  const std::filesystem::path fifo = folder.Path() / "fifo.oxi";
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  EXPECT_FALSE(RenderRecordGraph({fifo, std::nullopt, std::nullopt}).graph);
}

}  // namespace
}  // namespace oxi
