#include "device/link.h"

#include "device/ack_scan.h"
#include "device/commands.h"
#include "device/reply_receiver.h"
#include "monitor/protocol.h"

namespace oxi {
namespace {

using namespace monitor;

// RTS/CTS flow control uses no XON/XOFF characters.
constexpr UCHAR kNoXon = 0;
constexpr UCHAR kNoXoff = 0;
constexpr ULONG kPurgeBoth = FT_PURGE_RX | FT_PURGE_TX;
// The erase's progress bar counts tenths of a second, round and round.
constexpr std::int64_t kTenthMs = 100;

}  // namespace

bool Link::Ok(FT_STATUS status) {
  if (status != FT_OK) lost_ = true;
  return !lost_;
}

bool Link::OpenDevice(const char* serial) {
  Close();
  lost_ = false;
  if (d2xx_.FT_OpenEx(serial, FT_OPEN_BY_SERIAL_NUMBER, &handle_) != FT_OK) {
    handle_ = nullptr;
    return false;
  }
  // The settings are made anew at every open; a call that fails here shows up as a
  // failed command afterwards.
  d2xx_.FT_ResetDevice(handle_);
  d2xx_.FT_SetDivisor(handle_, kLineDivisor);
  d2xx_.FT_SetDataCharacteristics(handle_, FT_BITS_8, FT_STOP_BITS_1, FT_PARITY_NONE);
  d2xx_.FT_SetFlowControl(handle_, FT_FLOW_RTS_CTS, kNoXon, kNoXoff);
  d2xx_.FT_Purge(handle_, kPurgeBoth);
  d2xx_.FT_SetTimeouts(handle_, kReadTimeoutMs, kWriteTimeoutMs);
  d2xx_.FT_SetRts(handle_);
  return true;
}

void Link::Close() {
  if (!handle_) return;
  d2xx_.FT_Close(handle_);
  handle_ = nullptr;
}

bool Link::Send(const std::string& command) {
  if (lost_ || !handle_) return false;
  d2xx_.FT_Purge(handle_, kPurgeBoth);
  DWORD written = 0;
  const FT_STATUS status =
      d2xx_.FT_Write(handle_, command.data(), static_cast<DWORD>(command.size()), &written);
  return Ok(status) && written == command.size();
}

QueryResult Link::QueryCmd(const std::string& command, std::string& reply) {
  if (!Send(command)) return lost_ || !handle_ ? QueryResult::kLost : QueryResult::kWriteFailed;
  ReplyReceiver receiver;
  const std::int64_t deadline = events_.NowMs() + kQueryLimitMs;
  std::uint8_t chunk[kReceiveChunkSize];
  for (;;) {
    DWORD got = 0;
    if (!Ok(d2xx_.FT_Read(handle_, chunk, kReceiveChunkSize, &got))) return QueryResult::kLost;
    receiver.Feed(chunk, got);
    if (receiver.GetState() == ReplyReceiver::State::kComplete) {
      reply = receiver.Text();
      return QueryResult::kComplete;
    }
    if (receiver.GetState() == ReplyReceiver::State::kRefused) return QueryResult::kRefused;
    if (events_.NowMs() >= deadline) return QueryResult::kNoFrame;
  }
}

std::uint32_t Link::TakeWaiting(std::uint8_t* chunk) {
  DWORD waiting = 0;
  if (!Ok(d2xx_.FT_GetQueueStatus(handle_, &waiting)) || waiting == 0) return 0;
  DWORD got = 0;
  if (!Ok(d2xx_.FT_Read(handle_, chunk, kReceiveChunkSize, &got))) return 0;
  return got;
}

int Link::SendCmd(const std::string& command) {
  if (!Send(command)) return lost_ || !handle_ ? kSendLost : kSendWriteFailed;
  return IsEraseCommand(command) ? EraseWait() : WaitForAnswer();
}

int Link::WaitForAnswer() {
  const std::int64_t start = events_.NowMs();
  std::uint8_t chunk[kReceiveChunkSize] = {};
  while (events_.NowMs() - start < kAnswerLimitMs) {
    const std::uint32_t got = TakeWaiting(chunk);
    if (lost_) return kSendLost;
    if (got == 0) {
      events_.WaitKeepingAlive(kPollIntervalMs);
      continue;
    }
    const AckScan scan = FindAnswer(chunk, got);
    if (scan.answer == AckScan::Answer::kAck) return kSendAck;
    if (scan.answer == AckScan::Answer::kNak) return kSendNak;
    events_.KeepAlive();
  }
  return kSendNoAnswer;
}

int Link::EraseWait() {
  events_.ProgressBar(0);
  const std::int64_t start = events_.NowMs();
  std::int64_t ackedAt = -1;
  int bar = 0;
  CompletionWatcher watcher;
  std::uint8_t chunk[kReceiveChunkSize] = {};
  for (;;) {
    const std::int64_t now = events_.NowMs();
    if (ackedAt < 0 && now - start >= kAnswerLimitMs) return kSendEraseNoAnswer;
    if (ackedAt >= 0 && now - ackedAt >= kEraseCompletionLimitMs) return kSendNoAnswer;
    const std::uint32_t got = TakeWaiting(chunk);
    if (lost_) return kSendLost;
    if (got == 0) {
      events_.WaitKeepingAlive(kPollIntervalMs);
    } else if (ackedAt < 0) {
      const AckScan scan = FindAnswer(chunk, got);
      if (scan.answer == AckScan::Answer::kNak) return kSendEraseNak;
      if (scan.answer == AckScan::Answer::kAck) {
        ackedAt = now;
        if (watcher.Feed(chunk + scan.next, got - scan.next)) return kSendEraseDone;
      }
      events_.KeepAlive();
    } else {
      if (watcher.Feed(chunk, got)) return kSendAck;
      events_.KeepAlive();
    }
    // While the monitor erases after its ACK, the bar shows that time goes on.
    const int tenths = static_cast<int>((events_.NowMs() - start) / kTenthMs % kProgressDone);
    if (ackedAt >= 0 && tenths != bar) {
      bar = tenths;
      events_.ProgressBar(bar);
    }
  }
}

}  // namespace oxi
