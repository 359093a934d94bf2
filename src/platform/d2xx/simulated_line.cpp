#include "platform/d2xx/simulated_line.h"

#include <algorithm>
#include <cmath>

namespace oxi {

void SimulatedLine::Send(const std::vector<Segment>& segments) {
  const std::size_t from = bytes_.size();
  for (const Segment& segment : segments) {
    double t = std::max(lineFreeUs_, static_cast<double>(segment.startUs));
    for (std::uint8_t b : segment.bytes) {
      t += byteUs_;
      bytes_.push_back({b, std::llround(t), 0});
    }
    lineFreeUs_ = t;
  }
  Packetize(from);
}

void SimulatedLine::Packetize(std::size_t i) {
  while (i < bytes_.size()) {
    const std::int64_t first = bytes_[i].arriveUs;
    const std::int64_t periods =
        first <= lastFlushUs_ ? 0 : (first - lastFlushUs_ + kLatencyUs - 1) / kLatencyUs;
    const std::int64_t timerUs = lastFlushUs_ + periods * kLatencyUs;
    std::size_t j = i;
    while (j < bytes_.size() && j - i < kPacketPayload && bytes_[j].arriveUs <= timerUs) ++j;
    const bool full = j - i == kPacketPayload;
    const std::int64_t flushUs = full ? bytes_[j - 1].arriveUs : timerUs;
    for (std::size_t k = i; k < j; ++k) bytes_[k].deliverUs = flushUs;
    lastFlushUs_ = flushUs;
    i = j;
  }
}

int SimulatedLine::CountBy(std::int64_t InFlight::*time, std::int64_t nowUs) const {
  int n = 0;
  for (const InFlight& b : bytes_) {
    if (b.*time > nowUs) break;
    ++n;
  }
  return n;
}

int SimulatedLine::TakeBy(std::int64_t InFlight::*time, std::uint8_t* out, int max,
                          std::int64_t nowUs) {
  int n = 0;
  while (n < max && !bytes_.empty() && bytes_.front().*time <= nowUs) {
    out[n++] = bytes_.front().byte;
    bytes_.pop_front();
  }
  return n;
}

int SimulatedLine::Delivered(std::int64_t nowUs) const {
  return CountBy(&InFlight::deliverUs, nowUs);
}

int SimulatedLine::Arrived(std::int64_t nowUs) const {
  return CountBy(&InFlight::arriveUs, nowUs);
}

std::optional<std::int64_t> SimulatedLine::NextDeliveryUs() const {
  if (bytes_.empty()) return std::nullopt;
  return bytes_.front().deliverUs;
}

int SimulatedLine::Take(std::uint8_t* out, int max, std::int64_t nowUs) {
  return TakeBy(&InFlight::deliverUs, out, max, nowUs);
}

int SimulatedLine::TakeArrived(std::uint8_t* out, int max, std::int64_t nowUs) {
  return TakeBy(&InFlight::arriveUs, out, max, nowUs);
}

void SimulatedLine::PurgeArrived(std::int64_t nowUs) {
  while (!bytes_.empty() && bytes_.front().arriveUs <= nowUs) bytes_.pop_front();
}

void SimulatedLine::CutFrom(std::int64_t cutUs) {
  while (!bytes_.empty() && bytes_.back().arriveUs >= cutUs) bytes_.pop_back();
}

}  // namespace oxi
