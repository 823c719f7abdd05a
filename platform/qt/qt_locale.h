#pragma once
#include "platform/locale.h"

namespace platform::qt {

// Separators come from the C library's locale (LC_ALL=""), date and time
// formats from the system locale.
class QtLocale : public Locale {
public:
    QtLocale();
    QString localeText(int item) const override;
    QString formatDate(const QDate &date) const override;
    QString formatTime(const QTime &time) const override;
};

} // namespace platform::qt
