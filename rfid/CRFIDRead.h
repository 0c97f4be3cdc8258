#pragma once

#include "ui/Dialog.h"

#include "ui_CRFIDRead.h"

#include <QString>
#include <array>

// Reads a range of the tag's bytes into the RFID data grid, or has the printer print it.
class CRFIDRead : public ui::Dialog {
    Q_OBJECT
public:
    // The reply's wait, and the pause after each full 16-byte piece on USB.
    static constexpr int kReplyWaitMs = 4000;
    static constexpr int kUsbPieceBytes = 16;
    static constexpr int kUsbPiecePauseMs = 200;
    static constexpr int kReplyBufferBytes = 256;

    explicit CRFIDRead(QWidget* parent = nullptr);

    bool OnInitDialog() override;
    void DoDataExchange(ui::DataExchange& dx) override;

    int m_nStartBlock = -1;
    int m_nByteCountIndex = -1;
    int m_nFormat = -1;
    int m_nDataKind = -1;
    int m_nTagKind = -1;
    std::array<QString, 64> m_strCell;

private:
    void OnReadTag();
    void OnPrintTag();
    void OnEpcData();
    void OnUserData();

    Ui::CRFIDRead m_ui;
};
