#include "platform/d2xx/d2xx_factory.h"

#include "platform/d2xx/simulated_d2xx.h"
#include "platform/d2xx/usb_d2xx.h"
#include "platform/fs/files.h"
#include "platform/ui/process.h"

namespace oxi {

std::vector<std::string> SplitImageList(const std::string& list) {
  std::vector<std::string> images;
  std::string::size_type start = 0;
  while (start <= list.size()) {
    const auto end = list.find(kPathListSeparator, start);
    const std::string image = list.substr(start, end == std::string::npos ? end : end - start);
    if (!image.empty()) images.push_back(image);
    if (end == std::string::npos) break;
    start = end + 1;
  }
  return images;
}

std::unique_ptr<D2xx> MakeSimulatedD2xx(Clock& clock, const std::vector<std::string>& images,
                                        std::vector<std::string>* problems,
                                        Diagnostics* diagnostics) {
  auto d2xx = std::make_unique<SimulatedD2xx>(clock);
  MonitorReport report;
  if (diagnostics)
    report = [diagnostics](const std::string& line) { diagnostics->Log(line + "\n"); };
  for (std::size_t i = 0; i < images.size(); ++i) {
    std::unique_ptr<SimulatedMonitor> monitor;
    std::string problem;
    const std::filesystem::path file = PathFromUtf8(images[i]);
    if (auto image = monitor::MonitorImage::Load(file, &problem)) {
      monitor = std::make_unique<SimulatedMonitor>(std::move(*image), file, report);
    } else if (problems) {
      problems->push_back(images[i] + ": " + problem);
    }
    d2xx->AddConverter(kSimulatedSerialPrefix + std::to_string(i), std::move(monitor));
  }
  return d2xx;
}

std::unique_ptr<D2xx> MakeD2xxFromEnvironment(Clock& clock, Diagnostics& diagnostics,
                                              std::vector<std::string>* problems) {
  const std::optional<std::string> list = EnvironmentVariable(kSimulatedMonitorVariable);
  if (list && !list->empty())
    return MakeSimulatedD2xx(clock, SplitImageList(*list), problems, &diagnostics);
  return MakeUsbD2xx(clock, diagnostics);
}

}  // namespace oxi
