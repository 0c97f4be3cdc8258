#include "shell/CPrefsStatic.h"

#include <QApplication>
#include <QPainter>
#include <QPalette>
#include <algorithm>

namespace {

QColor buttonFace()
{
    return QApplication::palette().color(QPalette::Button);
}

}  // namespace

CPrefsStatic::CPrefsStatic(QWidget* parent)
    : QWidget(parent), m_crText(buttonFace()), m_crGradient(buttonFace())
{
}

CPrefsStatic::~CPrefsStatic() = default;

void CPrefsStatic::setText(const QString& text)
{
    m_strText = text;
    // Background and text both again, so no trace of the old text stays behind.
    update();
}

QColor CPrefsStatic::BandColour(const QColor& gradient, int d, int width)
{
    // 64-bit so that a banner wider than about 2,900 pixels cannot overflow d*d*c.
    const qint64 dd = qint64(d) * d;
    const qint64 ww = qint64(width) * width;
    auto channel = [&](int c) { return int(c - dd * c / ww); };
    return QColor(channel(gradient.red()), channel(gradient.green()), channel(gradient.blue()));
}

void CPrefsStatic::BuildBackground()
{
    if (!m_bmpBackground.isNull())
        return;
    const int w = width();
    const int h = height();
    if (w <= 0 || h <= 0)
        return;

    QPixmap bitmap(w, h);
    if (bitmap.isNull())
        return;
    QPainter dc(&bitmap);
    const int f = std::max(w / 128, 1);

    if (m_crGradient.rgb() != buttonFace().rgb()) {
        // Bands from the left edge; the one that starts at x = w is clipped away.
        for (int k = 1; (k - 1) * f <= w; ++k)
            dc.fillRect((k - 1) * f, 0, f, h, BandColour(m_crGradient, w - k * f, w));
    } else {
        // Bands counted from the right edge; what is left at the left edge stays black.
        int x = w;
        for (int k = 1; x > f; ++k) {
            x -= f;
            dc.fillRect(x, 0, f, h, BandColour(m_crGradient, k * f, w));
        }
        dc.fillRect(0, 0, x, h, Qt::black);
    }
    dc.end();
    m_bmpBackground = bitmap;
}

bool CPrefsStatic::OnEraseBkgnd(QPainter& dc)
{
    if (m_bmpBackground.isNull())
        BuildBackground();
    if (!m_bmpBackground.isNull())
        dc.drawPixmap(0, 0, m_bmpBackground, 0, 0, width(), height());
    return true;
}

void CPrefsStatic::OnPaint(QPainter& dc)
{
    if (m_strFontName.isEmpty()) {
        dc.setFont(parentWidget() ? parentWidget()->font() : font());
    } else {
        if (!m_fontText) {
            QFont f(m_strFontName);
            f.setPixelSize(m_nFontSize);
            f.setWeight(QFont::Weight(std::clamp(m_nFontWeight, 1, 1000)));
            f.setItalic(false);
            f.setUnderline(false);
            f.setStrikeOut(false);
            f.setStyleHint(QFont::TypeWriter);
            m_fontText = f;
        }
        dc.setFont(*m_fontText);
    }
    dc.setPen(m_crText);
    dc.setBackgroundMode(Qt::TransparentMode);
    dc.drawText(rect().adjusted(5, 0, 0, 0),
                Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine | Qt::TextShowMnemonic,
                m_strText);
}

void CPrefsStatic::paintEvent(QPaintEvent*)
{
    QPainter dc(this);
    OnEraseBkgnd(dc);
    OnPaint(dc);
}
