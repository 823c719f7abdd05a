#pragma once
#include <QString>
#include <QTemporaryDir>
#include <memory>
#include <string>

namespace compass_ctl {

// The port --port names, as a COM number and the links that map it to a device.
struct PortChoice {
    int com = 0;
    // Where COM numbers are linked; empty for the rule alone.
    QString portsDir;
    // A device outside the rule gets a link of its own here.
    std::shared_ptr<QTemporaryDir> ownLink;
};

// "COM3" or "3": that COM number through `portsDir` and the program's rule.
// "/dev/ttyUSB0": the device itself, whatever the links say. Throws
// std::invalid_argument for anything else.
PortChoice ChoosePort(const std::string &port, const QString &portsDir);

// The ports folder of the installed program, ~/.config/compass-bench/ports,
// or of a program run from this folder when it may write there.
QString ProgramPortsDir(const QString &programDir);

} // namespace compass_ctl
