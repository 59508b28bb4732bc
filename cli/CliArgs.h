// Arguments of one vkx520ctl verb: the options the verb allows, in any order
// ("--port PORT" or "--port=PORT"), and its file operands.
#pragma once

#include <QString>
#include <QStringList>

enum VerbOption : unsigned {
    OPT_PORT = 1u << 0,       // --port PORT
    OPT_OUTPUT = 1u << 1,     // -o FILE, --output FILE
    OPT_SKIN = 1u << 2,       // --skin modules.xml
    OPT_LOG = 1u << 3,        // --log FILE
    OPT_YES = 1u << 4,        // --yes
    OPT_JSON = 1u << 5,       // --json
    OPT_NO_BACKUP = 1u << 6,  // --no-backup
    OPT_VERIFY = 1u << 7,     // --verify
    OPT_FORCE = 1u << 8,      // --force
    OPT_UNITS = 1u << 9,      // --units INVENTORY
    OPT_ONLY = 1u << 10,      // --only PART,PART...
    OPT_DRY_RUN = 1u << 11,   // --dry-run
    OPT_LAST = OPT_DRY_RUN,
    // Not an option: --port may be given more than once (options.ports).
    OPT_MANY_PORTS = 1u << 16,
};

struct VerbSyntax {
    const char* usage;  // the verb's line of the help text
    unsigned allowed;   // VerbOption bits
    unsigned required;
    int files;  // file operands the verb takes (exactly)
};

struct VerbOptions {
    QString port, output, skin, log, units, only;
    QStringList ports;  // every --port in order; port is the first
    bool yes = false;
    bool json = false;
    bool noBackup = false, verify = false, force = false, dryRun = false;
    QStringList files;
};

// Parses args (the arguments after the verb). False on a usage error, with a
// one-line description in error.
bool ParseVerbArgs(const QStringList& args, const VerbSyntax& syntax, VerbOptions& options, QString& error);

// The same, telling what is wrong and the verb's usage on failure
// (ComplainAboutUsage).
bool ParseVerbArgsOrComplain(const QStringList& args, const VerbSyntax& syntax, VerbOptions& options);
// "vkx520ctl: <what>" and "vkx520ctl: usage: <usage>" on standard error.
void ComplainAboutUsage(const QString& what, const char* usage);

// The skin a verb reads: --skin, or modules.xml beside the program.
QString SkinPathArg(const VerbOptions& options);

// A skin named by --skin must be there: EXIT_OK, or EXIT_NO_INPUT after the
// file-error message when it cannot be opened. The skin beside the program may
// be missing; it then only leaves out what it would tell.
int CheckSkinArg(const VerbOptions& options);
// The same for a skin file that must be there (skin-check's).
int CheckSkinFileArg(const QString& path);
