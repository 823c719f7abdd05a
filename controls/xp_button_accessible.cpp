#include "controls/xp_button_accessible.h"

#include "controls/xp_button.h"

#include <QAccessibleWidget>

namespace controls {

namespace {

// A push button to screen readers, named at the moment it is asked: a caption
// that changes ("Start" to "Done!") is read as it is now.
class XPButtonAccessible : public QAccessibleWidget {
public:
    explicit XPButtonAccessible(XPButton *button) : QAccessibleWidget(button, QAccessible::Button) {}

    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Name)
            return button()->spokenName();
        return QAccessibleWidget::text(t);
    }

    QAccessible::State state() const override
    {
        QAccessible::State state = QAccessibleWidget::state();
        state.pressed = button()->isDown();
        return state;
    }

    QStringList actionNames() const override { return QStringList(pressAction()) + QAccessibleWidget::actionNames(); }

    void doAction(const QString &action) override
    {
        if (action != pressAction())
            QAccessibleWidget::doAction(action);
        else if (button()->isEnabled())
            button()->click();
    }

private:
    XPButton *button() const { return static_cast<XPButton *>(widget()); }
};

QAccessibleInterface *xpButtonInterface(const QString &className, QObject *object)
{
    if (className == QLatin1String(XPButton::staticMetaObject.className()) && object && object->isWidgetType())
        return new XPButtonAccessible(static_cast<XPButton *>(object));
    return nullptr;
}

} // namespace

void installXPButtonAccessibility()
{
    [[maybe_unused]] static const bool installed = (QAccessible::installFactory(xpButtonInterface), true);
}

} // namespace controls
