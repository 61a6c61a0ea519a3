// How fast the grid's spreadsheet editing is, and what its undo steps cost. Through the real
// channel view (offscreen): a paste of 200 rows x 9 columns, every cell through the typing
// rules; Undo and Redo of that paste; Sort by Rx Frequency of channels 1-199 in random order;
// a name typed and stored with Ctrl+Enter into 200 selected cells, and the Undo of that fill.
// Each is repeated and the median and the slowest run printed; the target is 100 ms each.
//
// Memory: an undo step keeps the grid rows the change touched, packed (texts and the bytes
// they were decoded from), and the whole 8 KiB image only when the change touched the image.
// Printed per step kind as the largest step reports itself and as the heap a step holds (40
// steps on the stack, then cleared); the target is at most 64 KiB a step.
//
//   edit_speed [--runs N]
//
// Exit status 1 when a target is missed.

#include <malloc.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QUndoStack>
#include <algorithm>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include "core/codec/channel_codec.h"
#include "core/codec/decimal.h"
#include "core/codec/grid_edits.h"
#include "core/formats/grid_clipboard.h"
#include "desktop/channels/ms_flex_grid.h"
#include "desktop/channels/program_view.h"
#include "desktop/document/doc_change_command.h"
#include "desktop/document/program_doc.h"
#include "desktop/services/app_context.h"
#include "desktop/services/message_service.h"

namespace {

constexpr double kTargetMs = 100.0;
constexpr std::size_t kTargetStepBytes = 64 * 1024;

// Counts messages instead of showing them: a report would stop the run.
class CountedMessages : public MessageService {
  public:
    Answer Show(QWidget*, Kind, const QString&, const QString&) override {
        ++shown;
        return Answer::Ok;
    }
    int shown = 0;
};

// 200 channels in random order over both bands, every column filled: the text a spreadsheet
// would put on the clipboard.
QString FullTable(unsigned seed) {
    std::mt19937 rng(seed);
    const char* tones[] = {"None", "67.0", "88.5", "D023N", "D754I", "100.0"};
    const char* power[] = {"High", "Middle", "Low"};
    QString text;
    for (int row = 0; row < radio::kChannelCount; ++row) {
        const bool uhf = rng() % 2;
        const std::int64_t units = (uhf ? 40000000 : 13600000) + 625 * (rng() % 4000);
        const QString rx = QString::fromStdString(radio::FrequencyUnitsToText(units));
        text += QStringLiteral("%1\t%1\t%2\t%3\t%4\t%5\t%6\t%7\tCH%8\r\n")
                    .arg(rx, tones[rng() % 6], tones[rng() % 6], power[rng() % 3],
                         rng() % 2 ? "Lock" : "Unlock", rng() % 2 ? "Yes" : "No",
                         rng() % 2 ? "Wide" : "Narrow")
                    .arg(row);
    }
    return text;
}

struct Figures {
    std::vector<double> ms;
    double Median() {
        std::ranges::sort(ms);
        return ms.empty() ? 0 : ms[ms.size() / 2];
    }
    double Max() const { return ms.empty() ? 0 : *std::ranges::max_element(ms); }
};

template <typename Fn>
double TimeMs(Fn&& fn) {
    QElapsedTimer timer;
    timer.start();
    fn();
    return double(timer.nsecsElapsed()) / 1e6;
}

std::size_t HeapInUse() { return mallinfo2().uordblks; }

// What one kind of undo step holds: the largest size a step reports of itself, and the heap a
// step holds on average.
struct StepMemory {
    std::size_t reported = 0;
    double heapPerStep = 0;
};

std::size_t TopStepBytes(const CProgramDoc& doc) {
    const QUndoStack* stack = doc.UndoStack();
    if (stack->index() == 0) return 0;
    return static_cast<const CDocChangeCommand*>(stack->command(stack->index() - 1))->MemoryBytes();
}

bool Report(const char* what, Figures figures) {
    const double median = figures.Median();
    const bool ok = figures.Max() < kTargetMs;
    std::printf("%-34s median %7.2f ms   slowest %7.2f ms   %s\n", what, median, figures.Max(),
                ok ? "ok" : "OVER 100 ms");
    return ok;
}

bool ReportMemory(const char* what, const StepMemory& m) {
    const bool ok = double(m.reported) <= kTargetStepBytes && m.heapPerStep <= kTargetStepBytes;
    std::printf("%-34s step %6.1f KiB   heap held %6.1f KiB   %s\n", what, m.reported / 1024.0,
                m.heapPerStep / 1024.0, ok ? "ok" : "OVER 64 KiB");
    return ok;
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication qapp(argc, argv);
    int runs = 20;
    const QStringList args = QApplication::arguments();
    if (const qsizetype at = args.indexOf(QStringLiteral("--runs")); at > 0 && at + 1 < args.size())
        runs = std::max(1, args[at + 1].toInt());

    QTemporaryDir scratch;
    AppContext ctx;
    ctx.LoadConfig(scratch.filePath(QStringLiteral("Program.ini")), false);
    CountedMessages messages;
    ctx.SetMessages(&messages);
    ctx.SetSettings(std::make_unique<radio::MemorySettingsStore>());

    CProgramDoc doc(ctx);
    doc.OnNewDocument();
    CProgramView view(ctx, &doc);
    view.resize(view.FormSize());
    view.show();
    view.OnInitialUpdate();
    CMSFlexGrid& grid = *view.Grid();
    QApplication::processEvents();

    bool ok = true;
    Figures paste, undo, redo, sort, fill, fillUndo;
    for (int run = 0; run < runs; ++run) {
        doc.OnNewDocument();
        view.OnInitialUpdate();
        grid.SetCurrentCell(1, 1);
        const QString table = FullTable(static_cast<unsigned>(run + 1));
        paste.ms.push_back(TimeMs([&] { view.PasteText(table); }));
        undo.ms.push_back(TimeMs([&] { view.OnEditUndo(); }));
        redo.ms.push_back(TimeMs([&] { view.OnEditRedo(); }));
        grid.SetCurrentCell(1, 1);  // one row selected: Sort orders channels 1-199
        sort.ms.push_back(TimeMs([&] { view.OnEditSort(); }));

        // The Cha Name column of all 200 channels selected, a name typed into the first, then
        // Ctrl+Enter as the keyboard delivers it to the editor.
        grid.SetCurrentCell(1, radio::kColName);
        grid.SelectCells(1, radio::kColName, radio::kChannelCount, radio::kColName);
        auto* edit = qobject_cast<QLineEdit*>(view.GetCellEditor());
        const QString name = QStringLiteral("GRP%1").arg(run % 10);
        for (const QChar c : name) {
            QKeyEvent key(QEvent::KeyPress, c.isDigit() ? Qt::Key_0 + c.digitValue() : c.unicode(),
                          Qt::NoModifier, QString(c));
            QApplication::sendEvent(edit, &key);
        }
        QKeyEvent ctrlEnter(QEvent::KeyPress, Qt::Key_Return, Qt::ControlModifier);
        fill.ms.push_back(TimeMs([&] { QApplication::sendEvent(edit, &ctrlEnter); }));
        if (doc.grid().Text(radio::kChannelCount, radio::kColName) != name.toStdString()) {
            std::printf("Ctrl+Enter did not fill the selection\n");
            ok = false;
        }
        fillUndo.ms.push_back(TimeMs([&] { view.OnEditUndo(); }));
    }
    if (messages.shown != 0) {
        std::printf("a paste reported refused cells: the table is not what this benchmark means\n");
        ok = false;
    }
    int channels = 0;
    for (int row = 1; row <= radio::kChannelCount; ++row) channels += doc.grid().InUse(row);

    // Memory: 40 steps of one kind on the stack, each changing all 200 rows; what clearing the
    // stack then gives back to the heap is what the steps held (caches the view fills on the
    // way stay, and are not counted).
    constexpr int kSteps = 40;
    const auto measure = [&](auto&& pushStep) {
        doc.OnNewDocument();
        view.OnInitialUpdate();
        StepMemory memory;
        for (int i = 0; i < kSteps; ++i) {
            pushStep(i);
            memory.reported = std::max(memory.reported, TopStepBytes(doc));
        }
        const std::size_t held = HeapInUse();
        doc.UndoStack()->clear();
        memory.heapPerStep = double(held - std::min(held, HeapInUse())) / kSteps;
        return memory;
    };
    const StepMemory pasteStep = measure([&](int i) {
        grid.SetCurrentCell(1, 1);
        view.PasteText(FullTable(static_cast<unsigned>(1000 + i)));
    });
    const StepMemory sortStep = measure([&](int i) {
        // Unsorted rows put in directly, so that only the sorts are steps.
        const radio::ClipboardTable table =
            radio::ParseClipboardText(FullTable(static_cast<unsigned>(2000 + i)).toStdString());
        (void)radio::ApplyCellTexts(doc.grid(),
                                    radio::PlacePaste(table, radio::CellRange::Cell(1, 1)).cells,
                                    ctx.UiLanguage());
        grid.SetCurrentCell(1, 1);
        view.OnEditSort();
    });
    const StepMemory imageStep = measure([&](int i) {
        // The whole image and every row, as a read from the radio changes them.
        (void)doc.ApplyChange(
            [&] {
                radio::RadioImage image = radio::RadioImage::Blank();
                for (std::size_t k = 0; k < 0x0CA0; ++k)
                    image[k] = static_cast<std::uint8_t>(k * 7 + static_cast<std::size_t>(i));
                doc.image() = image;
                doc.DecodeIntoGrid();
            },
            [](int) { return QStringLiteral("read from the radio"); });
    });

    std::printf("200 rows x 9 columns pasted, %d channels in the grid after each run; %d runs\n",
                channels, runs);
    ok &= Report("paste 200 x 9 (typing rules)", paste);
    ok &= Report("undo of the paste", undo);
    ok &= Report("redo of the paste", redo);
    ok &= Report("sort of channels 1-199", sort);
    ok &= Report("Ctrl+Enter fill of 200 cells", fill);
    ok &= Report("undo of the fill", fillUndo);
    ok &= ReportMemory("undo step: paste of 200 channels", pasteStep);
    ok &= ReportMemory("undo step: sort of 199 channels", sortStep);
    ok &= ReportMemory("undo step: whole image (a read)", imageStep);
    return ok ? 0 : 1;
}
