#pragma once

#include "maintenance/HardwareInfoCommands.h"
#include "ui/Dialog.h"

#include "ui_CHardwareInfoSetting.h"

// Menu mode 0's "Hardware Info" page: the hardware version, serial number and printer ID
// records, each read, written and reset on its own.
class CHardwareInfoSetting : public ui::Dialog {
    Q_OBJECT
public:
    explicit CHardwareInfoSetting(QWidget* parent = nullptr);

    void DoDataExchange(ui::DataExchange& dx) override;

    void OnGetHwVersion() { getRecord(hwinfo::HardwareVersion); }
    void OnGetSerialNumber() { getRecord(hwinfo::SerialNumber); }
    void OnGetPrinterId() { getRecord(hwinfo::PrinterId); }
    void OnSetHwVersion() { setRecord(hwinfo::HardwareVersion); }
    void OnSetSerialNumber() { setRecord(hwinfo::SerialNumber); }
    void OnSetPrinterId() { setRecord(hwinfo::PrinterId); }
    void OnInitHwVersion() { initRecord(hwinfo::HardwareVersion); }
    void OnInitSerialNumber() { initRecord(hwinfo::SerialNumber); }
    void OnInitPrinterId() { initRecord(hwinfo::PrinterId); }
    void OnChangeHwVersion() { limitRecord(hwinfo::HardwareVersion); }
    void OnChangeSerialNumber() { limitRecord(hwinfo::SerialNumber); }
    void OnChangePrinterId() { limitRecord(hwinfo::PrinterId); }

    QString m_strHwVersion;
    QString m_strPrinterId;
    QString m_strSerialNumber;

private:
    QString& field(hwinfo::Record record);
    void getRecord(hwinfo::Record record);
    void setRecord(hwinfo::Record record);
    void initRecord(hwinfo::Record record);
    void limitRecord(hwinfo::Record record);
    void report(hwinfo::Record record, int success, bool sent);

    Ui::CHardwareInfoSetting m_ui;
};
