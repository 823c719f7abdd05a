#include "settings_panel/field_checks.h"

#include "numbers/number_reader.h"

#include <QStringList>

namespace settings_panel {

namespace {

struct Limits {
    bool whole;
    std::optional<double> low;
    std::optional<double> high;
    const char *notNumeric;
    const char *outOfRange;
};

Limits limitsOf(CheckedField field)
{
    switch (field) {
    case CheckedField::Deguass:
        return {true, 5, 4000, "Please enter a valid numeric value for Deguass.",
                "Please enter a valid range for deguass (5~4000)."};
    case CheckedField::AvgSamples:
        return {false, {}, {}, "Please enter a valid numeric value for Average Sample.", nullptr};
    case CheckedField::DecimationFilter:
        return {true, 1, 6, "Please enter a valid numeric value for Decimation Filter.",
                "Please enter a valid range for Decimation Filter (1 to 6)."};
    case CheckedField::Declination:
        return {false, -180.0, 180.0, "Please enter a valid numeric value for Declination.",
                "Please enter a valid range for declination (-180.0~180)."};
    case CheckedField::Deviation:
        return {false, -180.0, 180.0, "Please enter a valid numeric value for Deviation.",
                "Please enter a valid range for deviation (-180.0~180)."};
    case CheckedField::TempOffset:
        return {false, {}, {}, "Please enter a valid numeric value for Temp Offset.", nullptr};
    case CheckedField::AccRange:
        return {true, 0, 1, "Please enter a valid numeric value for Accelerator Range.",
                "Please enter a valid range for Accelerator Range (0..1)."};
    case CheckedField::MaxPressure:
        return {false, {}, {}, "Please enter a valid numeric value for Max Pressure.", nullptr};
    case CheckedField::OutFormat:
        return {true, {}, {}, "Please enter a valid numeric value for Output format.",
                "Please enter a valid value for output format (1,2,4,8 or 16)."};
    case CheckedField::OutRate:
        return {true, -50, 40, "Please enter a valid numeric value and range for the rate value (-50 to 40).",
                "Please enter a valid range for the rate value (-50 to 40)."};
    case CheckedField::SkipReadings:
        return {true, 0, 20, "Please enter a valid numeric value and range for the rate value (0 to 20).",
                "Please enter a valid range for the skipping values (0 to 20)."};
    }
    return {};
}

// 1 is taken however it is written (1.2 rounds to it); the other formats only
// as their exact text, so " 8" or "08" is refused.
bool isOutputFormat(double rounded, const QString &text)
{
    static const QStringList exact = {"2", "4", "8", "16"};
    return rounded == 1.0 || exact.contains(text);
}

} // namespace

FieldRule RuleOf(CheckedField field)
{
    switch (field) {
    case CheckedField::Deguass: return {"txtCSDeguass", CheckKind::AfterLeaving, OnRefusal::FocusBack};
    case CheckedField::AvgSamples: return {"txtCSAvgSamples", CheckKind::AfterLeaving, OnRefusal::FocusBack};
    case CheckedField::DecimationFilter:
        return {"txtCSDecimationFilter", CheckKind::AfterLeaving, OnRefusal::FocusBack};
    case CheckedField::Declination: return {"txtCSDeclination", CheckKind::KeepFocus, OnRefusal::FocusStays};
    case CheckedField::Deviation: return {"txtCSDeviation", CheckKind::KeepFocus, OnRefusal::FocusStays};
    case CheckedField::TempOffset: return {"txtCSTempOffset", CheckKind::KeepFocus, OnRefusal::FocusStays};
    case CheckedField::AccRange: return {"txtCSAccRange", CheckKind::KeepFocus, OnRefusal::FocusStays};
    case CheckedField::MaxPressure: return {"txtCSMaxPressure", CheckKind::AfterLeaving, OnRefusal::FocusBack};
    case CheckedField::OutFormat: return {"txtCSOutFormat", CheckKind::AfterLeaving, OnRefusal::FocusBack};
    case CheckedField::OutRate: return {"txtCSOutRate", CheckKind::AfterLeaving, OnRefusal::TextToZero};
    case CheckedField::SkipReadings:
        return {"txtCSSkipReadings", CheckKind::AfterLeaving, OnRefusal::TextToZero};
    }
    return {};
}

CheckResult CheckField(CheckedField field, const QString &text, char decimalSeparator)
{
    const Limits limits = limitsOf(field);
    const auto number = numbers::ReadNumber(text.toLatin1().toStdString(), {decimalSeparator});
    if (!number)
        return {QString::fromUtf8(limits.notNumeric)};
    const double value = limits.whole ? numbers::RoundHalfEven(*number) : *number;
    const bool inRange = field == CheckedField::OutFormat
                             ? isOutputFormat(value, text)
                             : (!limits.low || value >= *limits.low) && (!limits.high || value <= *limits.high);
    if (!inRange)
        return {QString::fromUtf8(limits.outOfRange)};
    return {std::nullopt, value};
}

QString OutRateUnit(int rate)
{
    return rate < 0 ? QStringLiteral("s/samples") : QStringLiteral("samples/s");
}

} // namespace settings_panel
