#pragma once

#include <QDialog>
#include <QHash>
#include <QPointer>
#include <functional>
#include <memory>

class QAbstractButton;
class QKeyEvent;

namespace ui {

class DataExchange;

inline constexpr int IDOK = 1;
inline constexpr int IDCANCEL = 2;

// The dialog base: a modal run with initialisation, data exchange in both directions, and
// the class library's OK (exchange, then close only when the exchange succeeded) and Cancel.
//
// Controls are found by the dynamic property "ctlId" that the .ui templates give them
// (a child page's controls belong to the page). Derived classes call their template's
// setupUi(this) in the constructor and bind handlers with onCommand / onSelChange there.
// Buttons IDOK and IDCANCEL call OnOK and OnCancel unless the dialog binds its own.
class Dialog : public QDialog {
    Q_OBJECT
public:
    explicit Dialog(QWidget* parent = nullptr);
    ~Dialog() override;

    // Runs the dialog modally: OnInitDialog, then the event loop (or, under the test hooks,
    // the script registered for this class). Returns the EndDialog result, IDCANCEL when
    // the run ended without one. A later run of the same object starts from the controls
    // as the template made them, as a window created afresh would.
    int DoModal();
    // Makes the dialog a child page of `parent` (hidden until shown) and initialises it.
    bool Create(QWidget* parent);
    bool UpdateData(bool saveAndValidate = true);
    void EndDialog(int result);
    // The result EndDialog gave, -1 while the dialog has not ended.
    int endResult() const { return m_endResult; }

    QWidget* GetDlgItem(int id) const;  // nullptr when the template has no such control
    template <class T>
    T* item(int id) const { return qobject_cast<T*>(GetDlgItem(id)); }
    // These do nothing for a missing control, as their Windows namesakes.
    void EnableDlgItem(int id, bool enable);
    void ShowDlgItem(int id, bool show);
    void SetDlgItemText(int id, const QString& text);
    QString GetDlgItemText(int id) const;
    bool IsDlgButtonChecked(int id) const;
    void CheckDlgButton(int id, bool checked);

    virtual bool OnInitDialog();                     // base: UpdateData(false)
    virtual void DoDataExchange(DataExchange& dx);   // base: nothing
    virtual void OnOK();                             // UpdateData(true), then EndDialog(IDOK)
    virtual void OnCancel();                         // EndDialog(IDCANCEL)

    // Message-map helpers. A button click (push, radio, check box) calls the handler.
    template <class D>
    void onCommand(int id, void (D::*handler)())
    {
        bindClicked(id, [this, handler] { (static_cast<D*>(this)->*handler)(); });
    }
    // A combo box whose selection the operator changed.
    template <class D>
    void onSelChange(int id, void (D::*handler)())
    {
        bindActivated(id, [this, handler] { (static_cast<D*>(this)->*handler)(); });
    }
    // An edit whose text the operator changed.
    template <class D>
    void onEditChange(int id, void (D::*handler)())
    {
        bindEdited(id, [this, handler] { (static_cast<D*>(this)->*handler)(); });
    }

    // Enter and Esc reach the handlers bound to IDOK and IDCANCEL, or OnOK and OnCancel.
    void accept() override;
    void reject() override;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    // A button bound to a handler that needs more than the dialog (a row of a table).
    void bindCommand(int id, std::function<void()> handler) { bindClicked(id, std::move(handler)); }

private:
    class TemplateState;

    void bindClicked(int id, std::function<void()> handler);
    void bindActivated(int id, std::function<void()> handler);
    void bindEdited(int id, std::function<void()> handler);
    void prepareRun();
    // The template's size in dialog units ("templateSize") for a window, and the width
    // its widest value needs ("widestText") for each edit.
    void applyTemplateGeometry();
    void onButton(int id);
    void connectButton(int id);
    void indexControls() const;

    mutable QHash<int, QPointer<QWidget>> m_controls;
    mutable bool m_indexed = false;
    QHash<int, std::function<void()>> m_commands;
    QHash<int, QMetaObject::Connection> m_buttonLinks;
    QHash<int, QMetaObject::Connection> m_selLinks;
    QHash<int, QMetaObject::Connection> m_editLinks;
    std::unique_ptr<TemplateState> m_template;
    int m_endResult = -1;
    bool m_running = false;
};

}  // namespace ui
