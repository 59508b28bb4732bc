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
};

struct VerbSyntax {
    const char* usage;  // the verb's line of the help text
    unsigned allowed;   // VerbOption bits
    unsigned required;
    int files;  // file operands the verb takes (exactly)
};

struct VerbOptions {
    QString port, output, skin, log;
    bool yes = false;
    bool json = false;
    bool noBackup = false, verify = false, force = false;
    QStringList files;
};

// Parses args (the arguments after the verb). False on a usage error, with a
// one-line description in error.
bool ParseVerbArgs(const QStringList& args, const VerbSyntax& syntax, VerbOptions& options, QString& error);

// The same, printing "vkx520ctl: <error>" and the usage line to standard
// error on failure.
bool ParseVerbArgsOrComplain(const QStringList& args, const VerbSyntax& syntax, VerbOptions& options);

// The skin a verb reads: --skin, or modules.xml beside the program.
QString SkinPathArg(const VerbOptions& options);

// A skin named by --skin must be there: EXIT_OK, or EXIT_NO_INPUT after the
// file-error message when it cannot be opened. The skin beside the program may
// be missing; it then only leaves out what it would tell.
int CheckSkinArg(const VerbOptions& options);
// The same for a skin file that must be there (skin-check's).
int CheckSkinFileArg(const QString& path);
