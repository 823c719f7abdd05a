#pragma once
#include "platform/message_box.h"
#include "protocol/setting_table.h"

#include <QObject>
#include <QPointer>
#include <functional>
#include <map>

class QAbstractButton;
class QLineEdit;
class QWidget;

namespace settings_panel {

// Runs the checks of the settings fields as the focus leaves them. A keep-focus
// field that refuses its text takes the focus back, and the mouse press that
// tried to take it away is dropped, so the button under it is not pressed. An
// after-leaving field takes the focus back or resets its text to "0", and the
// button clicked to leave it is clicked once the message is closed, unless it
// is the field's own Set button: the refused text is never sent, and the
// field takes the focus back.
class FieldGuard : public QObject {
    Q_OBJECT
public:
    FieldGuard(platform::MessageBox &messages, std::function<char()> decimalSeparator, QObject *parent = nullptr);

    // `ownButton` sends the field's value. `onValid` runs with the number read
    // whenever the field is left valid.
    void watch(QLineEdit *field, const protocol::FieldCheck &check, QAbstractButton *ownButton,
               std::function<void(double)> onValid = {});

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    struct Watch {
        const protocol::FieldCheck *check;
        QPointer<QAbstractButton> ownButton;
        std::function<void(double)> onValid;
    };
    void left(QLineEdit *field, const Watch &watch, Qt::FocusReason reason);
    void takeFocusBack(QLineEdit *field);

    // Drops the next mouse press on one widget, application-wide.
    class PressDropper : public QObject {
    public:
        void dropNextPressOn(QWidget *widget);
        bool eventFilter(QObject *watched, QEvent *event) override;

    private:
        void stop();
        QPointer<QWidget> m_target;
    };

    platform::MessageBox &m_messages;
    std::function<char()> m_decimalSeparator;
    std::map<QObject *, Watch> m_watched;
    bool m_restoring = false;
    PressDropper m_pressDropper;
};

} // namespace settings_panel
