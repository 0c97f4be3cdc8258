#pragma once

#include "ui/Dialog.h"
#include "workbench/TextCommands.h"

#include "ui_CFontFinder.h"

#include <QString>
#include <optional>

// A calculator for the operator: the bitmap font and multipliers nearest to a character
// size in millimetres, and a label that prints two choices side by side. Nothing goes into
// it or comes back from it.
class CFontFinder : public ui::Dialog {
    Q_OBJECT
public:
    // What the result labels show when a search finds nothing.
    static QString notFoundFont() { return QStringLiteral("none"); }
    static QString notFoundMulti() { return QStringLiteral("-"); }

    explicit CFontFinder(QWidget* parent = nullptr);

    bool OnInitDialog() override;
    void DoDataExchange(ui::DataExchange& dx) override;

    QString m_strMostFont;
    QString m_strRoundFont;
    float m_fHeightMm = 0.0f;
    float m_fWidthMm = 0.0f;
    QString m_strMostX;
    QString m_strRoundX;
    QString m_strMostY;
    QString m_strRoundY;

private:
    void OnFindMostSimilar();
    void OnFindSimilarRound();
    void OnPrintForComparison();

    Ui::CFontFinder m_ui;
};
