#pragma once

#include <QLineEdit>
#include <QPointer>
#include <QWidget>

class QToolButton;

namespace ui {

// A pair of arrow buttons that step the number in its buddy edit: an arrow reads the
// buddy's number, steps it by one toward the upper or the lower end of the range, and
// writes it back. At an end it stops, or wraps round to the other end when wrapping.
// The buddy is set in code or named in the template by its control id ("buddyId").
class UpDownCtrl : public QWidget {
    Q_OBJECT
    Q_PROPERTY(int buddyId READ buddyId WRITE setBuddyId)
    Q_PROPERTY(bool wrap READ wrap WRITE setWrap)
public:
    explicit UpDownCtrl(QWidget* parent = nullptr);

    void setBuddy(QLineEdit* buddy) { m_buddy = buddy; }
    QLineEdit* buddy() const;
    int buddyId() const { return m_buddyId; }
    void setBuddyId(int id) { m_buddyId = id; }
    bool wrap() const { return m_wrap; }
    void setWrap(bool wrap) { m_wrap = wrap; }

    // The up arrow moves toward `upper`, which may lie below `lower`.
    void setRange(int lower, int upper);
    int lower() const { return m_lower; }
    int upper() const { return m_upper; }
    // The position kept within the range; setPos shows it in the buddy.
    void setPos(int pos);
    int pos() const;

    void stepUp() { step(true); }
    void stepDown() { step(false); }

private:
    void step(bool up);
    int clamped(int value) const;

    QToolButton* m_up;
    QToolButton* m_down;
    mutable QPointer<QLineEdit> m_buddy;
    int m_buddyId = 0;
    bool m_wrap = false;
    int m_lower = 0;
    int m_upper = 100;
    int m_pos = 0;
};

}  // namespace ui
