#pragma once

#include "ui/Dialog.h"

#include <QByteArray>
#include <QString>

namespace twobyte {
struct CodePage;
}

// What the Ostrel and the ZPL II code-page sample printers share: the code page, the block
// fields, the all-blocks box, the sizes, and a print that writes one label per lead byte.
class TwoByteCodeDialog : public ui::Dialog {
    Q_OBJECT
public:
    explicit TwoByteCodeDialog(QWidget* parent = nullptr);

    void DoDataExchange(ui::DataExchange& dx) override;

    int m_nCodeTable = -1;
    QString m_strEndBlock;
    QString m_strStartBlock;
    QString m_strBlockArea;
    int m_bAllBlocks = 0;
    QString m_strHeight;
    QString m_strWidth;

protected:
    // Binds the shared controls; called once the template is set up.
    void bindCommonControls();
    // Code page 0, all blocks off, its block texts, both sizes "35".
    void initCommonFields();
    // The block area and the default start and end of the chosen code page.
    void showDefaultBlocks();

    void OnPrintCharacters();
    void OnCodeTableChange();
    void OnAllBlocks();

    // The label for one lead byte, the sizes already converted.
    virtual QByteArray buildLabel(const twobyte::CodePage& page, unsigned char lead,
                                  const QByteArray& width, const QByteArray& height) = 0;
    // After a code page change has set the blocks, before the controls are refreshed.
    virtual void codeTableChanged() {}
};
