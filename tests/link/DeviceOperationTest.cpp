// Device operations through the step driver, against the simulated device.
#include "support/SimRig.h"

#include "link/DeviceOperation.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

constexpr uint8_t kAudioModule = 0x11;

// Slots 0 (4 inputs) and 2 (10 inputs, more than the 8 places of a slot)
// carry embedded audio; slot 3 is empty.
ConfigImage SampleImage() {
    ConfigImage image;
    image.Clear();
    image.inputModules[0] = {kAudioModule, 4};
    image.inputModules[1] = {0x12, 8};
    image.inputModules[2] = {kAudioModule, 10};
    image.outputModules[0] = {0x31, {1, 2, 3, 4}};
    image.outputModules[5] = {0x32, {5, 6, 7, 8}};
    for (int n = 0; n < kUsableInputs; ++n) {
        image.panelInputMap[n] = uint8_t(15 - n);
        image.keyMap[n] = uint8_t((n + 3) % 17);
    }
    for (int slot = 0; slot < kSlotCount; ++slot)
        for (int j = 0; j < kInputsPerSlot; ++j) image.audioTable[slot][j] = uint8_t(slot * 16 + j + 1);
    for (const DeviceBlock& block : {kInputTableBlock, kPanelMapBlock, kKeyMapBlock, kOutputTableBlock})
        StoreBlockCrc(image, block);
    return image;
}

void MarkAudioSlots(ConfigImage& image) {
    for (int slot = 0; slot < kSlotCount; ++slot)
        image.audioKinds[slot] = image.inputModules[slot].code == kAudioModule ? kAudioKindEmbedded : 0;
}

bool SameBlocks(const ConfigImage& a, const ConfigImage& b) {
    for (const DeviceBlock& block : {kInputTableBlock, kPanelMapBlock, kKeyMapBlock, kOutputTableBlock})
        if (std::memcmp(a.bytes() + block.offset, b.bytes() + block.offset, block.length) != 0) return false;
    return true;
}

struct Outcome {
    int code;
    bool warning;
    std::vector<int> positions;
};

Outcome RunOperation(SimRig& rig, DeviceCommand command, ConfigImage& image, int port = 2, int abortAfterSteps = -1) {
    Outcome outcome{};
    int completed = 0;
    OperationObserver observer;
    observer.progress = [&](int position, int) { outcome.positions.push_back(position); };
    observer.abortRequested = [&] { return abortAfterSteps >= 0 && ++completed >= abortAfterSteps; };
    outcome.code = RunDeviceOperationSync(command, port, image, rig.env(), observer, &outcome.warning);
    return outcome;
}

TEST(ReadConfig, ReadsTheFourBlocks) {
    SimRig rig;
    const ConfigImage stored = SampleImage();
    rig.device.LoadImage(stored);
    ConfigImage image;
    image.Clear();
    const Outcome outcome = RunOperation(rig, OPER_READ_CONFIG, image);
    EXPECT_EQ(outcome.code, LINK_OK);
    EXPECT_FALSE(outcome.warning);
    EXPECT_TRUE(SameBlocks(image, stored));
    EXPECT_EQ(rig.ports.openCount(), 4);  // one port opening per step
    EXPECT_EQ(rig.ports.lastPortIndex(), 2);
    EXPECT_EQ(outcome.positions, (std::vector<int>{0, 1, 1, 2, 2, 3, 3, 4}));
    const auto addresses = rig.Requests(CMD_SET_ADDRESS);
    ASSERT_EQ(addresses.size(), 4u);
    EXPECT_EQ(addresses[1], (Bytes{0xE2, 0xE4, 0x00, 0x03, 0x40, 0x00, 0xFF, addresses[1].back()}));
}

struct BlockFaultCase {
    const char* name;
    std::vector<uint32_t> corrupted;
    int code;
    bool warning;
};

TEST(ReadConfig, BlockChecks) {
    const BlockFaultCase cases[] = {
        {"input module table", {0xFF0000}, LINK_ERR_DEVICE, false},
        {"output module table alone", {0xFF0080}, LINK_ERR_DEVICE, false},
        {"panel map", {0xFF0040}, LINK_OK, true},
        {"key map", {0xFF0060}, LINK_OK, true},
        {"both link tables", {0xFF0040, 0xFF0060}, LINK_OK, true},
    };
    for (const BlockFaultCase& c : cases) {
        SimRig rig;
        rig.device.LoadImage(SampleImage());
        for (uint32_t address : c.corrupted) rig.device.CorruptStoredBlock(address);
        const ConfigImage asStored = rig.device.SaveImage();
        ConfigImage image;
        image.Clear();
        const Outcome outcome = RunOperation(rig, OPER_READ_CONFIG, image);
        EXPECT_EQ(outcome.code, c.code) << c.name;
        EXPECT_EQ(outcome.warning, c.warning) << c.name;
        if (c.code != LINK_OK) continue;
        const bool panelBad = !IsBlockValid(asStored, kPanelMapBlock);
        const bool keyBad = !IsBlockValid(asStored, kKeyMapBlock);
        EXPECT_EQ(image.panelInputMap[1], panelBad ? 1 : 14) << c.name;
        EXPECT_EQ(image.keyMap[0], keyBad ? 1 : 3) << c.name;
        EXPECT_EQ(image.panelCrc, asStored.panelCrc) << c.name << ": CRC bytes stay as read";
        EXPECT_EQ(image.keyCrc, asStored.keyCrc) << c.name;
    }
}

TEST(ReadConfig, FirstFailingStepEndsTheOperation) {
    SimRig silent;
    silent.device.SetSilent(true);
    ConfigImage image;
    image.Clear();
    EXPECT_EQ(RunOperation(silent, OPER_READ_CONFIG, image).code, LINK_ERR_NO_REPLY);
    EXPECT_EQ(silent.device.requests().size(), 1u);

    SimRig unplugged;
    unplugged.device.UnplugAfter(3);
    EXPECT_EQ(RunOperation(unplugged, OPER_READ_CONFIG, image).code, LINK_ERR_NO_REPLY);
    EXPECT_EQ(unplugged.device.requests().size(), 4u);

    SimRig noPort;
    EXPECT_EQ(RunOperation(noPort, OPER_READ_CONFIG, image, -1).code, LINK_ERR_PORT);
    EXPECT_TRUE(noPort.device.requests().empty());
}

TEST(WriteConfig, SendsLinkTablesModulesAudioThenReset) {
    SimRig rig;
    ConfigImage image = SampleImage();
    MarkAudioSlots(image);
    image.panelCrc ^= 0xFF;  // stale CRC bytes are recomputed before sending
    image.keyCrc ^= 0xFF;
    const ConfigImage given = image;
    const Outcome outcome = RunOperation(rig, OPER_WRITE_CONFIG, image);
    ASSERT_EQ(outcome.code, LINK_OK);
    EXPECT_EQ(rig.Commands(), (Bytes{CMD_SET_ADDRESS, CMD_WRITE_MEMORY, CMD_SET_ADDRESS, CMD_WRITE_MEMORY,
                                     CMD_MODULE_WRITE, CMD_MODULE_WRITE, CMD_MODULE_WRITE,  // input slots 0, 1, 2
                                     CMD_MODULE_WRITE, CMD_MODULE_WRITE,                    // output slots 0, 5
                                     CMD_MODULE_DATA, CMD_MODULE_DATA,                      // audio slots 0, 2
                                     CMD_RESET}));
    EXPECT_TRUE(IsBlockValid(rig.device.SaveImage(), kPanelMapBlock));
    EXPECT_TRUE(IsBlockValid(rig.device.SaveImage(), kKeyMapBlock));
    EXPECT_EQ(0, std::memcmp(image.bytes(), given.bytes(), sizeof(ConfigImage)))
        << "the caller's image is left as it is";

    const auto audio = rig.Requests(CMD_MODULE_DATA);
    EXPECT_EQ(Bytes(audio[0].begin() + 3, audio[0].end() - 1), (Bytes{5, 0xB0, 1, 2, 3, 4}));
    EXPECT_EQ(Bytes(audio[1].begin() + 3, audio[1].end() - 1), (Bytes{9, 0xB4, 33, 34, 35, 36, 37, 38, 39, 40}))
        << "a count above 8 sends only the slot's 8-byte row";
    const auto modules = rig.Requests(CMD_MODULE_WRITE);
    EXPECT_EQ(Bytes(modules[4].begin() + 3, modules[4].end() - 1), (Bytes{6, 0xCA, 0x32, 5, 6, 7, 8}));
    EXPECT_EQ(rig.device.resetCount(), 1);
}

TEST(WriteConfig, EmptySlotsAreSkipped) {
    SimRig rig;
    ConfigImage image;
    image.Clear();
    image.audioKinds[3] = kAudioKindEmbedded;  // no module in the slot: nothing to send
    const Outcome outcome = RunOperation(rig, OPER_WRITE_CONFIG, image);
    ASSERT_EQ(outcome.code, LINK_OK);
    EXPECT_EQ(rig.Commands(), (Bytes{CMD_SET_ADDRESS, CMD_WRITE_MEMORY, CMD_SET_ADDRESS, CMD_WRITE_MEMORY, CMD_RESET}));
    std::vector<int> expected{0, 1, 1, 2, 2};
    for (int step = 3; step <= 26; ++step) expected.push_back(step);  // the bar passes every skipped step
    expected.push_back(27);
    EXPECT_EQ(outcome.positions, expected);
}

TEST(WriteConfig, ReadsBackEqual) {
    SimRig rig;
    ConfigImage written = SampleImage();
    MarkAudioSlots(written);
    ASSERT_EQ(RunOperation(rig, OPER_WRITE_CONFIG, written).code, LINK_OK);

    ConfigImage read;
    read.Clear();
    ASSERT_EQ(RunOperation(rig, OPER_READ_CONFIG, read).code, LINK_OK);
    EXPECT_TRUE(SameBlocks(read, written));
    MarkAudioSlots(read);
    ASSERT_EQ(RunOperation(rig, OPER_READ_MODULE_DATA, read).code, LINK_OK);
    EXPECT_EQ(0, std::memcmp(read.audioTable[0], written.audioTable[0], 4));
    EXPECT_EQ(0, std::memcmp(read.audioTable[2], written.audioTable[2], 8));
}

TEST(ReadModuleData, OnlyAudioSlotsAtMostEightBytes) {
    SimRig rig;
    ConfigImage stored = SampleImage();
    rig.device.LoadImage(stored);
    ConfigImage image = SampleImage();
    std::memset(image.audioTable, 0, sizeof image.audioTable);
    MarkAudioSlots(image);
    const Outcome outcome = RunOperation(rig, OPER_READ_MODULE_DATA, image);
    ASSERT_EQ(outcome.code, LINK_OK);
    const auto reads = rig.Requests(CMD_MODULE_READ);
    ASSERT_EQ(reads.size(), 2u);
    EXPECT_EQ(Bytes(reads[0].begin() + 3, reads[0].end() - 1), (Bytes{2, 0xB0, 4}));
    EXPECT_EQ(Bytes(reads[1].begin() + 3, reads[1].end() - 1), (Bytes{2, 0xB4, 8})) << "count 10 asks for 8";
    EXPECT_EQ(Bytes(image.audioTable[0], image.audioTable[0] + 8), (Bytes{1, 2, 3, 4, 0, 0, 0, 0}));
    EXPECT_EQ(0, std::memcmp(image.audioTable[2], stored.audioTable[2], 8));
    EXPECT_EQ(image.audioTable[1][0], 0);
    EXPECT_EQ(image.audioTable[3][0], 0);
    EXPECT_EQ(outcome.positions, (std::vector<int>{0, 1, 1, 3}));
}

TEST(ReadModuleData, NoAudioSlotMeansNothingToDo) {
    SimRig rig;
    ConfigImage image = SampleImage();
    EXPECT_EQ(RunOperation(rig, OPER_READ_MODULE_DATA, image).code, LINK_OK);
    EXPECT_EQ(rig.ports.openCount(), 0);
}

TEST(OtherOperations, ResetAndSetTime) {
    SimRig rig;
    rig.clock.SetLocalTime({13, 5, 9, 870});
    ConfigImage image;
    image.Clear();
    EXPECT_EQ(RunOperation(rig, OPER_RESET, image).code, LINK_OK);
    EXPECT_EQ(RunOperation(rig, OPER_SET_TIME, image).code, LINK_OK);
    EXPECT_EQ(rig.Commands(), (Bytes{CMD_RESET, CMD_SET_CLOCK}));
    EXPECT_EQ(rig.device.lastClock().minute, 5);
    EXPECT_EQ(RunOperation(rig, DeviceCommand(99), image).code, LINK_ERR_ABORTED);
    EXPECT_EQ(rig.device.requests().size(), 2u);
}

TEST(Abort, HonouredBetweenSteps) {
    SimRig rig;
    rig.device.LoadImage(SampleImage());
    ConfigImage image;
    image.Clear();
    EXPECT_EQ(RunOperation(rig, OPER_READ_CONFIG, image, 0, 2).code, LINK_ERR_ABORTED);
    EXPECT_EQ(rig.Requests(CMD_SET_ADDRESS).size(), 2u) << "steps 0 and 1 ran, step 2 did not";

    SimRig last;  // abort during the last step still reports the abort
    ConfigImage reset;
    reset.Clear();
    EXPECT_EQ(RunOperation(last, OPER_RESET, reset, 0, 1).code, LINK_ERR_ABORTED);
    EXPECT_EQ(last.device.resetCount(), 1);
}

// Each operation's plan: step number, bar position once done, link
// operation, address and length (LINK_NOP: passed without sending).
TEST(Plan, StepsOfEachOperation) {
    struct Row {
        int number, progress, operation;
        uint32_t address, length;
        bool operator==(const Row&) const = default;
    };
    ConfigImage image = SampleImage();
    MarkAudioSlots(image);
    const auto rows = [](const DeviceOperation& operation) {
        std::vector<Row> rows;
        for (const OperationStep& s : operation.plan())
            rows.push_back({s.number, s.progress, s.operation, s.address, s.length});
        return rows;
    };
    EXPECT_EQ(rows(DeviceOperation(OPER_READ_CONFIG, image)), (std::vector<Row>{{0, 1, LINK_READ, 0xFF0000, 18},
                                                                                {1, 2, LINK_READ, 0xFF0040, 17},
                                                                                {2, 3, LINK_READ, 0xFF0060, 17},
                                                                                {3, 4, LINK_READ, 0xFF0080, 41}}));
    EXPECT_EQ(rows(DeviceOperation(OPER_RESET, image)), (std::vector<Row>{{0, 1, LINK_RESET, 0, 0}}));
    EXPECT_EQ(rows(DeviceOperation(OPER_SET_TIME, image)), (std::vector<Row>{{0, 1, LINK_SET_TIME, 0, 0}}));
    EXPECT_TRUE(rows(DeviceOperation(DeviceCommand(99), image)).empty());
    // Slots 0 and 2 carry audio: the bar jumps over slot 1.
    EXPECT_EQ(rows(DeviceOperation(OPER_READ_MODULE_DATA, image)),
              (std::vector<Row>{{0, 1, LINK_MODULE_READ, 0, 4}, {2, 3, LINK_MODULE_READ, 0, 8}}));

    std::vector<Row> write{{0, 1, LINK_WRITE, 0xFF0040, 17}, {1, 2, LINK_WRITE, 0xFF0060, 17}};
    for (int slot = 0; slot < kSlotCount; ++slot)
        write.push_back({2 + slot, 3 + slot, slot <= 2 ? LINK_MODULE_WRITE : LINK_NOP, 0, 3});
    for (int slot = 0; slot < kSlotCount; ++slot)
        write.push_back({10 + slot, 11 + slot, slot == 0 || slot == 5 ? LINK_MODULE_WRITE : LINK_NOP, 0, 6});
    for (int slot = 0; slot < kSlotCount; ++slot) {
        const uint32_t count = slot == 0 ? 4 : slot == 1 ? 8 : slot == 2 ? 8 : 0;
        write.push_back({18 + slot, 19 + slot, slot == 0 || slot == 2 ? LINK_MODULE_DATA : LINK_NOP, 0, 1 + count});
    }
    write.push_back({26, 27, LINK_RESET, 0, 0});
    EXPECT_EQ(rows(DeviceOperation(OPER_WRITE_CONFIG, image)), write);
}

// The block checks of the link tables are set on the operation's copy, before
// its plan runs; the image handed in is not touched.
TEST(Plan, WriteSetsTheBlockChecksOnItsCopy) {
    ConfigImage image = SampleImage();
    image.panelCrc ^= 0xFF;
    image.keyCrc ^= 0xFF;
    const ConfigImage given = image;
    const DeviceOperation write(OPER_WRITE_CONFIG, image);
    EXPECT_TRUE(IsBlockValid(write.image(), kPanelMapBlock));
    EXPECT_TRUE(IsBlockValid(write.image(), kKeyMapBlock));
    EXPECT_EQ(0, std::memcmp(image.bytes(), given.bytes(), sizeof(ConfigImage)));
    EXPECT_EQ(write.plan()[0].memory, write.image().bytes() + kPanelMapBlock.offset) << "the copy is what is sent";
}

}  // namespace
