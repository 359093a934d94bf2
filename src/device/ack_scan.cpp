#include "device/ack_scan.h"

#include "monitor/protocol.h"

namespace oxi {
namespace {

constexpr std::uint8_t kCompletionStart[] = {monitor::kStx,
                                             static_cast<std::uint8_t>(monitor::kEraseMnemonic[0]),
                                             static_cast<std::uint8_t>(monitor::kEraseMnemonic[1])};
constexpr int kCompletionLength = static_cast<int>(sizeof kCompletionStart);

}  // namespace

AckScan FindAnswer(const std::uint8_t* bytes, std::size_t size) {
  for (std::size_t i = 0; i < size; ++i) {
    if (bytes[i] == monitor::kAck) return {AckScan::Answer::kAck, i + 1};
    if (bytes[i] == monitor::kNak) return {AckScan::Answer::kNak, i + 1};
  }
  return {AckScan::Answer::kNone, size};
}

bool CompletionWatcher::Feed(const std::uint8_t* bytes, std::size_t size) {
  for (std::size_t i = 0; i < size && matched_ < kCompletionLength; ++i) {
    if (bytes[i] == kCompletionStart[matched_]) {
      ++matched_;
    } else {
      matched_ = bytes[i] == kCompletionStart[0] ? 1 : 0;
    }
  }
  return matched_ == kCompletionLength;
}

}  // namespace oxi
