// vkx520ctl write on one unit, and on many at once: the one place where the
// write verb reaches the device path, once per unit.
#pragma once

#include "cli/CliDevice.h"
#include "model/ConfigImage.h"
#include "model/ConfigParts.h"

#include <QString>

#include <vector>

class CSkin;

// Where one unit's lines go: to the terminal when one unit is written, into
// the unit's report when several are written at once.
class UnitOutput {
public:
    virtual ~UnitOutput() = default;
    virtual void Note(const QString& text) = 0;  // a result on standard output
    virtual void List(const QString& line) = 0;  // a listed change on standard output
    virtual void Err(const QString& line) = 0;   // standard error
};

class TerminalOutput : public UnitOutput {
public:
    void Note(const QString& text) override;
    void List(const QString& line) override { Note(line); }
    void Err(const QString& line) override;
};

// What is done to each unit.
struct UnitWriteMode {
    unsigned parts = PART_ALL;  // taken from the template; the rest as the unit holds it
    bool readFirst = false;     // read the unit first (needed for parts and a dry run); a backup is kept
    bool dryRun = false;        // only read, and list what a write would change
    bool verify = false;        // read back after the write and compare

    // A dry run only looks: a COM name's first-start mapping is used, not stored.
    CliLink::FirstStart firstStart() const {
        return dryRun ? CliLink::FirstStart::LeaveSettings : CliLink::FirstStart::StoreMapping;
    }
};

enum class UnitStage { Reading, Writing, Verifying, Done };

struct UnitOutcome {
    int status = 0;  // the exit status this unit alone would give
    UnitStage stage = UnitStage::Done;
    int changes = 0;  // a dry run: the changes listed
};

// Writes image to the unit on link as mode says, telling out what happens.
UnitOutcome WriteUnit(const ConfigImage& image, const UnitWriteMode& mode, const QString& port, CliLink& link,
                      const CSkin& skin, UnitOutput& out);

// One unit of a write to many.
struct UnitTarget {
    QString port;
    ConfigImage image;  // the template, with the unit's patch
};

// Writes to every unit, several at once (each unit by one worker), one
// unit's failure stopping no other: a line per unit as it ends, then a
// summary naming the units that failed. EXIT_OK, or EXIT_SOME_UNITS_FAILED.
int WriteManyUnits(const std::vector<UnitTarget>& units, const UnitWriteMode& mode, const CSkin& skin);
