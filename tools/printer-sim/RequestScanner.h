#pragma once

#include <cstddef>
#include <string>
#include <vector>

// Finds the two requests a printer answers in a byte stream that may split them across
// reads or put other bytes before them.
class RequestScanner {
public:
    enum class Request { LanguageProbe, ModelQuery };

    // The requests completed by these bytes, in stream order.
    std::vector<Request> feed(const char* data, std::size_t length);

private:
    std::string m_pending;  // bytes that may still begin a request
};
