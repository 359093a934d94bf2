#pragma once
#include <cstddef>
#include <cstdint>

namespace oxi {

// The first acknowledgement or refusal in a received chunk, and where the bytes after it
// begin.
struct AckScan {
  enum class Answer { kNone, kAck, kNak } answer = Answer::kNone;
  std::size_t next = 0;
};
AckScan FindAnswer(const std::uint8_t* bytes, std::size_t size);

// Watches received bytes for the start of the erase's completion frame, STX 'D' 'E',
// also when the three bytes are spread over several chunks.
class CompletionWatcher {
 public:
  // True once the three bytes have come in a row.
  bool Feed(const std::uint8_t* bytes, std::size_t size);

 private:
  int matched_ = 0;
};

}  // namespace oxi
