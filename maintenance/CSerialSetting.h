#pragma once

#include "ui/Dialog.h"

#include "ui_CSerialSetting.h"

// Menu mode 0's "Interface" page: the serial parameters in memory switch 2.
class CSerialSetting : public ui::Dialog {
    Q_OBJECT
public:
    explicit CSerialSetting(QWidget* parent = nullptr);

    void DoDataExchange(ui::DataExchange& dx) override;

    void OnGetSerial();
    void OnSetSerial();
    void OnDefaultSerial();
    bool WriteSerialSwitch();

    int m_nDataLength = -1;
    int m_nHandshake = -1;
    int m_nParityCheck = -1;
    int m_nParitySelection = -1;
    int m_nStopBit = -1;
    int m_nBaudChoice = -1;

private:
    void enableFields();

    Ui::CSerialSetting m_ui;
};
