#pragma once
#include <cstdint>
#include <string>

#include "device/download_events.h"
#include "platform/d2xx/d2xx.h"

namespace oxi {

// How a query for one reply frame ended.
enum class QueryResult {
  kComplete,     // a whole frame arrived
  kRefused,      // the monitor answered NAK
  kWriteFailed,  // the command did not go out whole
  kNoFrame,      // no complete frame within the query's time limit
  kLost,         // the converter is gone (unplugged); nothing more can be done with it
};

// Results of SendCmd.
enum SendResult : int {
  kSendAck = 1,             // acknowledged; for the erase: completion frame in a later read
  kSendEraseDone = 2,       // erase: ACK and the completion frame in the same read
  kSendWriteFailed = -1,    // the command did not go out whole
  kSendNak = -2,            // refused
  kSendNoAnswer = -3,       // no ACK or NAK within 5 s; erase: no completion within 60 s
  kSendEraseNak = -4,       // erase refused
  kSendEraseNoAnswer = -5,  // erase: neither ACK nor NAK within 5 s
  kSendLost = -6,           // the converter is gone
};

// The link to one monitor through one converter: opening and configuring it, framing the
// commands and receiving the answers. Waits block in FT_Read (which waits for the first
// byte up to the read time-out) or in the events' WaitKeepingAlive, never in a loop that
// polls without waiting. Once a driver call reports that the converter has gone, every further
// operation returns at once.
class Link {
 public:
  // A query gives up when no frame has come within this time.
  static constexpr std::int64_t kQueryLimitMs = 3000;
  static constexpr std::int64_t kAnswerLimitMs = 5000;
  static constexpr std::int64_t kEraseCompletionLimitMs = 60000;
  // Between two looks at the receive queue the window's messages are dispatched for this
  // long.
  static constexpr int kPollIntervalMs = 10;

  // The waits for an acknowledgement keep the window alive through `events`, which also
  // shows the erase's progress.
  Link(D2xx& d2xx, DownloadEvents& events) : d2xx_(d2xx), events_(events) {}
  ~Link() { Close(); }
  Link(const Link&) = delete;
  Link& operator=(const Link&) = delete;

  // Opens the converter with this serial number and sets the monitor's line up. False
  // only when it cannot be opened.
  bool OpenDevice(const char* serial);
  // Sends a command and receives one reply frame; `reply` gets its text (at most 1000
  // characters) when it is complete.
  QueryResult QueryCmd(const std::string& command, std::string& reply);
  // Sends the clock or erase command and waits for the acknowledgement (for the erase,
  // also for its completion, with the progress bar showing the time it takes).
  int SendCmd(const std::string& command);
  void Close();
  bool Lost() const { return lost_; }

 private:
  // Purges both queues and writes the whole command; false when that failed.
  bool Send(const std::string& command);
  // What is waiting after one look at the converter (which answers within its latency
  // period): the count of bytes read into `chunk`.
  std::uint32_t TakeWaiting(std::uint8_t* chunk);
  int WaitForAnswer();
  int EraseWait();
  // False (and the link counts as lost) when a driver call failed.
  bool Ok(FT_STATUS status);

  D2xx& d2xx_;
  DownloadEvents& events_;
  FT_HANDLE handle_ = nullptr;
  bool lost_ = false;
};

}  // namespace oxi
