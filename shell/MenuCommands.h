#pragma once

class QWidget;

// The handlers that serve the same button on both menu pages; `page` is the page pressed.
// The user-setting window of the menu mode; its "Close" re-runs the shown menu page's rule.
// The page decides whether the wait cursor is up around it.
void RunUserSettingDialog(QWidget* page);
void OnCalibrationSettingManager(QWidget* page);
void OnPcxFileDownloader(QWidget* page);
void OnFileTransferManager(QWidget* page);
void OnCommunicationTool(QWidget* page);
void OnCommandTester(QWidget* page);
void OnRfidSetConfiguration(QWidget* page);
void OnRfidWriteRead(QWidget* page);
