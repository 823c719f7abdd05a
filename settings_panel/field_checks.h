#pragma once
#include <QString>
#include <optional>

namespace settings_panel {

// The settings-panel fields that are checked when the user leaves them.
enum class CheckedField {
    Deguass,
    AvgSamples,
    DecimationFilter,
    Declination,
    Deviation,
    TempOffset,
    AccRange,
    MaxPressure,
    OutFormat,
    OutRate,
    SkipReadings,
};

enum class CheckKind {
    // Runs as the field is about to lose the focus; on failure the focus stays
    // and whatever took it does not happen.
    KeepFocus,
    // Runs once the field has lost the focus; the action that took it happens.
    AfterLeaving,
};

enum class OnRefusal {
    FocusStays,
    FocusBack,
    TextToZero,
};

struct FieldRule {
    const char *objectName;
    CheckKind kind;
    OnRefusal afterwards;
};

FieldRule RuleOf(CheckedField field);

struct CheckResult {
    // The message to show; nothing when the text is valid.
    std::optional<QString> refusal;
    // The number read, rounded for whole-number fields (when valid).
    double value = 0;
};

CheckResult CheckField(CheckedField field, const QString &text, char decimalSeparator);

// The output-rate and skip-count scroll bars run upside down to their numbers.
constexpr int OutRateScrollValue(int rate) { return -rate - 10; }
constexpr int OutRateFromScroll(int value) { return -value - 10; }
constexpr int SkipScrollMaximum = 20;
constexpr int SkipScrollValue(int count) { return SkipScrollMaximum - count; }
constexpr int SkipFromScroll(int value) { return SkipScrollMaximum - value; }

// "s/samples" for a negative rate, "samples/s" otherwise.
QString OutRateUnit(int rate);

} // namespace settings_panel
