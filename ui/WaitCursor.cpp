#include "ui/WaitCursor.h"

#include <QCoreApplication>
#include <QCursor>
#include <QGuiApplication>

namespace ui {

namespace {

int s_depth = 0;

bool haveGui()
{
    return qobject_cast<QGuiApplication*>(QCoreApplication::instance()) != nullptr;
}

}  // namespace

WaitCursor::WaitCursor()
{
    ++s_depth;
    if (haveGui())
        QGuiApplication::setOverrideCursor(Qt::WaitCursor);
}

WaitCursor::~WaitCursor()
{
    --s_depth;
    if (haveGui())
        QGuiApplication::restoreOverrideCursor();
}

void WaitCursor::ShowArrowForInput()
{
    if (s_depth > 0 && haveGui() && QGuiApplication::overrideCursor())
        QGuiApplication::changeOverrideCursor(Qt::ArrowCursor);
}

int WaitCursor::depth()
{
    return s_depth;
}

}  // namespace ui
