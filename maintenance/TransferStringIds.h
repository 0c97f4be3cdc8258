#pragma once

// Strings of the file transfer and the picture download in resources/strings.txt.
inline constexpr int IDS_CANT_OPEN_FILE = 107;             // "Can't open file!"
inline constexpr int IDS_PCX_DOWNLOAD_COMPLETED = 146;     // "PCX file download is completed."
inline constexpr int IDS_SELECT_PCX_FILES = 147;           // "Please, Select PCX files!"
inline constexpr int IDS_TYPE_IMAGE_NAME = 148;            // "Please, type image name!"
inline constexpr int IDS_FILE_DOWNLOAD_COMPLETED = 237;    // "File download is completed."
inline constexpr int IDS_SELECT_A_FILE = 238;              // "Please, select a file!"
