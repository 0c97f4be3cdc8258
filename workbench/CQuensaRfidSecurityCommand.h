#pragma once

#include "ui/Dialog.h"

#include "ui_CQuensaRfidSecurityCommand.h"

#include <array>

// Builds the tag lock: the EPC Gen2 lock payload from twenty boxes (">RFLP,"), or the
// automatic lock and unlock (">RFLK", ">RFUL").
class CQuensaRfidSecurityCommand : public ui::Dialog {
    Q_OBJECT
public:
    explicit CQuensaRfidSecurityCommand(QWidget* parent = nullptr);

    bool OnInitDialog() override;
    void DoDataExchange(ui::DataExchange& dx) override;

    int m_bReopened = 0;
    int m_bInserted = 0;
    std::array<int, 20> m_bLockBox{};  // in the order of rfid::kLockBoxIds
    int m_bUnlock = 0;
    int m_nMode = -1;        // 0 payload, 1 automatic
    int m_nAutoAction = -1;  // 0 lock, 1 unlock

private:
    void OnInsertToLabel();
    void OnPayloadMode();
    void OnAutoMode();
    void OnAutoLock();
    void OnAutoUnlock();
    void OnUnlockCheck();
    void EnablePayload(bool enable);

    Ui::CQuensaRfidSecurityCommand m_ui;
};
