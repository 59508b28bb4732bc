// Frames, reply validation and the exchange rules: bad replies, FAILURE,
// BUSY with its time limit, the erase that turns into status polls.
#include "support/SimRig.h"

#include "base/Crc8.h"
#include "sim/ScriptedLinkPort.h"

#include <gtest/gtest.h>

namespace {

Bytes Frame(Bytes head) {
    head.push_back(Crc8(head.data(), head.size()));
    return head;
}

int SetAddress(SimRig& rig, uint32_t address) {
    const uint8_t payload[3] = {uint8_t(address), uint8_t(address >> 8), uint8_t(address >> 16)};
    return LinkExchange(rig.link, CMD_SET_ADDRESS, 3, payload, 3, nullptr, 0, true);
}

TEST(LinkFrames, RequestsMatchTheDocumentedBytes) {
    SimRig rig;
    uint8_t buffer[18];
    ASSERT_EQ(rig.Run(LINK_READ, buffer, 18, 0xFF0000), LINK_OK);
    ASSERT_GE(rig.device.requests().size(), 2u);
    EXPECT_EQ(rig.device.requests()[0], (Bytes{0xE2, 0xE4, 0x00, 0x03, 0x00, 0x00, 0xFF, 0x8B}));
    EXPECT_EQ(rig.device.requests()[1], (Bytes{0xE2, 0xE4, 0x03, 0x12, 0x88}));

    rig.device.ClearRequests();
    ASSERT_EQ(rig.Run(LINK_RESET, buffer, 0), LINK_OK);
    EXPECT_EQ(rig.device.requests(), (std::vector<Bytes>{{0xE2, 0xE4, 0x0D, 0x01, 0x00, 0x03}}));
}

TEST(LinkFrames, EmptyReplyWithoutFlags) {
    const Bytes reply{0xE2, 0xE4, 0x00, 0x00, 0xFC};
    EXPECT_TRUE(IsValidReply(reply.data(), reply.size()));
}

TEST(LinkFrames, BcdPacking) {
    EXPECT_EQ(ToBcd(0), 0x00);
    EXPECT_EQ(ToBcd(9), 0x09);
    EXPECT_EQ(ToBcd(13), 0x13);
    EXPECT_EQ(ToBcd(87), 0x87);
    EXPECT_EQ(ToBcd(99), 0x99);
}

struct ReplyCase {
    const char* name;
    Bytes reply;
    bool valid;
};

TEST(IsValidReply, Table) {
    Bytes longest = {0xE2, 0xE4, 0x00, 32};
    longest.resize(36, 0x55);
    Bytes tooLong = {0xE2, 0xE4, 0x00, 33};
    tooLong.resize(37, 0x55);
    const ReplyCase cases[] = {
        {"status only", Frame({0xE2, 0xE4, 0x10, 0x00}), true},
        {"three data bytes", Frame({0xE2, 0xE4, 0x00, 0x03, 1, 2, 3}), true},
        {"32 data bytes", Frame(longest), true},
        {"length 33 even with a matching CRC", Frame(tooLong), false},
        {"wrong first mark", Frame({0xE3, 0xE4, 0x00, 0x00}), false},
        {"wrong second mark", Frame({0xE2, 0xE5, 0x00, 0x00}), false},
        {"wrong CRC", {0xE2, 0xE4, 0x00, 0x00, 0xFD}, false},
        {"length beyond the bytes received", {0xE2, 0xE4, 0x00, 0x04, 0xFC}, false},
        {"shorter than a frame", {0xE2, 0xE4, 0x00}, false},
    };
    for (const ReplyCase& c : cases) EXPECT_EQ(IsValidReply(c.reply.data(), c.reply.size()), c.valid) << c.name;
}

struct ExchangeCase {
    const char* name;
    void (*fault)(SimDevice&);
    int code;
    std::size_t sends;  // requests the device received
};

TEST(LinkTransact, FaultTable) {
    const ExchangeCase cases[] = {
        {"clean", [](SimDevice&) {}, LINK_OK, 1},
        {"two bad replies then a good one", [](SimDevice& d) { d.CorruptReplies(2); }, LINK_OK, 3},
        {"three bad replies", [](SimDevice& d) { d.CorruptReplies(3); }, LINK_ERR_CRC, 3},
        {"FAILURE", [](SimDevice& d) { d.FailRequests(1); }, LINK_ERR_DEVICE, 1},
        {"silent device", [](SimDevice& d) { d.SetSilent(true); }, LINK_ERR_NO_REPLY, 1},
        {"reply in two parts 30 ms apart", [](SimDevice& d) { d.SplitNextReply(3, 30); }, LINK_OK, 1},
        {"second part after the time-out", [](SimDevice& d) { d.SplitNextReply(3, 600); }, LINK_ERR_NO_REPLY, 1},
    };
    for (const ExchangeCase& c : cases) {
        SimRig rig;
        c.fault(rig.device);
        EXPECT_EQ(SetAddress(rig, 0x123456), c.code) << c.name;
        EXPECT_EQ(rig.device.requests().size(), c.sends) << c.name;
        for (const Bytes& sent : rig.device.requests()) EXPECT_EQ(sent, rig.device.requests()[0]) << c.name;
    }
}

TEST(LinkTransact, SilentDeviceWaitsTheReadTimeOutOnce) {
    SimRig rig;
    rig.device.SetSilent(true);
    const uint64_t start = rig.clock.NowUs();
    EXPECT_EQ(SetAddress(rig, 0), LINK_ERR_NO_REPLY);
    EXPECT_EQ(rig.clock.NowUs() - start, SimLinkPort::WireTimeUs(8) + uint64_t(ReadTimeoutMs(5)) * 1000);
}

TEST(LinkTransact, BusyIsWaitedOutUpTo2000Ms) {
    SimRig shortBusy;
    shortBusy.device.BusyFor(1500);
    EXPECT_EQ(SetAddress(shortBusy, 0x10), LINK_OK);
    EXPECT_GT(shortBusy.device.requests().size(), 2u);
    EXPECT_EQ(shortBusy.device.addressPointer(), 0x10u);

    SimRig longBusy;
    longBusy.device.BusyFor(60000);
    const uint64_t start = longBusy.clock.NowMs();
    EXPECT_EQ(SetAddress(longBusy, 0x10), LINK_ERR_DEVICE);
    const uint64_t waited = longBusy.clock.NowMs() - start;
    EXPECT_GE(waited, 2000u);
    EXPECT_LT(waited, 2010u);  // it gives up at the first BUSY past the limit
}

TEST(LinkTransact, StatusIsIgnoredWhereNotChecked) {
    SimRig rig;
    rig.device.FailRequests(1);
    uint8_t payload[3] = {InputModuleRegister(0), 7, 4};
    EXPECT_EQ(rig.Run(LINK_MODULE_WRITE, payload, 3), LINK_OK);
}

TEST(LinkTransact, BusyEraseTurnsIntoStatusPolls) {
    SimRig rig;
    rig.device.SetEraseBusyMs(300);
    uint8_t none[1] = {};
    EXPECT_EQ(rig.Run(LINK_ERASE, none, 1, 0x020000), LINK_OK);
    EXPECT_EQ(rig.Requests(CMD_ERASE_BLOCK).size(), 1u);
    const auto polls = rig.Requests(CMD_POLL_STATUS);
    ASSERT_GT(polls.size(), 1u);
    for (const Bytes& poll : polls) EXPECT_EQ(poll, (Bytes{0xE2, 0xE4, 0x01, 0x00, 0x38}));

    SimRig stuck;
    stuck.device.SetEraseBusyMs(5000);
    EXPECT_EQ(stuck.Run(LINK_ERASE, none, 1, 0x020000), LINK_ERR_DEVICE);
}

TEST(LinkTransact, ReplyDeclaringFewerBytesThanAskedIsBad) {
    // A valid empty frame followed by padding: the padding is not covered by
    // the CRC, so the exchange must not take it as data.
    SimClock clock;
    Bytes replies;
    for (int i = 0; i < 3; ++i) replies.insert(replies.end(), {0xE2, 0xE4, 0x00, 0x00, 0xFC, 1, 2, 3});
    ScriptedLinkPort port(clock, replies);
    LinkContext link{port, clock, nullptr};
    uint8_t data[3] = {};
    EXPECT_EQ(LinkExchange(link, CMD_QUERY, 3, nullptr, 0, data, 3, false), LINK_ERR_CRC);
    EXPECT_EQ(port.written().size(), 3u);
    EXPECT_EQ(data[0], 0);
}

TEST(LinkTransact, OversizedFramesAreRefusedBeforeSending) {
    SimRig rig;
    uint8_t big[40] = {InputModuleRegister(0)};
    EXPECT_EQ(rig.Run(LINK_MODULE_DATA, big, 33), LINK_ERR_WRITE);
    EXPECT_EQ(rig.Run(LINK_MODULE_READ, big, 33), LINK_ERR_WRITE);
    EXPECT_EQ(rig.Run(LINK_QUERY, big, 33), LINK_ERR_WRITE);
    EXPECT_TRUE(rig.device.requests().empty());
}

}  // namespace
