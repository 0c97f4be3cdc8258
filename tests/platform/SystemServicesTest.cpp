#include "platform/linux/BuildVersionInfo.h"
#include "platform/linux/SystemClock.h"
#include "platform/linux/TempFolders.h"

#include "platform/Services.h"

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace platform;

namespace {

TEST(BuildVersionInfoTest, NamesTheProductAndItsVersion)
{
    const VersionResource r = BuildVersionInfo().resource();
    EXPECT_TRUE(r.present);
    EXPECT_EQ(r.productName, "Zentrova");
    EXPECT_EQ(r.companyName, "QUORVIN BRESSANT");
    EXPECT_FALSE(r.legalCopyright.isEmpty());
    EXPECT_EQ(r.fileVersion, QStringLiteral("%1.%2.%3.%4")
                                 .arg(r.productMajor)
                                 .arg(r.productMinor)
                                 .arg(r.productThird)
                                 .arg(r.productFourth));
}

TEST(TempFoldersTest, CreatesTempUnderTheSystemTemporaryDirectory)
{
    QTemporaryDir root;
    ASSERT_TRUE(root.isValid());
    const QByteArray previous = qgetenv("TMPDIR");
    qputenv("TMPDIR", QFile::encodeName(root.path()));
    const QString folder = TempFolders().tempFolder();
    qputenv("TMPDIR", previous);

    EXPECT_EQ(folder, QDir::cleanPath(root.path()) + "/Temp/");
    EXPECT_TRUE(QDir(folder).exists());
}

TEST(DefaultServicesTest, EachIsOneLastingInstance)
{
    EXPECT_EQ(&devices(), &defaultService<DeviceIo>());
    EXPECT_EQ(&usb(), &usb());
    EXPECT_EQ(&codePage(), &codePage());
    EXPECT_NE(dynamic_cast<SystemClock*>(&platform::clock()), nullptr);
    platform::clock().sleep(0);
    EXPECT_TRUE(platform::clock().localTime().isValid());
    EXPECT_TRUE(versionInfo().resource().present);
}

}  // namespace
