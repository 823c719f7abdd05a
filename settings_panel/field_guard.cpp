#include "settings_panel/field_guard.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFocusEvent>
#include <QLineEdit>

namespace settings_panel {

FieldGuard::FieldGuard(platform::MessageBox &messages, std::function<char()> decimalSeparator, QObject *parent)
    : QObject(parent), m_messages(messages), m_decimalSeparator(std::move(decimalSeparator))
{
}

void FieldGuard::watch(QLineEdit *field, const protocol::FieldCheck &check, QAbstractButton *ownButton,
                       std::function<void(double)> onValid)
{
    m_watched[field] = Watch{&check, ownButton, std::move(onValid)};
    field->installEventFilter(this);
    connect(field, &QObject::destroyed, this, [this, field] { m_watched.erase(field); });
}

bool FieldGuard::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::FocusOut)
        return false;
    const auto found = m_watched.find(watched);
    if (found == m_watched.end())
        return false;
    left(static_cast<QLineEdit *>(watched), found->second, static_cast<QFocusEvent *>(event)->reason());
    return false;
}

void FieldGuard::left(QLineEdit *field, const Watch &watch, Qt::FocusReason reason)
{
    // Switching windows, popups and our own focus restores are not the user leaving the field.
    if (m_restoring || reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason ||
        reason == Qt::MenuBarFocusReason || !field->isVisible())
        return;
    const protocol::CheckResult result = protocol::CheckValue(*watch.check, field->text(), m_decimalSeparator());
    if (!result.refusal) {
        if (watch.onValid)
            watch.onValid(result.value);
        return;
    }
    QPointer<QWidget> taker = QApplication::focusWidget();
    const bool clicked = reason == Qt::MouseFocusReason && taker && taker != field;
    const QString refused = field->text();
    m_messages.show(*result.refusal, platform::MessageIcon::Exclamation, platform::MessageButtons::Ok);
    // The press that moved the focus reaches its widget only after the box,
    // whose own loop took the release: the press alone would leave a button
    // down and never click it.
    if (clicked)
        m_pressDropper.dropNextPressOn(taker);
    using protocol::OnRefusal;
    const OnRefusal afterwards = watch.check->afterwards;
    auto *button = qobject_cast<QAbstractButton *>(taker.data());
    // The field's own Set button would send the text just refused.
    const bool ownButton = clicked && button && button == watch.ownButton;
    if (afterwards == OnRefusal::TextToZero && field->text() == refused) {
        // A settings read may have filled the field while the box was up.
        field->setText(QStringLiteral("0"));
    }
    if (afterwards != OnRefusal::TextToZero || ownButton)
        takeFocusBack(field);
    // After leaving the field the click still acts; it runs from the event
    // loop, once this focus change is over.
    if (clicked && afterwards != OnRefusal::FocusStays && button && !ownButton)
        QMetaObject::invokeMethod(button, [button = QPointer<QAbstractButton>(button)] {
            if (button && button->isEnabled())
                button->click();
        }, Qt::QueuedConnection);
}

void FieldGuard::takeFocusBack(QLineEdit *field)
{
    m_restoring = true;
    field->setFocus(Qt::OtherFocusReason);
    m_restoring = false;
}

void FieldGuard::PressDropper::dropNextPressOn(QWidget *widget)
{
    if (!m_target)
        qApp->installEventFilter(this);
    m_target = widget;
}

void FieldGuard::PressDropper::stop()
{
    m_target = nullptr;
    qApp->removeEventFilter(this);
}

bool FieldGuard::PressDropper::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::MouseButtonPress && event->type() != QEvent::MouseButtonDblClick)
        return false;
    auto *widget = qobject_cast<QWidget *>(watched);
    const bool onTarget = widget && m_target && (widget == m_target || m_target->isAncestorOf(widget));
    stop();
    return onTarget;
}

} // namespace settings_panel
