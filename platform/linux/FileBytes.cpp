#include "platform/linux/FileBytes.h"

#include <algorithm>
#include <cerrno>
#include <unistd.h>

namespace platform {

FileBytes::FileBytes(const QString& path) : m_file(path)
{
    if (m_file.open(QIODevice::ReadOnly | QIODevice::Unbuffered))
        m_size = quint64(std::max<qint64>(m_file.size(), 0));
}

bool FileBytes::read(quint64 offset, void* out, quint64 count) const
{
    if (!m_file.isOpen() || offset > m_size || count > m_size - offset)
        return false;
    auto* at = static_cast<char*>(out);
    while (count > 0) {
        const ssize_t got = pread(m_file.handle(), at, count, off_t(offset));
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            return false;
        at += got;
        offset += quint64(got);
        count -= quint64(got);
    }
    return true;
}

}  // namespace platform
