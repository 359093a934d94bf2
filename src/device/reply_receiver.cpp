#include "device/reply_receiver.h"

#include "monitor/protocol.h"

namespace oxi {

ReplyReceiver::State ReplyReceiver::Feed(const std::uint8_t* bytes, std::size_t size) {
  for (std::size_t i = 0; i < size && !Finished(); ++i) {
    switch (bytes[i]) {
      case monitor::kStx:
        text_.clear();
        state_ = State::kInside;
        break;
      case monitor::kEtx:
        state_ = state_ == State::kInside ? State::kComplete : State::kOutside;
        break;
      case monitor::kNak:
        state_ = State::kRefused;
        break;
      default:
        if (state_ == State::kInside && static_cast<int>(text_.size()) < monitor::kMaxReplyText) {
          text_ += static_cast<char>(bytes[i]);
        }
        break;
    }
  }
  return state_;
}

}  // namespace oxi
