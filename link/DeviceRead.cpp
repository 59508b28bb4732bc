#include "link/DeviceRead.h"

#include "model/CMainDoc.h"

DeviceRead ReadImageFromDevice(const DeviceReadSteps& steps) {
    DeviceRead read;
    ConfigImage& image = read.image;
    image.Clear();
    read.result = steps.runOperation(OPER_READ_CONFIG, image);
    if (read.result != LINK_OK) return read;
    if (steps.fillAudioKinds(image)) {
        read.audioResult = steps.runOperation(OPER_READ_MODULE_DATA, image);
        read.audioMissing = read.audioResult != LINK_OK;
    }
    return read;
}

DeviceRead ReadConfigFromDevice(CMainDoc& doc, bool force, const DeviceReadSteps& steps) {
    DeviceRead read = ReadImageFromDevice(steps);
    if (read.result == LINK_OK) read.taken = doc.ReadCfg(read.image, force);
    return read;
}
