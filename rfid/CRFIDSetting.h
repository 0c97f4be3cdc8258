#pragma once

#include "ui/Dialog.h"

#include "ui_CRFIDSetting.h"

#include <QString>

namespace rfid {
struct EncoderSettings;
}

// Reads and sets the RFID encoder's tag type, writing power, transponder position, retries
// and labels, and starts its automatic calibration.
class CRFIDSetting : public ui::Dialog {
    Q_OBJECT
public:
    static constexpr int kQueryWaitMs = 100;

    explicit CRFIDSetting(QWidget* parent = nullptr);

    void DoDataExchange(ui::DataExchange& dx) override;

    int m_nTagType = -1;
    int m_nPowerIndex = -1;
    QString m_strPosition;
    int m_nRetry = -1;
    int m_nLabels = -1;

private:
    void OnGetRfid();
    void OnSetRfid();
    void OnRfidDefaults();
    void OnAutoCalibrateRfid();
    void ShowSettings(const rfid::EncoderSettings& settings);

    Ui::CRFIDSetting m_ui;
};
