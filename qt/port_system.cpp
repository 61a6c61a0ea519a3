#include "qt/port_system.h"

#include <QSerialPortInfo>
#include <algorithm>
#include <filesystem>
#include <system_error>

#include "core/link/port_names.h"
#ifndef _WIN32
#include "core/link/posix_port_facts.h"
#endif

namespace radio {

namespace {

std::string NameOf(const QSerialPortInfo& info) {
#ifdef _WIN32
    return info.portName().toStdString();
#else
    return info.systemLocation().toStdString();  // what --port takes
#endif
}

}  // namespace

PortFacts QtPortSystem::Inspect(const std::string& portName) {
    const std::string device = DevicePathForPort(portName);
#ifdef _WIN32
    PortFacts facts;
    facts.device = device;
    for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts()) {
        if (info.portName().compare(QString::fromStdString(device), Qt::CaseInsensitive) != 0)
            continue;
        facts.exists = true;
        if (info.hasVendorIdentifier() && info.hasProductIdentifier())
            facts.usb = UsbId{info.vendorIdentifier(), info.productIdentifier()};
    }
    return facts;
#else
    PortFacts facts = InspectPosixPort(device, "/", CurrentIdentity());
    // A pseudo-terminal and a serial device are character devices; a file or folder is none.
    std::error_code ec;
    const auto type = std::filesystem::status(device, ec).type();
    if (facts.exists && type == std::filesystem::file_type::regular)
        facts.notADevice = "a regular file";
    else if (facts.exists && type == std::filesystem::file_type::directory)
        facts.notADevice = "a directory";
    return facts;
#endif
}

OpenOutcome QtPortSystem::Open(const std::string& portName, std::string& detail) {
    const Status opened = m_port.Open(portName);
    if (opened) return OpenOutcome::Opened;
    detail = opened.message;
    switch (m_port.LastOpenFailure()) {
        case QtSerialPort::OpenFailure::Missing:
            return OpenOutcome::Missing;
        case QtSerialPort::OpenFailure::Denied:
            return OpenOutcome::Denied;
        default:
            return OpenOutcome::Failed;
    }
}

bool QtPortSystem::SetLine(const LineSettings& line, std::string& detail) {
    const Status set = m_port.ApplyLine(line);
    if (!set) detail = set.message;
    return set.ok;
}

std::vector<PortListing> ListSerialPorts() {
    std::vector<PortListing> ports;
    for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts()) {
        PortListing port;
        port.name = NameOf(info);
        port.description = info.description().toStdString();
        if (info.hasVendorIdentifier() && info.hasProductIdentifier())
            port.usb = UsbId{info.vendorIdentifier(), info.productIdentifier()};
#ifndef _WIN32
        PortFacts sysfs;
        ReadTtySysfs(port.name, "/", sysfs);
        port.driver = sysfs.driver;
        if (!port.usb) port.usb = sysfs.usb;
#endif
        ports.push_back(std::move(port));
    }
    std::sort(ports.begin(), ports.end(),
              [](const PortListing& a, const PortListing& b) { return a.name < b.name; });
    return ports;
}

}  // namespace radio
