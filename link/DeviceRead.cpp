#include "link/DeviceRead.h"

#include "model/CMainDoc.h"

namespace {

std::shared_future<AudioKindTable> Ready(const AudioKindTable& table) {
    std::promise<AudioKindTable> made;
    made.set_value(table);
    return made.get_future().share();
}

}  // namespace

DeviceRead ReadImageFromDevice(OperationRunner& runner, std::shared_future<AudioKindTable> audioKinds) {
    DeviceRead read;
    read.image.Clear();
    read.result = RunOperationOn(runner, OPER_READ_CONFIG, read.image).result;
    if (read.result != LINK_OK) return read;
    if (ApplyAudioKinds(audioKinds.get(), read.image)) {
        read.audioResult = RunOperationOn(runner, OPER_READ_MODULE_DATA, read.image).result;
        read.audioMissing = read.audioResult != LINK_OK;
    }
    return read;
}

DeviceRead ReadImageFromDevice(OperationRunner& runner, const AudioKindTable& audioKinds) {
    return ReadImageFromDevice(runner, Ready(audioKinds));
}

DeviceRead ReadConfigFromDevice(CMainDoc& doc, bool force, OperationRunner& runner,
                                std::shared_future<AudioKindTable> audioKinds) {
    DeviceRead read = ReadImageFromDevice(runner, std::move(audioKinds));
    if (read.result == LINK_OK) read.taken = doc.ReadCfg(read.image, force);
    return read;
}

DeviceRead ReadConfigFromDevice(CMainDoc& doc, bool force, OperationRunner& runner, const AudioKindTable& audioKinds) {
    return ReadConfigFromDevice(doc, force, runner, Ready(audioKinds));
}
