#include "workbench/ReceiveBuffer.h"

#include <gtest/gtest.h>

namespace {

using DataType = ReceiveBuffer::DataType;

QByteArray bytesFrom(int first, int count)
{
    QByteArray bytes;
    for (int i = 0; i < count; ++i)
        bytes.append(char(first + i));
    return bytes;
}

TEST(ReceiveView, TwentyBytesInGroupsOfFour)
{
    const QByteArray bytes = bytesFrom(0x41, 20);
    EXPECT_EQ(ReceiveBuffer::format(bytes, DataType::Ascii),
              "A B C D\tE F G H\tI J K L\tM N O P\tQ R S T\r\n");
    EXPECT_EQ(ReceiveBuffer::format(bytes, DataType::Hex),
              "41 42 43 44\t45 46 47 48\t49 4a 4b 4c\t4d 4e 4f 50\t51 52 53 54\r\n");
}

TEST(ReceiveView, FortyOneBytesEndWithASeparator)
{
    QByteArray bytes = bytesFrom(0x41, 20) + bytesFrom(0x61, 20);
    bytes.append('\xff');
    const QString ascii = ReceiveBuffer::format(bytes, DataType::Ascii);
    EXPECT_EQ(ascii,
              "A B C D\tE F G H\tI J K L\tM N O P\tQ R S T\r\n"
              "a b c d\te f g h\ti j k l\tm n o p\tq r s t\r\n"
              ". ");
    EXPECT_EQ(ReceiveBuffer::format(bytes, DataType::Hex),
              "41 42 43 44\t45 46 47 48\t49 4a 4b 4c\t4d 4e 4f 50\t51 52 53 54\r\n"
              "61 62 63 64\t65 66 67 68\t69 6a 6b 6c\t6d 6e 6f 70\t71 72 73 74\r\n"
              "ff ");
}

TEST(ReceiveView, OnlyPrintableNonBlankCharactersShow)
{
    const QByteArray bytes("\x20\x21\x7e\x7f\x80\x00\x0d\x0a", 8);
    EXPECT_EQ(ReceiveBuffer::format(bytes, DataType::Ascii), ". ! ~ .\t. . . .\t");
    EXPECT_EQ(ReceiveBuffer::format(bytes, DataType::Hex), "20 21 7e 7f\t80 00 0d 0a\t");
}

TEST(ReceiveView, EmptyBufferEmptyText)
{
    EXPECT_TRUE(ReceiveBuffer::format(QByteArrayView(), DataType::Hex).isEmpty());
}

TEST(ReceiveBuffer, GrowsUntilCleared)
{
    ReceiveBuffer buffer;
    EXPECT_TRUE(buffer.isEmpty());
    buffer.append("AB", 2);
    buffer.append("C\0D", 3);
    buffer.append("x", 0);
    EXPECT_EQ(buffer.bytes(), QByteArrayView("ABC\0D", 5));
    EXPECT_EQ(buffer.format(DataType::Ascii), "A B C .\tD ");
    buffer.clear();
    EXPECT_TRUE(buffer.isEmpty());
    EXPECT_EQ(buffer.size(), 0);
}

}  // namespace
