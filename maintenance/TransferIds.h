#pragma once

// Control ids of the file transfer, the picture download and the picture preview. The two
// transfer windows give the same ids to the controls they share.
inline constexpr int IDC_FILE_PATH = 1013;
inline constexpr int IDC_SELECT_FILE = 1011;
inline constexpr int IDC_FILE_NAME = 1015;
inline constexpr int IDC_FILE_SIZE = 1016;
inline constexpr int IDC_PROGRESS = 1017;
inline constexpr int IDC_DOWNLOAD = 1020;
inline constexpr int IDC_CLOSE = 1004;

// The picture download only.
inline constexpr int IDC_STORE_NAME = 1026;
inline constexpr int IDC_DELETE_IMAGE = 1027;
inline constexpr int IDC_DELETE_ALL = 1028;
inline constexpr int IDC_DELETE_NAME = 1029;
inline constexpr int IDC_POS_X = 1030;
inline constexpr int IDC_POS_Y = 1031;
inline constexpr int IDC_RECALL = 1032;
inline constexpr int IDC_INFORMATION = 1033;
inline constexpr int IDC_RECALL_NAME = 1501;

// The picture preview.
inline constexpr int IDC_DITHER = 1131;
inline constexpr int IDC_VIEW = 1132;
inline constexpr int IDC_IMAGE_PATH = 1133;
