#pragma once

#include <QString>

// What the file transfer and the picture download show: their strings in
// resources/strings.txt and the file information texts.
inline constexpr int IDS_CANT_OPEN_FILE = 107;             // "Can't open file!"
inline constexpr int IDS_PCX_DOWNLOAD_COMPLETED = 146;     // "PCX file download is completed."
inline constexpr int IDS_PCX_DOWNLOAD_FAILED = 149;        // "PCX file download is failed."
inline constexpr int IDS_SELECT_PCX_FILES = 147;           // "Please, Select PCX files!"
inline constexpr int IDS_TYPE_IMAGE_NAME = 148;            // "Please, type image name!"
inline constexpr int IDS_FILE_DOWNLOAD_COMPLETED = 237;    // "File download is completed."
inline constexpr int IDS_FILE_DOWNLOAD_FAILED = 239;       // "File download is failed."
inline constexpr int IDS_SELECT_A_FILE = 238;              // "Please, select a file!"

inline QString NoFileNameText() { return QStringLiteral("None"); }
inline QString NoFileSizeText() { return QStringLiteral("0 Byte"); }
// The file length's low 32 bits, as the size line shows it.
inline QString FileSizeText(qint64 length) { return QStringLiteral("%1 Bytes").arg(static_cast<quint32>(length)); }
