#include "link/QueuedNotifyTarget.h"

#include <memory>

namespace {
constexpr int kClosedAnswer = 1;
}  // namespace

QueuedNotifyTarget::QueuedNotifyTarget(QObject* context, Handler handler)
    : m_context(context), m_handler(std::move(handler)), m_calls(context) {}

QueuedNotifyTarget::~QueuedNotifyTarget() { Close(); }

int QueuedNotifyTarget::SendSerialNotify(int code, long param) {
    // On the context's thread (a synchronous operation) the handler is called
    // directly, also after a close.
    if (m_calls.OnContextThread()) return m_context ? m_handler(code, param) : kClosedAnswer;
    // The answer lives in the call: a close while the handler runs (its
    // message box, say) releases the worker before the handler returns.
    auto answer = std::make_shared<int>(kClosedAnswer);
    const bool answered = m_calls.Run([this, answer, code, param] {
        // A context that died first gets no call.
        if (m_context) *answer = m_handler(code, param);
    });
    return answered ? *answer : kClosedAnswer;
}

void QueuedNotifyTarget::Close() { m_calls.Close(); }
