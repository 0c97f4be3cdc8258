#pragma once

#include <QFile>
#include <QString>
#include <QtGlobal>

namespace platform {

// The bytes of a file at any offset, read as they are needed, unbuffered: the picture checks
// read headers only.
class FileBytes {
public:
    explicit FileBytes(const QString& path);
    bool isOpen() const { return m_file.isOpen(); }
    quint64 size() const { return m_size; }

    // False when the bytes are not all in the file or cannot be read.
    bool read(quint64 offset, void* out, quint64 count) const;

private:
    QFile m_file;
    quint64 m_size = 0;
};

}  // namespace platform
