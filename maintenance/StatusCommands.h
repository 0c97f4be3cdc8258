#pragma once

#include <QString>
#include <QStringList>
#include <vector>

// The printer status queries and what their replies tick. No widgets: each status page
// holds one StatusQuery and sets its boxes from Conditions().
namespace status {

enum class Query { Cp, Cu, Ee, Cps };

struct StatusQuery {
    QString text;       // written as it is, CR included
    int waitMs;         // before the reply is read
    int replyLength;    // bytes the reply must have
    bool serialOnly;    // refused on any other port type
};

StatusQuery QueryOf(Query query);

// The captions of the page's boxes, in the order of their control ids.
QStringList BoxCaptions(Query query);

// True when the reply is whole: its length, and for "^ee" the CR LF after the code.
bool WholeReply(Query query, const char* reply, int length);

// The indexes (into BoxCaptions) of the boxes a whole reply ticks, in ascending order.
std::vector<int> Conditions(Query query, const char* reply, int length);

}  // namespace status
