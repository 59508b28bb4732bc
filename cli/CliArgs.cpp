#include "cli/CliArgs.h"

#include "base/ExitCodes.h"
#include "base/FileIo.h"
#include "cli/ConfigFileArg.h"
#include "lang/UiText.h"
#include "skin/Skin.h"

#include <cstdio>

namespace {

struct OptionName {
    const char* name;
    VerbOption option;
};
constexpr OptionName kValueOptions[] = {{"--port", OPT_PORT}, {"-o", OPT_OUTPUT}, {"--output", OPT_OUTPUT},
                                        {"--skin", OPT_SKIN}, {"--log", OPT_LOG}, {"--units", OPT_UNITS},
                                        {"--only", OPT_ONLY}};
constexpr OptionName kFlagOptions[] = {{"--yes", OPT_YES},       {"--json", OPT_JSON},   {"--no-backup", OPT_NO_BACKUP},
                                       {"--verify", OPT_VERIFY}, {"--force", OPT_FORCE}, {"--dry-run", OPT_DRY_RUN}};

QString* ValueField(VerbOptions& options, VerbOption option) {
    switch (option) {
    case OPT_PORT: return &options.port;
    case OPT_OUTPUT: return &options.output;
    case OPT_SKIN: return &options.skin;
    case OPT_LOG: return &options.log;
    case OPT_UNITS: return &options.units;
    case OPT_ONLY: return &options.only;
    default: return nullptr;
    }
}

const OptionName* Find(const auto& table, const QString& name) {
    for (const OptionName& entry : table)
        if (name == QLatin1String(entry.name)) return &entry;
    return nullptr;
}

const char* DisplayName(unsigned option) {
    switch (option) {
    case OPT_PORT: return "--port";
    case OPT_OUTPUT: return "-o";
    case OPT_SKIN: return "--skin";
    case OPT_LOG: return "--log";
    case OPT_YES: return "--yes";
    case OPT_NO_BACKUP: return "--no-backup";
    case OPT_VERIFY: return "--verify";
    case OPT_FORCE: return "--force";
    case OPT_UNITS: return "--units";
    case OPT_ONLY: return "--only";
    case OPT_DRY_RUN: return "--dry-run";
    default: return "--json";
    }
}

class Parser {
public:
    Parser(const VerbSyntax& syntax, VerbOptions& options, QString& error)
        : m_syntax(syntax), m_options(options), m_error(error) {}

    bool Run(const QStringList& args) {
        bool operandsOnly = false;
        for (qsizetype i = 0; i < args.size(); ++i) {
            const QString& arg = args[i];
            if (operandsOnly || !arg.startsWith(u'-') || arg == QLatin1String("-")) {
                m_options.files << arg;
            } else if (arg == QLatin1String("--")) {
                operandsOnly = true;
            } else if (!TakeOption(args, i)) {
                return false;
            }
        }
        return CheckComplete();
    }

private:
    bool TakeOption(const QStringList& args, qsizetype& i) {
        QString name = args[i];
        QString value;
        const qsizetype equals = name.indexOf(u'=');
        const bool inlineValue = name.startsWith(QLatin1String("--")) && equals > 0;
        if (inlineValue) {
            value = name.mid(equals + 1);
            name.truncate(equals);
        }
        if (const OptionName* flag = Find(kFlagOptions, name); flag && !inlineValue) return Set(*flag, {});
        const OptionName* option = Find(kValueOptions, name);
        if (!option) return Fail(QStringLiteral("unknown option %1").arg(name));
        if (!inlineValue) {
            if (i + 1 >= args.size()) return Fail(QStringLiteral("%1 needs a value").arg(name));
            value = args[++i];
        }
        if (value.isEmpty()) return Fail(QStringLiteral("%1 needs a value").arg(name));
        return Set(*option, value);
    }

    bool Set(const OptionName& option, const QString& value) {
        if (!(m_syntax.allowed & option.option))
            return Fail(QStringLiteral("%1 does not apply here").arg(QLatin1String(option.name)));
        const bool repeats = option.option == OPT_PORT && (m_syntax.allowed & OPT_MANY_PORTS);
        if ((m_seen & option.option) && !repeats)
            return Fail(QStringLiteral("%1 is given twice").arg(QLatin1String(option.name)));
        m_seen |= option.option;
        if (option.option == OPT_PORT) m_options.ports << value;
        if (repeats && m_options.ports.size() > 1) return true;
        if (QString* field = ValueField(m_options, option.option)) *field = value;
        if (option.option == OPT_YES) m_options.yes = true;
        if (option.option == OPT_JSON) m_options.json = true;
        if (option.option == OPT_NO_BACKUP) m_options.noBackup = true;
        if (option.option == OPT_VERIFY) m_options.verify = true;
        if (option.option == OPT_FORCE) m_options.force = true;
        if (option.option == OPT_DRY_RUN) m_options.dryRun = true;
        return true;
    }

    bool CheckComplete() {
        for (unsigned bit = 1; bit <= OPT_LAST; bit <<= 1)
            if ((m_syntax.required & bit) && !(m_seen & bit))
                return Fail(QStringLiteral("%1 is required").arg(QLatin1String(DisplayName(bit))));
        if (m_options.files.size() > m_syntax.files)
            return Fail(QStringLiteral("unexpected argument %1").arg(m_options.files[m_syntax.files]));
        if (m_options.files.size() < m_syntax.files) return Fail(QStringLiteral("a file name is missing"));
        return true;
    }

    bool Fail(const QString& text) {
        m_error = text;
        return false;
    }

    const VerbSyntax& m_syntax;
    VerbOptions& m_options;
    QString& m_error;
    unsigned m_seen = 0;
};

}  // namespace

bool ParseVerbArgs(const QStringList& args, const VerbSyntax& syntax, VerbOptions& options, QString& error) {
    options = {};
    return Parser(syntax, options, error).Run(args);
}

bool ParseVerbArgsOrComplain(const QStringList& args, const VerbSyntax& syntax, VerbOptions& options) {
    QString error;
    if (ParseVerbArgs(args, syntax, options, error)) return true;
    ComplainAboutUsage(error, syntax.usage);
    return false;
}

void ComplainAboutUsage(const QString& what, const char* usage) {
    std::fprintf(stderr, "vkx520ctl: %s\nvkx520ctl: usage: %s\n", what.toLocal8Bit().constData(), usage);
}

QString SkinPathArg(const VerbOptions& options) { return options.skin.isEmpty() ? DefaultSkinPath() : options.skin; }

int CheckSkinArg(const VerbOptions& options) {
    return options.skin.isEmpty() ? EXIT_OK : CheckSkinFileArg(options.skin);
}

int CheckSkinFileArg(const QString& path) {
    // Opened as every reader opens it (reading nothing), so that a FIFO named
    // here is refused instead of waited on.
    const FileError error = ReadRegularFileHead(path, 0).error;
    if (error == FileError::None) return EXIT_OK;
    ReportFileArgError(kFileOpenError, path, error);
    return EXIT_NO_INPUT;
}
