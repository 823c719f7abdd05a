#pragma once
#include <QWidget>
#include <array>
#include <vector>

class QAbstractButton;
class QCheckBox;
class QComboBox;
class QGridLayout;
class QLabel;
class QLineEdit;
class QRadioButton;
class QScrollBar;

namespace settings_panel {

// The compass-settings part of the settings frame `frCS`: one row per setting
// or action with its caption, input, hint, menu-key label and `cmdSet` button.
// It holds no logic: the controller reads and fills the controls.
class CompassSettingsPanel : public QWidget {
    Q_OBJECT
public:
    // The `cmdSet` buttons by index: one a row, two on the soft-iron row.
    enum Command : int {
        BaudRate = 0, OutputRate, ShowFields, Deguass, Deviation, Declination, LevelCalibration,
        ZCalibration, AvgSamples, MaxPressure, ZeroDepth, NullGyro, FactoryDefaults, DecimationFilter,
        SoftIron, SoftIronCalibration, OutputFormat, AccRange, Mounting, QuietMode, TempOffset, TrimRollPitch,
        EulerMath, SkipReadings,
    };
    static constexpr int CommandCount = 24;
    static constexpr int ShowItemCount = 13;

    explicit CompassSettingsPanel(QWidget *parent = nullptr);

    QLineEdit *txtCSDeguass() const { return m_txtCSDeguass; }
    QLineEdit *txtCSSkipReadings() const { return m_txtCSSkipReadings; }
    QLineEdit *txtCSEuler() const { return m_txtCSEuler; }
    QLineEdit *txtCSAvgSamples() const { return m_txtCSAvgSamples; }
    QLineEdit *txtCSDecimationFilter() const { return m_txtCSDecimationFilter; }
    QLineEdit *txtCSDeviation() const { return m_txtCSDeviation; }
    QLineEdit *txtCSDeclination() const { return m_txtCSDeclination; }
    QLineEdit *txtCSTempOffset() const { return m_txtCSTempOffset; }
    QLineEdit *txtCSAccRange() const { return m_txtCSAccRange; }
    QLineEdit *txtCSMaxPressure() const { return m_txtCSMaxPressure; }
    QLineEdit *txtCSOutFormat() const { return m_txtCSOutFormat; }
    QLineEdit *txtCSOutRate() const { return m_txtCSOutRate; }
    QScrollBar *vsCSSkipReadings() const { return m_vsCSSkipReadings; }
    QScrollBar *vsCSOutRate() const { return m_vsCSOutRate; }
    QLabel *lblCSOutRateUnit() const { return m_lblCSOutRateUnit; }
    QComboBox *cmbCSBaud() const { return m_cmbCSBaud; }
    QComboBox *cmbCSMountPos() const { return m_cmbCSMountPos; }
    // Item 0 "En.", item 1 "Disable".
    QRadioButton *optSoftIron(int item) const { return m_optSoftIron.at(item); }
    // Item 0 "Enabled", item 1 "Disabled".
    QRadioButton *optCSQMode(int item) const { return m_optCSQMode.at(item); }
    QCheckBox *chkCSShowItem(int item) const { return m_chkCSShowItem.at(item); }
    QAbstractButton *cmdSet(int index) const { return m_cmdSet.at(index); }
    QLabel *keyLabel(int index) const { return m_keyLabel.at(index); }

signals:
    // `cmdSet` with this index was pressed.
    void setPressed(int index);

private:
    struct Row;
    void addRow(QGridLayout *grid, int gridRow, const Row &row);
    QLineEdit *makeField(const char *name);
    QScrollBar *makeScrollBar(const char *name, const QString &accessibleName, int minimum, int maximum);
    void addToTabChain(QWidget *widget);
    QWidget *makeShowItems();
    QWidget *makeOptionPair(std::array<QRadioButton *, 2> &items, const char *name, const char *first,
                            const char *second);
    QComboBox *makeList(const char *name, const QStringList &items);

    QLineEdit *m_txtCSDeguass;
    QLineEdit *m_txtCSSkipReadings;
    QLineEdit *m_txtCSEuler;
    QLineEdit *m_txtCSAvgSamples;
    QLineEdit *m_txtCSDecimationFilter;
    QLineEdit *m_txtCSDeviation;
    QLineEdit *m_txtCSDeclination;
    QLineEdit *m_txtCSTempOffset;
    QLineEdit *m_txtCSAccRange;
    QLineEdit *m_txtCSMaxPressure;
    QLineEdit *m_txtCSOutFormat;
    QLineEdit *m_txtCSOutRate;
    QScrollBar *m_vsCSSkipReadings;
    QScrollBar *m_vsCSOutRate;
    QLabel *m_lblCSOutRateUnit;
    QComboBox *m_cmbCSBaud;
    QComboBox *m_cmbCSMountPos;
    std::array<QRadioButton *, 2> m_optSoftIron{};
    std::array<QRadioButton *, 2> m_optCSQMode{};
    std::array<QCheckBox *, ShowItemCount> m_chkCSShowItem{};
    std::array<QAbstractButton *, CommandCount> m_cmdSet{};
    std::array<QLabel *, CommandCount> m_keyLabel{};
    std::vector<QWidget *> m_tabChain;
};

} // namespace settings_panel
