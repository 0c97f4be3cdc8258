#pragma once

#include <QColor>
#include <QFont>
#include <QPixmap>
#include <QString>
#include <QWidget>
#include <optional>

class QPainter;

// A static text that paints its own background: a horizontal gradient from near black at the
// left to m_crGradient at the right, built once into a bitmap, with the text in one line over
// it. The owner fills the public members before the first paint. Mouse presses are left to the
// parent, which decides what a press on the banner means.
class CPrefsStatic : public QWidget {
    Q_OBJECT
    Q_PROPERTY(QString text READ text WRITE setText)
public:
    explicit CPrefsStatic(QWidget* parent = nullptr);
    ~CPrefsStatic() override;

    void setText(const QString& text);
    QString text() const { return m_strText; }

    QString m_strFontName;  // empty: the parent window's font
    int m_nFontSize = 12;
    int m_nFontWeight = 400;
    QColor m_crText;
    QColor m_crGradient;
    std::optional<QFont> m_fontText;  // made at the first paint that needs it
    QPixmap m_bmpBackground;          // made at the first erase

    // The colour of one band: each channel c becomes c - d*d*c / (w*w).
    static QColor BandColour(const QColor& gradient, int d, int width);

protected:
    void paintEvent(QPaintEvent* event) override;

    bool OnEraseBkgnd(QPainter& dc);
    void OnPaint(QPainter& dc);

private:
    void BuildBackground();

    QString m_strText;
};
