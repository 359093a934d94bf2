#include <gtest/gtest.h>

#include <ctime>

#include "platform/ui/local_time.h"

namespace oxi {
namespace {

// Whatever the machine's zone: the local time now, placed back in that zone, is the
// system's UTC time now.
TEST(LocalTime, NowPlacedInTheZoneIsTheUtcNow) {
  const std::int64_t before = std::time(nullptr);
  const std::optional<std::int64_t> now = UtcSecondsOfLocal(CurrentLocalTime());
  const std::int64_t after = std::time(nullptr);
  ASSERT_TRUE(now);
  EXPECT_GE(*now, before - 1);
  EXPECT_LE(*now, after + 1);
}

TEST(LocalTime, ADayAndASecondLaterAreThatMuchLater) {
  const auto start = UtcSecondsOfLocal({2008, 3, 15, 9, 5, 0});
  const auto nextDay = UtcSecondsOfLocal({2008, 3, 16, 9, 5, 0});
  const auto nextSecond = UtcSecondsOfLocal({2008, 3, 15, 9, 5, 1});
  ASSERT_TRUE(start && nextDay && nextSecond);
  EXPECT_EQ(*nextDay - *start, 86400);
  EXPECT_EQ(*nextSecond - *start, 1);
}

}  // namespace
}  // namespace oxi
