#include "rfid/CRFIDSetting.h"

#include "link/Comm.h"
#include "platform/Services.h"
#include "rfid/RfidSettingCommands.h"
#include "rfid/RfidMessages.h"
#include "ui/DataExchange.h"
#include "ui/MessageBox.h"
#include "ui/StringTable.h"
#include "workbench/RfidCommands.h"

#include <algorithm>

namespace {

constexpr int IDC_GET = 1002;
constexpr int IDC_SET = 1003;
constexpr int IDC_DEFAULTS = 1152;
constexpr int IDC_AUTO_CALIBRATION = 1266;
constexpr int IDC_POSITION = 1237;
constexpr int IDC_TAG_TYPE = 1255;
constexpr int IDC_POWER = 1256;
constexpr int IDC_RETRY = 1259;
constexpr int IDC_LABELS = 1260;

bool send(const QString& text)
{
    return g_comm.WriteString(text, static_cast<int>(text.size())) != 0;
}

}  // namespace

CRFIDSetting::CRFIDSetting(QWidget* parent) : ui::Dialog(parent)
{
    m_ui.setupUi(this);
    onCommand(IDC_GET, &CRFIDSetting::OnGetRfid);
    onCommand(IDC_SET, &CRFIDSetting::OnSetRfid);
    onCommand(IDC_DEFAULTS, &CRFIDSetting::OnRfidDefaults);
    onCommand(IDC_AUTO_CALIBRATION, &CRFIDSetting::OnAutoCalibrateRfid);
}

void CRFIDSetting::DoDataExchange(ui::DataExchange& dx)
{
    ui::DDX_CBIndex(dx, IDC_TAG_TYPE, m_nTagType);
    ui::DDX_CBIndex(dx, IDC_POWER, m_nPowerIndex);
    ui::DDX_Text(dx, IDC_POSITION, m_strPosition);
    ui::DDX_CBIndex(dx, IDC_RETRY, m_nRetry);
    ui::DDX_CBIndex(dx, IDC_LABELS, m_nLabels);
}

void CRFIDSetting::ShowSettings(const rfid::EncoderSettings& settings)
{
    m_nTagType = settings.tagType;
    m_nPowerIndex = settings.powerIndex;
    m_strPosition = settings.position;
    m_nRetry = settings.retry;
    m_nLabels = settings.labels;
    UpdateData(false);
}

void CRFIDSetting::OnGetRfid()
{
    rfid::EncoderSettings settings{m_nTagType, m_nPowerIndex, m_strPosition, m_nRetry, m_nLabels};
    bool lastAnswered = false;
    for (int n = 1; n <= rfid::kSettingQueries; ++n) {
        char reply[rfid::kSettingReplyBytes] = {};
        send(rfid::EncoderSettingQuery(n));
        platform::clock().sleep(kQueryWaitMs);
        const int count = std::clamp(g_comm.Read(reply, rfid::kSettingReplyBytes), 0,
                                     rfid::kSettingReplyBytes);
        rfid::ApplyEncoderSettingReply(n, reply, count, settings);
        lastAnswered = count > 0;
    }
    // The last reply decides; without it nothing read is shown.
    if (!lastAnswered) {
        ui::MessageBox(ui::LoadString(rfid::IDS_RFID_GET_FAILED));
        return;
    }
    ShowSettings(settings);
    if (!GetDlgItem(IDC_SET)->isEnabled()) {
        for (int id : {IDC_TAG_TYPE, IDC_POWER, IDC_POSITION, IDC_RETRY, IDC_LABELS, IDC_SET})
            EnableDlgItem(id, true);
    }
    ui::MessageBox(ui::LoadString(rfid::IDS_RFID_GET_SUCCESS), platform::AlertIcon::Information);
}

void CRFIDSetting::OnSetRfid()
{
    UpdateData(true);
    const QString text = rfid::EncoderSettingsCommand(
        {m_nTagType, m_nPowerIndex, m_strPosition, m_nRetry, m_nLabels});
    rfid::ShowOutcome(send(text), rfid::IDS_RFID_SET_SUCCESS, rfid::IDS_RFID_SET_FAILED);
}

void CRFIDSetting::OnRfidDefaults()
{
    ShowSettings(rfid::DefaultEncoderSettings());
}

void CRFIDSetting::OnAutoCalibrateRfid()
{
    rfid::ShowOutcome(send(rfid::AutoCalibrationCommand()), rfid::IDS_RFID_CALIBRATION_SUCCESS,
               rfid::IDS_RFID_CALIBRATION_FAILED);
}
