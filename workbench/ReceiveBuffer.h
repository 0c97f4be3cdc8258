#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

// The bytes read from the printer, kept raw in one block that only grows until cleared,
// and their text view.
class ReceiveBuffer {
public:
    enum class DataType { Hex, Ascii };

    void append(const void* data, qsizetype length);
    void clear();  // frees the block
    bool isEmpty() const { return m_pReceived.isEmpty(); }
    qsizetype size() const { return m_pReceived.size(); }
    QByteArrayView bytes() const { return m_pReceived; }

    // Two lower-case hex digits per byte, or the character 0x21-0x7E with "." for every
    // other byte; after the n-th byte "\r\n" when n is a multiple of 20, else "\t" when a
    // multiple of 4, else a blank.
    static QString format(QByteArrayView bytes, DataType type);
    QString format(DataType type) const { return format(m_pReceived, type); }

private:
    QByteArray m_pReceived;
};
