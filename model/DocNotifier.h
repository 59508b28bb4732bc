#pragma once

#include <QObject>

// Carries the document's stateChanged signal. A copy of the document (a
// trial edit) gets one of its own that nobody listens to.
class DocNotifier : public QObject {
    Q_OBJECT
public:
    DocNotifier() = default;
    DocNotifier(const DocNotifier&) : QObject() {}
    DocNotifier& operator=(const DocNotifier&) { return *this; }

Q_SIGNALS:
    // A configuration was read, loaded, saved or dropped, or the device
    // binding changed.
    void stateChanged();
};
