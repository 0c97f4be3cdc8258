#pragma once

#include <QByteArray>
#include <QtGlobal>
#include <functional>
#include <optional>

class QFile;
class QProgressBar;

// How the file transfer and the picture download move a whole file to the printer: read
// into memory, the USB link held open, one send on TCP or pieces elsewhere, and a progress
// bar (16-bit bounds) that follows the pieces.
class LinkTransfer {
public:
    // The most one transfer holds in memory and hands to the link in one write.
    static constexpr qint64 kMaxBytes = 0x7FFFFFFF;
    static constexpr int kMaxBarRange = 0xFFFF;
    static constexpr int kEthernetBarPosition = 20;

    // The span of one transfer: while it lasts, a TCP send waits for a printer that pauses.
    class Span {
    public:
        Span();
        ~Span();
        Span(const Span&) = delete;
        Span& operator=(const Span&) = delete;
    };

    using Writer = std::function<void(const char* data, int length)>;
    // Called with the number of whole pieces sent so far.
    using PieceDone = std::function<void(qint64 done)>;

    // The open file from `offset` to its end; none when it is larger than kMaxBytes, memory
    // runs out or the read fails.
    static std::optional<QByteArray> readRest(QFile& file, qint64 offset);

    // On a USB link: the hold set and the link opened for one transfer; true when held.
    static bool holdUsb();
    static void releaseUsb(bool held);

    // Through the link: one write on TCP with the bar at its fixed position, else whole
    // pieces with the bar stepping after each and the remainder in one last write. The
    // bar's range is set from the pieces first. False when the link took fewer bytes than
    // `data` holds (a TCP send that failed; the other links end the program instead).
    static bool sendThroughLink(const QByteArray& data, int pieceSize, QProgressBar& bar);

    // Writes the whole pieces in order, then the remainder (possibly no bytes) in one last
    // write.
    static void send(const char* data, qint64 count, int pieceSize, const Writer& write,
                     const PieceDone& pieceDone);

    // The bar's upper bound for `pieces`: the count itself, at least 1 and at most 65535.
    static int barRange(qint64 pieces);
    // The bar's position after `done` of `pieces`, scaled when the count exceeds the range.
    static int barPosition(qint64 done, qint64 pieces);
};
