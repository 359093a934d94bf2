#include "platform/d2xx/d2xx_factory.h"

#include <cstdlib>

#include "platform/d2xx/posix/ftdi_d2xx.h"
#include "platform/d2xx/simulated_d2xx.h"
#include "platform/fs/files.h"

namespace oxi {
namespace {

constexpr char kImageSeparator = ':';

std::vector<std::string> SplitImages(const std::string& list) {
  std::vector<std::string> images;
  std::string::size_type start = 0;
  while (start <= list.size()) {
    const auto end = list.find(kImageSeparator, start);
    const std::string image = list.substr(start, end == std::string::npos ? end : end - start);
    if (!image.empty()) images.push_back(image);
    if (end == std::string::npos) break;
    start = end + 1;
  }
  return images;
}

}  // namespace

std::unique_ptr<D2xx> MakeSimulatedD2xx(Clock& clock, const std::vector<std::string>& images,
                                        std::vector<std::string>* problems) {
  auto d2xx = std::make_unique<SimulatedD2xx>(clock);
  for (std::size_t i = 0; i < images.size(); ++i) {
    std::unique_ptr<SimulatedMonitor> monitor;
    std::string problem;
    const std::filesystem::path file = PathFromUtf8(images[i]);
    if (auto image = monitor::MonitorImage::Load(file, &problem)) {
      monitor = std::make_unique<SimulatedMonitor>(std::move(*image), file);
    } else if (problems) {
      problems->push_back(images[i] + ": " + problem);
    }
    d2xx->AddConverter(kSimulatedSerialPrefix + std::to_string(i), std::move(monitor));
  }
  return d2xx;
}

std::unique_ptr<D2xx> MakeD2xxFromEnvironment(Clock& clock, std::vector<std::string>* problems) {
  const char* list = std::getenv(kSimulatedMonitorVariable);
  if (list && *list) return MakeSimulatedD2xx(clock, SplitImages(list), problems);
  return std::make_unique<FtdiD2xx>(clock);
}

}  // namespace oxi
