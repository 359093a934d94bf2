#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

namespace oxi {

// Recognises one reply frame in the bytes received, chunk after chunk: STX starts (or
// restarts) the frame, ETX inside it completes it, NAK anywhere before that refuses the
// command. Bytes before the first STX and an ETX outside a frame are ignored. At most
// 1000 characters are kept; the rest of a longer frame is dropped, and the frame still
// completes.
class ReplyReceiver {
 public:
  enum class State { kOutside, kInside, kComplete, kRefused };

  // Examines the bytes in order; what follows a completion or refusal in the same chunk
  // is dropped, and once finished the receiver takes nothing more.
  State Feed(const std::uint8_t* bytes, std::size_t size);
  State GetState() const { return state_; }
  bool Finished() const { return state_ == State::kComplete || state_ == State::kRefused; }
  // The characters between STX and ETX stored so far.
  const std::string& Text() const { return text_; }

 private:
  State state_ = State::kOutside;
  std::string text_;
};

}  // namespace oxi
