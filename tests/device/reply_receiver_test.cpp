// Recognising reply frames and acknowledgements in the received chunks, however the bytes
// are cut into chunks.
#include <gtest/gtest.h>

#include <string>

#include "device/ack_scan.h"
#include "device/reply_receiver.h"

namespace oxi {
namespace {

using State = ReplyReceiver::State;

const char kStx = 0x02, kEtx = 0x03, kAck = 0x06, kNak = 0x15;

State Feed(ReplyReceiver& r, const std::string& chunk) {
  return r.Feed(reinterpret_cast<const std::uint8_t*>(chunk.data()), chunk.size());
}

TEST(ReplyReceiver, FrameCompletesInALaterChunk) {
  ReplyReceiver r;
  EXPECT_EQ(Feed(r, std::string(1, kStx) + "SR,0001,00"), State::kInside);
  EXPECT_EQ(Feed(r, ""), State::kInside);
  EXPECT_EQ(Feed(r, std::string("FF") + kEtx + "junk"), State::kComplete);
  EXPECT_EQ(r.Text(), "SR,0001,00FF");
  // Once complete it takes nothing more.
  Feed(r, std::string(1, kStx) + "other" + kEtx);
  EXPECT_EQ(r.Text(), "SR,0001,00FF");
}

TEST(ReplyReceiver, NoiseBeforeTheFrameAndStrayEtxAreIgnored) {
  ReplyReceiver r;
  EXPECT_EQ(Feed(r, std::string("#") + kEtx + "Zq"), State::kOutside);
  EXPECT_EQ(Feed(r, std::string(1, kStx) + "AB" + kEtx), State::kComplete);
  EXPECT_EQ(r.Text(), "AB");
}

TEST(ReplyReceiver, SecondStxRestartsTheFrame) {
  ReplyReceiver r;
  Feed(r, std::string(1, kStx) + "SR,00");
  Feed(r, std::string(1, kStx) + "SR,0002,");
  EXPECT_EQ(Feed(r, std::string("AA") + kEtx), State::kComplete);
  EXPECT_EQ(r.Text(), "SR,0002,AA");
}

TEST(ReplyReceiver, NakBeforeTheEndRefuses) {
  for (const std::string& stream : {std::string(1, kNak), std::string(1, kStx) + "AB" + kNak + kEtx,
                                    std::string("xy") + kNak + kStx + "AB" + kEtx}) {
    ReplyReceiver r;
    EXPECT_EQ(Feed(r, stream), State::kRefused) << stream;
  }
  ReplyReceiver after;
  EXPECT_EQ(Feed(after, std::string(1, kStx) + "AB" + kEtx + kNak), State::kComplete);
}

TEST(ReplyReceiver, LongFrameIsCutButComplete) {
  ReplyReceiver r;
  Feed(r, std::string(1, kStx) + std::string(700, 'A'));
  Feed(r, std::string(700, 'B'));
  EXPECT_EQ(Feed(r, std::string(1, kEtx)), State::kComplete);
  EXPECT_EQ(r.Text(), std::string(700, 'A') + std::string(300, 'B'));
}

TEST(AckScan, FirstAnswerCountsAndCompletionSpansChunks) {
  const std::string nakFirst = std::string("z") + kNak + kAck;
  const std::string ackFirst = std::string(1, kAck) + kNak;
  const auto scan = [](const std::string& s) {
    return FindAnswer(reinterpret_cast<const std::uint8_t*>(s.data()), s.size());
  };
  EXPECT_EQ(scan(nakFirst).answer, AckScan::Answer::kNak);
  EXPECT_EQ(scan(ackFirst).answer, AckScan::Answer::kAck);
  EXPECT_EQ(scan(ackFirst).next, 1u);
  EXPECT_EQ(scan("noise").answer, AckScan::Answer::kNone);

  CompletionWatcher watcher;
  const auto feed = [&](const std::string& s) {
    return watcher.Feed(reinterpret_cast<const std::uint8_t*>(s.data()), s.size());
  };
  EXPECT_FALSE(feed(std::string(1, kStx) + "D" + kStx));
  EXPECT_FALSE(feed("D"));
  EXPECT_TRUE(feed(std::string("E") + kEtx));
}

}  // namespace
}  // namespace oxi
