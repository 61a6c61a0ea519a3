#include "cli/cmd_print.h"

#include <QBuffer>
#include <QFileInfo>
#include <QGuiApplication>
#include <QPageSize>
#include <QPdfWriter>
#include <memory>
#include <optional>
#include <ostream>
#include <string_view>

#include "cli/cli_support.h"
#include "core/codec/channel_codec.h"
#include "core/image/atomic_file.h"
#include "qt/config_text.h"
#include "qt/print_job.h"

namespace radio::cli {

namespace {

struct PrintArgs {
    std::string input;
    std::string output;
    Language lang = Language::English;
    QPageSize::PageSizeId pageSize = QPageSize::A4;
};

std::optional<QPageSize::PageSizeId> PageSizeNamed(std::string_view name) {
    for (int id = 0; id <= QPageSize::LastPageSize; ++id) {
        const auto sizeId = static_cast<QPageSize::PageSizeId>(id);
        if (sizeId == QPageSize::Custom) continue;
        if (EqualsNoCase(QPageSize::key(sizeId).toStdString(), name)) return sizeId;
    }
    return std::nullopt;
}

// Parses the command's own arguments; on a problem reports it and returns nullopt.
std::optional<PrintArgs> ParseArgs(Context& ctx) {
    PrintArgs args;
    args.lang = ctx.lang;
    const std::vector<std::string>& a = ctx.args;
    for (std::size_t i = 0; i < a.size(); ++i) {
        std::string_view name = a[i];
        std::string value;
        const bool isOption = name.size() > 1 && name[0] == '-';
        if (isOption) {
            if (auto eq = name.find('='); eq != std::string_view::npos) {
                value = std::string(name.substr(eq + 1));
                name = name.substr(0, eq);
            } else if (i + 1 < a.size()) {
                value = a[++i];
            } else {
                UsageError(ctx, "print", "option " + std::string(name) + " needs a value");
                return std::nullopt;
            }
        }
        if (!isOption) {
            if (!args.input.empty()) {
                UsageError(ctx, "print", "print takes exactly one FILE");
                return std::nullopt;
            }
            args.input = a[i];
        } else if (name == "-o" || name == "--output") {
            args.output = value;
        } else if (name == "--lang") {
            if (value != "en" && value != "zh") {
                UsageError(ctx, "print", "--lang takes en or zh, not '" + value + "'");
                return std::nullopt;
            }
            args.lang = value == "zh" ? Language::Chinese : Language::English;
        } else if (name == "--page-size") {
            const auto size = PageSizeNamed(value);
            if (!size) {
                UsageError(ctx, "print", "unknown page size '" + value + "' (A4, Letter, ...)");
                return std::nullopt;
            }
            args.pageSize = *size;
        } else {
            UsageError(ctx, "print", "unknown option '" + std::string(name) + "'");
            return std::nullopt;
        }
    }
    if (args.input.empty() || args.output.empty()) {
        UsageError(ctx, "print", "print needs a FILE and -o OUT.pdf (or -o - for stdout)");
        return std::nullopt;
    }
    return args;
}

// Renders the whole PDF in memory, then writes it with the channel files' atomic write, so a
// failure leaves an existing PDF as it was.
bool WritePdf(Context& ctx, const PrintArgs& args, const RadioImage& image, const ChannelGrid& grid,
              const QString& owner) {
    QBuffer pdf;
    pdf.open(QIODevice::WriteOnly);
    bool drawn = false;
    {
        QPdfWriter writer(&pdf);
        writer.setPageSize(QPageSize(args.pageSize));
        // A printer's hardware margin; the sheets keep their own margins inside it.
        writer.setPageMargins(QMarginsF(10, 10, 10, 10), QPageLayout::Millimeter);
        writer.setCreator(QStringLiteral("radioprog"));
        writer.setTitle(QFileInfo(QString::fromStdString(args.input)).fileName());
        drawn = PrintDocument(writer, image, grid, args.lang, owner);
    }  // the writer finishes the document here
    if (!drawn || pdf.data().isEmpty()) {
        Error(ctx, "cannot write " + args.output);
        return false;
    }
    const std::string_view bytes(pdf.data().constData(), std::size_t(pdf.data().size()));
    if (args.output == "-") {
        // A pipe or a terminal, not a file: written straight through, and a closed pipe or a
        // full disk behind the redirection is a failure, not success.
        ctx.out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        if (FinishOutput(ctx) != kExitOk) return false;
        return true;
    }
    const Status saved = WriteFileAtomically(args.output, bytes);
    if (!saved) {
        Error(ctx, saved.message);
        return false;
    }
    return true;
}

}  // namespace

int RunPrint(Context& ctx) {
    const std::optional<PrintArgs> args = ParseArgs(ctx);
    if (!args) return kExitUsage;

    if (RefuseOutputOverInput(ctx, args->output, args->input)) return kExitRefused;
    RadioImage image;
    if (!LoadImage(ctx, args->input, image)) return kExitUsage;
    CIniFile ini;
    if (!LoadConfig(ctx, ini)) return kExitUsage;
    const AppConfig cfg = DisplayConfig(args->lang);
    const QString owner = ConfigText(ini.GetValue(cfg.languageName, "Copyrights Owner"));

    ChannelGrid grid(args->lang);
    DecodeImageToGrid(image, grid, args->lang);

    // Fonts need a GUI application. main() starts one for this command; called in-process
    // without any application, make one here.
    std::unique_ptr<QGuiApplication> ownApp;
    if (!QCoreApplication::instance()) {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
        static int argc = 1;
        static char name[] = "radioprog";
        static char* argv[] = {name, nullptr};
        ownApp = std::make_unique<QGuiApplication>(argc, argv);
    } else if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance())) {
        Error(ctx, "print needs a GUI application to draw text");
        return kExitRefused;
    }

    return WritePdf(ctx, *args, image, grid, owner) ? kExitOk : kExitRefused;
}

bool IsPrintCommand(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg.empty() || arg[0] != '-') return arg == "print";
        // Global options with a separate value: skip the value, too.
        if (arg == "--lang" || arg == "--config" || arg == "--settings") ++i;
    }
    return false;
}

}  // namespace radio::cli
