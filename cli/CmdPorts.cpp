// vkx520ctl ports: the port names, the devices they stand for here, and the
// serial ports the system offers; with --probe, where a VKX520 answers.
#include "cli/CliArgs.h"
#include "cli/CliCommands.h"
#include "cli/CliDevice.h"
#include "base/ExitCodes.h"
#include "link/NetworkPortName.h"
#include "link/PortProbe.h"
#include "link/SerialLinkPort.h"
#include "link/SerialPorts.h"

#include <QFileInfo>

#include <cstdio>

namespace {
void PrintLine(const QString& line) { std::printf("%s\n", line.toLocal8Bit().constData()); }

// "COM2" for a device an entry stands for, else empty.
QString EntryOf(const QStringList& mapping, const QString& device) {
    const qsizetype index = mapping.indexOf(device);
    return index < 0 ? QString() : PortName(int(index));
}

void PrintProbe(const QStringList& mapping, const QList<SerialPortRecord>& found) {
    const QStringList devices = ProbeCandidates(mapping, found);
    PrintLine(QStringLiteral("Looking for a VKX520 on %1 port(s):").arg(devices.size()));
    std::fflush(stdout);
    for (const PortProbeResult& result : ProbePorts(devices, SystemLinkClock())) {
        QString line = QStringLiteral("  ") + result.device;
        if (const QString entry = EntryOf(mapping, result.device); !entry.isEmpty())
            line += QStringLiteral(" (%1)").arg(entry);
        if (result.answered())
            line += QStringLiteral("  VKX520 answers");
        else if (result.code == LINK_ERR_PORT)
            line += QStringLiteral("  cannot be opened: ") + PortOpenDetail(result.openFailure);
        else
            line += QStringLiteral("  no VKX520");
        PrintLine(line);
        std::fflush(stdout);
    }
}

}  // namespace

int RunPorts(const QStringList& args) {
    bool probe = false;
    for (const QString& arg : args) {
        if (arg == QLatin1String("--probe")) {
            probe = true;
            continue;
        }
        ComplainAboutUsage(QStringLiteral("unexpected argument ") + arg, "vkx520ctl ports [--probe]");
        return EXIT_USAGE;
    }
    PortDiscovery& discovery = DefaultPortDiscovery();
    // Only looks: a first start's mapping is shown, and stored by the first
    // command that uses a port.
    const QList<SerialPortRecord> available = discovery.AvailablePorts();
    const QStringList mapping = PortMappingInUse(available);
    for (int index = 0; index < kPortCount; ++index) {
        const QString& device = mapping[index];
#ifdef Q_OS_WIN
        PrintLine(device);
#else
        PrintLine(QStringLiteral("COM%1  %2%3")
                      .arg(index + 1)
                      .arg(device, QFileInfo::exists(device) || IsNetworkPortName(device)
                                       ? QString()
                                       : QStringLiteral("  (absent)")));
#endif
    }
    PrintLine(available.isEmpty() ? QStringLiteral("No serial ports found.") : QStringLiteral("Serial ports found:"));
    for (const SerialPortRecord& port : available) {
        QStringList fields = QStringList{port.device} + port.Details();
        if (!port.byId.isEmpty()) fields << port.byId;
        PrintLine(QStringLiteral("  ") + fields.join(QStringLiteral("  ")));
    }
    if (probe) PrintProbe(mapping, available);
    return EXIT_OK;
}
