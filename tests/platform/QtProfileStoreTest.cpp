#include "platform/linux/QtProfileStore.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace platform;

namespace {

TEST(QtProfileStoreTest, ValuesSurviveANewStore)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString file = dir.filePath("profile.ini");
    {
        QtProfileStore store(file);
        EXPECT_EQ(store.getInt("Settings", "COM_Baudrate", 4), 4);
        EXPECT_EQ(store.getString("Settings", "Model", "none"), "none");
        EXPECT_TRUE(store.setInt("Settings", "COM_Baudrate", 2));
        EXPECT_TRUE(store.setInt("Settings", "Negative", -17));
        EXPECT_TRUE(store.setString("Settings", "Model", QString::fromUtf16(u"ZT410 \u00e9")));
        EXPECT_TRUE(store.setString("Ports", "COM5", "/dev/ttyUSB0"));
        EXPECT_TRUE(store.setString("Settings", "Word", "abc"));
    }
    QtProfileStore reopened(file);
    EXPECT_EQ(reopened.getInt("Settings", "COM_Baudrate", 4), 2);
    EXPECT_EQ(reopened.getInt("Settings", "Negative", 0), -17);
    EXPECT_EQ(reopened.getString("Settings", "Model"), QString::fromUtf16(u"ZT410 \u00e9"));
    EXPECT_EQ(reopened.getString("Ports", "COM5"), "/dev/ttyUSB0");
    EXPECT_EQ(reopened.getString("Ports", "COM6"), QString());
    // Text where a number is wanted reads as the default.
    EXPECT_EQ(reopened.getInt("Settings", "Word", 9), 9);
    // Sections keep keys apart.
    EXPECT_EQ(reopened.getInt("Other", "COM_Baudrate", -1), -1);
}

TEST(QtProfileStoreTest, ApplicationIsTheProgramFileName)
{
    EXPECT_EQ(QtProfileStore::applicationName(), "test_platform");
}

}  // namespace
