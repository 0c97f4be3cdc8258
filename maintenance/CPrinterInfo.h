#pragma once

#include "ui/Dialog.h"

#include "ui_CPrinterInfo.h"

class QProgressBar;

// The printer-information page ("Others", "Printer Info"): model, firmware and usage
// counters, the counter resets and the USB serial number.
class CPrinterInfo : public ui::Dialog {
    Q_OBJECT
public:
    explicit CPrinterInfo(QWidget* parent = nullptr);
    ~CPrinterInfo() override;

    bool OnInitDialog() override;
    void DoDataExchange(ui::DataExchange& dx) override;

    QProgressBar* m_progress = nullptr;
    QString m_strModel;
    QString m_strFirmware;
    QString m_strMotorFeed;
    QString m_strMotorTotal;
    QString m_strTphEnergize;
    QString m_strTphTotal;
    QString m_strCutter;
    QString m_strCutterTotal;
    QString m_strUsbSerial;

private:
    void OnGetPrinterInfo();
    void OnInitMotorStat();
    void OnInitTphStat();
    void OnInitCutterStat();
    void OnSetUsbSerialNumber();
    void StepProgress();

    Ui::CPrinterInfo m_ui;
};
