#include "app/number_text.h"

#include <gtest/gtest.h>

namespace {

using app::DecimalSeparatorByte;

TEST(NumberText, SeparatorByteForTheParser)
{
    EXPECT_EQ(DecimalSeparatorByte(","), ',');
    EXPECT_EQ(DecimalSeparatorByte("."), '.');
    EXPECT_EQ(DecimalSeparatorByte(QString(QChar(0xB7))), '\xB7');
    // Unknown, outside Latin-1, or a character a number is made of: "." alone.
    for (const QString &unusable : {QString(), QString(QChar(0)), QString(QChar(0x066B)), QString(" "),
                                    QString("e"), QString("-"), QString("5"), QString(QChar(0xA0))})
        EXPECT_EQ(DecimalSeparatorByte(unusable), '.') << unusable.toStdString();
}

} // namespace
