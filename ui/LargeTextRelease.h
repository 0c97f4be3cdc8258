#pragma once

#include <QObject>
#include <QtGlobal>

class QTextDocument;

namespace ui {

// Gives the memory of a large text back to the system once its document has let the text go:
// when the document shrinks by kLarge characters or more (cleared, replaced by a short text),
// or goes away having held that many. The pages go back from the event loop, after the
// document has freed them.
class LargeTextRelease : public QObject {
    Q_OBJECT
public:
    static constexpr qsizetype kLarge = qsizetype(1) << 20;

    // Watches the document for as long as it lives.
    static void watch(QTextDocument* document);
    ~LargeTextRelease() override;

private:
    explicit LargeTextRelease(QTextDocument* document);
    void changed();
    static void releaseSoon();

    QTextDocument* m_document;
    qsizetype m_largest = 0;  // characters, since the memory last went back
};

}  // namespace ui
