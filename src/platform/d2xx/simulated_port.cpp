#include "platform/d2xx/simulated_port.h"

#include "monitor/protocol.h"
#include "platform/d2xx/ftdi_divisor.h"

namespace oxi {
namespace {

using Kind = SimulatedFault::Kind;

constexpr double kMicrosPerSecond = 1'000'000;
constexpr std::int64_t kMicrosPerMs = 1000;
// What the converter comes up with: 9600 bit/s.
constexpr std::uint16_t kDefaultDivisor = 0x4138;
// A command longer than this is noise; the monitor drops it.
constexpr std::size_t kMaxCommandText = 64;
// Noise on the line before an answer, with an ETX that belongs to no frame.
constexpr std::uint8_t kNoise[] = {'#', monitor::kEtx, 'Z', 'q', 0x7F, '9'};
constexpr char kHexDigits[] = "0123456789ABCDEF";

std::int64_t Ms(int ms) {
  return static_cast<std::int64_t>(ms) * kMicrosPerMs;
}

// A sector reply frame is STX, the reply text, ETX; its type byte is the first digit pair
// after the lead.
void SetSectorType(std::vector<std::uint8_t>& frame, int type) {
  const std::size_t at = 1 + monitor::kReplyLeadLength;
  if (frame.size() != static_cast<std::size_t>(monitor::kSectorReplyTextLength) + 2) return;
  frame[at] = static_cast<std::uint8_t>(kHexDigits[(type >> 4) & 0xF]);
  frame[at + 1] = static_cast<std::uint8_t>(kHexDigits[type & 0xF]);
}

std::vector<std::uint8_t> Concat(std::vector<std::uint8_t> head,
                                 const std::vector<std::uint8_t>& tail) {
  head.insert(head.end(), tail.begin(), tail.end());
  return head;
}

// An answer on its way to the line: what is sent, when it starts and where it pauses.
struct ShapedAnswer {
  MonitorAnswer answer;
  std::int64_t startUs;
  std::int64_t gapUs;  // a pause half-way through the immediate part
};

void Disturb(const SimulatedFault& f, ShapedAnswer& shaped) {
  std::vector<std::uint8_t>& bytes = shaped.answer.immediate;
  switch (f.kind) {
    case Kind::kGarbageBefore:
      for (int i = 0; i < f.value; ++i) bytes.insert(bytes.begin(), kNoise[i % std::size(kNoise)]);
      break;
    case Kind::kSecondStx: {
      const std::size_t cut = std::min<std::size_t>(f.value + 1, bytes.size());
      bytes = Concat({bytes.begin(), bytes.begin() + cut}, bytes);
      break;
    }
    case Kind::kSectorType:
      SetSectorType(bytes, f.value);
      break;
    case Kind::kDelay:
      shaped.startUs += Ms(f.value);
      break;
    case Kind::kSplitFrame:
      shaped.gapUs = Ms(f.value);
      break;
    case Kind::kEraseDuration:
      shaped.answer.laterDelayMs = f.value;
      break;
    default:
      break;
  }
}

// The immediate part (in two halves when it pauses), then the later part after its delay.
std::vector<SimulatedLine::Segment> OnTheLine(const ShapedAnswer& shaped, double byteUs) {
  const std::vector<std::uint8_t>& bytes = shaped.answer.immediate;
  const std::size_t half = shaped.gapUs > 0 ? bytes.size() / 2 : bytes.size();
  const auto timeOf = [byteUs](std::size_t n) { return static_cast<std::int64_t>(n * byteUs); };
  const std::int64_t endUs = shaped.startUs + timeOf(bytes.size()) + shaped.gapUs;
  return {{{bytes.begin(), bytes.begin() + half}, shaped.startUs},
          {{bytes.begin() + half, bytes.end()}, shaped.startUs + timeOf(half) + shaped.gapUs},
          {shaped.answer.later, endUs + Ms(static_cast<int>(shaped.answer.laterDelayMs))}};
}

}  // namespace

void SimulatedD2xx::Port::Reset() {
  SetDivisor(kDefaultDivisor);
  SetDataCharacteristics(8, 0, 0);
  flow_ = 0;
  rts_ = false;
  readTimeoutMs_ = 0;
}

void SimulatedD2xx::Port::SetDivisor(std::uint16_t divisor) {
  divisor_ = divisor;
  line_.SetByteTimeUs(monitor::kBitsPerByteOnLine * kMicrosPerSecond / FtdiBitsPerSecond(divisor));
}

void SimulatedD2xx::Port::SetDataCharacteristics(std::uint8_t bits, std::uint8_t stopBits,
                                                 std::uint8_t parity) {
  bits_ = bits;
  stopBits_ = stopBits;
  parity_ = parity;
}

bool SimulatedD2xx::Port::Configured() const {
  return divisor_ == monitor::kLineDivisor && bits_ == FT_BITS_8 && stopBits_ == FT_STOP_BITS_1 &&
         parity_ == FT_PARITY_NONE && flow_ == FT_FLOW_RTS_CTS && rts_;
}

void SimulatedD2xx::Port::Write(const std::uint8_t* bytes, std::uint32_t size, std::int64_t nowUs) {
  converter_.writes.emplace_back(bytes, bytes + size);
  if (!Configured()) return;  // at another speed the monitor hears only noise
  const double byteUs = line_.ByteTimeUs();
  for (std::uint32_t i = 0; i < size; ++i) {
    const std::uint8_t b = bytes[i];
    if (b == monitor::kStx) {
      inCommand_ = true;
      command_.clear();
    } else if (b == monitor::kEtx && inCommand_) {
      inCommand_ = false;
      CommandArrived(command_, nowUs + static_cast<std::int64_t>((i + 1) * byteUs));
    } else if (inCommand_) {
      command_ += static_cast<char>(b);
      if (command_.size() > kMaxCommandText) inCommand_ = false;
    }
  }
}

std::vector<SimulatedFault> SimulatedD2xx::Port::TakeFaults(const std::string& text) {
  std::vector<SimulatedFault> due;
  for (SimulatedFault& f : converter_.faults) {
    if (text.compare(0, f.command.size(), f.command) != 0 || f.times == 0) continue;
    if (f.skip > 0) {
      --f.skip;
      continue;
    }
    if (f.times > 0) --f.times;
    due.push_back(f);
  }
  return due;
}

MonitorAnswer SimulatedD2xx::Port::AnswerOrReplacement(const std::string& text,
                                                       const std::vector<SimulatedFault>& faults) {
  for (const SimulatedFault& f : faults) {
    if (f.kind == Kind::kNak) return {{monitor::kNak}, {}, 0};
    if (f.kind == Kind::kAnswer) return {f.bytes, {}, 0};
  }
  return converter_.monitor->Answer(text);
}

void SimulatedD2xx::Port::CommandArrived(const std::string& text, std::int64_t atUs) {
  converter_.commands.push_back(text);
  if (!converter_.monitor) return;
  const std::vector<SimulatedFault> faults = TakeFaults(text);
  for (const SimulatedFault& f : faults) {
    if (f.kind == Kind::kSilence) return;
    if (f.kind == Kind::kUnplug) unplugAtUs_ = atUs + Ms(f.value);
  }
  ShapedAnswer shaped{AnswerOrReplacement(text, faults), atUs, 0};
  for (const SimulatedFault& f : faults) Disturb(f, shaped);
  line_.Send(OnTheLine(shaped, line_.ByteTimeUs()));
  if (unplugAtUs_) line_.CutFrom(*unplugAtUs_);
}

}  // namespace oxi
