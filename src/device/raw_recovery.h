#pragma once
#include <string>

#include "device/measurement_download.h"
#include "monitor/raw_image.h"
#include "store/store_state.h"

namespace oxi {

// What decoding a raw image again left in the store.
struct RawRecovery {
  int written = 0;        // records the store did not hold: under a name of their own
  int alreadyStored = 0;  // the store held these bytes (or a longer copy) already
  int notRecovered = 0;   // a measurement whose record could not be made or written
  std::string problem;    // why the image was refused as a whole; empty when it was not
};

// Decodes every measurement of a raw image into the store exactly as the download that read
// it did: the same record bytes and names, an existing record never replaced, and a
// different measurement of the same minute under the next letter.
RawRecovery RecoverRawImage(const monitor::RawImage& image, const StoreState& store,
                            SampleDecoder decode = ToRecordSample);

}  // namespace oxi
