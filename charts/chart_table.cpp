#include "charts/chart_table.h"

#include <QCoreApplication>

namespace charts {

QString ChartText(const char *text)
{
    return QCoreApplication::translate("charts::ChartTable", text);
}

} // namespace charts
