#pragma once

#include "ui/Dialog.h"

#include "ui_CUserSetting_ZII_QualityDlg.h"

class QComboBox;

// "Configure Print Quality": prints a grid of speed and darkness sample labels, each with a
// two-letter identifier, or takes speed and darkness directly, and sets or saves the choice.
class CUserSetting_ZII_QualityDlg : public ui::Dialog {
    Q_OBJECT
public:
    explicit CUserSetting_ZII_QualityDlg(QWidget* parent = nullptr);
    ~CUserSetting_ZII_QualityDlg() override;

    bool OnInitDialog() override;
    void DoDataExchange(ui::DataExchange& dx) override;

    QComboBox* m_cmbLabelCount = nullptr;
    QComboBox* m_cmbSpeed = nullptr;
    QComboBox* m_cmbDarkness = nullptr;
    QComboBox* m_cmbIdentifier = nullptr;
    int m_nDarknessStart = 0;
    int m_nDarknessStep = 0;

private:
    void FillQualityLists();
    void OnModeChange();
    void OnSetToPrinter();
    void OnCloseButton();
    void OnPrintSampleLabels();
    void OnIdentifierChange();
    void OnSpeedDarknessChange();
    void OnLabelCountChange();
    void FillLabelIdentifiers();
    void IdentifierToSetting(QString& darkness, QString& speed);
    bool SaveSettingsToFile(const QString& text);

    bool sampleMode() const;
    int labelCount() const;
    int speedCount() const { return m_cmbSpeed->count(); }

    Ui::CUserSetting_ZII_QualityDlg m_ui;
};
