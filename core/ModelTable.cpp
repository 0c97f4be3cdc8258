#include "core/ModelTable.h"

ModelTable::~ModelTable()
{
    InitHashTable(0);
}

std::uint32_t ModelTable::HashKey(const QString& key)
{
    std::uint32_t hash = 0;
    for (QChar c : key)
        hash = hash * 33 + c.unicode();
    return hash;
}

void ModelTable::InitHashTable(std::uint32_t buckets)
{
    for (Assoc* head : m_buckets) {
        while (head) {
            Assoc* next = head->next;
            delete head;
            head = next;
        }
    }
    m_buckets.clear();
    m_count = 0;
    if (buckets > 0) {
        m_bucketCount = buckets;
        m_buckets.assign(buckets, nullptr);
    }
}

void ModelTable::SetAt(const QString& key, _VANTOPRT_INFO* value)
{
    // The buckets are allocated on the first insertion, in the size chosen so far.
    if (m_buckets.empty())
        m_buckets.assign(m_bucketCount, nullptr);
    Assoc*& head = m_buckets[HashKey(key) % m_bucketCount];
    for (Assoc* a = head; a; a = a->next) {
        if (a->key == key) {
            a->value = value;
            return;
        }
    }
    head = new Assoc{head, key, value};
    ++m_count;
}

bool ModelTable::Lookup(const QString& key, _VANTOPRT_INFO*& value) const
{
    if (m_buckets.empty())
        return false;
    for (Assoc* a = m_buckets[HashKey(key) % m_bucketCount]; a; a = a->next) {
        if (a->key == key) {
            value = a->value;
            return true;
        }
    }
    return false;
}

bool ModelTable::RemoveKey(const QString& key)
{
    if (m_buckets.empty())
        return false;
    for (Assoc** link = &m_buckets[HashKey(key) % m_bucketCount]; *link; link = &(*link)->next) {
        if ((*link)->key == key) {
            Assoc* gone = *link;
            *link = gone->next;
            delete gone;
            --m_count;
            return true;
        }
    }
    return false;
}

std::vector<std::pair<QString, _VANTOPRT_INFO*>> ModelTable::Entries() const
{
    std::vector<std::pair<QString, _VANTOPRT_INFO*>> entries;
    entries.reserve(static_cast<std::size_t>(m_count));
    for (const Assoc* head : m_buckets)
        for (const Assoc* a = head; a; a = a->next)
            entries.emplace_back(a->key, a->value);
    return entries;
}

namespace {

struct ModelRow {
    const char* name;
    const char* pid;  // nullptr: the row keeps the new record's values, USB ids included
    std::int32_t family;
    std::int32_t dpi;
    const char* speeds;
    std::int32_t reserved2;
    std::int32_t rfid;
    std::int32_t rtc;
    std::int32_t usbDongle;
};

constexpr ModelRow kRows[] = {
    {"KX-21", "0A21", 101, 203, "2.0,3.0,4.0,5.0,6.0,7.0", 0, 0, 1, 1},
    {"KX-22", "0A22", 101, 203, "2.0,3.0,4.0,5.0,6.0,7.0", 1, 0, 1, 1},
    {"RN-5", nullptr, 0, 0, nullptr, 0, 0, 0, 0},
    {"KX-30", "0B30", 201, 203, "1.0,2.0,3.0,4.0,5.0", 0, 0, 0, 0},
    {"PV-7", "0C07", 101, 203, "3.0,4.0,5.0,6.0,7.0", 0, 0, 1, 0},
    {"PV-9", "0C09", 101, 300, "2.0,3.0,4.0,5.0", 0, 0, 1, 0},
    {"KX-24", "0A24", 101, 203, "3.0,4.0,5.0,6.0,7.0", 0, 0, 1, 0},
    {"", nullptr, 0, 0, nullptr, 0, 0, 0, 0},  // end of the list
};

}  // namespace

void BuildModelTable()
{
    ClearModelTable();
    g_modelTable.InitHashTable(128);

    for (const ModelRow& row : kRows) {
        const QString name = QString::fromLatin1(row.name);
        if (name.isEmpty())
            continue;
        auto* info = new _VANTOPRT_INFO;
        info->m_strModelName = name;
        const qsizetype dash = name.indexOf(u'-');
        info->m_strShortName = dash < 0 ? name : name.mid(dash + 1);
        if (row.pid) {
            info->m_strVid = QString::fromLatin1(kVantoUsbVendorId);
            info->m_strPid = QString::fromLatin1(row.pid);
            info->m_nMenuViewId = row.family;
            info->m_nDpi = row.dpi;
            info->m_strSpeeds = QString::fromLatin1(row.speeds);
            info->m_nReserved2 = row.reserved2;
            info->m_bRfid = row.rfid;
            info->m_bRtc = row.rtc;
            info->m_bUsbDongle = row.usbDongle;
        }
        // A repeated name would replace the pointer; the table owns its records, so the
        // displaced one must not be left behind.
        _VANTOPRT_INFO* previous = nullptr;
        if (g_modelTable.Lookup(name, previous))
            delete previous;
        g_modelTable.SetAt(name, info);
    }
}

bool ClearModelTable()
{
    for (const auto& [name, info] : g_modelTable.Entries()) {
        delete info;
        g_modelTable.RemoveKey(name);
    }
    return true;
}
