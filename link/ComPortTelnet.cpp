#include "link/ComPortTelnet.h"

namespace {

// Telnet commands and options.
constexpr uint8_t kIacByte = 255, kDont = 254, kDo = 253, kWont = 252, kWill = 251, kSb = 250, kSe = 240;
constexpr uint8_t kBinary = 0, kSuppressGoAhead = 3, kComPort = 44;
// Com Port Control commands from the client; the server answers each with
// the same number plus 100 and the value it now uses.
constexpr uint8_t kSetBaudRate = 1, kSetDataSize = 2, kSetParity = 3, kSetStopSize = 4, kSetControl = 5;
constexpr uint8_t kServerOffset = 100;
constexpr uint32_t kBaudRate = 38400;
constexpr uint8_t kDataSize8 = 8, kParityNone = 1, kStopSize1 = 1;
constexpr uint8_t kFlowNone = 1, kDtrOff = 9, kRtsOff = 12;
// Answers to SET-CONTROL that name an outbound flow control.
constexpr uint8_t kFlowValues[] = {1, 2, 3, 17, 18, 19};
// The longest subnegotiation kept; longer ones (a server's signature text)
// are read to their end and ignored.
constexpr std::size_t kMaxSub = 32;

void Command(std::vector<uint8_t>& out, uint8_t verb, uint8_t option) {
    out.insert(out.end(), {kIacByte, verb, option});
}

void SubCommand(std::vector<uint8_t>& out, uint8_t command, const std::vector<uint8_t>& value) {
    out.insert(out.end(), {kIacByte, kSb, kComPort, command});
    ComPortTelnet::Escape(value.data(), value.size(), out);
    out.insert(out.end(), {kIacByte, kSe});
}

QString OptionName(uint8_t option) {
    switch (option) {
    case kBinary: return QStringLiteral("BINARY");
    case kComPort: return QStringLiteral("COM-PORT-OPTION");
    default: return QString::number(option);
    }
}

uint32_t BigEndian(const std::vector<uint8_t>& bytes, std::size_t from) {
    uint32_t value = 0;
    for (std::size_t i = from; i < bytes.size(); ++i) value = (value << 8) | bytes[i];
    return value;
}

}  // namespace

std::vector<uint8_t> ComPortTelnet::Start() {
    std::vector<uint8_t> out;
    Command(out, kWill, kBinary);
    Command(out, kDo, kBinary);
    Command(out, kWill, kComPort);
    return out;
}

void ComPortTelnet::Escape(const uint8_t* bytes, std::size_t count, std::vector<uint8_t>& out) {
    for (std::size_t i = 0; i < count; ++i) {
        out.push_back(bytes[i]);
        if (bytes[i] == kIacByte) out.push_back(kIacByte);
    }
}

void ComPortTelnet::Receive(const uint8_t* bytes, std::size_t count, std::vector<uint8_t>& data,
                            std::vector<uint8_t>& reply) {
    for (std::size_t i = 0; i < count; ++i) {
        const uint8_t byte = bytes[i];
        switch (m_parse) {
        case kData:
            if (byte == kIacByte)
                m_parse = kIac;
            else if (m_state == State::Ready)
                data.push_back(byte);
            break;
        case kIac:
            m_parse = kData;
            if (byte == kIacByte) {
                if (m_state == State::Ready) data.push_back(byte);
            } else if (byte >= kWill) {
                m_verb = byte;
                m_parse = kOption;
            } else if (byte == kSb) {
                m_sub.clear();
                m_subTooLong = false;
                m_parse = kSub;
            }  // NOP, GA and the other one-byte commands mean nothing here
            break;
        case kOption:
            m_parse = kData;
            OnOption(m_verb, byte, reply);
            break;
        case kSub:
            if (byte == kIacByte) {
                m_parse = kSubIac;
            } else if (m_sub.size() < kMaxSub) {
                m_sub.push_back(byte);
            } else {
                m_subTooLong = true;
            }
            break;
        case kSubIac:
            if (byte == kIacByte) {  // a doubled 0xFF inside the value
                m_parse = kSub;
                if (m_sub.size() < kMaxSub)
                    m_sub.push_back(byte);
                else
                    m_subTooLong = true;
            } else {  // IAC SE, or a command that ends the subnegotiation as well
                m_parse = kData;
                if (!m_subTooLong) OnSubnegotiation();
            }
            break;
        }
    }
    UpdateState();
}

void ComPortTelnet::OnOption(uint8_t verb, uint8_t option, std::vector<uint8_t>& reply) {
    const bool weAsked = option == kBinary || option == kComPort;
    switch (verb) {
    case kDo:  // the server wants us to use the option
        if (option == kBinary) {
            Confirm(kNeedBinaryOut);
        } else if (option == kComPort) {
            Confirm(kNeedComPort);
            if (!m_settingsSent) {
                m_settingsSent = true;
                SubCommand(
                    reply, kSetBaudRate,
                    {uint8_t(kBaudRate >> 24), uint8_t(kBaudRate >> 16), uint8_t(kBaudRate >> 8), uint8_t(kBaudRate)});
                SubCommand(reply, kSetDataSize, {kDataSize8});
                SubCommand(reply, kSetParity, {kParityNone});
                SubCommand(reply, kSetStopSize, {kStopSize1});
                SubCommand(reply, kSetControl, {kFlowNone});
                SubCommand(reply, kSetControl, {kDtrOff});
                SubCommand(reply, kSetControl, {kRtsOff});
            }
        } else if (!m_answeredDo.test(option)) {
            m_answeredDo.set(option);
            Command(reply, option == kSuppressGoAhead ? kWill : kWont, option);
        }
        break;
    case kWill:  // the server offers to use the option
        if (option == kBinary) {
            Confirm(kNeedBinaryIn);
        } else if (!m_answeredWill.test(option)) {
            // Echo among the refused: what we send must not come back.
            m_answeredWill.set(option);
            Command(reply, option == kSuppressGoAhead ? kDo : kDont, option);
        }
        break;
    case kDont:
    case kWont:
        if (weAsked && m_state == State::Negotiating) Refuse(OptionName(option));
        break;
    default: break;
    }
}

void ComPortTelnet::OnSubnegotiation() {
    // COM-PORT-OPTION, the server's answer number, the value.
    if (m_sub.size() < 3 || m_sub[0] != kComPort || m_state != State::Negotiating) return;
    const uint8_t answer = m_sub[1];
    if (answer < kServerOffset) return;
    const uint32_t value = BigEndian(m_sub, 2);
    const auto check = [&](Need need, uint32_t wanted, const char* name) {
        if (value == wanted) {
            Confirm(need);
        } else {
            Refuse(QStringLiteral("%1 %2 (server: %3)").arg(QLatin1String(name)).arg(wanted).arg(value));
        }
    };
    switch (answer - kServerOffset) {
    case kSetBaudRate: check(kNeedBaud, kBaudRate, "SET-BAUDRATE"); break;
    case kSetDataSize: check(kNeedDataSize, kDataSize8, "SET-DATASIZE"); break;
    case kSetParity: check(kNeedParity, kParityNone, "SET-PARITY"); break;
    case kSetStopSize: check(kNeedStopSize, kStopSize1, "SET-STOPSIZE"); break;
    case kSetControl:
        // Only the flow control must be confirmed: a server without modem
        // lines (a pseudo-terminal behind it) never confirms DTR or RTS.
        for (const uint8_t flow : kFlowValues)
            if (value == flow) check(kNeedFlow, kFlowNone, "SET-CONTROL");
        break;
    default: break;
    }
}

void ComPortTelnet::Refuse(const QString& what) {
    if (m_state != State::Negotiating) return;
    m_state = State::Refused;
    m_refusal = what;
}

void ComPortTelnet::UpdateState() {
    if (m_state == State::Negotiating && m_need == 0) m_state = State::Ready;
}

QString ComPortTelnet::Unconfirmed() const {
    const struct {
        Need need;
        const char* name;
    } kOrder[] = {{kNeedBinaryOut, "BINARY"},        {kNeedBinaryIn, "BINARY"},
                  {kNeedComPort, "COM-PORT-OPTION"}, {kNeedBaud, "SET-BAUDRATE 38400"},
                  {kNeedDataSize, "SET-DATASIZE 8"}, {kNeedParity, "SET-PARITY NONE"},
                  {kNeedStopSize, "SET-STOPSIZE 1"}, {kNeedFlow, "SET-CONTROL (no flow control)"}};
    for (const auto& item : kOrder)
        if (m_need & item.need) return QLatin1String(item.name);
    return {};
}
