// vkx520ctl's command line: the verbs, --help and --version.
#include "cli/CliCommands.h"
#include "cli/CmdSkinCheck.h"
#include "base/ExitCodes.h"

#include <cstdio>
#include <cstring>

namespace {

constexpr char kHelp[] = R"(usage:
  vkx520ctl read     --port PORT -o FILE.vkcfg [--skin modules.xml] [--no-backup]
                     [--log FILE]
  vkx520ctl write    --port PORT FILE.vkcfg [--yes] [--verify [--skin modules.xml]]
                     [--log FILE]
  vkx520ctl set-time --port PORT [--log FILE]
  vkx520ctl reset    --port PORT [--log FILE]
  vkx520ctl show     FILE.vkcfg [--json] [--skin modules.xml]
  vkx520ctl ports [--probe]
  vkx520ctl skin-check [modules.xml]
  vkx520ctl diff     A.vkcfg B.vkcfg [--json]   (either side may be --port PORT)
  vkx520ctl export   FILE.vkcfg [-o OUT.json] [--skin modules.xml]
  vkx520ctl import   IN.json -o FILE.vkcfg [--force]
  vkx520ctl --help | --version

The command-line companion of VKX520Setup: the same device operations over
the same link, for scripts and for use without a display.

  read      reads the device's configuration (as Connect does) and saves it
            to FILE.vkcfg; the skin tells which modules carry embedded audio,
            whose settings are read too; a backup of what was read is kept
            in the backups folder (the newest 200) unless --no-backup
  write     writes FILE.vkcfg's configuration to the device, which then
            restarts; asks "Write configuration to device?" first when
            standard input is a terminal, unless --yes is given; --verify
            waits for the device to answer again (at most 25 s), reads it
            back and compares what it holds with what was written
  set-time  sets the device clock to this computer's time of day
  reset     restarts the device
  show      prints what FILE.vkcfg holds; --json prints one JSON object
            (slots counted from 0, labels as stored, "" for a default name)
  ports     lists COM1..COM8 with the devices they stand for, and the
            serial ports found on this system (description, maker,
            VID:PID, serial number, /dev/serial/by-id name); --probe also
            asks each of them for the device's input module table (one
            read, nothing written) and says where a VKX520 answers
  skin-check  lists the problems of a skin file (default: modules.xml
            beside the program)
  diff      prints the differences of two configurations field by field
            (modules, signals, key and panel links, embedded audio, labels),
            each a file or, with --port, the device; --json prints them as
            one JSON object
  export    prints FILE.vkcfg as JSON (or writes it to OUT.json): the show
            --json object plus every byte needed to give back the same file
  import    makes FILE.vkcfg from such JSON, checking every field; a keyMap
            that is not a permutation of 1..16 needs --force; an error names
            the field and leaves FILE.vkcfg untouched

Backups go to "backups" beside this program, or in installed mode to
~/.local/share/vkx520setup/backups; VKX520_BACKUP_DIR names another folder.

PORT is COM1..COM8, mapped to devices as VKX520Setup maps them (section
"Ports" of VKX520Setup.ini beside this program; by default /dev/ttyS0..7),
or the path of a serial device or pseudo-terminal (see vkx520sim), or a
port on a serial device server: tcp://HOST:PORT (raw TCP: the server sets
the line) or rfc2217://HOST:PORT (Telnet Com Port Control: 38400 8N1 is
sent to the server, which must confirm it). A COM entry may stand for such
a port too. With ser2net, a YAML connection like
  connection: &rack
    accepter: telnet(rfc2217),tcp(nodelay),2001
    connector: serialdev,/dev/ttyUSB0,38400n81,local
    options:
      chardelay: false
is reached as --port rfc2217://HOST:2001 (with the accepter
tcp(nodelay),2001 as tcp://HOST:2001). A connection must be made within
3 s ("NetworkTimeout" in milliseconds in section "Connection" of
VKX520Setup.ini).
--skin names the skin file (default: modules.xml beside this program); a
named skin that cannot be opened ends the command with status 66.
--log FILE appends the diagnostic lines of the link to FILE.
Ctrl-C during an operation stops it after the step that is running.

Exit status:
  0      success (a checksum warning is printed, the status stays 0)
  1..6   the link failed: 1 port cannot be opened (a second line says
         why: permission, no such device, in use; for a network port
         refused, unreachable, no answer, unknown host, a line setting the
         server did not accept), 2 write failed,
         3 no reply, 4 three bad replies, 5 device failure, 6 aborted
  8      read: FILE.vkcfg is saved, but the embedded audio settings could
         not be read (they are missing from it, as after Connect)
  9      write --verify: the device holds something else than was written
         (the differences are listed)
  10     diff: the configurations differ
  64     wrong arguments
  65     a file is corrupt or not a configuration file (skin-check: the
         skin has problems; import: a field is wrong, and named)
  66     an input file cannot be opened
  73     an output file cannot be created
)";

struct Verb {
    const char* name;
    int (*run)(const QStringList&);
};
constexpr Verb kVerbs[] = {
    {"read", RunRead},     {"write", RunWrite},  {"set-time", RunSetTime},     {"reset", RunReset},
    {"show", RunShow},     {"ports", RunPorts},  {"skin-check", RunSkinCheck}, {"diff", RunDiff},
    {"export", RunExport}, {"import", RunImport}};

int UsageError(const char* what, const QString& argument) {
    std::fprintf(stderr, "vkx520ctl: %s%s\n(see vkx520ctl --help)\n", what, argument.toLocal8Bit().constData());
    return EXIT_USAGE;
}

}  // namespace

int RunVkx520Ctl(const QStringList& args) {
    if (args.isEmpty()) return UsageError("a command is missing", {});
    const QString& first = args.first();
    if (first == QLatin1String("--help") || first == QLatin1String("-h")) {
        std::fputs(kHelp, stdout);
        return EXIT_OK;
    }
    if (first == QLatin1String("--version")) {
        std::printf("vkx520ctl %s\n", VKX_VERSION);
        return EXIT_OK;
    }
    for (const Verb& verb : kVerbs)
        if (first == QLatin1String(verb.name)) return verb.run(args.mid(1));
    return UsageError("unknown command ", first);
}
