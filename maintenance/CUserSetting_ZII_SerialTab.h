#pragma once

#include "ui/Dialog.h"

#include "ui_CUserSetting_ZII_SerialTab.h"

// The "Interface" page: the printer's serial parameters and its Bluetooth settings, either
// of the built-in module or of a USB dongle. Its buttons act on the checked groups only.
class CUserSetting_ZII_SerialTab : public ui::Dialog {
    Q_OBJECT
public:
    explicit CUserSetting_ZII_SerialTab(QWidget* parent = nullptr);

    bool OnInitDialog() override;
    void DoDataExchange(ui::DataExchange& dx) override;

    int m_bSerial = 0;      // box 1100
    int m_bBluetooth = 0;   // box 1101
    int m_bUsbDongle = 0;   // box 1134
    int m_nBaud = -1;
    int m_nDataBits = -1;
    int m_nParity = -1;
    int m_nStopBits = -1;
    int m_nProtocol = -1;
    QString m_strDeviceName;
    int m_nEncryption = -1;
    int m_nConnection = -1;
    int m_nRole = -1;
    int m_nSsp = -1;
    QString m_strPinCode;
    QString m_strMacAddress;

private:
    void FillSerialLists();
    void EnableCheckedGroups();
    void OnGet();
    void OnSet();
    void OnDefaultSetting();
    void OnUsbDongleType();
    void OnSspModeChange();
    void GetBluetoothSettings(bool usbDongle);
    void SetBluetoothSettings(bool usbDongle);

    void GetSerialSettings();
    void SetSerialSettings();
    // Sends a query, waits 70 ms and reads up to 64 bytes into m_reply; the count read.
    int BluetoothQuery(const QByteArray& query);
    QString ReplyString(const QByteArray& text) const;
    // The entry of the list that equals `text`, or `current` when none does.
    int EntryIndex(int listId, const QString& text, int current) const;

    char m_reply[64] = {};
    Ui::CUserSetting_ZII_SerialTab m_ui;
};
