#include "maintenance/CUserSetting_ZII_BasicTab.h"

#include "core/Globals.h"
#include "link/Comm.h"
#include "maintenance/FieldBoxes.h"
#include "maintenance/SettingCommands.h"
#include "platform/Services.h"
#include "ui/DataExchange.h"
#include "ui/ResourceText.h"
#include "ui/WaitCursor.h"

#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <algorithm>
#include <cstring>
#include <functional>

namespace {

constexpr int IDC_CHECK_WIDTH = 1049;
constexpr int IDC_CHECK_HEIGHT = 1050;
constexpr int IDC_CHECK_ORIENTATION = 1052;
constexpr int IDC_CHECK_SPEED = 1053;
constexpr int IDC_CHECK_DARKNESS = 1054;
constexpr int IDC_CHECK_PRINT_MODE = 1055;
constexpr int IDC_CHECK_MEDIA_TYPE = 1056;
constexpr int IDC_CHECK_TEAR_OFF = 1057;
constexpr int IDC_CHECK_PRINT_OFFSET = 1059;
constexpr int IDC_WIDTH = 1060;
constexpr int IDC_HEIGHT = 1061;
constexpr int IDC_ORIENTATION = 1062;
constexpr int IDC_SPEED = 1064;
constexpr int IDC_DARKNESS = 1065;
constexpr int IDC_PRINT_MODE = 1066;
constexpr int IDC_MEDIA_TYPE = 1067;
constexpr int IDC_TEAR_OFF = 1068;
constexpr int IDC_PRINT_OFFSET = 1069;
constexpr int IDC_GET = 1086;
constexpr int IDC_SET = 1514;

constexpr FieldBox kFields[] = {
    {IDC_CHECK_WIDTH, IDC_WIDTH},           {IDC_CHECK_HEIGHT, IDC_HEIGHT},
    {IDC_CHECK_ORIENTATION, IDC_ORIENTATION}, {IDC_CHECK_SPEED, IDC_SPEED},
    {IDC_CHECK_DARKNESS, IDC_DARKNESS},     {IDC_CHECK_PRINT_MODE, IDC_PRINT_MODE},
    {IDC_CHECK_MEDIA_TYPE, IDC_MEDIA_TYPE}, {IDC_CHECK_TEAR_OFF, IDC_TEAR_OFF},
    {IDC_CHECK_PRINT_OFFSET, IDC_PRINT_OFFSET},
};

// The lock boxes with their lock items, in the order the locks are cleared and set.
struct LockBox {
    int box;
    std::uint8_t item;
};
constexpr LockBox kLockBoxes[] = {
    {1087, setting::LockLabelWidth}, {1091, setting::LockPrintSpeed},
    {1092, setting::LockDarkness},   {1094, setting::LockMediaType},
    {1095, setting::LockTearOff},    {1096, setting::LockPrintOffset},
};

constexpr int kReplySize = 256;

int modelFamily()
{
    return g_curModelInfo ? g_curModelInfo->m_nMenuViewId : 101;
}

void select(QComboBox* combo, std::optional<int> position)
{
    if (position && *position < combo->count())
        combo->setCurrentIndex(*position);
}

}  // namespace

CUserSetting_ZII_BasicTab::CUserSetting_ZII_BasicTab(QWidget* parent) : ui::Dialog(parent)
{
    m_ui.setupUi(this);
    for (const FieldBox& f : kFields)
        onCommand(f.box, &CUserSetting_ZII_BasicTab::OnCheckField);
    onCommand(IDC_GET, &CUserSetting_ZII_BasicTab::OnGetFromPrinter);
    onCommand(IDC_SET, &CUserSetting_ZII_BasicTab::OnSetToPrinter);
    for (int id : {IDC_WIDTH, IDC_HEIGHT, IDC_TEAR_OFF})
        GetDlgItem(id)->installEventFilter(this);
}

bool CUserSetting_ZII_BasicTab::OnInitDialog()
{
    ui::Dialog::OnInitDialog();
    FillBasicLists();
    UpdateData(false);
    return true;
}

void CUserSetting_ZII_BasicTab::DoDataExchange(ui::DataExchange& dx)
{
    ui::DDX_Text(dx, IDC_WIDTH, m_fLabelWidth);
    ui::DDX_Text(dx, IDC_HEIGHT, m_fLabelHeight);
    ui::DDX_Text(dx, IDC_TEAR_OFF, m_nTearOff);
    ui::DDX_Text(dx, IDC_PRINT_OFFSET, m_nPrintOffset);
}

QComboBox* CUserSetting_ZII_BasicTab::list(int id) const
{
    return item<QComboBox>(id);
}

void CUserSetting_ZII_BasicTab::FillBasicLists()
{
    FillComboFromResource(251, list(IDC_ORIENTATION));
    FillComboFromList(list(IDC_SPEED), g_curModelInfo ? g_curModelInfo->m_strSpeeds : QString(),
                      QStringLiteral(","));
    list(IDC_DARKNESS)->clear();
    list(IDC_DARKNESS)->addItems(zplsetting::DarknessEntries(g_language));
    // Like the filled lists, darkness starts with no entry chosen.
    list(IDC_DARKNESS)->setCurrentIndex(-1);
    FillComboFromResource(252, list(IDC_PRINT_MODE));
    FillComboFromResource(253, list(IDC_MEDIA_TYPE));
}

void CUserSetting_ZII_BasicTab::OnCheckField()
{
    FollowFieldBoxes(*this, kFields);
    EnableDlgItem(IDC_SET, true);
}

void CUserSetting_ZII_BasicTab::CheckAllFields()
{
    for (const FieldBox& f : kFields) {
        CheckDlgButton(f.box, true);
        EnableDlgItem(f.control, true);
    }
    EnableDlgItem(IDC_SET, true);
}

bool CUserSetting_ZII_BasicTab::IsNothingChecked() const
{
    return std::none_of(std::begin(kFields), std::end(kFields),
                        [this](const FieldBox& f) { return IsDlgButtonChecked(f.box); });
}

void CUserSetting_ZII_BasicTab::OnGetFromPrinter()
{
    ui::WaitCursor wait;
    CheckAllFields();
    platform::Clock& clock = platform::clock();
    char reply[kReplySize] = {};

    // Each reply is applied only when the read brought bytes, and only those bytes count.
    auto ask = [&](const QByteArray& query, const std::function<void(int)>& apply) {
        g_comm.Write(query);
        clock.sleep(70);
        std::memset(reply, 0, sizeof reply);
        const int n = setting::ReadReply(reply, kReplySize);
        if (n > 0)
            apply(n);
        clock.sleep(80);
    };
    auto number = [&](auto& field) {
        return [&](int n) { field = setting::DecimalReply(reply, n); };
    };

    ask(setting::SettingQuery(setting::QueryLabelWidth), number(m_fLabelWidth));
    ask(setting::SettingQuery(setting::QueryLabelHeight), number(m_fLabelHeight));
    if (modelFamily() == zplsetting::kFamilyParameterOrientation) {
        ask(setting::ParameterQuery(setting::ParamOrientation), [&](int n) {
            select(list(IDC_ORIENTATION), zplsetting::OrientationParameter(reply, n));
        });
    } else {
        ask(setting::SettingQuery(setting::QueryOrientation), [&](int n) {
            select(list(IDC_ORIENTATION), zplsetting::OrientationReply(reply, n));
        });
    }
    ask(setting::SettingQuery(setting::QueryPrintSpeed), [&](int n) {
        SelectComboByValue(list(IDC_SPEED), setting::DecimalReply(reply, n));
    });
    ask(setting::SettingQuery(setting::QueryDarkness), [&](int n) {
        select(list(IDC_DARKNESS), zplsetting::DarknessReply(reply, n));
    });
    ask(setting::SettingQuery(setting::QueryPrintMode), [&](int n) {
        select(list(IDC_PRINT_MODE), zplsetting::PrintModeReply(reply, n));
    });
    ask(setting::SettingQuery(setting::QueryMediaType), [&](int n) {
        select(list(IDC_MEDIA_TYPE), zplsetting::MediaTypeReply(reply, n));
    });
    ask(setting::SettingQuery(setting::QueryTearOff), number(m_nTearOff));
    ask(setting::SettingQuery(setting::QueryPrintOffset), number(m_nPrintOffset));

    g_comm.Write(setting::LockStatusQuery());
    clock.sleep(70);
    std::memset(reply, 0, sizeof reply);
    const int n = setting::ReadReply(reply, kReplySize);
    // A reply too short to hold the lock bytes counts as none.
    if (const auto locks = n > 0 ? setting::LockByte(reply, n) : std::nullopt) {
        for (const LockBox& lock : kLockBoxes)
            CheckDlgButton(lock.box, setting::IsLocked(*locks, lock.item));
    }

    clock.sleep(30);
    UpdateData(false);
}

zplsetting::BasicSettings CUserSetting_ZII_BasicTab::WindowSettings() const
{
    zplsetting::BasicSettings s;
    s.width = IsDlgButtonChecked(IDC_CHECK_WIDTH);
    s.labelWidth = m_fLabelWidth;
    s.height = IsDlgButtonChecked(IDC_CHECK_HEIGHT);
    s.labelHeight = m_fLabelHeight;
    s.orientation = IsDlgButtonChecked(IDC_CHECK_ORIENTATION);
    s.orientationPosition = list(IDC_ORIENTATION)->currentIndex();
    s.speed = IsDlgButtonChecked(IDC_CHECK_SPEED);
    s.speedEntry = list(IDC_SPEED)->currentIndex() >= 0 ? list(IDC_SPEED)->currentText() : QString();
    s.darkness = IsDlgButtonChecked(IDC_CHECK_DARKNESS);
    s.darknessPosition = list(IDC_DARKNESS)->currentIndex();
    s.printMode = IsDlgButtonChecked(IDC_CHECK_PRINT_MODE);
    s.printModePosition = list(IDC_PRINT_MODE)->currentIndex();
    s.mediaType = IsDlgButtonChecked(IDC_CHECK_MEDIA_TYPE);
    s.mediaTypePosition = list(IDC_MEDIA_TYPE)->currentIndex();
    s.tearOff = IsDlgButtonChecked(IDC_CHECK_TEAR_OFF);
    s.tearOffDots = m_nTearOff;
    s.printOffset = IsDlgButtonChecked(IDC_CHECK_PRINT_OFFSET);
    s.printOffsetDots = m_nPrintOffset;
    return s;
}

void CUserSetting_ZII_BasicTab::OnSetToPrinter()
{
    UpdateData(true);
    ui::WaitCursor wait;
    for (const LockBox& lock : kLockBoxes)
        g_comm.Write(setting::SettingLock(false, lock.item));

    const zplsetting::BasicSettings settings = WindowSettings();
    const int family = modelFamily();
    const QString text = zplsetting::BasicSettingText(settings, g_language, family);
    // With no field box checked only the locks are applied.
    if (!text.isEmpty()) {
        g_comm.WriteString(text, int(text.size()));
        platform::clock().sleep(500);
    }

    for (const LockBox& lock : kLockBoxes)
        g_comm.Write(setting::SettingLock(IsDlgButtonChecked(lock.box), lock.item));
    if (settings.orientation && family == zplsetting::kFamilyParameterOrientation)
        g_comm.Write(setting::ParameterSet(setting::ParamOrientation,
                                   settings.orientationPosition == 1 ? 1 : 0));
    UpdateData(false);
}

bool CUserSetting_ZII_BasicTab::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::KeyPress)
        return ui::Dialog::eventFilter(watched, event);
    const auto* key = static_cast<QKeyEvent*>(event);
    const bool keypad = key->modifiers() & Qt::KeypadModifier;
    const int code = key->key();
    bool passes = (code >= Qt::Key_0 && code <= Qt::Key_9) || code == Qt::Key_Backspace ||
                  code == Qt::Key_Delete || code == Qt::Key_Home || code == Qt::Key_End ||
                  code == Qt::Key_Left || code == Qt::Key_Right ||
                  (code == Qt::Key_Period && !keypad);
    if (watched == GetDlgItem(IDC_TEAR_OFF))
        passes = passes || code == Qt::Key_Plus || code == Qt::Key_Minus;
    return !passes;  // a dropped key reaches nothing
}
