// A full disk on demand: while it lives, the n-th following write of
// WriteFileSafely or WriteNewFileSafely fails (n = 1 the next one), the
// others go through.
#pragma once

#include "base/FileIo.h"

#include <atomic>

class FailNthFileWrite : public FileWriteHook {
public:
    explicit FailNthFileWrite(int n) : m_countdown(n), m_previous(SetFileWriteHook(this)) {}
    ~FailNthFileWrite() override { SetFileWriteHook(m_previous); }
    FailNthFileWrite(const FailNthFileWrite&) = delete;
    FailNthFileWrite& operator=(const FailNthFileWrite&) = delete;

    bool MayWrite() override {
        int n = m_countdown.load();
        while (n > 0) {
            if (m_countdown.compare_exchange_weak(n, n - 1)) return n != 1;
        }
        return true;
    }

private:
    std::atomic<int> m_countdown;
    FileWriteHook* m_previous;
};
