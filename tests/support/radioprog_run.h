#pragma once

// Runs the built radioprog as a child process and returns what it printed; shared by the
// command-line tests. Needs RADIO_BIN_DIR and GoogleTest.

#include <gtest/gtest.h>

#include <QProcess>
#include <QProcessEnvironment>
#include <QStringList>
#include <string>
#include <vector>

#include "tests/support/file_bytes.h"

namespace radio::test {

// `input` goes to its standard input, which is then closed. A run that does not end in time
// is a failure and is killed, so a command blocking on a FIFO or device cannot hang the test.
inline Result RunRadioprog(
    const std::vector<std::string>& args, const std::string& input = {},
    const QProcessEnvironment& env = QProcessEnvironment::systemEnvironment(),
    int timeoutMs = 30000) {
    QProcess p;
    p.setProcessEnvironment(env);
    QStringList list;
    for (const auto& a : args) list << QString::fromStdString(a);
    p.start(QStringLiteral(RADIO_BIN_DIR "/radioprog"), list);
    EXPECT_TRUE(p.waitForStarted());
    p.write(input.data(), static_cast<qint64>(input.size()));
    p.closeWriteChannel();
    EXPECT_TRUE(p.waitForFinished(timeoutMs)) << "radioprog did not finish";
    if (p.state() != QProcess::NotRunning) {
        p.kill();
        p.waitForFinished();
    }
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1,
            p.readAllStandardOutput().toStdString(), p.readAllStandardError().toStdString()};
}

}  // namespace radio::test
