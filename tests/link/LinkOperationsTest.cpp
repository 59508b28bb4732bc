// Link operations: memory reads and writes with their chunking, block walk
// and retries; module commands; reset, clock and query.
#include "support/SimRig.h"

#include <gtest/gtest.h>

#include <numeric>

namespace {

Bytes Pattern(std::size_t size, uint8_t first) {
    Bytes bytes(size);
    std::iota(bytes.begin(), bytes.end(), first);
    return bytes;
}

Bytes Memory(const SimDevice& device, uint32_t address, std::size_t size) {
    Bytes bytes;
    for (std::size_t i = 0; i < size; ++i) bytes.push_back(device.MemoryAt(address + uint32_t(i)));
    return bytes;
}

// Fails the n-th (1-based) request with this command.
void FailNth(SimDevice& device, uint8_t command, std::size_t n) {
    device.SetRequestObserver([&device, command, n, seen = std::size_t(0)](const Bytes& frame) mutable {
        if (frame[2] == command && ++seen == n) device.FailRequests(1, command);
    });
}

TEST(LinkRead, ChunksOf32WithProgressOffsets) {
    SimRig rig;
    const Bytes stored = Pattern(41, 0x40);
    Bytes preset = stored;
    ASSERT_EQ(rig.Run(LINK_WRITE, preset.data(), 41, 0x050000), LINK_OK);
    rig.device.ClearRequests();
    rig.target.reports.clear();

    uint8_t buffer[41] = {};
    ASSERT_EQ(rig.Run(LINK_READ, buffer, 41, 0x050000), LINK_OK);
    EXPECT_EQ(rig.Commands(), (Bytes{CMD_SET_ADDRESS, CMD_READ_MEMORY, CMD_READ_MEMORY}));
    EXPECT_EQ(rig.Requests(CMD_READ_MEMORY)[0][3], 32);
    EXPECT_EQ(rig.Requests(CMD_READ_MEMORY)[1][3], 9);
    EXPECT_EQ(rig.target.ProgressOffsets(), (std::vector<long>{0, 32}));
    EXPECT_EQ(Bytes(buffer, buffer + 41), stored);
}

TEST(LinkRead, NonzeroProgressAnswerAborts) {
    SimRig rig;
    rig.target.progressAnswer = 1;
    uint8_t buffer[41];
    EXPECT_EQ(rig.Run(LINK_READ, buffer, 41, 0xFF0080), LINK_ERR_ABORTED);
    EXPECT_EQ(rig.Requests(CMD_READ_MEMORY).size(), 1u);
}

TEST(LinkWrite, SeventeenBytesAreOneChunk) {
    SimRig rig;
    Bytes data = Pattern(17, 1);
    ASSERT_EQ(rig.Run(LINK_WRITE, data.data(), 17, 0xFF0040), LINK_OK);
    EXPECT_EQ(rig.Commands(), (Bytes{CMD_SET_ADDRESS, CMD_WRITE_MEMORY}));
    EXPECT_EQ(rig.Requests(CMD_WRITE_MEMORY)[0][3], 17);
    EXPECT_EQ(rig.target.ProgressOffsets(), (std::vector<long>{0}));
    EXPECT_EQ(Memory(rig.device, 0xFF0040, 17), data);
}

struct WalkCase {
    const char* name;
    int kind;
    uint32_t address;
    uint32_t length;
    Bytes commands;
};

TEST(LinkWrite, BlockWalk) {
    const WalkCase cases[] = {
        {"write across a 64 KB boundary",
         LINK_WRITE,
         0x01FFF0,
         48,
         {CMD_SET_ADDRESS, CMD_WRITE_MEMORY, CMD_SET_ADDRESS, CMD_WRITE_MEMORY}},
        {"erase-write erases each block first",
         LINK_ERASE_WRITE,
         0x01FFF0,
         48,
         {CMD_SET_ADDRESS, CMD_ERASE_BLOCK, CMD_WRITE_MEMORY, CMD_SET_ADDRESS, CMD_ERASE_BLOCK, CMD_WRITE_MEMORY}},
        {"erase writes nothing",
         LINK_ERASE,
         0x01FFF0,
         48,
         {CMD_SET_ADDRESS, CMD_ERASE_BLOCK, CMD_SET_ADDRESS, CMD_ERASE_BLOCK}},
        {"one block, three chunks",
         LINK_WRITE,
         0x030000,
         80,
         {CMD_SET_ADDRESS, CMD_WRITE_MEMORY, CMD_WRITE_MEMORY, CMD_WRITE_MEMORY}},
    };
    for (const WalkCase& c : cases) {
        SimRig rig;
        Bytes data = Pattern(c.length, 7);
        EXPECT_EQ(rig.Run(c.kind, data.data(), c.length, c.address), LINK_OK) << c.name;
        EXPECT_EQ(rig.Commands(), c.commands) << c.name;
        for (const Bytes& write : rig.Requests(CMD_WRITE_MEMORY)) EXPECT_LE(write[3], 32) << c.name;
        if (c.kind != LINK_ERASE) {
            EXPECT_EQ(Memory(rig.device, c.address, c.length), data) << c.name;
        }
    }
}

TEST(LinkWrite, ChunksStopAtTheBlockBoundary) {
    SimRig rig;
    Bytes data = Pattern(48, 7);
    ASSERT_EQ(rig.Run(LINK_ERASE_WRITE, data.data(), 48, 0x01FFF0), LINK_OK);
    const auto writes = rig.Requests(CMD_WRITE_MEMORY);
    ASSERT_EQ(writes.size(), 2u);
    EXPECT_EQ(writes[0][3], 16);
    EXPECT_EQ(writes[1][3], 32);
    EXPECT_EQ(rig.target.ProgressOffsets(), (std::vector<long>{0, 16}));
    EXPECT_EQ(Memory(rig.device, 0x01FFF0, 48), data) << "no byte is erased after it was written";
}

TEST(LinkWrite, FailureRestartsTheBlock) {
    SimRig rig;
    FailNth(rig.device, CMD_WRITE_MEMORY, 2);
    Bytes data = Pattern(80, 3);
    ASSERT_EQ(rig.Run(LINK_WRITE, data.data(), 80, 0x030000), LINK_OK);
    EXPECT_EQ(rig.Commands(), (Bytes{CMD_SET_ADDRESS, CMD_WRITE_MEMORY, CMD_WRITE_MEMORY, CMD_SET_ADDRESS,
                                     CMD_WRITE_MEMORY, CMD_WRITE_MEMORY, CMD_WRITE_MEMORY}));
    EXPECT_EQ(rig.Requests(CMD_SET_ADDRESS)[1], rig.Requests(CMD_SET_ADDRESS)[0]);
    EXPECT_EQ(rig.target.ProgressOffsets(), (std::vector<long>{0, 0, 32, 64}));
    EXPECT_EQ(Memory(rig.device, 0x030000, 80), data);
}

TEST(LinkWrite, EraseWriteErasesAgainOnRestart) {
    SimRig rig;
    FailNth(rig.device, CMD_WRITE_MEMORY, 1);
    Bytes data = Pattern(20, 9);
    ASSERT_EQ(rig.Run(LINK_ERASE_WRITE, data.data(), 20, 0x040000), LINK_OK);
    EXPECT_EQ(rig.Commands(), (Bytes{CMD_SET_ADDRESS, CMD_ERASE_BLOCK, CMD_WRITE_MEMORY, CMD_SET_ADDRESS,
                                     CMD_ERASE_BLOCK, CMD_WRITE_MEMORY}));
}

TEST(LinkWrite, AtMostFourRetries) {
    SimRig rig;
    rig.device.FailRequests(100, CMD_WRITE_MEMORY);
    Bytes data = Pattern(40, 0);
    EXPECT_EQ(rig.Run(LINK_WRITE, data.data(), 40, 0x030000), LINK_ERR_DEVICE);
    EXPECT_EQ(rig.Requests(CMD_WRITE_MEMORY).size(), 5u);
    EXPECT_EQ(rig.Requests(CMD_SET_ADDRESS).size(), 5u);
}

TEST(LinkWrite, NoRestartBeforeTheFirstDataByte) {
    // The configuration blocks begin inside their 64 KB block: going back to
    // the block start would send bytes from before the data, so it fails.
    SimRig rig;
    rig.device.FailRequests(1, CMD_WRITE_MEMORY);
    Bytes data = Pattern(17, 0);
    EXPECT_EQ(rig.Run(LINK_WRITE, data.data(), 17, 0xFF0040), LINK_ERR_DEVICE);
    EXPECT_EQ(rig.Commands(), (Bytes{CMD_SET_ADDRESS, CMD_WRITE_MEMORY}));
}

TEST(LinkWrite, OtherErrorsAreNotRetried) {
    SimRig rig;
    rig.device.CorruptReplies(3, CMD_WRITE_MEMORY);
    Bytes data = Pattern(17, 0);
    EXPECT_EQ(rig.Run(LINK_WRITE, data.data(), 17, 0x030000), LINK_ERR_CRC);
    EXPECT_EQ(rig.Requests(CMD_SET_ADDRESS).size(), 1u);
}

TEST(LinkModule, CommandsCarryRegisterAndBytes) {
    SimRig rig;
    uint8_t inputModule[3] = {InputModuleRegister(2), 0x21, 4};
    ASSERT_EQ(rig.Run(LINK_MODULE_WRITE, inputModule, 3), LINK_OK);
    EXPECT_EQ(rig.device.requests()[0],
              (Bytes{0xE2, 0xE4, 0x0E, 0x03, 0xB4, 0x21, 0x04, rig.device.requests()[0].back()}));
    EXPECT_EQ(rig.device.MemoryAt(0xFF0004), 0x21);

    uint8_t audio[5] = {InputModuleRegister(2), 1, 2, 3, 4};
    ASSERT_EQ(rig.Run(LINK_MODULE_DATA, audio, 5), LINK_OK);
    uint8_t readBack[8] = {InputModuleRegister(2)};
    ASSERT_EQ(rig.Run(LINK_MODULE_READ, readBack, 4), LINK_OK);
    EXPECT_EQ(Bytes(readBack, readBack + 4), (Bytes{1, 2, 3, 4}));
    EXPECT_EQ(rig.Requests(CMD_MODULE_READ)[0][4], 0xB4);
    EXPECT_EQ(rig.Requests(CMD_MODULE_READ)[0][5], 4);
}

TEST(LinkClockAndReset, ClockPayloadIsPackedBcd) {
    SimRig rig;
    rig.clock.SetLocalTime({13, 5, 9, 870});
    uint8_t none[1];
    ASSERT_EQ(rig.Run(LINK_SET_TIME, none, 0), LINK_OK);
    const Bytes frame = rig.Requests(CMD_SET_CLOCK).at(0);
    EXPECT_EQ(Bytes(frame.begin() + 3, frame.end() - 1), (Bytes{0x04, 0x87, 0x09, 0x05, 0x13}));
    EXPECT_EQ(rig.device.lastClock().hour, 13);
    EXPECT_EQ(rig.device.lastClock().millisecond, 870);
}

TEST(LinkClockAndReset, ClockWithoutReplyCountsAsSet) {
    SimRig rig;
    rig.device.SetSilent(true);
    uint8_t none[1];
    EXPECT_EQ(rig.Run(LINK_SET_TIME, none, 0), LINK_OK);
    rig.device.SetSilent(false);
    rig.device.CorruptReplies(3);
    EXPECT_EQ(rig.Run(LINK_SET_TIME, none, 0), LINK_ERR_CRC);  // only silence is forgiven
}

TEST(LinkClockAndReset, ResetWaits750MsFirst) {
    SimRig rig;
    uint64_t sentAt = 0;
    rig.device.SetRequestObserver([&](const Bytes&) { sentAt = rig.clock.NowMs(); });
    const uint64_t start = rig.clock.NowMs();
    uint8_t none[1];
    ASSERT_EQ(rig.Run(LINK_RESET, none, 0), LINK_OK);
    EXPECT_GE(sentAt - start, 750u);
    EXPECT_EQ(rig.device.resetCount(), 1);
}

TEST(LinkQuery, ReturnsTheByteCount) {
    SimRig rig;
    uint8_t buffer[10] = {};
    uint32_t count = 0;
    ASSERT_EQ(RunLinkOperation(rig.link, LINK_QUERY, buffer, 10, 0, count), LINK_OK);
    EXPECT_EQ(count, 10u);
    EXPECT_EQ(std::string(reinterpret_cast<char*>(buffer), 10), "VKX520 SIM");
    EXPECT_EQ(RunLinkOperation(rig.link, LINK_NOP, buffer, 10, 0, count), LINK_OK);
    EXPECT_EQ(count, 0u);
    EXPECT_EQ(rig.device.requests().size(), 1u);
}

}  // namespace
