#include "link/NetworkPortName.h"

#include <algorithm>
#include <cstring>

namespace {

struct Scheme {
    const char* prefix;
    NetworkProtocol protocol;
};
constexpr Scheme kSchemes[] = {{"tcp://", NetworkProtocol::RawTcp}, {"rfc2217://", NetworkProtocol::Rfc2217}};

const Scheme* SchemeOf(const QString& name) {
    for (const Scheme& scheme : kSchemes)
        if (name.startsWith(QLatin1String(scheme.prefix), Qt::CaseInsensitive)) return &scheme;
    return nullptr;
}

bool ValidHostChar(QChar c) { return c.isLetterOrNumber() || c == u'.' || c == u'-' || c == u'_'; }

}  // namespace

QString NetworkPortAddress::HostAndPort() const {
    const QString shownHost = host.contains(u':') ? u'[' + host + u']' : host;
    return shownHost + u':' + QString::number(port);
}

QString NetworkPortAddress::Name() const {
    return QLatin1String(protocol == NetworkProtocol::Rfc2217 ? "rfc2217://" : "tcp://") + HostAndPort();
}

bool IsNetworkPortName(const QString& name) { return SchemeOf(name.trimmed()) != nullptr; }

std::optional<NetworkPortAddress> ParseHostAndPort(const QString& text, bool allowPortZero) {
    const qsizetype colon = text.lastIndexOf(u':');
    if (colon <= 0) return std::nullopt;
    QString host = text.left(colon);
    const QString portText = text.mid(colon + 1);
    if (host.startsWith(u'[') && host.endsWith(u']')) {
        host = host.mid(1, host.size() - 2);
        if (host.isEmpty() || !std::all_of(host.begin(), host.end(), [](QChar c) {
                return c == u':' || c == u'.' || c.isDigit() || (c.toLower() >= u'a' && c.toLower() <= u'f');
            }))
            return std::nullopt;
    } else if (host.isEmpty() || !std::all_of(host.begin(), host.end(), ValidHostChar)) {
        return std::nullopt;  // also an IPv6 address without its brackets
    }
    // Digits only: no sign, no spaces, no other base.
    if (portText.isEmpty() || portText.size() > 5 ||
        !std::all_of(portText.begin(), portText.end(), [](QChar c) { return c.isDigit() && c.unicode() < 128; }))
        return std::nullopt;
    const int port = portText.toInt();
    if (port > 65535 || (port == 0 && !allowPortZero)) return std::nullopt;
    NetworkPortAddress address;
    address.host = host;
    address.port = uint16_t(port);
    return address;
}

std::optional<NetworkPortAddress> ParseNetworkPortName(const QString& name) {
    const QString trimmed = name.trimmed();
    const Scheme* scheme = SchemeOf(trimmed);
    if (!scheme) return std::nullopt;
    // A trailing slash, as URLs are often written, is allowed; a path is not.
    QString rest = trimmed.mid(qsizetype(std::strlen(scheme->prefix)));
    if (rest.endsWith(u'/')) rest.chop(1);
    std::optional<NetworkPortAddress> address = ParseHostAndPort(rest);
    if (address) address->protocol = scheme->protocol;
    return address;
}
