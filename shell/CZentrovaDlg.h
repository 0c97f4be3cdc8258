#pragma once

#include "link/NetworkTarget.h"
#include "ui/Dialog.h"

#include <QIcon>
#include <QMap>
#include <QPoint>
#include <QRect>
#include <QString>
#include <cstdint>
#include <memory>
#include <vector>

class CPrefsStatic;
class QComboBox;
class QFrame;
class QMetaObject;
class QMouseEvent;

namespace ui {
class IpAddressCtrl;
}

// One menu page of the page host.
struct _PageInfo {
    std::int32_t m_nType = 0;   // 0 dialog page, 1 view page
    std::int32_t m_nParam = 0;  // the value given to AddPage
    QWidget* m_pWnd = nullptr;  // the page object
    std::int32_t m_nReserved = 0;
    QString m_strCaption;       // put on the caption banner when the page is shown
    QString m_strReserved[3];
};

// Names the window a view page is created in.
struct CCreateContext {
    QWidget* m_pCurrentFrame = nullptr;
};

namespace Ui {
class CZentrovaDlg;
}

// The main window: how the printer is attached, Connect and Disconnect, and the menu page
// with the tools. Frameless; the caption banner across the top moves it.
class CZentrovaDlg : public ui::Dialog {
    Q_OBJECT
public:
    enum HitTest { HTCLIENT = 1, HTCAPTION = 2 };

    explicit CZentrovaDlg(QWidget* parent = nullptr);
    ~CZentrovaDlg() override;

    bool OnInitDialog() override;
    void DoDataExchange(ui::DataExchange& dx) override;

    void OnInterfaceChanged();
    void OnConnect();
    void OnDisconnect();
    void OnExitButton();

    void LoadCommSettings();
    void SaveCommSettings();
    void UpdateConnectionControls(bool bConnected);
    void ReleasePortFromSpooler(const QString& port);
    void RestoreSpoolerPorts();
    void InitCaptionBanner();
    bool QueryPrinterModel();

    // The page host.
    void AddMenuPages();
    QWidget* AddPage(const QMetaObject* pRuntimeClass, const QString& caption, int nParam);
    bool CreatePage(_PageInfo* pPage);
    virtual bool CreateViewPage(QWidget* pView, CCreateContext* pContext = nullptr);
    void ShowPage(_PageInfo* pPage, bool bShow);
    bool DestroyPages();
    // Runs the enabling rule of the page the menu mode shows.
    void EnableMenuPage(bool bConnected);

    // "Caption" for a point inside the banner's client rectangle, taken from the
    // dialog's origin; the window moves when such a point is dragged.
    HitTest OnNcHitTest(const QPoint& point) const;

    QString m_strPort;
    QString m_strOstrelTitle;
    QString m_strZiiTitle;
    QString m_strCopyright;
    QMap<QString, QString> m_mapSavedPrinterPorts;  // printer -> port text before "FILE:"
    QIcon m_hIcon;
    QFrame* m_wndPageFrame = nullptr;
    std::vector<std::unique_ptr<_PageInfo>> m_arrPages;
    QRect m_rcPage;
    int m_nInterface = 0;  // 0 Serial, 1 Parallel, 2 USB, 3 Ethernet, 4 Bluetooth
    QComboBox* m_cboLptPort = nullptr;
    QComboBox* m_cboComPort = nullptr;
    QComboBox* m_cboBaudRate = nullptr;
    QComboBox* m_cboDataBits = nullptr;
    QComboBox* m_cboParity = nullptr;
    QComboBox* m_cboStopBits = nullptr;
    ui::IpAddressCtrl* m_ctlIpAddress = nullptr;
    int m_nTcpPort = 0;
    CPrefsStatic* m_wndCaption = nullptr;
    NetworkTarget m_target;

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    // The language probe; changes g_language only on a known answer.
    void ProbeLanguage();

    std::unique_ptr<Ui::CZentrovaDlg> m_ui;
    int m_nExitHook = 0;
    bool m_bWindowCreated = false;
    bool m_bDragging = false;
    QPoint m_dragOffset;
};
