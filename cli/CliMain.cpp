// vkx520ctl's command line: the verbs, --help (also of each verb) and --version.
#include "cli/CliCommands.h"
#include "cli/CmdSkinCheck.h"
#include "base/ExitCodes.h"
#include "base/ProgramPaths.h"
#include "skin/Skin.h"

#include <QDir>

#include <cstdio>
#include <cstring>

namespace {

struct Verb {
    const char* name;
    int (*run)(const QStringList&);
    const char* usage;  // its lines of the usage block (without their indent)
    const char* about;  // its paragraph of the help text
};

constexpr Verb kVerbs[] = {
    {"read", RunRead,
     "vkx520ctl read     --port PORT -o FILE.vkcfg [--skin modules.xml] [--no-backup]\n"
     "                     [--log FILE]",
     "  read      reads the device's configuration (as Connect does) and saves it\n"
     "            to FILE.vkcfg; the skin tells which modules carry embedded audio,\n"
     "            whose settings are read too; a backup of what was read is kept\n"
     "            in the backups folder (the newest 200) unless --no-backup\n"},
    {"write", RunWrite,
     "vkx520ctl write    --port PORT [--port PORT ...] | --units INVENTORY  FILE.vkcfg\n"
     "                     [--only PARTS] [--dry-run] [--yes] [--verify]\n"
     "                     [--skin modules.xml] [--log FILE]",
     "  write     writes FILE.vkcfg's configuration to the device, which then\n"
     "            restarts; asks \"Write configuration to device?\" first when\n"
     "            standard input is a terminal, unless --yes is given; --verify\n"
     "            waits for the device to answer again (at most 25 s), reads it\n"
     "            back and compares what it holds with what was written.\n"
     "            --only modules,outputs,keys,panel,audio reads the device first\n"
     "            and takes only those parts of FILE.vkcfg, keeping the rest as\n"
     "            the device holds it. --dry-run reads the device and lists what\n"
     "            a write would change (device -> written), sending no change.\n"
     "            Several --port, or --units INVENTORY (one unit per line: its\n"
     "            port and an optional JSON patch of its own fields, see the man\n"
     "            page), write to many units at once: each is read first (a\n"
     "            backup kept), written and verified as asked, a line each as it\n"
     "            ends, led by its port, then a summary naming the units that\n"
     "            failed; one unit's failure stops no other (status 11)\n"},
    {"set-time", RunSetTime, "vkx520ctl set-time --port PORT [--log FILE]",
     "  set-time  sets the device clock to this computer's time of day\n"},
    {"reset", RunReset, "vkx520ctl reset    --port PORT [--log FILE]", "  reset     restarts the device\n"},
    {"show", RunShow, "vkx520ctl show     FILE.vkcfg [--json] [--skin modules.xml]",
     "  show      prints what FILE.vkcfg holds; --json prints one JSON object\n"
     "            (slots counted from 0, labels as stored, \"\" for a default name)\n"},
    {"ports", RunPorts, "vkx520ctl ports [--probe]",
     "  ports     lists COM1..COM8 with the devices they stand for, and the\n"
     "            serial ports found on this system (description, maker,\n"
     "            VID:PID, serial number, /dev/serial/by-id name); --probe also\n"
     "            asks each of them for the device's input module table (one\n"
     "            read, nothing written) and says where a VKX520 answers\n"},
    {"skin-check", RunSkinCheck, "vkx520ctl skin-check [modules.xml]",
     "  skin-check  lists the problems of a skin file (default: the skin under\n"
     "            Files below)\n"},
    {"diff", RunDiff, "vkx520ctl diff     A.vkcfg B.vkcfg [--json]   (either side may be --port PORT)",
     "  diff      prints the differences of two configurations field by field\n"
     "            (modules, signals, key and panel links, embedded audio, labels),\n"
     "            each a file or, with --port, the device; --json prints them as\n"
     "            one JSON object\n"},
    {"export", RunExport, "vkx520ctl export   FILE.vkcfg [-o OUT.json] [--skin modules.xml]",
     "  export    prints FILE.vkcfg as JSON (or writes it to OUT.json): the show\n"
     "            --json object plus every byte needed to give back the same file\n"},
    {"import", RunImport, "vkx520ctl import   IN.json -o FILE.vkcfg [--force]",
     "  import    makes FILE.vkcfg from such JSON, checking every field; a keyMap\n"
     "            that is not a permutation of 1..16 needs --force; an error names\n"
     "            the field and leaves FILE.vkcfg untouched\n"},
    {"labels", RunLabels,
     "vkx520ctl labels export FILE.vkcfg [-o OUT.csv] [--skin modules.xml]\n"
     "  vkx520ctl labels import IN.csv FILE.vkcfg [-o OUT.vkcfg]",
     "  labels export  prints the input and panel labels of FILE.vkcfg as a\n"
     "            spreadsheet (CSV, UTF-8; or writes them to OUT.csv): one row\n"
     "            per usable input with its slot and module, one per panel input\n"
     "  labels import  takes the labels of IN.csv into FILE.vkcfg (or writes the\n"
     "            result to OUT.vkcfg), all or none: a refused row is named with\n"
     "            its row, column and reason, and nothing is written; only the\n"
     "            labels that change are rewritten\n"},
};

constexpr char kIntro[] = R"(
The command-line companion of VKX520Setup: the same device operations over
the same link, for scripts and for use without a display.

)";

constexpr char kNotes[] = R"(
PORT is COM1..COM8, mapped to devices as VKX520Setup maps them (section
"Ports" of the settings file; by default /dev/ttyS0..7), or the path of a
serial device or pseudo-terminal (see vkx520sim), or a port on a serial
device server: tcp://HOST:PORT (raw TCP: the server sets the line) or
rfc2217://HOST:PORT (Telnet Com Port Control: 38400 8N1 is sent to the
server, which must confirm it). A COM entry may stand for such a port too.
With ser2net, a YAML connection like
  connection: &rack
    accepter: telnet(rfc2217),tcp(nodelay),2001
    connector: serialdev,/dev/ttyUSB0,38400n81,local
    options:
      chardelay: false
is reached as --port rfc2217://HOST:2001 (with the accepter
tcp(nodelay),2001 as tcp://HOST:2001). A connection must be made within
3 s ("NetworkTimeout" in milliseconds in section "Connection" of the
settings file).
--skin names the skin file (default: the skin under Files); a named skin
that cannot be opened ends the command with status 66.
--log FILE appends the diagnostic lines of the link to FILE (status 73 before
the device is asked anything when FILE cannot take them: a FIFO, a device).
Ctrl-C during an operation stops it after the step that is running.
)";

constexpr char kExitStatus[] = R"(
Exit status:
  0      success (a checksum warning is printed, the status stays 0)
  1..6   the link failed: 1 port cannot be opened (a second line says
         why: permission, no such device, in use; for a network port
         refused, unreachable, no answer, unknown host, a line setting the
         server did not accept), 2 write failed,
         3 no reply, 4 three bad replies, 5 device failure, 6 aborted;
         also write --verify and diff --port when the device could not be
         read back completely (embedded audio included): nothing compared
  8      read: FILE.vkcfg is saved, but the embedded audio settings could
         not be read (they are missing from it, as after Connect)
  9      write --verify: the device holds something else than was written
         (the differences are listed)
  10     diff: the configurations differ
  11     write to several units: some of them failed (the summary names
         them; each unit's line gives its own status)
  64     wrong arguments
  65     a file is corrupt or not a configuration file (skin-check: the
         skin has problems; import: a field is wrong, and named; labels
         import: rows are refused, each named; write --units: a line of
         the inventory is wrong, named with its reason; nothing is sent)
  66     an input file cannot be opened
  73     an output file cannot be created, or standard output cannot be written
)";

// Where this copy keeps its files: beside it, or for an installed copy the
// user's own folders and the shipped data folder. Naming them makes nothing.
QString FilesText() {
    return QStringLiteral(
               "\nFiles:\n"
               "  settings  %1\n"
               "  skin      %2\n"
               "  backups   %3\n"
               "            (VKX520_BACKUP_DIR names another folder)\n")
        .arg(QDir::toNativeSeparators(SharedSettingsPath()), QDir::toNativeSeparators(DefaultSkinPath()),
             QDir::toNativeSeparators(BackupFolder()));
}

void Print(const QString& text) { std::fputs(text.toLocal8Bit().constData(), stdout); }

void PrintHelp() {
    QString text = QStringLiteral("usage:\n");
    for (const Verb& verb : kVerbs) text += QStringLiteral("  %1\n").arg(QLatin1String(verb.usage));
    text += QStringLiteral("  vkx520ctl VERB --help\n  vkx520ctl --help | --version\n") + QLatin1String(kIntro);
    for (const Verb& verb : kVerbs) text += QLatin1String(verb.about);
    Print(text + QLatin1String(kNotes) + FilesText() + QLatin1String(kExitStatus));
}

void PrintVerbHelp(const Verb& verb) {
    Print(QStringLiteral("usage:\n  %1\n\n%2%3\nvkx520ctl --help tells what PORT stands for, and the exit statuses.\n")
              .arg(QLatin1String(verb.usage), QLatin1String(verb.about), FilesText()));
}

// "--help" or "-h" among a verb's arguments; after "--" it would be a file's name.
bool AsksForHelp(const QStringList& args) {
    for (const QString& arg : args) {
        if (arg == QLatin1String("--")) return false;
        if (arg == QLatin1String("--help") || arg == QLatin1String("-h")) return true;
    }
    return false;
}

int UsageError(const char* what, const QString& argument) {
    std::fprintf(stderr, "vkx520ctl: %s%s (see vkx520ctl --help)\n", what, argument.toLocal8Bit().constData());
    return EXIT_USAGE;
}

}  // namespace

int RunVkx520Ctl(const QStringList& args) {
    if (args.isEmpty()) return UsageError("a command is missing", {});
    const QString& first = args.first();
    if (first == QLatin1String("--help") || first == QLatin1String("-h")) {
        PrintHelp();
        return EXIT_OK;
    }
    if (first == QLatin1String("--version")) {
        std::printf("vkx520ctl %s\n", VKX_VERSION);
        return EXIT_OK;
    }
    for (const Verb& verb : kVerbs) {
        if (first != QLatin1String(verb.name)) continue;
        if (AsksForHelp(args.mid(1))) {
            PrintVerbHelp(verb);
            return EXIT_OK;
        }
        return verb.run(args.mid(1));
    }
    return UsageError("unknown command ", first);
}
