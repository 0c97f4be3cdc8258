#include "shell/CZentrovaDlg.h"

#include "ui_CZentrovaDlg.h"

#include "link/Comm.h"
#include "maintenance/SettingCommands.h"
#include "platform/Services.h"
#include "shell/CMain_OstrelMenuView.h"
#include "shell/CMain_ZIIMenuView.h"
#include "shell/CPrefsStatic.h"
#include "core/Globals.h"
#include "shell/SpoolerJournal.h"
#include "shell/StringIds.h"
#include "shell/VersionStrings.h"
#include "ui/DataExchange.h"
#include "ui/IpAddressCtrl.h"
#include "ui/MessageBox.h"
#include "ui/StringTable.h"
#include "ui/WaitCursor.h"

#include <QApplication>
#include <QMouseEvent>
#include <QPalette>
#include <QRegularExpressionValidator>
#include <QWindow>
#include <initializer_list>

// Outside any namespace: the macro declares the resource library's init function.
static void initResources()
{
    Q_INIT_RESOURCE(resources);
}

namespace {

const QString kSection = QStringLiteral("CurrentSettings");

// The printer address of a first start.
constexpr int kDefaultOctets[4] = {192, 168, 1, 100};

enum : int {
    IDC_SERIAL = 1000,
    IDC_PARALLEL = 1001,
    IDC_USB = 1002,
    IDC_CONNECT = 1003,
    IDC_EXIT = 1004,
    IDC_CAPTION = 1005,
    IDC_COM_PORT = 1021,
    IDC_DISCONNECT = 1022,
    IDC_PAGE_FRAME = 1023,
    IDC_BAUD_RATE = 1024,
    IDC_DATA_BITS = 1025,
    IDC_PARITY = 1026,
    IDC_STOP_BITS = 1027,
    IDC_LPT_PORT = 1028,
    IDC_COPYRIGHT = 1066,
    IDC_BLUETOOTH = 1129,
    IDC_IP_ADDRESS = 1316,
    IDC_ETHERNET = 1435,
    IDC_TCP_PORT = 1436,
};

enum Interface { kSerial = 0, kParallel = 1, kUsb = 2, kEthernet = 3, kBluetooth = 4 };

// An index outside the list leaves it without a selection.
void selectIndex(QComboBox* combo, int index)
{
    combo->setCurrentIndex(index >= 0 && index < combo->count() ? index : -1);
}

void octetsOf(const ui::IpAddressCtrl* ctl, int octets[4])
{
    const std::uint32_t a = ctl->address();
    for (int i = 0; i < 4; ++i)
        octets[i] = int((a >> (24 - 8 * i)) & 0xFF);
}

void cannotOpenPort()
{
    ui::MessageBox(ui::LoadString(IDS_CANNOT_OPEN_PORT));
}

bool pageWindowExists(const _PageInfo* page)
{
    return page->m_pWnd && page->m_pWnd->parentWidget();
}

}  // namespace

CZentrovaDlg::CZentrovaDlg(QWidget* parent)
    : ui::Dialog(parent), m_ui(std::make_unique<Ui::CZentrovaDlg>())
{
    m_ui->setupUi(this);
    // No caption bar of its own, but a window of the task bar; the banner moves it.
    setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
    setFixedSize(size());
    m_ui->edtTcpPort->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), this));
    initResources();
    m_hIcon = QIcon(QStringLiteral(":/icons/zentrova.png"));

    for (int id : {IDC_SERIAL, IDC_PARALLEL, IDC_USB, IDC_ETHERNET, IDC_BLUETOOTH})
        onCommand(id, &CZentrovaDlg::OnInterfaceChanged);
    onCommand(IDC_CONNECT, &CZentrovaDlg::OnConnect);
    onCommand(IDC_DISCONNECT, &CZentrovaDlg::OnDisconnect);
    onCommand(IDC_EXIT, &CZentrovaDlg::OnExitButton);
    // The fatal write path ends the program from inside a handler: the queues go back first.
    m_nExitHook = platform::Process::addExitHook([this] { RestoreSpoolerPorts(); });
}

CZentrovaDlg::~CZentrovaDlg()
{
    platform::Process::removeExitHook(m_nExitHook);
    DestroyPages();
    m_arrPages.clear();
    RestoreSpoolerPorts();
}

void CZentrovaDlg::DoDataExchange(ui::DataExchange& dx)
{
    ui::Dialog::DoDataExchange(dx);
    ui::DDX_Radio(dx, IDC_SERIAL, m_nInterface);
    ui::DDX_Control(dx, IDC_LPT_PORT, m_cboLptPort);
    ui::DDX_Control(dx, IDC_COM_PORT, m_cboComPort);
    ui::DDX_Control(dx, IDC_BAUD_RATE, m_cboBaudRate);
    ui::DDX_Control(dx, IDC_DATA_BITS, m_cboDataBits);
    ui::DDX_Control(dx, IDC_PARITY, m_cboParity);
    ui::DDX_Control(dx, IDC_STOP_BITS, m_cboStopBits);
    ui::DDX_Control(dx, IDC_IP_ADDRESS, m_ctlIpAddress);
    ui::DDX_Text(dx, IDC_TCP_PORT, m_nTcpPort);
    ui::DDX_Control(dx, IDC_CAPTION, m_wndCaption);
    ui::DDX_Control(dx, IDC_PAGE_FRAME, m_wndPageFrame);
}

bool CZentrovaDlg::OnInitDialog()
{
    ui::Dialog::OnInitDialog();
    m_bWindowCreated = true;
    setWindowIcon(m_hIcon);

    InitCaptionBanner();
    SetDlgItemText(IDC_COPYRIGHT, m_strCopyright);
    setWindowTitle(g_menuMode == 1 ? m_strZiiTitle : m_strOstrelTitle);
    LoadCommSettings();

    m_rcPage = QRect(m_wndPageFrame->mapTo(this, QPoint(0, 0)), m_wndPageFrame->size())
                   .adjusted(2, 2, -2, -2);
    for (const auto& page : m_arrPages)
        ShowPage(page.get(), false);
    if (g_menuMode >= 0 && g_menuMode < int(m_arrPages.size()))
        ShowPage(m_arrPages[g_menuMode].get(), true);

    UpdateData(false);
    UpdateConnectionControls(false);
    return true;
}

void CZentrovaDlg::InitCaptionBanner()
{
    m_wndCaption->m_strFontName = QStringLiteral("Verdana");
    m_wndCaption->m_nFontSize = 14;
    m_wndCaption->m_nFontWeight = 700;
    m_wndCaption->m_crText = QApplication::palette().color(QPalette::Button);
    // Windows colour values 0xEC8080 and 0x80EC80 (blue in the high byte).
    m_wndCaption->m_crGradient = g_menuMode == 1 ? QColor(0x80, 0x80, 0xEC) : QColor(0x80, 0xEC, 0x80);
    m_wndCaption->setText(g_menuMode == 1 ? m_strZiiTitle : m_strOstrelTitle);
}

// ---- saved settings -----------------------------------------------------------------------

void CZentrovaDlg::LoadCommSettings()
{
    platform::ProfileStore& profile = platform::profile();
    m_nInterface = profile.getInt(kSection, QStringLiteral("Interface"), kUsb);

    std::uint32_t address = 0;
    for (int i = 0; i < 4; ++i) {
        const int octet = profile.getInt(kSection, QStringLiteral("ENet_IP%1").arg(i + 1),
                                         kDefaultOctets[i]);
        address = (address << 8) | std::uint8_t(octet);
    }
    m_ctlIpAddress->setAddress(address);

    m_nTcpPort = profile.getInt(kSection, QStringLiteral("ENet_PortNum"), 9100);
    selectIndex(m_cboLptPort, profile.getInt(kSection, QStringLiteral("LPT_PortNum"), 0));
    selectIndex(m_cboComPort, profile.getInt(kSection, QStringLiteral("COM_PortNum"), 0));
    selectIndex(m_cboBaudRate, profile.getInt(kSection, QStringLiteral("COM_Baudrate"), 4));
    selectIndex(m_cboDataBits, profile.getInt(kSection, QStringLiteral("COM_Databits"), 1));
    selectIndex(m_cboParity, profile.getInt(kSection, QStringLiteral("COM_Parity"), 0));
    selectIndex(m_cboStopBits, profile.getInt(kSection, QStringLiteral("COM_Stopbits"), 0));
    UpdateData(false);
}

void CZentrovaDlg::SaveCommSettings()
{
    UpdateData(true);
    platform::ProfileStore& profile = platform::profile();
    profile.setInt(kSection, QStringLiteral("Interface"), m_nInterface);
    int octets[4];
    octetsOf(m_ctlIpAddress, octets);
    for (int i = 0; i < 4; ++i)
        profile.setInt(kSection, QStringLiteral("ENet_IP%1").arg(i + 1), octets[i]);
    profile.setInt(kSection, QStringLiteral("ENet_PortNum"), m_nTcpPort);
    profile.setInt(kSection, QStringLiteral("LPT_PortNum"), m_cboLptPort->currentIndex());
    profile.setInt(kSection, QStringLiteral("COM_PortNum"), m_cboComPort->currentIndex());
    profile.setInt(kSection, QStringLiteral("COM_Baudrate"), m_cboBaudRate->currentIndex());
    profile.setInt(kSection, QStringLiteral("COM_Databits"), m_cboDataBits->currentIndex());
    profile.setInt(kSection, QStringLiteral("COM_Parity"), m_cboParity->currentIndex());
    profile.setInt(kSection, QStringLiteral("COM_Stopbits"), m_cboStopBits->currentIndex());
}

// ---- connection controls ------------------------------------------------------------------

void CZentrovaDlg::UpdateConnectionControls(bool bConnected)
{
    UpdateData(true);

    for (QWidget* radio : std::initializer_list<QWidget*>{m_ui->rdoSerial, m_ui->rdoParallel, m_ui->rdoUsb,
                                                          m_ui->rdoEthernet, m_ui->rdoBluetooth})
        radio->setEnabled(!bConnected);
    m_ui->btnConnect->setEnabled(!bConnected);
    m_ui->btnDisconnect->setEnabled(bConnected);

    for (QWidget* w : std::initializer_list<QWidget*>{m_cboLptPort, m_cboComPort, m_cboBaudRate,
                                                      m_cboDataBits, m_cboParity, m_cboStopBits,
                                                      m_ctlIpAddress, m_ui->edtTcpPort})
        w->setEnabled(false);
    if (!bConnected) {
        switch (m_nInterface) {
        case kSerial:
            for (QWidget* w : std::initializer_list<QWidget*>{m_cboComPort, m_cboBaudRate, m_cboParity,
                                                              m_cboDataBits, m_cboStopBits})
                w->setEnabled(true);
            break;
        case kParallel:
            m_cboLptPort->setEnabled(true);
            break;
        case kEthernet:
            m_ctlIpAddress->setEnabled(true);
            m_ui->edtTcpPort->setEnabled(true);
            break;
        case kBluetooth:
            m_cboComPort->setEnabled(true);
            break;
        default:
            break;
        }
    }

    EnableMenuPage(bConnected);
}

void CZentrovaDlg::OnInterfaceChanged()
{
    UpdateConnectionControls(false);
}

// ---- spooler hand-over --------------------------------------------------------------------

void CZentrovaDlg::ReleasePortFromSpooler(const QString& port)
{
    platform::Spooler& spooler = platform::spooler();
    bool failed = false;
    for (const platform::SpoolerPrinter& printer : spooler.localPrinters()) {
        if (!printer.port.contains(port, Qt::CaseSensitive))
            continue;
        m_mapSavedPrinterPorts.insert(printer.name, printer.port);
        // After one failure the rest are remembered but left alone.
        if (failed)
            continue;
        QString current;
        if (!spooler.readPort(printer.name, &current)) {
            failed = true;
            continue;
        }
        // Written down before the switch, so no ending of the program loses the port.
        SpoolerJournal::Record(printer.name, spooler.durablePort(printer.name, printer.port));
        if (!spooler.writePort(printer.name, QStringLiteral("FILE:")))
            failed = true;
    }
}

void CZentrovaDlg::RestoreSpoolerPorts()
{
    if (m_mapSavedPrinterPorts.isEmpty())
        return;
    platform::Spooler& spooler = platform::spooler();
    // A pass stops at the first failure. The printers not given back stay remembered, so
    // the next pass (Disconnect, EXIT, the dialog's end) tries again instead of leaving
    // them on "FILE:" with their old port forgotten.
    for (auto it = m_mapSavedPrinterPorts.begin(); it != m_mapSavedPrinterPorts.end();) {
        QString current;
        if (!spooler.readPort(it.key(), &current) || !spooler.writePort(it.key(), it.value()))
            break;
        SpoolerJournal::Forget(it.key());
        it = m_mapSavedPrinterPorts.erase(it);
    }
}

// ---- Connect, Disconnect, EXIT ------------------------------------------------------------

void CZentrovaDlg::OnConnect()
{
    UpdateData(true);
    ui::WaitCursor wait;

    switch (m_nInterface) {
    case kSerial:
    case kBluetooth:
    case kParallel: {
        QComboBox* list = m_nInterface == kParallel ? m_cboLptPort : m_cboComPort;
        // A hand-edited profile can leave the list without a selection: there is no port.
        if (list->currentIndex() < 0) {
            cannotOpenPort();
            return;
        }
        m_strPort = list->currentText();
        ReleasePortFromSpooler(m_strPort);
        break;
    }
    case kUsb:
        m_strPort = QStringLiteral("USB");
        break;
    case kEthernet:
        m_strPort = QStringLiteral("ETHERNET");
        break;
    default:
        break;
    }
    g_comm.SetPortName(m_strPort);

    if (m_nInterface == kEthernet) {
        int octets[4];
        octetsOf(m_ctlIpAddress, octets);
        m_target.m_strIpAddress =
            QString::asprintf("%d.%d.%d.%d", octets[0], octets[1], octets[2], octets[3]);
        m_target.m_nPort = m_nTcpPort;
        g_comm.SetNetworkAddress(m_target);
    } else if (m_nInterface == kSerial || m_nInterface == kBluetooth) {
        static constexpr std::uint32_t kBauds[] = {9600, 19200, 38400, 57600};
        const int baud = m_cboBaudRate->currentIndex();
        g_comm.m_nBaudRate = baud >= 0 && baud < 4 ? kBauds[baud] : 115200;
        g_comm.m_nDataBits = m_cboDataBits->currentIndex() == 0 ? 7 : 8;
        const int parity = m_cboParity->currentIndex();
        g_comm.m_nParity = parity == 1 || parity == 2 ? std::uint32_t(parity) : 0;
        const int stop = m_cboStopBits->currentIndex();
        g_comm.m_nStopBits = stop == 1 || stop == 2 ? std::uint32_t(stop) : 0;
    }

    if (!g_comm.Open()) {
        cannotOpenPort();
        return;
    }
    if (m_nInterface == kUsb) {
        // Opened for each transfer instead.
        g_comm.Close();
    } else if (m_nInterface == kSerial || m_nInterface == kBluetooth) {
        g_comm.Close();
        if (!g_comm.Open()) {
            cannotOpenPort();
            return;
        }
    }

    g_language = QStringLiteral("Dovra");
    ProbeLanguage();

    platform::clock().sleep(50);
    if (!QueryPrinterModel())
        return;

    _VANTOPRT_INFO* record = nullptr;
    if (g_modelTable.Lookup(g_modelName, record))
        g_curModelInfo = record;

    SaveCommSettings();
    ui::MessageBox(ui::LoadString(IDS_SUCCESS_OPEN_PORT), platform::AlertIcon::Information);
    UpdateConnectionControls(true);
}

void CZentrovaDlg::ProbeLanguage()
{
    if (g_comm.Write(setting::LanguageProbe()) <= 0)
        return;
    platform::clock().sleep(100);
    char reply[256] = {};
    const int n = setting::ReadReply(reply, int(sizeof reply));
    if (n <= 0)
        return;
    if (const QString language = setting::ProbeReplyLanguage(reply, n); !language.isEmpty())
        g_language = language;
}

bool CZentrovaDlg::QueryPrinterModel()
{
    ui::WaitCursor wait;
    g_comm.Write("^PI0\r\n", 6);
    platform::clock().sleep(100);
    char reply[513] = {};
    if (g_comm.Read(reply, 512) <= 0) {
        cannotOpenPort();
        return false;
    }

    QString name = platform::codePage().toWide(QByteArrayView(reply, qstrlen(reply)));
    while (name.endsWith(u'\r') || name.endsWith(u'\n'))
        name.chop(1);
    g_modelName = name;

    for (const auto& [key, info] : g_modelTable.Entries()) {
        if (info->m_strModelName.compare(name, Qt::CaseInsensitive) == 0) {
            g_modelName = info->m_strModelName;
            return true;
        }
    }
    g_modelName = QStringLiteral("VANTO-LABEL");
    return true;
}

void CZentrovaDlg::OnDisconnect()
{
    if (g_comm.m_nPortType == PORT_ETHERNET) {
        g_comm.MarkTcpForClose();
        g_comm.Close();
    } else if (g_comm.m_nPortType == PORT_COM || g_comm.m_nPortType == PORT_LPT) {
        g_comm.Close();
        RestoreSpoolerPorts();
    }
    UpdateConnectionControls(false);
}

void CZentrovaDlg::OnExitButton()
{
    // A TCP connection is left to the end of the process.
    if (g_comm.m_nPortType != PORT_USB && g_comm.m_nPortType != PORT_ETHERNET) {
        g_comm.Close();
        RestoreSpoolerPorts();
    }
    OnOK();
}

// ---- page host ----------------------------------------------------------------------------

void CZentrovaDlg::AddMenuPages()
{
    VersionStrings version;
    if (ReadVersionStrings(version)) {
        const QString title = QStringLiteral("%1 (Version %2)")
                                  .arg(version.m_strProductName, version.m_strProductVersion);
        m_strOstrelTitle = title;
        m_strZiiTitle = title;
        m_strCopyright = version.m_strLegalCopyright;
    } else {
        m_strOstrelTitle = QStringLiteral("Zentrova");
        m_strZiiTitle = QStringLiteral("Zentrova");
    }
    AddPage(&CMain_OstrelMenuView::staticMetaObject, m_strOstrelTitle, 0);
    AddPage(&CMain_ZIIMenuView::staticMetaObject, m_strZiiTitle, 1);
}

QWidget* CZentrovaDlg::AddPage(const QMetaObject* pRuntimeClass, const QString& caption, int nParam)
{
    if (m_bWindowCreated)
        return nullptr;
    QWidget* wnd = nullptr;
    if (pRuntimeClass) {
        QObject* object = pRuntimeClass->newInstance();
        wnd = qobject_cast<QWidget*>(object);
        if (!wnd)
            delete object;
    }
    auto page = std::make_unique<_PageInfo>();
    page->m_nType = qobject_cast<QDialog*>(wnd) ? 0 : 1;
    page->m_nParam = nParam;
    page->m_pWnd = wnd;
    page->m_strCaption = caption;
    m_arrPages.push_back(std::move(page));
    return wnd;
}

bool CZentrovaDlg::CreatePage(_PageInfo* pPage)
{
    if (!pPage->m_pWnd)
        return false;
    if (pageWindowExists(pPage))
        return true;
    if (pPage->m_nType == 0) {
        if (auto* dialog = qobject_cast<ui::Dialog*>(pPage->m_pWnd))
            return dialog->Create(this);
        return false;
    }
    return CreateViewPage(pPage->m_pWnd, nullptr);
}

bool CZentrovaDlg::CreateViewPage(QWidget* pView, CCreateContext* pContext)
{
    CCreateContext context;
    if (!pContext) {
        context.m_pCurrentFrame = this;
        pContext = &context;
    }
    pView->setParent(pContext->m_pCurrentFrame ? pContext->m_pCurrentFrame : this);
    pView->setGeometry(QRect());
    pView->hide();
    return true;
}

void CZentrovaDlg::ShowPage(_PageInfo* pPage, bool bShow)
{
    m_wndCaption->setText(QString());
    if (QWidget* wnd = pPage->m_pWnd) {
        if (!pageWindowExists(pPage)) {
            CreatePage(pPage);
            wnd->setGeometry(m_rcPage);
            if (auto* view = qobject_cast<CFormView*>(wnd))
                view->OnInitialUpdate();
        }
        wnd->setVisible(bShow);
        if (bShow) {
            wnd->setFocus();
            m_wndCaption->setText(pPage->m_strCaption);
        }
    } else if (bShow) {
        m_wndCaption->setText(pPage->m_strCaption);
    }
}

bool CZentrovaDlg::DestroyPages()
{
    for (const auto& page : m_arrPages) {
        delete page->m_pWnd;
        page->m_pWnd = nullptr;
    }
    return true;
}

void CZentrovaDlg::EnableMenuPage(bool bConnected)
{
    if (g_menuMode < 0 || g_menuMode >= int(m_arrPages.size()))
        return;
    QWidget* wnd = m_arrPages[g_menuMode]->m_pWnd;
    if (auto* zii = qobject_cast<CMain_ZIIMenuView*>(wnd))
        zii->EnableMenuButtons(bConnected);
    else if (auto* ostrel = qobject_cast<CMain_OstrelMenuView*>(wnd))
        ostrel->EnableMenuButtons(bConnected);
}

// ---- moving the caption-less window -------------------------------------------------------

CZentrovaDlg::HitTest CZentrovaDlg::OnNcHitTest(const QPoint& point) const
{
    if (m_wndCaption && QRect(QPoint(0, 0), m_wndCaption->size()).contains(point))
        return HTCAPTION;
    return HTCLIENT;
}

void CZentrovaDlg::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && OnNcHitTest(event->position().toPoint()) == HTCAPTION) {
        event->accept();
        if (QWindow* window = windowHandle(); window && window->startSystemMove())
            return;
        // No window manager move: follow the mouse ourselves.
        m_bDragging = true;
        m_dragOffset = event->globalPosition().toPoint() - frameGeometry().topLeft();
        return;
    }
    ui::Dialog::mousePressEvent(event);
}

void CZentrovaDlg::mouseMoveEvent(QMouseEvent* event)
{
    if (m_bDragging && (event->buttons() & Qt::LeftButton)) {
        move(event->globalPosition().toPoint() - m_dragOffset);
        event->accept();
        return;
    }
    ui::Dialog::mouseMoveEvent(event);
}

void CZentrovaDlg::mouseReleaseEvent(QMouseEvent* event)
{
    if (m_bDragging && event->button() == Qt::LeftButton) {
        m_bDragging = false;
        event->accept();
        return;
    }
    ui::Dialog::mouseReleaseEvent(event);
}
