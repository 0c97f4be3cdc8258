#pragma once

#include <QtGlobal>
#include <functional>

// How the file transfer and the picture download send a buffer on a link that takes it in
// pieces, and how their progress bar (16-bit bounds) follows the pieces.
class PieceTransfer {
public:
    static constexpr int kMaxBarRange = 0xFFFF;

    using Writer = std::function<void(const char* data, int length)>;
    // Called with the number of whole pieces sent so far.
    using PieceDone = std::function<void(qint64 done)>;

    // Writes the whole pieces in order, then the remainder (possibly no bytes) in one last
    // write.
    static void send(const char* data, qint64 count, int pieceSize, const Writer& write,
                     const PieceDone& pieceDone);

    // The bar's upper bound for `pieces`: the count itself, at least 1 and at most 65535.
    static int barRange(qint64 pieces);
    // The bar's position after `done` of `pieces`, scaled when the count exceeds the range.
    static int barPosition(qint64 done, qint64 pieces);
};
