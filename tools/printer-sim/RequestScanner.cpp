#include "RequestScanner.h"

#include <algorithm>
#include <string_view>

namespace {

constexpr std::string_view kLanguageProbe{"\x1b\xaf" "PEG", 5};
constexpr std::string_view kModelQuery{"^PI0\r\n", 6};

}  // namespace

std::vector<RequestScanner::Request> RequestScanner::feed(const char* data, std::size_t length)
{
    std::vector<Request> found;
    m_pending.append(data, length);
    for (;;) {
        const std::size_t probe = m_pending.find(kLanguageProbe);
        const std::size_t query = m_pending.find(kModelQuery);
        if (probe == std::string::npos && query == std::string::npos)
            break;
        if (probe < query) {
            found.push_back(Request::LanguageProbe);
            m_pending.erase(0, probe + kLanguageProbe.size());
        } else {
            found.push_back(Request::ModelQuery);
            m_pending.erase(0, query + kModelQuery.size());
        }
    }
    // Only a tail shorter than the longest request can still grow into one.
    const std::size_t keep = std::max(kLanguageProbe.size(), kModelQuery.size()) - 1;
    if (m_pending.size() > keep)
        m_pending.erase(0, m_pending.size() - keep);
    return found;
}
