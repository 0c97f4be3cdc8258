#pragma once

#include "maintenance/StatusCommands.h"
#include "ui/Dialog.h"

// What the four status pages share: one button sends the page's query, and a whole reply
// sets the page's check boxes.
class CStatusCmdPage : public ui::Dialog {
    Q_OBJECT
public:
    void OnTestCommand();
    // Unticks every box of the page, then ticks those the reply reports.
    void ShowStatus(const char* reply, int length);

    status::Query query() const { return m_query; }
    int firstBoxId() const { return m_firstBoxId; }
    int buttonId() const { return m_buttonId; }

protected:
    CStatusCmdPage(status::Query query, int firstBoxId, int buttonId, QWidget* parent);
    // Binds the button; called by the page once its template is set up.
    void BindTestCommand();

private:
    status::Query m_query;
    int m_firstBoxId;
    int m_buttonId;
};
