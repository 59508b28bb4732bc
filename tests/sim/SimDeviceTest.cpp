// The simulated device as a byte stream: framing, resynchronisation, its
// stored state and its timing faults.
#include "support/SimRig.h"

#include "base/Crc8.h"

#include <gtest/gtest.h>

namespace {

Bytes Request(Bytes head) {
    head.push_back(Crc8(head.data(), head.size()));
    return head;
}

Bytes Joined(const std::vector<SimChunk>& chunks) {
    Bytes all;
    for (const SimChunk& c : chunks) all.insert(all.end(), c.bytes.begin(), c.bytes.end());
    return all;
}

const Bytes kPoll = Request({0xE2, 0xE4, 0x01, 0x00});
const Bytes kPollReply = Request({0xE2, 0xE4, 0x00, 0x03, 0, 0, 0});

TEST(SimStream, AnswersOnlyWhenTheFrameIsComplete) {
    SimClock clock;
    SimDevice device(clock);
    for (std::size_t i = 0; i + 1 < kPoll.size(); ++i) EXPECT_TRUE(device.Feed(&kPoll[i], 1).empty());
    EXPECT_EQ(Joined(device.Feed(&kPoll.back(), 1)), kPollReply);
}

TEST(SimStream, SkipsNoiseAndBadFrames) {
    SimClock clock;
    SimDevice device(clock);
    Bytes stream{0x00, 0xE2, 0x17, 0xE4};
    Bytes badCrc = Request({0xE2, 0xE4, 0x01, 0x00});
    badCrc[4] = uint8_t(badCrc[4] ^ 1);
    stream.insert(stream.end(), badCrc.begin(), badCrc.end());
    stream.insert(stream.end(), kPoll.begin(), kPoll.end());
    EXPECT_EQ(Joined(device.Feed(stream.data(), stream.size())), kPollReply);
    EXPECT_EQ(device.requests().size(), 1u);
}

TEST(SimStream, SplitReplyCarriesItsGap) {
    SimClock clock;
    SimDevice device(clock);
    device.SplitNextReply(2, 40);
    const auto chunks = device.Feed(kPoll.data(), kPoll.size());
    ASSERT_EQ(chunks.size(), 2u);
    EXPECT_EQ(chunks[0].bytes.size(), 2u);
    EXPECT_EQ(chunks[1].delayMs, 40);
    EXPECT_EQ(Joined(chunks), kPollReply);
}

TEST(SimState, ImageRoundTripAndModuleRegisters) {
    SimRig rig;
    ConfigImage image = rig.device.SaveImage();
    EXPECT_TRUE(IsBlockValid(image, kInputTableBlock));
    EXPECT_TRUE(IsBlockValid(image, kKeyMapBlock));
    image.inputModules[1] = {0x42, 6};
    image.audioTable[1][5] = 0x77;
    StoreBlockCrc(image, kInputTableBlock);
    rig.device.LoadImage(image);
    const ConfigImage saved = rig.device.SaveImage();
    EXPECT_EQ(0, std::memcmp(saved.bytes(), image.bytes(), 174));

    uint8_t output[6] = {OutputModuleRegister(7), 0x55, 1, 2, 3, 4};
    ASSERT_EQ(rig.Run(LINK_MODULE_WRITE, output, 6), LINK_OK);
    const ConfigImage updated = rig.device.SaveImage();
    EXPECT_EQ(updated.outputModules[7].code, 0x55);
    EXPECT_EQ(updated.outputModules[7].signal[3], 4);
    EXPECT_TRUE(IsBlockValid(updated, kOutputTableBlock)) << "the device keeps its table CRC valid";
}

TEST(SimState, EraseClearsTheWholeBlock) {
    SimRig rig;
    uint8_t data[4] = {1, 2, 3, 4};
    ASSERT_EQ(rig.Run(LINK_WRITE, data, 4, 0x06FFFC), LINK_OK);
    ASSERT_EQ(rig.Run(LINK_WRITE, data, 4, 0x070000), LINK_OK);
    ASSERT_EQ(rig.Run(LINK_ERASE, data, 1, 0x060000), LINK_OK);
    EXPECT_EQ(rig.device.MemoryAt(0x06FFFC), 0xFF);
    EXPECT_EQ(rig.device.MemoryAt(0x070000), 1) << "the next block is untouched";
}

TEST(SimFaults, RebootSilenceAfterReset) {
    SimRig rig;
    rig.device.SetRebootSilenceMs(15000);
    uint8_t none[4];
    ASSERT_EQ(rig.Run(LINK_RESET, none, 0), LINK_OK);
    EXPECT_EQ(rig.Run(LINK_QUERY, none, 4), LINK_ERR_NO_REPLY);
    rig.clock.SleepMs(15000);
    EXPECT_EQ(rig.Run(LINK_QUERY, none, 4), LINK_OK);
}

TEST(SimFaults, BusyOnlyForTheNamedCommand) {
    SimRig rig;
    rig.device.BusyFor(100000, CMD_READ_MEMORY);
    uint8_t data[18];
    EXPECT_EQ(rig.Run(LINK_READ, data, 18, 0xFF0000), LINK_ERR_DEVICE);
    EXPECT_EQ(rig.Requests(CMD_SET_ADDRESS).size(), 1u);
    EXPECT_GT(rig.Requests(CMD_READ_MEMORY).size(), 10u);
}

}  // namespace
