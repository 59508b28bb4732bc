// Exit statuses of vkx520ctl and vkx520sim. 1 to 6 are the link result codes
// themselves; 8 to 11 are vkx520ctl's own (read, write --verify, diff, write to several units); the others follow the
// usual meanings of <sysexits.h>.
#pragma once

enum ExitCode : int {
    EXIT_OK = 0,
    // read: the file is saved, but the embedded audio settings could not be
    // read from the device (their bytes are 0)
    EXIT_AUDIO_MISSING = 8,
    // write --verify: the device, read back, holds something else than was written
    EXIT_VERIFY_DIFFERENT = 9,
    // diff: the two configurations differ
    EXIT_DIFFERENT = 10,
    // write to several units: at least one of them failed (the summary names them)
    EXIT_SOME_UNITS_FAILED = 11,
    EXIT_USAGE = 64,          // wrong arguments
    EXIT_DATA_ERROR = 65,     // a file that is corrupt or not of the expected format
    EXIT_NO_INPUT = 66,       // an input file that cannot be opened
    EXIT_CANNOT_CREATE = 73,  // an output file that cannot be created
};
