#pragma once

#include "ui/Dialog.h"

#include "ui_C2D_BarcodeCommand.h"

#include "workbench/BarcodeCommands.h"

#include <QString>

class QComboBox;

// Builds the two-dimensional barcode command "B2" for MaxiCode, PDF417 and QR Code; each
// symbology enables its own fields and brings its sample data.
class C2D_BarcodeCommand : public ui::Dialog {
    Q_OBJECT
public:
    explicit C2D_BarcodeCommand(QWidget* parent = nullptr);

    bool OnInitDialog() override;
    void DoDataExchange(ui::DataExchange& dx) override;

    // The command the fields describe, with the list choices given.
    ostrel::TwoDBarcode command(int mode, int ecl, const QString& ecc, int rotation) const;

    int m_nSavedMode = 0;       // mode or model index, taken at every change of that list
    int m_nSavedEcl = 0;        // ECL or ECC index, taken at every change of that list
    int m_nPrevSymbology = 0;   // the symbology the lists were last built for
    QString m_strSavedEcc;      // the chosen ECL/ECC text "Insert to label" took
    int m_bInserted = 0;
    int m_bReopened = 0;
    QComboBox* m_cbEcl = nullptr;
    QComboBox* m_cbMode = nullptr;
    QComboBox* m_cbRotation = nullptr;
    QString m_strTypeLetter;
    int m_nBarHeight = 0;
    QString m_strData;
    int m_nCompress = -1;
    int m_nHri = -1;
    int m_nMaxCol = 0;
    int m_nMaxRow = 0;
    int m_nModuleWidth = 0;
    int m_nOrigin = -1;
    float m_fX = 0.0f;
    float m_fY = 0.0f;
    int m_nSymbology = -1;
    QString m_strEclLabel;
    QString m_strModeLabel;
    QString m_strBarLabel;
    int m_nRotation = -1;

private:
    void OnSymbologyChange();
    void OnModeChange();
    void OnEclChange();
    void OnTestPrint();
    void OnInsertToLabel();
    void OnOpenConvertUnit();
    void EnableForSymbology(int symbology);

    Ui::C2D_BarcodeCommand m_ui;
};
