#include "protocol/setting_table.h"

#include "numbers/number_reader.h"

#include <QCoreApplication>
#include <QStringList>
#include <algorithm>
#include <array>

namespace protocol {

namespace {

constexpr const char *Bauds[] = {"4800", "9600", "14400", "19200", "38400", "57600", "115200"};
constexpr const char *MountingPositions[] = {"Standard Flat = 1", "Front = 2", "Port = 3",
                                             "Roof = 4",          "Back = 5",  "Starboard = 6"};
constexpr const char *ShowItems[] = {"Azimuth", "Pitch",   "Roll",      "Temp",       "Depth",
                                     "Mag. S.", "M. Vect", "Acc. S.",   "Acc. Vect",  "Gyro S.",
                                     "Gyro Vect", "Life Count", "SPI Err"};
constexpr const char *SoftIronOptions[] = {"En.", "Disable"};
constexpr const char *QuietOptions[] = {"Enabled", "Disabled"};
constexpr const char *OtherOutputFormats[] = {"2", "4", "8", "16"};

constexpr FieldCheck afterLeaving(bool whole, std::optional<double> low, std::optional<double> high,
                                  const char *notNumeric, const char *outOfRange,
                                  OnRefusal afterwards = OnRefusal::FocusBack)
{
    return {afterwards, whole, low, high, notNumeric, outOfRange};
}

constexpr FieldCheck keepFocus(bool whole, std::optional<double> low, std::optional<double> high,
                               const char *notNumeric, const char *outOfRange)
{
    return {OnRefusal::FocusStays, whole, low, high, notNumeric, outOfRange};
}

// A value of the dump that only "Compass Data" shows.
constexpr Setting shown(const char *dumpName, RecordMember member, const char *label)
{
    Setting s;
    s.dumpName = dumpName;
    s.member = member;
    s.dataLabel = label;
    return s;
}

constexpr auto makeTable()
{
    using enum Input;
    using enum Follows;
    using enum PanelColumn;
    using enum ValueEnd;
    // The table is laid out by hand, an entry a block.
    // clang-format off
    return std::array{
    shown("FW_VERSION", &S::FirmwareVersion, "Firmware Version = "),
    shown("FW_DATE", &S::FirmwareDate, "Firmware Date = "),
    shown("SERIAL_NUMBER", &S::SerialNumber, "Serial Number = "),
    Setting{.dumpName = "TEST_DATE", .member = &S::TestDate, .dataLabel = "Test Date = ", .emptyLineAfter = true},
    Setting{.caption = "Output Format:", .column = Right, .row = 5, .hint = "(1,2,4,8 or 16)", .input = Field,
            .inputName = "txtCSOutFormat", .button = 16, .initial = "1",
            .check = FieldCheck{OnRefusal::FocusBack, true, {}, {},
                                "Please enter a valid numeric value for Output format.",
                                "Please enter a valid value for output format (1,2,4,8 or 16).", OtherOutputFormats},
            .key = '*', .follows = Value, .valueEnd = CrAfterPause, .reread = true, .dumpName = "OUTPUT_FORMAT",
            .member = &S::OutputFormat, .dataLabel = "Output Format = ", .refreshStep = 8},
    Setting{.caption = "Show:", .column = Right, .row = 3, .input = CheckBoxes, .inputName = "chkCSShowItem",
            .items = ShowItems, .button = 2, .initial = "7", .key = 'X', .follows = Value,
            .dumpName = "DISPLAY_FIELDS", .member = &S::DisplayFields, .dataLabel = "Display Fields = ",
            .refreshStep = 1},
    Setting{.caption = "Mounting:", .column = Right, .row = 8, .hint = "(Range: 1 to 6)", .input = List,
            .inputName = "cmbCSMountPos", .items = MountingPositions, .firstItem = 1, .button = 18, .initial = "1",
            .key = 'E', .follows = Value, .valueEnd = CrAfterPause, .dumpName = "HW_MOUNTING_POS",
            .member = &S::MountingPosition, .dataLabel = "HW Mounting Position = ", .refreshStep = 10},
    Setting{.caption = "Baud Rate:", .column = Right, .row = 6, .input = List, .inputName = "cmbCSBaud",
            .items = Bauds, .button = 0, .initial = "1", .key = 'B', .follows = Value, .changesLineSpeed = true,
            .dumpName = "BAUD_RATE", .member = &S::BaudRate, .dataLabel = "Baud Rate = ", .refreshStep = 12},
    Setting{.caption = "Deguass every:", .column = Left, .row = 0, .hint = "sentences", .input = Field,
            .inputName = "txtCSDeguass", .button = 3, .initial = "0",
            .check = afterLeaving(true, 5, 4000, "Please enter a valid numeric value for Deguass.",
                                  "Please enter a valid range for deguass (5~4000)."),
            .key = 'S', .follows = Value, .dumpName = "SET-RESET_RATE", .member = &S::SetResetRate,
            .dataLabel = "Deguass Rate = ", .refreshStep = 2},
    Setting{.caption = "Output Rate:", .column = Right, .row = 7, .hint = "Range (-50~40)",
            .input = FieldWithScrollBar, .inputName = "txtCSOutRate", .scrollBarName = "vsCSOutRate",
            .scrollBarSpoken = "Adjust output rate", .scrollMirror = -10, .unitName = "lblCSOutRateUnit",
            .button = 1, .initial = "7",
            .check = afterLeaving(true, -50, 40,
                                  "Please enter a valid numeric value and range for the rate value (-50 to 40).",
                                  "Please enter a valid range for the rate value (-50 to 40).", OnRefusal::TextToZero),
            .key = 'R', .follows = Value, .reread = true, .dumpName = "OUTPUT_RATE", .member = &S::OutputRate,
            .dataLabel = "Output Rate = ", .refreshStep = 11},
    Setting{.caption = "Skip n first readings:", .column = Left, .row = 1, .hint = "Range (0~20)",
            .input = FieldWithScrollBar, .inputName = "txtCSSkipReadings", .scrollBarName = "vsCSSkipReadings",
            .scrollBarSpoken = "Adjust skip count", .scrollMirror = 20, .button = 23, .initial = "8",
            .check = afterLeaving(true, 0, 20,
                                  "Please enter a valid numeric value and range for the rate value (0 to 20).",
                                  "Please enter a valid range for the skipping values (0 to 20).",
                                  OnRefusal::TextToZero),
            .key = 'l', .follows = Value, .dumpName = "LIFESKIP", .member = &S::SkipReadings,
            .dataLabel = "Skip Lines (n) = ", .refreshStep = 7},
    Setting{.caption = "Change Euler Math:", .column = Left, .row = 2, .hint = "1=v1.4; 2=v1.8; 3=v2.2; 4=v2.4",
            .input = Field, .inputName = "txtCSEuler", .button = 22, .initial = "4", .key = 'e', .follows = Value,
            .valueEnd = CrAfterPause, .dumpName = "EULER", .member = &S::EulerMath, .dataLabel = "Euler Math = ",
            .refreshStep = 6},
    Setting{.caption = "Average Samples:", .column = Left, .row = 3, .input = Field, .inputName = "txtCSAvgSamples",
            .button = 8, .initial = "5",
            .check = afterLeaving(false, {}, {}, "Please enter a valid numeric value for Average Sample.", nullptr),
            .key = 'A', .follows = Value, .dumpName = "AVERAGING", .member = &S::Averaging,
            .dataLabel = "Averaging = ", .refreshStep = 8},
    Setting{.caption = "AD Decimation Filter:", .column = Left, .row = 4, .hint = "(Range: 1 to 6)", .input = Field,
            .inputName = "txtCSDecimationFilter", .button = 13, .initial = "3",
            .check = afterLeaving(true, 1, 6, "Please enter a valid numeric value for Decimation Filter.",
                                  "Please enter a valid range for Decimation Filter (1 to 6)."),
            .key = 'D', .follows = Value, .valueEnd = CrAfterPause, .dumpName = "AD_UPDATE_RATE",
            .member = &S::AdUpdateRate, .dataLabel = "AD Update Rate = ", .refreshStep = 8},
    Setting{.caption = "Deviation:", .column = Left, .row = 5, .hint = "Range (-180.0~180.0)", .input = Field,
            .inputName = "txtCSDeviation", .button = 4, .initial = "0",
            .check = keepFocus(false, -180.0, 180.0, "Please enter a valid numeric value for Deviation.",
                               "Please enter a valid range for deviation (-180.0~180)."),
            .key = 'N', .follows = Tenths, .dumpName = "DEVIATION", .member = &S::Deviation,
            .dataLabel = "Deviation = ", .refreshStep = 2},
    Setting{.caption = "Declination:", .column = Left, .row = 6, .hint = "Range (-180.0~180.0)", .input = Field,
            .inputName = "txtCSDeclination", .button = 5, .initial = "0",
            .check = keepFocus(false, -180.0, 180.0, "Please enter a valid numeric value for Declination.",
                               "Please enter a valid range for declination (-180.0~180)."),
            .key = 'Q', .follows = Tenths, .dumpName = "DECLINATION", .member = &S::Declination,
            .dataLabel = "Declination = ", .refreshStep = 2},
    Setting{.caption = "Temperature Offset:", .column = Left, .row = 7, .input = Field,
            .inputName = "txtCSTempOffset", .button = 20, .initial = "0.0",
            .check = keepFocus(false, {}, {}, "Please enter a valid numeric value for Temp Offset.", nullptr),
            .key = '+', .follows = Value, .valueEnd = CrAfterPause, .dumpName = "TEMP_OFFSET",
            .member = &S::TemperatureOffset, .dataLabel = "Temperature Offset = ", .refreshStep = 8},
    shown("TEMPERATURE_CAL", &S::TemperatureCal, "Temperature Calibration = "),
    shown("DEPTH_OFFSET", &S::DepthOffset, "Depth Offset = "),
    Setting{.caption = "Max Pressure [PSI]:", .column = Left, .row = 9, .input = Field,
            .inputName = "txtCSMaxPressure", .button = 9, .initial = "100",
            .check = afterLeaving(false, {}, {}, "Please enter a valid numeric value for Max Pressure.", nullptr),
            .key = 'M', .follows = Value, .dumpName = "MAX_PSI", .member = &S::MaxPressure,
            .dataLabel = "Maximum Presure [PSI] = ", .refreshStep = 8},
    shown("ACC_X_OFFSET", &S::AccOffsetX, "Acceleration X Offset = "),
    shown("ACC_Y_OFFSET", &S::AccOffsetY, "Acceleration Y Offset = "),
    shown("ACC_Z_OFFSET", &S::AccOffsetZ, "Acceleration Z Offset = "),
    shown("ACC_X_SCALE", &S::AccScaleX, "Acceleration X Scale = "),
    shown("ACC_Y_SCALE", &S::AccScaleY, "Acceleration Y Scale = "),
    shown("ACC_Z_SCALE", &S::AccScaleZ, "Acceleration Z Scale = "),
    shown("MAG_X_OFFSET", &S::MagOffsetX, "Magnetic X Offset = "),
    shown("MAG_X_OFFSET_FACTOR", &S::MagOffsetFactorX, "Magnetic X Offset Factor = "),
    shown("MAG_Y_OFFSET", &S::MagOffsetY, "Magnetic Y Offset = "),
    shown("MAG_Y_OFFSET_FACTOR", &S::MagOffsetFactorY, "Magnetic Y Offset Factor = "),
    shown("MAG_Z_OFFSET", &S::MagOffsetZ, "Magnetic Z Offset = "),
    shown("MAG_Z_OFFSET_FACTOR", &S::MagOffsetFactorZ, "Magnetic Z Offset Factor = "),
    shown("MAG_X_SCALE", &S::MagScaleX, "Magnetic X Scale = "),
    shown("MAG_X_SCALE_HT", &S::MagScaleHtX, "Magnetic X Scale (HT) = "),
    shown("MAG_Y_SCALE", &S::MagScaleY, "Magnetic Y Scale = "),
    shown("MAG_Y_SCALE_HT", &S::MagScaleHtY, "Magnetic Y Scale (HT) = "),
    shown("MAG_Z_SCALE", &S::MagScaleZ, "Magnetic Z Scale = "),
    shown("MAG_Z_SCALE_HT", &S::MagScaleHtZ, "Magnetic Z Scale (HT) = "),
    shown("MAG_X_BRIDGE_OFFSET", &S::MagBridgeOffsetX, "Magnetic X Bridge Offset = "),
    shown("MAG_Y_BRIDGE_OFFSET", &S::MagBridgeOffsetY, "Magnetic Y Bridge Offset = "),
    shown("MAG_Z_BRIDGE_OFFSET", &S::MagBridgeOffsetZ, "Magnetic Z Bridge Offset = "),
    shown("TOTAL_GAUSS", &S::TotalGauss, "Total Gauss = "),
    // Only a module with a gyro prints it.
    Setting{.dumpName = "KFILTER", .member = &S::KFilter, .presence = &S::KFilterPresent, .dataLabel = "K Filter = "},
    shown("GYR_PITCH_QANGLE", &S::GyroPitchQAngle, "Gyro Pitch Q Angle = "),
    shown("GYR_PITCH_QGYRO", &S::GyroPitchQGyro, "Gyro Pitch Q Gyro = "),
    shown("GYR_PITCH_RANGLE", &S::GyroPitchRAngle, "Gyro Pitch R Angle = "),
    shown("GYR_ROLL_QANGLE", &S::GyroRollQAngle, "Gyro Roll Q Angle = "),
    shown("GYR_ROLL_QGYRO", &S::GyroRollQGyro, "Gyro Roll Q Gyro = "),
    shown("GYR_ROLL_RANGLE", &S::GyroRollRAngle, "Gyro Roll R Angle = "),
    shown("GYR_X_OFFSET", &S::GyroOffsetX, "Gyro X Offset = "),
    shown("GYR_Y_OFFSET", &S::GyroOffsetY, "Gyro Y Offset = "),
    shown("GYR_Z_OFFSET", &S::GyroOffsetZ, "Gyro Z Offset = "),
    shown("A", &S::CoefA, "A = "),
    shown("B", &S::CoefB, "B = "),
    shown("C", &S::CoefC, "C = "),
    shown("E", &S::CoefE, "E = "),
    Setting{.caption = "Soft Iron:", .column = Right, .row = 2, .input = OptionPair, .inputName = "optSoftIron",
            .items = SoftIronOptions, .button = 14, .initial = "0", .key = '$', .follows = Value,
            .valueEnd = CrAfterPause, .dumpName = "SOFTIRONCORRECTION", .member = &S::SoftIronCorrection,
            .dataLabel = "Soft Iron Correction = ", .refreshStep = 3},
    // The dump prints neither of these two.
    Setting{.caption = "Accelerator Range:", .column = Left, .row = 8, .hint = "(0..1) 0 = 2G", .input = Field,
            .inputName = "txtCSAccRange", .button = 17, .initial = "1",
            .check = keepFocus(true, 0, 1, "Please enter a valid numeric value for Accelerator Range.",
                               "Please enter a valid range for Accelerator Range (0..1)."),
            .key = 'a', .follows = Value, .valueEnd = CrAfterPause, .member = &S::AccelerometerRange,
            .refreshStep = 4},
    Setting{.caption = "Quiet Mode:", .column = Right, .row = 4, .input = OptionPair, .inputName = "optCSQMode",
            .items = QuietOptions, .button = 19, .initial = "0", .key = '@', .follows = Value,
            .valueEnd = CrAfterPause, .member = &S::QuietMode, .refreshStep = 5},
    // Actions and calibrations.
    Setting{.caption = "Zero Depth (at surface):", .column = Left, .row = 10, .button = 10, .key = 'P', .follows = Blank},
    Setting{.caption = "Null Gyro (no rotation):", .column = Left, .row = 11, .button = 11, .key = 'G',
            .afterKey = 800, .follows = Blank},
    Setting{.caption = "Restore FACTORY Defaults:", .column = Left, .row = 12, .button = 12, .key = 'F',
            .follows = Cr},
    Setting{.caption = "Calibration X,Y Compass Level:", .column = Right, .row = 0, .button = 6,
            .buttonCaption = "Start", .key = 'C', .follows = Cr},
    Setting{.caption = "Calibrate Z; Compass @90 Degrees:", .column = Right, .row = 1, .button = 7,
            .buttonCaption = "Start", .key = 'Z'},
    // "2" starts the calibration: one blank per heading follows.
    Setting{.caption = "Soft Iron:", .column = Right, .row = 2, .button = 15, .buttonCaption = "Calibrate",
            .key = '$', .follows = Value, .valueEnd = CrAfterPause},
    // What arrives while the module trims is its answer; a blank ends it.
    Setting{.caption = "Trim Roll and Pitch (Tilt on <3\u00b0):", .column = Right, .row = 9, .button = 21,
            .key = 'T', .afterKey = 550, .follows = Blank},
    };
    // clang-format on
}

constexpr auto SettingTable = makeTable();

template <typename Match>
const Setting *find(Match match)
{
    const auto found = std::find_if(SettingTable.begin(), SettingTable.end(), match);
    return found == SettingTable.end() ? nullptr : &*found;
}

// 1 is taken however it is written (1.2 rounds to it); the others only as
// their exact text, so " 8" or "08" is refused.
bool isExactText(const FieldCheck &check, double rounded, const QString &text)
{
    return rounded == 1.0 || std::any_of(check.exactTexts.begin(), check.exactTexts.end(),
                                         [&](const char *exact) { return text == QLatin1String(exact); });
}

} // namespace

std::span<const Setting> Settings()
{
    return SettingTable;
}

const Setting *SettingOfButton(int button)
{
    return find([button](const Setting &s) { return s.button == button; });
}

const Setting *SettingOfDumpName(std::string_view name)
{
    return find([name](const Setting &s) { return s.dumpName && s.dumpName == name; });
}

const Setting *SettingOfInput(std::string_view inputName)
{
    return find([inputName](const Setting &s) { return s.inputName && s.inputName == inputName; });
}

int PanelButtonCount()
{
    int count = 0;
    for (const Setting &s : SettingTable)
        count = std::max(count, s.button + 1);
    return count;
}

bool IsUserSetting(const Setting &setting)
{
    return setting.dumpName && setting.key && setting.inputName;
}

std::int32_t PauseAfterKey(char key)
{
    const Setting *setting = find([key](const Setting &s) { return s.key == key; });
    return setting ? setting->afterKey : Setting{}.afterKey;
}

ValueEnd ValueEndOf(char key)
{
    const Setting *setting = find([key](const Setting &s) { return s.key == key; });
    return setting ? setting->valueEnd : ValueEnd::CrTogether;
}

QString SettingText(const char *text)
{
    return QCoreApplication::translate("protocol::Setting", text);
}

CheckResult CheckValue(const FieldCheck &check, const QString &text, char decimalSeparator)
{
    const auto number = numbers::ReadNumber(text.toLatin1().toStdString(), {decimalSeparator});
    if (!number)
        return {SettingText(check.notNumeric)};
    const double value = check.whole ? numbers::RoundHalfEven(*number) : *number;
    const bool inRange = !check.exactTexts.empty()
                             ? isExactText(check, value, text)
                             : (!check.low || value >= *check.low) && (!check.high || value <= *check.high);
    if (!inRange)
        return {SettingText(check.outOfRange)};
    return {std::nullopt, value};
}

} // namespace protocol
