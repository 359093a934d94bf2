#include "device/raw_recovery.h"

#include <system_error>

#include "store/record_writer.h"

namespace oxi {
namespace {

using namespace monitor;

// The sectors the download read, as the image keeps them; any other was never read.
class ImageSectors : public SectorSource {
 public:
  explicit ImageSectors(const RawImage& image) : image_(image) {}
  SectorRead Read(int sector) override {
    SectorRead read;
    if (const SectorBytes* bytes = image_.Find(sector)) {
      read.status = SectorRead::Status::kOk;
      read.bytes = *bytes;
    }
    return read;
  }

 private:
  const RawImage& image_;
};

LocalTime DownloadTime(const RawImageTime& t) {
  LocalTime time;
  time.year = t.year;
  time.month = t.month;
  time.day = t.day;
  time.hour = t.hour;
  time.minute = t.minute;
  time.second = t.second;
  return time;
}

void Count(const MeasurementOutcome& outcome, RawRecovery& recovery) {
  if (!outcome.record) {
    // A damaged head gave no record at download either: nothing is missing.
    if (!outcome.damagedHeadSector) ++recovery.notRecovered;
  } else if (outcome.record->how == StoredAs::kNew || outcome.record->how == StoredAs::kExtended) {
    ++recovery.written;
  } else {
    ++recovery.alreadyStored;
  }
}

}  // namespace

RawRecovery RecoverRawImage(const RawImage& image, const StoreState& store, SampleDecoder decode) {
  RawRecovery recovery;
  const SectorBytes* systemSector = image.Find(kSystemSectorNumber);
  if (!systemSector || (*systemSector)[kTypeOffset] != kSystemSectorType) {
    recovery.problem = "holds no system sector";
    return recovery;
  }
  const SystemSector system = DecodeSystemSector(*systemSector);
  if (!IsSafeDeviceId(system.deviceId)) {
    recovery.problem = "its device ID cannot name a folder";
    return recovery;
  }
  const std::optional<std::filesystem::path> folder = EnsureDeviceFolder(store, system.deviceId);
  const std::error_code problem = folder ? PrepareRecordFolder(*folder) : std::error_code();
  if (!folder || problem) {
    recovery.problem = "the device folder cannot take records" +
                       (problem ? " (" + problem.message() + ")" : std::string());
    return recovery;
  }
  ImageSectors sectors(image);
  const MeasurementSource source{sectors,         system.deviceId,          *folder,
                                 system.ringSize, DownloadTime(image.time), decode};
  for (const DataTableEntry& entry : system.table) Count(StoreMeasurement(source, entry), recovery);
  return recovery;
}

}  // namespace oxi
