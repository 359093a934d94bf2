#pragma once
#include "device/link.h"
#include "monitor/sectors.h"

namespace oxi {

struct SectorRead {
  enum class Status {
    kOk,      // `bytes` holds the sector
    kFailed,  // every try was refused or brought no usable sector
    kGone,    // the converter went away, or the monitor answered none of the tries
  } status = Status::kFailed;
  monitor::SectorBytes bytes{};
};

// A failed read is tried again (each query purges first) before it counts as failed.
inline constexpr int kSectorReadTries = 3;

// Reads one sector of the monitor's memory.
SectorRead ReadSector(Link& link, int sector);

}  // namespace oxi
