#include "app/application_name.h"

#include <QCoreApplication>

namespace app {

void NameApplication()
{
    QCoreApplication::setApplicationName(QStringLiteral("Quorvane Orvex Demo Utility"));
}

} // namespace app
