// The link's reply receiver fed any byte stream, in any cutting into chunks, and the link
// itself receiving that stream through a simulated converter as the answer to a sector
// read, the clock command and the erase.
// Input: a count k (0..15), k chunk lengths, then the stream.
#include <algorithm>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "app/download_view.h"
#include "device/commands.h"
#include "device/link.h"
#include "device/reply_receiver.h"
#include "fuzz_support.h"
#include "monitor/protocol.h"
#include "platform/d2xx/simulated_d2xx.h"
#include "platform/ui/scripted_platform.h"

namespace oxi::fuzz {
namespace {

using Bytes = std::vector<std::uint8_t>;
constexpr int kMaxChunkCount = 15;
constexpr const char* kSerial = "Kx47FUZZ";
// Streams up to this long reach the PC well inside the query's 3 s on the real line
// timing, so their outcome must not depend on time.
constexpr std::size_t kLinkStreamLimit = 6000;
// What a wait may overrun its limit by: the read time-out and a poll.
constexpr std::int64_t kWaitSlackMs = 600;

ReplyReceiver WholeStream(const Bytes& stream) {
  ReplyReceiver r;
  r.Feed(stream.data(), stream.size());
  return r;
}

void CheckChunked(const Bytes& stream, const std::vector<std::size_t>& cuts) {
  const ReplyReceiver whole = WholeStream(stream);
  ReplyReceiver chunked;
  std::size_t pos = 0;
  for (std::size_t c = 0; pos < stream.size(); ++c) {
    const std::size_t n = c < cuts.size() ? std::min(cuts[c], stream.size() - pos) : 1;
    const bool wasFinished = chunked.Finished();
    const std::string before = chunked.Text();
    chunked.Feed(stream.data() + pos, n);
    pos += n;
    if (wasFinished) Check(chunked.Text() == before, "a finished receiver took more bytes");
    Check(chunked.Text().size() <= static_cast<std::size_t>(monitor::kMaxReplyText),
          "reply text longer than the limit");
  }
  Check(chunked.GetState() == whole.GetState(), "state depends on the chunking");
  Check(chunked.Text() == whole.Text(), "text depends on the chunking");
  for (char ch : whole.Text()) {
    const auto b = static_cast<std::uint8_t>(ch);
    Check(b != monitor::kStx && b != monitor::kEtx && b != monitor::kNak,
          "control character in a reply text");
  }
}

// The first ACK or NAK of the stream and where the bytes after it start.
std::pair<std::uint8_t, std::size_t> FirstAnswer(const Bytes& stream) {
  for (std::size_t i = 0; i < stream.size(); ++i) {
    if (stream[i] == monitor::kAck || stream[i] == monitor::kNak) return {stream[i], i + 1};
  }
  return {0, stream.size()};
}

bool HoldsEraseCompletion(const Bytes& stream, std::size_t from) {
  const Bytes start = {monitor::kStx, 'D', 'E'};
  return std::search(stream.begin() + static_cast<long>(from), stream.end(), start.begin(),
                     start.end()) != stream.end();
}

class LinkSession {
 public:
  explicit LinkSession(const Bytes& stream) {
    auto& c =
        d2xx_.AddConverter(kSerial, std::make_unique<SimulatedMonitor>(monitor::MonitorImage(1)));
    using Kind = SimulatedFault::Kind;
    for (const char* command : {"SR", "SC", "DE"}) {
      c.faults.push_back({Kind::kAnswer, command, 0, 0, 1, stream});
    }
    Check(link_.OpenDevice(kSerial), "the simulated converter does not open");
  }
  std::int64_t Now() { return platform_.Virtual().NowMs(); }
  Link& link() { return link_; }

 private:
  ScriptedPlatform platform_;
  SimulatedD2xx d2xx_{platform_.Virtual()};
  WindowDownloadEvents events_{platform_};
  Link link_{d2xx_, events_};
};

void CheckQuery(LinkSession& s, const Bytes& stream) {
  const ReplyReceiver whole = WholeStream(stream);
  std::string reply = "untouched";
  const std::int64_t start = s.Now();
  const QueryResult q = s.link().QueryCmd(SectorReadCommand(0), reply);
  Check(s.Now() - start <= Link::kQueryLimitMs + kWaitSlackMs, "query overran its limit");
  switch (whole.GetState()) {
    case ReplyReceiver::State::kComplete:
      Check(q == QueryResult::kComplete && reply == whole.Text(), "complete frame not taken");
      break;
    case ReplyReceiver::State::kRefused:
      Check(q == QueryResult::kRefused, "NAK not reported");
      break;
    default:
      Check(q == QueryResult::kNoFrame && reply == "untouched", "frame reported without one");
  }
}

void CheckClock(LinkSession& s, const Bytes& stream) {
  const std::int64_t start = s.Now();
  const int r = s.link().SendCmd(ClockCommand({2009, 3, 7, 14, 5, 9}));
  Check(s.Now() - start <= Link::kAnswerLimitMs + kWaitSlackMs, "clock wait overran");
  const auto [answer, next] = FirstAnswer(stream);
  const int expected = answer == monitor::kAck   ? kSendAck
                       : answer == monitor::kNak ? kSendNak
                                                 : kSendNoAnswer;
  Check(r == expected, "clock result", std::to_string(r));
}

void CheckErase(LinkSession& s, const Bytes& stream) {
  const std::int64_t start = s.Now();
  const int r = s.link().SendCmd(EraseCommand());
  Check(s.Now() - start <= Link::kAnswerLimitMs + Link::kEraseCompletionLimitMs + 2 * kWaitSlackMs,
        "erase wait overran");
  const auto [answer, next] = FirstAnswer(stream);
  if (answer == monitor::kNak) return Check(r == kSendEraseNak, "erase NAK", std::to_string(r));
  if (answer != monitor::kAck) return Check(r == kSendEraseNoAnswer, "erase silence");
  const bool done = r == kSendEraseDone || r == kSendAck;
  Check(done == HoldsEraseCompletion(stream, next), "erase completion", std::to_string(r));
  if (!done) Check(r == kSendNoAnswer, "erase without completion", std::to_string(r));
}

}  // namespace
}  // namespace oxi::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace oxi::fuzz;
  Input in(data, size);
  const int count = in.Byte() % (kMaxChunkCount + 1);
  std::vector<std::size_t> cuts;
  for (int i = 0; i < count; ++i) cuts.push_back(in.Byte());
  const std::string_view rest = in.Rest();
  const Bytes stream(rest.begin(), rest.end());
  CheckChunked(stream, cuts);
  if (stream.size() > kLinkStreamLimit) return 0;
  // A session each: what is still on the line after one command would answer the next.
  LinkSession query(stream), clock(stream), erase(stream);
  CheckQuery(query, stream);
  CheckClock(clock, stream);
  CheckErase(erase, stream);
  return 0;
}
