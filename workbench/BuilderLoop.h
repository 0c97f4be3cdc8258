#pragma once

#include "ui/Dialog.h"

#include <QString>
#include <QStringList>

// The tester's side of the insert-to-label hand-over. The builder, constructed once by the
// caller, runs until it closes without an insertion; after each insertion the lines that
// `formatLines(builder)` yields are appended to `commandText`, each followed by "\r\n",
// and the builder opens again with its values kept. An insertion ends the builder with the
// cancel result, so only a closing without one ("Close", Esc, the close box) ends the loop.
template <class Builder, class FormatLines>
void RunBuilderLoop(ui::Dialog& tester, QString& commandText, Builder& builder,
                    FormatLines formatLines)
{
    for (;;) {
        const int result = builder.DoModal();
        tester.UpdateData(true);  // the text as the editor shows it now
        if (!builder.m_bInserted)
            return;
        const QStringList lines = formatLines(static_cast<const Builder&>(builder));
        for (const QString& line : lines) {
            commandText += line;
            commandText += QStringLiteral("\r\n");
        }
        builder.m_bInserted = 0;
        tester.UpdateData(false);
        if (result == ui::IDOK)
            return;
    }
}
