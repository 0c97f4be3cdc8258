#pragma once

#include <QString>
#include <cstdint>
#include <utility>
#include <vector>

// One printer model.
struct _VANTOPRT_INFO {
    std::int32_t m_nMenuViewId = 101;  // model family: 101 or 201
    std::int32_t m_nReserved = 1;
    QString m_strVid;
    QString m_strPid;
    QString m_strModelName;
    QString m_strShortName;
    std::int32_t m_nDpi = 203;
    QString m_strSpeeds = QStringLiteral("1.0,2.0,3.0,4.0,5.0,6.0,7.0,8.0");
    std::int32_t m_nReserved2 = 1;
    std::int32_t m_bRfid = 1;
    std::int32_t m_bRtc = 1;
    std::int32_t m_bUsbDongle = 1;
};

// Model name -> record, a hash map that iterates as the original's class-library map did:
// bucket 0 to n-1 (hash = hash * 33 + c over the UTF-16 units), within a bucket the most
// recently added entry first. Keys compare exactly, case included. Values are not owned;
// ClearModelTable deletes them.
class ModelTable {
public:
    ModelTable() = default;
    ~ModelTable();
    ModelTable(const ModelTable&) = delete;
    ModelTable& operator=(const ModelTable&) = delete;

    static std::uint32_t HashKey(const QString& key);

    void InitHashTable(std::uint32_t buckets);  // drops the entries (not the records)
    void SetAt(const QString& key, _VANTOPRT_INFO* value);
    bool Lookup(const QString& key, _VANTOPRT_INFO*& value) const;
    bool RemoveKey(const QString& key);
    int GetCount() const { return m_count; }
    bool IsEmpty() const { return m_count == 0; }
    // Every entry in iteration order.
    std::vector<std::pair<QString, _VANTOPRT_INFO*>> Entries() const;

private:
    struct Assoc {
        Assoc* next;
        QString key;
        _VANTOPRT_INFO* value;
    };
    std::vector<Assoc*> m_buckets;
    std::uint32_t m_bucketCount = 17;  // the class library's default before InitHashTable
    int m_count = 0;
};

extern ModelTable g_modelTable;

// Empties the table, re-creates its 128 buckets and adds the seven rows.
void BuildModelTable();
// Deletes every record and removes its key. Always true.
bool ClearModelTable();

// The USB vendor id shared by the rows.
inline constexpr const char* kVantoUsbVendorId = "2F1A";
