// vkx520ctl ports: the port names, the devices they stand for here, and the
// serial ports the system offers.
#include "cli/CliCommands.h"
#include "cli/CliDevice.h"
#include "base/ExitCodes.h"
#include "link/SerialLinkPort.h"

#include <QFileInfo>
#include <QSerialPortInfo>

#include <cstdio>

namespace {
void PrintLine(const QString& line) { std::printf("%s\n", line.toLocal8Bit().constData()); }
}  // namespace

int RunPorts(const QStringList& args) {
    if (!args.isEmpty()) {
        std::fprintf(stderr, "vkx520ctl: unexpected argument %s\nusage: vkx520ctl ports\n",
                     args.first().toLocal8Bit().constData());
        return EXIT_USAGE;
    }
    for (int index = 0; index < kPortCount; ++index) {
        const QString device = PortDevicePath(index);
#ifdef Q_OS_WIN
        PrintLine(device);
#else
        PrintLine(QStringLiteral("COM%1  %2%3")
                      .arg(index + 1)
                      .arg(device, QFileInfo::exists(device) ? QString() : QStringLiteral("  (absent)")));
#endif
    }
    const QList<QSerialPortInfo> available = QSerialPortInfo::availablePorts();
    PrintLine(available.isEmpty() ? QStringLiteral("No serial ports found.") : QStringLiteral("Serial ports found:"));
    for (const QSerialPortInfo& port : available) {
        const QString description =
            port.description().isEmpty() ? QString() : QStringLiteral("  ") + port.description();
        PrintLine(QStringLiteral("  ") + port.systemLocation() + description);
    }
    return EXIT_OK;
}
