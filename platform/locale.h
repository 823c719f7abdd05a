#pragma once
#include <QDateTime>
#include <QString>

namespace platform {

// The user's regional settings.
class Locale {
public:
    // Item numbers of localeText().
    static constexpr int MonetaryDecimalSeparator = 22;
    static constexpr int DecimalSeparator = 14;
    // Abbreviated month names: January is FirstAbbreviatedMonth, December 11 later.
    static constexpr int FirstAbbreviatedMonth = 0x44;

    virtual ~Locale() = default;
    // One item of the user's locale; a single NUL character when unknown.
    virtual QString localeText(int item) const = 0;
    // Date and time in the user's short formats.
    virtual QString formatDate(const QDate &date) const = 0;
    virtual QString formatTime(const QTime &time) const = 0;
};

} // namespace platform
