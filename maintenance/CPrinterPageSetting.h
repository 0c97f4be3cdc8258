#pragma once

#include "ui/Dialog.h"

#include "ui_CPrinterPageSetting.h"

class QComboBox;
namespace ui {
class UpDownCtrl;
}

// Menu mode 0's "Print && Page" page: each paper and print setting with its own Get and Set.
class CPrinterPageSetting : public ui::Dialog {
    Q_OBJECT
public:
    explicit CPrinterPageSetting(QWidget* parent = nullptr);

    bool OnInitDialog() override;
    void DoDataExchange(ui::DataExchange& dx) override;
    void FillSpeedCombo();

    // One Set and one Get per row; a numeric row is named by its index in the row table.
    void OnSetNumeric(int row);
    void OnGetNumeric(int row);
    void OnSetStrobe();
    void OnGetStrobe();
    void OnSetSpeed();
    void OnGetSpeed();
    void OnSetGapDetect();
    void OnGetGapDetect();
    void OnSetOffset();
    void OnGetOffset();
    void OnSetTearOff();
    void OnGetTearOff();
    void OnSetCheckLabelLength();
    void OnInitializeAll();

    ui::UpDownCtrl* m_spinDensity = nullptr;
    int m_nHorzMargin = 0;
    int m_nPaperLength = 0;
    int m_nVertMargin = 0;
    int m_nPaperWidth = 0;
    int m_nDensity = 0;
    int m_nStrobe = -1;
    int m_nGapLength = 0;
    int m_nGapDetectPos = -1;
    int m_nPrintSpeed = -1;
    int m_nCheckLabelLength = -1;
    int m_nPrintOffset = 0;
    int m_bOffsetNegative = 0;
    int m_bTearOffNegative = 0;
    int m_nTearOffPos = 0;
    QComboBox* m_cbPrintSpeed = nullptr;

private:
    bool writeSwitch(int number, std::uint8_t value);
    // The switch's byte, or -1 when no byte came.
    int readSwitch(int number);
    void setPosition(const char* mnemonic, int editId, bool negative, int value, int messages);
    void getPosition(const QByteArray& query, int messages, int setId, int editId, int checkId,
                     int& value, int& negative);
    void enable(std::initializer_list<int> ids);

    Ui::CPrinterPageSetting m_ui;
};
