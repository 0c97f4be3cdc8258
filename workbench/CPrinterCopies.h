#pragma once

#include "ui/Dialog.h"

#include "ui_CPrinterCopies.h"

#include <cstdint>

// Builds the print command "P" with its two counts.
class CPrinterCopies : public ui::Dialog {
    Q_OBJECT
public:
    explicit CPrinterCopies(QWidget* parent = nullptr);

    bool OnInitDialog() override;
    void DoDataExchange(ui::DataExchange& dx) override;

    std::uint8_t m_bInserted = 0;
    int m_nSecond = 0;
    int m_nFirst = 0;

private:
    void OnInsertToLabel();

    Ui::CPrinterCopies m_ui;
};
