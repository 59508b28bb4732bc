// The simulated device wired up for tests: device, clock, port and a
// receiver that records the worker's reports.
#pragma once

#include "link/LinkOperations.h"
#include "link/LinkThread.h"
#include "sim/SimLinkPort.h"

#include <utility>
#include <vector>

#include <QThread>

struct Report {
    int code;
    long param;
    bool operator==(const Report&) const = default;
};

class RecordingTarget : public LinkNotifyTarget {
public:
    int SendSerialNotify(int code, long param) override {
        reports.push_back({code, param});
        return code == LINK_PROGRESS ? progressAnswer : 0;
    }
    std::vector<long> ProgressOffsets() const {
        std::vector<long> offsets;
        for (const Report& r : reports)
            if (r.code == LINK_PROGRESS) offsets.push_back(r.param);
        return offsets;
    }
    std::vector<Report> reports;
    int progressAnswer = 0;
};

// Worker threads that cannot be created the next time a worker is started.
class FailNextThreadStart : public WorkerThreads {
public:
    std::unique_ptr<QThread> Start(std::function<void()> work) override {
        if (std::exchange(failNext, false)) return nullptr;
        return QtWorkerThreads().Start(std::move(work));
    }
    bool failNext = true;
};

struct SimRig {
    SimClock clock;
    SimDevice device{clock};
    SimPortFactory ports{device, clock};
    SimLinkPort port{device, clock};
    RecordingTarget target;
    LinkContext link{port, clock, &target};

    LinkEnvironment env() { return {&ports, &clock}; }

    int Run(int operation, uint8_t* buffer, uint32_t length, uint32_t address = 0) {
        uint32_t count = 0;
        return RunLinkOperation(link, operation, buffer, length, address, count);
    }
    // The frames the device received with this command byte.
    std::vector<std::vector<uint8_t>> Requests(uint8_t command) const {
        std::vector<std::vector<uint8_t>> frames;
        for (const auto& f : device.requests())
            if (f[2] == command) frames.push_back(f);
        return frames;
    }
    std::vector<uint8_t> Commands() const {
        std::vector<uint8_t> commands;
        for (const auto& f : device.requests()) commands.push_back(f[2]);
        return commands;
    }
};

using Bytes = std::vector<uint8_t>;
