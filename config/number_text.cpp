#include "config/number_text.h"

#include <QRegularExpression>

namespace config {

QChar UserDecimalSeparator(const platform::Locale &locale)
{
    const QString text = locale.localeText(platform::Locale::DecimalSeparator);
    if (text.isEmpty() || text.front() == QChar(0))
        return QLatin1Char('.');
    return text.front();
}

QString FormatNumber(double value, QChar decimalSeparator)
{
    QString text = QString::number(value, 'g', 15);
    text.replace(QLatin1Char('.'), decimalSeparator);
    return text;
}

std::optional<double> ReadNumber(const QString &text, QChar decimalSeparator)
{
    QString plain = text.trimmed();
    plain.replace(decimalSeparator, QLatin1Char('.'));
    static const QRegularExpression number(
        QStringLiteral("^[+-]?([0-9]+\\.?[0-9]*|\\.[0-9]+)([eE][+-]?[0-9]+)?$"));
    if (!number.match(plain).hasMatch())
        return std::nullopt;
    bool ok = false;
    const double value = plain.toDouble(&ok);
    if (!ok)
        return std::nullopt;
    return value;
}

} // namespace config
