// The client side of Telnet with the Com Port Control option, as far as the
// link needs it: binary transmission both ways, the option itself, and the
// line settings of a local port (38400 baud, 8 data bits, no parity, 1 stop
// bit, no flow control, DTR and RTS low), each setting confirmed by the
// server. Pure byte work, so that it can be driven without a socket.
#pragma once

#include <QString>

#include <bitset>
#include <cstddef>
#include <cstdint>
#include <vector>

class ComPortTelnet {
public:
    enum class State { Negotiating, Ready, Refused };

    // What the client sends first: it will and asks the server to send
    // binary, and it will use the Com Port Control option.
    std::vector<uint8_t> Start();
    // Takes bytes received. Data bytes go to data once the line is ready;
    // before that they are dropped, as opening a port discards what waits on
    // the line. What the protocol answers goes to reply, to be sent as is.
    void Receive(const uint8_t* bytes, std::size_t count, std::vector<uint8_t>& data, std::vector<uint8_t>& reply);

    State state() const { return m_state; }
    // Refused: what the server would not accept, e.g. "BINARY" or
    // "SET-BAUDRATE 38400 (server: 9600)".
    const QString& refusal() const { return m_refusal; }
    // Negotiating: the first thing the server has not confirmed yet.
    QString Unconfirmed() const;

    // Data as it goes on the connection: every 0xFF byte doubled.
    static void Escape(const uint8_t* bytes, std::size_t count, std::vector<uint8_t>& out);

private:
    enum Parse { kData, kIac, kOption, kSub, kSubIac };
    // What must be confirmed before data flows, one bit each.
    enum Need : unsigned {
        kNeedBinaryOut = 1,  // the server agreed that we send binary
        kNeedBinaryIn = 2,   // the server sends binary
        kNeedComPort = 4,    // the server agreed to the option
        kNeedBaud = 8,
        kNeedDataSize = 16,
        kNeedParity = 32,
        kNeedStopSize = 64,
        kNeedFlow = 128,
    };

    void OnOption(uint8_t verb, uint8_t option, std::vector<uint8_t>& reply);
    void OnSubnegotiation();
    void Confirm(Need need) { m_need &= ~unsigned(need); }
    void Refuse(const QString& what);
    void UpdateState();

    State m_state = State::Negotiating;
    Parse m_parse = kData;
    uint8_t m_verb = 0;
    unsigned m_need = kNeedBinaryOut | kNeedBinaryIn | kNeedComPort | kNeedBaud | kNeedDataSize | kNeedParity |
                      kNeedStopSize | kNeedFlow;
    bool m_settingsSent = false;
    // Options of the server's that were answered once already: answering
    // again would let two programs repeat each other for ever.
    std::bitset<256> m_answeredDo, m_answeredWill;
    std::vector<uint8_t> m_sub;  // the subnegotiation being received
    bool m_subTooLong = false;
    QString m_refusal;
};
