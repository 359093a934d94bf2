#pragma once
#include <cstdint>
#include <deque>
#include <optional>
#include <vector>

namespace oxi {

// The monitor-to-PC direction of one converter: when each byte reaches the converter on
// the serial line, and when the converter hands it to the PC. The converter sends a USB
// packet as soon as it holds a full packet's payload, otherwise when its latency timer
// runs out; the timer restarts with every packet. Times are in microseconds.
class SimulatedLine {
 public:
  struct Segment {
    std::vector<std::uint8_t> bytes;
    std::int64_t startUs;  // the first byte starts no earlier than this
  };

  static constexpr int kPacketPayload = 62;  // 64-byte packets less 2 status bytes
  static constexpr std::int64_t kLatencyUs = 16'000;

  void SetByteTimeUs(double us) { byteUs_ = us; }
  double ByteTimeUs() const { return byteUs_; }

  // Puts the segments on the line one after the other; a segment waits for the line to
  // be free of what was sent before it.
  void Send(const std::vector<Segment>& segments);
  // Bytes handed to the PC by `nowUs` and not yet taken.
  int Delivered(std::int64_t nowUs) const;
  // When the next byte not yet taken is handed over.
  std::optional<std::int64_t> NextDeliveryUs() const;
  // Moves up to `max` delivered bytes to `out`; returns how many.
  int Take(std::uint8_t* out, int max, std::int64_t nowUs);
  // Bytes that have reached the converter by `nowUs`, whenever they are handed over, and
  // taking up to `max` of them: for a converter model that makes its USB packets itself.
  int Arrived(std::int64_t nowUs) const;
  int TakeArrived(std::uint8_t* out, int max, std::int64_t nowUs);
  // Drops what reached the converter by `nowUs`; bytes still on the wire come later.
  void PurgeArrived(std::int64_t nowUs);
  // Drops what arrives at or after `cutUs` (the plug was pulled).
  void CutFrom(std::int64_t cutUs);

 private:
  struct InFlight {
    std::uint8_t byte;
    std::int64_t arriveUs;
    std::int64_t deliverUs;
  };
  void Packetize(std::size_t from);
  // The bytes whose `time` has come by `nowUs`: counted, or taken.
  int CountBy(std::int64_t InFlight::*time, std::int64_t nowUs) const;
  int TakeBy(std::int64_t InFlight::*time, std::uint8_t* out, int max, std::int64_t nowUs);

  double byteUs_ = 0;
  double lineFreeUs_ = 0;
  std::int64_t lastFlushUs_ = 0;
  std::deque<InFlight> bytes_;
};

}  // namespace oxi
