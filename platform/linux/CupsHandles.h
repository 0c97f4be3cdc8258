#pragma once

#include <cups/cups.h>
#include <memory>

namespace platform {

// Owning handles for libcups connections and IPP messages.
struct HttpClose {
    void operator()(http_t* http) const { httpClose(http); }
};
struct IppDelete {
    void operator()(ipp_t* ipp) const { ippDelete(ipp); }
};
using HttpPtr = std::unique_ptr<http_t, HttpClose>;
using IppPtr = std::unique_ptr<ipp_t, IppDelete>;

}  // namespace platform
