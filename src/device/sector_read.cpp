#include "device/sector_read.h"

#include <string>

#include "device/commands.h"

namespace oxi {

SectorRead ReadSector(Link& link, int sector) {
  SectorRead read;
  bool answered = false;
  for (int attempt = 0; attempt < kSectorReadTries; ++attempt) {
    std::string reply;
    const QueryResult result = link.QueryCmd(SectorReadCommand(sector), reply);
    if (result == QueryResult::kLost) break;
    answered = answered || result != QueryResult::kNoFrame;
    if (result != QueryResult::kComplete) continue;
    // A frame too short to carry a sector, or with noise in its digits, is a failed read
    // rather than a sector of made-up bytes.
    if (auto bytes = monitor::DecodeSectorReplyText(reply)) {
      read.status = SectorRead::Status::kOk;
      read.bytes = *bytes;
      return read;
    }
  }
  read.status = answered && !link.Lost() ? SectorRead::Status::kFailed : SectorRead::Status::kGone;
  return read;
}

}  // namespace oxi
