// Network ports: their names, the Telnet Com Port Control negotiation, and
// the port against loopback servers that split replies, refuse settings or
// say nothing.
#include "support/SimRig.h"
#include "TcpPeer.h"

#include "lang/UiText.h"
#include "link/ComPortTelnet.h"
#include "link/DeviceOperation.h"
#include "link/NetworkLinkPort.h"
#include "link/NetworkPortName.h"
#include "link/SerialLinkPort.h"
#include "link/SerialPorts.h"
#include "res/resource.h"
#include "support/RecordingPresenter.h"
#include "support/TempProfile.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstring>

namespace {

constexpr uint8_t IAC = 255, SB = 250, SE = 240, WILL = 251, WONT = 252, DO = 253, DONT = 254;
constexpr uint8_t kBinary = 0, kEcho = 1, kComPort = 44;

TEST(NetworkPortNames, ParsedShortNamedAndRejected) {
    const struct {
        const char* name;
        const char* shortName;  // nullptr: not a valid network port
    } cases[] = {
        {"tcp://rack-a.studio:2001", "rack-a.studio:2001"},
        {"RFC2217://10.0.0.7:4001/", "10.0.0.7:4001"},
        {" tcp://[fe80::1]:23 ", "[fe80::1]:23"},
        {"tcp://rack-a", nullptr},
        {"tcp://:2001", nullptr},
        {"tcp://rack-a:0", nullptr},
        {"tcp://rack-a:65536", nullptr},
        {"tcp://rack-a:+23", nullptr},
        {"tcp://fe80::1:23", nullptr},  // an IPv6 address needs its brackets
        {"tcp://rack a:23", nullptr},
        {"rfc2217://rack-a:23/x", nullptr},
    };
    for (const auto& c : cases) {
        const QString name = QString::fromLatin1(c.name);
        EXPECT_TRUE(IsNetworkPortName(name)) << c.name;
        const std::optional<NetworkPortAddress> address = ParseNetworkPortName(name);
        ASSERT_EQ(address.has_value(), c.shortName != nullptr) << c.name;
        EXPECT_EQ(address ? ShortPortName({}, name) : QString(), QLatin1String(c.shortName)) << c.name;
    }
    EXPECT_EQ(ParseNetworkPortName(QStringLiteral("rfc2217://rack-a:23"))->protocol, NetworkProtocol::Rfc2217);
    for (const char* local : {"/dev/ttyUSB0", "COM3", "telnet://rack-a:23", "/tmp/tcp://x:1"})
        EXPECT_FALSE(IsNetworkPortName(QLatin1String(local))) << local;
    EXPECT_EQ(ParseHostAndPort(QStringLiteral("127.0.0.1:0"), true)->port, 0);
    EXPECT_FALSE(ParseHostAndPort(QStringLiteral("127.0.0.1:0")));
}

// The answers of a server that accepts everything asked for, the way a
// server bridging a pseudo-terminal does: no answer to DTR and RTS.
std::vector<uint8_t> AgreeingServer(uint32_t baud = 38400, uint8_t flow = 1) {
    std::vector<uint8_t> bytes = {IAC, WILL, kEcho, IAC, DO, kBinary, IAC, WILL, kBinary, IAC, DO, kComPort};
    const auto answer = [&](uint8_t command, std::vector<uint8_t> value) {
        bytes.insert(bytes.end(), {IAC, SB, kComPort, command});
        bytes.insert(bytes.end(), value.begin(), value.end());
        bytes.insert(bytes.end(), {IAC, SE});
    };
    answer(101, {uint8_t(baud >> 24), uint8_t(baud >> 16), uint8_t(baud >> 8), uint8_t(baud)});
    answer(102, {8});
    answer(103, {1});
    answer(104, {1});
    answer(105, {flow});
    return bytes;
}

TEST(ComPortTelnet, NegotiatesLineSettingsByteByByteAndPassesDataWithIacDoubled) {
    ComPortTelnet telnet;
    EXPECT_EQ(telnet.Start(), std::vector<uint8_t>({IAC, WILL, kBinary, IAC, DO, kBinary, IAC, WILL, kComPort}));
    std::vector<uint8_t> server = AgreeingServer();
    // Data the server sent before the line was set up is not the device's answer.
    server.insert(server.begin() + 3, {0x41, IAC, IAC});
    std::vector<uint8_t> data, reply;
    for (const uint8_t byte : server) {
        EXPECT_EQ(telnet.state(), ComPortTelnet::State::Negotiating);
        telnet.Receive(&byte, 1, data, reply);
    }
    EXPECT_EQ(telnet.state(), ComPortTelnet::State::Ready);
    EXPECT_TRUE(data.empty());
    const std::vector<uint8_t> expected = {IAC, DONT, kEcho,  // nothing we send comes back
                                           IAC, SB,   kComPort, 1, 0,  0,   0x96, 0x00, IAC, SE,  // 38400 baud
                                           IAC, SB,   kComPort, 2, 8,  IAC, SE,                   // 8 data bits
                                           IAC, SB,   kComPort, 3, 1,  IAC, SE,                   // no parity
                                           IAC, SB,   kComPort, 4, 1,  IAC, SE,                   // 1 stop bit
                                           IAC, SB,   kComPort, 5, 1,  IAC, SE,                   // no flow control
                                           IAC, SB,   kComPort, 5, 9,  IAC, SE,                   // DTR low
                                           IAC, SB,   kComPort, 5, 12, IAC, SE};                  // RTS low
    EXPECT_EQ(reply, expected);

    reply.clear();
    const std::vector<uint8_t> stream = {0xE2, IAC, IAC, 0x00, IAC, SB, kComPort, 107, 0x30, IAC, SE, 0x8B};
    telnet.Receive(stream.data(), stream.size(), data, reply);
    EXPECT_EQ(data, std::vector<uint8_t>({0xE2, 0xFF, 0x00, 0x8B}));
    EXPECT_TRUE(reply.empty());
    std::vector<uint8_t> wire;
    const uint8_t frame[] = {0xE2, 0xE4, 0x00, 0x03, 0x00, 0x00, 0xFF, 0x8B};
    ComPortTelnet::Escape(frame, sizeof frame, wire);
    EXPECT_EQ(wire, std::vector<uint8_t>({0xE2, 0xE4, 0x00, 0x03, 0x00, 0x00, 0xFF, 0xFF, 0x8B}));
}

TEST(ComPortTelnet, ARefusalNamesWhatTheServerWouldNotAccept) {
    const struct {
        std::vector<uint8_t> server;
        const char* refusal;
    } cases[] = {
        {{IAC, WONT, kBinary}, "BINARY"},
        {{IAC, DO, kBinary, IAC, WILL, kBinary, IAC, DONT, kComPort}, "COM-PORT-OPTION"},
        {AgreeingServer(9600), "SET-BAUDRATE 38400 (server: 9600)"},
        {AgreeingServer(38400, 3), "SET-CONTROL 1 (server: 3)"},
    };
    for (const auto& c : cases) {
        ComPortTelnet telnet;
        std::vector<uint8_t> data, reply;
        telnet.Receive(c.server.data(), c.server.size(), data, reply);
        EXPECT_EQ(telnet.state(), ComPortTelnet::State::Refused) << c.refusal;
        EXPECT_EQ(telnet.refusal(), QLatin1String(c.refusal));
    }
    ComPortTelnet waiting;
    std::vector<uint8_t> data, reply;
    const std::vector<uint8_t> partial = {IAC, DO, kBinary, IAC, WILL, kBinary, IAC, DO, kComPort};
    waiting.Receive(partial.data(), partial.size(), data, reply);
    EXPECT_EQ(waiting.Unconfirmed(), "SET-BAUDRATE 38400");
}

TEST(NetworkPort, RepliesSplitIntoSingleBytesAreAssembledAndTheDeviceHearsTheSameFrames) {
    SimRig local;
    local.device.LoadImage(MakeDemoImage());
    ConfigImage expected;
    expected.Clear();
    ASSERT_EQ(RunDeviceOperationSync(OPER_READ_CONFIG, 0, expected, local.env()), LINK_OK);

    SimOverTcp server(30);
    TcpPeer peer([&](TcpPeer& p, int fd) { server.Serve(p, fd); });
    SerialPortFactory ports(peer.Name("tcp"));
    ConfigImage image;
    image.Clear();
    EXPECT_EQ(RunDeviceOperationSync(OPER_READ_CONFIG, 0, image, {&ports, &SystemLinkClock()}), LINK_OK);
    EXPECT_EQ(std::memcmp(image.bytes(), expected.bytes(), kConfigImageSize), 0);
    EXPECT_EQ(server.Requests(), local.device.requests());
}

// A Telnet server that agrees to the options and then answers the line
// settings as given, or stays silent after accepting the connection.
void ComPortServer(TcpPeer& peer, int fd, uint32_t baud) {
    std::vector<uint8_t> agreed = AgreeingServer(baud);
    const std::vector<uint8_t> options(agreed.begin(), agreed.begin() + 12);
    const std::vector<uint8_t> answers(agreed.begin() + 12, agreed.end());
    TcpPeer::Send(fd, options);
    bool answered = false;
    while (peer.Open())
        if (!peer.Receive(fd).empty() && !answered) {
            answered = true;
            TcpPeer::Send(fd, answers);
        }
}

void SilentServer(TcpPeer& peer, int fd) {
    while (peer.Open()) peer.Receive(fd);
}

TEST(NetworkPort, RefusedOrUnconfirmedSettingsAndSilenceEndAsTheLinkCodesSay) {
    TempProfile profile;
    profile.Write("[Connection]\r\nNetworkTimeout=400\r\n");
    TcpPeer slowBaud([](TcpPeer& p, int fd) { ComPortServer(p, fd, 9600); });
    TcpPeer silent(SilentServer);
    const struct {
        QString port;
        LinkResult code;
        PortProblem problem;
        const char* option;
    } cases[] = {
        {slowBaud.Name("rfc2217"), LINK_ERR_PORT, PortProblem::NegotiationRefused, "SET-BAUDRATE 38400 (server: 9600)"},
        {silent.Name("rfc2217"), LINK_ERR_PORT, PortProblem::NegotiationTimedOut, "BINARY"},
        // Raw, the silence is the device's: no reply, after the read time-out.
        {silent.Name("tcp"), LINK_ERR_NO_REPLY, PortProblem::None, ""},
    };
    for (const auto& c : cases) {
        SerialPortFactory ports(c.port);
        ConfigImage image;
        image.Clear();
        PortOpenFailure why;
        EXPECT_EQ(RunDeviceOperationSync(OPER_READ_CONFIG, 0, image, {&ports, &SystemLinkClock()}, {}, nullptr, &why),
                  c.code)
            << qPrintable(c.port);
        EXPECT_EQ(why.problem, c.problem) << qPrintable(c.port);
        EXPECT_EQ(why.option, QLatin1String(c.option));
        EXPECT_EQ(why.timeoutMs, c.problem == PortProblem::NegotiationTimedOut ? 400 : 0);
    }
}

TEST(NetworkPort, CancelEndsAWaitAtOnceFromAnotherThread) {
    TcpPeer silent(SilentServer);
    std::unique_ptr<LinkPort> port = OpenNetworkPort(silent.Name("tcp"), 1000);
    ASSERT_NE(port, nullptr);
    std::thread canceller([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        port->Cancel();
    });
    const auto start = std::chrono::steady_clock::now();
    uint8_t reply[8];
    EXPECT_EQ(port->Read(reply, sizeof reply, 60000), -1);
    canceller.join();
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(30)) << "the read waited for its time-out";
    const uint8_t request[] = {0xE2, 0xE4, 0x08, 0x01, 0x00};
    EXPECT_FALSE(port->Write(request, sizeof request));
}

}  // namespace
