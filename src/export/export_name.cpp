#include "export/export_name.h"

#include "store/record_file.h"

namespace oxi {

std::string ExportFileStem(const std::string& recordName, const std::string& title) {
  // Only "YYMMDDhhmm" + one lowercase letter + ".oxi" carries a letter.
  const std::size_t lettered = kRecordKeyLength + 1 + std::string(kRecordExtension).size();
  if (recordName.size() != lettered || !StartsWithTenDigits(recordName) ||
      !HasRecordExtension(recordName)) {
    return title;
  }
  const char letter = recordName[kRecordKeyLength];
  if (letter < 'a' || letter > 'z') return title;
  return title + letter;
}

}  // namespace oxi
