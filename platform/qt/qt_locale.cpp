#include "platform/qt/qt_locale.h"

#include <QLocale>
#include <clocale>

namespace platform::qt {

QtLocale::QtLocale()
{
    // Only the monetary category: number parsing elsewhere stays in the C locale.
    std::setlocale(LC_MONETARY, "");
}

QString QtLocale::localeText(int item) const
{
    const lconv *conv = std::localeconv();
    switch (item) {
    case MonetaryDecimalSeparator:
        // The C locale has no monetary separator; fall back to the number one, then ".".
        if (conv->mon_decimal_point && *conv->mon_decimal_point)
            return QString::fromLocal8Bit(conv->mon_decimal_point);
        return QLocale::system().decimalPoint();
    case DecimalSeparator:
        return QLocale::system().decimalPoint();
    default:
        if (item >= FirstAbbreviatedMonth && item < FirstAbbreviatedMonth + 12)
            return QLocale::system().monthName(item - FirstAbbreviatedMonth + 1, QLocale::ShortFormat);
        return QString(QChar(0));
    }
}

QString QtLocale::formatDate(const QDate &date) const
{
    return QLocale::system().toString(date, QLocale::ShortFormat);
}

QString QtLocale::formatTime(const QTime &time) const
{
    // The long format without its time zone, so seconds are kept.
    QString format = QLocale::system().timeFormat(QLocale::LongFormat);
    format.remove(QLatin1Char('t'));
    return time.toString(format.trimmed());
}

} // namespace platform::qt
