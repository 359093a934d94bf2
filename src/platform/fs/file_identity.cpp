#include "platform/fs/files.h"

namespace oxi {

bool SameFile(const std::filesystem::path& a, const std::filesystem::path& b) {
  const std::optional<FileIdentity> first = IdentityOf(a);
  return first && first == IdentityOf(b);
}

}  // namespace oxi
