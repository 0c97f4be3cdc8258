#pragma once

#include "ui/Dialog.h"

#include "ui_CRFIDWriteRead.h"

#include <QString>
#include <array>

// Writes data into the tag, unlocks it, locks its areas with the EPC Gen2 lock payload and
// changes its passwords; each write ends with one printed label.
class CRFIDWriteRead : public ui::Dialog {
    Q_OBJECT
public:
    explicit CRFIDWriteRead(QWidget* parent = nullptr);

    bool OnInitDialog() override;
    void DoDataExchange(ui::DataExchange& dx) override;

    int m_nCellChars = 0;
    int m_nFormat = -1;
    int m_nByteCountIndex = -1;
    int m_nStartBlock = -1;
    std::array<QString, 64> m_strCell;
    QString m_strAccessPassword;
    QString m_strKillPassword;
    int m_bData = 0;
    int m_bLockCommand = 0;
    std::array<int, 20> m_bLockBox{};  // in the order of rfid::kLockBoxIds
    int m_bUnlock = 0;
    int m_nDataKind = -1;

private:
    void OnSetPassword();
    void OnSetData();
    void OnResetData();
    void OnCellChange(int position);
    void OnDataCheck();
    void OnLockCommandCheck();
    void OnUnlockCheck();
    void OnEpcData();
    void OnUserData();
    void OnWriteTag();
    void OnPopupReadDialog();

    void EnableWrite();
    void EnableCells(int first, int count);
    void EnableRangeControls(bool enable);

    Ui::CRFIDWriteRead m_ui;
};
