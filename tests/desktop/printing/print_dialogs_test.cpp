// The Qt side of printing: the renderer on a real QPrinter, the page range, the preview.
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include "core/print/sheet_layout.h"
#include "desktop/printing/print_dialogs.h"
#include "qt/print_job.h"

using namespace radio;

namespace {

ChannelGrid GridWith(int channels) {
    ChannelGrid grid;
    for (int row = 1; row <= channels; ++row) {
        grid.SetRowTexts(row, {"146.52500", "146.52500", "67.0", "D023N", "High", "Lock", "Yes",
                               "Wide", "CH" + std::to_string(row - 1)});
    }
    return grid;
}

QString PdfText(const QString& pdf) {
    QProcess p;
    p.start("pdftotext", {"-layout", pdf, "-"});
    p.waitForFinished(30000);
    return QString::fromUtf8(p.readAllStandardOutput());
}

int PdfPages(const QString& pdf) {
    QProcess p;
    p.start("pdfinfo", {pdf});
    p.waitForFinished(30000);
    const QString out = QString::fromUtf8(p.readAllStandardOutput());
    const auto match = QRegularExpression("Pages:\\s+(\\d+)").match(out);
    return match.hasMatch() ? match.captured(1).toInt() : -1;
}

}  // namespace

class PrintDialogsTest : public QObject {
    Q_OBJECT

  private:
    QTemporaryDir m_dir;
    RadioImage m_image = RadioImage::Blank();

    void PdfPrinter(QPrinter& printer, const QString& name) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(m_dir.filePath(name));
        printer.setPageSize(QPageSize(QPageSize::A4));
    }

    void RequirePoppler() {
        if (QStandardPaths::findExecutable("pdftotext").isEmpty() ||
            QStandardPaths::findExecutable("pdfinfo").isEmpty())
            QSKIP("poppler-utils not installed");
    }

  private slots:
    void printWithoutDialogPrintsEveryPage() {
        RequirePoppler();
        const ChannelGrid grid = GridWith(8);
        CPrintJob job(m_image, grid, Language::English, "owner");
        QPrinter printer(QPrinter::HighResolution);
        PdfPrinter(printer, "all.pdf");
        // A range chosen in an earlier dialog must not cut this job short.
        printer.setPrintRange(QPrinter::PageRange);
        printer.setFromTo(3, 3);
        QVERIFY(PrintWithPrinter(nullptr, printer, job, false));
        QCOMPARE(PdfPages(printer.outputFileName()), 3);
    }

    void pageRangePrintsOnlyThosePagesNumberedOutOfTheJob() {
        RequirePoppler();
        const ChannelGrid grid = GridWith(8);
        CPrintJob job(m_image, grid, Language::English, "owner");
        QPrinter printer(QPrinter::HighResolution);
        PdfPrinter(printer, "range.pdf");
        printer.setPrintRange(QPrinter::PageRange);
        printer.setFromTo(2, 9);  // past the end: up to the last page
        QVERIFY(job.Print(printer));
        QCOMPARE(PdfPages(printer.outputFileName()), 2);
        const QString text = PdfText(printer.outputFileName());
        QVERIFY(text.contains("Page 2 of 3"));
        QVERIFY(text.contains("Page 3 of 3"));
        QVERIFY(!text.contains("Page 1 of 3"));
        QVERIFY(text.contains("Channel 7:"));
    }

    void previewShowsTheJobsPages() {
        const ChannelGrid grid = GridWith(15);
        CPrintJob job(m_image, grid, Language::English, "owner");
        QPrinter printer(QPrinter::HighResolution);
        QPrintPreviewDialog* preview = MakePrintPreview(nullptr, printer, job);
        QPointer<QPrintPreviewDialog> guard(preview);
        int pages = -1;
        QTimer::singleShot(0, preview, [&] {
            if (auto* widget = preview->findChild<QPrintPreviewWidget*>()) {
                widget->updatePreview();
                pages = widget->pageCount();
            }
            preview->reject();
        });
        preview->exec();
        QCOMPARE(pages, 4);
        QTRY_VERIFY(guard.isNull());  // deletes itself on close
    }

    // Seven blocks fill a channel page; they must stay above the footer rule, and the footer
    // inside the printable area, on the paper sizes people use.
    void fullPageFitsAboveTheFooter_data() {
        QTest::addColumn<int>("pageSize");
        QTest::addColumn<int>("resolution");
        QTest::newRow("A4 1200") << int(QPageSize::A4) << 1200;
        QTest::newRow("A4 300") << int(QPageSize::A4) << 300;
        QTest::newRow("Letter 600") << int(QPageSize::Letter) << 600;
        QTest::newRow("Legal 600") << int(QPageSize::Legal) << 600;
        QTest::newRow("A5 600") << int(QPageSize::A5) << 600;
    }
    void fullPageFitsAboveTheFooter() {
        QFETCH(int, pageSize);
        QFETCH(int, resolution);
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setResolution(resolution);
        printer.setPageSize(QPageSize(static_cast<QPageSize::PageSizeId>(pageSize)));
        const PageMetrics m = CPrintJob::Measure(printer);
        QVERIFY(m.geometry.u > 0 && m.geometry.v > 0);
        // Line heights of a serif font: a little more than its character height.
        QVERIFY(m.largeLine > m.geometry.v && m.largeLine < 1.4 * m.geometry.v);
        QVERIFY(m.smallLine > m.geometry.v * 4 / 5 && m.smallLine < m.largeLine);

        const ChannelGrid grid = GridWith(14);
        PageTable table;
        const std::vector<PrintItem> body = ChannelSheet(m, table, grid, 2, Language::English);
        int lowestTop = 0;
        for (const PrintItem& item : body) lowestTop = std::min(lowestTop, item.y);
        const int footerRule = FrameRules(m)[2].y;
        QVERIFY2(lowestTop - m.smallLine > footerRule,
                 qPrintable(QString("body reaches %1, rule at %2")
                                .arg(lowestTop - m.smallLine)
                                .arg(footerRule)));
        const int footerBottom = FrameFooter(m, 2, 3, "x")[0].y - m.smallLine;
        const int printableHeight = printer.height() * 1440 / printer.logicalDpiY();
        QVERIFY(-footerBottom < printableHeight);
    }
};

QTEST_MAIN(PrintDialogsTest)
#include "print_dialogs_test.moc"
