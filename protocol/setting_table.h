#pragma once
#include "protocol/compass_settings.h"

#include <QString>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <variant>

// The module's settings, one entry each: where the panel shows it, which menu
// key sets it and how, where the dump prints it and the record keeps it, how
// "Compass Data" labels it, the check a typed value must pass and what the
// panel starts with. The panel, its refresh, the dump, "Compass Data", the Set
// buttons and the settings profiles all read this one table.
namespace protocol {

using S = CompassSettings;
// A member of the settings record.
using RecordMember = std::variant<std::monostate, std::string S::*, std::int32_t S::*, std::int16_t S::*, float S::*,
                                  bool S::*>;

// How a value key ends its value.
enum class ValueEnd {
    // Value and CR in one write.
    CrTogether,
    // Value, a pause, then CR.
    CrAfterPause,
};

// What follows the key, after its pause.
enum class Follows {
    // The value as the row's input shows it, ended as `valueEnd` says.
    Value,
    // The row's degrees in tenths, then CR in the same write.
    Tenths,
    Cr,
    Blank,
    Nothing,
};

// What the panel shows a setting in.
enum class Input {
    None,
    Field,
    // A field beside a scroll bar that runs upside down to its number.
    FieldWithScrollBar,
    // A list: the setting is the selected position plus `firstItem`.
    List,
    // Two options: the first is "1" (on), the second "0".
    OptionPair,
    // One check box per bit of a mask.
    CheckBoxes,
};

// What a field does when the user leaves it with a text its check refuses.
enum class OnRefusal {
    // The focus cannot leave it, and whatever tried to take it does not happen.
    FocusStays,
    // The focus comes back once the action that took it has happened.
    FocusBack,
    // Its text becomes "0" and the action that took the focus happens.
    TextToZero,
};

// A field's check: a number in the user's format, in range.
struct FieldCheck {
    OnRefusal afterwards;
    // Read as a whole number, rounded half to even.
    bool whole;
    std::optional<double> low;
    std::optional<double> high;
    const char *notNumeric;
    // Nothing when any number passes.
    const char *outOfRange = nullptr;
    // Only 1 however written, or exactly one of these texts.
    std::span<const char *const> exactTexts = {};
};

enum class PanelColumn { Left, Right };

struct Setting {
    // --- on the panel (no caption: not on the panel) ---
    const char *caption = nullptr;
    PanelColumn column = PanelColumn::Left;
    // Rows sharing a place share a line: the first one's button stands in the hint's column.
    int row = 0;
    const char *hint = "";
    Input input = Input::None;
    // The input's object name; the scroll bar's and its accessible name.
    const char *inputName = nullptr;
    const char *scrollBarName = nullptr;
    const char *scrollBarSpoken = nullptr;
    // The scroll bar shows `scrollMirror` minus the number.
    int scrollMirror = 0;
    // A label after the scroll bar that names the number's unit.
    const char *unitName = nullptr;
    // List items, option captions or check-box captions.
    std::span<const char *const> items = {};
    // The number the first list item stands for.
    int firstItem = 0;
    // `cmdSet` index, and its caption.
    int button = -1;
    const char *buttonCaption = "Set";
    // What the panel starts with, as the record's value reads.
    const char *initial = nullptr;
    std::optional<FieldCheck> check = std::nullopt;

    // --- the menu ---
    char key = 0;
    // The panel's pause after the key, longer where the module needs it.
    std::int32_t afterKey = 500;
    Follows follows = Follows::Nothing;
    ValueEnd valueEnd = ValueEnd::CrTogether;
    // The settings are read again 200 ms after the command.
    bool reread = false;
    // The module talks at another speed once it took the value.
    bool changesLineSpeed = false;

    // --- the record ---
    const char *dumpName = nullptr;
    RecordMember member = {};
    // Set whenever the dump prints the name.
    bool S::*presence = nullptr;
    // The "Compass Data" line, and an empty line after it.
    const char *dataLabel = nullptr;
    bool emptyLineAfter = false;
    // The step of the panel refresh that fills the input (0: none).
    int refreshStep = 0;
};

// The refresh fills the inputs step by step. At this step it shows the
// notices; an input that refuses its value before it ends the refresh, one
// after it keeps its old value.
constexpr int RefreshNoticesStep = 9;

// A text of the table as the user reads it: the table's captions, hints,
// items and messages are looked up for translation where they are shown.
QString SettingText(const char *text);

// Every entry, settings in the order "Compass Data" lists them.
std::span<const Setting> Settings();
// The panel row with `cmdSet(button)`; nothing when none has it.
const Setting *SettingOfButton(int button);
// The setting the dump prints under `name` (upper case).
const Setting *SettingOfDumpName(std::string_view name);
// The input named `inputName`.
const Setting *SettingOfInput(std::string_view inputName);
// How many `cmdSet` buttons the panel has.
int PanelButtonCount();
// A user setting: a value the dump prints and a Set button sends.
bool IsUserSetting(const Setting &setting);

// The pause after the key before the value or blank goes out.
std::int32_t PauseAfterKey(char key);
ValueEnd ValueEndOf(char key);

struct CheckResult {
    // The message to show; nothing when the text is valid.
    std::optional<QString> refusal;
    // The number read, rounded for whole-number fields (when valid).
    double value = 0;
};
CheckResult CheckValue(const FieldCheck &check, const QString &text, char decimalSeparator);

} // namespace protocol
