#pragma once

#include "ui/Dialog.h"

#include "ui_C1D_BarcodeCommand.h"

#include "workbench/BarcodeCommands.h"

#include <QString>

class QComboBox;

// Builds the linear barcode command "B1".
class C1D_BarcodeCommand : public ui::Dialog {
    Q_OBJECT
public:
    explicit C1D_BarcodeCommand(QWidget* parent = nullptr);

    bool OnInitDialog() override;
    void DoDataExchange(ui::DataExchange& dx) override;

    // The command the fields describe, with the rotation index given.
    ostrel::LinearBarcode command(int rotation) const;

    int m_bInserted = 0;
    int m_bReopened = 0;
    int m_nSavedRotation = 0;  // the rotation index "Insert to label" took
    QComboBox* m_cbRotation = nullptr;
    int m_nHeight = 0;
    int m_nBarcodeType = -1;
    int m_nHri = -1;
    int m_nNarrow = 0;
    int m_nWide = 0;
    float m_fY = 0.0f;
    float m_fX = 0.0f;
    int m_nQuietZone = 0;
    int m_bQuietZone = 0;
    QString m_strData;

private:
    void OnTestPrint();
    void OnInsertToLabel();
    void OnQuietZoneCheck();
    void OnOpenConvertUnit();
    void EnableQuietZone(bool enable);

    Ui::C1D_BarcodeCommand m_ui;
};
