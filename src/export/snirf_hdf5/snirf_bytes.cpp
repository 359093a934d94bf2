// SNIRF files through the HDF5 library.
#include <cmath>
#include <cstdio>
#include <limits>

#include "analysis/analysis.h"
#include "export/snirf.h"
#include "export/snirf_hdf5/hdf5_image.h"
#include "store/elapsed_time.h"
#include "store/record_file.h"
#include "store/sample_count.h"

namespace oxi {
namespace {

constexpr const char* kFormatVersion = "1.1";
constexpr int kProcessedDataType = 99999;
constexpr double kMolarPerStep = 1e-6;  // the record's Hb step, 0.001 mM
constexpr double kNotANumber = std::numeric_limits<double>::quiet_NaN();

// The probe: the record does not say which wavelengths or optode spacing the monitor
// uses, and readers need both (MNE-Python exactly two wavelengths and a position for each
// optode). These nominal values describe a typical tissue oximeter: one source and one
// detector 30 mm apart on the skin.
constexpr double kWavelengthsNm[] = {760, 850};
constexpr double kSourcePositionMm[] = {0, 0, 0};
constexpr double kDetectorPositionMm[] = {30, 0, 0};

// A processed concentration channel of the one source-detector pair.
struct Channel {
  const char* label;
  int wavelengthIndex;  // required by the format; a concentration has no one wavelength
};
constexpr Channel kChannels[] = {{"HbO", 1}, {"HbR", 1}};
constexpr const char* kConcentrationUnit = "M";
constexpr const char* kEpisodesStimName = "episodes";
constexpr std::size_t kStimColumns = 3;  // onset, duration, amplitude

struct AuxSeries {
  const char* name;
  const char* unit;
  double (*value)(const SampleValues&);
};

double Molar(std::optional<int> steps) {
  return steps ? *steps * kMolarPerStep : kNotANumber;
}
double Percent(std::optional<int> tenths) {
  return tenths ? *tenths / static_cast<double>(kTenthsPerUnit) : kNotANumber;
}
double PerMinute(std::optional<int> bpm) {
  return bpm ? static_cast<double>(*bpm) : kNotANumber;
}

constexpr AuxSeries kAux[] = {
    {"HbT", kConcentrationUnit, [](const SampleValues& v) { return Molar(v.tohb); }},
    {"StO2", "%", [](const SampleValues& v) { return Percent(v.sto2); }},
    {"HR", "1/min", [](const SampleValues& v) { return PerMinute(v.heartRate); }},
};

std::string Iso(const char* format, int a, int b, int c) {
  char text[32];
  std::snprintf(text, sizeof text, format, a, b, c);
  return text;
}

// Seconds from the start to every sample. A single sample is given in the format's other
// form, start and spacing, so that readers still learn the sampling rate.
std::vector<double> TimeAxis(int n, int rate) {
  if (n == 1) return {0, SampleTenths(1, rate) / static_cast<double>(kTenthsPerSecond)};
  std::vector<double> time(static_cast<std::size_t>(n));
  for (int i = 0; i < n; ++i) {
    time[i] = SampleTenths(i, rate) / static_cast<double>(kTenthsPerSecond);
  }
  return time;
}

void WriteMetadata(Hdf5Image& file, const CurrentMeasurement& m, const MeasurementStart& start) {
  // The date and time in UTC: readers that take it without a zone (MNE-Python) then
  // place the measurement right.
  const CivilTime utc = CivilOf(start.utc);
  file.Group("/nirs/metaDataTags");
  file.String("/nirs/metaDataTags/SubjectID", PrintableDeviceId(m.deviceId));
  file.String("/nirs/metaDataTags/MeasurementDate",
              Iso("%04d-%02d-%02d", utc.year, utc.month, utc.day));
  file.String("/nirs/metaDataTags/MeasurementTime",
              Iso("%02d:%02d:%02dZ", utc.hour, utc.minute, utc.second));
  file.String("/nirs/metaDataTags/LengthUnit", "mm");
  file.String("/nirs/metaDataTags/TimeUnit", "s");
  file.String("/nirs/metaDataTags/FrequencyUnit", "Hz");
}

void WriteData(Hdf5Image& file, const CurrentMeasurement& m, int n,
               const std::vector<double>& time) {
  std::vector<double> series;
  series.reserve(static_cast<std::size_t>(n) * std::size(kChannels));
  for (int i = 0; i < n; ++i) {
    const SampleValues v = ValuesOf(m, i);
    series.push_back(Molar(v.oxhb));
    series.push_back(Molar(v.dxhb));
  }
  file.Group("/nirs/data1");
  file.Matrix("/nirs/data1/dataTimeSeries", series, std::size(kChannels));
  file.Doubles("/nirs/data1/time", time);
  for (std::size_t k = 0; k < std::size(kChannels); ++k) {
    const std::string list = "/nirs/data1/measurementList" + std::to_string(k + 1);
    file.Group(list);
    file.Int(list + "/sourceIndex", 1);
    file.Int(list + "/detectorIndex", 1);
    file.Int(list + "/wavelengthIndex", kChannels[k].wavelengthIndex);
    file.Int(list + "/dataType", kProcessedDataType);
    file.Int(list + "/dataTypeIndex", 1);
    file.String(list + "/dataTypeLabel", kChannels[k].label);
    file.String(list + "/dataUnit", kConcentrationUnit);
  }
}

void WriteAux(Hdf5Image& file, const CurrentMeasurement& m, int n,
              const std::vector<double>& time) {
  for (std::size_t a = 0; a < std::size(kAux); ++a) {
    std::vector<double> series(static_cast<std::size_t>(n));
    for (int i = 0; i < n; ++i) series[i] = kAux[a].value(ValuesOf(m, i));
    const std::string aux = "/nirs/aux" + std::to_string(a + 1);
    file.Group(aux);
    file.String(aux + "/name", kAux[a].name);
    file.Matrix(aux + "/dataTimeSeries", series, 1);
    file.String(aux + "/dataUnit", kAux[a].unit);
    file.Doubles(aux + "/time", time);
  }
}

// The episodes of the analysis (with its usual parameters) as events: each from its peak
// to its recovery maximum, the drop as its amplitude. An episode the record ends in before
// it recovers lasts to the last sample. A record without an episode has no stim group, as
// an empty one tells readers nothing.
void WriteEpisodes(Hdf5Image& file, const CurrentMeasurement& m, int n) {
  const Analysis a = Analyse(m, AnalysisParameters{});
  if (a.episodes.empty()) return;
  const double last = SampleTenths(n - 1, m.rate) / static_cast<double>(kTenthsPerSecond);
  std::vector<double> events;
  for (const Episode& e : a.episodes) {
    const double end = e.recoveryMaxSeconds.value_or(last);
    events.insert(events.end(), {e.peakSeconds, end - e.peakSeconds, e.drop});
  }
  file.Group("/nirs/stim1");
  file.String("/nirs/stim1/name", kEpisodesStimName);
  file.Matrix("/nirs/stim1/data", events, kStimColumns);
}

void WriteProbe(Hdf5Image& file) {
  file.Group("/nirs/probe");
  file.Doubles("/nirs/probe/wavelengths",
               std::vector<double>(std::begin(kWavelengthsNm), std::end(kWavelengthsNm)));
  file.Matrix("/nirs/probe/sourcePos3D",
              std::vector<double>(std::begin(kSourcePositionMm), std::end(kSourcePositionMm)),
              std::size(kSourcePositionMm));
  file.Matrix("/nirs/probe/detectorPos3D",
              std::vector<double>(std::begin(kDetectorPositionMm), std::end(kDetectorPositionMm)),
              std::size(kDetectorPositionMm));
}

}  // namespace

bool SnirfSupported() {
  return true;
}

std::optional<std::string> SnirfBytes(const CurrentMeasurement& m, const MeasurementStart& start) {
  const int n = UsableSamples(m);
  const std::vector<double> time = TimeAxis(n, m.rate);
  Hdf5Image file;
  file.String("/formatVersion", kFormatVersion);
  file.Group("/nirs");
  WriteMetadata(file, m, start);
  WriteData(file, m, n, time);
  WriteAux(file, m, n, time);
  WriteEpisodes(file, m, n);
  WriteProbe(file);
  return file.Bytes();
}

}  // namespace oxi
