#include "ui/LargeTextRelease.h"

#include "platform/HeapTrim.h"

#include <QCoreApplication>
#include <QTextDocument>

#include <algorithm>

namespace ui {

void LargeTextRelease::watch(QTextDocument* document)
{
    new LargeTextRelease(document);
}

LargeTextRelease::LargeTextRelease(QTextDocument* document)
    : QObject(document), m_document(document), m_largest(document->characterCount())
{
    connect(document, &QTextDocument::contentsChange, this, &LargeTextRelease::changed);
}

// A child goes before its parent's text does.
LargeTextRelease::~LargeTextRelease()
{
    if (m_largest >= kLarge)
        releaseSoon();
}

void LargeTextRelease::changed()
{
    const qsizetype now = m_document->characterCount();
    m_largest = std::max(m_largest, now);
    if (m_largest - now >= kLarge) {
        m_largest = now;
        releaseSoon();
    }
}

void LargeTextRelease::releaseSoon()
{
    QCoreApplication* application = QCoreApplication::instance();
    if (application)
        QMetaObject::invokeMethod(application, &platform::HeapTrim::returnFreePages, Qt::QueuedConnection);
    else
        platform::HeapTrim::returnFreePages();
}

}  // namespace ui
