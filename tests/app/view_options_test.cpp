#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/view_options.h"

namespace oxi {
namespace {

using Action = ViewOptions::Action;
using Args = std::vector<std::string>;

struct Case {
  Args args;  // after the program name
  Action action;
  std::string root;
  Args toolkitArgs;  // after the program name
};

// What oxiview's command line asks for, and what reaches Qt.
TEST(ViewOptions, ReadsItsOwnOptionsAndKeepsQtsAndRefusesTheRest) {
  const std::vector<Case> cases{
      {{}, Action::kRun, "", {}},
      {{"--root", "/data"}, Action::kRun, "/data", {}},
      {{"--root=rel dir"}, Action::kRun, "rel dir", {}},
      {{"-platform", "offscreen", "--root", "d", "-reverse", "--style=fusion"},
       Action::kRun,
       "d",
       {"-platform", "offscreen", "-reverse", "--style=fusion"}},
      {{"--display", ":3"}, Action::kRun, "", {"--display", ":3"}},
      {{"--help"}, Action::kHelp, "", {}},
      {{"--root", "d", "-h"}, Action::kHelp, "d", {}},
      {{"--version", "--bogus"}, Action::kVersion, "", {}},
      {{"--bogus"}, Action::kRefuse, "", {}},
      {{"-root", "d"}, Action::kRefuse, "", {}},
      {{"--rooted", "d"}, Action::kRefuse, "", {}},
      {{"--root"}, Action::kRefuse, "", {}},
      {{"--root="}, Action::kRefuse, "", {}},
      {{"--root", "a", "--root", "b"}, Action::kRefuse, "a", {}},
      {{"-platform"}, Action::kRefuse, "", {}},
      {{"-reverse=1"}, Action::kRefuse, "", {}},
      {{"file.oxi"}, Action::kRefuse, "", {}},
  };
  for (const Case& c : cases) {
    Args argv{"oxiview"};
    argv.insert(argv.end(), c.args.begin(), c.args.end());
    const ViewOptions options = ParseViewOptions(argv);
    std::string seen;
    for (const std::string& a : c.args) seen += a + ' ';
    EXPECT_EQ(options.action, c.action) << seen;
    EXPECT_EQ(options.root.string(), c.root) << seen;
    EXPECT_EQ(options.action == Action::kRefuse, !options.refusal.empty()) << seen;
    if (c.action != Action::kRun) continue;
    Args expected{"oxiview"};
    expected.insert(expected.end(), c.toolkitArgs.begin(), c.toolkitArgs.end());
    EXPECT_EQ(options.toolkitArgs, expected) << seen;
  }
}

}  // namespace
}  // namespace oxi
