#include "link/DeviceRead.h"

#include "model/CMainDoc.h"

DeviceRead ReadConfigFromDevice(CMainDoc& doc, bool force, const DeviceReadSteps& steps) {
    DeviceRead read;
    ConfigImage image;
    image.Clear();
    read.result = steps.runOperation(OPER_READ_CONFIG, image);
    if (read.result != LINK_OK) return read;
    if (steps.fillAudioKinds(image)) read.audioMissing = steps.runOperation(OPER_READ_MODULE_DATA, image) != LINK_OK;
    read.taken = doc.ReadCfg(image, force);
    return read;
}
