// Delivers a worker's reports to a handler on the thread of a QObject (the
// operation dialog on the user-interface thread) and keeps the worker waiting
// until the handler has answered: the synchronous report the worker expects.
// Unlike a blocking queued call it can be closed, so a worker never waits on
// a receiver that is going away.
#pragma once

#include "base/CrossThreadCalls.h"
#include "link/LinkProtocol.h"

#include <QObject>
#include <QPointer>

#include <functional>

class QueuedNotifyTarget : public LinkNotifyTarget {
public:
    using Handler = std::function<int(int code, long param)>;
    // context's thread runs the handler; the handler is not called after the
    // context is destroyed.
    QueuedNotifyTarget(QObject* context, Handler handler);
    ~QueuedNotifyTarget() override;

    int SendSerialNotify(int code, long param) override;
    // From now on reports are not delivered; waiting and later reports return
    // at once with a nonzero answer, which stops any running operation.
    void Close();

private:
    QPointer<QObject> m_context;  // read on the context's thread only
    Handler m_handler;
    CrossThreadCalls m_calls;
};
