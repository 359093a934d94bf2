// The link's commands, answers and time limits on a simulated monitor and a virtual clock.
#include "device/link.h"

#include <gtest/gtest.h>

#include "app/download_view.h"
#include "device/commands.h"
#include "device_test_support.h"

namespace oxi::testing {
namespace {

using Kind = SimulatedFault::Kind;

const std::uint8_t kStx = 0x02, kEtx = 0x03, kAck = 0x06, kNak = 0x15;

TEST(Commands, BytesOnTheWire) {
  EXPECT_EQ(ClockCommand({2009, 3, 7, 14, 5, 9}), "\x02SC,090307,140509\x03");
  // STX, sixteen characters, ETX.
  EXPECT_EQ(ClockCommand({2009, 3, 7, 14, 5, 9}).size(), 18u);
  EXPECT_EQ(SectorReadCommand(300), "\x02SR,012C\x03");
  EXPECT_EQ(SectorReadCommand(0), "\x02SR,0000\x03");
  EXPECT_EQ(SectorReadCommand(0xFFFF), "\x02SR,FFFF\x03");
  EXPECT_EQ(EraseCommand(),
            "\x02"
            "DE\x03");
  EXPECT_TRUE(IsEraseCommand(EraseCommand()));
  EXPECT_FALSE(IsEraseCommand(ClockCommand({2009, 3, 7, 14, 5, 9})));
  EXPECT_FALSE(IsEraseCommand(""));
  EXPECT_FALSE(IsEraseCommand("\x02"));
}

// A converter that sends one byte fewer than asked.
class ShortWriteD2xx : public SimulatedD2xx {
 public:
  using SimulatedD2xx::SimulatedD2xx;
  FT_STATUS FT_Write(FT_HANDLE h, const void* data, DWORD size, DWORD* written) override {
    return SimulatedD2xx::FT_Write(h, data, size - 1, written);
  }
};

class LinkTest : public ::testing::Test {
 protected:
  void SetUp() override {
    converter = &d2xx.AddConverter(
        "Kx47L1", std::make_unique<SimulatedMonitor>(
                      ImageBuilder().Add(1, Head(8, 3, 15, 9, 5), Samples(10)).Build()));
    ASSERT_TRUE(link.OpenDevice("Kx47L1"));
  }
  std::int64_t Now() { return platform.Virtual().NowMs(); }
  void Answer(std::vector<std::uint8_t> bytes, const std::string& command = "") {
    converter->faults.push_back({Kind::kAnswer, command, 0, 0, 1, std::move(bytes)});
  }
  const std::string clock = ClockCommand({2009, 3, 7, 14, 5, 9});

  ScriptedPlatform platform;
  SimulatedD2xx d2xx{platform.Virtual()};
  SimulatedConverter* converter = nullptr;
  WindowDownloadEvents events{platform};
  Link link{d2xx, events};
};

TEST_F(LinkTest, ClockCommandResults) {
  EXPECT_EQ(link.SendCmd(clock), kSendAck);
  EXPECT_EQ(converter->writes.back(), std::vector<std::uint8_t>(clock.begin(), clock.end()));
  converter->faults = {{Kind::kNak, "SC"}};
  EXPECT_EQ(link.SendCmd(clock), kSendNak);
  Answer({'x', kNak, kAck});
  EXPECT_EQ(link.SendCmd(clock), kSendNak);
  Answer({kAck, kNak});
  EXPECT_EQ(link.SendCmd(clock), kSendAck);
  converter->faults = {{Kind::kSilence, "SC"}};
  const std::int64_t start = Now();
  EXPECT_EQ(link.SendCmd(clock), kSendNoAnswer);
  EXPECT_GE(Now() - start, Link::kAnswerLimitMs);
  EXPECT_LT(Now() - start, Link::kAnswerLimitMs + 100);
}

TEST(LinkWrite, ShortWriteFails) {
  ScriptedPlatform platform;
  ShortWriteD2xx d2xx(platform.Virtual());
  d2xx.AddConverter("Kx47W", std::make_unique<SimulatedMonitor>(ImageBuilder().Build()));
  WindowDownloadEvents events(platform);
  Link link(d2xx, events);
  ASSERT_TRUE(link.OpenDevice("Kx47W"));
  EXPECT_EQ(link.SendCmd(EraseCommand()), kSendWriteFailed);
  std::string reply;
  EXPECT_EQ(link.QueryCmd(SectorReadCommand(0), reply), QueryResult::kWriteFailed);
  EXPECT_FALSE(link.Lost());
}

TEST_F(LinkTest, EraseResults) {
  EXPECT_EQ(link.SendCmd(EraseCommand()), kSendEraseDone);
  EXPECT_EQ(monitor::ReadTableEntry(converter->monitor->Image().System(), 0).firstSector,
            monitor::kEndOfTable);
  Answer({kAck, kStx, 'D', 'E', kEtx});
  EXPECT_EQ(link.SendCmd(EraseCommand()), kSendEraseDone);
  converter->faults = {{Kind::kNak, "DE"}};
  EXPECT_EQ(link.SendCmd(EraseCommand()), kSendEraseNak);
  converter->faults = {{Kind::kSilence, "DE"}};
  std::int64_t start = Now();
  EXPECT_EQ(link.SendCmd(EraseCommand()), kSendEraseNoAnswer);
  EXPECT_GE(Now() - start, Link::kAnswerLimitMs);
  // An ACK whose completion never follows is given up a minute after the ACK.
  Answer({kAck});
  start = Now();
  EXPECT_EQ(link.SendCmd(EraseCommand()), kSendNoAnswer);
  EXPECT_GE(Now() - start, Link::kEraseCompletionLimitMs);
  EXPECT_LT(Now() - start, Link::kEraseCompletionLimitMs + 100);
  // Meanwhile the bar counted tenths of a second, round and round.
  const auto& log = platform.Progress().log;
  EXPECT_EQ(std::count(log.begin(), log.end(), "bar 99"), 6);
  EXPECT_EQ(std::count(log.begin(), log.end(), "bar 100"), 0);
}

TEST_F(LinkTest, LateEraseCompletionIsWaitedFor) {
  converter->faults = {{Kind::kEraseDuration, "DE", 1500}};
  const std::int64_t start = Now();
  EXPECT_EQ(link.SendCmd(EraseCommand()), kSendAck);
  EXPECT_GE(Now() - start, 1500);
  EXPECT_LT(Now() - start, 1600);
  const auto& log = platform.Progress().log;
  ASSERT_GE(log.size(), 15u);
  EXPECT_EQ(log.front(), "bar 0");
  EXPECT_EQ(log[14], "bar 14");
}

TEST_F(LinkTest, QueryReceivesASectorWithoutWaitingForTheTimeOut) {
  std::string reply;
  const std::int64_t start = Now();
  ASSERT_EQ(link.QueryCmd(SectorReadCommand(1), reply), QueryResult::kComplete);
  // 9 + 522 bytes at 32,787 bit/s are 162 ms; the converter's packets add up to 16 ms.
  EXPECT_GE(Now() - start, 162);
  EXPECT_LE(Now() - start, 180);
  EXPECT_EQ(reply.size(), 520u);
  EXPECT_EQ(reply.substr(0, 8), "SR,0001,");
  EXPECT_EQ(reply.substr(8, 2), "01");  // a head sector
  EXPECT_GT(d2xx.readsWithBytes, 5);
}

TEST_F(LinkTest, QueryIsBoundedAndWaitsInTheDriver) {
  converter->faults = {{Kind::kSilence, "SR"}};
  std::string reply;
  const std::int64_t start = Now();
  EXPECT_EQ(link.QueryCmd(SectorReadCommand(1), reply), QueryResult::kNoFrame);
  EXPECT_GE(Now() - start, Link::kQueryLimitMs);
  EXPECT_LT(Now() - start, Link::kQueryLimitMs + 600);
  // Each read waited its 500 ms: no spinning.
  EXPECT_LE(d2xx.reads, 7);
  converter->faults = {{Kind::kNak, "SR"}};
  EXPECT_EQ(link.QueryCmd(SectorReadCommand(1), reply), QueryResult::kRefused);
}

TEST_F(LinkTest, LongFrameIsCutToItsFirstThousandCharacters) {
  std::vector<std::uint8_t> frame{kStx};
  for (int i = 0; i < 1500; ++i) frame.push_back(static_cast<std::uint8_t>('A' + i / 1000));
  frame.push_back(kEtx);
  Answer(frame);
  std::string reply;
  EXPECT_EQ(link.QueryCmd(SectorReadCommand(1), reply), QueryResult::kComplete);
  EXPECT_EQ(reply, std::string(1000, 'A'));
}

TEST_F(LinkTest, UnpluggedConverterEndsEverythingAtOnce) {
  converter->faults = {{Kind::kUnplug, "SR", 50}};
  std::string reply;
  EXPECT_EQ(link.QueryCmd(SectorReadCommand(1), reply), QueryResult::kLost);
  EXPECT_TRUE(link.Lost());
  const std::int64_t at = Now();
  EXPECT_EQ(link.QueryCmd(SectorReadCommand(1), reply), QueryResult::kLost);
  EXPECT_EQ(link.SendCmd(clock), kSendLost);
  EXPECT_EQ(Now(), at);
}

}  // namespace
}  // namespace oxi::testing
