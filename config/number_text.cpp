#include "config/number_text.h"

#include <QRegularExpression>

namespace config {

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
