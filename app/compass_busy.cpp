#include "app/compass_busy.h"

#include <QCoreApplication>

namespace app {

QString CompassBusyText()
{
    return QCoreApplication::translate("app", "Another command is talking to the compass. Try again when it has "
                                              "finished.");
}

} // namespace app
