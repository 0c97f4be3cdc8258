#include "tests/layout/DialogCatalogue.h"

#include "core/Globals.h"
#include "core/ModelTable.h"
#include "maintenance/CCalibrationExtra.h"
#include "maintenance/CCalibrationTabDialog.h"
#include "maintenance/CCheckPrinterStatusTabDlg.h"
#include "maintenance/CFileTransferDlg.h"
#include "maintenance/CPcxFileDownloaderDlg.h"
#include "maintenance/CPcxImageDlg.h"
#include "maintenance/CPrinterTool_ZII_Dlg.h"
#include "maintenance/CUserSettingDialog.h"
#include "maintenance/CUserSetting_ZII_QualityDlg.h"
#include "rfid/CRFIDRead.h"
#include "rfid/CRFIDSetting.h"
#include "rfid/CRFIDWriteRead.h"
#include "shell/CZentrovaDlg.h"
#include "tests/support/DialogDriver.h"
#include "ui/TestHooks.h"
#include "workbench/C1D_BarcodeCommand.h"
#include "workbench/C2D_BarcodeCommand.h"
#include "workbench/CBlockDrawCommand.h"
#include "workbench/CCharacterSetCommand.h"
#include "workbench/CCommunicationDlg.h"
#include "workbench/CConvertUnit.h"
#include "workbench/CFontFinder.h"
#include "workbench/CLabelSetting.h"
#include "workbench/CPrinterCopies.h"
#include "workbench/CPrintingSetting.h"
#include "workbench/CQuensaRfidKillCommand.h"
#include "workbench/CQuensaRfidPasswordCommand.h"
#include "workbench/CQuensaRfidReadCommand.h"
#include "workbench/CQuensaRfidSecurityCommand.h"
#include "workbench/CQuensaRfidWriteCommand.h"
#include "workbench/CQuensa_CmdTesterDlg.h"
#include "workbench/CTextCommand.h"
#include "workbench/CTwobytesCodeDlg.h"
#include "workbench/CVectorTextCommand.h"
#include "workbench/CZII_TwobytesCodeDlg.h"
#include "workbench/CommunicationDlgIds.h"

#include <QApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QDir>
#include <QMouseEvent>
#include <QTabBar>
#include <memory>

namespace ztest {

namespace {

using AtOpen = std::function<void(ui::Dialog&)>;

constexpr int kTesterCommands = 1056;  // the command tester's "Ostrel Command" text
constexpr int kDitherList = 1131;  // the picture preview's "Dither : " list

// Runs the window modally; the test hooks call `atOpen` in place of its event loop.
template <class D>
void runModal(D& dialog, const AtOpen& atOpen)
{
    ui::TestHooks hooks;
    hooks.scriptDialog<D>([&atOpen](D& d) { atOpen(d); });
    dialog.DoModal();
}

template <class D>
CatalogueEntry window(const QString& name, QSize partSize = {})
{
    return {name, partSize, [](const AtOpen& atOpen) {
                auto dialog = std::make_unique<D>();
                runModal(*dialog, atOpen);
            }};
}

// Clicks a tab of the window's tab strip, as the operator does.
void clickTab(ui::Dialog& dialog, int index)
{
    auto* tabs = dialog.findChild<QTabBar*>();
    if (!tabs || index <= 0)
        return;
    const QPoint at = tabs->tabRect(index).center();
    QMouseEvent press(QEvent::MouseButtonPress, at, tabs->mapToGlobal(at), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(tabs, &press);
    QMouseEvent release(QEvent::MouseButtonRelease, at, tabs->mapToGlobal(at), Qt::LeftButton,
                        Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(tabs, &release);
}

// The user-setting window for a printer, with the tab of that index chosen.
CatalogueEntry userSettings(const QString& name, const QString& language, const QString& model,
                            int menuMode, int tab = 0)
{
    return {name, QSize(239, 311), [language, model, menuMode, tab](const AtOpen& atOpen) {
                const QString oldLanguage = g_language;
                const int oldMode = g_menuMode;
                _VANTOPRT_INFO* oldRecord = g_curModelInfo;
                selectPrinter(language, model, menuMode);
                {
                    CUserSettingDialog dialog;
                    runModal(dialog, [&](ui::Dialog& d) {
                        d.show();
                        clickTab(d, tab);
                        atOpen(d);
                    });
                }
                g_language = oldLanguage;
                g_menuMode = oldMode;
                g_curModelInfo = oldRecord;
            }};
}

// A label as an image editor would save it: a caption, a frame, bars and a grey ramp.
QImage samplePicture()
{
    QImage image(420, 300, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(Qt::black, 6));
    painter.drawRoundedRect(QRectF(8, 8, 404, 284), 18, 18);
    QFont font = painter.font();
    font.setPixelSize(48);
    font.setBold(true);
    painter.setFont(font);
    painter.drawText(QRect(0, 24, 420, 70), Qt::AlignCenter, QStringLiteral("ZENTROVA"));
    for (int i = 0; i < 46; ++i) {
        const int width = (i * 7 % 5 == 0) ? 6 : 3;
        painter.fillRect(40 + i * 7, 110, width, 90, Qt::black);
    }
    QLinearGradient ramp(40, 0, 380, 0);
    ramp.setColorAt(0, Qt::black);
    ramp.setColorAt(1, Qt::white);
    painter.fillRect(QRect(40, 220, 340, 50), ramp);
    return image;
}

}  // namespace

void selectPrinter(const QString& language, const QString& model, int menuMode)
{
    if (g_modelTable.GetCount() == 0)
        BuildModelTable();
    g_language = language;
    g_menuMode = menuMode;
    g_modelName = model;
    _VANTOPRT_INFO* record = nullptr;
    g_modelTable.Lookup(model, record);
    g_curModelInfo = record;
}

std::vector<CatalogueEntry> dialogCatalogue()
{
    std::vector<CatalogueEntry> entries;
    entries.push_back({QStringLiteral("main-window"), QSize(414, 366), [](const AtOpen& atOpen) {
                           CZentrovaDlg dialog;
                           dialog.AddMenuPages();
                           runModal(dialog, atOpen);
                       }});
    entries.push_back(userSettings(QStringLiteral("user-settings"), QStringLiteral("Ostrel"),
                                   QStringLiteral("KX-21"), 1));
    const char* tabs[] = {"basic", "advanced", "clock", "language", "others"};
    for (int i = 0; i < 5; ++i)
        entries.push_back(userSettings(QStringLiteral("user-settings-%1").arg(QLatin1String(tabs[i])),
                                       QStringLiteral("Ostrel"), QStringLiteral("KX-21"), 1, i + 1));
    entries.push_back(userSettings(QStringLiteral("user-settings-power"), QStringLiteral("Ostrel"),
                                   QStringLiteral("KX-30"), 1, 5));
    // The second configuration's page set, which the program builds but never shows.
    const char* modeZeroTabs[] = {"interface", "language", "print-and-page", "hardware", "printer"};
    for (int i = 0; i < 5; ++i)
        entries.push_back(userSettings(QStringLiteral("user-settings-mode-0-%1").arg(QLatin1String(modeZeroTabs[i])),
                                       QStringLiteral("Ostrel"), QStringLiteral("KX-21"), 0, i));
    entries.push_back(userSettings(QStringLiteral("user-settings-dovra"), QStringLiteral("Dovra"),
                                   QStringLiteral("KX-21"), 1));
    entries.push_back(window<CCalibrationTabDialog>(QStringLiteral("calibration"), QSize(215, 358)));
    entries.push_back({QStringLiteral("calibration-extra"), QSize(182, 130), [](const AtOpen& atOpen) {
                           CCalibrationExtra dialog;
                           dialog.m_nLowBin = 3;
                           dialog.m_nHighBin = 5;
                           dialog.m_nSpan = 2;
                           dialog.m_nLowCount = 120;
                           dialog.m_nHighCount = 96;
                           dialog.m_nGapCount = 7;
                           runModal(dialog, atOpen);
                       }});
    entries.push_back({QStringLiteral("command-tester"), {}, [](const AtOpen& atOpen) {
                           CQuensa_CmdTesterDlg dialog;
                           // A label as the builders compose it.
                           runModal(dialog, [&atOpen](ui::Dialog& d) {
                               d.SetDlgItemText(kTesterCommands,
                                                QStringLiteral("SW812\r\nSL1219,24,G\r\nSM40,40\r\n"
                                                               "T20,20,3,1,1,0,0,N,N,'QUORVIN BRESSANT'\r\n"
                                                               "B1100,100,0,2,7,100,0,1,'123456789'\r\n"
                                                               "BD100,100,800,120,O\r\n"));
                               atOpen(d);
                           });
                       }});
    entries.push_back(window<CPrintingSetting>(QStringLiteral("printing-setting")));
    entries.push_back(window<CLabelSetting>(QStringLiteral("label-setting")));
    entries.push_back(window<CPrinterCopies>(QStringLiteral("printer-copies")));
    entries.push_back(window<CBlockDrawCommand>(QStringLiteral("line-and-box")));
    entries.push_back(window<C1D_BarcodeCommand>(QStringLiteral("barcode-1d")));
    entries.push_back(window<C2D_BarcodeCommand>(QStringLiteral("barcode-2d")));
    entries.push_back(window<CTextCommand>(QStringLiteral("bitmap-text")));
    entries.push_back(window<CVectorTextCommand>(QStringLiteral("vector-text")));
    entries.push_back(window<CQuensaRfidWriteCommand>(QStringLiteral("rfid-write-command")));
    entries.push_back(window<CQuensaRfidReadCommand>(QStringLiteral("rfid-read-command")));
    entries.push_back(window<CQuensaRfidPasswordCommand>(QStringLiteral("rfid-password-command")));
    entries.push_back(window<CQuensaRfidSecurityCommand>(QStringLiteral("rfid-security-command")));
    entries.push_back(window<CQuensaRfidKillCommand>(QStringLiteral("rfid-kill-command")));
    entries.push_back(window<CConvertUnit>(QStringLiteral("unit-converter")));
    entries.push_back(window<CFontFinder>(QStringLiteral("font-finder")));
    entries.push_back(window<CCharacterSetCommand>(QStringLiteral("character-set")));
    entries.push_back(window<CTwobytesCodeDlg>(QStringLiteral("two-byte-codes")));
    entries.push_back(window<CZII_TwobytesCodeDlg>(QStringLiteral("zpl-two-byte-codes")));
    entries.push_back({QStringLiteral("communication"), {}, [](const AtOpen& atOpen) {
                           CCommunicationDlg dialog;
                           // A job with a graphic field longer than a piece: its rows go on
                           // with a mark at their left edge.
                           QString job = QStringLiteral("^XA\n^FO50,50^GFA,2400,2400,30,");
                           for (int i = 0; i < 2400; ++i)
                               job += QChar(u"0F3C"[i % 4]);
                           job += QStringLiteral("^FS\n^XZ\n");
                           runModal(dialog, [&atOpen, &job](ui::Dialog& d) {
                               d.SetDlgItemText(comm_dlg::IDC_SEND_EDIT, job);
                               atOpen(d);
                           });
                       }});
    entries.push_back(window<CUserSetting_ZII_QualityDlg>(QStringLiteral("print-quality")));
    entries.push_back(window<CCheckPrinterStatusTabDlg>(QStringLiteral("printer-status")));
    entries.push_back(window<CFileTransferDlg>(QStringLiteral("file-transfer")));
    entries.push_back(window<CPcxFileDownloaderDlg>(QStringLiteral("picture-download")));
    entries.push_back({QStringLiteral("picture-preview"), {}, [](const AtOpen& atOpen) {
                           // A fixed path, so the window's caption line is the same at every run.
                           const QString folder = QDir::temp().filePath(QStringLiteral("zentrova-sample"));
                           QDir().mkpath(folder);
                           const QString path = folder + QStringLiteral("/label.png");
                           samplePicture().save(path);
                           {
                               CPcxImageDlg dialog;
                               dialog.SetImagePath(path);
                               // Grey as the printer's dots show it: error diffusion.
                               runModal(dialog, [&atOpen](ui::Dialog& d) {
                                   ztest::choose(d, kDitherList, 1);
                                   atOpen(d);
                               });
                           }
                           QDir(folder).removeRecursively();
                       }});
    entries.push_back(window<CPrinterTool_ZII_Dlg>(QStringLiteral("printer-tool")));
    entries.push_back(window<CRFIDSetting>(QStringLiteral("rfid-configuration")));
    entries.push_back(window<CRFIDWriteRead>(QStringLiteral("rfid-write")));
    entries.push_back(window<CRFIDRead>(QStringLiteral("rfid-read")));
    return entries;
}

}  // namespace ztest
