#include "settings_panel/panel_inputs.h"

#include "numbers/number_reader.h"
#include "protocol/menu_protocol.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLineEdit>
#include <QScrollBar>

namespace settings_panel {

using protocol::Input;

std::string ShownValue(const CompassSettingsPanel &panel, const protocol::Setting &setting)
{
    switch (setting.input) {
    case Input::Field:
    case Input::FieldWithScrollBar:
        return panel.field(setting.inputName)->text().toLatin1().toStdString();
    case Input::List:
        return protocol::WholeValue(panel.list(setting.inputName)->currentIndex() + setting.firstItem);
    case Input::OptionPair:
        return panel.items(setting.inputName).front()->isChecked() ? "1" : "0";
    case Input::CheckBoxes: {
        std::int32_t mask = 0;
        const auto &boxes = panel.items(setting.inputName);
        for (std::size_t bit = 0; bit < boxes.size(); ++bit)
            if (boxes[bit]->isChecked())
                mask |= 1 << bit;
        return protocol::WholeValue(mask);
    }
    case Input::None:
        break;
    }
    return {};
}

bool ShowValue(CompassSettingsPanel &panel, const protocol::Setting &setting, const std::string &value,
               char decimalSeparator)
{
    const numbers::NumberRules rules{decimalSeparator};
    switch (setting.input) {
    case Input::Field:
        panel.field(setting.inputName)->setText(QString::fromLatin1(value));
        return true;
    case Input::FieldWithScrollBar: {
        panel.field(setting.inputName)->setText(QString::fromLatin1(value));
        QScrollBar *bar = panel.scrollBar(setting.inputName);
        const auto number = numbers::ReadWhole<std::int32_t>(value, rules);
        if (!number)
            return false;
        const std::int64_t shown = std::int64_t{setting.scrollMirror} - *number;
        if (shown < bar->minimum() || shown > bar->maximum())
            return false;
        bar->setValue(static_cast<int>(shown));
        return true;
    }
    case Input::List: {
        QComboBox *list = panel.list(setting.inputName);
        const auto number = numbers::ReadWhole<std::int16_t>(value, rules);
        const int index = number ? *number - setting.firstItem : -1;
        if (index < 0 || index >= list->count())
            return false;
        list->setCurrentIndex(index);
        return true;
    }
    case Input::OptionPair:
        panel.items(setting.inputName).at(value == "1" ? 0 : 1)->setChecked(true);
        return true;
    case Input::CheckBoxes: {
        const std::int32_t mask = numbers::ReadWhole<std::int32_t>(value, rules).value_or(0);
        const auto &boxes = panel.items(setting.inputName);
        for (std::size_t bit = 0; bit < boxes.size(); ++bit)
            boxes[bit]->setChecked((mask >> bit) & 1);
        return true;
    }
    case Input::None:
        break;
    }
    return false;
}

} // namespace settings_panel
