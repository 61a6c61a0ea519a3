#include "cli/commands.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <optional>
#include <ostream>
#include <string_view>

#include "cli/cli_support.h"
#include "cli/cmd_backups.h"
#include "cli/cmd_ports.h"
#include "cli/cmd_print.h"
#include "cli/cmd_read.h"
#include "cli/cmd_simulate.h"
#include "cli/cmd_write.h"
#include "core/image/atomic_file.h"
#include "qt/data_paths.h"

#ifndef RADIO_VERSION
#define RADIO_VERSION "unknown"
#endif

namespace radio::cli {

const std::vector<Command>& Commands() {
    static const std::vector<Command> commands = {
        // ---- channel-file commands ----
        {"new", "[--force] FILE",
         "write a blank channel image to FILE (an existing FILE only with --force)", RunNew},
        {"dump", "FILE", "print the 200 channels of FILE, TAB-separated", RunDump},
        {"set", "[--truncate] FILE ROW COL TEXT [ROW COL TEXT ...]",
         "edit cells (ROW 1-200, COL 1-9) as the grid does and save FILE", RunSet},
        {"copy", "[--truncate] FILE FROM TO [COUNT]",
         "copy COUNT channels (default 1) from row FROM over the rows from TO, bytes and all",
         RunCopy},
        {"move", "[--truncate] FILE FROM TO",
         "move the channel of row FROM to row TO; the channels between close up", RunMove},
        {"insert", "[--truncate] [--force] FILE ROW",
         "insert an empty row at ROW; the channels below move down (one in row 200 is lost: "
         "refused unless --force)",
         RunInsert},
        {"delete", "[--truncate] FILE ROW", "delete the channel of ROW; the channels below move up",
         RunDelete},
        {"sort", "[--truncate] [--with-pr] FILE",
         "order the channels 1-199 by Rx Frequency, lowest first, empty rows last; Pr stays "
         "in row 1 unless --with-pr sorts it with them",
         RunSort},
        {"options", "FILE",
         "print the optional features of FILE, one NAME<TAB>VALUE line each, as option takes them",
         RunOptions},
        {"option", "[--truncate] FILE NAME=VALUE [NAME=VALUE ...]",
         "change the named optional features; no other byte of FILE changes", RunOption},
        {"band", "[--truncate] FILE --type N --band N",
         "choose radio type and band (0-based indexes into Program.ini's lists)", RunBand},
        {"export", "FILE.dat OUT.csv",
         "write the channels of FILE.dat as CSV in the layout radio programmers exchange "
         "(- for standard output); OUT.tsv or OUT.txt gets dump's listing",
         RunExport},
        {"import",
         "[--truncate] FILE.dat IN.csv|--stock NAME [--map MAP|guess] [--merge] [--start ROW] "
         "[--dry-run]",
         "take the channels of a CSV file, of dump's listing, of a repeater directory's CSV "
         "download or of a stock list into FILE.dat (- for standard input); every row is "
         "replaced unless --merge; --start moves the first channel to ROW (1-200); --map reads "
         "a table with other columns (\"rx=Output Freq,tx=Input Freq,txtone=Uplink Tone,"
         "name=Call\"; fields loc, rx, tx, offset, duplex, txtone, rxtone, dcs, power, "
         "bandwidth, mode, scan, name; a column by name or as #N), --map guess prints the "
         "guessed map and the first channels and writes nothing; findings go to stderr; "
         "--dry-run saves nothing and lists ROW, COLUMN, OLD, NEW; exit 0 every channel taken, "
         "1 nothing taken (FILE.dat unchanged) or some channels left out (the others saved; "
         "the findings name them)",
         RunImport},
        {"stock", "",
         "list the stock channel lists (PMR446, FRS/GMRS, MURS, weather, marine, calling "
         "frequencies): NAME<TAB>DESCRIPTION, for import --stock NAME",
         RunStock},
        {"config", "get SECTION KEY", "print the value the program reads from Program.ini",
         RunConfig},
        {"print", "FILE -o OUT.pdf|- [--lang en|zh] [--page-size A4|Letter|...]",
         "print the option and channel sheets of FILE into a PDF (-o - writes it to stdout)",
         RunPrint},
        {"check", "FILE", "print what the check before writing finds in FILE (exit 0 none, 1 some)",
         RunCheck},
        {"diff", "A.dat B.dat",
         "print the differences between two images, one a line (exit 0 same, 1 different)",
         RunDiff},
        // ---- radio link commands ----
        {"ports", "",
         "list the serial ports found: name, description, USB vid:pid, cable chip, driver",
         RunPorts},
        {"doctor", "[--port PORT]",
         "check a port as a transfer uses it (exists, permission, in use, 9600 8N1, a radio "
         "answers the wake-up) and say what to do; without --port, the USB cable plugged in",
         RunDoctor},
        {"read", "--port PORT [--backup-dir DIR|off] [--truncate] FILE",
         "read the whole radio into FILE (written only after a complete read) and keep a "
         "backup of it",
         RunRead},
        {"write",
         "--port PORT [--port PORT ...] [--no-verify] [--force] [--backup-first [--backup-dir "
         "DIR]] [--log LOG.csv] [--repeat] FILE",
         "check FILE, write it to the radio and read it back to verify; errors found refuse "
         "the write unless --force. Several --port write to all those radios at once, a line "
         "each as it ends (exit 0 only when all verified); --backup-first keeps each radio's "
         "image first, --log appends a CSV row per radio, --repeat asks for the next radios "
         "after each round",
         RunWrite},
        {"backups", "[--backup-dir DIR]",
         "list the backups of radio reads, newest first: path, date, channels", RunBackups},
        {"simulate",
         "[--count N] [--image FILE] [--save FILE] [--truncate] [--baud N] [--fault [N=]LIST] "
         "[--log FILE]",
         "serve a virtual radio on a pseudo-terminal (its path is the first line of stdout) "
         "until Ctrl+C (or SIGTERM, SIGHUP), then save its memory and frame log; --count N "
         "serves N radios, a path a line, with a --save and --log file each (FILE-1.dat ...); "
         "--fault N=LIST is for radio N only, LIST alone for all; LIST is a "
         "comma-separated list of "
         "silent, wrong-first-ack, ack-from:N, no-confirm-before:N, no-confirm-from:N, "
         "pull-at-ident, scrambled-header, short-reply:K, garbage-ack:K, mute:K, pull:K, "
         "drop-write:K, corrupt-write:K "
         "(--fault help explains them)",
         RunSimulate},
    };
    return commands;
}

namespace {

void PrintHelp(std::ostream& os) {
    os << "usage: radioprog [--lang en|zh] [--config PATH] [--settings PATH] COMMAND [ARGS...]\n"
          "       (the three options may also follow the command)\n"
          "       radioprog --help | --version\n\ncommands:\n";
    for (const Command& c : Commands()) {
        std::string head = std::string(c.name) + " " + c.usage;
        os << "  " << head;
        if (head.size() < 40)
            os << std::string(40 - head.size(), ' ');
        else
            os << "\n  " << std::string(40, ' ');
        os << c.summary << "\n";
    }
    os << "\nsaving: FILE is replaced through a temporary file, so a failed save leaves it as it\n"
          "was; it keeps its owner, group and mode. A link is followed to its file; a device,\n"
          "FIFO or folder is refused, and so is a file with several names (hard links). Only\n"
          "a file's first 8192 bytes are the image: every command that saves FILE cuts a\n"
          "longer one to 8192 bytes only with --truncate. An output that is also an input is\n"
          "refused. One command at a time changes a FILE: another one waits up to 3 seconds,\n"
          "then exits 1 (\"FILE is being changed by another program (process N)\"), and a\n"
          "FILE changed by another program since it was read is not saved (exit 1).\n"
          "ROW, FROM and TO count as in set: 1 is the channel Pr, 200 the channel 199.\n"
          "\noptions:\n"
          "  --lang en|zh      display language of channel texts and headings (default en)\n"
          "  --config PATH     configuration file (default Program.ini beside radioprog,\n"
          "                    else the desktop program's: the user's copy or the one in\n"
          "                    ../share/radio-programmer; a missing file means every default)\n"
          "  --settings PATH   settings file holding the radio type, band and port choice\n"
          "\nexit status: 0 done, 1 refused (a rejected edit or one that changes nothing, a\n"
          "             failed or stopped transfer or verify, findings of check, differences\n"
          "             of diff, an import that took nothing or left channels out, a FILE\n"
          "             in use or changed by another program),\n"
          "             2 usage error or unreadable input\n";
}

std::string DefaultConfigPath(int argc, char** argv) {
    // The file the desktop program of this installation reads: beside the executable, the
    // user's own copy, or the installation's shared one.
    if (QCoreApplication::instance()) return LocateProgramConfig().readPath;
    QString dir;
    if (argc > 0 && std::string_view(argv[0]).find('/') != std::string_view::npos) {
        dir = QFileInfo(QString::fromLocal8Bit(argv[0])).absolutePath();
    } else {
        dir = QDir::currentPath();
    }
    return QDir(dir).filePath(QStringLiteral("Program.ini")).toStdString();
}

// --lang, --config and --settings ("--opt VALUE" or "--opt=VALUE") are taken wherever they
// stand, before or after the command; `rest` gets the other arguments in order. Returns false
// after saying what is wrong.
bool TakeGlobalOptions(int argc, char** argv, Language& lang,
                       std::optional<std::string>& configPath,
                       std::optional<std::string>& settingsPath, std::vector<std::string>& rest,
                       std::ostream& err) {
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        std::string_view name = arg, value;
        bool hasValue = false;
        if (auto eq = arg.find('='); arg.starts_with("--") && eq != std::string_view::npos) {
            name = arg.substr(0, eq);
            value = arg.substr(eq + 1);
            hasValue = true;
        }
        if (name != "--lang" && name != "--config" && name != "--settings") {
            rest.emplace_back(arg);
            continue;
        }
        if (!hasValue) {
            if (i + 1 >= argc) {
                err << "radioprog: option " << name << " needs a value\n";
                return false;
            }
            value = argv[++i];
        }
        if (name == "--lang") {
            if (value == "en") {
                lang = Language::English;
            } else if (value == "zh") {
                lang = Language::Chinese;
            } else {
                err << "radioprog: --lang takes en or zh, not '" << value << "'\n";
                return false;
            }
        } else if (value.empty()) {
            err << "radioprog: option " << name << " needs a non-empty path\n";
            return false;
        } else if (name == "--config") {
            configPath = std::string(value);
        } else {
            settingsPath = std::string(value);
        }
    }
    return true;
}

}  // namespace

int RunCli(int argc, char** argv, std::ostream& out, std::ostream& err) {
    Language lang = Language::English;
    std::optional<std::string> configPath, settingsPath;
    std::vector<std::string> rest;
    if (!TakeGlobalOptions(argc, argv, lang, configPath, settingsPath, rest, err))
        return kExitUsage;
    bool help = false, version = false;

    std::size_t i = 0;
    for (; i < rest.size(); ++i) {
        const std::string_view arg = rest[i];
        if (arg.empty() || arg[0] != '-') break;  // the subcommand
        if (arg == "--help" || arg == "-h") {
            help = true;
        } else if (arg == "--version") {
            version = true;
        } else {
            err << "radioprog: unknown option '" << arg << "'\n";
            PrintHelp(err);
            return kExitUsage;
        }
    }

    if (help) {
        PrintHelp(out);
        return kExitOk;
    }
    if (version) {
        out << "radioprog " RADIO_VERSION "\n";
        return kExitOk;
    }
    if (i >= rest.size()) {
        err << "radioprog: no command given\n";
        PrintHelp(err);
        return kExitUsage;
    }

    const std::string_view name = rest[i];
    const Command* command = nullptr;
    for (const Command& c : Commands()) {
        if (name == c.name) command = &c;
    }
    if (!command) {
        err << "radioprog: unknown command '" << name << "'\n";
        PrintHelp(err);
        return kExitUsage;
    }

    Context ctx{
        .args =
            std::vector<std::string>(rest.begin() + static_cast<std::ptrdiff_t>(i) + 1, rest.end()),
        .lang = lang,
        .configPath = configPath ? *configPath : DefaultConfigPath(argc, argv),
        .settingsPath = {},
        .out = out,
        .err = err,
    };
    // A FIFO would block the first read of it forever; a device or folder is no file of text.
    if (const Status st = CheckConfigFile(ctx.configPath, "--config"); !st) {
        err << "radioprog: " << st.message << "\n";
        return kExitUsage;
    }
    // Every command sees a settings path; the default depends on Program.ini's AppName.
    ctx.settingsPath = settingsPath ? *settingsPath : DefaultSettingsPath(ctx);
    if (const Status st = CheckConfigFile(ctx.settingsPath, "--settings"); !st) {
        err << "radioprog: " << st.message << "\n";
        return kExitUsage;
    }
    // The settings writer would put Type and Field among the branding texts.
    if (SameFile(ctx.settingsPath, ctx.configPath)) {
        err << "radioprog: --settings names the configuration file " << ctx.configPath
            << "; the settings (radio type, band, port) need a file of their own\n";
        return kExitUsage;
    }

    if (ctx.args.size() == 1 && (ctx.args[0] == "--help" || ctx.args[0] == "-h")) {
        out << "usage: radioprog " << command->name << " " << command->usage << "\n"
            << command->summary << "\n";
        return kExitOk;
    }
    return command->run(ctx);
}

}  // namespace radio::cli
