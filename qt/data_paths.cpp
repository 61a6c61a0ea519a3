#include "qt/data_paths.h"

#include <QCoreApplication>
#include <QFile>
#include <QStandardPaths>

namespace radio {

namespace {

std::string Local8(const QString& path) { return QFile::encodeName(path).toStdString(); }

}  // namespace

ConfigLocation LocateProgramConfig() {
    return LocateConfig(
        Local8(QCoreApplication::applicationDirPath()),
        Local8(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)),
        RealFileProbe());
}

QString FindDataFile(const QString& name) {
    return QFile::decodeName(QByteArray::fromStdString(FindSharedFile(
        Local8(QCoreApplication::applicationDirPath()), Local8(name), RealFileProbe())));
}

std::vector<std::string> DataFolders() {
    return SharedDataFolders(Local8(QCoreApplication::applicationDirPath()));
}

}  // namespace radio
