#include "maintenance/PieceTransfer.h"

#include <algorithm>

void PieceTransfer::send(const char* data, qint64 count, int pieceSize, const Writer& write,
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

int PieceTransfer::barRange(qint64 pieces)
{
    // Qt draws a range of 0 to 0 as "busy" for good; a file of no whole piece gets 0 to 1.
    return static_cast<int>(std::clamp<qint64>(pieces, 1, kMaxBarRange));
}

int PieceTransfer::barPosition(qint64 done, qint64 pieces)
{
    if (pieces <= kMaxBarRange)
        return static_cast<int>(done);
    return static_cast<int>(done * kMaxBarRange / pieces);
}
