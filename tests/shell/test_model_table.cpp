// The printer-model table and the map that holds it.
#include "core/Globals.h"
#include "core/ModelTable.h"

#include <gtest/gtest.h>

#include <QRegularExpression>
#include <set>

namespace {

QStringList keysOf(const ModelTable& table)
{
    QStringList keys;
    for (const auto& entry : table.Entries())
        keys << entry.first;
    return keys;
}

// ---- the map ------------------------------------------------------------------------------

TEST(ModelTableMap, HashesAsHashTimes33PlusCharacterIn32Bits)
{
    const struct {
        const char* key;
        std::uint32_t hash;
    } cases[] = {
        {"", 0},
        {"a", 97},
        {"ab", 97 * 33 + 98},
        {"VANTO-LABEL", 118289941u},
        {"abcdefghijklmnop", 977873800u},  // wraps around
    };
    for (const auto& c : cases)
        EXPECT_EQ(ModelTable::HashKey(QString::fromLatin1(c.key)), c.hash) << c.key;
}

TEST(ModelTableMap, IteratesByBucketThenNewestFirst)
{
    const QString first = QStringLiteral("a");    // bucket 97
    const QString second = QStringLiteral("B_");  // also bucket 97, added later
    const QString last = QString(QChar(127));     // bucket 127
    const QString zero = QString();               // bucket 0
    _VANTOPRT_INFO record;

    ModelTable table;
    table.InitHashTable(128);
    for (const QString& key : {last, first, second, zero})
        table.SetAt(key, &record);
    EXPECT_EQ(keysOf(table), QStringList({zero, second, first, last}));
}

TEST(ModelTableMap, UsesSeventeenBucketsUntilToldOtherwise)
{
    _VANTOPRT_INFO record;
    const QStringList added = {QStringLiteral("a"), QStringLiteral("q")};  // 97, 113

    ModelTable byDefault;
    for (const QString& key : added)
        byDefault.SetAt(key, &record);
    EXPECT_EQ(keysOf(byDefault), QStringList({"q", "a"}));  // buckets 11 and 12 of 17

    ModelTable wide;
    wide.InitHashTable(128);
    for (const QString& key : added)
        wide.SetAt(key, &record);
    EXPECT_EQ(keysOf(wide), added);
}

TEST(ModelTableMap, SetAtReplacesAndRemoveKeyUnlinks)
{
    _VANTOPRT_INFO one;
    _VANTOPRT_INFO two;
    ModelTable table;
    table.InitHashTable(128);
    table.SetAt(QStringLiteral("a"), &one);
    table.SetAt(QStringLiteral("B_"), &one);  // same bucket as "a"
    table.SetAt(QStringLiteral("a"), &two);
    EXPECT_EQ(table.GetCount(), 2);

    _VANTOPRT_INFO* found = nullptr;
    ASSERT_TRUE(table.Lookup(QStringLiteral("a"), found));
    EXPECT_EQ(found, &two);

    EXPECT_TRUE(table.RemoveKey(QStringLiteral("B_")));
    EXPECT_FALSE(table.RemoveKey(QStringLiteral("B_")));
    EXPECT_FALSE(table.RemoveKey(QStringLiteral("missing")));
    EXPECT_EQ(keysOf(table), QStringList({"a"}));
    EXPECT_TRUE(table.Lookup(QStringLiteral("a"), found));

    table.InitHashTable(128);
    EXPECT_TRUE(table.IsEmpty());
    EXPECT_FALSE(table.Lookup(QStringLiteral("a"), found));
}

// ---- the built table ----------------------------------------------------------------------

class BuiltModelTable : public ::testing::Test {
protected:
    void SetUp() override { BuildModelTable(); }
    void TearDown() override { ClearModelTable(); }

    static _VANTOPRT_INFO* find(const QString& name)
    {
        _VANTOPRT_INFO* info = nullptr;
        return g_modelTable.Lookup(name, info) ? info : nullptr;
    }
};

TEST_F(BuiltModelTable, HoldsTheSevenRowsInTheMapsOrder)
{
    EXPECT_EQ(keysOf(g_modelTable),
              QStringList({"PV-7", "PV-9", "KX-21", "KX-22", "KX-24", "KX-30", "RN-5"}));
    EXPECT_EQ(find(QStringLiteral("VANTO-LABEL")), nullptr);
    EXPECT_EQ(find(QString()), nullptr);
    for (const auto& [name, info] : g_modelTable.Entries())
        EXPECT_EQ(info->m_strModelName, name);
}

TEST_F(BuiltModelTable, LookupIsCaseSensitiveWhileAScanCanIgnoreCase)
{
    EXPECT_EQ(find(QStringLiteral("kx-21")), nullptr);
    ASSERT_NE(find(QStringLiteral("KX-21")), nullptr);

    QString matched;
    for (const auto& [name, info] : g_modelTable.Entries()) {
        if (name.compare(QStringLiteral("kx-21"), Qt::CaseInsensitive) == 0) {
            matched = info->m_strModelName;
            break;
        }
    }
    EXPECT_EQ(matched, QStringLiteral("KX-21"));
}

TEST_F(BuiltModelTable, RowsCarryTheirModelsValues)
{
    const struct {
        const char* name;
        const char* shortName;
        int family, dpi;
        const char* speeds;
        int reserved2, rfid, rtc, usbDongle;
    } rows[] = {
        {"KX-21", "21", 101, 203, "2.0,3.0,4.0,5.0,6.0,7.0", 0, 0, 1, 1},
        {"KX-22", "22", 101, 203, "2.0,3.0,4.0,5.0,6.0,7.0", 1, 0, 1, 1},
        {"RN-5", "5", 101, 203, "1.0,2.0,3.0,4.0,5.0,6.0,7.0,8.0", 1, 1, 1, 1},
        {"KX-30", "30", 201, 203, "1.0,2.0,3.0,4.0,5.0", 0, 0, 0, 0},
        {"PV-7", "7", 101, 203, "3.0,4.0,5.0,6.0,7.0", 0, 0, 1, 0},
        {"PV-9", "9", 101, 300, "2.0,3.0,4.0,5.0", 0, 0, 1, 0},
        {"KX-24", "24", 101, 203, "3.0,4.0,5.0,6.0,7.0", 0, 0, 1, 0},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const _VANTOPRT_INFO* info = find(QString::fromLatin1(row.name));
        ASSERT_NE(info, nullptr);
        EXPECT_EQ(info->m_strShortName, QString::fromLatin1(row.shortName));
        EXPECT_EQ(info->m_nMenuViewId, row.family);
        EXPECT_EQ(info->m_nReserved, 1);
        EXPECT_EQ(info->m_nDpi, row.dpi);
        EXPECT_EQ(info->m_strSpeeds, QString::fromLatin1(row.speeds));
        EXPECT_EQ(info->m_nReserved2, row.reserved2);
        EXPECT_EQ(info->m_bRfid, row.rfid);
        EXPECT_EQ(info->m_bRtc, row.rtc);
        EXPECT_EQ(info->m_bUsbDongle, row.usbDongle);
    }
}

TEST_F(BuiltModelTable, SixRowsShareOneVendorWithDistinctProducts)
{
    const QRegularExpression hex(QStringLiteral("^[0-9A-F]{4}$"));
    std::set<QString> products;
    for (const auto& [name, info] : g_modelTable.Entries()) {
        SCOPED_TRACE(name.toStdString());
        if (name == QStringLiteral("RN-5")) {
            EXPECT_TRUE(info->m_strVid.isEmpty());
            EXPECT_TRUE(info->m_strPid.isEmpty());
            continue;
        }
        EXPECT_EQ(info->m_strVid, QString::fromLatin1(kVantoUsbVendorId));
        EXPECT_TRUE(hex.match(info->m_strVid).hasMatch());
        EXPECT_TRUE(hex.match(info->m_strPid).hasMatch());
        products.insert(info->m_strPid);
    }
    EXPECT_EQ(products.size(), 6u);
}

TEST_F(BuiltModelTable, RebuildingStartsFromFreshRecordsAndClearEmpties)
{
    find(QStringLiteral("KX-21"))->m_nDpi = 1;
    BuildModelTable();
    EXPECT_EQ(g_modelTable.GetCount(), 7);
    EXPECT_EQ(find(QStringLiteral("KX-21"))->m_nDpi, 203);

    EXPECT_TRUE(ClearModelTable());
    EXPECT_TRUE(g_modelTable.IsEmpty());
    EXPECT_TRUE(g_modelTable.Entries().empty());
    EXPECT_TRUE(ClearModelTable());
}

}  // namespace
