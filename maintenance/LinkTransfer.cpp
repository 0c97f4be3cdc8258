#include "maintenance/LinkTransfer.h"

#include "link/Comm.h"

#include <QFile>
#include <QProgressBar>
#include <algorithm>
#include <new>

std::optional<QByteArray> LinkTransfer::readRest(QFile& file, qint64 offset)
{
    if (file.size() > kMaxBytes)
        return std::nullopt;
    try {
        file.seek(offset);
        QByteArray bytes = file.readAll();
        if (file.error() != QFileDevice::NoError)
            return std::nullopt;
        return bytes;
    } catch (const std::bad_alloc&) {
        return std::nullopt;
    }
}

bool LinkTransfer::holdUsb()
{
    if (g_comm.m_nPortType != PORT_USB)
        return false;
    g_comm.m_bUsbHold = true;
    g_comm.Open();
    return true;
}

void LinkTransfer::releaseUsb(bool held)
{
    if (!held)
        return;
    g_comm.m_bUsbHold = false;
    g_comm.Close();
}

LinkTransfer::Span::Span()
{
    g_comm.m_socket.m_bTransfer = true;
}

LinkTransfer::Span::~Span()
{
    g_comm.m_socket.m_bTransfer = false;
}

bool LinkTransfer::sendThroughLink(const QByteArray& data, int pieceSize, QProgressBar& bar)
{
    const qint64 count = data.size();
    const qint64 pieces = count / pieceSize;
    bar.setRange(0, barRange(pieces));
    bar.setValue(0);
    if (g_comm.m_nPortType == PORT_ETHERNET) {
        bar.setValue(std::min(kEthernetBarPosition, bar.maximum()));
        return g_comm.Write(data.constData(), static_cast<int>(count)) == count;
    }
    send(
        data.constData(), count, pieceSize, [](const char* p, int n) { g_comm.Write(p, n); },
        [&bar, pieces](qint64 done) { bar.setValue(barPosition(done, pieces)); });
    return true;
}

void LinkTransfer::send(const char* data, qint64 count, int pieceSize, const Writer& write,
                        const PieceDone& pieceDone)
{
    const qint64 pieces = count / pieceSize;
    for (qint64 i = 0; i < pieces; ++i) {
        write(data + i * pieceSize, pieceSize);
        if (pieceDone)
            pieceDone(i + 1);
    }
    write(data + pieces * pieceSize, static_cast<int>(count % pieceSize));
}

int LinkTransfer::barRange(qint64 pieces)
{
    // Qt draws a range of 0 to 0 as "busy" for good; a file of no whole piece gets 0 to 1.
    return static_cast<int>(std::clamp<qint64>(pieces, 1, kMaxBarRange));
}

int LinkTransfer::barPosition(qint64 done, qint64 pieces)
{
    if (pieces <= kMaxBarRange)
        return static_cast<int>(done);
    return static_cast<int>(done * kMaxBarRange / pieces);
}
