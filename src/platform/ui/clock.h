#pragma once
#include <cstdint>

namespace oxi {

// The process clock in milliseconds and a plain sleep. Everything that waits goes through
// one of these, so tests run on a virtual clock and never wait for real.
class Clock {
 public:
  virtual ~Clock() = default;
  virtual std::int64_t NowMs() = 0;
  virtual void SleepMs(std::int64_t ms) = 0;
};

class SystemClock : public Clock {
 public:
  std::int64_t NowMs() override;
  void SleepMs(std::int64_t ms) override;
};

// Time moves only when someone sleeps or advances it.
class VirtualClock : public Clock {
 public:
  explicit VirtualClock(std::int64_t startMs = 0) : now_(startMs) {}
  std::int64_t NowMs() override { return now_; }
  void SleepMs(std::int64_t ms) override {
    if (ms > 0) now_ += ms;
  }
  void AdvanceTo(std::int64_t ms) {
    if (ms > now_) now_ = ms;
  }

 private:
  std::int64_t now_;
};

}  // namespace oxi
