#include "export/open_format.h"

#include "export/csv_utf8.h"
#include "export/fit_activity.h"
#include "export/sample_values.h"
#include "export/snirf.h"
#include "res/texts.h"

namespace oxi {

const std::vector<OpenFormatInfo>& OpenFormats() {
  static const std::vector<OpenFormatInfo> formats = {
      {OpenFormat::kFit, "fit", "fit", texts::kFitFileType},
      {OpenFormat::kSnirf, "snirf", "snirf", texts::kSnirfFileType},
      {OpenFormat::kCsvUtf8, "csv", "csv", texts::kCsvUtf8FileType},
  };
  return formats;
}

const OpenFormatInfo& InfoOf(OpenFormat format) {
  for (const OpenFormatInfo& info : OpenFormats()) {
    if (info.format == format) return info;
  }
  return OpenFormats().front();
}

std::optional<OpenFormat> ParseOpenFormat(std::string_view name) {
  for (const OpenFormatInfo& info : OpenFormats()) {
    if (name == info.name) return info.format;
  }
  return std::nullopt;
}

bool Supported(OpenFormat format) {
  return format != OpenFormat::kSnirf || SnirfSupported();
}

ExportedBytes OpenFormatBytes(OpenFormat format, const CurrentMeasurement& m,
                              const ExportOptions& options) {
  if (!Supported(format)) return {std::nullopt, "this build has no SNIRF support (no HDF5)"};
  // A record of a header only has nothing to analyse; the readers refuse empty series.
  if (m.n <= 0) return {std::nullopt, "holds no samples"};
  const std::optional<MeasurementStart> start = StartOf(m);
  if (!start) return {std::nullopt, "has no valid start date and time"};
  switch (format) {
    case OpenFormat::kFit:
      return {FitActivityBytes(m, *start), {}};
    case OpenFormat::kCsvUtf8:
      return {CsvUtf8Bytes(m, *start, options.byteOrderMark), {}};
    case OpenFormat::kSnirf: {
      std::optional<std::string> bytes = SnirfBytes(m, *start);
      if (!bytes) return {std::nullopt, "the HDF5 library could not make the SNIRF file"};
      return {std::move(bytes), {}};
    }
  }
  return {std::nullopt, "unknown format"};
}

}  // namespace oxi
