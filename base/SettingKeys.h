// Every value the program keeps in its settings file, with its default. Code
// reads and writes settings only through these names, so a key is spelled in
// one place and its default cannot drift between readers.
#pragma once

#include "base/Settings.h"

struct IntSetting {
    const char* section;
    const char* key;
    int defaultValue;
};

struct TextSetting {
    const char* section;
    const char* key;
    const char* defaultValue;
};

// Main window placement (restored rectangle) and whether it was maximized.
inline constexpr IntSetting kLayoutLeft{"Layout", "Left", 22};
inline constexpr IntSetting kLayoutTop{"Layout", "Top", 22};
inline constexpr IntSetting kLayoutWidth{"Layout", "Width", 600};
inline constexpr IntSetting kLayoutHeight{"Layout", "Height", 400};
inline constexpr IntSetting kLayoutMaximize{"Layout", "Maximize", 1};
// Bars and view options.
inline constexpr IntSetting kViewToolBar{"View", "ToolBar", 1};
inline constexpr IntSetting kViewStatusBar{"View", "StatusBar", 1};
inline constexpr IntSetting kViewToolTips{"View", "ToolTips", 1};
inline constexpr IntSetting kViewMessages{"View", "Messages", 1};
// Read the device back after a write and compare.
inline constexpr IntSetting kViewVerifyWrite{"View", "VerifyWrite", 1};
// Zoom of the configuration view in percent.
inline constexpr IntSetting kViewZoom{"View", "Zoom", 100};
// Serial port index, 0 = COM1 .. 7 = COM8.
inline constexpr IntSetting kConnectionPort{"Connection", "Port", 0};
// Milliseconds a network port (tcp://, rfc2217://) may take to connect, and
// again to agree on the line settings.
inline constexpr IntSetting kConnectionNetworkTimeout{"Connection", "NetworkTimeout", 3000};
// Title of the chosen translation file; empty for the base language.
inline constexpr TextSetting kLanguageId{"Language", "LangID", ""};
// Nonzero switches the diagnostic log on.
inline constexpr IntSetting kDebugLog{"Debug", "Log", 0};

// Outside Windows the port entries COM1 .. COM8 stand for device paths kept in
// section "Ports" (default /dev/ttyS0 .. /dev/ttyS7).
inline constexpr const char* kPortsSection = "Ports";
inline constexpr int kPortCount = 8;

inline int ReadSetting(const IntSetting& s) {
    return AppProfile().GetInt(QString::fromLatin1(s.section), QString::fromLatin1(s.key), s.defaultValue);
}
inline QString ReadSetting(const TextSetting& s) {
    return AppProfile().GetString(QString::fromLatin1(s.section), QString::fromLatin1(s.key),
                                  QString::fromLatin1(s.defaultValue));
}
inline bool WriteSetting(const IntSetting& s, int value) {
    return AppProfile().WriteInt(QString::fromLatin1(s.section), QString::fromLatin1(s.key), value);
}
inline bool WriteSetting(const TextSetting& s, const QString& value) {
    return AppProfile().WriteString(QString::fromLatin1(s.section), QString::fromLatin1(s.key), value);
}

// "COM<n+1>" for port index n (0 .. 7).
inline QString PortName(int index) { return QStringLiteral("COM%1").arg(index + 1); }

// The device a port entry opens when the settings keep none for it: the COM
// name itself on Windows, elsewhere the built-in serial port of that number.
inline QString DefaultPortDevice(int index) {
#ifdef Q_OS_WIN
    return PortName(index);
#else
    return QStringLiteral("/dev/ttyS%1").arg(index);
#endif
}

// The device a port entry opens: the COM name itself on Windows, elsewhere
// the device path kept for it; empty for an index outside 0 .. 7.
inline QString PortDevicePath(int index) {
    if (index < 0 || index >= kPortCount) return {};
#ifdef Q_OS_WIN
    return PortName(index);
#else
    return AppProfile().GetString(QString::fromLatin1(kPortsSection), PortName(index), DefaultPortDevice(index));
#endif
}
