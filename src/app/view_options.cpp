#include "app/view_options.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <string_view>
#include <system_error>

#include "platform/d2xx/d2xx_factory.h"
#include "platform/fs/files.h"
#include "platform/text/text_format.h"
#include "platform/ui/diagnostics.h"
#include "platform/ui/process.h"
#include "platform/ui/process_signals.h"
#include "res/build_info.h"
#include "res/texts.h"

namespace oxi {
namespace {

constexpr int kExitFailure = 1;
constexpr int kExitUsage = 2;

// QGuiApplication's and QApplication's own options (one or two leading dashes), with a
// value after them or after '=', and without one.
constexpr std::array<std::string_view, 12> kToolkitOptionsWithValue{
    "platform",        "platformpluginpath", "platformtheme", "plugin",
    "qwindowgeometry", "qwindowicon",        "qwindowtitle",  "session",
    "display",         "geometry",           "style",         "stylesheet"};
constexpr std::array<std::string_view, 5> kToolkitFlags{"reverse", "widgetcount", "nograb",
                                                        "dograb", "sync"};

template <std::size_t N>
bool Contains(const std::array<std::string_view, N>& names, std::string_view name) {
  return std::find(names.begin(), names.end(), name) != names.end();
}

// "-name", "--name" or "-name=value" without its dashes and value; empty for no option.
std::string_view OptionName(std::string_view arg) {
  if (arg.size() < 2 || arg[0] != '-') return {};
  arg.remove_prefix(arg[1] == '-' ? 2 : 1);
  return arg.substr(0, arg.find('='));
}

ViewOptions Refuse(ViewOptions options, std::string why) {
  options.action = ViewOptions::Action::kRefuse;
  options.refusal = std::move(why);
  return options;
}

}  // namespace

ViewOptions ParseViewOptions(const std::vector<std::string>& argv) {
  ViewOptions options;
  if (!argv.empty()) options.toolkitArgs.push_back(argv.front());
  bool rootGiven = false;
  for (std::size_t i = 1; i < argv.size(); ++i) {
    const std::string& arg = argv[i];
    const bool hasNext = i + 1 < argv.size();
    const std::string_view name = OptionName(arg);
    if (arg == "-h" || arg == "--help") {
      options.action = ViewOptions::Action::kHelp;
      return options;
    }
    if (arg == "--version") {
      options.action = ViewOptions::Action::kVersion;
      return options;
    }
    if (arg.rfind("--root", 0) == 0 && name == "root") {
      const std::size_t equals = arg.find('=');
      if (rootGiven) return Refuse(options, texts::kRootGivenTwice);
      if (equals == std::string::npos && !hasNext) return Refuse(options, texts::kRootNeedsFolder);
      options.root = PathFromUtf8(equals == std::string::npos ? argv[++i] : arg.substr(equals + 1));
      if (options.root.empty()) return Refuse(options, texts::kRootNeedsFolder);
      rootGiven = true;
    } else if (Contains(kToolkitOptionsWithValue, name)) {
      options.toolkitArgs.push_back(arg);
      if (arg.find('=') == std::string::npos) {
        if (!hasNext)
          return Refuse(options, FormatText(texts::kOptionNeedsValueFormat, arg.c_str()));
        options.toolkitArgs.push_back(argv[++i]);
      }
    } else if (Contains(kToolkitFlags, name) && arg.find('=') == std::string::npos) {
      options.toolkitArgs.push_back(arg);
    } else if (name.empty()) {
      return Refuse(options, FormatText(texts::kUnexpectedArgumentFormat, arg.c_str()));
    } else {
      return Refuse(options, FormatText(texts::kUnknownOptionFormat, arg.c_str()));
    }
  }
  return options;
}

ViewOptions RefuseToolkitOptions(ViewOptions options) {
  if (options.action != ViewOptions::Action::kRun || options.toolkitArgs.size() < 2) {
    return options;
  }
  const std::string first = options.toolkitArgs[1];
  return Refuse(std::move(options), FormatText(texts::kUnknownOptionFormat, first.c_str()));
}

void PrepareViewProcess() {
  PrepareStandardStreams();
  IgnoreFileSizeLimitSignal();
}

ViewStart StartView(const ViewOptions& options, Diagnostics& diagnostics) {
  switch (options.action) {
    case ViewOptions::Action::kHelp:
      std::fputs(texts::kViewUsage, stdout);
      return {0, {}};
    case ViewOptions::Action::kVersion:
      std::printf("%s %s\n", texts::kApplicationName, build::kVersion);
      return {0, {}};
    case ViewOptions::Action::kRefuse:
      diagnostics.Log(FormatText(texts::kRefusalFormat, texts::kApplicationName,
                                 options.refusal.c_str(), texts::kViewUsage));
      return {kExitUsage, {}};
    case ViewOptions::Action::kRun:
      break;
  }
  if (options.root.empty()) return {std::nullopt, std::filesystem::current_path()};
  std::error_code ec;
  if (std::filesystem::is_directory(options.root, ec)) {
    const std::filesystem::path folder = std::filesystem::absolute(options.root, ec);
    if (!ec) return {std::nullopt, folder};
  }
  diagnostics.Log(FormatText(texts::kNoFolderFormat, texts::kApplicationName,
                             PathToUtf8(options.root).c_str()));
  return {kExitFailure, {}};
}

std::unique_ptr<D2xx> MakeViewD2xx(Clock& clock, Diagnostics& diagnostics) {
  std::vector<std::string> problems;
  std::unique_ptr<D2xx> d2xx = MakeD2xxFromEnvironment(clock, diagnostics, &problems);
  for (const std::string& problem : problems) {
    diagnostics.Log(
        FormatText(texts::kUnusableImageFormat, texts::kApplicationName, problem.c_str()));
  }
  return d2xx;
}

}  // namespace oxi
