#include "controls/reading_label.h"

#include <QAccessibleWidget>

namespace controls {

namespace {

// Computed when asked, so a value written thousands of times a second costs
// nothing until a screen reader looks. QLabel already announces each new text.
class ReadingAccessible : public QAccessibleWidget {
public:
    explicit ReadingAccessible(ReadingLabel *label) : QAccessibleWidget(label, QAccessible::StaticText) {}

    QString text(QAccessible::Text t) const override
    {
        const auto *label = static_cast<const ReadingLabel *>(widget());
        switch (t) {
        case QAccessible::Name:
            return label->text().isEmpty() ? label->caption() : label->caption() + QLatin1Char(' ') + label->text();
        case QAccessible::Value:
            return label->text();
        default:
            return QAccessibleWidget::text(t);
        }
    }
};

QAccessibleInterface *readingAccessible(const QString &className, QObject *object)
{
    if (className == QLatin1String(ReadingLabel::staticMetaObject.className()) && object->isWidgetType())
        return new ReadingAccessible(static_cast<ReadingLabel *>(object));
    return nullptr;
}

} // namespace

ReadingLabel::ReadingLabel(const QString &caption, QWidget *parent) : QLabel(parent), m_caption(caption)
{
    [[maybe_unused]] static const bool installed = (QAccessible::installFactory(readingAccessible), true);
}

} // namespace controls
