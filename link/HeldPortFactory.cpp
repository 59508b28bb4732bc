#include "link/HeldPortFactory.h"

namespace {

// What a step gets: the held port, which stays open when the step is done.
class BorrowedPort : public LinkPort {
public:
    explicit BorrowedPort(LinkPort& port) : m_port(port) {}
    bool Write(const uint8_t* bytes, std::size_t count) override { return m_port.Write(bytes, count); }
    int Read(uint8_t* bytes, std::size_t count, int timeoutMs) override { return m_port.Read(bytes, count, timeoutMs); }
    void Cancel() override { m_port.Cancel(); }
    void Purge() override { m_port.Purge(); }
    bool ExplainLoss(PortOpenFailure& why) const override { return m_port.ExplainLoss(why); }

private:
    LinkPort& m_port;
};

}  // namespace

std::unique_ptr<LinkPort> HeldPortFactory::OpenPort(int portIndex) {
    PortOpenFailure ignored;
    return OpenPortExplained(portIndex, ignored);
}

std::unique_ptr<LinkPort> HeldPortFactory::OpenPortExplained(int portIndex, PortOpenFailure& why) {
    // A line that went away (a connection the server closed) is opened
    // afresh, as a step opening its own port would.
    PortOpenFailure loss;
    if (m_held && portIndex == m_heldIndex && !m_held->ExplainLoss(loss)) {
        m_held->Purge();
    } else {
        Release();
        m_held = m_ports.OpenPortExplained(portIndex, why);
        if (!m_held) return nullptr;
        m_heldIndex = portIndex;
    }
    return std::make_unique<BorrowedPort>(*m_held);
}

void HeldPortFactory::Release() {
    m_held.reset();
    m_heldIndex = -1;
}
