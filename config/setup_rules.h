#pragma once
#include <QString>
#include <QStringList>

namespace config {

// The parity list's item for a stored letter, in any case: "n" gives "None";
// empty for a letter the list doesn't have.
QString ParityName(const QString &letter);

// The port entry the setup dialog preselects: the first that contains "COM"
// and the stored number (so COM10 is taken for port 1 when it comes first);
// -1 when none does.
int PortEntryFor(const QStringList &entries, const QString &serialPort);

// The entry whose port number is exactly `portNumber`; -1 when none is.
int EntryNumbered(const QStringList &entries, const QString &portNumber);

} // namespace config
