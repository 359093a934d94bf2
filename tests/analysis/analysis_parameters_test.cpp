// The parameter fields as typed, taken to the record's 0.1 steps.
#include <gtest/gtest.h>

#include "analysis/analysis_parameters.h"

namespace oxi {
namespace {

TEST(AnalysisParameters, FieldsTakenToTenths) {
  const std::pair<const char*, std::optional<int>> deltas[] = {{"10", 100},
                                                               {"7.5", 75},
                                                               {"7.45", 75},
                                                               {"7.44", 74},
                                                               {".5", 5},
                                                               {"3.", 30},
                                                               {"100", 1000},
                                                               {"0.1", 1},
                                                               {"0", std::nullopt},
                                                               {"0.04", std::nullopt},
                                                               {"100.1", std::nullopt},
                                                               {"", std::nullopt},
                                                               {".", std::nullopt},
                                                               {"-1", std::nullopt},
                                                               {"1e1", std::nullopt},
                                                               {" 5", std::nullopt},
                                                               {"5,5", std::nullopt},
                                                               {"99999999", std::nullopt}};
  for (const auto& [text, tenths] : deltas) EXPECT_EQ(ParseDelta(text), tenths) << text;
  EXPECT_EQ(ParseSmooth("0"), 0);
  EXPECT_EQ(ParseSmooth("3600"), 36000);
  EXPECT_EQ(ParseSmooth("3600.1"), std::nullopt);

  const std::pair<const char*, std::optional<std::vector<int>>> zones[] = {
      {"40,60", std::vector<int>{400, 600}},
      {"50", std::vector<int>{500}},
      {"0,12.5,100", std::vector<int>{0, 125, 1000}},
      {"60,40", std::nullopt},
      {"40,40", std::nullopt},
      {"40,", std::nullopt},
      {",40", std::nullopt},
      {"101", std::nullopt},
      {"", std::nullopt}};
  for (const auto& [text, edges] : zones) EXPECT_EQ(ParseZones(text), edges) << text;
  EXPECT_EQ(ZonesText({400, 625}), "40,62.5");
}

}  // namespace
}  // namespace oxi
