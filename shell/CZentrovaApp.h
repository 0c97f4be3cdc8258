#pragma once

class CZentrovaDlg;
class QApplication;

// The application: builds the model table, runs the main dialog modally and ends when it
// closes. Qt's own event loop is never entered outside the dialogs.
class CZentrovaApp {
public:
    explicit CZentrovaApp(QApplication& application);
    virtual ~CZentrovaApp();
    CZentrovaApp(const CZentrovaApp&) = delete;
    CZentrovaApp& operator=(const CZentrovaApp&) = delete;

    // Runs the whole program; false, so that no application message loop follows.
    virtual bool InitInstance();
    // Empties the model table; the exit code.
    virtual int ExitInstance();

    // The main dialog while InitInstance runs it, else nullptr. Windows that act on the main
    // dialog (the user-setting window's "Close") reach it here.
    static CZentrovaDlg* m_pMainWnd;

private:
    QApplication& m_application;
    int m_nClearTableHook = 0;
};
