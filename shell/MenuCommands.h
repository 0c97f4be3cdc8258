#pragma once

class QWidget;

// The handlers that serve the same button on both menu pages; `page` is the page pressed.
void OnCalibrationSettingManager(QWidget* page);
void OnPcxFileDownloader(QWidget* page);
void OnFileTransferManager(QWidget* page);
void OnCommunicationTool(QWidget* page);
void OnCommandTester(QWidget* page);
void OnRfidSetConfiguration(QWidget* page);
void OnRfidWriteRead(QWidget* page);
