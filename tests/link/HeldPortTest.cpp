// A port held across the steps of operations: opened once, purged where a
// step would have opened it, replaced when another port is asked for.
#include "support/SimRig.h"

#include "link/DeviceOperation.h"
#include "base/Crc8.h"
#include "link/HeldPortFactory.h"

#include <gtest/gtest.h>

namespace {

TEST(HeldPort, AnOperationOpensThePortOnceAndReadsTheSame) {
    SimRig rig;
    ConfigImage perStep, held;
    perStep.Clear();
    held.Clear();
    ASSERT_EQ(RunDeviceOperationSync(OPER_READ_CONFIG, 2, perStep, rig.env()), LINK_OK);
    EXPECT_EQ(rig.ports.openCount(), 4);
    const auto framesPerStep = rig.device.requests();

    rig.device.ClearRequests();
    HeldPortFactory ports(rig.ports);
    ASSERT_EQ(RunDeviceOperationSync(OPER_READ_CONFIG, 2, held, {&ports, &rig.clock}), LINK_OK);
    ASSERT_EQ(RunDeviceOperationSync(OPER_SET_TIME, 2, held, {&ports, &rig.clock}), LINK_OK);
    EXPECT_EQ(rig.ports.openCount(), 4 + 1);
    EXPECT_EQ(std::memcmp(perStep.bytes(), held.bytes(), kConfigImageSize), 0);
    // The same frames go on the wire, then the clock request.
    ASSERT_EQ(rig.device.requests().size(), framesPerStep.size() + 1);
    EXPECT_TRUE(std::equal(framesPerStep.begin(), framesPerStep.end(), rig.device.requests().begin()));
}

TEST(HeldPort, EachReopeningDiscardsWhatTheLineHeld) {
    SimRig rig;
    HeldPortFactory ports(rig.ports);
    uint8_t query[] = {kFrameMark0, kFrameMark1, CMD_QUERY, 4, 0};
    query[4] = Crc8(query, 4);
    {
        std::unique_ptr<LinkPort> first = ports.OpenPort(0);
        ASSERT_NE(first, nullptr);
        ASSERT_TRUE(first->Write(query, sizeof query));
    }  // the step ends without reading its reply
    rig.clock.AdvanceUs(20000);
    std::unique_ptr<LinkPort> second = ports.OpenPort(0);
    ASSERT_NE(second, nullptr);
    uint8_t reply[16];
    EXPECT_EQ(second->Read(reply, sizeof reply, 100), 0);
    EXPECT_EQ(rig.ports.openCount(), 1);
}

TEST(HeldPort, AnotherIndexOrAFailedOpeningReplacesTheHeldPort) {
    SimRig rig;
    HeldPortFactory ports(rig.ports);
    EXPECT_NE(ports.OpenPort(0), nullptr);
    EXPECT_NE(ports.OpenPort(3), nullptr);
    EXPECT_EQ(rig.ports.openCount(), 2);
    EXPECT_EQ(rig.ports.lastPortIndex(), 3);
    EXPECT_EQ(ports.OpenPort(-1), nullptr);
    EXPECT_NE(ports.OpenPort(3), nullptr);
    EXPECT_EQ(rig.ports.openCount(), 3);
    ports.Release();
    EXPECT_NE(ports.OpenPort(3), nullptr);
    EXPECT_EQ(rig.ports.openCount(), 4);
}

// Ports whose line can go away, as a network server closing the connection
// takes it.
class LosablePorts : public LinkPortFactory {
public:
    class Port : public LinkPort {
    public:
        explicit Port(bool& lost) : m_lost(lost) {}
        bool Write(const uint8_t*, std::size_t) override { return !m_lost; }
        int Read(uint8_t*, std::size_t, int) override { return m_lost ? -1 : 0; }
        void Cancel() override {}
        bool ExplainLoss(PortOpenFailure& why) const override {
            if (m_lost) why.problem = PortProblem::ConnectionClosed;
            return m_lost;
        }

    private:
        bool& m_lost;
    };
    std::unique_ptr<LinkPort> OpenPort(int) override {
        ++opened;
        lost = false;
        return std::make_unique<Port>(lost);
    }
    int opened = 0;
    bool lost = false;
};

TEST(HeldPort, ALineThatWentAwayIsOpenedAgain) {
    LosablePorts lines;
    HeldPortFactory ports(lines);
    ASSERT_NE(ports.OpenPort(0), nullptr);
    ASSERT_NE(ports.OpenPort(0), nullptr);
    EXPECT_EQ(lines.opened, 1);
    lines.lost = true;
    const std::unique_ptr<LinkPort> reopened = ports.OpenPort(0);
    ASSERT_NE(reopened, nullptr);
    EXPECT_EQ(lines.opened, 2);
    const uint8_t byte = 0;
    EXPECT_TRUE(reopened->Write(&byte, 1));
}

}  // namespace
