#pragma once

#include <QWidget>

// A form made from a template that lives as a child window of its host, the way the menu
// pages live in the main dialog's page area.
class CFormView : public QWidget {
    Q_OBJECT
public:
    explicit CFormView(QWidget* parent = nullptr);
    ~CFormView() override;

    // Runs once, after the host has placed the view and before it is first shown.
    virtual void OnInitialUpdate();
};
